#include "skins/drawing/elementcache.h"

#include "graphics/cxbitmap.h"
#include "skins/model/skin.h"
#include "skins/pictures/skinlayer.h"

namespace talvik {

namespace {
// A copy without alpha is right only where the element paints every pixel of its rectangle.
bool PaintsEveryPixel(TdxSkinElement* AElement) {
  if (AElement->IsAlphaUsed()) return false;
  TdxSkinImage* image = AElement->Image();
  return AElement->IsColorAssigned() || (!image->Texture()->Empty() && image->Stretch() != smNoResize);
}
}  // namespace

TdxSkinElementCache::~TdxSkinElementCache() { FreeRenderings(); }

void TdxSkinElementCache::FreeRenderings() {
  FCacheAlpha.Clear();
  delete FCacheOpaque;
  FCacheOpaque = nullptr;
}

void TdxSkinElementCache::Flush() {
  FElement = nullptr;
  FRect = RECT{};
  FreeRenderings();
}

void TdxSkinElementCache::CheckCacheState(TdxSkinElement* AElement, const RECT& R, TdxSkinElementState AState,
                                          int AImageIndex, int ADpi) {
  if (AElement == FElement && AState == FState && AImageIndex == FImageIndex && ADpi == FDpi &&
      RectWidth(R) == RectWidth(FRect) && RectHeight(R) == RectHeight(FRect))
    return;
  FElement = AElement;
  FDpi = ADpi;
  FRect = R;
  FState = AState;
  FImageIndex = AImageIndex;
  FreeRenderings();
  FIsAlphaBlendUsed = AElement && !PaintsEveryPixel(AElement);
  if (!AElement || RectIsEmpty(R)) return;
  if (FIsAlphaBlendUsed)
    RenderWithAlpha(RectWidth(R), RectHeight(R));
  else
    RenderOpaque(RectWidth(R), RectHeight(R));
}

void TdxSkinElementCache::RenderOpaque(int AWidth, int AHeight) {
  const RECT r{0, 0, AWidth, AHeight};
  FCacheOpaque = new TcxBitmap(r, pf32bit);
  TdxSkinCanvas canvas;
  canvas.BeginPaint(FCacheOpaque->Canvas().Handle(), r);
  canvas.SetDpi(FDpi);
  FElement->DrawContent(&canvas, r, FImageIndex, FState);
}

void TdxSkinElementCache::RenderWithAlpha(int AWidth, int AHeight) {
  TdxSkinLayer layer(AWidth, AHeight);
  GpGraphics* graphics = nullptr;
  if (!layer.Image() || GdiPlus.GdipGetImageGraphicsContext(layer.Image(), &graphics) != Ok) return;
  {
    TdxSkinCanvas canvas;  // takes the graphics object and deletes it, which finishes its drawing
    canvas.BeginPaintEx(graphics, RECT{0, 0, AWidth, AHeight});
    canvas.SetDpi(FDpi);
    FElement->DrawContent(&canvas, RECT{0, 0, AWidth, AHeight}, FImageIndex, FState);
  }
  GdiFlush();
  FCacheAlpha.Assign(layer.Bitmap(), false);
}

void TdxSkinElementCache::Draw(HDC DC, const RECT& R) {
  const RECT source{0, 0, RectWidth(R), RectHeight(R)};
  if (FCacheOpaque)
    BitBlt(DC, R.left, R.top, source.right, source.bottom, FCacheOpaque->Canvas().Handle(), 0, 0, SRCCOPY);
  else if (!FCacheAlpha.Empty())
    FCacheAlpha.Draw(DC, R.left, R.top);
  else if (FElement)  // no rendering with alpha without GDI+: drawn each time instead
    FElement->Draw(DC, R, FImageIndex, FState, FDpi);
}

void TdxSkinElementCache::DrawEx(HDC DC, TdxSkinElement* AElement, const RECT& R, TdxSkinElementState AState,
                                 int AImageIndex, int ADpi) {
  CheckCacheState(AElement, R, AState, AImageIndex, ADpi);
  Draw(DC, R);
}

}  // namespace talvik
