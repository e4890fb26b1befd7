#include "lookandfeel/office2003colors.h"

#include <algorithm>

#include "graphics/canvas.h"
#include "lookandfeel/themes.h"

namespace talvik {

namespace {
// The colours of the blue, olive and silver schemes (0xBBGGRR) that the parts of
// this program draw with, in the order of TdxOffice2003Color.
constexpr TColor SchemeColors[3][dxOffice2003ColorCount] = {
    {0xF5BE9E, 0x764127, 0xFFFFFF, 0x962D00, 0x800000, 0xCCF4FF, 0x8ED3FF, 0x000000, 0x8D8D8D},
    {0xA7D9D9, 0x335E51, 0xFFFFFF, 0x5E8D75, 0x385D3F, 0xCCF4FF, 0x8ED3FF, 0x000000, 0x8D8D8D},
    {0xE5D7D7, 0x755454, 0xFFFFFF, 0x947C7C, 0x6F4B4B, 0xCCF4FF, 0x8ED3FF, 0x000000, 0x8D8D8D},
};

struct TColorSet {
  bool Loaded = false;
  int Scheme = 0;
  bool SchemeActive = false;
  int UserCount = 0;
  TColor Colors[dxOffice2003ColorCount] = {};
  HBRUSH Brushes[dxOffice2003ColorCount] = {};
} Set;

// Without a scheme: the system colours of this moment, as RGB values.
void LoadClassicColors(TColor (&C)[dxOffice2003ColorCount]) {
  auto RGBOf = [](TColor Color) { return static_cast<TColor>(ColorToRGB(Color)); };
  C[ocButtonFace] = RGBOf(clBtnFace);
  C[ocGripDark] = BlendColors(clBtnShadow, clWindow, 76);
  C[ocGripLight] = RGBOf(clWindow);
  C[ocBorder] = RGBOf(clBtnShadow);
  C[ocSelectionFrame] = RGBOf(clHighlight);
  C[ocHotButton] = RGBOf(HotTintColor());
  C[ocPressedButton] = RGBOf(PressedTintColor());
  C[ocText] = RGBOf(clBtnText);
  C[ocDisabledText] = RGBOf(clGrayText);
}

void LoadColorSet() {
  Set.Scheme = DetectOffice2003Scheme();
  Set.SchemeActive = AreVisualStylesUsable(0) && Set.Scheme != 0;
  if (Set.SchemeActive)
    std::copy(std::begin(SchemeColors[Set.Scheme - 1]), std::end(SchemeColors[Set.Scheme - 1]), Set.Colors);
  else
    LoadClassicColors(Set.Colors);
  Set.Loaded = true;
}

void EnsureLoaded() {
  if (!Set.Loaded) LoadColorSet();
}

void CreateBrushes() {
  for (int I = 0; I < dxOffice2003ColorCount; ++I) Set.Brushes[I] = CreateSolidBrush(ColorToRGB(Set.Colors[I]));
}

void DeleteBrushes() {
  for (HBRUSH& Brush : Set.Brushes) {
    if (Brush) DeleteObject(Brush);
    Brush = nullptr;
  }
}
}  // namespace

int CurrentOffice2003Scheme() {
  EnsureLoaded();
  return Set.Scheme;
}

bool IsOffice2003SchemeActive() {
  EnsureLoaded();
  return Set.SchemeActive;
}

void Office2003ColorsAddRef() {
  if (Set.UserCount == 0) {
    LoadColorSet();
    CreateBrushes();
  }
  ++Set.UserCount;
}

void Office2003ColorsRelease() {
  if (Set.UserCount == 0) return;
  if (--Set.UserCount == 0) DeleteBrushes();
}

void Office2003ColorsReload() {
  LoadColorSet();
  if (Set.UserCount > 0) {
    DeleteBrushes();
    CreateBrushes();
  }
}

TColor Office2003Color(TdxOffice2003Color AColor) {
  EnsureLoaded();
  return Set.Colors[AColor];
}

HBRUSH Office2003Brush(TdxOffice2003Color AColor) { return Set.Brushes[AColor]; }

TColor Office2003ButtonFace() { return Office2003Color(ocButtonFace); }
TColor Office2003GripDark() { return Office2003Color(ocGripDark); }
TColor Office2003GripLight() { return Office2003Color(ocGripLight); }
TColor Office2003Border() { return Office2003Color(ocBorder); }
TColor Office2003SelectionFrame() { return Office2003Color(ocSelectionFrame); }
TColor Office2003HotButton() { return Office2003Color(ocHotButton); }
TColor Office2003PressedButton() { return Office2003Color(ocPressedButton); }
TColor Office2003Text() { return Office2003Color(ocText); }
TColor Office2003DisabledText() { return Office2003Color(ocDisabledText); }

TColor BlendColors(TColor AColor1, TColor AColor2, int APercent) {
  COLORREF C1 = ColorToRGB(AColor1), C2 = ColorToRGB(AColor2);
  auto Channel = [&](int A, int B) {
    return std::clamp(MulDiv(B, 100 - APercent, 100) + MulDiv(A, APercent, 100), 0, 255);
  };
  COLORREF Mixed = RGB(Channel(GetRValue(C1), GetRValue(C2)), Channel(GetGValue(C1), GetGValue(C2)),
                       Channel(GetBValue(C1), GetBValue(C2)));
  HDC Screen = GetDC(nullptr);
  COLORREF Nearest = GetNearestColor(Screen, Mixed);
  ReleaseDC(nullptr, Screen);
  return static_cast<TColor>(Nearest == CLR_INVALID ? Mixed : Nearest);
}

}  // namespace talvik
