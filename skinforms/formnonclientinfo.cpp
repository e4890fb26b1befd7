// Metrics, window state, caption font and colours, frame widths and strips.
#include "skinforms/formnonclientinfo.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

#include "framework/sysutils.h"
#include "lookandfeel/painterregistry.h"
#include "lookandfeel/themes.h"
#include "skinforms/skinhook.h"
#include "skinforms/skinformcontroller.h"

namespace talvik {

TdxSkinFormNonClientAreaInfo::TdxSkinFormNonClientAreaInfo(TdxSkinFormController* AController)
    : FController(AController), FCaptionFont(std::make_unique<TFont>()) {
  UpdateFormCaption();
}

TdxSkinFormNonClientAreaInfo::~TdxSkinFormNonClientAreaInfo() { SetUpdateRgn(nullptr); }

HWND TdxSkinFormNonClientAreaInfo::Handle() const { return FController->Handle(); }

void TdxSkinFormNonClientAreaInfo::Calculate() {
  const HWND wnd = Handle();
  if (FDpi <= 0) FDpi = WindowDpi(wnd);
  FNonClientMetrics = NonClientMetricsForDpi(FDpi);
  FIsMDIChild = TdxSkinWinController::IsMDIChildWindow(wnd);
  FIsMDIClient = TdxSkinWinController::IsMDIClientWindow(wnd);
  FHasMenu = IsMenu(GetMenu(wnd)) && !FIsMDIChild;
  FHasClientEdge = TdxSkinFormHelper::HasClientEdge(wnd);
  FPainter = FController->LookAndFeelPainter();
  FPainterInfo = nullptr;
  TObject* data = nullptr;
  if (FPainter && GetPainterRegistry() && GetPainterRegistry()->GetPainterData(FPainter, data))
    FPainterInfo = dynamic_cast<TdxSkinInfo*>(data);
  // The metrics depend on the style: with the previous calculation's style a
  // window that was just maximized or made a tool window would get the
  // frame of what it was before.
  ReadWindowStyle();
  CalculateMetrics();
  CalculateWindowState();
  CalculateCaptionFont();
  CalculateBorderWidths();
  CalculateBorderBounds();
  CalculateCaptionLayout();
  CalculateScrollAreas();
}

void TdxSkinFormNonClientAreaInfo::ReadWindowStyle() {
  FStyle = GetWindowLongW(Handle(), GWL_STYLE);
  FExStyle = GetWindowLongW(Handle(), GWL_EXSTYLE);
}

TdxSkinElement* TdxSkinFormNonClientAreaInfo::FormFrame(TcxBorder ASide) const {
  return FPainterInfo ? FPainterInfo->FormFrames[!ToolWindow()][ASide] : nullptr;
}

TdxSkinElement* TdxSkinFormNonClientAreaInfo::FormIcon(TdxSkinFormIcon AIcon) const {
  return FPainterInfo ? FPainterInfo->FormIcons[!ToolWindow()][AIcon] : nullptr;
}

RECT TdxSkinFormNonClientAreaInfo::SkinBorderWidths() const {
  return FPainterInfo ? Scaled(FPainterInfo->FormBorderWidths[!ToolWindow()]) : RECT{};
}

void TdxSkinFormNonClientAreaInfo::CalculateMetrics() {
  // The edges as the 96-DPI frame has them, scaled: not every system scales its edge metrics.
  FClientEdgeSize = {Scaled(SystemMetricsForDpi(SM_CXEDGE, kDesignDpi)),
                     Scaled(SystemMetricsForDpi(SM_CYEDGE, kDesignDpi))};
  const RECT widths = SkinBorderWidths();
  // Across the sides from the bottom width, across top and bottom from the right width.
  FSizeFrame = {widths.bottom, widths.right};
  FSupressed = IsZoomed() || NativeBorderWidth();
  if (FSupressed) {
    const SIZE system = SystemSizeFrame();
    FSizeFrame = {std::min(FSizeFrame.cx, system.cx), std::min(FSizeFrame.cy, system.cy)};
  }
}

SIZE TdxSkinFormNonClientAreaInfo::SystemSizeFrame() const {
  SIZE result{SystemMetricsForDpi(SM_CXFRAME, FDpi), SystemMetricsForDpi(SM_CYFRAME, FDpi)};
  if (!IsSizebox()) {
    result.cx -= FNonClientMetrics.iBorderWidth;
    result.cy -= FNonClientMetrics.iBorderWidth;
  }
  return result;
}

RECT TdxSkinFormNonClientAreaInfo::SystemBorderWidths() const {
  const int w = FClientRect.left - FWindowRect.left - FContentOffset;
  int t = FClientRect.top - FWindowRect.top - FContentOffset;
  if (FHasMenu) t -= FNonClientMetrics.iMenuHeight + FClientEdgeSize.cy;
  return {w, t, w, w};
}

void TdxSkinFormNonClientAreaInfo::CalculateWindowState() {
  const HWND wnd = Handle();
  ReadWindowStyle();
  POINT origin{0, 0};
  ::ClientToScreen(wnd, &origin);
  GetClientRect(wnd, &FClientRect);
  FClientRect = OffsetRectBy(FClientRect, origin);
  GetWindowRect(wnd, &FWindowRect);
  FContentOffset = TdxSkinFormHelper::GetContentOffset(wnd);
  FClientBounds = ScreenToClient(FClientRect);
  FWindowBounds = {0, 0, RectWidth(FWindowRect), RectHeight(FWindowRect)};
  if (IsZoomed() || NativeBorderWidth()) {
    const SIZE system = SystemSizeFrame();
    const int dx = std::max(0, int(system.cx - FSizeFrame.cx));
    const int dy = std::max(0, int(system.cy - FSizeFrame.cy));
    FWindowBounds = InflateRectBy(FWindowBounds, -dx, -dy);
  }
  FSysMenuIcon = GetSystemMenuIcon();
  FIcons = CalculateIcons();
}

HICON TdxSkinFormNonClientAreaInfo::GetSystemMenuIcon() {
  WPARAM kind = ICON_SMALL2;
  if (!IsWinXPOrLater()) kind = ToolWindow() ? ICON_SMALL : ICON_BIG;
  return reinterpret_cast<HICON>(DefWindowProcW(Handle(), WM_GETICON, kind, 0));
}

TdxSkinFormIcons TdxSkinFormNonClientAreaInfo::CalculateIcons() {
  TdxSkinFormIcons result = 0;
  if (FStyle & WS_SYSMENU) {
    result = IconBit(sfiClose);
    if (!ToolWindow() && !IsDialog()) result |= IconBit(sfiMenu);
  }
  // The skin has only a close button for tool windows, as the system shows;
  // others would be invisible yet still take clicks.
  if (ToolWindow()) return result;
  if (FStyle & WS_MINIMIZEBOX) result |= IconBit(IsIconic() ? sfiRestore : sfiMinimize);
  if (FStyle & WS_MAXIMIZEBOX) result |= IconBit(IsZoomed() ? sfiRestore : sfiMaximize);
  if (IsDialog() && (FExStyle & WS_EX_CONTEXTHELP)) result |= IconBit(sfiHelp);
  return result;
}

void TdxSkinFormNonClientAreaInfo::CalculateCaptionFont() {
  const LOGFONTW& logFont = ToolWindow() ? FNonClientMetrics.lfSmCaptionFont : FNonClientMetrics.lfCaptionFont;
  const int delta = !ToolWindow() && FPainterInfo ? FPainterInfo->FormCaptionDelta - 1 : 0;
  // Making the font and measuring it cost more than the rest of a calculation;
  // both change only with the system's caption font and the skin's delta.
  if (FCaptionTextHeight < 0 || delta != FCaptionFontDelta || FDpi != FCaptionFontDpi ||
      memcmp(&logFont, &FCaptionLogFont, sizeof logFont) != 0) {
    if (HFONT font = CreateFontIndirectW(&logFont)) {
      FCaptionFont->SetHandle(font);
      DeleteObject(font);
    }
    // The delta is in points: at the window's DPI, whatever the screen's.
    if (delta != 0)
      FCaptionFont->SetHeight(-MulDiv(-MulDiv(FCaptionFont->Height(), 72, FDpi) + delta, FDpi, 72));
    FCaptionLogFont = logFont;
    FCaptionFontDelta = delta;
    FCaptionFontDpi = FDpi;
    FCaptionTextHeight = ScreenTextHeight(FCaptionFont.get(), L"Wg", 0);
  }

  FCaptionTextShadowColor = clBtnShadow;
  FCaptionTextColor[true] = static_cast<TColor>(GetSysColor(COLOR_CAPTIONTEXT));
  FCaptionTextColor[false] = static_cast<TColor>(GetSysColor(COLOR_INACTIVECAPTIONTEXT));
  if (!FPainterInfo) return;
  // A skin without a caption element keeps the system's caption text colour.
  if (TdxSkinElement* caption = FPainterInfo->FormFrames[true][bTop]) FCaptionTextColor[true] = caption->TextColor();
  if (TdxSkinColor* shadow = FPainterInfo->FormTextShadowColor) FCaptionTextShadowColor = shadow->Value();
  TdxSkinColor* inactive = FPainterInfo->FormInactiveColor;
  FCaptionTextColor[false] = inactive ? inactive->Value() : FCaptionTextColor[true];
}

int TdxSkinFormNonClientAreaInfo::CalculateCaptionHeight() {
  if (!HasCaption()) return 0;
  if (NativeBorderWidth()) return SystemBorderWidths().top - FWindowBounds.top;
  int h = FCaptionTextHeight;
  if (!ToolWindow()) h = std::max(h, SystemMetricsForDpi(SM_CYSMICON, FDpi));
  return h + 2 * FClientEdgeSize.cy + FSizeFrame.cy;
}

void TdxSkinFormNonClientAreaInfo::CalculateBorderWidths() {
  FBorderWidths = {};
  FMenuSeparatorBounds = {};
  if (IsIconic()) {
    FBorderWidths.top = RectHeight(FWindowBounds);
    return;
  }
  if (HasBorder()) {
    FBorderWidths = SkinBorderWidths();
    if (NativeBorderWidth()) {
      const RECT system = SystemBorderWidths();
      FBorderWidths.left = std::min(FBorderWidths.left, system.left);
      FBorderWidths.right = std::min(FBorderWidths.right, system.right);
      FBorderWidths.bottom = std::min(FBorderWidths.bottom, system.bottom);
    }
  }
  FBorderWidths.top = CalculateCaptionHeight();
  if (HasMenu()) FMenuSeparatorBounds = RectWithHeight(RectContent(FWindowBounds, FBorderWidths), 1);
}

void TdxSkinFormNonClientAreaInfo::CalculateBorderBounds() {
  const RECT& wb = FWindowBounds;
  const RECT& bw = FBorderWidths;
  FBorderBounds[bLeft] = {wb.left, wb.top, wb.left + bw.left, wb.bottom};
  FBorderBounds[bTop] = {wb.left, wb.top, wb.right, wb.top + bw.top};
  FBorderBounds[bRight] = {wb.right - bw.right, wb.top, wb.right, wb.bottom};
  FBorderBounds[bBottom] = {wb.left, wb.bottom - bw.bottom, wb.right, wb.bottom};
}

int TdxSkinFormNonClientAreaInfo::GetFrameSize(TcxBorder ASide) const {
  TdxSkinElement* element = FormFrame(ASide);
  if (!element) return 0;
  const SIZE size = element->Size();
  return Scaled(ASide == bLeft || ASide == bRight ? size.cx : size.cy);
}

// ---- window kind and state

bool TdxSkinFormNonClientAreaInfo::ThemeActive() {
  if (!FThemeActiveAssigned) {
    FThemeActive = IsThemeActive();
    FThemeActiveAssigned = true;
  }
  return FThemeActive;
}

bool TdxSkinFormNonClientAreaInfo::NativeBorderWidth() { return FHasMenu || FIsMDIClient || !ThemeActive(); }

bool TdxSkinFormNonClientAreaInfo::NeedCheckNonClientSize() {
  return HasBorder() && !NativeBorderWidth() && !(IsZoomed() && FIsMDIChild);
}

bool TdxSkinFormNonClientAreaInfo::HasSizeConstraints() const {
  TCustomForm* form = TdxSkinFormHelper::GetForm(Handle());
  if (!form) return false;
  const TSizeConstraints& c = form->Constraints();
  return c.MinHeight || c.MinWidth || c.MaxHeight || c.MaxWidth;
}

bool TdxSkinFormNonClientAreaInfo::IsAlphaBlendUsed() const { return TdxSkinFormHelper::IsAlphaBlendUsed(Handle()); }

bool TdxSkinFormNonClientAreaInfo::ButtonPressed() const { return GetKeyState(VK_LBUTTON) < 0; }

bool TdxSkinFormNonClientAreaInfo::HasCaptionTextShadow() const {
  return FActive && !ToolWindow() && FCaptionTextShadowColor != clNone && FCaptionTextShadowColor != clDefault;
}

RECT TdxSkinFormNonClientAreaInfo::ScreenRect() const {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (HMONITOR monitor = MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST); monitor && GetMonitorInfoW(monitor, &info))
    return info.rcMonitor;
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  return desktop;
}

