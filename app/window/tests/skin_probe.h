// What the skinned-window driver reads from outside the program: pixels of the
// screen, hit-test codes, the program's GDI and USER objects, and the pictures
// the skin itself draws for a part, to compare them with.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "skins/model/skin.h"

namespace talvik::windowtests {

// 32-bit pixels 0x00RRGGBB, row by row.
struct TPixels {
  int Width = 0, Height = 0;
  std::vector<uint32_t> Data;
  uint32_t At(int x, int y) const { return Data[static_cast<size_t>(y) * Width + x]; }
};

// What the screen shows in R (screen coordinates).
TPixels ScreenPixels(const RECT& R);

// AElement drawn by the skin into ASize over ABackground (0x00RRGGBB).
TPixels ElementPixels(TdxSkinElement* AElement, SIZE ASize, TdxSkinElementState AState,
                      uint32_t ABackground = 0);
// AParent drawn into AParentSize, then AElement into ARect inside it: a caption
// button over its caption band.
TPixels ElementOverElement(TdxSkinElement* AParent, SIZE AParentSize, TdxSkinElementState AParentState,
                           TdxSkinElement* AElement, const RECT& ARect, TdxSkinElementState AState);

// The part of APixels in R.
TPixels Crop(const TPixels& APixels, const RECT& R);

// Pixels that differ by more than ATolerance in any channel.
int DifferentPixels(const TPixels& A, const TPixels& B, int ATolerance = 2);
bool SameColor(uint32_t A, uint32_t B, int ATolerance = 2);
// Pixels of A within ATolerance of AColor (0x00RRGGBB).
int PixelsOfColor(const TPixels& A, uint32_t AColor, int ATolerance = 1);
// 0x00RRGGBB of a TColor.
uint32_t Rgb(TColor AColor);
std::string Hex(uint32_t AColor);

// The window's answer to WM_NCHITTEST at a screen point; -1 when it hangs.
int HitTest(HWND AWindow, POINT AScreen);

// GDI objects the process holds: GetGuiResources where the system counts them,
// else the entries of its GDI handle table.
int GdiObjects(HANDLE AProcess, DWORD AProcessId);
// USER objects: GetGuiResources where the system counts them, else the windows
// the process owns (top-level, child and message-only), which is what Wine lets
// another process see.
int UserObjects(HANDLE AProcess, DWORD AProcessId);

}  // namespace talvik::windowtests
