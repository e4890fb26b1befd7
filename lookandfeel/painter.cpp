// The generic painter: identity, arrows, borders, buttons, check boxes,
// scroll bars, the size grip, windows, group boxes and panels. Grid parts,
// default colours and the rarer controls are in painter_*.cpp.
#include "lookandfeel/painter.h"

#include <algorithm>

#include "lookandfeel/painterresources.h"
#include "lookandfeel/paintershapes.h"

namespace talvik {

namespace {
// The system's grip lines over whatever ARect shows: the frame control fills its
// own face, which is keyed out.
void DrawSystemSizeGrip(TcxCanvas* ACanvas, const RECT& ARect) {
  int w = RectWidth(ARect), h = RectHeight(ARect);
  if (w <= 0 || h <= 0) return;
  HDC dc = ACanvas->Handle();
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, w, h);
  HGDIOBJ old = SelectObject(memory, bitmap);
  RECT r{0, 0, w, h};
  DrawFrameControl(memory, &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  TransparentBlt(dc, ARect.left, ARect.top, w, h, memory, 0, 0, w, h, GetSysColor(COLOR_BTNFACE));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

TcxArrowPoints OffsetPoints(TcxArrowPoints P, int D) {
  for (POINT& p : P) p.x += D, p.y += D;
  return P;
}
}  // namespace

TcxCustomLookAndFeelPainterClass TcxCustomLookAndFeelPainter::Instance() {
  static const TcxCustomLookAndFeelPainter painter;
  return &painter;
}

TcxArrowDirection ScrollBarLineArrowDirection(bool AHorizontal, TcxScrollBarPart APart) {
  if (AHorizontal) return APart == sbpLineUp ? adLeft : adRight;
  return APart == sbpLineUp ? adUp : adDown;
}

// ---- identity

TcxLookAndFeelStyle TcxCustomLookAndFeelPainter::LookAndFeelStyle() const { return lfsStandard; }
bool TcxCustomLookAndFeelPainter::NeedRedrawOnResize() const { return false; }

// ---- arrows

void TcxCustomLookAndFeelPainter::CalculateArrowPoints(const RECT& R, TcxArrowPoints& P,
                                                       TcxArrowDirection AArrowDirection, bool AProportional,
                                                       int AArrowSize) {
  RECT r = R;
  if (AProportional) {
    int d = RectWidth(r) - RectHeight(r);
    if (d > 0) r = InflateRectBy(r, -(d / 2), 0);
    else r = InflateRectBy(r, 0, -(-d / 2));
  }
  bool vertical = AArrowDirection == adUp || AArrowDirection == adDown;
  int n = AArrowSize != 0 ? AArrowSize : ((vertical ? RectWidth(r) : RectHeight(r)) - 1) / 4 + 1;
  int cx = vertical ? 2 * n - 1 : n, cy = vertical ? n : 2 * n - 1;
  int cxL = (r.left + r.right - cx) / 2;
  int cyT = MulDiv(r.top + r.bottom - cy, 1, 2);
  switch (AArrowDirection) {
    case adUp:
      P[1] = {(r.left + r.right - 1) / 2, cyT};
      P[0] = {cxL, cyT + cy - 1};
      P[2] = {cxL + cx - 1, cyT + cy - 1};
      break;
    case adDown:
      P[2] = {cxL, cyT};
      P[0] = {cxL + cx - 1, cyT};
      P[1] = {(r.left + r.right - 1) / 2, cyT + cy - 1};
      break;
    case adLeft:
      P[1] = {cxL, (r.top + r.bottom) / 2};
      P[2] = {cxL + cx - 1, cyT};
      P[0] = {cxL + cx - 1, cyT + cy - 1};
      break;
    case adRight:
      P[0] = {cxL, cyT};
      P[1] = {cxL + cx - 1, (r.top + r.bottom) / 2};
      P[2] = {cxL, cyT + cy - 1};
      break;
  }
}

void TcxCustomLookAndFeelPainter::DrawArrow(TcxCanvas* ACanvas, const RECT& R, TcxArrowDirection AArrowDirection,
                                            TColor AColor) const {
  TcxArrowPoints p;
  CalculateArrowPoints(R, p, AArrowDirection, true);
  FillArrowPolygon(ACanvas, p, AColor);
}

void TcxCustomLookAndFeelPainter::DrawArrow(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                            TcxArrowDirection AArrowDirection, bool ADrawBorder) const {
  TcxArrowPoints p;
  CalculateArrowPoints(R, p, AArrowDirection, false);
  if (ADrawBorder) DrawArrowBorder(ACanvas, R, AState);
  else ACanvas->FillRect(R, ButtonColor(AState));
  FillArrowPolygon(ACanvas, p, ButtonSymbolColor(AState));
}

void TcxCustomLookAndFeelPainter::DrawArrowBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {
  ACanvas->Brush().SetStyle(bsSolid);
  ACanvas->FillRect(R, ButtonColor(AState));
  DrawButtonBorder(ACanvas, R, AState);
}

void TcxCustomLookAndFeelPainter::DrawScrollBarArrow(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                                     TcxArrowDirection AArrowDirection) const {
  RECT r = R;
  if (AState == cxbsPressed) r = OffsetRectBy(r, ButtonTextShift(), ButtonTextShift());
  TcxArrowPoints p;
  CalculateArrowPoints(r, p, AArrowDirection, true);
  if (AState == cxbsDisabled) {
    FillArrowPolygon(ACanvas, OffsetPoints(p, 1), clBtnHighlight);
    FillArrowPolygon(ACanvas, p, clBtnShadow);
  } else {
    FillArrowPolygon(ACanvas, p, ButtonSymbolColor(AState));
  }
}

// ---- borders

int TcxCustomLookAndFeelPainter::BorderSize() const { return 0; }
void TcxCustomLookAndFeelPainter::DrawBorder(TcxCanvas* ACanvas, const RECT& R) const {}

// ---- buttons

RECT TcxCustomLookAndFeelPainter::AdjustGroupButtonDisplayRect(const RECT& R, int AButtonCount,
                                                               int AButtonIndex) const {
  RECT b = ButtonGroupBorderSizes(AButtonCount, AButtonIndex);
  return InflateRectBy4(R, b.left, b.top, b.right, b.bottom);
}

int TcxCustomLookAndFeelPainter::ButtonBorderSize(TcxButtonState AState) const { return 0; }
TColor TcxCustomLookAndFeelPainter::ButtonColor(TcxButtonState AState) const { return clBtnFace; }

RECT TcxCustomLookAndFeelPainter::ButtonFocusRect(TcxCanvas* ACanvas, const RECT& R) const {
  RECT r = InflateRectBy(R, -4, -4);
  return RectIsEmpty(r) ? R : r;
}

// Buttons of a group share their inner borders: only the outer ends keep theirs.
RECT TcxCustomLookAndFeelPainter::ButtonGroupBorderSizes(int AButtonCount, int AButtonIndex) const {
  int b = ButtonBorderSize();
  return RECT{AButtonIndex == 0 ? 0 : b, 0, AButtonIndex == AButtonCount - 1 ? 0 : b, 0};
}

int TcxCustomLookAndFeelPainter::ButtonTextOffset() const { return 0; }
int TcxCustomLookAndFeelPainter::ButtonTextShift() const { return 0; }

TColor TcxCustomLookAndFeelPainter::ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor) const {
  if (AState == cxbsDisabled) return clBtnShadow;
  return ADefaultColor == clDefault ? clBtnText : ADefaultColor;
}

TcxButtonState TcxCustomLookAndFeelPainter::ButtonSymbolState(TcxButtonState AState) const { return AState; }

void TcxCustomLookAndFeelPainter::DrawButton(TcxCanvas* ACanvas, const RECT& R, const std::wstring& ACaption,
                                             TcxButtonState AState, bool ADrawBorder, TColor AColor,
                                             TColor ATextColor, bool AWordWrap, bool AIsToolButton) const {
  RECT r = R;
  if (ADrawBorder) {
    DrawButtonBorder(ACanvas, r, AState);
    int b = ButtonBorderSize(AState);
    r = InflateRectBy(r, -b, -b);
  }
  ACanvas->Brush().SetStyle(bsSolid);
  ACanvas->FillRect(r, AColor == clDefault ? ButtonColor(AState) : AColor);
  DrawButtonCaption(this, ACanvas, r, ACaption, AState, ATextColor, AWordWrap);
}

void TcxCustomLookAndFeelPainter::DrawButtonInGroup(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                                    int AButtonCount, int AButtonIndex,
                                                    TColor ABackgroundColor) const {
  if (ABackgroundColor != clDefault) ACanvas->FillRect(R, ABackgroundColor);
  ACanvas->SaveClipRegion();
  ACanvas->IntersectClipRect(R);
  DrawButton(ACanvas, AdjustGroupButtonDisplayRect(R, AButtonCount, AButtonIndex), L"", AState);
  ACanvas->RestoreClipRegion();
}

void TcxCustomLookAndFeelPainter::DrawButtonBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {}

void TcxCustomLookAndFeelPainter::DrawButtonGroupBorder(TcxCanvas* ACanvas, const RECT& R, bool AInplace,
                                                        bool ASelected) const {
  if (ASelected) ACanvas->FrameRect(R, clHighlight);
  else if (!AInplace) DrawBorder(ACanvas, R);
}

void TcxCustomLookAndFeelPainter::DrawButtonCross(TcxCanvas* ACanvas, const RECT& R, TColor AColor,
                                                  TcxButtonState AState) const {
  // Two 2-pixel-wide diagonals over an 8 x 7 box.
  TColor color = ButtonSymbolColor(AState, AColor);
  RECT box = CenterRect(R, 8, 7);
  for (int i = 0; i < 7; ++i) {
    ACanvas->FillRect(RECT{box.left + i, box.top + i, box.left + i + 2, box.top + i + 1}, color);
    ACanvas->FillRect(RECT{box.left + 6 - i, box.top + i, box.left + 8 - i, box.top + i + 1}, color);
  }
}

// ---- expand buttons

void TcxCustomLookAndFeelPainter::DrawExpandButton(TcxCanvas* ACanvas, const RECT& R, bool AExpanded,
                                                   TColor AColor) const {
  DrawSmallExpandButton(ACanvas, R, AExpanded, clBtnShadow, AColor);
}

bool TcxCustomLookAndFeelPainter::DrawExpandButtonFirst() const { return true; }

void TcxCustomLookAndFeelPainter::DrawGroupExpandButton(TcxCanvas* ACanvas, const RECT& R, bool AExpanded,
                                                        TcxButtonState AState) const {
  DrawButton(ACanvas, R, L"", AState);
  int b = ButtonBorderSize(AState);
  DrawArrow(ACanvas, InflateRectBy(R, -b - 2, -b - 2), AExpanded ? adUp : adDown, ButtonSymbolColor(AState));
}

void TcxCustomLookAndFeelPainter::DrawSmallExpandButton(TcxCanvas* ACanvas, const RECT& R, bool AExpanded,
                                                        TColor ABorderColor, TColor AColor) const {
  ACanvas->FrameRect(R, ABorderColor);
  ACanvas->FillRect(InflateRectBy(R, -1, -1), AColor == clDefault ? clWindow : AColor);
  DrawPlusMinusSign(ACanvas, R, !AExpanded, clBtnText);
}

int TcxCustomLookAndFeelPainter::ExpandButtonSize() const { return 9; }
int TcxCustomLookAndFeelPainter::GroupExpandButtonSize() const { return 15; }
bool TcxCustomLookAndFeelPainter::IsButtonHotTrack() const { return false; }

bool TcxCustomLookAndFeelPainter::IsPointOverGroupExpandButton(const RECT& R, POINT P) const {
  return PtInRect(&R, P) != 0;
}

int TcxCustomLookAndFeelPainter::SmallExpandButtonSize() const { return 9; }

// ---- check boxes and radio buttons

int TcxCustomLookAndFeelPainter::CheckBorderSize() const { return 0; }

TColor TcxCustomLookAndFeelPainter::CheckButtonColor(TcxButtonState AState) const {
  return AState == cxbsDisabled || AState == cxbsPressed ? clBtnFace : clWindow;
}

SIZE TcxCustomLookAndFeelPainter::CheckButtonSize() const { return cxCheckBoxSize(); }

void TcxCustomLookAndFeelPainter::DrawCheck(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState, bool AChecked,
                                            TColor AColor) const {
  ACanvas->Brush().SetStyle(bsSolid);
  ACanvas->FillRect(R, AColor == clDefault ? CheckButtonColor(AState) : AColor);
  if (AChecked) DrawTickMark(ACanvas, R, ButtonSymbolColor(AState));
}

void TcxCustomLookAndFeelPainter::DrawCheckBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {}

void TcxCustomLookAndFeelPainter::DrawCheckButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                                  bool AChecked) const {
  DrawCheckButton(ACanvas, R, AState, AChecked ? cbsChecked : cbsUnchecked);
}