void TdxSkinFormNonClientAreaInfo::SetActive(bool Value) {
  if (FActive == Value) return;
  FActive = Value;
  UpdateIconStates();
}

void TdxSkinFormNonClientAreaInfo::SetUpdateRgn(HRGN Value) {
  if (FUpdateRgn) DeleteObject(FUpdateRgn);
  FUpdateRgn = Value;
  if (FUpdateRgn) OffsetRgn(FUpdateRgn, -FWindowRect.left, -FWindowRect.top);
}

// ---- coordinates

POINT TdxSkinFormNonClientAreaInfo::ScreenToClient(LPARAM APackedPoint) const {
  return ScreenToClient(POINT{GET_X_LPARAM(APackedPoint), GET_Y_LPARAM(APackedPoint)});
}

POINT TdxSkinFormNonClientAreaInfo::ScreenToClient(POINT P) const {
  return {P.x - FWindowRect.left, P.y - FWindowRect.top};
}

RECT TdxSkinFormNonClientAreaInfo::ScreenToClient(const RECT& R) const {
  return OffsetRectBy(R, FWindowRect.left, FWindowRect.top, false);
}

POINT TdxSkinFormNonClientAreaInfo::ClientToScreen(POINT P) const {
  return {P.x + FWindowRect.left, P.y + FWindowRect.top};
}

