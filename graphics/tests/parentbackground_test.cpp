#include <gtest/gtest.h>

#include <map>

#include "graphics/canvas.h"

using namespace talvik;

namespace {
// How often each window was asked for its background.
std::map<HWND, int> gErased;

// Windows that paint a fixed picture on WM_ERASEBKGND / WM_PAINT into the
// device context they are handed: the colour is kept in the window's user data.
LRESULT CALLBACK PictureProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  auto fill = [&](HDC dc, RECT r, COLORREF c) {
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc, &r, b);
    DeleteObject(b);
  };
  COLORREF color = static_cast<COLORREF>(GetWindowLongPtrW(w, GWLP_USERDATA));
  switch (msg) {
    case WM_ERASEBKGND: {
      ++gErased[w];
      RECT r;
      GetClientRect(w, &r);
      fill(reinterpret_cast<HDC>(wp), r, color);
      return 1;
    }
    case WM_PAINT:
      if (wp) {
        // The parent's content: a blue square at (12, 12) in its own coordinates.
        if (!GetParent(w)) fill(reinterpret_cast<HDC>(wp), RECT{12, 12, 14, 14}, RGB(0, 0, 255));
      } else {
        PAINTSTRUCT ps;
        BeginPaint(w, &ps);
        EndPaint(w, &ps);
      }
      return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

HWND Make(HWND parent, int x, int y, int cx, int cy, COLORREF color) {
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PictureProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PictureWindow";
    return RegisterClassW(&wc) != 0;
  }();
  (void)registered;
  // The top-level window shows without taking activation: activating it would make the
  // system wait on whichever window of another test process was active before.
  DWORD exStyle = parent ? 0 : WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW;
  HWND w = CreateWindowExW(exStyle, L"PictureWindow", L"", parent ? WS_CHILD | WS_VISIBLE : WS_POPUP, x, y, cx, cy,
                           parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(w, GWLP_USERDATA, static_cast<LONG_PTR>(color));
  if (!parent) ShowWindow(w, SW_SHOWNOACTIVATE);
  return w;
}
}  // namespace

TEST(DrawParentBackground, ShowsTheParentAndTheSiblingsBeneath) {
  HWND parent = Make(nullptr, 0, 0, 60, 60, RGB(255, 0, 0));
  HWND control = Make(parent, 10, 10, 20, 20, RGB(1, 1, 1));
  HWND below = Make(parent, 25, 10, 10, 10, RGB(0, 255, 0));
  HWND above = Make(parent, 10, 25, 10, 10, RGB(255, 255, 0));
  HWND apart = Make(parent, 45, 45, 10, 10, RGB(0, 255, 255));
  SetWindowPos(apart, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowPos(below, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowPos(above, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  TBitmap bmp(20, 20, pf32bit);
  TcxCanvas canvas(&bmp.Canvas());
  gErased.clear();
  DrawParentBackground(control, &canvas, RECT{0, 0, 20, 20});
  // A sibling beneath but elsewhere is not asked to paint.
  EXPECT_EQ(gErased[below], 1);
  EXPECT_EQ(gErased[apart], 0);
  HDC dc = bmp.Canvas().Handle();
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));    // parent background at (10, 10)
  EXPECT_EQ(GetPixel(dc, 2, 2), RGB(0, 0, 255));    // parent content at (12, 12)
  EXPECT_EQ(GetPixel(dc, 4, 4), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 16, 2), RGB(0, 255, 0));   // the sibling beneath, at (26, 12)
  EXPECT_EQ(GetPixel(dc, 5, 16), RGB(255, 0, 0));   // the sibling above is not copied
  // The canvas comes back as it was.
  EXPECT_EQ(canvas.WindowOrg().x, 0);
  std::unique_ptr<TcxRegion> clip(canvas.GetClipRegion());
  EXPECT_EQ(clip->BoundsRect().right, 30000);

  // A part of the control: its top-left lands on the canvas origin.
  TBitmap part(4, 4, pf32bit);
  TcxCanvas partCanvas(&part.Canvas());
  DrawParentBackground(control, &partCanvas, RECT{2, 2, 6, 6});
  EXPECT_EQ(GetPixel(part.Canvas().Handle(), 0, 0), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(part.Canvas().Handle(), 3, 3), RGB(255, 0, 0));

  // Nothing for a window without parent.
  TBitmap none(2, 2, pf32bit);
  TcxCanvas noneCanvas(&none.Canvas());
  DrawParentBackground(parent, &noneCanvas, RECT{0, 0, 2, 2});
  EXPECT_EQ(GetPixel(none.Canvas().Handle(), 0, 0), RGB(0, 0, 0));
  DestroyWindow(parent);
}
