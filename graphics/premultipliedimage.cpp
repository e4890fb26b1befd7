#include "graphics/premultipliedimage.h"

#include <cstring>

#include "graphics/bitmap32.h"

namespace talvik {

namespace {

// Each of the four bytes: ASource + ADest * (255 - alpha) / 255, rounded, as
// AlphaBlend composes premultiplied pixels.
uint32_t BlendPixel(uint32_t ASource, uint32_t ADest) {
  uint32_t inverse = 255 - (ASource >> 24);
  auto scale = [inverse](uint32_t APair) {  // two bytes at bits 0 and 16
    uint32_t t = APair * inverse + 0x00800080u;
    return ((t + ((t >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
  };
  return ASource + scale(ADest & 0x00FF00FFu) + (scale((ADest >> 8) & 0x00FF00FFu) << 8);
}

}  // namespace

void TcxPremultipliedImage::Clear() {
  FBitmap.SetSize(0, 0);
  FPixels.clear();
  FWidth = FHeight = 0;
  FRuns.clear();
  FRowStart.clear();
  FProbes.clear();
  FKnownTarget = nullptr;
  FKnownBits = nullptr;
}

void TcxPremultipliedImage::Assign(TBitmap& ASource, bool AOpaque) {
  Clear();
  int w = ASource.Width(), h = ASource.Height();
  if (w <= 0 || h <= 0 || ASource.PixelFormat() != pf32bit) return;
  FBitmap.SetPixelFormat(pf32bit);
  FBitmap.SetSize(w, h);
  FWidth = w;
  FHeight = h;
  FOpaque = AOpaque;
  for (int y = 0; y < h; ++y) {
    auto* row = static_cast<uint32_t*>(FBitmap.ScanLine(y));
    std::memcpy(row, ASource.ScanLine(y), size_t(w) * 4);
    if (AOpaque)
      for (int x = 0; x < w; ++x) row[x] |= 0xFF000000u;
    FPixels.insert(FPixels.end(), row, row + w);
    FRowStart.push_back(FRuns.size());
    for (int x = 0; x < w; ++x) {
      uint32_t alpha = row[x] >> 24;
      if (alpha == 0) continue;  // nothing to lay over the target
      TRunKind kind = alpha == 255 ? rkCopy : rkBlend;
      bool extends = FRuns.size() > FRowStart.back() && FRuns.back().Kind == kind &&
                     FRuns.back().Start + FRuns.back().Length == x;
      if (extends) ++FRuns.back().Length;
      else FRuns.push_back(TRun{x, 1, kind});
      if (kind == rkCopy && FProbes.size() < 2 && (FProbes.empty() || FProbes.back().y != y)) FProbes.push_back({x, y});
    }
  }
  FRowStart.push_back(FRuns.size());
}

void TcxPremultipliedImage::Draw(HDC DC, int X, int Y) {
  if (Empty() || DrawInMemory(DC, X, Y)) return;
  RECT target{X, Y, X + Width(), Y + Height()}, source{0, 0, Width(), Height()};
  if (FOpaque) BitBlt(DC, X, Y, Width(), Height(), FBitmap.Canvas().Handle(), 0, 0, SRCCOPY);
  else BlendDCRect(DC, FBitmap.Canvas().Handle(), target, source);
}

bool TcxPremultipliedImage::DrawInMemory(HDC DC, int X, int Y) {
  auto bitmap = static_cast<HBITMAP>(GetCurrentObject(DC, OBJ_BITMAP));
  DIBSECTION dib;
  if (!bitmap || GetObjectW(bitmap, sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBitsPixel != 32 ||
      !dib.dsBm.bmBits)
    return false;
  if (GetMapMode(DC) != MM_TEXT || GetGraphicsMode(DC) != GM_COMPATIBLE || GetLayout(DC) != 0) return false;
  RECT clip;
  int region = GetClipBox(DC, &clip);
  if (region == NULLREGION) return true;  // nothing shows
  const RECT target{X, Y, X + Width(), Y + Height()};
  if (region != SIMPLEREGION || target.left < clip.left || target.top < clip.top || target.right > clip.right ||
      target.bottom > clip.bottom)
    return false;  // AlphaBlend clips
  POINT viewport, window;
  GetViewportOrgEx(DC, &viewport);
  GetWindowOrgEx(DC, &window);
  const POINT device{X - window.x + viewport.x, Y - window.y + viewport.y};
  if (device.x < 0 || device.y < 0 || device.x + Width() > dib.dsBm.bmWidth ||
      device.y + Height() > dib.dsBm.bmHeight)
    return false;
  bool bottomUp = FKnownBottomUp;
  if (bitmap != FKnownTarget || dib.dsBm.bmBits != FKnownBits) {
    if (!ReadRowOrder(DC, X, Y, dib, device, bottomUp)) return false;
    FKnownTarget = bitmap;
    FKnownBits = dib.dsBm.bmBits;
    FKnownBottomUp = bottomUp;
  }
  // GDI may still hold drawing for this bitmap in its batch (a fill just before):
  // it must land first, or it would land over the picture.
  GdiFlush();
  auto* bits = static_cast<uint8_t*>(dib.dsBm.bmBits);
  for (int y = 0; y < Height(); ++y) {
    int row = bottomUp ? dib.dsBm.bmHeight - 1 - (device.y + y) : device.y + y;
    auto* dest = reinterpret_cast<uint32_t*>(bits + ptrdiff_t(row) * dib.dsBm.bmWidthBytes) + device.x;
    const uint32_t* source = FPixels.data() + size_t(y) * Width();
    for (size_t i = FRowStart[y]; i < FRowStart[y + 1]; ++i) {
      const TRun& run = FRuns[i];
      if (run.Kind == rkCopy) std::memcpy(dest + run.Start, source + run.Start, size_t(run.Length) * 4);
      else
        for (int x = run.Start; x < run.Start + run.Length; ++x) dest[x] = BlendPixel(source[x], dest[x]);
    }
  }
  return true;
}

// GetObject does not tell a top-down section from a bottom-up one. So one pixel
// that the picture covers anyway is set through GDI and looked for in both rows
// it may be in.
bool TcxPremultipliedImage::ReadRowOrder(HDC DC, int X, int Y, const DIBSECTION& ADib, POINT ADevice,
                                         bool& ABottomUp) const {
  auto* bits = static_cast<uint8_t*>(ADib.dsBm.bmBits);
  for (POINT probe : FProbes) {
    int row = ADevice.y + probe.y, mirrored = ADib.dsBm.bmHeight - 1 - row;
    if (row == mirrored) continue;  // the middle row is the same either way
    auto at = [&](int ARow) {
      return reinterpret_cast<uint32_t*>(bits + ptrdiff_t(ARow) * ADib.dsBm.bmWidthBytes) + ADevice.x + probe.x;
    };
    GdiFlush();
    uint32_t shown = *at(row) & 0x00FFFFFFu, other = *at(mirrored) & 0x00FFFFFFu;
    uint32_t mark = shown ^ 0x010101u;
    if (mark == other) mark = shown ^ 0x020202u;
    SetPixelV(DC, X + probe.x, Y + probe.y, RGB(mark >> 16 & 0xFF, mark >> 8 & 0xFF, mark & 0xFF));
    GdiFlush();
    bool topDown = (*at(row) & 0x00FFFFFFu) == mark, bottomUp = (*at(mirrored) & 0x00FFFFFFu) == mark;
    if (topDown == bottomUp) return false;
    ABottomUp = bottomUp;
    return true;
  }
  return false;
}

}  // namespace talvik
