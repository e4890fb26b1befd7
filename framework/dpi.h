// Display scale: the DPI of the system and of a window, lengths designed at 96
// DPI scaled to it, and the system's metrics for a given DPI. The per-DPI
// functions exist from Windows 10 on; elsewhere the plain ones answer (for the
// system's DPI, the only one such a system has).
#pragma once
#include <windows.h>

namespace talvik {

constexpr int kDesignDpi = 96;

// The system's DPI (the primary monitor's).
int SystemDpi();
// The DPI the window is drawn at; the system's for no window.
int WindowDpi(HWND Wnd);
// AValue designed at AFromDpi, at AToDpi, rounded as the system's dialog scaling rounds.
inline int ScaleValue(int AValue, int AToDpi, int AFromDpi = kDesignDpi) {
  return AToDpi == AFromDpi ? AValue : MulDiv(AValue, AToDpi, AFromDpi);
}
int SystemMetricsForDpi(int AIndex, int ADpi);
// The caption, menu and message fonts and sizes at ADpi.
NONCLIENTMETRICSW NonClientMetricsForDpi(int ADpi);

}  // namespace talvik
