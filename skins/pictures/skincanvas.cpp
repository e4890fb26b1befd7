#include "skins/pictures/skincanvas.h"

#include <algorithm>

#include "graphics/cxbitmap.h"
#include "lookandfeel/office2003colors.h"
#include "skins/pictures/pngimage.h"
#include "skins/pictures/skinlayer.h"

namespace talvik {

// A layer or scratch bitmap with the graphics object that draws on it.
struct TdxSkinCanvasSurface {
  TdxSkinCanvasSurface(int AWidth, int AHeight) : Layer(AWidth, AHeight) {
    if (!Layer.Image() || GdiPlus.GdipGetImageGraphicsContext(Layer.Image(), &Graphics) != Ok) Graphics = nullptr;
    else GdiPlus.GdipGetInterpolationMode(Graphics, &DefaultMode);
  }
  ~TdxSkinCanvasSurface() {
    if (Graphics && GdiPlusLoaded()) GdiPlus.GdipDeleteGraphics(Graphics);
  }
  TdxSkinLayer Layer;
  GpGraphics* Graphics = nullptr;
  int DefaultMode = 0;
};

namespace {
constexpr int WrapModeTile = 0;
// A layer larger than this is not kept between paintings.
constexpr int KeptLayerPixels = 256 * 1024;

bool IsColor(TColor AColor) { return AColor != clNone && AColor != clDefault; }

struct TSpareSurfaces {
  std::unique_ptr<TdxSkinCanvasSurface> Layer, Scratch;
};

TSpareSurfaces& ThreadSpares() {
  thread_local TSpareSurfaces spares;
  return spares;
}

bool Contains(const RECT& AOuter, const RECT& AInner) {
  return AInner.left >= AOuter.left && AInner.top >= AOuter.top && AInner.right <= AOuter.right &&
         AInner.bottom <= AOuter.bottom;
}
// Takes ASurface from the thread's spare when the canvas has none; grows it to at least
// AWidth x AHeight. False without GDI+ or memory for it.
bool Borrow(std::unique_ptr<TdxSkinCanvasSurface>& ASurface, std::unique_ptr<TdxSkinCanvasSurface>& ASpare,
            int AWidth, int AHeight) {
  if (!ASurface) ASurface = std::move(ASpare);
  if (ASurface && ASurface->Layer.Width() >= AWidth && ASurface->Layer.Height() >= AHeight) return true;
  const int keptWidth = ASurface ? ASurface->Layer.Width() : 0, keptHeight = ASurface ? ASurface->Layer.Height() : 0;
  ASurface.reset();
  ASurface = std::make_unique<TdxSkinCanvasSurface>(std::max(AWidth, keptWidth), std::max(AHeight, keptHeight));
  if (!ASurface->Graphics) ASurface.reset();
  return ASurface != nullptr;
}

// Back to the spare when that is free and the surface small enough to keep; a canvas
// that painted inside another's painting found the spare taken and drops its own.
void GiveBack(std::unique_ptr<TdxSkinCanvasSurface>& ASurface, std::unique_ptr<TdxSkinCanvasSurface>& ASpare) {
  if (ASurface && !ASpare && ASurface->Layer.Width() * ASurface->Layer.Height() <= KeptLayerPixels)
    ASpare = std::move(ASurface);
  ASurface.reset();
}

}  // namespace

void dxSkinCanvasFreeSpareSurfaces() {
  ThreadSpares().Layer.reset();
  ThreadSpares().Scratch.reset();
}

TdxSkinCanvas::TdxSkinCanvas() = default;

TdxSkinCanvas::~TdxSkinCanvas() {
  EndPaint();
  ReleaseSurfaces();
}

void TdxSkinCanvas::ReleaseSurfaces() {
  GiveBack(FLayer, ThreadSpares().Layer);
  GiveBack(FScratch, ThreadSpares().Scratch);
}

GpGraphics* TdxSkinCanvas::ScratchGraphics(int AWidth, int AHeight) {
  if (!Borrow(FScratch, ThreadSpares().Scratch, AWidth, AHeight)) return nullptr;
  FScratch->Layer.Clear(RECT{0, 0, AWidth, AHeight});  // it holds the last drawing
  return FScratch->Graphics;
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
  if (!Borrow(FLayer, ThreadSpares().Layer, RectWidth(FRect), RectHeight(FRect))) return nullptr;
  // FRect's top-left is the layer's (0, 0).
  FGraphics = FLayer->Graphics;
  GdiPlus.GdipResetWorldTransform(FGraphics);
  GdiPlus.GdipTranslateWorldTransform(FGraphics, float(-FRect.left), float(-FRect.top), MatrixOrderPrepend);
  GdiPlus.GdipSetInterpolationMode(FGraphics, FLayer->DefaultMode);
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
    ReleaseSurfaces();
    return;
  }
  FillDC();  // puts what GDI+ drew on the context
  FGraphics = nullptr;
  ReleaseSurfaces();
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
  FLayer->Layer.Draw(PaintDC(), FLayerDirty, source);
  FLayer->Layer.Clear(source);
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
  GdiPlus.GdipDrawImageRectRectI(g, FScratch->Layer.Image(), ADest.left, ADest.top, w, h, 0, 0, w, h, UnitPixel, nullptr,
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
