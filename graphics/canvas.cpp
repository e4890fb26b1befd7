#include "graphics/canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace talvik {

namespace {
constexpr int kNoClipExtent = 30000;
}

UINT cxFlagsToDTFlags(int Flags) {
  UINT r = DT_NOPREFIX;
  if (Flags & cxAlignRight) r |= DT_RIGHT;
  if (Flags & cxAlignHCenter) r |= DT_CENTER;
  if (Flags & cxAlignBottom) r |= DT_BOTTOM;
  if (Flags & cxAlignVCenter) r |= DT_VCENTER;
  if (Flags & cxSingleLine) r |= DT_SINGLELINE;
  if (Flags & cxDontClip) r |= DT_NOCLIP;
  if (Flags & cxExpandTabs) r |= DT_EXPANDTABS;
  if (Flags & cxShowPrefix) r &= ~UINT(DT_NOPREFIX);
  if (Flags & cxWordBreak) {
    r |= DT_WORDBREAK;
    if (!(Flags & cxDontBreakChars)) r |= DT_EDITCONTROL;
    else if (Flags & cxNoFullWidthCharBreak) r |= 0x80000;  // DT_NOFULLWIDTHCHARBREAK
  }
  if (Flags & cxShowEndEllipsis) r |= DT_END_ELLIPSIS;
  if (Flags & cxDontPrint) r |= DT_CALCRECT;
  if (Flags & cxShowPathEllipsis) r |= DT_PATH_ELLIPSIS;
  return r;
}

// ---- TcxRegion

TcxRegion::TcxRegion(const RECT& ABounds) : FHandle(CreateRectRgnIndirect(&ABounds)) {}
TcxRegion::TcxRegion(int ALeft, int ATop, int ARight, int ABottom) : FHandle(CreateRectRgn(ALeft, ATop, ARight, ABottom)) {}
TcxRegion::TcxRegion() : FHandle(CreateRectRgn(0, 0, 0, 0)) {}
TcxRegion::~TcxRegion() {
  if (FHandle) DeleteObject(FHandle);
}

TcxRegion* TcxRegion::CreateRoundCorners(const RECT& B, int W, int H) {
  return new TcxRegion(CreateRoundRectRgn(B.left + 1, B.top + 1, B.right, B.bottom, W, H));
}
TcxRegion* TcxRegion::CreateRoundCorners(int L, int T, int R, int B, int W, int H) {
  return CreateRoundCorners(RECT{L, T, R, B}, W, H);
}

void TcxRegion::SetHandle(HRGN Value) {
  if (Value == FHandle) return;
  if (FHandle) DeleteObject(FHandle);
  FHandle = Value;
}

RECT TcxRegion::BoundsRect() const {
  RECT r{};
  if (GetRgnBox(FHandle, &r) == NULLREGION) r = RECT{};
  return r;
}

bool TcxRegion::IsEmpty() const {
  RECT r;
  return GetRgnBox(FHandle, &r) == NULLREGION;
}

void TcxRegion::Combine(HRGN ARegion, TcxRegionOperation AOperation, bool ADestroyRegion) {
  static const int modes[] = {RGN_COPY, RGN_OR, RGN_DIFF, RGN_AND};
  CombineRgn(FHandle, AOperation == roSet ? ARegion : FHandle, ARegion, modes[AOperation]);
  if (ADestroyRegion) DeleteObject(ARegion);
}

void TcxRegion::Combine(TcxRegion* ARegion, TcxRegionOperation AOperation, bool ADestroyRegion) {
  if (!ARegion) return;
  Combine(ARegion->FHandle, AOperation, false);
  if (ADestroyRegion) delete ARegion;
}

bool TcxRegion::IsEqual(const TcxRegion* ARegion) const {
  if (!ARegion) return false;
  return (IsEmpty() && ARegion->IsEmpty()) || IsEqual(ARegion->FHandle);
}

bool TcxRegion::IsEqual(HRGN H) const { return EqualRgn(FHandle, H) != 0; }
void TcxRegion::Offset(int DX, int DY) { OffsetRgn(FHandle, DX, DY); }
bool TcxRegion::PtInRegion(int X, int Y) const { return ::PtInRegion(FHandle, X, Y) != 0; }
bool TcxRegion::RectInRegion(const RECT& R) const { return ::RectInRegion(FHandle, &R) != 0; }

// ---- TcxCanvas

TcxCanvas::TcxCanvas(TCanvas* ACanvas) : FCanvas(ACanvas) {}
TcxCanvas::~TcxCanvas() = default;

POINT TcxCanvas::ViewportOrg() {
  POINT p{};
  GetViewportOrgEx(Handle(), &p);
  return p;
}
void TcxCanvas::SetViewportOrg(POINT P) { SetViewportOrgEx(Handle(), P.x, P.y, nullptr); }
POINT TcxCanvas::WindowOrg() {
  POINT p{};
  GetWindowOrgEx(Handle(), &p);
  return p;
}
void TcxCanvas::SetWindowOrg(POINT P) { SetWindowOrgEx(Handle(), P.x, P.y, nullptr); }
POINT TcxCanvas::DCOrigin() {
  POINT v = ViewportOrg(), w = WindowOrg();
  return POINT{v.x - w.x, v.y - w.y};
}

void TcxCanvas::SetBrushColor(TColor Value) {
  // A clear brush of the same colour stays clear: fills with it paint nothing.
  if (Brush().Color() != Value) Brush().SetColor(Value);
}

void TcxCanvas::FillRect(const RECT& R, TColor AColor) {
  if (AColor == clNone) return;
  if (AColor != clDefault) SetBrushColor(AColor);
  FCanvas->FillRect(R);
}

