// The system's visual styles through the theme services; every part falls
// back to the standard or generic drawing while no theme can be opened.
#include <vssym32.h>

#include <algorithm>

#include "lookandfeel/builtinpainters.h"
#include "lookandfeel/paintershapes.h"

namespace talvik {

namespace {
using X = TcxWinXPLookAndFeelPainter;

// Push-button states: cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled.
constexpr int kButtonStates[] = {PBS_DEFAULTED, PBS_NORMAL, PBS_HOT, PBS_PRESSED, PBS_DISABLED};
constexpr int kThemeFillColor = 204;  // property of the button face colour
constexpr int kThemeTextColor = TMT_TEXTCOLOR;

int ButtonStateId(TcxButtonState AState) { return kButtonStates[AState]; }

// Thumbs, tracks and grippers share one state order.
int ScrollStateId(TcxButtonState AState) {
  switch (AState) {
    case cxbsHot: return SCRBS_HOT;
    case cxbsPressed: return SCRBS_PRESSED;
    case cxbsDisabled: return SCRBS_DISABLED;
    default: return SCRBS_NORMAL;
  }
}

// Four states per direction, up first; the default button looks normal.
int ArrowStateId(TcxArrowDirection ADirection, TcxButtonState AState) {
  int offset = AState == cxbsDefault ? 0 : AState - cxbsNormal;
  return 1 + 4 * ADirection + offset;
}

int CheckBoxStateId(TcxButtonState AState, TcxCheckBoxState ACheckState) {
  int offset = AState == cxbsDefault ? 0 : AState - cxbsNormal;
  return 1 + 4 * ACheckState + offset;
}

// The theme draws into the device context with the canvas's font.
HDC PreparedDC(TcxCanvas* ACanvas) {
  ACanvas->Canvas()->RequireAll();
  return ACanvas->Handle();
}
}  // namespace

TcxCustomLookAndFeelPainterClass X::Instance() {
  static const TcxWinXPLookAndFeelPainter painter;
  return &painter;
}

TcxLookAndFeelStyle X::LookAndFeelStyle() const { return lfsNative; }
bool X::NeedRedrawOnResize() const { return AreVisualStylesUsable(0); }
int X::BorderSize() const { return OpenThemeHandle(totListView) ? 1 : 2; }

void X::DrawBorder(TcxCanvas* ACanvas, const RECT& R) const {
  TdxTheme theme = OpenThemeHandle(totListView);
  if (!theme) return TcxStandardLookAndFeelPainter::DrawBorder(ACanvas, R);
  ACanvas->SaveClipRegion();
  ACanvas->ExcludeClipRect(InflateRectBy(R, -1, -1));
  talvik::DrawThemeBackground(theme, ACanvas->Handle(), 5, 0, &R, nullptr);
  ACanvas->RestoreClipRegion();
}

void X::DrawArrow(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState, TcxArrowDirection AArrowDirection,
                  bool ADrawBorder) const {
  TdxTheme theme = OpenThemeHandle(totScrollBar);
  if (!theme) return TcxStandardLookAndFeelPainter::DrawArrow(ACanvas, R, AState, AArrowDirection, ADrawBorder);
  talvik::DrawThemeBackground(theme, ACanvas->Handle(), SBP_ARROWBTN, ArrowStateId(AArrowDirection, AState), &R, nullptr);
}

int X::ButtonBorderSize(TcxButtonState AState) const {
  TdxTheme theme = OpenThemeHandle(totButton);
  RECT bounds{0, 0, 100, 100}, content{};
  if (theme && SUCCEEDED(talvik::GetThemeBackgroundContentRect(theme, nullptr, BP_PUSHBUTTON, ButtonStateId(AState), &bounds,
                                                       &content)))
    return content.left;
  return 2;
}

// An unreadable theme colour falls back to the classic face.
TColor X::ButtonColor(TcxButtonState AState) const {
  TdxTheme theme = OpenThemeHandle(totButton);
  COLORREF color = 0;
  if (theme && SUCCEEDED(talvik::GetThemeColor(theme, BP_PUSHBUTTON, ButtonStateId(AState), kThemeFillColor, &color)))
    return static_cast<TColor>(color);
  return clBtnFace;
}

RECT X::ButtonFocusRect(TcxCanvas* ACanvas, const RECT& R) const {
  TdxTheme theme = OpenThemeHandle(totButton);
  RECT content{};
  HDC dc = ACanvas ? ACanvas->Handle() : nullptr;
  if (theme && SUCCEEDED(talvik::GetThemeBackgroundContentRect(theme, dc, BP_PUSHBUTTON, PBS_NORMAL, &R, &content)))
    return content;
  return TcxCustomLookAndFeelPainter::ButtonFocusRect(ACanvas, R);
}

int X::ButtonTextOffset() const { return 2; }
int X::ButtonTextShift() const { return 0; }

TColor X::ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor) const {
  TdxTheme theme = OpenThemeHandle(totButton);
  COLORREF color = 0;
  if (theme && SUCCEEDED(talvik::GetThemeColor(theme, BP_PUSHBUTTON, ButtonStateId(AState), kThemeTextColor, &color)))
    return static_cast<TColor>(color);
  return TcxCustomLookAndFeelPainter::ButtonSymbolColor(AState, ADefaultColor);
}

