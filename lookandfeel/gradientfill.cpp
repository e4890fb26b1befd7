#include "lookandfeel/gradientfill.h"
#include "framework/system_libraries.h"

#include <algorithm>

#include "lookandfeel/office2003colors.h"

namespace talvik {

namespace {
using TGradientFill = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

HMODULE GradientModule = nullptr;
TGradientFill GradientFillEntry = nullptr;

TRIVERTEX Vertex(LONG X, LONG Y, COLORREF C) {
  TRIVERTEX V{};
  V.x = X;
  V.y = Y;
  V.Red = static_cast<COLOR16>(GetRValue(C) << 8);
  V.Green = static_cast<COLOR16>(GetGValue(C) << 8);
  V.Blue = static_cast<COLOR16>(GetBValue(C) << 8);
  return V;
}

// At most 256 fills, whatever the size; the first band is exactly C1.
void FillBands(HDC DC, const RECT& ARect, COLORREF C1, COLORREF C2, bool AHorizontal) {
  const int Start = AHorizontal ? ARect.left : ARect.top;
  const int E = AHorizontal ? ARect.right - ARect.left : ARect.bottom - ARect.top;
  const int N = std::min(E, 256);
  if (N <= 0) return;
  auto Channel = [N](int A, int B, int K) { return A + (N > 1 ? MulDiv(K, B - A, N - 1) : 0); };
  int From = Start;
  for (int K = 0; K < N && From < Start + E; ++K) {
    int To = Start + MulDiv(K + 1, E, N);
    if (To > From) {
      RECT Band = AHorizontal ? RECT{From, ARect.top, To, ARect.bottom} : RECT{ARect.left, From, ARect.right, To};
      FillRectWithColor(DC, Band,
                        static_cast<TColor>(RGB(Channel(GetRValue(C1), GetRValue(C2), K),
                                                Channel(GetGValue(C1), GetGValue(C2), K),
                                                Channel(GetBValue(C1), GetBValue(C2), K))));
      From = To;
    }
  }
}
}  // namespace

void LoadGradientFill(const wchar_t* ALibraryName) {
  GradientModule = LoadSystemLibrary(ALibraryName);
  if (GradientModule)
    GradientFillEntry =
        reinterpret_cast<TGradientFill>(reinterpret_cast<void*>(GetProcAddress(GradientModule, "GradientFill")));
}

void FreeGradientFill() {
  GradientFillEntry = nullptr;
  if (GradientModule) FreeLibrary(GradientModule);
  GradientModule = nullptr;
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
  if (GradientFillEntry) {
    TRIVERTEX Vertices[2] = {Vertex(ARect.left, ARect.top, C1), Vertex(ARect.right, ARect.bottom, C2)};
    GRADIENT_RECT Mesh{0, 1};
    GradientFillEntry(DC, Vertices, 2, &Mesh, 1, AHorizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
    return;
  }
  FillBands(DC, ARect, C1, C2, AHorizontal);
}

}  // namespace talvik
