#include "lookandfeel/office2003colors.h"

#include <algorithm>

namespace talvik {

namespace {

using TGradientFill = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

// Resolved on first use until the theme services' start-up owns the binding.
TGradientFill GradientFillEntry() {
  static TGradientFill Entry = [] {
    HMODULE Module = LoadLibraryW(L"msimg32.dll");
    return Module ? reinterpret_cast<TGradientFill>(GetProcAddress(Module, "GradientFill")) : nullptr;
  }();
  return Entry;
}

TRIVERTEX Vertex(LONG X, LONG Y, COLORREF C) {
  TRIVERTEX V{};
  V.x = X;
  V.y = Y;
  V.Red = static_cast<COLOR16>(GetRValue(C) << 8);
  V.Green = static_cast<COLOR16>(GetGValue(C) << 8);
  V.Blue = static_cast<COLOR16>(GetBValue(C) << 8);
  return V;
}

}  // namespace

TColor BlendColors(TColor AColor1, TColor AColor2, int APercent) {
  COLORREF C1 = ColorToRGB(AColor1), C2 = ColorToRGB(AColor2);
  auto Channel = [&](int A, int B) { return std::min(255, MulDiv(B, 100 - APercent, 100) + MulDiv(A, APercent, 100)); };
  COLORREF Mixed = RGB(Channel(GetRValue(C1), GetRValue(C2)), Channel(GetGValue(C1), GetGValue(C2)),
                       Channel(GetBValue(C1), GetBValue(C2)));
  HDC Screen = GetDC(nullptr);
  COLORREF Nearest = GetNearestColor(Screen, Mixed);
  ReleaseDC(nullptr, Screen);
  return static_cast<TColor>(Nearest == CLR_INVALID ? Mixed : Nearest);
}

void FillRectWithColor(HDC DC, const RECT& R, TColor AColor) {
  HBRUSH Brush = CreateSolidBrush(ColorToRGB(AColor));
  FillRect(DC, &R, Brush);
  DeleteObject(Brush);
}

void FillGradientRect(HDC DC, const RECT& ARect, TColor AColor1, TColor AColor2, bool AHorizontal) {
  COLORREF C1 = ColorToRGB(AColor1), C2 = ColorToRGB(AColor2);
  if (C1 == C2) {
    FillRectWithColor(DC, ARect, AColor1);
    return;
  }
  if (TGradientFill Fill = GradientFillEntry()) {
    TRIVERTEX Vertices[2] = {Vertex(ARect.left, ARect.top, C1), Vertex(ARect.right, ARect.bottom, C2)};
    GRADIENT_RECT Mesh{0, 1};
    Fill(DC, Vertices, 2, &Mesh, 1, AHorizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
    return;
  }
  const int Start = AHorizontal ? ARect.left : ARect.top;
  const int E = AHorizontal ? ARect.right - ARect.left : ARect.bottom - ARect.top;
  const int N = std::min(E, 256);
  if (N <= 0) return;
  auto Channel = [&](int A, int B, int K) { return A + (N > 1 ? MulDiv(K, B - A, N - 1) : 0); };
  int From = Start;
  for (int K = 0; K < N; ++K) {
    int To = Start + MulDiv(K + 1, E, N);
    RECT Band = AHorizontal ? RECT{From, ARect.top, To, ARect.bottom} : RECT{ARect.left, From, ARect.right, To};
    if (To > From) {
      TColor C = static_cast<TColor>(RGB(Channel(GetRValue(C1), GetRValue(C2), K),
                                         Channel(GetGValue(C1), GetGValue(C2), K),
                                         Channel(GetBValue(C1), GetBValue(C2), K)));
      FillRectWithColor(DC, Band, C);
    }
    From = To;
    if (To >= Start + E) break;
  }
}

}  // namespace talvik