void X::DrawButton(TcxCanvas* ACanvas, const RECT& R, const std::wstring& ACaption, TcxButtonState AState,
                   bool ADrawBorder, TColor AColor, TColor ATextColor, bool AWordWrap, bool AIsToolButton) const {
  TdxTheme theme = OpenThemeHandle(AIsToolButton ? totToolBar : totButton);
  if (!theme)
    return TcxCustomLookAndFeelPainter::DrawButton(ACanvas, R, ACaption, AState, ADrawBorder, AColor, ATextColor,
                                                   AWordWrap, AIsToolButton);
  HDC dc = PreparedDC(ACanvas);
  int state = ButtonStateId(AState);
  talvik::DrawThemeBackground(theme, dc, BP_PUSHBUTTON, state, &R, nullptr);
  if (!ACaption.empty())
    talvik::DrawThemeText(theme, dc, BP_PUSHBUTTON, state, ACaption, DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0, &R);
}

// Wider of the gripper's minimum plus a margin and its true size, never below 8.
int X::ScrollBarMinimalThumbSize(bool AVertical) const {
  TdxTheme theme = OpenThemeHandle(totScrollBar);
  int part = AVertical ? SBP_GRIPPERVERT : SBP_GRIPPERHORZ;
  SIZE minimum{};
  if (!theme || FAILED(talvik::GetThemePartSize(theme, nullptr, part, 0, TS_MIN, &minimum))) return 8;
  int m = AVertical ? minimum.cy : minimum.cx, v = m;
  SIZE actual{};
  if (SUCCEEDED(talvik::GetThemePartSize(theme, nullptr, part, 0, TS_TRUE, &actual)))
    v = std::max<int>(AVertical ? actual.cy : actual.cx, m + 4);
  return std::max(v, 8);
}

void X::DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R, TcxScrollBarPart APart,
                          TcxButtonState AState) const {
  if (RectIsEmpty(R)) return;
  TdxTheme theme = OpenThemeHandle(totScrollBar);
  if (!theme) return TcxStandardLookAndFeelPainter::DrawScrollBarPart(ACanvas, AHorizontal, R, APart, AState);
  HDC dc = ACanvas->Handle();
  switch (APart) {
    case sbpLineUp:
    case sbpLineDown:
      DrawArrow(ACanvas, R, AState, ScrollBarLineArrowDirection(AHorizontal, APart), true);
      break;
    case sbpThumbnail:
      talvik::DrawThemeBackground(theme, dc, AHorizontal ? SBP_THUMBBTNHORZ : SBP_THUMBBTNVERT, ScrollStateId(AState), &R,
                          nullptr);
      talvik::DrawThemeBackground(theme, dc, AHorizontal ? SBP_GRIPPERHORZ : SBP_GRIPPERVERT, 0, &R, nullptr);
      break;
    case sbpPageUp:
      talvik::DrawThemeBackground(theme, dc, AHorizontal ? SBP_LOWERTRACKHORZ : SBP_LOWERTRACKVERT, ScrollStateId(AState), &R,
                          nullptr);
      break;
    case sbpPageDown:
      talvik::DrawThemeBackground(theme, dc, AHorizontal ? SBP_UPPERTRACKHORZ : SBP_UPPERTRACKVERT, ScrollStateId(AState), &R,
                          nullptr);
      break;
    case sbpNone: break;
  }
}

