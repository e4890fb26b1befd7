#include "skins/skincanvas.h"

#include <algorithm>

#include "graphics/cxbitmap.h"
#include "lookandfeel/office2003colors.h"
#include "skins/pngimage.h"
#include "skins/skinlayer.h"

namespace talvik {

namespace {
constexpr int WrapModeTile = 0;
// A layer larger than this is not kept between paintings.
constexpr int KeptLayerPixels = 256 * 1024;

bool IsColor(TColor AColor) { return AColor != clNone && AColor != clDefault; }

bool Contains(const RECT& AOuter, const RECT& AInner) {
  return AInner.left >= AOuter.left && AInner.top >= AOuter.top && AInner.right <= AOuter.right &&
         AInner.bottom <= AOuter.bottom;
}
}  // namespace

TdxSkinCanvas::TdxSkinCanvas() = default;

TdxSkinCanvas::~TdxSkinCanvas() {
  EndPaint();
  FreeLayer();
  FreeScratch();
}

void TdxSkinCanvas::FreeLayer() {
  if (FLayerGraphics && GdiPlusLoaded()) GdiPlus.GdipDeleteGraphics(FLayerGraphics);
  FLayerGraphics = nullptr;
  FLayer.reset();
}

void TdxSkinCanvas::FreeScratch() {
  if (FScratchGraphics && GdiPlusLoaded()) GdiPlus.GdipDeleteGraphics(FScratchGraphics);
  FScratchGraphics = nullptr;
  FScratch.reset();
}

GpGraphics* TdxSkinCanvas::ScratchGraphics(int AWidth, int AHeight) {
  if (FScratch && FScratch->Width() >= AWidth && FScratch->Height() >= AHeight) {
    FScratch->Clear(RECT{0, 0, AWidth, AHeight});
    return FScratchGraphics;
  }
  const int keptWidth = FScratch ? FScratch->Width() : 0, keptHeight = FScratch ? FScratch->Height() : 0;
  FreeScratch();
  FScratch = std::make_unique<TdxSkinLayer>(std::max(AWidth, keptWidth), std::max(AHeight, keptHeight));
  if (!FScratch->Image() || GdiPlus.GdipGetImageGraphicsContext(FScratch->Image(), &FScratchGraphics) != Ok)
    FreeScratch();
  return FScratchGraphics;
}

bool TdxSkinCanvas::IsDoubleBufferNeeded(HDC DC) {
  return GetDeviceCaps(DC, BITSPIXEL) * GetDeviceCaps(DC, PLANES) < 9 || GetDeviceCaps(DC, NUMCOLORS) > 1;
}

bool TdxSkinCanvas::IsRectVisible(HDC DC, const RECT& R) { return !RectIsEmpty(R) && RectVisible(DC, &R); }

void TdxSkinCanvas::BeginPaint(HDC DC, const RECT& R) {
  EndPaint();
  FRect = R;
  FSourceDC = DC;
  if (IsDoubleBufferNeeded(DC)) {
    FBuffer = new TcxBitmap(R, pf32bit);
    HDC buffer = FBuffer->Canvas().Handle();
    BitBlt(buffer, 0, 0, RectWidth(R), RectHeight(R), DC, R.left, R.top, SRCCOPY);
    SetWindowOrgEx(buffer, R.left, R.top, nullptr);
  }
}

GpGraphics* TdxSkinCanvas::LayerGraphics() {
  if (FGraphics || !FSourceDC || !GdiPlusLoaded() || RectIsEmpty(FRect)) return FGraphics;
  const int w = RectWidth(FRect), h = RectHeight(FRect);
  if (!FLayer || FLayer->Width() < w || FLayer->Height() < h) {
    const int keptWidth = FLayer ? FLayer->Width() : 0, keptHeight = FLayer ? FLayer->Height() : 0;
    FreeLayer();
    FLayer = std::make_unique<TdxSkinLayer>(std::max(w, keptWidth), std::max(h, keptHeight));
    if (!FLayer->Image() || GdiPlus.GdipGetImageGraphicsContext(FLayer->Image(), &FLayerGraphics) != Ok) {
      FreeLayer();
      return nullptr;
    }
    GdiPlus.GdipGetInterpolationMode(FLayerGraphics, &FLayerDefaultMode);
  }
  // FRect's top-left is the layer's (0, 0).
  FGraphics = FLayerGraphics;
  GdiPlus.GdipResetWorldTransform(FGraphics);
  GdiPlus.GdipTranslateWorldTransform(FGraphics, float(-FRect.left), float(-FRect.top), MatrixOrderPrepend);
  GdiPlus.GdipSetInterpolationMode(FGraphics, FLayerDefaultMode);
  return FGraphics;
}

void TdxSkinCanvas::BeginPaintEx(GpGraphics* AGraphics, const RECT& R) {
  EndPaint();
  FRect = R;
  FGraphics = AGraphics;
  GpRect bounds{};
  FVisibleBounds = AGraphics && GdiPlus.GdipGetVisibleClipBoundsI(AGraphics, &bounds) == Ok
                       ? RECT{bounds.X, bounds.Y, bounds.X + bounds.Width, bounds.Y + bounds.Height}
                       : R;
}

void TdxSkinCanvas::EndPaint() {
  if (!FSourceDC) {
    if (FGraphics && GdiPlusLoaded()) GdiPlus.GdipDeleteGraphics(FGraphics);
    FGraphics = nullptr;
    return;
  }
  FillDC();  // puts what GDI+ drew on the context
  FGraphics = nullptr;
  if (FLayer && FLayer->Width() * FLayer->Height() > KeptLayerPixels) FreeLayer();
  if (FScratch && FScratch->Width() * FScratch->Height() > KeptLayerPixels) FreeScratch();
  if (FBuffer) {
    HDC buffer = FBuffer->Canvas().Handle();
    SetWindowOrgEx(buffer, 0, 0, nullptr);
    int state = SaveDC(FSourceDC);
    BitBlt(FSourceDC, FRect.left, FRect.top, RectWidth(FRect), RectHeight(FRect), buffer, 0, 0, SRCCOPY);
    RestoreDC(FSourceDC, state);
    delete FBuffer;
    FBuffer = nullptr;
  }
  FSourceDC = nullptr;
}

GpGraphics* TdxSkinCanvas::Graphics() {
  // What the caller draws must reach the context: the whole layer counts as drawn on.
  if (FSourceDC && LayerGraphics()) UnionRect(&FLayerDirty, &FLayerDirty, &FRect);
  return FGraphics;
}

int TdxSkinCanvas::InterpolationMode() {
  int mode = 0;
  if (LayerGraphics()) GdiPlus.GdipGetInterpolationMode(FGraphics, &mode);
  return mode;
}

void TdxSkinCanvas::SetInterpolationMode(int Value) {
  if (LayerGraphics()) GdiPlus.GdipSetInterpolationMode(FGraphics, Value);
}

GpGraphics* TdxSkinCanvas::GraphicsFor(const RECT& ADest) {
  if (!LayerGraphics() || RectIsEmpty(ADest)) return nullptr;
  RECT visible;
  if (!FSourceDC) return IntersectRect(&visible, &ADest, &FVisibleBounds) ? FGraphics : nullptr;
  HDC dc = PaintDC();
  if (!RectVisible(dc, &ADest)) return nullptr;
  if (Contains(FRect, ADest)) {
    UnionRect(&FLayerDirty, &FLayerDirty, &ADest);
    return FGraphics;
  }
  FlushLayer();
  if (!FDirectGraphics && GdiPlus.GdipCreateFromHDC(dc, &FDirectGraphics) != Ok) FDirectGraphics = nullptr;
  return FDirectGraphics;
}

HDC TdxSkinCanvas::FillDC() {
  if (!FSourceDC) return nullptr;
  FlushLayer();
  // Deleting a graphics object puts everything it drew on the context.
  if (FDirectGraphics) GdiPlus.GdipDeleteGraphics(FDirectGraphics);
  FDirectGraphics = nullptr;
  return PaintDC();
}

HDC TdxSkinCanvas::PaintDC() { return FBuffer ? FBuffer->Canvas().Handle() : FSourceDC; }

void TdxSkinCanvas::FlushLayer() {
  if (!FLayer || RectIsEmpty(FLayerDirty)) return;
  const RECT source = OffsetRectBy(FLayerDirty, -FRect.left, -FRect.top);
  FLayer->Draw(PaintDC(), FLayerDirty, source);
  FLayer->Clear(source);
  FLayerDirty = RECT{};
}

void TdxSkinCanvas::FillRectByColor(const RECT& R, TColor AColor) {
  if (!IsColor(AColor) || RectIsEmpty(R)) return;
  if (HDC dc = FillDC()) {
    FillRectWithColor(dc, R, AColor);
    return;
  }
  // Over a bitmap GDI would leave the alpha at 0: an opaque GDI+ fill instead.
  GpSolidFill* brush = nullptr;
  if (!FGraphics || GdiPlus.GdipCreateSolidFill(dxColorToARGB(AColor), &brush) != Ok) return;
  FillRectByBrush(R, brush);
  GdiPlus.GdipDeleteBrush(brush);
}

void TdxSkinCanvas::FillRectByGradient(const RECT& R, TColor AColor1, TColor AColor2, TdxSkinGradientMode AMode) {
  if (AColor2 == AColor1 || !IsColor(AColor2)) {
    FillRectByColor(R, AColor1);
    return;
  }
  if (!IsColor(AColor1) || RectIsEmpty(R)) return;
  if (AMode == gmHorizontal || AMode == gmVertical) {
    if (HDC dc = FillDC()) {
      FillGradientRect(dc, R, AColor1, AColor2, AMode == gmHorizontal);
      return;
    }
  }
  // GDI+ linear gradient modes follow the same order as ours.
  FillByLineBrush(R, AColor1, AColor2, AMode);
}

void TdxSkinCanvas::FillByLineBrush(const RECT& R, TColor AColor1, TColor AColor2, int AMode) {
  const GpRect rect{R.left, R.top, RectWidth(R), RectHeight(R)};
  const ARGB from = dxColorToARGB(AColor1), to = dxColorToARGB(AColor2);
  GpLineGradient* brush = nullptr;
  if (!GdiPlusLoaded() || GdiPlus.GdipCreateLineBrushFromRectI(&rect, from, to, AMode, WrapModeTile, &brush) != Ok)
    return;
  FillRectByBrush(R, brush);
  GdiPlus.GdipDeleteBrush(brush);
}

void TdxSkinCanvas::FillRectByBrush(const RECT& R, GpBrush* ABrush) {
  if (!ABrush) return;
  if (GpGraphics* g = GraphicsFor(R)) GdiPlus.GdipFillRectangleI(g, ABrush, R.left, R.top, RectWidth(R), RectHeight(R));
}

void TdxSkinCanvas::StretchDraw(TdxPNGImage* AImage, const RECT& ADest, const RECT& ASource, int AMode) {
  GpGraphics* g = AImage ? GraphicsFor(ADest) : nullptr;
  if (!g) return;
  const int w = RectWidth(ADest), h = RectHeight(ADest);
  if (w == RectWidth(ASource) && h == RectHeight(ASource)) {
    AImage->StretchDrawVisible(g, ADest, ASource);  // unscaled: no interpolation at all
    return;
  }
  GpGraphics* scratch = ScratchGraphics(w, h);
  if (!scratch) return;
  int mode = AMode;
  if (mode < 0) GdiPlus.GdipGetInterpolationMode(g, &mode);
  GdiPlus.GdipSetInterpolationMode(scratch, mode);
  AImage->StretchDrawVisible(scratch, RECT{0, 0, w, h}, ASource);
  GdiPlus.GdipDrawImageRectRectI(g, FScratch->Image(), ADest.left, ADest.top, w, h, 0, 0, w, h, UnitPixel, nullptr,
                                 nullptr, nullptr);
}

void TdxSkinCanvas::DrawImage(TdxPNGImage* AImage, const RECT& ADest, const RECT& ASource) {
  StretchDraw(AImage, ADest, ASource, InterpolationModeNearestNeighbor);
}

void TdxSkinCanvas::StretchDrawImage(TdxPNGImage* AImage, const RECT& ADest, const RECT& ASource) {
  StretchDraw(AImage, ADest, ASource, -1);
}

void TdxSkinCanvas::TileImage(TdxPNGImage* AImage, const RECT& ADest, const RECT& ASource) {
  const int sw = RectWidth(ASource), sh = RectHeight(ASource);
  GpGraphics* g = AImage && sw > 0 && sh > 0 ? GraphicsFor(ADest) : nullptr;
  if (!g) return;
  // Tiles are never scaled, so nothing is interpolated or blurred.
  for (int y = ADest.top; y < ADest.bottom; y += sh) {
    const int th = std::min(sh, static_cast<int>(ADest.bottom) - y);
    for (int x = ADest.left; x < ADest.right; x += sw) {
      const int tw = std::min(sw, static_cast<int>(ADest.right) - x);
      AImage->StretchDrawVisible(g, RECT{x, y, x + tw, y + th},
                                 RECT{ASource.left, ASource.top, ASource.left + tw, ASource.top + th});
    }
  }
}

}  // namespace talvik
