// Flat one-pixel frames; hot and pressed parts take the highlight frame and
// tinted faces.
#include "lookandfeel/builtinpainters.h"
#include "lookandfeel/paintershapes.h"

namespace talvik {

namespace {
constexpr TColor clWindowFrame = clSystemColor | COLOR_WINDOWFRAME;
}

using U = TcxUltraFlatLookAndFeelPainter;

TcxCustomLookAndFeelPainterClass U::Instance() {
  static const TcxUltraFlatLookAndFeelPainter painter;
  return &painter;
}

TcxLookAndFeelStyle U::LookAndFeelStyle() const { return lfsUltraFlat; }
int U::BorderSize() const { return 1; }
void U::DrawBorder(TcxCanvas* ACanvas, const RECT& R) const { ACanvas->FrameRect(R, clBtnShadow); }
int U::ButtonBorderSize(TcxButtonState AState) const { return AState == cxbsDefault ? 2 : 1; }

TColor U::ButtonColor(TcxButtonState AState) const {
  switch (AState) {
    case cxbsHot: return HotTintColor();
    case cxbsPressed: return PressedTintColor();
    default: return clBtnFace;
  }
}

RECT U::ButtonFocusRect(TcxCanvas* ACanvas, const RECT& R) const {
  RECT r = InflateRectBy(R, -3, -3);
  return RectIsEmpty(r) ? R : r;
}

int U::ButtonTextOffset() const { return 2; }
int U::ButtonTextShift() const { return 0; }

TColor U::ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor) const {
  if (AState == cxbsPressed) return clHighlightText;
  return TcxCustomLookAndFeelPainter::ButtonSymbolColor(AState, ADefaultColor);
}

TcxButtonState U::ButtonSymbolState(TcxButtonState AState) const { return cxbsNormal; }

TColor U::ButtonFrameColor(TcxButtonState AState) const {
  switch (AState) {
    case cxbsNormal: return clBtnText;
    case cxbsDisabled: return clBtnShadow;
    default: return clHighlight;
  }
}

void U::DrawButtonBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {
  if (AState == cxbsDefault) {
    ACanvas->FrameRect(R, clWindowFrame);
    ACanvas->FrameRect(InflateRectBy(R, -1, -1), clWindowFrame);
  } else {
    ACanvas->FrameRect(R, ButtonFrameColor(AState));
  }
}

void U::DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R, TcxScrollBarPart APart,
                          TcxButtonState AState) const {
  DrawButtonStyleScrollBarPart(this, ACanvas, AHorizontal, R, APart, AState, false, false);
}

bool U::IsButtonHotTrack() const { return true; }
int U::CheckBorderSize() const { return 1; }

void U::DrawCheckBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {
  ACanvas->FrameRect(R, AState == cxbsHot || AState == cxbsPressed ? BorderHighlightColor() : clBtnShadow);
}

void U::DrawFooterBorder(TcxCanvas* ACanvas, const RECT& R) const {
  ACanvas->FrameRect(R, clBtnShadow, FooterBorderSize(), FooterBorders());
}

void U::DrawFooterCellBorder(TcxCanvas* ACanvas, const RECT& R) const {
  ACanvas->FrameRect(R, clBtnShadow, FooterCellBorderSize());
}

void U::DrawFilterDropDownButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                 bool AIsFilterActive) const {
  ACanvas->FrameRect(R, FilterButtonBorderColor(AState));
  RECT inner = InflateRectBy(R, -1, -1);
  ACanvas->FillRect(inner, ButtonColor(AState));
  DrawFilterArrow(ACanvas, inner, AState);
}

TcxPopupBorderStyle U::PopupBorderStyle() const { return pbsUltraFlat; }

void U::DrawTabBorder(TcxCanvas* ACanvas, const RECT& R, TcxBorder ABorder, TcxBorders ABorders,
                      bool AVertical) const {
  ACanvas->FrameRect(R, TabBorderColor(), TabBorderSize(AVertical), 1u << ABorder);
}

TColor U::FilterButtonBorderColor(TcxButtonState AState) const {
  return AState == cxbsNormal ? clBtnShadow : clHighlight;
}

TColor U::TabBorderColor() const { return clBtnShadow; }
TColor U::TabSelectedBorderColor() const { return clBtnText; }
TColor U::BorderHighlightColor() const { return clHighlight; }

}  // namespace talvik