void TcxCanvas::FillRect(const RECT& R, TBitmap* ABitmap, bool AExcludeRect) {
  if (RectIsEmpty(R)) return;
  if (ABitmap && !ABitmap->Empty()) {
    int w = ABitmap->Width(), h = ABitmap->Height();
    int firstCol = R.left / w, lastCol = R.right / w - (R.right % w == 0 ? 1 : 0);
    int firstRow = R.top / h, lastRow = R.bottom / h - (R.bottom % h == 0 ? 1 : 0);
    HDC dc = Handle(), src = ABitmap->Canvas().Handle();
    for (int j = firstRow; j <= lastRow; ++j)
      for (int i = firstCol; i <= lastCol; ++i) {
        RECT tile{i * w, j * h, i * w + w, j * h + h}, part;
        if (!::IntersectRect(&part, &tile, &R)) continue;
        BitBlt(dc, part.left, part.top, RectWidth(part), RectHeight(part), src, part.left - i * w, part.top - j * h,
               CopyMode());
      }
  } else {
    FCanvas->FillRect(R);
  }
  if (AExcludeRect) SetClipRegion(new TcxRegion(R), roSubtract, true, true);
}

void TcxCanvas::FillRect(const RECT& R, const TcxViewParams& AParams, TcxBorders ABorders, TColor ABorderColor,
                         int ALineWidth, bool AExcludeRect) {
  FrameRect(R, ABorderColor, ALineWidth, ABorders, AExcludeRect);
  RECT r = R;
  if (HasBorder(ABorders, bLeft)) r.left += ALineWidth;
  if (HasBorder(ABorders, bTop)) r.top += ALineWidth;
  if (HasBorder(ABorders, bRight)) r.right -= ALineWidth;
  if (HasBorder(ABorders, bBottom)) r.bottom -= ALineWidth;
  SetBrushColor(AParams.Color);
  FillRect(r, AParams.Bitmap, AExcludeRect);
}

void TcxCanvas::FrameRect(const RECT& R, TColor Color, int W, TcxBorders ABorders, bool AExcludeFrame) {
  if (RectIsEmpty(R)) return;
  if (Color != clDefault) SetBrushColor(Color);
  if (HasBorder(ABorders, bLeft)) FillRect(RECT{R.left, R.top, std::min(R.left + W, R.right), R.bottom}, nullptr, AExcludeFrame);
  if (HasBorder(ABorders, bRight)) FillRect(RECT{std::max(R.right - W, R.left), R.top, R.right, R.bottom}, nullptr, AExcludeFrame);
  if (HasBorder(ABorders, bTop)) FillRect(RECT{R.left, R.top, R.right, std::min(R.top + W, R.bottom)}, nullptr, AExcludeFrame);
  if (HasBorder(ABorders, bBottom)) FillRect(RECT{R.left, std::max(R.bottom - W, R.top), R.right, R.bottom}, nullptr, AExcludeFrame);
}

void TcxCanvas::DrawComplexFrame(const RECT& R, TColor ALeftTopColor, TColor ARightBottomColor, TcxBorders ABorders,
                                 int W) {
  const TcxBorder order[] = {bLeft, bTop, bRight, bBottom};
  for (TcxBorder side : order) {
    if (!HasBorder(ABorders, side)) continue;
    SetBrushColor(side == bLeft || side == bTop ? ALeftTopColor : ARightBottomColor);
    FCanvas->FillRect(SideStrip(R, side, W));
  }
}

void TcxCanvas::DrawEdge(const RECT& R, bool ASunken, bool AOuter, TcxBorders ABorders) {
  TColor lt, rb;
  if (ASunken) {
    lt = AOuter ? clBtnShadow : cl3DDkShadow;
    rb = AOuter ? clBtnHighlight : cl3DLight;
  } else {
    lt = AOuter ? cl3DLight : clBtnHighlight;
    rb = AOuter ? cl3DDkShadow : clBtnShadow;
  }
  DrawComplexFrame(R, lt, rb, ABorders, 1);
}

void TcxCanvas::DrawFocusRect(const RECT& R) {
  SetBrushColor(clWhite);
  Font().SetColor(clBlack);
  FCanvas->RequireAll();
  ::DrawFocusRect(Handle(), &R);
}

void TcxCanvas::DrawDesignSelection(const RECT& ARect, int AWidth) {
  RECT r = ARect;
  for (int i = 0; i < AWidth; ++i) {
    DrawFocusRect(r);
    r = InflateRectBy(r, -1, -1);
  }
}

void TcxCanvas::InvertRect(const RECT& R) {
  BitBlt(Handle(), R.left, R.top, RectWidth(R), RectHeight(R), Handle(), R.left, R.top, DSTINVERT);
  SetCopyMode(SRCCOPY);
}

void TcxCanvas::InvertFrame(const RECT& R, int S) {
  InvertRect(RECT{R.left, R.top, R.left + S, R.bottom});
  InvertRect(RECT{R.right - S, R.top, R.right, R.bottom});
  InvertRect(RECT{R.left + S, R.top, R.right - S, R.top + S});
  InvertRect(RECT{R.left + S, R.bottom - S, R.right - S, R.bottom});
}

void TcxCanvas::FillRegion(HRGN ARegion, TColor AColor) {
  SetBrushColor(AColor);
  FCanvas->RequireAll();
  ::FillRgn(Handle(), ARegion, Brush().Handle());
}
void TcxCanvas::FillRegion(TcxRegion* ARegion, TColor AColor) {
  if (ARegion) FillRegion(ARegion->Handle(), AColor);
}
void TcxCanvas::FrameRegion(HRGN ARegion, TColor AColor, int BW, int BH) {
  SetBrushColor(AColor);
  FCanvas->RequireAll();
  ::FrameRgn(Handle(), ARegion, Brush().Handle(), BW, BH);
}
void TcxCanvas::FrameRegion(TcxRegion* ARegion, TColor AColor, int BW, int BH) {
  if (ARegion) FrameRegion(ARegion->Handle(), AColor, BW, BH);
}
void TcxCanvas::DrawRegion(HRGN ARegion, TColor AContentColor, TColor ABorderColor, int BW, int BH) {
  FillRegion(ARegion, AContentColor);
  FrameRegion(ARegion, ABorderColor, BW, BH);
}
void TcxCanvas::DrawRegion(TcxRegion* ARegion, TColor AContentColor, TColor ABorderColor, int BW, int BH) {
  if (ARegion) DrawRegion(ARegion->Handle(), AContentColor, ABorderColor, BW, BH);
}