void X::DrawSizeGrip(TcxCanvas* ACanvas, const RECT& ARect, TColor ABackgroundColor) const {
  TdxTheme theme = OpenThemeHandle(totScrollBar);
  if (!theme) return TcxCustomLookAndFeelPainter::DrawSizeGrip(ACanvas, ARect, clDefault);
  ACanvas->FillRect(ARect, ABackgroundColor);
  talvik::DrawThemeBackground(theme, ACanvas->Handle(), SBP_SIZEBOX, SZB_RIGHTALIGN, &ARect, nullptr);
}

void X::DrawPanelBackground(TcxCanvas* ACanvas, TWinControl* AControl, const RECT& ABounds, TColor AColorFrom,
                            TColor AColorTo) const {
  if (AColorFrom == clDefault) DrawParentBackgroundAt(ACanvas, AControl, ABounds);
  else ACanvas->FillRect(ABounds, AColorFrom);
}

SIZE X::CheckButtonSize() const {
  TdxTheme theme = OpenThemeHandle(totButton);
  SIZE size{};
  if (theme && SUCCEEDED(talvik::GetThemePartSize(theme, nullptr, BP_CHECKBOX, CBS_UNCHECKEDNORMAL, TS_DRAW, &size)))
    return size;
  return TcxStandardLookAndFeelPainter::CheckButtonSize();
}

void X::DrawCheckButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                        TcxCheckBoxState ACheckState) const {
  TdxTheme theme = OpenThemeHandle(totButton);
  if (!theme) return TcxStandardLookAndFeelPainter::DrawCheckButton(ACanvas, R, AState, ACheckState);
  talvik::DrawThemeBackground(theme, ACanvas->Handle(), BP_CHECKBOX, CheckBoxStateId(AState, ACheckState), &R, nullptr);
}

void X::DrawHeader(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ATextAreaBounds, TcxNeighbors ANeighbors,
                   TcxBorders ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
                   TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const std::wstring& AText,
                   TFont* AFont, TColor ATextColor, TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground,
                   bool AIsLast, bool AIsGroup) const {
  TdxTheme theme = OpenThemeHandle(totHeader);
  if (!theme)
    return TcxStandardLookAndFeelPainter::DrawHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState,
                                                     AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis,
                                                     AText, AFont, ATextColor, ABkColor, AOnDrawBackground, AIsLast,
                                                     AIsGroup);
  int state = AState == cxbsHot ? HIS_HOT : AState == cxbsPressed ? HIS_PRESSED : HIS_NORMAL;
  talvik::DrawThemeBackground(theme, ACanvas->Handle(), HP_HEADERITEM, state, &ABounds, nullptr);
  if (AFont) ACanvas->SetFont(AFont);
  DrawThemedCellText(ACanvas, totHeader, HP_HEADERITEM, state, ATextAreaBounds, AText, AAlignmentHorz,
                     AAlignmentVert, AMultiLine, AShowEndEllipsis);
}

void X::DrawThemedCellText(TcxCanvas* ACanvas, TdxThemedObjectType AType, int APart, int AState,
                           const RECT& ABounds, const std::wstring& AText, TAlignment AAlignmentHorz,
                           TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis) const {
  if (AText.empty()) return;
  TdxTheme theme = OpenThemeHandle(AType);
  if (!theme) {
    ACanvas->Brush().SetStyle(bsClear);
    ACanvas->DrawTexT(AText, ABounds, AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis);
    ACanvas->Brush().SetStyle(bsSolid);
    return;
  }
  static const DWORD horz[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  static const DWORD vert[] = {DT_TOP, DT_BOTTOM, DT_VCENTER};
  DWORD flags = horz[AAlignmentHorz] | (AMultiLine ? DT_WORDBREAK : DT_SINGLELINE | vert[AAlignmentVert]) |
                (AShowEndEllipsis ? DT_END_ELLIPSIS : 0);
  talvik::DrawThemeText(theme, PreparedDC(ACanvas), APart, AState, AText, flags, 0, &ABounds);
}

}  // namespace talvik
