// Elements of the built-in skins drawn as a window would draw them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "framework/sysutils.h"
#include "skins/model/skin.h"
#include "skins/tests/draw_surface.h"

using namespace talvik;
using namespace talvik::testing;

namespace {


TdxSkinElement* Find(TdxSkin& ASkin, const wchar_t* AName) {
  for (int g = 0; g < ASkin.GroupCount(); ++g)
    if (TdxSkinElement* e = ASkin.Groups(g)->GetElementByName(AName)) return e;
  return nullptr;
}

TEST(BuiltinSkinDrawing, GroupPanelNoBorderFillsWithItsGrey) {
  TdxSkin skin(L"DarkSide", true, GetModuleHandleW(nullptr));
  TdxSkinElement* panel = Find(skin, L"GroupPanelNoBorder");
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(panel->Image()->Texture()->Empty());
  EXPECT_EQ(panel->Image()->GradientEndColor(), clNone);
  TDrawSurface s(50, 30);
  panel->Draw(s.DC(), RECT{0, 0, 50, 30});
  const COLORREF grey = ColorToRGB(panel->Image()->GradientBeginColor());
  for (POINT p : {POINT{0, 0}, POINT{25, 15}, POINT{49, 29}}) EXPECT_EQ(s.At(p.x, p.y), grey);
}

TEST(BuiltinSkinDrawing, CaptionCornersStayAtNaturalSize) {
  TdxSkin skin(L"DarkSide", true, GetModuleHandleW(nullptr));
  TdxSkinElement* caption = skin.GetGroupByName(L"Form")->GetElementByName(L"FormCaption");
  ASSERT_NE(caption, nullptr);
  TBitmap frame(1, 1, pf32bit);
  caption->Image()->GetBitmap(0, esActive, &frame, 0x00FF00);
  ASSERT_EQ(frame.Width(), 27);
  ASSERT_EQ(frame.Height(), 25);
  TDrawSurface s(520, 25, RGB(0, 255, 0));
  caption->Draw(s.DC(), RECT{0, 0, 520, 25}, 0, esActive);
  // Margins 2, 9, 2, 3: the corner parts are the frame's own pixels.
  struct Probe {
    POINT Canvas, Frame;
  } probes[] = {{{0, 0}, {0, 0}}, {{1, 8}, {1, 8}}, {{519, 0}, {26, 0}}, {{518, 22}, {25, 22}}, {{0, 24}, {0, 24}}};
  for (const Probe& p : probes)
    EXPECT_EQ(s.At(p.Canvas.x, p.Canvas.y), GetPixel(frame.Canvas().Handle(), p.Frame.x, p.Frame.y))
        << p.Canvas.x << "," << p.Canvas.y;
}

// Every element of both skins, in each of its states, draws inside its rectangle and nowhere else.
TEST(BuiltinSkinDrawing, EveryElementInEachStateStaysInsideItsRectangle) {
  const RECT r{4, 4, 164, 124}, all{0, 0, 168, 128};
  TDrawSurface s(168, 128);
  HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
  for (const wchar_t* resource : {L"DarkSide", L"DefaultUserSkinData"}) {
    TdxSkin skin(resource, true, GetModuleHandleW(nullptr));
    for (int g = 0; g < skin.GroupCount(); ++g)
      for (int i = 0; i < skin.Groups(g)->Count(); ++i) {
        TdxSkinElement* e = skin.Groups(g)->Elements(i);
        SIZE image = e->Image()->Size(), glyph = e->Glyph()->Size();
        // Centred pictures larger than their place overhang it by design.
        if ((e->Image()->Stretch() == smNoResize && (image.cx > 160 || image.cy > 120)) ||
            (e->Glyph()->Stretch() == smNoResize && (glyph.cx > 150 || glyph.cy > 110)))
          continue;
        // The states with frames of their own, and normal, which may borrow one.
        const TdxSkinElementStates states = e->Image()->States() | e->Glyph()->States() | 1;
        for (int state = 0; state < dxSkinElementStateCount; ++state) {
          if (!(states & (1 << state))) continue;
          FillRect(s.DC(), &all, green);
          e->Draw(s.DC(), r, 0, static_cast<TdxSkinElementState>(state));
          int outside = 0, inside = 0;
          for (int y = 0; y < 128; ++y) {
            const auto* row = static_cast<const uint32_t*>(s.Bitmap().ScanLine(y));
            for (int x = 0; x < 168; ++x) {
              const bool changed = (row[x] & 0xFFFFFF) != 0x008000;
              (x >= r.left && x < r.right && y >= r.top && y < r.bottom ? inside : outside) += changed;
            }
          }
          EXPECT_EQ(outside, 0) << WideToUtf8(e->Path() + e->Name()) << " state " << state;
          if (!e->Image()->Texture()->Empty() && !e->IsAlphaUsed()) {
            EXPECT_GT(inside, 0) << WideToUtf8(e->Path() + e->Name()) << " state " << state;
          }
        }
      }
  }
  DeleteObject(green);
}

}  // namespace
