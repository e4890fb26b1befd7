// One-pixel three-dimensional edges; scroll bar parts are flat buttons.
#include "lookandfeel/builtinpainters.h"
#include "lookandfeel/paintershapes.h"

namespace talvik {

using F = TcxFlatLookAndFeelPainter;

TcxCustomLookAndFeelPainterClass F::Instance() {
  static const TcxFlatLookAndFeelPainter painter;
  return &painter;
}

TcxLookAndFeelStyle F::LookAndFeelStyle() const { return lfsFlat; }
int F::BorderSize() const { return 1; }
void F::DrawBorder(TcxCanvas* ACanvas, const RECT& R) const { ACanvas->DrawEdge(R, true, true); }
int F::ButtonBorderSize(TcxButtonState AState) const { return AState == cxbsDefault ? 2 : 1; }
int F::ButtonTextOffset() const { return 1; }
int F::ButtonTextShift() const { return 1; }

void F::DrawButtonBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {
  if (AState == cxbsPressed) {
    ACanvas->DrawComplexFrame(R, clBtnShadow, clBtnHighlight);
    return;
  }
  RECT r = R;
  if (AState == cxbsDefault) {
    ACanvas->FrameRect(r, clBlack);
    r = InflateRectBy(r, -1, -1);
  }
  ACanvas->DrawComplexFrame(r, clBtnHighlight, clBtnShadow);
}

void F::DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R, TcxScrollBarPart APart,
                          TcxButtonState AState) const {
  DrawButtonStyleScrollBarPart(this, ACanvas, AHorizontal, R, APart, AState, true, true);
}

int F::CheckBorderSize() const { return 1; }
void F::DrawCheckBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const { DrawBorder(ACanvas, R); }

TcxPopupBorderStyle F::PopupBorderStyle() const { return pbsFlat; }

}  // namespace talvik
