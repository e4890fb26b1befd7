// The window's own scroll bars and size grip, drawn by the skin.
#include "skinforms/formnonclientinfo.h"
#include "skinforms/skinformcontroller.h"

namespace talvik {

namespace {

using TGetScrollBarInfo = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);

// Looked up once: without it no scroll bar is skinned.
TGetScrollBarInfo ScrollBarInfoFunction() {
  static const auto function = reinterpret_cast<TGetScrollBarInfo>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetScrollBarInfo")));
  return function;
}

int SystemBar(TdxSkinFormScrollBar ABar) { return ABar == saeHorzScroll ? SB_HORZ : SB_VERT; }

}  // namespace

SCROLLBARINFO TdxSkinFormNonClientAreaInfo::GetScrollBarInfoFor(TdxSkinFormScrollBar ABar) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  const LONG object = ABar == saeHorzScroll ? OBJID_HSCROLL : OBJID_VSCROLL;
  const HWND wnd = Handle();
  if (ABar != FTrackedScrollBar) {
    ScrollBarInfoFunction()(wnd, object, &info);
    return info;
  }
  // The system moves the real position only when the drag ends; the skinned
  // thumb follows the mouse by reading the bar at the track position.
  SCROLLINFO scroll{};
  scroll.cbSize = sizeof scroll;
  scroll.fMask = SIF_POS | SIF_TRACKPOS;
  GetScrollInfo(wnd, SystemBar(ABar), &scroll);
  FController->LockRedraw();
  SetScrollPos(wnd, SystemBar(ABar), scroll.nTrackPos, FALSE);
  ScrollBarInfoFunction()(wnd, object, &info);
  SetScrollPos(wnd, SystemBar(ABar), scroll.nPos, FALSE);
  FController->UnlockRedraw();
  return info;
}

void TdxSkinFormNonClientAreaInfo::CalculateScrollAreas() {
  FScrollAreaElements = 0;
  for (RECT& r : FScrollAreaBounds) r = {};
  if (!ScrollBarInfoFunction()) return;
  FScrollBarsInfo[saeHorzScroll] = GetScrollBarInfoFor(saeHorzScroll);
  FScrollBarsInfo[saeVertScroll] = GetScrollBarInfoFor(saeVertScroll);
  const RECT& client = FClientBounds;
  if (FStyle & WS_HSCROLL) {
    FScrollAreaElements |= 1u << saeHorzScroll;
    FScrollAreaBounds[saeHorzScroll] = RectWithTop(client, client.bottom, SystemMetricsForDpi(SM_CYHSCROLL, FDpi));
  }
  if (FStyle & WS_VSCROLL) {
    FScrollAreaElements |= 1u << saeVertScroll;
    FScrollAreaBounds[saeVertScroll] = RectWithLeft(client, client.right, SystemMetricsForDpi(SM_CXVSCROLL, FDpi));
  }
  if (Contains(FScrollAreaElements, saeHorzScroll) && Contains(FScrollAreaElements, saeVertScroll)) {
    FScrollAreaElements |= 1u << saeSizeGrip;
    FScrollAreaBounds[saeSizeGrip] = {client.right, client.bottom, FScrollAreaBounds[saeVertScroll].right,
                                      FScrollAreaBounds[saeHorzScroll].bottom};
  }
  CalculateScrollBarParts();
}

void TdxSkinFormNonClientAreaInfo::CalculateScrollBarParts() {
  for (auto& bar : FScrollBarPartState)
    for (TcxButtonState& state : bar) state = cxbsDefault;
  if (!FScrollAreaElements) return;
  const POINT cursor = ScreenToClient(CursorPos());
  for (TdxSkinFormScrollBar bar : {saeHorzScroll, saeVertScroll}) {
    if (!Contains(FScrollAreaElements, bar)) continue;
    const RECT& area = FScrollAreaBounds[bar];
    const int a = bar == saeHorzScroll ? area.left : area.top;
    const int b = bar == saeHorzScroll ? area.right : area.bottom;
    const SCROLLBARINFO& info = FScrollBarsInfo[bar];
    const int d = info.dxyLineButton, t = info.xyThumbTop, u = info.xyThumbBottom;
    CalculateScrollBarPart(bar, a, sbpLineUp, a + d, cursor);
    CalculateScrollBarPart(bar, b - d, sbpLineDown, b, cursor);
    CalculateScrollBarPart(bar, a + t, sbpThumbnail, a + u, cursor);
    CalculateScrollBarPart(bar, a + d, sbpPageUp, a + t, cursor);
    CalculateScrollBarPart(bar, a + u, sbpPageDown, b - d, cursor);
  }
}

void TdxSkinFormNonClientAreaInfo::CalculateScrollBarPart(TdxSkinFormScrollBar ABar, int AFrom, TcxScrollBarPart APart,
                                                          int ATo, POINT ACursor) {
  // SCROLLBARINFO's state entries: 1 line up, 2 page up, 3 thumb, 4 page down, 5 line down.
  static const int entry[cxScrollBarPartCount] = {0, 1, 5, 3, 2, 4};
  const DWORD flags = FScrollBarsInfo[ABar].rgstate[entry[APart]];
  TcxButtonState& state = FScrollBarPartState[ABar][APart];
  state = cxbsDefault;
  if (flags & STATE_SYSTEM_INVISIBLE) return;
  state = cxbsNormal;
  RECT& bounds = FScrollBarPartBounds[ABar][APart];
  bounds = FScrollAreaBounds[ABar];
  // A part of zero length keeps the whole bar.
  if (AFrom != ATo && AFrom != -1) {
    if (ABar == saeHorzScroll) bounds = RectWithHorzBounds(bounds, AFrom, ATo);
    else bounds = RectWithVertBounds(bounds, AFrom, ATo);
  }
  if ((APart == sbpThumbnail && ABar == FTrackedScrollBar) || (flags & STATE_SYSTEM_PRESSED)) {
    state = cxbsPressed;
    return;
  }
  if (flags & STATE_SYSTEM_UNAVAILABLE) {
    state = cxbsDisabled;
    return;
  }
  const bool under = PtInRect(&bounds, ACursor);
  if (!(flags & STATE_SYSTEM_HOTTRACKED) && !under) return;
  state = ButtonPressed() && under ? cxbsPressed : cxbsHot;
}

bool TdxSkinFormNonClientAreaInfo::GetScrollBarHitTest(TdxSkinFormScrollBar& AScrollBar, TcxScrollBarPart& APart) {
  const POINT cursor = ScreenToClient(CursorPos());
  for (TdxSkinFormScrollBar bar : {saeHorzScroll, saeVertScroll}) {
    if (!Contains(FScrollAreaElements, bar) || !PtInRect(&FScrollAreaBounds[bar], cursor)) continue;
    AScrollBar = bar;
    for (TcxScrollBarPart part : {sbpLineUp, sbpLineDown, sbpThumbnail, sbpPageUp, sbpPageDown}) {
      if (FScrollBarPartState[bar][part] != cxbsDefault && PtInRect(&FScrollBarPartBounds[bar][part], cursor)) {
        APart = part;
        return true;
      }
    }
  }
  return false;
}

}  // namespace talvik