void TcxCustomLookAndFeelPainter::DrawCheckButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                                  TcxCheckBoxState ACheckState) const {
  DrawCheckBorder(ACanvas, R, AState);
  int b = CheckBorderSize();
  RECT r = InflateRectBy(R, -b, -b);
  if (ACheckState == cbsGrayed) {
    ACanvas->FillRect(r, clBtnFace);
    DrawTickMark(ACanvas, r, clBtnShadow);
  } else {
    DrawCheck(ACanvas, r, AState, ACheckState == cbsChecked, clDefault);
  }
}

void TcxCustomLookAndFeelPainter::DrawRadioButton(TcxCanvas* ACanvas, int X, int Y, TcxButtonState AButtonState,
                                                  bool AChecked, bool AFocused, TColor ABrushColor) const {
  if (TcxRadioButtonImageList* images = cxRadioButtonImageList())
    images->Draw(ACanvas, X, Y, ABrushColor, AButtonState, AChecked, AFocused);
}

SIZE TcxCustomLookAndFeelPainter::RadioButtonSize() const {
  TcxRadioButtonImageList* images = cxRadioButtonImageList();
  return images ? images->ImageSize() : SIZE{};
}

// ---- label lines

void TcxCustomLookAndFeelPainter::DrawLabelLine(TcxCanvas* ACanvas, const RECT& R, TColor AOuterColor,
                                                TColor AInnerColor, bool AIsVertical) const {
  if (AIsVertical) {
    int x = (R.left + R.right) / 2 - 1;
    ACanvas->FillRect(RECT{x, R.top, x + 1, R.bottom}, AOuterColor);
    ACanvas->FillRect(RECT{x + 1, R.top, x + 2, R.bottom}, AInnerColor);
  } else {
    int y = (R.top + R.bottom) / 2 - 1;
    ACanvas->FillRect(RECT{R.left, y, R.right, y + 1}, AOuterColor);
    ACanvas->FillRect(RECT{R.left, y + 1, R.right, y + 2}, AInnerColor);
  }
}

