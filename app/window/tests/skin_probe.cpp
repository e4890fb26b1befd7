#include "app/window/tests/skin_probe.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "skinforms/tests/gdiobjects.h"

namespace talvik::windowtests {

namespace {

// A top-down 32-bit DIB section with its own memory context.
class TDib {
public:
  TDib(int AWidth, int AHeight) : FWidth(AWidth), FHeight(AHeight) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = AWidth;
    bi.bmiHeader.biHeight = -AHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    FDC = CreateCompatibleDC(nullptr);
    FBitmap = CreateDIBSection(FDC, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&FBits), nullptr, 0);
    FOld = SelectObject(FDC, FBitmap);
  }
  ~TDib() {
    SelectObject(FDC, FOld);
    DeleteObject(FBitmap);
    DeleteDC(FDC);
  }
  TDib(const TDib&) = delete;
  TDib& operator=(const TDib&) = delete;

  HDC DC() const { return FDC; }
  void Fill(uint32_t AColor) { std::fill(FBits, FBits + static_cast<size_t>(FWidth) * FHeight, AColor); }
  TPixels Pixels() const {
    GdiFlush();
    TPixels p{FWidth, FHeight, {}};
    p.Data.reserve(static_cast<size_t>(FWidth) * FHeight);
    for (size_t i = 0; i < static_cast<size_t>(FWidth) * FHeight; ++i) p.Data.push_back(FBits[i] & 0xFFFFFF);
    return p;
  }

private:
  int FWidth, FHeight;
  HDC FDC = nullptr;
  HBITMAP FBitmap = nullptr;
  HGDIOBJ FOld = nullptr;
  uint32_t* FBits = nullptr;
};

int Channel(uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

}  // namespace

TPixels ScreenPixels(const RECT& R) {
  TDib dib(R.right - R.left, R.bottom - R.top);
  HDC screen = GetDC(nullptr);
  BitBlt(dib.DC(), 0, 0, R.right - R.left, R.bottom - R.top, screen, R.left, R.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  return dib.Pixels();
}

TPixels ElementPixels(TdxSkinElement* AElement, SIZE ASize, TdxSkinElementState AState, uint32_t ABackground) {
  TDib dib(ASize.cx, ASize.cy);
  dib.Fill(ABackground);
  AElement->Draw(dib.DC(), RECT{0, 0, ASize.cx, ASize.cy}, 0, AState);
  return dib.Pixels();
}

TPixels ElementOverElement(TdxSkinElement* AParent, SIZE AParentSize, TdxSkinElementState AParentState,
                           TdxSkinElement* AElement, const RECT& ARect, TdxSkinElementState AState) {
  TDib dib(AParentSize.cx, AParentSize.cy);
  dib.Fill(0);
  AParent->Draw(dib.DC(), RECT{0, 0, AParentSize.cx, AParentSize.cy}, 0, AParentState);
  AElement->Draw(dib.DC(), ARect, 0, AState);
  return dib.Pixels();
}

TPixels Crop(const TPixels& APixels, const RECT& R) {
  TPixels p{R.right - R.left, R.bottom - R.top, {}};
  for (int y = R.top; y < R.bottom; ++y)
    for (int x = R.left; x < R.right; ++x) p.Data.push_back(APixels.At(x, y));
  return p;
}

bool SameColor(uint32_t A, uint32_t B, int ATolerance) {
  for (int shift : {0, 8, 16})
    if (std::abs(Channel(A, shift) - Channel(B, shift)) > ATolerance) return false;
  return true;
}

int DifferentPixels(const TPixels& A, const TPixels& B, int ATolerance) {
  if (A.Width != B.Width || A.Height != B.Height) return A.Width * A.Height + 1;
  int n = 0;
  for (size_t i = 0; i < A.Data.size(); ++i) n += !SameColor(A.Data[i], B.Data[i], ATolerance);
  return n;
}

int PixelsOfColor(const TPixels& A, uint32_t AColor, int ATolerance) {
  return static_cast<int>(
      std::count_if(A.Data.begin(), A.Data.end(), [&](uint32_t c) { return SameColor(c, AColor, ATolerance); }));
}

uint32_t Rgb(TColor AColor) {
  const COLORREF c = static_cast<COLORREF>(AColor) & 0xFFFFFF;
  return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

std::string Hex(uint32_t AColor) {
  char text[8];
  snprintf(text, sizeof text, "%06X", static_cast<unsigned>(AColor & 0xFFFFFF));
  return text;
}

int HitTest(HWND AWindow, POINT AScreen) {
  DWORD_PTR code = 0;
  if (!SendMessageTimeoutW(AWindow, WM_NCHITTEST, 0, MAKELPARAM(AScreen.x, AScreen.y), SMTO_ABORTIFHUNG, 5000,
                           &code))
    return -1;
  return static_cast<int>(static_cast<LRESULT>(code));
}

int GdiObjects(HANDLE AProcess, DWORD AProcessId) { return test::CountGdiObjects(AProcess, AProcessId); }

int UserObjects(HANDLE AProcess, DWORD AProcessId) {
  if (DWORD n = GetGuiResources(AProcess, GR_USEROBJECTS)) return static_cast<int>(n);
  int windows = 0;
  auto countTree = [&](HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != AProcessId) return;
    windows += 1;
    EnumChildWindows(
        w, [](HWND, LPARAM p) -> BOOL { return ++*reinterpret_cast<int*>(p), TRUE; },
        reinterpret_cast<LPARAM>(&windows));
  };
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) countTree(w);
  for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
       w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr))
    countTree(w);
  return windows;
}

}  // namespace talvik::windowtests
