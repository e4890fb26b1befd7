// The classic three-dimensional look: two-pixel raised and sunken edges and
// the system's own scroll bar arrows.
#include "lookandfeel/builtinpainters.h"
#include "lookandfeel/paintershapes.h"

namespace talvik {

namespace {
using S = TcxStandardLookAndFeelPainter;

// The frame of a scroll bar button or thumb; a pressed line button looks pushed in.
void DrawScrollButtonFrame(TcxCanvas* ACanvas, const RECT& R, bool APressed) {
  RECT inner = InflateRectBy(R, -1, -1);
  if (APressed) {
    ACanvas->FrameRect(R, clBtnShadow);
    ACanvas->FrameRect(inner, clBtnFace);
  } else {
    ACanvas->DrawComplexFrame(R, clBtnFace, cl3DDkShadow);
    ACanvas->DrawComplexFrame(inner, clBtnHighlight, clBtnShadow);
  }
}

UINT ScrollArrowControl(bool AHorizontal, TcxScrollBarPart APart) {
  switch (ScrollBarLineArrowDirection(AHorizontal, APart)) {
    case adUp: return DFCS_SCROLLUP;
    case adDown: return DFCS_SCROLLDOWN;
    case adLeft: return DFCS_SCROLLLEFT;
    case adRight: break;
  }
  return DFCS_SCROLLRIGHT;
}
}  // namespace

TcxCustomLookAndFeelPainterClass S::Instance() {
  static const TcxStandardLookAndFeelPainter painter;
  return &painter;
}

TcxLookAndFeelStyle S::LookAndFeelStyle() const { return lfsStandard; }
int S::BorderSize() const { return 2; }

void S::DrawBorder(TcxCanvas* ACanvas, const RECT& R) const {
  ACanvas->DrawComplexFrame(R, clBtnShadow, clBtnHighlight);
  ACanvas->DrawComplexFrame(InflateRectBy(R, -1, -1), cl3DDkShadow, cl3DLight);
}

int S::ButtonBorderSize(TcxButtonState AState) const { return AState == cxbsDefault ? 3 : 2; }
int S::ButtonTextOffset() const { return 1; }
int S::ButtonTextShift() const { return 1; }

void S::DrawButtonBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {
  if (AState == cxbsPressed) {
    ACanvas->FrameRect(R, clBlack);
    ACanvas->FrameRect(InflateRectBy(R, -1, -1), clBtnShadow);
    return;
  }
  RECT r = R;
  if (AState == cxbsDefault) {
    ACanvas->FrameRect(r, clBlack);
    r = InflateRectBy(r, -1, -1);
  }
  ACanvas->DrawComplexFrame(r, clBtnHighlight, cl3DDkShadow);
  ACanvas->DrawComplexFrame(InflateRectBy(r, -1, -1), cl3DLight, clBtnShadow);
}

void S::DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R, TcxScrollBarPart APart,
                          TcxButtonState AState) const {
  if (RectIsEmpty(R) || (APart == sbpThumbnail && AState == cxbsDisabled)) return;
  if (AState == cxbsHot) AState = cxbsNormal;
  switch (APart) {
    case sbpLineUp:
    case sbpLineDown: {
      bool pressed = AState == cxbsPressed;
      // The arrow moves with the pressed button; the frame drawn after it stays put.
      RECT r = pressed ? OffsetRectBy(R, 1, 1) : R;
      UINT state = ScrollArrowControl(AHorizontal, APart) | (AState == cxbsDisabled ? DFCS_INACTIVE : 0) |
                   (pressed ? DFCS_FLAT : 0);
      DrawFrameControl(ACanvas->Handle(), &r, DFC_SCROLL, state);
      DrawScrollButtonFrame(ACanvas, R, pressed);
      break;
    }
    case sbpThumbnail: {
      DrawScrollButtonFrame(ACanvas, R, false);
      int b = ButtonBorderSize(cxbsNormal);
      ACanvas->FillRect(InflateRectBy(R, -b, -b), clBtnFace);
      break;
    }
    case sbpPageUp:
    case sbpPageDown: FillScrollBarPageArea(ACanvas, R, AState == cxbsPressed); break;
    case sbpNone: break;
  }
}

int S::CheckBorderSize() const { return 2; }
void S::DrawCheckBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const { DrawBorder(ACanvas, R); }

void S::DrawHeaderBorder(TcxCanvas* ACanvas, const RECT& R, TcxNeighbors ANeighbors, TcxBorders ABorders) const {
  ACanvas->DrawComplexFrame(R, clBtnHighlight, cl3DDkShadow, ABorders);
  ACanvas->DrawComplexFrame(InflateRectBy(R, -1, -1), cl3DLight, clBtnShadow, ABorders);
}

int S::HeaderBorderSize() const { return 2; }

TcxPopupBorderStyle S::PopupBorderStyle() const { return pbs3D; }

}  // namespace talvik
