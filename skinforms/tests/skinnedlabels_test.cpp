// Labels are no windows: the skinned form paints them over its skinned
// background, each in its own colour unless it is transparent.
#include "skinforms/tests/skinnedcontrols_fixture.h"

using namespace talvik;
using namespace talvik::test;

TEST_F(SkinnedControls, LabelsArePaintedInTheirColourOverTheSkinnedBackground) {
  const TColor labelColor = static_cast<TColor>(0x2040C0);
  auto* label = new TLabel(Form.get());
  label->SetBounds(150, 100, 60, 20);
  label->SetColor(labelColor);
  label->SetParent(Form.get());
  // What the form shows: its background, then its own painting with the labels.
  auto formPicture = [&] {
    TDrawSurface surface(300, 160);
    SendMessageW(Form->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface.DC()), 0);
    SendMessageW(Form->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(surface.DC()), 0);
    return ReadPicture(surface.DC(), 300, 160);
  };
  TDrawSurface background(300, 160);
  SendMessageW(Form->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(background.DC()), 0);
  ASSERT_NE(background.At(155, 105), ColorToRGB(labelColor));
  ASSERT_NE(background.At(155, 105), ColorToRGB(clBtnFace));  // the skin's, not the system's

  struct Case {
    const char* name;
    bool transparent;
    COLORREF inside;
  };
  const Case cases[] = {
      {"opaque label", false, ColorToRGB(labelColor)},
      {"transparent label", true, background.At(155, 105)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    label->SetTransparent(c.transparent);
    const TPicture shown = formPicture();
    EXPECT_EQ(shown.At(155, 105), c.inside);
    EXPECT_EQ(shown.At(250, 140), background.At(250, 140));  // the skinned background around it
  }
}