void TcxCanvas::GetParams(TcxViewParams& AParams) {
  AParams.Color = Brush().Color();
  AParams.Font = &Font();
  AParams.TextColor = Font().Color();
}

void TcxCanvas::SetParams(const TcxViewParams& AParams) {
  SetBrushColor(AParams.Color);
  if (AParams.Font) Font().Assign(AParams.Font);
  Font().SetColor(AParams.TextColor);
}

void TcxCanvas::SetFontAngle(int Value) {
  LOGFONTW lf{};
  if (!ReadFontObject(Font().Handle(), lf)) return;
  lf.lfEscapement = lf.lfOrientation = Value * 10;
  if (Value != 0) lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  HFONT f = CreateFontIndirectW(&lf);
  Font().SetHandle(f);
  DeleteObject(f);
}

void TcxCanvas::Polygon(const std::vector<POINT>& Points) {
  if (!Points.empty()) FCanvas->Polygon(Points.data(), static_cast<int>(Points.size()));
}

void TcxCanvas::Polyline(const std::vector<POINT>& Points) {
  if (Points.empty()) return;
  FCanvas->RequireAll();
  ::Polyline(Handle(), Points.data(), static_cast<int>(Points.size()));
}

void TcxCanvas::Pie(const RECT& R, POINT A, POINT B) {
  FCanvas->RequireAll();
  ::Pie(Handle(), R.left, R.top, R.right, R.bottom, A.x, A.y, B.x, B.y);
}

void TcxCanvas::Pie(const RECT& R, int AStartAngle, int ASweepAngle) {
  if (RectIsEmpty(R) || ASweepAngle == 0) return;
  int a = RectWidth(R) / 2, b = RectHeight(R) / 2;
  POINT c{R.left + a, R.top + b};
  auto radial = [&](double degrees) {
    double t = degrees * std::numbers::pi / 180.0, s = std::sin(t), co = std::cos(t);
    double d = std::sqrt(s * s * a * a + co * co * b * b);
    double r = (a == 0 || b == 0 || d == 0) ? 0 : a * double(b) / d;
    return POINT{c.x + static_cast<LONG>(std::nearbyint(co * r)), c.y - static_cast<LONG>(std::nearbyint(s * r))};
  };
  POINT p1 = radial(AStartAngle);
  POINT p2 = ASweepAngle == 360 ? p1 : radial(double(AStartAngle) + ASweepAngle);
  if (!PointsEqual(p1, p2) || ASweepAngle > 180) Pie(R, p1, p2);
}

// ---- text

SIZE TcxCanvas::TextExtent(const std::wstring& Text) {
  if (Text.empty()) return SIZE{0, 0};
  return FCanvas->TextExtent(Text);
}

void TcxCanvas::TextExtent(const std::wstring& Text, RECT& R, int Flags) {
  int w = RectWidth(R), h = RectHeight(R);
  UINT f = cxFlagsToDTFlags(Flags);
  if (w <= 0 && !Text.empty()) R.right = R.left + 1;
  FCanvas->RequireAll();
  if (!DrawTextOnDC(Handle(), Text, -1, R, (f & ~UINT(DT_VCENTER)) | DT_CALCRECT)) R = RECT{R.left, R.top, R.left, R.top};
  int dx = w - RectWidth(R), dy = h - RectHeight(R);
  if (f & DT_CENTER) R = OffsetRectBy(R, dx / 2, 0);
  else if (f & DT_RIGHT) R = OffsetRectBy(R, dx, 0);
  if (f & DT_VCENTER) R = OffsetRectBy(R, 0, dy / 2);
  else if (f & DT_BOTTOM) R = OffsetRectBy(R, 0, dy);
}

int TcxCanvas::FontHeight(TFont* AFont) {
  if (AFont) Font().Assign(AFont);
  return TextHeight(L"Qq");
}

void TcxCanvas::AlignMultiLineTextRectVertically(RECT& R, const std::wstring& AText, TcxAlignmentVert AAlignmentVert,
                                                 bool AWordBreak, bool AShowPrefix, bool AEnabled,
                                                 bool ADontBreakChars, bool AEndEllipsis) {
  if (AAlignmentVert == vaTop) return;
  int e = AEnabled ? 0 : 1;
  int textHeight;
  if (AWordBreak && AEndEllipsis) {
    int h = TextHeight(L"Wg");
    textHeight = h > 0 ? std::max(h, h * ((RectHeight(R) - e) / h)) : 0;
  } else {
    RECT m{0, 0, RectWidth(R) - e, 0};
    int flags = cxAlignLeft | cxAlignTop | (AWordBreak ? cxWordBreak : 0) | (AShowPrefix ? cxShowPrefix : 0) |
                (ADontBreakChars ? cxDontBreakChars : 0);
    TextExtent(AText, m, flags);
    textHeight = RectHeight(m);
  }
  if (AAlignmentVert == vaBottom) R.top = R.bottom - e - textHeight;
  else R.top = (R.top + R.bottom - textHeight) / 2;
}

void TcxCanvas::DrawTextOnce(const std::wstring& Text, const RECT& R, int Flags, bool ByDrawText) {
  FCanvas->RequireAll();
  HDC dc = Handle();
  if (ByDrawText) {
    RECT r = R;
    DrawTextOnDC(dc, Text, -1, r, cxFlagsToDTFlags(Flags));
  } else {
    TextOutOnDC(dc, Text, POINT{R.left, R.top}, -1, (Flags & cxDontClip) ? 0 : ETO_CLIPPED, &R);
  }
}

