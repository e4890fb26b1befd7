#include "lookandfeel/office2003colors.h"

namespace talvik {

namespace {
// The set's brush, or a brush of its colour when the set has no users.
HBRUSH GripBrush(TColor AColor, TdxOffice2003Color ADefault, bool& ATemporary) {
  ATemporary = AColor != clDefault || !Office2003Brush(ADefault);
  if (!ATemporary) return Office2003Brush(ADefault);
  return CreateSolidBrush(ColorToRGB(AColor == clDefault ? Office2003Color(ADefault) : AColor));
}

void FillSquare(HDC DC, int X, int Y, HBRUSH Brush) {
  RECT R{X, Y, X + 2, Y + 2};
  FillRect(DC, &R, Brush);
}
}  // namespace

void DrawOffice2003SizeGrip(HDC DC, const RECT& ARect, TColor AColor1, TColor AColor2) {
  bool TemporaryDark, TemporaryLight;
  HBRUSH Dark = GripBrush(AColor1, ocGripDark, TemporaryDark);
  HBRUSH Light = GripBrush(AColor2, ocGripLight, TemporaryLight);
  // A staircase of 3, 2 and 1 dots, flush with the bottom-right corner.
  RECT Row{ARect.right - 12, ARect.bottom - 3, ARect.right, ARect.bottom};
  for (int I = 0; I < 3; ++I) {
    int X = Row.left;
    do {
      FillSquare(DC, X + 1, Row.top + 1, Light);
      FillSquare(DC, X, Row.top, Dark);
      X += 4;
    } while (X + 4 <= Row.right);
    Row.left += 4;
    OffsetRect(&Row, 0, -4);
  }
  if (TemporaryDark) DeleteObject(Dark);
  if (TemporaryLight) DeleteObject(Light);
}

}  // namespace talvik
