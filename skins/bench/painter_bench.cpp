// Time per DrawButton of a 71 x 25 push button face, as the skinned button asks
// for it (no caption, no border), through the DarkSide skin painter with warm
// caches, against the ultra-flat painter and against a plain BitBlt of the area.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "graphics/canvas.h"
#include "lookandfeel/builtinpainters.h"
#include "skins/engine/builtinskins.h"
#include "skins/engine/skinengine.h"

using namespace talvik;

namespace {

// Microseconds per call over one round of calls.
double Round(const std::function<void()>& ACall, int ACalls) {
  LARGE_INTEGER freq, start, end;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&start);
  for (int i = 0; i < ACalls; ++i) ACall();
  GdiFlush();
  QueryPerformanceCounter(&end);
  return 1e6 * double(end.QuadPart - start.QuadPart) / double(freq.QuadPart) / ACalls;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Best(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

}  // namespace

int main() {
  TSkinEngineScope engine;
  if (!static_cast<const TdxSkinLookAndFeelPainter*>(TdxDarkSidePainter::Instance())->GetSkinInfo()) {
    std::printf("painters: the DarkSide skin is not registered (no GDI+?)\n");
    return 1;
  }
  const RECT r{0, 0, 71, 25};
  TBitmap target(71, 25, pf32bit), source(71, 25, pf32bit);
  TcxCanvas canvas(&target.Canvas());
  HDC targetDC = target.Canvas().Handle(), sourceDC = source.Canvas().Handle();
  TcxCustomLookAndFeelPainterClass darkSide = TdxDarkSidePainter::Instance();
  TcxCustomLookAndFeelPainterClass ultraFlat = TcxUltraFlatLookAndFeelPainter::Instance();

  auto skinned = [&] { darkSide->DrawButton(&canvas, r, L"", cxbsNormal, false); };
  auto flat = [&] { ultraFlat->DrawButton(&canvas, r, L"", cxbsNormal); };
  auto blit = [&] { BitBlt(targetDC, 0, 0, 71, 25, sourceDC, 0, 0, SRCCOPY); };
  skinned();  // warms the painter's cache
  flat();
  blit();

  // Alternating rounds, so that a busy machine slows all three alike.
  const int rounds = 21, calls = 2000;
  std::vector<double> s, u, b;
  for (int i = 0; i < rounds; ++i) {
    s.push_back(Round(skinned, calls));
    u.push_back(Round(flat, calls));
    b.push_back(Round(blit, calls));
  }
  // The best round is the least disturbed one on a busy machine; the medians show the spread.
  double bs = Best(s), bu = Best(u), bb = Best(b);
  std::printf(
      "painters: DrawButton 71 x 25 (no caption, as the skinned button asks), best of %d rounds of %d calls: "
      "DarkSide skin %.2f us, ultra-flat %.2f us, BitBlt %.2f us; skin / BitBlt %.2f (goal <= 3), "
      "skin / ultra-flat %.2f; medians %.2f, %.2f and %.2f us, skin / BitBlt %.2f\n",
      rounds, calls, bs, bu, bb, bs / bb, bs / bu, Median(s), Median(u), Median(b), Median(s) / Median(b));
  return 0;
}
