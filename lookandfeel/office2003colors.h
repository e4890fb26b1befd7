// The Office 2003 colour set that follows the visual style's colour scheme,
// and the small drawing routines built on it.
#pragma once
#include <windows.h>

#include <string_view>

#include "framework/graphics.h"

namespace talvik {

int CurrentOffice2003Scheme();  // 0 none, 1 blue, 2 olive, 3 silver
bool IsOffice2003SchemeActive();
int DetectOffice2003Scheme();
// The scheme of a visual style from its theme file path and colour name, on
// Windows of the given major version.
int Office2003SchemeOf(std::wstring_view AThemeFileName, std::wstring_view AColorName, unsigned AMajorVersion);

void Office2003ColorsAddRef();
void Office2003ColorsRelease();
void Office2003ColorsReload();

enum TdxOffice2003Color {
  ocButtonFace, ocGripDark, ocGripLight, ocBorder, ocSelectionFrame, ocHotButton, ocPressedButton, ocText,
  ocDisabledText
};
constexpr int dxOffice2003ColorCount = 9;

// Read before the first load, the set loads itself.
TColor Office2003Color(TdxOffice2003Color AColor);
// A solid brush of the colour while the set has users, else 0.
HBRUSH Office2003Brush(TdxOffice2003Color AColor);

TColor Office2003ButtonFace();
TColor Office2003GripDark();
TColor Office2003GripLight();
TColor Office2003Border();
TColor Office2003SelectionFrame();
TColor Office2003HotButton();
TColor Office2003PressedButton();
TColor Office2003Text();
TColor Office2003DisabledText();

// APercent is AColor1's share.
TColor BlendColors(TColor AColor1, TColor AColor2, int APercent);
void FillRectWithColor(HDC DC, const RECT& R, TColor AColor);
// Left to right when AHorizontal, else top to bottom; GradientFill or up to 256 bands.
void FillGradientRect(HDC DC, const RECT& ARect, TColor AColor1, TColor AColor2, bool AHorizontal);
// clDefault takes the set's grip colours.
void DrawOffice2003SizeGrip(HDC DC, const RECT& ARect, TColor AColor1 = clDefault, TColor AColor2 = clDefault);

}  // namespace talvik
