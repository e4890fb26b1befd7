// How a skin image puts its frames into rectangles.
#include <algorithm>
#include <cstdint>
#include <memory>

#include "graphics/bitmap32.h"
#include "skins/pictures/skincanvas.h"
#include "skins/model/skinimage.h"

namespace talvik {

const TdxSkinElementPartVisibility dxSkinDefaultPartSizing = {{
    {false, true, false},  // left column: top, middle, bottom
    {true, true, true},    // middle column
    {false, true, false},  // right column
}};

namespace {
constexpr TdxSkinElementPartVisibility AllParts = {{{true, true, true}, {true, true, true}, {true, true, true}}};

// MulDiv's rounding for non-negative values, in 64 bits.
int64_t MulDiv64(int64_t A, int64_t B, int64_t C) { return (A * B + C / 2) / C; }

// Shrinks A and B in proportion so that they add up to AExtent; false when they fit.
// In 64 bits: a damaged skin's margins may lie near the end of the int range.
bool FitMargins(LONG& A, LONG& B, int64_t AExtent) {
  const int64_t sum = int64_t(A) + B, excess = sum - std::max<int64_t>(AExtent, 0);
  if (excess <= 0) return false;
  const int64_t a = A, b = B;
  A = static_cast<LONG>(a - MulDiv64(a, excess, sum));
  B = static_cast<LONG>(b - MulDiv64(b, excess, sum));
  return true;
}
}  // namespace

void dxSkinCutNineParts(const RECT& ABounds, RECT AMargins, bool AIsTarget, TdxSkinElementPartVisibility& AVisibility,
                        TdxSkinElementPartBounds& AParts, TdxSkinElementPartVisibility& ASizing) {
  RECT& m = AMargins;
  // A damaged skin's negative margin would reach outside the bounds.
  m = RECT{std::max(m.left, 0L), std::max(m.top, 0L), std::max(m.right, 0L), std::max(m.bottom, 0L)};
  ASizing = dxSkinDefaultPartSizing;
  if (AIsTarget) {
    if (FitMargins(m.left, m.right, int64_t(ABounds.right) - ABounds.left))
      for (int r = 0; r < 3; ++r) ASizing[0][r] = ASizing[2][r] = true;
    if (FitMargins(m.top, m.bottom, int64_t(ABounds.bottom) - ABounds.top))
      for (int c = 0; c < 3; ++c) ASizing[c][0] = ASizing[c][2] = true;
  }
  const RECT& b = ABounds;
  // Each lies between its bounds' edges, but the sums on the way need 64 bits.
  const LONG x1 = static_cast<LONG>(std::min<int64_t>(int64_t(b.left) + m.left, b.right));
  const LONG x2 = static_cast<LONG>(std::min<int64_t>(std::max<int64_t>(int64_t(b.right) - m.right, x1), b.right));
  const LONG y1 = static_cast<LONG>(std::min<int64_t>(int64_t(b.top) + m.top, b.bottom));
  const LONG y2 = static_cast<LONG>(std::min<int64_t>(std::max<int64_t>(int64_t(b.bottom) - m.bottom, y1), b.bottom));
  const LONG xs[4] = {b.left, x1, x2, b.right}, ys[4] = {b.top, y1, y2, b.bottom};
  for (int c = 0; c < 3; ++c)
    for (int r = 0; r < 3; ++r) {
      if (!AVisibility[c][r]) continue;
      AParts[c][r] = RECT{xs[c], ys[r], xs[c + 1], ys[r + 1]};
      AVisibility[c][r] = !RectIsEmpty(AParts[c][r]);
    }
}

void TdxSkinImage::Draw(HDC DC, const RECT& ARect, int AImageIndex, TdxSkinElementState AState) {
  CheckInfo();
  if (FSize.cx <= 0 || FSize.cy <= 0 || !TdxSkinCanvas::IsRectVisible(DC, ARect)) return;
  TdxSkinCanvas canvas;  // its destructor ends the painting also when drawing fails
  canvas.BeginPaint(DC, ARect);
  DrawEx(&canvas, ARect, AImageIndex, AState);
  canvas.EndPaint();
}

void TdxSkinImage::DrawEx(TdxSkinCanvas* ACanvas, const RECT& ARect, int AImageIndex, TdxSkinElementState AState) {
  TdxSkinElementPartVisibility visible = AllParts;
  TdxSkinElementPartBounds source, target;
  if (Empty()) {
    if (!HasGradient()) return;
    dxSkinCutNineParts(ARect, FMargins->Rect(), true, visible, target, FPartSizing);
    if (visible[1][1]) ACanvas->FillRectByGradient(target[1][1], FGradientBeginColor, FGradientEndColor, FGradient);
    return;
  }
  const RECT frame = FrameBounds(AImageIndex, AState);
  // Above 96 DPI the picture grows whole: corners keep their shape, edges and centre stretch.
  const bool scaled = ACanvas->Dpi() != 96;
  if (FStretch == smNoResize) {
    if (scaled)
      ACanvas->StretchDrawImage(FTexture, CenterRect(ARect, ACanvas->Scaled(FSize.cx), ACanvas->Scaled(FSize.cy)),
                                frame);
    else
      ACanvas->DrawImage(FTexture, CenterRect(ARect, FSize.cx, FSize.cy), frame);
    return;
  }
  dxSkinCutNineParts(frame, FMargins->Rect(), false, visible, source, FPartSizing);
  dxSkinCutNineParts(ARect, ACanvas->Scaled(FMargins->Rect()), true, visible, target, FPartSizing);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c)
      if (visible[c][r])
        DrawPart(ACanvas, target[c][r], source[c][r], FPartSizing[c][r] || scaled, c == 1 && r == 1);
}