void TcxCanvas::DrawTexT(const std::wstring& Text, RECT R, int Flags, bool Enabled) {
  if (Text.empty()) return;
  bool byDrawText = !(Flags & cxSingleLine) || (Flags & (cxShowPrefix | cxShowEndEllipsis | cxShowPathEllipsis));
  SIZE size = TextExtent(Text);
  if (RectWidth(R) >= size.cx && RectHeight(R) >= size.cy) Flags |= cxDontClip;
  if (byDrawText) {
    bool multiLine = !(Flags & cxSingleLine);
    if (multiLine && (Flags & (cxAlignBottom | cxAlignVCenter))) {
      AlignMultiLineTextRectVertically(R, Text, (Flags & cxAlignBottom) ? vaBottom : vaCenter, (Flags & cxWordBreak) != 0,
                                       (Flags & cxShowPrefix) != 0, Enabled, (Flags & cxDontBreakChars) != 0,
                                       (Flags & cxShowEndEllipsis) != 0);
    }
  } else {
    int e = Enabled ? 0 : 1;
    if (size.cx < RectWidth(R)) {
      if ((Flags & cxAlignHorzMask) == cxAlignRight) R.left = R.right - size.cx - e;
      else if ((Flags & cxAlignHorzMask) == cxAlignHCenter) R.left = (R.left + R.right - size.cx) / 2;
    }
    if (size.cy < RectHeight(R)) {
      if ((Flags & cxAlignVertMask) == cxAlignBottom) R.top = R.bottom - size.cy - e;
      else if ((Flags & cxAlignVertMask) == cxAlignVCenter) R.top = (R.top + R.bottom - size.cy) / 2;
    }
  }
  TBrushStyle brushStyle = Brush().Style();
  TColor fontColor = Font().Color();
  if (!Enabled) {
    RECT highlight{R.left + 1, R.top + 1, R.right, R.bottom};
    Brush().SetStyle(bsClear);
    Font().SetColor(clBtnHighlight);
    DrawTextOnce(Text, highlight, Flags, byDrawText);
    R = OffsetRectBy(highlight, -1, -1);
    Font().SetColor(clBtnShadow);
  }
  DrawTextOnce(Text, R, Flags, byDrawText);
  if (Brush().Style() != brushStyle) Brush().SetStyle(brushStyle);
  Font().SetColor(fontColor);
}

void TcxCanvas::DrawTexT(const std::wstring& Text, const RECT& R, TAlignment H, TcxAlignmentVert V, bool AMultiLine,
                         bool AShowEndEllipsis) {
  if (Text.empty()) return;
  static const int horz[] = {cxAlignLeft, cxAlignRight, cxAlignHCenter};
  static const int vert[] = {cxAlignTop, cxAlignBottom, cxAlignVCenter};
  int flags = horz[H] | vert[V] | (AMultiLine ? cxWordBreak : cxSingleLine) | (AShowEndEllipsis ? cxShowEndEllipsis : 0);
  DrawTexT(Text, R, flags, true);
}

void TcxCanvas::GetTextStringsBounds(std::wstring Text, const RECT& R, int Flags, bool Enabled,
                                     std::vector<RECT>& ABounds) {
  if (Flags & cxShowPrefix) {
    std::wstring plain;
    for (size_t i = 0; i < Text.size(); ++i) {
      if (Text[i] == L'&' && i + 1 < Text.size()) ++i;
      plain += Text[i];
    }
    Text = plain;
  }
  int width = RectWidth(R) - (Enabled ? 0 : 1);
  int lineHeight = TextHeight(L"Wg");
  int top = R.top;
  size_t pos = 0;
  while (pos < Text.size()) {
    // As many characters as fit, at least one.
    size_t fit = 1;
    while (pos + fit < Text.size() && TextWidth(Text.substr(pos, fit + 1)) <= width) ++fit;
    size_t len = fit, skip = 0;
    size_t brk = Text.substr(pos, fit).find_first_of(L"\r\n");
    if (brk != std::wstring::npos) {
      len = brk;
      skip = (Text[pos + brk] == L'\r' && pos + brk + 1 < Text.size() && Text[pos + brk + 1] == L'\n') ? 2 : 1;
    } else if (pos + fit < Text.size() && Text[pos + fit] == L' ') {
      skip = 1;  // the run ends at a word's end already
    } else if (pos + fit < Text.size()) {
      size_t blank = Text.substr(pos, fit).find_last_of(L' ');
      if (blank != std::wstring::npos && blank > 0) {
        len = blank;
        skip = 1;
      }
    }
    int w = TextWidth(Text.substr(pos, len));
    int left = R.left;
    if ((Flags & cxAlignHorzMask) == cxAlignRight) left = R.right - w;
    else if ((Flags & cxAlignHorzMask) == cxAlignHCenter) left = (R.left + R.right - w) / 2;
    ABounds.push_back(RECT{left, top, left + w, top + lineHeight});
    top += lineHeight;
    pos += len + skip;
  }
}

// ---- bitmaps on the canvas

namespace {
// All pixels of a bitmap as 32-bit values, top row first.
std::vector<uint32_t> ReadPixels(TBitmap* B) {
  int w = B->Width(), h = B->Height();
  TBitmap tmp(w, h, pf32bit);
  BitBlt(tmp.Canvas().Handle(), 0, 0, w, h, B->Canvas().Handle(), 0, 0, SRCCOPY);
  std::vector<uint32_t> px(size_t(w) * h);
  for (int y = 0; y < h; ++y) std::copy_n(static_cast<uint32_t*>(tmp.ScanLine(y)), w, px.begin() + size_t(y) * w);
  return px;
}

void WritePixels(TBitmap* B, const std::vector<uint32_t>& px) {
  int w = B->Width(), h = B->Height();
  TBitmap tmp(w, h, pf32bit);
  for (int y = 0; y < h; ++y) std::copy_n(px.begin() + size_t(y) * w, w, static_cast<uint32_t*>(tmp.ScanLine(y)));
  BitBlt(B->Canvas().Handle(), 0, 0, w, h, tmp.Canvas().Handle(), 0, 0, SRCCOPY);
  B->Changed(B);
}
}  // namespace

