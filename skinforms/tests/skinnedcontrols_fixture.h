// A shown form with two push buttons (the second the default one) and an edit
// box, skinned by the program's skin; pictures of windows taken from the
// screen or painted on request, and the skin painter's own button faces to
// compare them with.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "skinforms/skincontrolcontrollers.h"
#include "skinforms/tests/gdiobjects.h"
#include "skinforms/tests/skinforms_fixture.h"
#include "skins/tests/draw_surface.h"

namespace talvik::test {

using talvik::testing::TDrawSurface;

// The pixels of a rectangle of a device context.
struct TPicture {
  int Width = 0, Height = 0;
  std::vector<COLORREF> Pixels;
  COLORREF At(int X, int Y) const { return Pixels[Y * Width + X]; }
  bool operator==(const TPicture& Other) const = default;
};

inline TPicture ReadPicture(HDC DC, int AWidth, int AHeight) {
  TDrawSurface copy(AWidth, AHeight);
  BitBlt(copy.DC(), 0, 0, AWidth, AHeight, DC, 0, 0, SRCCOPY);
  TPicture p{AWidth, AHeight, {}};
  for (int y = 0; y < AHeight; ++y)
    for (int x = 0; x < AWidth; ++x) p.Pixels.push_back(copy.At(x, y));
  return p;
}

inline SIZE WindowSize(HWND Wnd) {
  RECT r;
  GetWindowRect(Wnd, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// What the screen shows of the window now.
inline TPicture ScreenPicture(HWND Wnd) {
  SIZE s = WindowSize(Wnd);
  HDC dc = GetWindowDC(Wnd);
  TPicture p = ReadPicture(dc, s.cx, s.cy);
  ReleaseDC(Wnd, dc);
  return p;
}

// The window painted into a memory device context (WM_PAINT with the context in WParam).
inline TPicture PaintedPicture(HWND Wnd) {
  SIZE s = WindowSize(Wnd);
  TDrawSurface target(s.cx, s.cy);
  SendMessageW(Wnd, WM_PAINT, reinterpret_cast<WPARAM>(target.DC()), 0);
  return ReadPicture(target.DC(), s.cx, s.cy);
}

// The skin's button face alone for AState, on a background of AColor.
inline TPicture SkinFace(TcxButtonState AState, SIZE ASize, COLORREF AColor) {
  TDrawSurface target(ASize.cx, ASize.cy, AColor);
  SkinPainter()->DrawButton(&target.cx, RECT{0, 0, ASize.cx, ASize.cy}, L"", AState, false, clDefault, clDefault,
                            false, false);
  return ReadPicture(target.DC(), ASize.cx, ASize.cy);
}

// Blending on the screen and in memory may round differently.
inline bool NearlySame(COLORREF A, COLORREF B) {
  auto close = [](int x, int y) { return x - y <= 2 && y - x <= 2; };
  return close(GetRValue(A), GetRValue(B)) && close(GetGValue(A), GetGValue(B)) && close(GetBValue(A), GetBValue(B));
}

// Every pixel nearly the same.
inline bool NearlySame(const TPicture& A, const TPicture& B) {
  if (A.Width != B.Width || A.Height != B.Height) return false;
  for (size_t i = 0; i < A.Pixels.size(); ++i)
    if (!NearlySame(A.Pixels[i], B.Pixels[i])) return false;
  return true;
}

inline std::vector<POINT> Differences(const TPicture& A, const TPicture& B) {
  std::vector<POINT> found;
  for (int y = 0; y < A.Height; ++y)
    for (int x = 0; x < A.Width; ++x)
      if (A.At(x, y) != B.At(x, y)) found.push_back(POINT{x, y});
  return found;
}

// The ring of the button face between its edges and the focus rectangle
// (4 pixels in): no caption or focus rectangle reaches it. Only pixels the
// face covers fully (the same on black and on white) are compared, and not
// the rounded corners, which show what lies behind the button.
inline bool FaceRingShows(const TPicture& APicture, TcxButtonState AState) {
  SIZE size{APicture.Width, APicture.Height};
  TPicture onBlack = SkinFace(AState, size, RGB(0, 0, 0)), onWhite = SkinFace(AState, size, RGB(255, 255, 255));
  int compared = 0;
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x) {
      bool ring = x < 4 || y < 4 || x >= size.cx - 4 || y >= size.cy - 4;
      bool corner = (x < 3 || x >= size.cx - 3) && (y < 3 || y >= size.cy - 3);
      if (!ring || corner || onBlack.At(x, y) != onWhite.At(x, y)) continue;
      if (!NearlySame(APicture.At(x, y), onBlack.At(x, y))) return false;
      ++compared;
    }
  return compared > size.cx;  // the face really was there to compare
}

inline void MoveCursorAway() { SetCursorPos(1000, 740); }

struct SkinnedControls : ::testing::Test {
  void SetUp() override {
    MoveCursorAway();
    Controller = std::make_unique<TdxSkinController>();
    Controller->SetSkinName(kSkin);
    Form = std::make_unique<TTestForm>();
    Form->SetBounds(100, 100, 320, 200);
    Plain = AddButton(L"&Go", 10, 10);
    Default = AddButton(L"Default", 100, 10);
    Default->SetDefault(true);
    Edit = new TEdit(Form.get());
    Edit->SetBounds(10, 50, 120, 21);
    Edit->SetParent(Form.get());
    Form->Show();
    SetForegroundWindow(Form->Handle());
    PumpMessages();
  }
  void TearDown() override {
    Form.reset();
    Controller.reset();
    MoveCursorAway();
  }
  TButton* AddButton(const wchar_t* ACaption, int ALeft, int ATop) {
    auto* b = new TButton(Form.get());
    b->SetBounds(ALeft, ATop, 80, 26);
    b->SetCaption(ACaption);
    b->SetParent(Form.get());
    return b;
  }
  static TdxSkinButtonController* ButtonController(TWinControl* AButton) {
    return dynamic_cast<TdxSkinButtonController*>(ControllerOf(AButton));
  }
  static TcxButtonState StateOf(TWinControl* AButton) { return ButtonController(AButton)->ViewInfo()->State(); }

  std::unique_ptr<TdxSkinController> Controller;
  std::unique_ptr<TTestForm> Form;
  TButton* Plain = nullptr;
  TButton* Default = nullptr;
  TEdit* Edit = nullptr;
};

}  // namespace talvik::test
