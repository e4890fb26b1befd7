// A premultiplied 32-bit bitmap that GDI+ draws into and GDI blends from: the
// pixels are one device-independent bitmap, so neither side copies them.
#pragma once
#include <windows.h>

#include "framework/graphics.h"
#include "skins/pictures/gdiplusapi.h"

namespace talvik {

class TdxSkinLayer {
public:
  // Transparent; Image is nullptr without GDI+.
  TdxSkinLayer(int AWidth, int AHeight);
  ~TdxSkinLayer();
  TdxSkinLayer(const TdxSkinLayer&) = delete;
  TdxSkinLayer& operator=(const TdxSkinLayer&) = delete;

  int Width() { return FBitmap.Width(); }
  int Height() { return FBitmap.Height(); }
  GpBitmap* Image() const { return FImage; }
  // The pixels, premultiplied; GDI+ may have batched drawing not yet in them until GdiFlush.
  TBitmap& Bitmap() { return FBitmap; }
  // Back to transparent.
  void Clear(const RECT& R);
  // Lays ASource of the layer over ADest of DC.
  void Draw(HDC DC, const RECT& ADest, const RECT& ASource);

private:
  TBitmap FBitmap;
  GpBitmap* FImage = nullptr;
};

}  // namespace talvik