void TcxCanvas::RotateBitmap(TBitmap* ABitmap, TcxRotationAngle A, bool AFlipVertically) {
  if (!ABitmap || (A == ra0 && !AFlipVertically) || ABitmap->Empty()) return;
  int w = ABitmap->Width(), h = ABitmap->Height();
  std::vector<uint32_t> src = ReadPixels(ABitmap), dst(src.size());
  bool swap = A == raPlus90 || A == raMinus90;
  int nw = swap ? h : w, nh = swap ? w : h;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int nx, ny;
      switch (A) {
        case raPlus90: nx = y; ny = w - 1 - x; break;      // counter-clockwise
        case raMinus90: nx = h - 1 - y; ny = x; break;     // clockwise
        case ra180: nx = w - 1 - x; ny = h - 1 - y; break;
        default: nx = x; ny = y; break;
      }
      if (AFlipVertically) ny = nh - 1 - ny;
      dst[size_t(ny) * nw + nx] = src[size_t(y) * w + x];
    }
  if (swap) ABitmap->SetSize(nw, nh);
  WritePixels(ABitmap, dst);
}

void TcxCanvas::FlipHorizontally(TBitmap* ABitmap) {
  if (!ABitmap || ABitmap->Empty()) return;
  int w = ABitmap->Width(), h = ABitmap->Height();
  std::vector<uint32_t> px = ReadPixels(ABitmap);
  for (int y = 0; y < h; ++y) std::reverse(px.begin() + size_t(y) * w, px.begin() + size_t(y + 1) * w);
  WritePixels(ABitmap, px);
}

void TcxCanvas::DrawGlyph(int X, int Y, TBitmap* AGlyph, bool AEnabled, TColor ABackgroundColor) {
  if (!AGlyph || AGlyph->Empty()) return;
  int w = AGlyph->Width(), h = AGlyph->Height();
  HDC src = AGlyph->Canvas().Handle();
  COLORREF transparent = GetPixel(src, 0, h - 1);  // the bottom-left pixel marks the see-through colour
  TBrushStyle style = Brush().Style();
  if (AEnabled) {
    if (ABackgroundColor != clNone) FillRect(RECT{X, Y, X + w, Y + h}, ABackgroundColor);
    TransparentBlt(Handle(), X, Y, w, h, src, 0, 0, w, h, transparent);
  } else {
    HDC maskDC = CreateCompatibleDC(nullptr);
    HBITMAP maskBmp = CreateBitmap(w, h, 1, 1, nullptr);
    HGDIOBJ oldMask = SelectObject(maskDC, maskBmp);
    COLORREF oldBk = SetBkColor(src, transparent);
    BitBlt(maskDC, 0, 0, w, h, src, 0, 0, SRCCOPY);  // see-through pixels become 1
    SetBkColor(src, oldBk);
    BitBlt(maskDC, 0, 0, w, h, nullptr, 0, 0, DSTINVERT);  // now the shape is 1
    DrawDisabledShape(X, Y, w, h, maskDC, ABackgroundColor);
    SelectObject(maskDC, oldMask);
    DeleteObject(maskBmp);
    DeleteDC(maskDC);
  }
  if (Brush().Style() != style) Brush().SetStyle(style);
}

void TcxCanvas::DrawDisabledShape(int X, int Y, int w, int h, HDC AShapeDC, TColor ABackgroundColor) {
  // The disabled look: the shape in highlight one pixel down and right, under
  // the same shape in shadow, over the background colour or the canvas.
  TBitmap out(w, h, pf32bit);
  HDC o = out.Canvas().Handle();
  if (ABackgroundColor == clNone) BitBlt(o, 0, 0, w, h, Handle(), X, Y, SRCCOPY);
  else {
    out.Canvas().Brush().SetColor(ABackgroundColor);
    out.Canvas().FillRect(RECT{0, 0, w, h});
  }
  auto stamp = [&](int d, TColor color) {
    HBRUSH b = CreateSolidBrush(ColorToRGB(color));
    HGDIOBJ old = SelectObject(o, b);
    COLORREF oldText = SetTextColor(o, 0), oldBack = SetBkColor(o, 0xFFFFFF);
    BitBlt(o, d, d, w - d, h - d, AShapeDC, 0, 0, 0x00E20746);  // brush where the shape is 1
    SetTextColor(o, oldText);
    SetBkColor(o, oldBack);
    SelectObject(o, old);
    DeleteObject(b);
  };
  stamp(1, clBtnHighlight);
  stamp(0, clBtnShadow);
  BitBlt(Handle(), X, Y, w, h, o, 0, 0, SRCCOPY);
}

void TcxCanvas::DrawImage(HIMAGELIST Images, int X, int Y, int Index, bool Enabled) {
  if (!Images || Index < 0 || Index >= ImageList_GetImageCount(Images)) return;
  SaveDC();
  if (Enabled) {
    ImageList_DrawEx(Images, Index, Handle(), X, Y, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);
  } else {
    int w = 0, h = 0;
    ImageList_GetIconSize(Images, &w, &h);
    HDC maskDC = CreateCompatibleDC(nullptr);
    HBITMAP maskBmp = CreateBitmap(w, h, 1, 1, nullptr);
    HGDIOBJ oldMask = SelectObject(maskDC, maskBmp);
    // The image list's mask, white where the image is see-through, drawn in colour first.
    TBitmap colourMask(w, h, pf24bit);
    HDC cm = colourMask.Canvas().Handle();
    BitBlt(cm, 0, 0, w, h, nullptr, 0, 0, WHITENESS);
    ImageList_DrawEx(Images, Index, cm, 0, 0, w, h, CLR_NONE, CLR_NONE, ILD_MASK);
    SetBkColor(cm, 0xFFFFFF);
    BitBlt(maskDC, 0, 0, w, h, cm, 0, 0, NOTSRCCOPY);  // the shape becomes 1
    DrawDisabledShape(X, Y, w, h, maskDC, clNone);
    SelectObject(maskDC, oldMask);
    DeleteObject(maskBmp);
    DeleteDC(maskDC);
  }
  RestoreDC();
}

