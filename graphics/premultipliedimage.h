// A picture with premultiplied alpha that is drawn many times unchanged. Its
// rows are split once into runs to copy and runs to blend. Drawn onto a
// device context that paints into a 32-bit DIB section (no mapping, a simple
// clip box holding the whole picture), it is composed in memory: GDI's
// AlphaBlend costs some nanoseconds a pixel under Wine, a copy next to
// nothing. Anywhere else it goes through AlphaBlend.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/graphics.h"

namespace talvik {

class TcxPremultipliedImage {
public:
  TcxPremultipliedImage() = default;
  TcxPremultipliedImage(const TcxPremultipliedImage&) = delete;
  TcxPremultipliedImage& operator=(const TcxPremultipliedImage&) = delete;

  // Copies the pixels of a 32-bit ASource (premultiplied blue, green, red, alpha);
  // AOpaque takes every pixel as opaque whatever its alpha byte says.
  void Assign(TBitmap& ASource, bool AOpaque);
  void Clear();
  bool Empty() const { return FPixels.empty(); }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }

  // Lays the picture over DC with its top-left corner at (X, Y), logical coordinates.
  void Draw(HDC DC, int X, int Y);

private:
  // Fully transparent pixels belong to no run.
  enum TRunKind : uint8_t { rkCopy, rkBlend };
  struct TRun {
    int Start, Length;
    TRunKind Kind;
  };
  bool DrawInMemory(HDC DC, int X, int Y);
  // Whether the target's rows lie bottom row first; false when that cannot be told.
  bool ReadRowOrder(HDC DC, int X, int Y, const DIBSECTION& ADib, POINT ADevice, bool& ABottomUp) const;

  // The fallback's source, and its pixels top row first for the memory path.
  TBitmap FBitmap;
  std::vector<uint32_t> FPixels;
  int FWidth = 0, FHeight = 0;
  bool FOpaque = false;
  std::vector<TRun> FRuns;
  // Row y's runs are FRuns[FRowStart[y]] up to FRuns[FRowStart[y + 1]].
  std::vector<size_t> FRowStart;
  // Opaque pixels in two different rows, for telling the target's row order.
  std::vector<POINT> FProbes;
  // The row order of the last target, told once: a probe costs a pixel write and two flushes.
  HBITMAP FKnownTarget = nullptr;
  void* FKnownBits = nullptr;
  bool FKnownBottomUp = false;
};

}  // namespace talvik
