// 32-bit bitmaps with per-pixel alpha, their per-pixel transformations, and
// the blending and resampling routines that lay them over device contexts.
#pragma once
#include <windows.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "graphics/cxbitmap.h"

namespace talvik {

// Pixels in the platform's quad layout: blue, green, red, alpha.
using TRGBQuad = RGBQUAD;
using TRGBColors = std::vector<RGBQUAD>;

RGBQUAD ColorToQuad(TColor AColor, BYTE AAlpha = 0);
inline uint32_t QuadToValue(RGBQUAD Q) {
  return Q.rgbBlue | (uint32_t(Q.rgbGreen) << 8) | (uint32_t(Q.rgbRed) << 16) | (uint32_t(Q.rgbReserved) << 24);
}
inline RGBQUAD ValueToQuad(uint32_t V) {
  return RGBQUAD{BYTE(V), BYTE(V >> 8), BYTE(V >> 16), BYTE(V >> 24)};
}
// Lays Source over Dest with constant opacity Alpha and Source's own alpha:
// premultiplied source-over, rounded to nearest (ties to even), clamped.
RGBQUAD cxBlendQuad(RGBQUAD Dest, RGBQUAD Source, BYTE Alpha);

class TcxBitmap32 : public TcxBitmap {
public:
  TALVIK_CLASS_NAME(TcxBitmap32)
  TcxBitmap32() : TcxBitmap32(0, 0) {}
  TcxBitmap32(int AWidth, int AHeight) : TcxBitmap(AWidth, AHeight, pf32bit) {}
  TcxBitmap32(int AWidth, int AHeight, bool AClear);
  TcxBitmap32(const RECT& ARect, bool AClear) : TcxBitmap32(RectWidth(ARect), RectHeight(ARect), AClear) {}

  // Every byte 0.
  virtual void Clear();
  bool IsAlphaUsed();
  // All pixels, bottom row first.
  void GetBitmapColors(TRGBColors& AColors);
  void SetBitmapColors(const TRGBColors& AColors);

  // Lays this whole bitmap over ARect of ABitmap.
  void AlphaBlend(TBitmap* ABitmap, const RECT& ARect, bool ASmoothImage, BYTE AConstantAlpha = 255);
  // Keeps this bitmap's bits where the mask's bits are clear.
  void Filter(TBitmap* AMaskBitmap);
  void Invert();
  void LoadFromStream(TStream& Stream) override;
  void MakeOpaque() { SetAlphaChannel(255); }
  void SetAlphaChannel(BYTE Alpha);
  // Pixels of that colour become transparent black; other pixels of alpha 0 become opaque.
  void RecoverTransparency(TColor ATransparentColor);

protected:
  void CheckAfterChange() override;
};

// Colours kept as their red, green and blue bytes (alpha cleared).
class TcxColorList {
public:
  int Add(TColor AColor);
  void Clear() { FItems.clear(); }
  int Count() const { return static_cast<int>(FItems.size()); }
  bool Contains(uint32_t RGBValue) const;

private:
  std::vector<uint32_t> FItems;
};

enum TcxBitmapTransformationMode {
  btmDingy, btmDirty, btmGrayScale, btmSetOpaque, btmMakeMask, btmFade, btmDisable, btmCorrectBlend, btmHatch,
  btmClear, btmResetAlpha
};

struct TcxHatchData {
  RGBQUAD Color1;
  BYTE Alpha1;
  RGBQUAD Color2;
  BYTE Alpha2;
  BYTE Step;
};

class TcxAlphaBitmap : public TcxBitmap32 {
public:
  TALVIK_CLASS_NAME(TcxAlphaBitmap)
  TcxAlphaBitmap() : TcxAlphaBitmap(0, 0) {}
  TcxAlphaBitmap(int AWidth, int AHeight) : TcxBitmap32(AWidth, AHeight) {}
  TcxAlphaBitmap(int AWidth, int AHeight, RGBQUAD ATransparentBkColor)
      : TcxBitmap32(AWidth, AHeight), FTransparentBkColor(ATransparentBkColor) {}

  void Clear() override;
  void TransformBitmap(TcxBitmapTransformationMode AMode);
  void DrawHatch(const TcxHatchData& AHatchData);
  void DrawHatch(TColor AColor1, TColor AColor2, BYTE AStep, BYTE AAlpha1, BYTE AAlpha2);
  void RecoverAlphaChannel(TColor ATransparentColor);
  void RefreshImage(int AWidth, int AHeight);
  void RefreshImage(const RECT& R) { RefreshImage(RectWidth(R), RectHeight(R)); }
  void Shade(TBitmap* AMaskBitmap);
  void DrawShadow(TBitmap* AMaskBitmap, int AShadowSize, TColor AShadowColor, bool AInflateSize);

  RGBQUAD TransparentBkColor() const { return FTransparentBkColor; }
  void SetTransparentBkColor(RGBQUAD Value) { FTransparentBkColor = Value; }
  TcxColorList& TransparentPixels() { return FTransparentPixels; }
  bool IsTransparent(RGBQUAD Q) const;

private:
  void TransformPixel(RGBQUAD& Q, TcxBitmapTransformationMode AMode);
  RGBQUAD FTransparentBkColor{};
  TcxColorList FTransparentPixels;
  POINT FCurrentColorIndex{};
  TcxHatchData FHatchData{};
};

// Lays rectangle Rs of the source context over rectangle Rd of the destination
// with constant opacity AAlpha and the source's per-pixel alpha.
void BlendDCRect(HDC DestDC, HDC SrcDC, const RECT& DestRect, const RECT& SrcRect, BYTE AAlpha = 255,
                 bool ASmoothImage = false);
void BlendBitmapOnDC(HDC DestDC, TBitmap* ABitmap, const RECT& DestRect, const RECT& SrcRect, BYTE AAlpha = 255,
                     bool ASmoothImage = false);
// Scales the source onto the whole destination (Lanczos, radius 3, when smooth).
void ResampleBitmap(TBitmap* ASource, TBitmap* ADest, bool ASmooth);

// The integer weights (scaled by 256) of one resampling pass: for each
// destination index, the mirrored source indices and their weights.
using TcxResampleWeights = std::vector<std::vector<std::pair<int, int>>>;
TcxResampleWeights cxResampleWeights(int ASourceSize, int ADestSize);

// Whether the system runs on the old consumer line, whose alpha blending is not trusted.
bool IsWin9XPlatform();
// Whether the system alpha-blend function is there and used.
bool cxSystemAlphaBlendAvailable();
// Makes blending take the software path (for comparisons); returns the previous setting.
bool cxForceSoftwareBlend(bool AValue);

}  // namespace talvik
