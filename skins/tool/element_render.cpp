#include "skins/tool/element_render.h"

#include <algorithm>
#include <memory>

#include "framework/sysutils.h"
#include "graphics/bitmap32.h"

namespace talvik {

namespace {

// The element drawn over one opaque colour.
std::unique_ptr<TcxBitmap32> DrawOver(TdxSkinElement* AElement, SIZE ASize, int AImageIndex,
                                      TdxSkinElementState AState, TColor ABackground, int ADpi) {
  auto bitmap = std::make_unique<TcxBitmap32>(ASize.cx, ASize.cy, false);
  if (!bitmap->ScanLine(0)) throw Exception(L"No memory for a picture of that size");
  bitmap->SetBitmapColors(TRGBColors(static_cast<size_t>(ASize.cx) * ASize.cy, ColorToQuad(ABackground, 255)));
  AElement->Draw(bitmap->Canvas().Handle(), RECT{0, 0, ASize.cx, ASize.cy}, AImageIndex, AState, ADpi);
  GdiFlush();
  return bitmap;
}

const RGBQUAD& At(TcxBitmap32& ABitmap, int x, int y) { return static_cast<const RGBQUAD*>(ABitmap.ScanLine(y))[x]; }

}  // namespace

skingen::Pixels RenderElement(TdxSkinElement* AElement, SIZE ASize, int AImageIndex, TdxSkinElementState AState,
                              std::optional<TColor> ABackground, int ADpi) {
  skingen::Pixels out;
  out.width = ASize.cx;
  out.height = ASize.cy;
  out.rgba.resize(static_cast<size_t>(ASize.cx) * ASize.cy * 4);
  if (ABackground) {
    auto b = DrawOver(AElement, ASize, AImageIndex, AState, *ABackground, ADpi);
    for (int y = 0; y < ASize.cy; ++y)
      for (int x = 0; x < ASize.cx; ++x) {
        const RGBQUAD& q = At(*b, x, y);
        uint8_t* p = out.At(x, y);
        p[0] = q.rgbRed, p[1] = q.rgbGreen, p[2] = q.rgbBlue, p[3] = 255;
      }
    return out;
  }
  // Drawn over black and over white: where the two differ by d the drawing let
  // 255 - d of its own light through, whichever mix of GDI and GDI+ made it, and
  // the black result is its colour already weighted by that opacity.
  auto black = DrawOver(AElement, ASize, AImageIndex, AState, 0x000000, ADpi);
  auto white = DrawOver(AElement, ASize, AImageIndex, AState, 0xFFFFFF, ADpi);
  for (int y = 0; y < ASize.cy; ++y)
    for (int x = 0; x < ASize.cx; ++x) {
      const RGBQUAD& b = At(*black, x, y);
      const RGBQUAD& w = At(*white, x, y);
      int seen = (w.rgbRed - b.rgbRed) + (w.rgbGreen - b.rgbGreen) + (w.rgbBlue - b.rgbBlue);
      int alpha = 255 - std::clamp((seen + 1) / 3, 0, 255);
      uint8_t* p = out.At(x, y);
      p[3] = static_cast<uint8_t>(alpha);
      if (alpha == 0) continue;
      auto straight = [alpha](int c) { return static_cast<uint8_t>(std::min(255, (c * 255 + alpha / 2) / alpha)); };
      p[0] = straight(b.rgbRed), p[1] = straight(b.rgbGreen), p[2] = straight(b.rgbBlue);
    }
  return out;
}

}  // namespace talvik