void TcxCanvas::TransparentDraw(int X, int Y, TBitmap* ABitmap, BYTE AAlpha, TBitmap* ABackground) {
  if (!ABitmap || ABitmap->Empty()) return;
  int w = ABitmap->Width(), h = ABitmap->Height();
  TBitmap work(w, h, pf32bit);
  HDC dc = work.Canvas().Handle();
  if (ABackground) BitBlt(dc, 0, 0, w, h, ABackground->Canvas().Handle(), 0, 0, SRCCOPY);
  else BitBlt(dc, 0, 0, w, h, Handle(), X, Y, SRCCOPY);
  BLENDFUNCTION bf{AC_SRC_OVER, 0, AAlpha, 0};
  if (!::AlphaBlend(dc, 0, 0, w, h, ABitmap->Canvas().Handle(), 0, 0, w, h, bf)) {
    TBitmap src(w, h, pf32bit);
    BitBlt(src.Canvas().Handle(), 0, 0, w, h, ABitmap->Canvas().Handle(), 0, 0, SRCCOPY);
    for (int y = 0; y < h; ++y) {
      auto* d = static_cast<uint8_t*>(work.ScanLine(y));
      auto* s = static_cast<uint8_t*>(src.ScanLine(y));
      for (int x = 0; x < w * 4; ++x)
        if (x % 4 != 3) d[x] = BYTE(MulDiv(d[x], 255 - AAlpha, 255) + MulDiv(s[x], AAlpha, 255));
    }
  }
  BitBlt(Handle(), X, Y, w, h, dc, 0, 0, SRCCOPY);
}

// ---- stacks

void TcxCanvas::SaveDC() { FSavedDCs.push_back(TcxDCState{Handle(), ::SaveDC(Handle())}); }

void TcxCanvas::RestoreDC() {
  if (FSavedDCs.empty()) return;
  TcxDCState s = FSavedDCs.back();
  FSavedDCs.pop_back();
  if (FCanvas->Handle() != s.Handle) FCanvas->SetHandle(s.Handle);
  ::RestoreDC(s.Handle, s.State);
  // The restored device context holds the objects of the save: select ours again when drawing.
  FCanvas->Refresh();
}

void TcxCanvas::SyncCanvasWithDC() {
  // Takes over what was selected into the device context behind the canvas's
  // back; objects the canvas has not selected yet are its own pending choice.
  HDC dc = Handle();
  auto font = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
  if (FCanvas->FontSelected()) {
    if (font && font != Font().Handle()) Font().SetHandle(font);
    COLORREF text = GetTextColor(dc);
    if (text != ColorToRGB(Font().Color())) Font().SetColor(static_cast<TColor>(text));
  }
  auto brush = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
  if (FCanvas->BrushSelected() && brush && brush != Brush().Handle()) Brush().SetHandle(brush);
  auto pen = static_cast<HPEN>(GetCurrentObject(dc, OBJ_PEN));
  if (FCanvas->PenSelected()) {
    if (pen && pen != Pen().Handle()) Pen().SetHandle(pen);
    int mode = GetROP2(dc);
    if (mode && mode != Pen().Mode()) Pen().SetMode(mode);
  }
  FCanvas->RequireAll();
}

void TcxCanvas::SaveState() {
  SyncCanvasWithDC();
  SaveDC();
  TcxCanvasState s;
  s.Font = std::make_unique<TFont>();
  s.Font->Assign(&Font());
  s.Brush = std::make_unique<TBrush>();
  s.Brush->Assign(&Brush());
  s.Pen = std::make_unique<TPen>();
  s.Pen->Assign(&Pen());
  FSavedStates.push_back(std::move(s));
}

void TcxCanvas::RestoreState() {
  if (FSavedStates.empty()) return;
  TcxCanvasState s = std::move(FSavedStates.back());
  FSavedStates.pop_back();
  Font().Assign(s.Font.get());
  Brush().Assign(s.Brush.get());
  Pen().Assign(s.Pen.get());
  RestoreDC();
}

void TcxCanvas::SaveClipRegion() { FSavedRegions.emplace_back(GetClipRegion(true)); }

void TcxCanvas::RestoreClipRegion() {
  if (FSavedRegions.empty()) return;
  TcxRegion* r = FSavedRegions.back().release();
  FSavedRegions.pop_back();
  SetClipRegion(r, roSet, true, true);
}

// ---- clipping

TcxRegion* TcxCanvas::GetClipRegion(bool AConsiderOrigin) {
  auto* r = new TcxRegion();
  int got = GetClipRgn(Handle(), r->Handle());
  if (got == 0) SetRectRgn(r->Handle(), 0, 0, kNoClipExtent, kNoClipExtent);
  else if (got < 0) SetRectRgn(r->Handle(), 0, 0, 0, 0);
  if (AConsiderOrigin) {
    POINT o = DCOrigin();
    r->Offset(-o.x, -o.y);
  }
  return r;
}

void TcxCanvas::SetClipRegion(TcxRegion* ARegion, TcxRegionOperation AOperation, bool ADestroyRegion,
                              bool AConsiderOrigin) {
  if (!ARegion) return;
  if (AOperation != roSet) {
    TcxRegion* clip = GetClipRegion(AConsiderOrigin);
    clip->Combine(ARegion, AOperation, ADestroyRegion);
    SetClipRegion(clip, roSet, true, AConsiderOrigin);
    return;
  }
  POINT o = AConsiderOrigin ? DCOrigin() : POINT{0, 0};
  ARegion->Offset(o.x, o.y);
  SelectClipRgn(Handle(), ARegion->Handle());
  if (ADestroyRegion) delete ARegion;
  else ARegion->Offset(-o.x, -o.y);
}

void TcxCanvas::ExcludeClipRect(const RECT& R) { ::ExcludeClipRect(Handle(), R.left, R.top, R.right, R.bottom); }
void TcxCanvas::IntersectClipRect(const RECT& R) { ::IntersectClipRect(Handle(), R.left, R.top, R.right, R.bottom); }
bool TcxCanvas::RectVisible(const RECT& R) { return ::RectVisible(Handle(), &R) != 0; }

