// The ultra-flat look in the Office 2003 colour scheme of the active visual
// style; also what the skin painter draws with where a skin lacks a part.
#include "lookandfeel/builtinpainters.h"
#include "lookandfeel/office2003colors.h"
#include "lookandfeel/paintershapes.h"

namespace talvik {

using O = TcxOffice11LookAndFeelPainter;

TcxCustomLookAndFeelPainterClass O::Instance() {
  static const TcxOffice11LookAndFeelPainter painter;
  return &painter;
}

TcxLookAndFeelStyle O::LookAndFeelStyle() const { return lfsOffice11; }
bool O::NeedRedrawOnResize() const { return true; }
void O::DrawBorder(TcxCanvas* ACanvas, const RECT& R) const { ACanvas->FrameRect(R, Office2003Border()); }

TColor O::ButtonColor(TcxButtonState AState) const {
  switch (AState) {
    case cxbsHot: return Office2003HotButton();
    case cxbsPressed: return Office2003PressedButton();
    case cxbsDisabled: return clBtnFace;
    default: return Office2003ButtonFace();
  }
}

TColor O::ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor) const {
  if (AState == cxbsPressed && !IsOffice2003SchemeActive()) return clHighlightText;
  return AState == cxbsDisabled ? Office2003DisabledText() : Office2003Text();
}

TColor O::ButtonFrameColor(TcxButtonState AState) const {
  switch (AState) {
    case cxbsNormal: return clBtnText;
    case cxbsDisabled: return Office2003DisabledText();
    default: return Office2003SelectionFrame();
  }
}

void O::DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R, TcxScrollBarPart APart,
                          TcxButtonState AState) const {
  TcxCustomLookAndFeelPainterClass painter = AreVisualStylesUsable(ThemedTypes(totScrollBar))
                                                 ? TcxWinXPLookAndFeelPainter::Instance()
                                                 : TcxStandardLookAndFeelPainter::Instance();
  painter->DrawScrollBarPart(ACanvas, AHorizontal, R, APart, AState);
}

void O::DrawSizeGrip(TcxCanvas* ACanvas, const RECT& ARect, TColor ABackgroundColor) const {
  ACanvas->FillRect(ARect, ABackgroundColor);
  DrawOffice2003SizeGrip(ACanvas->Handle(), ARect);
}

void O::DrawPanelBackground(TcxCanvas* ACanvas, TWinControl* AControl, const RECT& ABounds, TColor AColorFrom,
                            TColor AColorTo) const {
  if (AColorFrom == clDefault) DrawParentBackgroundAt(ACanvas, AControl, ABounds);
  else if (AColorTo == clDefault) ACanvas->FillRect(ABounds, AColorFrom);
  else FillGradientRect(ACanvas->Handle(), ABounds, AColorFrom, AColorTo, false);
}

TColor O::DefaultHeaderColor() const { return Office2003ButtonFace(); }

void O::DrawHeaderBorder(TcxCanvas* ACanvas, const RECT& R, TcxNeighbors ANeighbors, TcxBorders ABorders) const {
  ACanvas->DrawComplexFrame(R, HeaderEdgeLightColor(), HeaderEdgeShadowColor(), ABorders);
}

void O::DrawSortingMark(TcxCanvas* ACanvas, const RECT& R, bool AAscendingSorting) const {
  SIZE s = SortingMarkSize();
  TcxArrowPoints p;
  CalculateArrowPoints(CenterRect(R, s.cx, s.cy), p, AAscendingSorting ? adUp : adDown, false, s.cy);
  FillArrowPolygon(ACanvas, p, HeaderEdgeMidColor());
}

TColor O::FilterButtonBorderColor(TcxButtonState AState) const {
  return AState == cxbsNormal ? HeaderEdgeShadowColor() : Office2003SelectionFrame();
}

TColor O::TabBorderColor() const { return HeaderEdgeShadowColor(); }
TColor O::BorderHighlightColor() const { return Office2003SelectionFrame(); }
TColor O::HeaderEdgeDarkColor() const { return Office2003Border(); }
TColor O::HeaderEdgeShadowColor() const { return Office2003GripDark(); }
TColor O::HeaderEdgeLightColor() const { return Office2003GripLight(); }
TColor O::HeaderEdgeMidColor() const { return BlendColors(Office2003ButtonFace(), Office2003Border(), 50); }

}  // namespace talvik