RECT TdxSkinFormNonClientAreaInfo::ClientToScreen(const RECT& R) const {
  return OffsetRectBy(R, FWindowRect.left, FWindowRect.top);
}

// ---- caption text and window menu

void TdxSkinFormNonClientAreaInfo::UpdateFormCaption() {
  std::wstring text;
  GetWindowTextOf(Handle(), text);
  SetCaption(text);
}

void TdxSkinFormNonClientAreaInfo::SetCaption(const std::wstring& AText) {
  FCaption = AText;
  if (FIsMDIChild && ControllerHelper()) ControllerHelper()->ChildChanged(Handle());
  UpdateCaptionSuffix();
}

bool TdxSkinFormNonClientAreaInfo::UpdateCaptionSuffix() {
  std::wstring suffix;
  if (TCustomForm* child = TdxSkinFormHelper::GetZoomedMDIChild(Handle())) suffix = child->Caption();
  if (suffix == FCaptionSufix) return false;
  FCaptionSufix = suffix;
  return true;
}

std::wstring TdxSkinFormNonClientAreaInfo::Caption() const {
  return FCaptionSufix.empty() ? FCaption : FCaption + L" - [" + FCaptionSufix + L"]";
}

void TdxSkinFormNonClientAreaInfo::AdjustSystemMenu() {
  if (!(IsWin2K() || NativeBorderWidth()) || FIsMDIChild) return;
  GetSystemMenu(Handle(), TRUE);
  if (!IsDialog() || !HasBorder() || IsSizebox()) return;
  HMENU menu = GetSystemMenu(Handle(), FALSE);
  DeleteMenu(menu, SC_TASKLIST, MF_BYCOMMAND);
  DeleteMenu(menu, 7, MF_BYPOSITION);
  DeleteMenu(menu, 5, MF_BYPOSITION);
  for (UINT command : {SC_MAXIMIZE, SC_MINIMIZE, SC_SIZE, SC_RESTORE}) DeleteMenu(menu, command, MF_BYCOMMAND);
  SetMenuDefaultItem(menu, SC_CLOSE, FALSE);
}

bool TdxSkinFormNonClientAreaInfo::IsSystemMenuItemEnabled(UINT ACommand) const {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  if (!GetMenuItemInfoW(GetSystemMenu(Handle(), FALSE), ACommand, FALSE, &info)) return true;
  return !(info.fState & MF_GRAYED);
}

}  // namespace talvik
