#include "framework/dpi.h"

namespace talvik {

namespace {

// Resolved once from user32: a program that imported them would not start before Windows 10.
struct TDpiFunctions {
  UINT(WINAPI* GetDpiForSystem)() = nullptr;
  UINT(WINAPI* GetDpiForWindow)(HWND) = nullptr;
  int(WINAPI* GetSystemMetricsForDpi)(int, UINT) = nullptr;
  BOOL(WINAPI* SystemParametersInfoForDpi)(UINT, UINT, PVOID, UINT, UINT) = nullptr;

  TDpiFunctions() {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (!user32) return;
    Resolve(GetDpiForSystem, user32, "GetDpiForSystem");
    Resolve(GetDpiForWindow, user32, "GetDpiForWindow");
    Resolve(GetSystemMetricsForDpi, user32, "GetSystemMetricsForDpi");
    Resolve(SystemParametersInfoForDpi, user32, "SystemParametersInfoForDpi");
  }
  template <class F>
  static void Resolve(F& AFunction, HMODULE AModule, const char* AName) {
    AFunction = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(AModule, AName)));
  }
};

const TDpiFunctions& Functions() {
  static const TDpiFunctions functions;
  return functions;
}

}  // namespace

int SystemDpi() {
  if (Functions().GetDpiForSystem) return static_cast<int>(Functions().GetDpiForSystem());
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

int WindowDpi(HWND Wnd) {
  if (Wnd && Functions().GetDpiForWindow)
    if (const UINT dpi = Functions().GetDpiForWindow(Wnd)) return static_cast<int>(dpi);
  return SystemDpi();
}

int SystemMetricsForDpi(int AIndex, int ADpi) {
  if (Functions().GetSystemMetricsForDpi) return Functions().GetSystemMetricsForDpi(AIndex, static_cast<UINT>(ADpi));
  return GetSystemMetrics(AIndex);
}

NONCLIENTMETRICSW NonClientMetricsForDpi(int ADpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!Functions().SystemParametersInfoForDpi ||
      !Functions().SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                              static_cast<UINT>(ADpi)))
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return metrics;
}

}  // namespace talvik
