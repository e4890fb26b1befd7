// One full non-client repaint (WM_NCPAINT of the whole frame) of a window the
// size of the program's main window, skinned with DarkSide, with warm caches
// and cold (the first repaint after a skin change), against the system's own
// frame painting of the same window with skins off, per call.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "framework/forms.h"
#include "skinforms/skincontroller.h"
#include "skinforms/skinhook.h"
#include "skins/bench/bench_statistics.h"
#include "skins/engine/skinengine.h"

using namespace talvik;
using talvik::bench::Best;
using talvik::bench::Median;

namespace {

void Pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
}

double Microseconds(std::chrono::steady_clock::time_point AStart) {
  return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - AStart).count();
}

// Microseconds per whole-frame WM_NCPAINT, over ACalls calls.
double PerRepaint(HWND AWnd, int ACalls) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < ACalls; ++i) SendMessageW(AWnd, WM_NCPAINT, 1, 0);
  GdiFlush();
  return Microseconds(start) / ACalls;
}

}  // namespace

int main() {
  TSkinEngineScope engine({.SkinnedWindows = SkinFormsEngineStep()});
  TdxSkinController controller;
  controller.SetSkinName(L"DarkSide");
  TForm form;
  form.SetCaption(L"Tolrike作品");
  form.SetBorderIcons(biSystemMenu | biMinimize);
  form.SetBounds(200, 150, 512, 384);
  form.Show();
  Pump();
  const HWND wnd = form.Handle();
  if (!TdxSkinWinController::IsSkinActive(wnd)) {
    std::printf("non-client repaint: the window is not skinned (is DarkSide registered?)\n");
    return 1;
  }

  // Rounds alternate between the ways, so that a busy machine slows them alike.
  const int rounds = 15, calls = 100, colds = 8;
  std::vector<double> warm, system, cold, change;
  for (int round = -1; round < rounds; ++round) {
    controller.SetUseSkins(true);
    Pump();
    const double w = PerRepaint(wnd, calls);
    double c = 0, k = 0;
    for (int i = 0; i < colds; ++i) {
      // The caches hold the other skin's renderings. Redrawing is off during
      // the change, so that the first repaint is the timed one.
      for (const wchar_t* skin : {L"UserSkin", L"DarkSide"}) {
        DefWindowProcW(wnd, WM_SETREDRAW, FALSE, 0);
        const auto start = std::chrono::steady_clock::now();
        controller.SetSkinName(skin);
        k += Microseconds(start);
        DefWindowProcW(wnd, WM_SETREDRAW, TRUE, 0);
        c += PerRepaint(wnd, 1);
        Pump();
      }
    }
    controller.SetUseSkins(false);
    Pump();
    const double s = PerRepaint(wnd, calls);
    if (round < 0) continue;  // warm-up: GDI+, fonts, caches
    warm.push_back(w);
    system.push_back(s);
    cold.push_back(c / (2 * colds));
    change.push_back(k / (2 * colds));
  }
  std::printf(
      "non-client repaint of a %dx%d window, us per WM_NCPAINT, best of %d rounds: skinned warm %.1f, system %.1f, "
      "warm/system %.2f (goal <= 2); medians %.1f, %.1f, ratio %.2f; first repaint after a skin change %.1f "
      "(median %.1f); the skin change itself (without repainting) %.1f\n",
      512, 384, rounds, Best(warm), Best(system), Best(warm) / Best(system), Median(warm), Median(system),
      Median(warm) / Median(system), Best(cold), Median(cold), Median(change));
  return 0;
}
