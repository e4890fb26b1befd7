#include "graphics/bitmap32.h"
#include "framework/system_libraries.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "framework/sysutils.h"

namespace talvik {

namespace {
inline BYTE Clamp255(double v) { return static_cast<BYTE>(std::clamp(std::nearbyint(v), 0.0, 255.0)); }
inline uint32_t RGBPart(RGBQUAD Q) { return QuadToValue(Q) & 0xFFFFFF; }

// Rows of a 32-bit bitmap, bottom row first; other formats go through a copy.
TRGBColors ReadColors(TBitmap* B) {
  int w = B->Width(), h = B->Height();
  TRGBColors c(size_t(w) * h);
  if (c.empty()) return c;
  TBitmap* src = B;
  std::unique_ptr<TBitmap> copy;
  if (B->PixelFormat() != pf32bit) {
    copy = std::make_unique<TBitmap>(w, h, pf32bit);
    BitBlt(copy->Canvas().Handle(), 0, 0, w, h, B->Canvas().Handle(), 0, 0, SRCCOPY);
    src = copy.get();
  }
  for (int y = 0; y < h; ++y) std::copy_n(static_cast<RGBQUAD*>(src->ScanLine(h - 1 - y)), w, c.begin() + size_t(y) * w);
  return c;
}

void WriteColors(TBitmap* B, const TRGBColors& c) {
  int w = B->Width(), h = B->Height();
  if (c.size() < size_t(w) * h || w == 0 || h == 0) return;
  TBitmap* dst = B;
  std::unique_ptr<TBitmap> copy;
  if (B->PixelFormat() != pf32bit) {
    copy = std::make_unique<TBitmap>(w, h, pf32bit);
    dst = copy.get();
  }
  for (int y = 0; y < h; ++y) std::copy_n(c.begin() + size_t(y) * w, w, static_cast<RGBQUAD*>(dst->ScanLine(h - 1 - y)));
  if (copy) BitBlt(B->Canvas().Handle(), 0, 0, w, h, copy->Canvas().Handle(), 0, 0, SRCCOPY);
}
}  // namespace

RGBQUAD ColorToQuad(TColor AColor, BYTE AAlpha) {
  COLORREF c = ColorToRGB(AColor);
  return RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), AAlpha};
}

// With c = a/255, d = c*alpha(C), e = 1 - d/255 every result is N/65025 for
// N = 255*a*C + (65025 - a*alpha(C))*B, a whole number >= 0. Such a fraction is
// never exactly halfway, so rounding to nearest (ties to even) is exact in integers.
RGBQUAD cxBlendQuad(RGBQUAD B, RGBQUAD C, BYTE Alpha) {
  const uint32_t a = Alpha, keep = 65025 - a * C.rgbReserved;
  auto mix = [&](uint32_t src, uint32_t dst) {
    uint32_t v = (255 * a * src + keep * dst + 32512) / 65025;
    return static_cast<BYTE>(v > 255 ? 255 : v);
  };
  return RGBQUAD{mix(C.rgbBlue, B.rgbBlue), mix(C.rgbGreen, B.rgbGreen), mix(C.rgbRed, B.rgbRed),
                 mix(C.rgbReserved, B.rgbReserved)};
}

// ---- TcxBitmap32

TcxBitmap32::TcxBitmap32(int AWidth, int AHeight, bool AClear) : TcxBitmap(AWidth, AHeight, pf32bit) {
  if (AClear) TcxBitmap32::Clear();
}

void TcxBitmap32::CheckAfterChange() {
  if (PixelFormat() != pf32bit) throw EdxException(L"Wrong PixelFormat");
}

