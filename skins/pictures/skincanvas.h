// Where skin elements are drawn: a device context (double-buffered on palette
// displays) or a GDI+ graphics object over a bitmap.
#pragma once
#include <windows.h>

#include <memory>

#include "framework/graphics.h"
#include "skins/pictures/gdiplusapi.h"
#include "skins/format/skintypes.h"

namespace talvik {

class TcxBitmap;
class TdxPNGImage;
struct TdxSkinCanvasSurface;

// Frees the calling thread's spare layer and scratch bitmaps; the skin module calls it
// before GDI+ goes away.
void dxSkinCanvasFreeSpareSurfaces();

class TdxSkinCanvas {
public:
  TdxSkinCanvas();
  virtual ~TdxSkinCanvas();
  TdxSkinCanvas(const TdxSkinCanvas&) = delete;
  TdxSkinCanvas& operator=(const TdxSkinCanvas&) = delete;

  // Fewer than 9 bits per pixel, or a colour table: GDI+ would dither straight onto it.
  virtual bool IsDoubleBufferNeeded(HDC DC);
  // R is non-empty and some of it is visible on DC.
  static bool IsRectVisible(HDC DC, const RECT& R);

  void BeginPaint(HDC DC, const RECT& R);
  // Paints through AGraphics (over a GDI+ bitmap, say); EndPaint deletes it.
  void BeginPaintEx(GpGraphics* AGraphics, const RECT& R);
  void EndPaint();

  // The DPI the skin's lengths (margins, borders, offsets) are drawn at; a skin gives them at 96.
  int Dpi() const { return FDpi; }
  void SetDpi(int Value) { FDpi = Value > 0 ? Value : 96; }
  int Scaled(int AValue) const { return FDpi == 96 ? AValue : MulDiv(AValue, FDpi, 96); }
  RECT Scaled(const RECT& R) const { return {Scaled(R.left), Scaled(R.top), Scaled(R.right), Scaled(R.bottom)}; }

  // What GDI+ draws on, in the painted device context's logical coordinates.
  GpGraphics* Graphics();
  int InterpolationMode();
  void SetInterpolationMode(int Value);

  // Opaque fills; clNone and clDefault fill nothing.
  void FillRectByColor(const RECT& R, TColor AColor);
  void FillRectByGradient(const RECT& R, TColor AColor1, TColor AColor2, TdxSkinGradientMode AMode);
  // Blends ABrush (a translucent colour, say) over R.
  void FillRectByBrush(const RECT& R, GpBrush* ABrush);

  // At natural size: nearest neighbour, so nothing blurs.
  void DrawImage(TdxPNGImage* AImage, const RECT& ADest, const RECT& ASource);
  void StretchDrawImage(TdxPNGImage* AImage, const RECT& ADest, const RECT& ASource);
  // Source-sized tiles from ADest's top-left; the last row and column are cut at ADest's edges.
  void TileImage(TdxPNGImage* AImage, const RECT& ADest, const RECT& ASource);

private:
  // The layer's graphics object, made on first need: GDI-only paintings never pay for one.
  GpGraphics* LayerGraphics();
  // The graphics object to draw into ADest with, nullptr when none of ADest is visible.
  GpGraphics* GraphicsFor(const RECT& ADest);
  // The device context GDI fills go to, once what GDI+ drew before is on it; nullptr over a bitmap.
  HDC FillDC();
  // The buffer on palette displays, else the painted context.
  HDC PaintDC();
  void FlushLayer();
  // The scratch graphics with (0, 0, AWidth, AHeight) transparent.
  GpGraphics* ScratchGraphics(int AWidth, int AHeight);
  // Gives the layer and the scratch bitmap back to the thread's spares.
  void ReleaseSurfaces();
  void StretchDraw(TdxPNGImage* AImage, const RECT& ADest, const RECT& ASource, int AInterpolationMode);
  void FillByLineBrush(const RECT& R, TColor AColor1, TColor AColor2, int AMode);

  int FDpi = 96;
  TcxBitmap* FBuffer = nullptr;
  GpGraphics* FGraphics = nullptr;
  RECT FRect{};
  HDC FSourceDC = nullptr;
  // On a device context GDI+ draws into a layer over FRect, laid onto the context in one blend
  // before each GDI fill and at the end: each GDI+ call straight onto a device context has a
  // fixed cost larger than most element parts (a millisecond under Wine). Every skin
  // element has a canvas, but only one paints at a time: the layer is borrowed from the
  // thread's spare for one painting, not kept by each canvas.
  std::unique_ptr<TdxSkinCanvasSurface> FLayer;
  RECT FLayerDirty{};
  // Straight onto the device context, for what reaches beyond FRect (centred pictures).
  GpGraphics* FDirectGraphics = nullptr;
  // GDI+ measures visibility slowly: the visible bounds of a given graphics object, once.
  RECT FVisibleBounds{};
  // Scaled pictures are drawn at the origin of this scratch bitmap, then put in place
  // unscaled: Wine's GDI+ leaves out the first row or column of some scaled drawings away
  // from the origin, which shows as a seam between parts. Borrowed like the layer.
  std::unique_ptr<TdxSkinCanvasSurface> FScratch;
};

}  // namespace talvik
