// Prints time per call of the software blend against the system AlphaBlend
// (512 x 512), and of the Lanczos resampling against the system's halftone
// stretch (1024 x 1024 to 512 x 512).
#include <windows.h>

#include <cstdio>
#include <functional>

#include "graphics/bitmap32.h"

using namespace talvik;

namespace {
// Milliseconds per call: repeats until at least half a second has passed.
double TimePerCall(const std::function<void()>& call) {
  call();  // warm-up
  LARGE_INTEGER freq, start, now;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&start);
  int calls = 0;
  do {
    call();
    GdiFlush();
    ++calls;
    QueryPerformanceCounter(&now);
  } while (now.QuadPart - start.QuadPart < freq.QuadPart / 2);
  return 1000.0 * double(now.QuadPart - start.QuadPart) / double(freq.QuadPart) / calls;
}

void Pattern(TcxBitmap32& b) {
  TRGBColors px(size_t(b.Width()) * b.Height());
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      BYTE a = BYTE((x + y) & 0xFF);
      // Premultiplied colours, as the blend expects.
      px[size_t(y) * b.Width() + x] = RGBQUAD{BYTE((x * a) >> 8), BYTE((y * a) >> 8), BYTE(((x ^ y) * a) >> 8), a};
    }
  b.SetBitmapColors(px);
}
}  // namespace

int main() {
  const int n = 512;
  TcxBitmap32 dest(n, n, true), src(n, n);
  Pattern(src);
  HDC d = dest.Canvas().Handle(), s = src.Canvas().Handle();
  const RECT r{0, 0, n, n};

  bool old = cxForceSoftwareBlend(true);
  double software = TimePerCall([&] { BlendDCRect(d, s, r, r, 200, false); });
  cxForceSoftwareBlend(old);
  BLENDFUNCTION bf{AC_SRC_OVER, 0, 200, AC_SRC_ALPHA};
  double system = TimePerCall([&] { AlphaBlend(d, 0, 0, n, n, s, 0, 0, n, n, bf); });
  std::printf("blend %dx%d: software BlendDCRect %.3f ms/call, system AlphaBlend %.3f ms/call, ratio %.2f\n", n, n,
              software, system, software / system);

  TcxBitmap32 big(2 * n, 2 * n), small(n, n);
  Pattern(big);
  double lanczos = TimePerCall([&] { ResampleBitmap(&big, &small, true); });
  double halftone = TimePerCall([&] {
    HDC dc = small.Canvas().Handle();
    int mode = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, 0, 0, n, n, big.Canvas().Handle(), 0, 0, 2 * n, 2 * n, SRCCOPY);
    SetStretchBltMode(dc, mode);
  });
  std::printf("resample %dx%d to %dx%d: Lanczos ResampleBitmap %.3f ms/call, system halftone stretch %.3f ms/call, "
              "ratio %.2f\n", 2 * n, 2 * n, n, n, lanczos, halftone, lanczos / halftone);
  return 0;
}