int TcxCustomLookAndFeelPainter::LabelLineHeight() const { return 2; }

// ---- windows and popups

void TcxCustomLookAndFeelPainter::DrawWindowContent(TcxCanvas* ACanvas, const RECT& ARect) const {
  ACanvas->FillRect(ARect, clBtnFace);
}

TcxPopupBorderStyle TcxCustomLookAndFeelPainter::PopupBorderStyle() const { return pbsNone; }

// ---- scroll bars and size grip

int TcxCustomLookAndFeelPainter::ScrollBarMinimalThumbSize(bool AVertical) const { return 8; }

void TcxCustomLookAndFeelPainter::DrawScrollBarBackground(TcxCanvas* ACanvas, const RECT& R,
                                                          bool AHorizontal) const {
  DrawScrollBarPart(ACanvas, AHorizontal, R, sbpPageUp, cxbsNormal);
}

void TcxCustomLookAndFeelPainter::DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R,
                                                    TcxScrollBarPart APart, TcxButtonState AState) const {}

SIZE TcxCustomLookAndFeelPainter::SizeGripSize() const {
  return SIZE{GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
}

void TcxCustomLookAndFeelPainter::DrawSizeGrip(TcxCanvas* ACanvas, const RECT& ARect,
                                               TColor ABackgroundColor) const {
  ACanvas->FillRect(ARect, ABackgroundColor);
  DrawSystemSizeGrip(ACanvas, ARect);
}

// ---- group box

void TcxCustomLookAndFeelPainter::DrawGroupBoxBackground(TcxCanvas* ACanvas, const RECT& ABounds,
                                                         const RECT& ARect) const {}

void TcxCustomLookAndFeelPainter::DrawGroupBoxCaption(TcxCanvas* ACanvas, const RECT& ACaptionRect,
                                                      TcxGroupBoxCaptionPosition ACaptionPosition) const {}

void TcxCustomLookAndFeelPainter::DrawGroupBoxContent(TcxCanvas* ACanvas, const RECT& ABorderRect,
                                                      TcxGroupBoxCaptionPosition ACaptionPosition,
                                                      TcxBorders ABorders) const {
  ACanvas->FillRect(ABorderRect, clBtnFace);
}

// An etched line on each side asked for.
void TcxCustomLookAndFeelPainter::DrawGroupBoxFrame(TcxCanvas* ACanvas, const RECT& R, bool AEnabled,
                                                    TcxGroupBoxCaptionPosition ACaptionPosition,
                                                    TcxBorders ABorders) const {
  ACanvas->DrawComplexFrame(R, clBtnShadow, clBtnHighlight, ABorders);
  ACanvas->DrawComplexFrame(InflateRectBy(R, -1, -1), clBtnHighlight, clBtnShadow, ABorders);
}

RECT TcxCustomLookAndFeelPainter::GroupBoxBorderSize(bool ACaption,
                                                     TcxGroupBoxCaptionPosition ACaptionPosition) const {
  return ACaption ? RECT{} : RECT{2, 2, 2, 2};
}

TColor TcxCustomLookAndFeelPainter::GroupBoxTextColor(bool AEnabled,
                                                      TcxGroupBoxCaptionPosition ACaptionPosition) const {
  return AEnabled ? clBtnText : clGrayText;
}

bool TcxCustomLookAndFeelPainter::IsGroupBoxTransparent(bool AIsCaption,
                                                        TcxGroupBoxCaptionPosition ACaptionPosition) const {
  return false;
}

// ---- panel

void TcxCustomLookAndFeelPainter::DrawPanelBackground(TcxCanvas* ACanvas, TWinControl* AControl,
                                                      const RECT& ABounds, TColor AColorFrom, TColor AColorTo) const {
  DrawGroupBoxBackground(ACanvas, ABounds, ABounds);
}

void TcxCustomLookAndFeelPainter::DrawPanelBorders(TcxCanvas* ACanvas, const RECT& ABorderRect) const {}

void TcxCustomLookAndFeelPainter::DrawPanelCaption(TcxCanvas* ACanvas, const RECT& ACaptionRect,
                                                   TcxGroupBoxCaptionPosition ACaptionPosition) const {
  DrawGroupBoxCaption(ACanvas, ACaptionRect, ACaptionPosition);
}

void TcxCustomLookAndFeelPainter::DrawPanelContent(TcxCanvas* ACanvas, const RECT& ABorderRect, bool ABorder) const {
  ACanvas->FillRect(ABorderRect, clBtnFace);
}

RECT TcxCustomLookAndFeelPainter::PanelBorderSize() const { return RECT{}; }
TColor TcxCustomLookAndFeelPainter::PanelTextColor() const { return clDefault; }

}  // namespace talvik