bool TcxCanvas::RectFullyVisible(const RECT& R) {
  std::unique_ptr<TcxRegion> clip(GetClipRegion(true));
  TcxRegion rect(R);
  clip->Combine(&rect, roIntersect, false);
  return clip->IsEqual(&rect);
}

void TcxCanvas::BeginPath() { ::BeginPath(Handle()); }
void TcxCanvas::EndPath() { ::EndPath(Handle()); }
void TcxCanvas::WidenPath() {
  FCanvas->RequireAll();
  ::WidenPath(Handle());
}
TcxRegion* TcxCanvas::PathToRegion() {
  HRGN r = ::PathToRegion(Handle());
  return new TcxRegion(r ? r : CreateRectRgn(0, 0, 0, 0));
}

// ---- screen canvas

class TcxScreenCanvas::TScreenCanvas : public TCanvas {
public:
  ~TScreenCanvas() override { Release(); }
  void Release() {
    if (!FDeviceContext) return;
    SetHandle(nullptr);
    ReleaseDC(FWindowHandle, FDeviceContext);
    FDeviceContext = nullptr;
  }

protected:
  void CreateHandle() override {
    FWindowHandle = GetDesktopWindow();
    FDeviceContext = GetDCEx(FWindowHandle, nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    SetHandle(FDeviceContext);
  }

private:
  HDC FDeviceContext = nullptr;
  HWND FWindowHandle = nullptr;
};

TcxScreenCanvas::TcxScreenCanvas() : TcxCanvas(nullptr), FScreenCanvas(new TScreenCanvas()) { SetCanvas(FScreenCanvas); }
TcxScreenCanvas::~TcxScreenCanvas() { delete FScreenCanvas; }
void TcxScreenCanvas::Dormant() { FScreenCanvas->Release(); }

namespace {
TcxScreenCanvas* gScreenCanvas = nullptr;
bool gGraphicsShutDown = false;

struct TGraphicsUnit {
  HBRUSH Halftone = nullptr;
  std::vector<std::unique_ptr<TBrush>> SysBrushes;
  TGraphicsUnit() {
    WORD pattern[8];
    for (int i = 0; i < 8; ++i) pattern[i] = (i % 2) ? 0x55 : 0xAA;
    HBITMAP bmp = CreateBitmap(8, 8, 1, 1, pattern);
    Halftone = CreatePatternBrush(bmp);
    DeleteObject(bmp);
    for (int i = 0; i <= 30; ++i) {
      auto b = std::make_unique<TBrush>();
      b->SetColor(clSystemColor | i);
      SysBrushes.push_back(std::move(b));
    }
  }
  ~TGraphicsUnit() {
    FinalizeScreenCanvas();
    if (Halftone) DeleteObject(Halftone);
  }
  static TGraphicsUnit& Instance() {
    static TGraphicsUnit unit;
    return unit;
  }
};

// The brushes exist from the start of the program.
const bool kGraphicsUnitStarted = (TGraphicsUnit::Instance(), true);
}  // namespace

TcxScreenCanvas* GetScreenCanvas() {
  TGraphicsUnit::Instance();  // so that the unit's end frees the canvas
  if (!gScreenCanvas && !gGraphicsShutDown) gScreenCanvas = new TcxScreenCanvas();
  return gScreenCanvas;
}

void FinalizeScreenCanvas() {
  gGraphicsShutDown = true;
  delete gScreenCanvas;
  gScreenCanvas = nullptr;
}

int ScreenTextHeight(TFont* AFont, const std::wstring& AText, int AFontSize) {
  TcxScreenCanvas* c = GetScreenCanvas();
  if (!c) return 0;
  if (AFont) c->Font().Assign(AFont);
  if (AFontSize != 0) c->Font().SetSize(AFontSize);
  int h = c->TextExtent(AText).cy;
  c->Dormant();
  return h;
}

HBRUSH cxHalftoneBrush() { return TGraphicsUnit::Instance().Halftone; }

TBrush* cxSysColorBrush(int Index) {
  auto& b = TGraphicsUnit::Instance().SysBrushes;
  return Index >= 0 && Index < static_cast<int>(b.size()) ? b[Index].get() : nullptr;
}

// ---- free routines

void BlitRect(HDC DC, HDC SrcDC, const RECT& D, DWORD ROP, POINT S) {
  BitBlt(DC, D.left, D.top, RectWidth(D), RectHeight(D), SrcDC, S.x, S.y, ROP);
}

int DrawTextOnDC(HDC DC, const std::wstring& Text, int Count, RECT& R, UINT Format) {
  return DrawTextW(DC, Text.c_str(), Count, &R, Format);
}

bool TextOutOnDC(HDC DC, const std::wstring& Text, POINT P, int Length, UINT Options, const RECT* ClipRect) {
  UINT n = Length < 0 ? static_cast<UINT>(Text.size()) : static_cast<UINT>(std::min<size_t>(Length, Text.size()));
  return ExtTextOutW(DC, P.x, P.y, Options, ClipRect, Text.c_str(), n, nullptr) != 0;
}

bool GetTextSizeOnDC(HDC DC, const std::wstring& Text, SIZE& Size, int Length) {
  int n = Length < 0 ? static_cast<int>(Text.size()) : std::min<int>(Length, static_cast<int>(Text.size()));
  return GetTextExtentPoint32W(DC, Text.c_str(), n, &Size) != 0;
}

TBitmap* CreatePlainBitmap(int Width, int Height, TPixelFormat PixelFormat) {
  return new TBitmap(Width, Height, PixelFormat);
}

int BitmapBitsPerPixel(TBitmap* B) {
  static const int bits[] = {0, 1, 4, 8, 16, 16, 24, 32};
  if (!B) return 0;
  if (B->PixelFormat() != pfDevice) return bits[B->PixelFormat()];
  return GetDeviceCaps(B->Canvas().Handle(), BITSPIXEL) * GetDeviceCaps(B->Canvas().Handle(), PLANES);
}

bool ReadBitmapObject(HBITMAP H, BITMAP& Info) { return GetObjectW(H, sizeof Info, &Info) == sizeof Info; }
bool ReadBrushObject(HBRUSH H, LOGBRUSH& Info) { return GetObjectW(H, sizeof Info, &Info) == sizeof Info; }
bool ReadFontObject(HFONT H, LOGFONTW& Info) { return GetObjectW(H, sizeof Info, &Info) == sizeof Info; }
bool ReadPenObject(HPEN H, LOGPEN& Info) { return GetObjectW(H, sizeof Info, &Info) == sizeof Info; }
void InvalidateWindow(HWND Wnd, const RECT& R, bool Erase) { InvalidateRect(Wnd, &R, Erase); }
void InvalidateWindow(HWND Wnd, bool Erase) { InvalidateRect(Wnd, nullptr, Erase); }

namespace {
TColor MixSystemColors(int P, int Q, int S) {
  COLORREF f = ColorToRGB(clBtnFace), h = ColorToRGB(clHighlight), w = ColorToRGB(clWindow);
  if (f == 0 || f == 0xFFFFFF) return clHighlight;
  auto channel = [&](int shift) {
    int v = MulDiv((f >> shift) & 0xFF, P, 100) + MulDiv((h >> shift) & 0xFF, Q, 100) + MulDiv((w >> shift) & 0xFF, S, 100);
    return std::clamp(v, 0, 255);
  };
  COLORREF mixed = RGB(channel(0), channel(8), channel(16));
  HDC screen = GetDC(nullptr);
  COLORREF nearest = GetNearestColor(screen, mixed);
  ReleaseDC(nullptr, screen);
  return static_cast<TColor>(nearest == CLR_INVALID ? mixed : nearest);
}
}  // namespace

TColor HotTintColor() { return MixSystemColors(-2, 30, 72); }
TColor PressedTintColor() { return MixSystemColors(14, 44, 40); }

namespace {
// Draws Wnd's background and content for the rectangle WR (Wnd's client
// coordinates) so that WR's top-left lands on the canvas origin.
void PaintWindowCopy(HWND Wnd, TcxCanvas* C, const RECT& WR, bool DrawBorder) {
  C->SaveState();
  HDC dc = C->Handle();
  POINT org = C->WindowOrg();
  C->SetWindowOrg(POINT{org.x + WR.left, org.y + WR.top});
  if (C->RectVisible(WR)) {
    if (DrawBorder) {
      // The sibling's own border around its client area, in its coordinates.
      LONG ex = GetWindowLongW(Wnd, GWL_EXSTYLE), style = GetWindowLongW(Wnd, GWL_STYLE);
      RECT wr{}, cr{};
      GetWindowRect(Wnd, &wr);
      GetClientRect(Wnd, &cr);
      MapWindowPoints(HWND_DESKTOP, Wnd, reinterpret_cast<POINT*>(&wr), 2);
      if (ex & WS_EX_CLIENTEDGE) ::DrawEdge(dc, &wr, EDGE_SUNKEN, BF_RECT);
      else if (style & WS_BORDER) ::DrawEdge(dc, &wr, BDR_SUNKENOUTER, BF_RECT | BF_MONO | BF_FLAT);
      C->IntersectClipRect(cr);
    }
    C->IntersectClipRect(WR);
    HRGN windowRgn = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(Wnd, windowRgn) != ERROR) {
      RECT wr{};
      GetWindowRect(Wnd, &wr);
      POINT windowOrigin{wr.left, wr.top};
      ScreenToClient(Wnd, &windowOrigin);
      POINT device{windowOrigin.x, windowOrigin.y};
      LPtoDP(dc, &device, 1);
      OffsetRgn(windowRgn, device.x, device.y);
      ExtSelectClipRgn(dc, windowRgn, RGN_AND);
    }
    DeleteObject(windowRgn);
    C->SaveState();
    SendMessageW(Wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(Wnd, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    C->RestoreState();
  }
  C->RestoreState();
}
}  // namespace

void DrawParentBackground(TControl* AControl, TcxCanvas* ACanvas, const RECT& R) {
  if (!AControl || !ACanvas || !AControl->Parent()) return;
  TWinControl* parent = AControl->Parent();
  if (auto* windowed = dynamic_cast<TWinControl*>(AControl)) {
    if (windowed->HandleAllocated()) DrawParentBackground(windowed->Handle(), ACanvas, R);
    return;
  }
  if (!parent->HandleAllocated() || (parent->ComponentState() & csDestroying)) return;
  ACanvas->SaveState();
  PaintWindowCopy(parent->Handle(), ACanvas, OffsetRectBy(R, AControl->Left(), AControl->Top()), false);
  ACanvas->RestoreState();
}

void DrawParentBackground(HWND AControl, TcxCanvas* ACanvas, const RECT& R) {
  HWND parent = AControl ? GetParent(AControl) : nullptr;
  if (!parent || !ACanvas || !IsWindow(parent)) return;
  if (TWinControl* owner = FindControl(parent); owner && (owner->ComponentState() & csDestroying)) return;
  RECT pr = R;
  MapWindowPoints(AControl, parent, reinterpret_cast<POINT*>(&pr), 2);
  ACanvas->SaveState();
  PaintWindowCopy(parent, ACanvas, pr, false);
  // Siblings from the bottom of the z-order up to the control itself; those
  // elsewhere are not asked to paint (a skinned one would copy its own parent).
  for (HWND w = GetWindow(AControl, GW_HWNDLAST); w && w != AControl; w = GetWindow(w, GW_HWNDPREV)) {
    if (!IsWindowVisible(w)) continue;
    RECT bounds, overlap;
    GetWindowRect(w, &bounds);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&bounds), 2);
    if (!IntersectRect(&overlap, &bounds, &pr)) continue;
    RECT sr = pr;
    MapWindowPoints(parent, w, reinterpret_cast<POINT*>(&sr), 2);
    PaintWindowCopy(w, ACanvas, sr, true);
  }
  ACanvas->RestoreState();
}

}  // namespace talvik
