// Shapes and parts that several painters draw alike: filled triangles, ticks,
// plus and minus signs, scroll bar page areas and button-style scroll bar parts.
#pragma once
#include "graphics/canvas.h"
#include "lookandfeel/lookandfeeltypes.h"
#include "lookandfeel/painter.h"

namespace talvik {

// Fills the triangle with pen and brush of AColor; the brush stays solid.
void FillArrowPolygon(TcxCanvas* ACanvas, const TcxArrowPoints& P, TColor AColor);
// A 7 x 7 tick, three pixels thick, centred in R.
void DrawTickMark(TcxCanvas* ACanvas, const RECT& R, TColor AColor);
// A minus, or a plus when APlus, inset two pixels from R's edges.
void DrawPlusMinusSign(TcxCanvas* ACanvas, const RECT& R, bool APlus, TColor AColor);

// A button's caption in AFaceRect (the face without its border), in ATextColor or,
// for clDefault, the painter's symbol colour; the brush ends solid.
void DrawButtonCaption(TcxCustomLookAndFeelPainterClass APainter, TcxCanvas* ACanvas, RECT AFaceRect,
                       const std::wstring& ACaption, TcxButtonState AState, TColor ATextColor, bool AWordWrap);
// Three 2 x 2 dots side by side, centred.
void DrawEllipsisDots(TcxCanvas* ACanvas, const RECT& R, TColor AColor);
// The point ATurns of a full turn clockwise from twelve o'clock, ALength from the centre of AFace.
POINT ClockPoint(const RECT& AFace, double ATurns, double ALength);
// Hour and minute hands from the centre of the square AFace.
void DrawClockHands(TcxCanvas* ACanvas, const RECT& AFace, const SYSTEMTIME& ATime, TColor AColor);
// What the control's parent shows behind ABounds, painted into ABounds.
void DrawParentBackgroundAt(TcxCanvas* ACanvas, TWinControl* AControl, const RECT& ABounds);
// The checkerboard of a scroll bar page area: light when normal, dark when pressed.
void FillScrollBarPageArea(TcxCanvas* ACanvas, const RECT& R, bool APressed);
// Line buttons and the thumb as the painter's buttons, page areas as checkerboards.
// AHotAsNormal and AShrinkBeforeArrow are where the flat and ultra-flat looks differ.
void DrawButtonStyleScrollBarPart(TcxCustomLookAndFeelPainterClass APainter, TcxCanvas* ACanvas, bool AHorizontal,
                                  const RECT& R, TcxScrollBarPart APart, TcxButtonState AState, bool AHotAsNormal,
                                  bool AShrinkBeforeArrow);

}  // namespace talvik
