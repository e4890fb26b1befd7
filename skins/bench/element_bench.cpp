// Drawing skin elements: a full drawing and a cached redraw, per call, against a plain
// BitBlt of the same area from a memory bitmap, all into the same 32-bit back buffer.
// AlphaBlend of that area shows what a redraw that keeps translucency costs at least.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "skins/bench/bench_statistics.h"
#include "skins/drawing/elementcache.h"
#include "skins/model/skin.h"
#include "skins/engine/skinengine.h"

using namespace talvik;
using talvik::bench::Best;
using talvik::bench::Median;

namespace {

// Microseconds per call of ADraw, over ACalls calls; GDI's batch is flushed inside the clock.
template <class F>
double PerCall(int ACalls, F ADraw) {
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < ACalls; ++i) ADraw();
  GdiFlush();
  return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() / ACalls;
}

// A top-down 32-bit DIB selected into its own memory DC.
class TSurface {
public:
  TSurface(int AWidth, int AHeight) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), AWidth, -AHeight, 1, 32, BI_RGB};
    void* bits = nullptr;
    FDC = CreateCompatibleDC(nullptr);
    FBitmap = CreateDIBSection(FDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    FOld = SelectObject(FDC, FBitmap);
    RECT all{0, 0, AWidth, AHeight};
    FillRect(FDC, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  }
  ~TSurface() {
    SelectObject(FDC, FOld);
    DeleteObject(FBitmap);
    DeleteDC(FDC);
  }
  HDC DC() const { return FDC; }

private:
  HDC FDC;
  HBITMAP FBitmap;
  HGDIOBJ FOld;
};

struct Case {
  const wchar_t* Group;
  const wchar_t* Element;
  int Width, Height;
  TdxSkinElementState State;
};

}  // namespace

int main() {
  TSkinEngineScope engine({.BuiltinSkins = false});
  if (!GdiPlusAvailable()) {
    std::printf("element drawing: GDI+ is not available\n");
    return 1;
  }
  TdxSkin skin(L"DarkSide", true, GetModuleHandleW(nullptr));
  const Case cases[] = {{L"Form", L"FormCaption", 520, 25, esActive}, {L"Common", L"Button", 71, 25, esNormal}};
  // Rounds alternate between the three ways, so that a busy machine slows them alike; the
  // best round is the least disturbed one.
  const int rounds = 15, calls = 400;
  for (const Case& c : cases) {
    TdxSkinControlGroup* group = skin.GetGroupByName(c.Group);
    TdxSkinElement* element = group ? group->GetElementByName(c.Element) : nullptr;
    if (!element) {
      std::printf("element drawing: %ls/%ls is missing from DarkSide\n", c.Group, c.Element);
      return 1;
    }
    TSurface target(c.Width + 20, c.Height + 20), source(c.Width, c.Height);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const RECT r{10, 10, 10 + c.Width, 10 + c.Height};
    TdxSkinElementCache cache;
    std::vector<double> uncached, cached, blit, alpha;
    for (int round = -1; round < rounds; ++round) {
      double u = PerCall(calls, [&] { element->Draw(target.DC(), r, 0, c.State); });
      double k = PerCall(calls, [&] { cache.DrawEx(target.DC(), element, r, c.State, 0); });
      double b = PerCall(calls, [&] { BitBlt(target.DC(), r.left, r.top, c.Width, c.Height, source.DC(), 0, 0, SRCCOPY); });
      double a = PerCall(calls, [&] {
        AlphaBlend(target.DC(), r.left, r.top, c.Width, c.Height, source.DC(), 0, 0, c.Width, c.Height, blend);
      });
      if (round < 0) continue;  // warm-up: first use of GDI+ and the cache's first rendering
      uncached.push_back(u);
      cached.push_back(k);
      blit.push_back(b);
      alpha.push_back(a);
    }
    std::printf(
        "element drawing: DarkSide %ls/%ls %dx%d, us per call, best of %d rounds of %d: uncached %.2f, cached %.2f, "
        "BitBlt %.2f, cached/BitBlt %.2f (goal <= 2); medians %.2f, %.2f, %.2f, ratio %.2f; AlphaBlend %.2f "
        "(element %s)\n",
        c.Group, c.Element, c.Width, c.Height, rounds, calls, Best(uncached), Best(cached), Best(blit),
        Best(cached) / Best(blit), Median(uncached), Median(cached), Median(blit), Median(cached) / Median(blit),
        Best(alpha), element->IsAlphaUsed() ? "translucent" : "opaque");
  }
  return 0;
}
