// Hit tests, the client area's margins and the region the skin paints.
#include "skinforms/formnonclientinfo.h"

namespace talvik {

POINT TdxSkinFormNonClientAreaInfo::CursorPos() const {
  POINT p;
  if (!GetCursorPos(&p)) p = {-1, -1};
  return p;
}

int TdxSkinFormNonClientAreaInfo::GetHitTest(POINT AHitPoint, int AHitTest) {
  const POINT p = ScreenToClient(AHitPoint);
  // A minimized window cannot be sized: its whole band is the caption.
  if (IsSizebox() && !IsZoomed() && !IsIconic()) {
    const RECT& wb = FWindowBounds;
    const int cx = FSizeFrame.cx, cy = FSizeFrame.cy, caption = FBorderWidths.top;
    // Corners first; the top corners reach down the whole caption band.
    const struct {
      RECT Area;
      int Code;
    } areas[] = {
        {{wb.left, wb.top, wb.left + cx, wb.top + caption}, HTTOPLEFT},
        {{wb.right - cx, wb.top, wb.right, wb.top + caption}, HTTOPRIGHT},
        {{wb.left, wb.bottom - cy, wb.left + cx, wb.bottom}, HTBOTTOMLEFT},
        {{wb.right - cx, wb.bottom - cy, wb.right, wb.bottom}, HTBOTTOMRIGHT},
        {{wb.left, wb.top + caption, wb.left + cx, wb.bottom}, HTLEFT},
        {{wb.left, wb.top, wb.right, wb.top + cy}, HTTOP},
        {{wb.right - cx, wb.top + caption, wb.right, wb.bottom}, HTRIGHT},
        {{wb.left, wb.bottom - cy, wb.right, wb.bottom}, HTBOTTOM},
    };
    for (const auto& area : areas) {
      if (AHitTest != 0) break;
      if (PtInRect(&area.Area, p)) AHitTest = area.Code;
    }
  }
  if (AHitTest != 0) return AHitTest;
  if (!PtInRect(&FBorderBounds[bTop], p)) return 0;
  // Later buttons win where rectangles overlap.
  const int codes[dxSkinFormIconCount] = {HTSYSMENU,  HTHELP, HTMINBUTTON, HTMAXBUTTON,
                                          IsIconic() ? HTMINBUTTON : HTMAXBUTTON, HTCLOSE};
  int result = HTCAPTION;
  for (int i = 0; i < dxSkinFormIconCount; ++i)
    if (PtInRect(&FIconBounds[i], p)) result = codes[i];
  return result;
}

TdxSkinFormIcon TdxSkinFormNonClientAreaInfo::GetIconHitTestFromHitTest(int AHitTest) const {
  switch (AHitTest) {
    case HTMINBUTTON: return IsIconic() ? sfiRestore : sfiMinimize;
    case HTMAXBUTTON: return IsZoomed() ? sfiRestore : sfiMaximize;
    case HTCLOSE: return sfiClose;
    case HTHELP: return sfiHelp;
    default: return sfiMenu;
  }
}

TdxSkinFormIcon TdxSkinFormNonClientAreaInfo::GetIconHitTest() {
  return GetIconHitTestFromHitTest(GetHitTest(CursorPos(), 0));
}

// Margins: every side grows inwards, so each of them is added to.
RECT TdxSkinFormNonClientAreaInfo::GetContentMargins() {
  RECT r = InflateRectBy4(FBorderWidths, -FContentOffset, -FContentOffset, FContentOffset, FContentOffset);
  if (Contains(FScrollAreaElements, saeVertScroll)) r.right += SystemMetricsForDpi(SM_CXVSCROLL, FDpi);
  if (Contains(FScrollAreaElements, saeHorzScroll)) r.bottom += SystemMetricsForDpi(SM_CYHSCROLL, FDpi);
  if (IsZoomed() && IsSizebox()) {
    const SIZE system = SystemSizeFrame();
    const int dx = system.cx - FSizeFrame.cx, dy = system.cy - FSizeFrame.cy;
    r = InflateRectBy4(r, -dx, -dy, dx, dy);
  }
  return r;
}

HRGN TdxSkinFormNonClientAreaInfo::CreateMDIClientEdgeRegion() {
  HRGN ring = CreateRectRgnIndirect(&FWindowRect);
  const RECT inner = InflateRectBy(FWindowRect, -FClientEdgeSize.cx, -FClientEdgeSize.cy);
  HRGN hole = CreateRectRgnIndirect(&inner);
  CombineRgn(ring, ring, hole, RGN_XOR);
  DeleteObject(hole);
  return ring;
}

HRGN TdxSkinFormNonClientAreaInfo::CreateDrawRgn() {
  HRGN result = CreateRectRgn(0, 0, 0, 0);
  auto add = [&](HRGN ARegion) {
    CombineRgn(result, result, ARegion, RGN_OR);
    DeleteObject(ARegion);
  };
  auto addRect = [&](const RECT& R) {
    const RECT screen = ClientToScreen(R);
    add(CreateRectRgnIndirect(&screen));
  };
  for (const RECT& r : FBorderBounds)
    if (!RectIsEmpty(r)) addRect(r);
  if (FIsMDIClient) add(CreateMDIClientEdgeRegion());
  if (HasMenu()) addRect(FMenuSeparatorBounds);
  for (TdxScrollAreaElement e : {saeHorzScroll, saeVertScroll, saeSizeGrip})
    if (Contains(FScrollAreaElements, e)) addRect(FScrollAreaBounds[e]);
  return result;
}

}  // namespace talvik