void TdxSkinImage::DrawPart(TdxSkinCanvas* ACanvas, const RECT& ADest, const RECT& ASource, bool AIsResized,
                            bool AIsCentre) {
  if (AIsCentre && HasGradient())
    ACanvas->FillRectByGradient(ADest, FGradientBeginColor, FGradientEndColor, FGradient);
  else if (!AIsResized)
    ACanvas->DrawImage(FTexture, ADest, ASource);
  else if (FStretch == smTile)
    ACanvas->TileImage(FTexture, ADest, ASource);
  else
    ACanvas->StretchDrawImage(FTexture, ADest, ASource);
}

void TdxSkinImage::GetBitmap(int AImageIndex, TdxSkinElementState AState, TBitmap* ABitmap, TColor ABkColor) {
  const SIZE size = Size();
  ABitmap->SetSize(0, 0);
  ABitmap->SetSize(size.cx, size.cy);
  const RECT r{0, 0, ABitmap->Width(), ABitmap->Height()};
  TCanvas& canvas = ABitmap->Canvas();
  if (ABkColor != clNone) {
    if (ABkColor != clDefault) canvas.Brush().SetColor(ABkColor);
    canvas.FillRect(r);
  }
  Draw(canvas.Handle(), r, AImageIndex, AState);
}

void TdxSkinImage::SetStateMapping(const std::vector<TdxSkinElementState>& AStateMap) {
  if (FTexture->Empty()) return;
  CheckInfo();
  std::unique_ptr<TBitmap> picture(FTexture->GetAsBitmap());
  TcxBitmap32 result(picture->Width(), picture->Height(), true);
  const POINT step = FImageLayout == ilHorizontal ? POINT{FSize.cx, 0} : POINT{0, FSize.cy};
  HDC from = picture->Canvas().Handle(), to = result.Canvas().Handle();
  POINT running{0, 0};
  for (int variant = 0; variant < ImageCount(); ++variant)
    for (TdxSkinElementState s : AStateMap) {
      if (s >= dxSkinElementStateCount || !(FStates & dxSkinStateBit(s))) continue;
      const int shift = variant * FStateCount;
      const RECT dest = OffsetRectBy(FStateBounds[s], shift * step.x, shift * step.y);
      BitBlt(to, dest.left, dest.top, FSize.cx, FSize.cy, from, running.x, running.y, SRCCOPY);
      running = OffsetPoint(running, step);
    }
  FTexture->SetBitmap(&result);
  Changed();
}

}  // namespace talvik