void TcxBitmap32::Clear() {
  if (Empty()) return;
  RECT r = ClientRect();
  ::FillRect(Canvas().Handle(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  Changed(this);
}

bool TcxBitmap32::IsAlphaUsed() {
  for (int y = 0; y < Height(); ++y) {
    auto* row = static_cast<RGBQUAD*>(ScanLine(y));
    for (int x = 0; row && x < Width(); ++x)
      if (row[x].rgbReserved) return true;
  }
  return false;
}

void TcxBitmap32::GetBitmapColors(TRGBColors& AColors) { AColors = ReadColors(this); }

void TcxBitmap32::SetBitmapColors(const TRGBColors& AColors) {
  WriteColors(this, AColors);
  Changed(this);
}

void TcxBitmap32::AlphaBlend(TBitmap* ABitmap, const RECT& ARect, bool ASmoothImage, BYTE AConstantAlpha) {
  if (!ABitmap || Empty()) return;
  BlendDCRect(ABitmap->Canvas().Handle(), Canvas().Handle(), ARect, ClientRect(), AConstantAlpha, ASmoothImage);
}

void TcxBitmap32::Filter(TBitmap* AMaskBitmap) { CopyBitmap(AMaskBitmap, 0x00220326); }
void TcxBitmap32::Invert() { CopyBitmap(this, 0x00330008); }

void TcxBitmap32::LoadFromStream(TStream& Stream) {
  BeginUpdate();
  std::exception_ptr failure;
  try {
    TcxBitmap::LoadFromStream(Stream);
  } catch (...) {
    failure = std::current_exception();
  }
  SetPixelFormat(pf32bit);
  EndUpdate(true);
  if (failure) std::rethrow_exception(failure);
}

void TcxBitmap32::SetAlphaChannel(BYTE Alpha) {
  TRGBColors c = ReadColors(this);
  if (c.empty()) return;
  for (auto& q : c) q.rgbReserved = Alpha;
  SetBitmapColors(c);
}

void TcxBitmap32::RecoverTransparency(TColor ATransparentColor) {
  TRGBColors c = ReadColors(this);
  if (c.empty()) return;
  uint32_t key = RGBPart(ColorToQuad(ATransparentColor));
  for (auto& q : c) {
    if (RGBPart(q) == key) q = RGBQUAD{0, 0, 0, 0};
    else if (q.rgbReserved == 0) q.rgbReserved = 255;
  }
  SetBitmapColors(c);
}

// ---- TcxColorList

int TcxColorList::Add(TColor AColor) {
  FItems.push_back(RGBPart(ColorToQuad(AColor, 0)));
  return Count() - 1;
}

bool TcxColorList::Contains(uint32_t RGBValue) const {
  return std::find(FItems.begin(), FItems.end(), RGBValue & 0xFFFFFF) != FItems.end();
}

// ---- TcxAlphaBitmap

bool TcxAlphaBitmap::IsTransparent(RGBQUAD Q) const {
  return QuadToValue(Q) == QuadToValue(FTransparentBkColor) || FTransparentPixels.Contains(RGBPart(Q));
}

void TcxAlphaBitmap::Clear() {
  if (FTransparentBkColor.rgbReserved != 0) TransformBitmap(btmClear);
  else TcxBitmap32::Clear();
}

void TcxAlphaBitmap::TransformPixel(RGBQUAD& Q, TcxBitmapTransformationMode AMode) {
  bool t = IsTransparent(Q);
  auto grey = [&](float wr, float wg, float wb) {
    BYTE g = Clamp255(double(wr) * Q.rgbRed + double(wg) * Q.rgbGreen + double(wb) * Q.rgbBlue);
    Q.rgbRed = Q.rgbGreen = Q.rgbBlue = g;
  };
  switch (AMode) {
    case btmDingy:
      if (t) break;
      if (Q.rgbReserved == 255) {
        for (BYTE* c : {&Q.rgbRed, &Q.rgbGreen, &Q.rgbBlue}) *c = Clamp255(*c + std::nearbyint(3.0 * (255 - *c) / 10));
      } else {
        for (BYTE* c : {&Q.rgbRed, &Q.rgbGreen, &Q.rgbBlue, &Q.rgbReserved}) *c = Clamp255(*c * 200.0 / 255);
      }
      break;
    case btmDirty:
      if (t) break;
      grey(0.299f, 0.587f, 0.114f);
      Q = cxBlendQuad(Q, ColorToQuad(clBtnShadow, 0xC0), 238);
      break;
    case btmGrayScale:
      if (!t) Q.rgbRed = Q.rgbGreen = Q.rgbBlue = BYTE((Q.rgbRed + Q.rgbGreen + Q.rgbBlue) / 3);
      break;
    case btmSetOpaque: Q.rgbReserved = 255; break;
    case btmMakeMask: Q = t ? RGBQUAD{255, 255, 255, 255} : RGBQUAD{0, 0, 0, 0}; break;
    case btmFade:
      if (!t) grey(0.299f, 0.587f, 0.114f);
      break;
    case btmDisable:
      if (!t) grey(0.0729f, 0.7146f, 0.2125f);
      break;
    case btmCorrectBlend:
      if (!t && Q.rgbReserved == 0) Q.rgbReserved = 255;
      break;
    case btmHatch: {
      int s = FHatchData.Step;
      bool odd = (FCurrentColorIndex.x / s + FCurrentColorIndex.y / s) % 2 == 1;
      Q = odd ? cxBlendQuad(Q, FHatchData.Color2, FHatchData.Alpha2) : cxBlendQuad(Q, FHatchData.Color1, FHatchData.Alpha1);
      break;
    }
    case btmClear: Q = FTransparentBkColor; break;
    case btmResetAlpha: Q.rgbReserved = 0; break;
  }
}

void TcxAlphaBitmap::TransformBitmap(TcxBitmapTransformationMode AMode) {
  TRGBColors c = ReadColors(this);
  if (c.empty()) return;
  // A hatch of side 0 has no squares: nothing to lay.
  if (AMode == btmHatch && FHatchData.Step == 0) return;
  int w = Width(), h = Height();
  for (int x = 0; x < w; ++x)
    for (int y = 0; y < h; ++y) {
      FCurrentColorIndex = POINT{x, y};
      TransformPixel(c[size_t(y) * w + x], AMode);
    }
  SetBitmapColors(c);
}

void TcxAlphaBitmap::DrawHatch(const TcxHatchData& AHatchData) {
  FHatchData = AHatchData;
  TransformBitmap(btmHatch);
}

void TcxAlphaBitmap::DrawHatch(TColor AColor1, TColor AColor2, BYTE AStep, BYTE AAlpha1, BYTE AAlpha2) {
  DrawHatch(TcxHatchData{ColorToQuad(AColor1, 255), AAlpha1, ColorToQuad(AColor2, 255), AAlpha2, AStep});
}

void TcxAlphaBitmap::RecoverAlphaChannel(TColor ATransparentColor) {
  FTransparentPixels.Clear();
  FTransparentPixels.Add(ATransparentColor);
  FTransparentBkColor = ColorToQuad(ATransparentColor, 0);
  TransformBitmap(btmCorrectBlend);
}

void TcxAlphaBitmap::RefreshImage(int AWidth, int AHeight) {
  SetSize(AWidth, AHeight);
  FTransparentPixels.Clear();
  Clear();
}

void TcxAlphaBitmap::Shade(TBitmap* AMaskBitmap) {
  if (!AMaskBitmap || AMaskBitmap->Empty() || Empty()) return;
  int w = AMaskBitmap->Width(), h = AMaskBitmap->Height();
  HDC mask = AMaskBitmap->Canvas().Handle();
  AMaskBitmap->Canvas().RequireAll();
  BitBlt(mask, 0, 0, w, h, mask, 0, 0, 0x005A0049);
  BitBlt(Canvas().Handle(), 1, 1, w, h, mask, 0, 0, SRCCOPY);
  Canvas().Brush().SetColor(clBtnShadow);
  Canvas().RequireAll();
  BitBlt(Canvas().Handle(), 0, 0, w, h, mask, 0, 0, 0x00E20746);
  TransformBitmap(btmCorrectBlend);
}

void TcxAlphaBitmap::DrawShadow(TBitmap* AMaskBitmap, int S, TColor AShadowColor, bool AInflateSize) {
  if (!AMaskBitmap || Empty() || S < 0) return;
  int w = Width(), h = Height();
  TcxAlphaBitmap t(w + 2 * S, h + 2 * S, RGBQUAD{255, 255, 255, 255});
  t.Clear();
  BitBlt(t.Canvas().Handle(), S, S, AMaskBitmap->Width(), AMaskBitmap->Height(), AMaskBitmap->Canvas().Handle(), 0, 0,
         SRCCOPY);
  t.Canvas().Brush().SetColor(AShadowColor);
  t.Canvas().RequireAll();
  BitBlt(t.Canvas().Handle(), S, S, t.Width() - S, t.Height() - S, t.Canvas().Handle(), 0, 0, 0x00200F09);
  t.SetTransparentBkColor(RGBQUAD{0, 0, 0, 0});
  t.TransformBitmap(btmCorrectBlend);
  TcxAlphaBitmap u(w + S, h + S);
  u.Clear();
  BitBlt(u.Canvas().Handle(), 0, 0, w, h, Canvas().Handle(), 0, 0, SRCCOPY);
  BitBlt(u.Canvas().Handle(), 0, 0, u.Width(), u.Height(), t.Canvas().Handle(), S, S, 0x00EE0086);
  if (AInflateSize) SetSize(w + S, h + S);
  BitBlt(Canvas().Handle(), 0, 0, u.Width(), u.Height(), u.Canvas().Handle(), 0, 0, SRCCOPY);
  Changed(this);
}

// ---- blending and resampling

namespace {
using TAlphaBlendFunc = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);

struct TBlendUnit {
  TAlphaBlendFunc AlphaBlend = nullptr;
  bool Win9X = false;
  bool ForceSoftware = false;
  TBlendUnit() {
    Win9X = (GetVersion() & 0x80000000u) != 0;
    if (HMODULE lib = LoadSystemLibrary(L"msimg32.dll"))
      AlphaBlend = reinterpret_cast<TAlphaBlendFunc>(reinterpret_cast<void*>(GetProcAddress(lib, "AlphaBlend")));
  }
  static TBlendUnit& Instance() {
    static TBlendUnit unit;
    return unit;
  }
  bool SystemBlend() const { return AlphaBlend && !ForceSoftware; }
};

const bool kBlendUnitStarted = (TBlendUnit::Instance(), true);

double Lanczos3(double t) {
  auto sinc = [](double v) {
    if (v == 0) return 1.0;
    v *= std::numbers::pi;
    return std::sin(v) / v;
  };
  return std::fabs(t) < 3 ? sinc(t) * sinc(t / 3) : 0.0;
}

}  // namespace

bool IsWin9XPlatform() { return TBlendUnit::Instance().Win9X; }
bool cxSystemAlphaBlendAvailable() { return TBlendUnit::Instance().SystemBlend(); }
bool cxForceSoftwareBlend(bool AValue) {
  bool old = TBlendUnit::Instance().ForceSoftware;
  TBlendUnit::Instance().ForceSoftware = AValue;
  return old;
}

TcxResampleWeights cxResampleWeights(int n, int N) {
  TcxResampleWeights result(std::max(N, 0));
  if (n <= 0 || N <= 0) return result;
  float f = n == 1 ? float(N) : N == 1 ? 1.0f / float(n) : float(N - 1) / float(n - 1);
  float u = f >= 1 ? 1.0f : 1.0f / f;
  for (int i = 0; i < N; ++i) {
    float x = float(i) / f;
    int from = static_cast<int>(std::floor(x - 3 * u)), to = static_cast<int>(std::ceil(x + 3 * u));
    for (int j = from; j <= to; ++j) {
      int w = static_cast<int>(std::nearbyint(Lanczos3((x - j) / u) / u * 256));
      if (w == 0) continue;
      int k = j < 0 ? -j : j;
      if (k >= n) k = 2 * n - 1 - k;
      // Small sources mirror past the other end: keep the index inside.
      k = std::clamp(k, 0, n - 1);
      result[i].emplace_back(k, w);
    }
  }
  return result;
}

namespace {
inline BYTE Finish(int sum) { return sum < 0 ? 0 : static_cast<BYTE>(std::min(255, sum >> 8)); }

void ResampleSmooth(const TRGBColors& src, int w, int h, TRGBColors& dst, int W, int H) {
  TcxResampleWeights hw = cxResampleWeights(w, W), vw = cxResampleWeights(h, H);
  // The horizontal weights flattened: taps of destination i are first[i] .. first[i + 1].
  std::vector<int> first{0}, index, weight;
  for (const auto& taps : hw) {
    for (auto [k, wt] : taps) {
      index.push_back(k);
      weight.push_back(wt);
    }
    first.push_back(static_cast<int>(index.size()));
  }
  TRGBColors mid(size_t(W) * h);
  for (int y = 0; y < h; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(&src[size_t(y) * w]);
    RGBQUAD* out = &mid[size_t(y) * W];
    for (int i = 0; i < W; ++i) {
      int b = 0, g = 0, r = 0, a = 0;
      for (int t = first[i], end = first[i + 1]; t < end; ++t) {
        uint32_t p = row[index[t]];
        int wt = weight[t];
        b += wt * int(p & 0xFF);
        g += wt * int((p >> 8) & 0xFF);
        r += wt * int((p >> 16) & 0xFF);
        a += wt * int(p >> 24);
      }
      out[i] = RGBQUAD{Finish(b), Finish(g), Finish(r), Finish(a)};
    }
  }
  dst.assign(size_t(W) * H, RGBQUAD{});
  std::vector<int> acc(size_t(W) * 4);
  for (int i = 0; i < H; ++i) {
    std::fill(acc.begin(), acc.end(), 0);
    for (auto [k, wt] : vw[i]) {
      const RGBQUAD* row = &mid[size_t(k) * W];
      for (int x = 0; x < W; ++x) {
        acc[4 * x] += wt * row[x].rgbBlue;
        acc[4 * x + 1] += wt * row[x].rgbGreen;
        acc[4 * x + 2] += wt * row[x].rgbRed;
        acc[4 * x + 3] += wt * row[x].rgbReserved;
      }
    }
    RGBQUAD* out = &dst[size_t(i) * W];
    for (int x = 0; x < W; ++x)
      out[x] = RGBQUAD{Finish(acc[4 * x]), Finish(acc[4 * x + 1]), Finish(acc[4 * x + 2]), Finish(acc[4 * x + 3])};
  }
}
}  // namespace

void ResampleBitmap(TBitmap* s, TBitmap* d, bool ASmooth) {
  if (!s || !d) return;
  int w = s->Width(), h = s->Height(), W = d->Width(), H = d->Height();
  if (!w || !h || !W || !H) return;
  if (!IsWin9XPlatform() && !ASmooth) {
    HDC dc = d->Canvas().Handle();
    int old = SetStretchBltMode(dc, HALFTONE);
    POINT org;
    SetBrushOrgEx(dc, 0, 0, &org);
    StretchBlt(dc, 0, 0, W, H, s->Canvas().Handle(), 0, 0, w, h, SRCCOPY);
    SetBrushOrgEx(dc, org.x, org.y, nullptr);
    SetStretchBltMode(dc, old);
    d->Changed(d);
    return;
  }
  TRGBColors src = ReadColors(s), dst;
  ResampleSmooth(src, w, h, dst, W, H);
  WriteColors(d, dst);
  d->Changed(d);
}

void BlendDCRect(HDC D, HDC S, const RECT& Rd, const RECT& Rs, BYTE AAlpha, bool ASmoothImage) {
  int dw = RectWidth(Rd), dh = RectHeight(Rd), sw = RectWidth(Rs), sh = RectHeight(Rs);
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  auto& unit = TBlendUnit::Instance();
  bool resize = ASmoothImage && (dw != sw || dh != sh);
  BLENDFUNCTION bf{AC_SRC_OVER, 0, AAlpha, AC_SRC_ALPHA};
  if (unit.SystemBlend() && !unit.Win9X && !resize) {
    unit.AlphaBlend(D, Rd.left, Rd.top, dw, dh, S, Rs.left, Rs.top, sw, sh, bf);
    return;
  }
  TcxBitmap32 b(dw, dh, true), a(sw, sh), c(dw, dh);
  BitBlt(b.Canvas().Handle(), 0, 0, dw, dh, D, Rd.left, Rd.top, SRCCOPY);
  BitBlt(a.Canvas().Handle(), 0, 0, sw, sh, S, Rs.left, Rs.top, SRCCOPY);
  if (resize) ResampleBitmap(&a, &c, true);
  else StretchBlt(c.Canvas().Handle(), 0, 0, dw, dh, a.Canvas().Handle(), 0, 0, sw, sh, SRCCOPY);
  if (unit.SystemBlend()) {
    unit.AlphaBlend(b.Canvas().Handle(), 0, 0, dw, dh, c.Canvas().Handle(), 0, 0, dw, dh, bf);
  } else {
    GdiFlush();
    for (int y = 0; y < dh; ++y) {
      auto* bp = static_cast<RGBQUAD*>(b.ScanLine(y));
      auto* cp = static_cast<RGBQUAD*>(c.ScanLine(y));
      for (int x = 0; x < dw; ++x) bp[x] = cxBlendQuad(bp[x], cp[x], AAlpha);
    }
  }
  BitBlt(D, Rd.left, Rd.top, dw, dh, b.Canvas().Handle(), 0, 0, SRCCOPY);
}

void BlendBitmapOnDC(HDC DestDC, TBitmap* ABitmap, const RECT& DestRect, const RECT& SrcRect, BYTE AAlpha,
                     bool ASmoothImage) {
  if (ABitmap) BlendDCRect(DestDC, ABitmap->Canvas().Handle(), DestRect, SrcRect, AAlpha, ASmoothImage);
}

}  // namespace talvik
