#include "framework/graphics.h"

#include <algorithm>
#include <cwctype>
#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

#include "framework/sysutils.h"

namespace talvik {

COLORREF ColorToRGB(TColor Color) {
  if (IsSystemColor(Color)) return GetSysColor(Color & 0xFF);
  return static_cast<COLORREF>(Color) & 0xFFFFFF;
}

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

// ---- TFont

TFont::TFont() = default;
TFont::~TFont() { Release(); }

void TFont::Release() {
  if (FHandle) DeleteObject(FHandle);
  FHandle = nullptr;
}

void TFont::Assign(TPersistent* Source) {
  if (auto* f = dynamic_cast<TFont*>(Source)) {
    Release();
    FName = f->FName;
    FHeight = f->FHeight;
    FStyle = f->FStyle;
    FCharset = f->FCharset;
    FColor = f->FColor;
    FOrientation = f->FOrientation;
    FOutPrecision = f->FOutPrecision;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}

#define TALVIK_FONT_SETTER(Setter, Field, Type)  \
  void TFont::Setter(Type Value) {               \
    if (Field == Value) return;                  \
    Release();                                   \
    Field = Value;                               \
    Changed();                                   \
  }
TALVIK_FONT_SETTER(SetName, FName, const std::wstring&)
TALVIK_FONT_SETTER(SetHeight, FHeight, int)
TALVIK_FONT_SETTER(SetStyle, FStyle, unsigned)
TALVIK_FONT_SETTER(SetCharset, FCharset, BYTE)
TALVIK_FONT_SETTER(SetOrientation, FOrientation, int)
TALVIK_FONT_SETTER(SetOutPrecision, FOutPrecision, BYTE)
#undef TALVIK_FONT_SETTER

void TFont::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;  // the colour is the canvas's text colour, not part of the handle
  Changed();
}

static int ScreenPixelsPerInch() {
  HDC dc = GetDC(nullptr);
  int ppi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return ppi;
}

int TFont::Size() const { return -MulDiv(FHeight, 72, ScreenPixelsPerInch()); }
void TFont::SetSize(int Points) { SetHeight(-MulDiv(Points, ScreenPixelsPerInch(), 72)); }

HFONT TFont::Handle() {
  if (!FHandle) {
    LOGFONTW lf{};
    lf.lfHeight = FHeight;
    lf.lfEscapement = lf.lfOrientation = FOrientation;
    lf.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (FStyle & fsItalic) != 0;
    lf.lfUnderline = (FStyle & fsUnderline) != 0;
    lf.lfStrikeOut = (FStyle & fsStrikeOut) != 0;
    lf.lfCharSet = FCharset;
    lf.lfOutPrecision = FOutPrecision;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, FName.c_str(), LF_FACESIZE);
    FHandle = CreateFontIndirectW(&lf);
  }
  return FHandle;
}

void TFont::SetHandle(HFONT Value) {
  LOGFONTW lf{};
  if (!Value || !GetObjectW(Value, sizeof lf, &lf)) return;
  Release();
  FName = lf.lfFaceName;
  FHeight = lf.lfHeight;
  FCharset = lf.lfCharSet;
  FOrientation = lf.lfEscapement;
  FOutPrecision = lf.lfOutPrecision;
  FStyle = (lf.lfWeight >= FW_BOLD ? unsigned(fsBold) : 0u) | (lf.lfItalic ? unsigned(fsItalic) : 0u) |
           (lf.lfUnderline ? unsigned(fsUnderline) : 0u) | (lf.lfStrikeOut ? unsigned(fsStrikeOut) : 0u);
  Changed();
}

// ---- TBrush

TBrush::~TBrush() { Release(); }

void TBrush::Release() {
  if (FHandle) DeleteObject(FHandle);
  FHandle = nullptr;
}

void TBrush::Assign(TPersistent* Source) {
  if (auto* b = dynamic_cast<TBrush*>(Source)) {
    Release();
    FColor = b->FColor;
    FStyle = b->FStyle;
    FBitmap = b->FBitmap;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}

void TBrush::SetColor(TColor Value) {
  if (FColor == Value && FStyle != bsClear) return;
  Release();
  FColor = Value;
  if (FStyle == bsClear) FStyle = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (FStyle == Value) return;
  Release();
  FStyle = Value;
  Changed();
}

void TBrush::SetBitmap(TBitmap* Value) {
  Release();
  FBitmap = Value;
  Changed();
}

HBRUSH TBrush::Handle() {
  if (!FHandle) {
    if (FBitmap && FBitmap->Handle()) {
      FHandle = CreatePatternBrush(FBitmap->Handle());
    } else if (FStyle == bsClear) {
      FHandle = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
      return FHandle;  // stock objects are never deleted; recreated cheaply
    } else if (FStyle == bsSolid) {
      FHandle = CreateSolidBrush(ColorToRGB(FColor));
    } else {
      static const int hatch[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
      FHandle = CreateHatchBrush(hatch[FStyle - bsHorizontal], ColorToRGB(FColor));
    }
  }
  return FHandle;
}

void TBrush::SetHandle(HBRUSH Value) {
  LOGBRUSH lb{};
  if (!Value || !GetObjectW(Value, sizeof lb, &lb)) return;
  Release();
  FBitmap = nullptr;
  FColor = static_cast<TColor>(lb.lbColor);
  FStyle = lb.lbStyle == BS_NULL ? bsClear : lb.lbStyle == BS_HATCHED ? static_cast<TBrushStyle>(bsHorizontal + lb.lbHatch) : bsSolid;
  Changed();
}

// ---- TPen

TPen::~TPen() { Release(); }

void TPen::Release() {
  if (FHandle) DeleteObject(FHandle);
  FHandle = nullptr;
}

void TPen::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TPen*>(Source)) {
    Release();
    FColor = p->FColor;
    FWidth = p->FWidth;
    FStyle = p->FStyle;
    FMode = p->FMode;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}

void TPen::SetColor(TColor Value) { if (FColor != Value) { Release(); FColor = Value; Changed(); } }
void TPen::SetWidth(int Value) { if (FWidth != Value) { Release(); FWidth = Value; Changed(); } }
void TPen::SetStyle(TPenStyle Value) { if (FStyle != Value) { Release(); FStyle = Value; Changed(); } }
void TPen::SetMode(int Value) { if (FMode != Value) { FMode = Value; Changed(); } }

HPEN TPen::Handle() {
  if (!FHandle) {
    static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    FHandle = CreatePen(styles[FStyle], FWidth, ColorToRGB(FColor));
  }
  return FHandle;
}

void TPen::SetHandle(HPEN Value) {
  LOGPEN lp{};
  if (!Value || !GetObjectW(Value, sizeof lp, &lp)) return;
  Release();
  FColor = static_cast<TColor>(lp.lopnColor);
  FWidth = std::max<int>(1, lp.lopnWidth.x);
  FStyle = lp.lopnStyle <= PS_INSIDEFRAME ? static_cast<TPenStyle>(lp.lopnStyle) : psSolid;
  Changed();
}

// ---- TCanvas

TCanvas::TCanvas() {
  FFont.OnChange = [this](TObject*) { FFontSelected = false; };
  FBrush.OnChange = [this](TObject*) { FBrushSelected = false; };
  FPen.OnChange = [this](TObject*) { FPenSelected = false; };
}

TCanvas::~TCanvas() { SetHandle(nullptr); }

HDC TCanvas::Handle() {
  if (!FHandle) CreateHandle();
  return FHandle;
}

void TCanvas::SetHandle(HDC Value) {
  if (FHandle == Value) return;
  if (FHandle) DeselectHandles();
  FHandle = Value;
}

void TCanvas::DeselectHandles() {
  // Put the DC's own objects back so ours can be deleted safely.
  if (FFontSelected && FSavedFont) SelectObject(FHandle, FSavedFont);
  if (FBrushSelected && FSavedBrush) SelectObject(FHandle, FSavedBrush);
  if (FPenSelected && FSavedPen) SelectObject(FHandle, FSavedPen);
  FSavedFont = FSavedBrush = FSavedPen = nullptr;
  FFontSelected = FBrushSelected = FPenSelected = false;
}

void TCanvas::RequireFont() {
  HDC dc = Handle();
  if (!dc) return;
  HGDIOBJ old = SelectObject(dc, FFont.Handle());
  if (!FSavedFont) FSavedFont = old;
  SetTextColor(dc, ColorToRGB(FFont.Color()));
  FFontSelected = true;
}

void TCanvas::RequireBrush() {
  HDC dc = Handle();
  if (!dc) return;
  HGDIOBJ old = SelectObject(dc, FBrush.Handle());
  if (!FSavedBrush) FSavedBrush = old;
  if (FBrush.Style() == bsSolid || FBrush.Bitmap()) {
    SetBkColor(dc, ColorToRGB(FBrush.Color()));
    SetBkMode(dc, OPAQUE);
  } else {
    // Hatches show the brush colour over a background of the same colour's complement.
    SetBkColor(dc, ~ColorToRGB(FBrush.Color()) & 0xFFFFFF);
    SetBkMode(dc, TRANSPARENT);
  }
  FBrushSelected = true;
}

void TCanvas::RequirePen() {
  HDC dc = Handle();
  if (!dc) return;
  HGDIOBJ old = SelectObject(dc, FPen.Handle());
  if (!FSavedPen) FSavedPen = old;
  SetROP2(dc, FPen.Mode());
  FPenSelected = true;
}

void TCanvas::RequireAll() {
  RequireFont();
  RequireBrush();
  RequirePen();
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

POINT TCanvas::PenPos() {
  POINT p{};
  GetCurrentPositionEx(Handle(), &p);
  return p;
}

void TCanvas::FillRect(const RECT& R) {
  RequireBrush();
  ::FillRect(Handle(), &R, FBrush.Handle());
  Changed();
}

void TCanvas::FrameRect(const RECT& R) {
  RequireBrush();
  ::FrameRect(Handle(), &R, FBrush.Handle());
  Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  RequirePen();
  RequireBrush();
  ::Rectangle(Handle(), X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::Polygon(const POINT* Points, int Count) {
  RequirePen();
  RequireBrush();
  ::Polygon(Handle(), Points, Count);
  Changed();
}

void TCanvas::MoveTo(int X, int Y) { MoveToEx(Handle(), X, Y, nullptr); }

void TCanvas::LineTo(int X, int Y) {
  RequirePen();
  ::LineTo(Handle(), X, Y);
  Changed();
}

void TCanvas::TextOut(int X, int Y, const std::wstring& Text) {
  RequireFont();
  RequireBrush();
  ExtTextOutW(Handle(), X, Y, 0, nullptr, Text.c_str(), static_cast<UINT>(Text.size()), nullptr);
  Changed();
}

void TCanvas::TextRect(const RECT& R, int X, int Y, const std::wstring& Text) {
  RequireFont();
  RequireBrush();
  UINT opts = ETO_CLIPPED | (FBrush.Style() != bsClear ? ETO_OPAQUE : 0);
  ExtTextOutW(Handle(), X, Y, opts, &R, Text.c_str(), static_cast<UINT>(Text.size()), nullptr);
  Changed();
}

SIZE TCanvas::TextExtent(const std::wstring& Text) {
  RequireFont();
  SIZE s{};
  GetTextExtentPoint32W(Handle(), Text.c_str(), static_cast<int>(Text.size()), &s);
  return s;
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  StretchDraw(RECT{X, Y, X + Graphic->Width(), Y + Graphic->Height()}, Graphic);
}

void TCanvas::StretchDraw(const RECT& R, TGraphic* Graphic) {
  if (!Graphic) return;
  RequireAll();
  Graphic->Draw(*this, R);
  Changed();
}

void TCanvas::CopyRect(const RECT& Dest, TCanvas& Source, const RECT& SourceRect) {
  RequireBrush();
  Source.RequireBrush();
  StretchBlt(Handle(), Dest.left, Dest.top, Dest.right - Dest.left, Dest.bottom - Dest.top, Source.Handle(),
             SourceRect.left, SourceRect.top, SourceRect.right - SourceRect.left, SourceRect.bottom - SourceRect.top,
             FCopyMode);
  Changed();
}

TColor TCanvas::Pixel(int X, int Y) { return static_cast<TColor>(GetPixel(Handle(), X, Y)); }

void TCanvas::SetPixel(int X, int Y, TColor Color) {
  ::SetPixel(Handle(), X, Y, ColorToRGB(Color));
  Changed();
}

// ---- TGraphic

void TGraphic::Changed(TObject*) {
  FModified = true;
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromClipboardFormat(UINT, HANDLE, HPALETTE) {
  throw EInvalidOperation(L"Unsupported clipboard format");
}

void TGraphic::SaveToClipboardFormat(UINT&, HANDLE&, HPALETTE&) {
  throw EInvalidOperation(L"Unsupported clipboard format");
}

void TGraphic::LoadFromFile(const std::wstring& FileName) {
  TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(f);
}

void TGraphic::SaveToFile(const std::wstring& FileName) {
  TFileStream f(FileName, fmCreate);
  SaveToStream(f);
}

// ---- TBitmap

class TBitmap::TBitmapCanvas : public TCanvas {
public:
  explicit TBitmapCanvas(TBitmap* Owner) : FOwner(Owner) {}
  ~TBitmapCanvas() override { Free(); }
  // The bitmap is selected into the memory DC only while the canvas lives.
  void Free() {
    if (!HandleAllocated()) return;
    HDC dc = Handle();
    SetHandle(nullptr);
    if (FOldBitmap) SelectObject(dc, FOldBitmap);
    DeleteDC(dc);
    FOldBitmap = nullptr;
  }

protected:
  void CreateHandle() override {
    HDC dc = CreateCompatibleDC(nullptr);
    if (FOwner->FHandle) FOldBitmap = SelectObject(dc, FOwner->FHandle);
    SetHandle(dc);
  }

private:
  TBitmap* FOwner;
  HGDIOBJ FOldBitmap = nullptr;
};

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int AWidth, int AHeight, TPixelFormat AFormat) { Recreate(AWidth, AHeight, AFormat); }

TBitmap::~TBitmap() {
  // The canvas lets go of the bitmap before either goes.
  FreeHandle();
  delete FCanvas;
}

void TBitmap::FreeHandle() {
  if (FCanvas) static_cast<TBitmapCanvas*>(FCanvas)->Free();
  if (FHandle) DeleteObject(FHandle);
  FHandle = nullptr;
  FBits = nullptr;
}

static int BitsOf(TPixelFormat f) {
  static const int bits[] = {0, 1, 4, 8, 16, 16, 24, 32};
  return bits[f];
}

void TBitmap::Recreate(int AWidth, int AHeight, TPixelFormat AFormat) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  HBITMAP fresh = nullptr;
  void* bits = nullptr;
  int stride = 0;
  if (AWidth > 0 && AHeight > 0) {
    if (AFormat == pfDevice) {
      HDC screen = GetDC(nullptr);
      fresh = CreateCompatibleBitmap(screen, AWidth, AHeight);
      ReleaseDC(nullptr, screen);
    } else {
      struct {
        BITMAPINFOHEADER h;
        RGBQUAD colors[256];
      } info{};
      info.h.biSize = sizeof(BITMAPINFOHEADER);
      info.h.biWidth = AWidth;
      info.h.biHeight = -AHeight;  // top-down rows
      info.h.biPlanes = 1;
      info.h.biBitCount = static_cast<WORD>(BitsOf(AFormat));
      info.h.biCompression = BI_RGB;
      if (AFormat == pf1bit) info.colors[1] = RGBQUAD{255, 255, 255, 0};
      for (int i = 0; AFormat == pf8bit && i < 256; ++i) info.colors[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
      fresh = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
      stride = ((AWidth * BitsOf(AFormat) + 31) / 32) * 4;
    }
    if (!fresh) throw EOutOfResources(L"Out of system resources");
  }
  // Keep what was drawn so far in the overlapping area.
  if (fresh && FHandle) {
    HDC src = CreateCompatibleDC(nullptr), dst = CreateCompatibleDC(nullptr);
    if (FCanvas) static_cast<TBitmapCanvas*>(FCanvas)->Free();
    HGDIOBJ os = SelectObject(src, FHandle), od = SelectObject(dst, fresh);
    BitBlt(dst, 0, 0, std::min(AWidth, FWidth), std::min(AHeight, FHeight), src, 0, 0, SRCCOPY);
    SelectObject(src, os);
    SelectObject(dst, od);
    DeleteDC(src);
    DeleteDC(dst);
  }
  FreeHandle();
  FHandle = fresh;
  FBits = bits;
  FStride = stride;
  FWidth = AWidth;  // a 0 x N bitmap keeps its other side
  FHeight = AHeight;
  FPixelFormat = AFormat;
}

void TBitmap::SetSize(int AWidth, int AHeight) {
  if (AWidth == FWidth && AHeight == FHeight) return;
  Recreate(AWidth, AHeight, FPixelFormat);
  Changed(this);
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == FPixelFormat) return;
  Recreate(FWidth, FHeight, Value);
  Changed(this);
}

void TBitmap::Assign(TPersistent* Source) {
  if (auto* b = dynamic_cast<TBitmap*>(Source)) {
    if (b == this) return;
    FreeHandle();
    FWidth = FHeight = 0;
    Recreate(b->FWidth, b->FHeight, b->FPixelFormat);
    if (FHandle) BitBlt(Canvas().Handle(), 0, 0, FWidth, FHeight, b->Canvas().Handle(), 0, 0, SRCCOPY);
    SetTransparent(b->Transparent());
    Changed(this);
    return;
  }
  TGraphic::Assign(Source);
}

void TBitmap::SetHandle(HBITMAP Value) {
  if (Value == FHandle) return;
  FreeHandle();
  BITMAP bm{};
  DIBSECTION ds{};
  FHandle = Value;
  FWidth = FHeight = 0;
  FPixelFormat = pfDevice;
  if (Value && GetObjectW(Value, sizeof bm, &bm)) {
    FWidth = bm.bmWidth;
    FHeight = std::abs(bm.bmHeight);
    if (GetObjectW(Value, sizeof ds, &ds) == sizeof ds) {
      FBits = ds.dsBm.bmBits;
      FStride = ds.dsBm.bmWidthBytes;
      switch (ds.dsBmih.biBitCount) {
        case 1: FPixelFormat = pf1bit; break;
        case 4: FPixelFormat = pf4bit; break;
        case 8: FPixelFormat = pf8bit; break;
        case 16: FPixelFormat = pf16bit; break;
        case 24: FPixelFormat = pf24bit; break;
        case 32: FPixelFormat = pf32bit; break;
      }
      // Bottom-up sections keep their last row first in memory.
      if (ds.dsBmih.biHeight > 0 && FBits) {
        FBits = static_cast<uint8_t*>(FBits) + static_cast<ptrdiff_t>(FStride) * (FHeight - 1);
        FStride = -FStride;
      }
    }
  }
  Changed(this);
}

HBITMAP TBitmap::ReleaseHandle() {
  if (FCanvas) static_cast<TBitmapCanvas*>(FCanvas)->Free();
  HBITMAP h = FHandle;
  FHandle = nullptr;
  FBits = nullptr;
  FWidth = FHeight = 0;
  return h;
}

void* TBitmap::ScanLine(int Row) {
  if (!FBits || Row < 0 || Row >= FHeight) return nullptr;
  GdiFlush();
  return static_cast<uint8_t*>(FBits) + static_cast<ptrdiff_t>(FStride) * Row;
}

TCanvas& TBitmap::Canvas() {
  if (!FCanvas) FCanvas = new TBitmapCanvas(this);
  return *FCanvas;
}

void TBitmap::Draw(TCanvas& Target, const RECT& Rect) {
  if (Empty()) return;
  StretchBlt(Target.Handle(), Rect.left, Rect.top, Rect.right - Rect.left, Rect.bottom - Rect.top, Canvas().Handle(),
             0, 0, FWidth, FHeight, Target.CopyMode());
}

namespace {
// The number of pixel rows of a bitmap whose header, palette and rows lie
// inside its data, else 0: the system reads as many bytes as the header promises.
int64_t BitmapRows(const std::vector<uint8_t>& data, int64_t bitsOffset) {
  const int64_t size = static_cast<int64_t>(data.size());
  int64_t width, height, bitCount, colourBytes;
  DWORD compression = BI_RGB;
  const auto& info = *reinterpret_cast<const BITMAPINFOHEADER*>(data.data());
  if (info.biSize == sizeof(BITMAPCOREHEADER)) {
    const auto& core = *reinterpret_cast<const BITMAPCOREHEADER*>(data.data());
    width = core.bcWidth;
    height = core.bcHeight;
    bitCount = core.bcBitCount;
    colourBytes = bitCount <= 8 ? (int64_t{1} << bitCount) * static_cast<int64_t>(sizeof(RGBTRIPLE)) : 0;
  } else if (info.biSize >= sizeof(BITMAPINFOHEADER)) {
    width = info.biWidth;
    height = info.biHeight == INT32_MIN ? 0 : std::abs(info.biHeight);
    bitCount = info.biBitCount;
    compression = info.biCompression;
    int64_t colours = bitCount <= 8 ? int64_t{1} << bitCount : 0;
    if (info.biClrUsed) colours = std::min<int64_t>(colours, info.biClrUsed);
    colourBytes = colours * static_cast<int64_t>(sizeof(RGBQUAD));
    if (compression == BI_BITFIELDS && info.biSize == sizeof(BITMAPINFOHEADER)) colourBytes += 3 * sizeof(DWORD);
  } else {
    return 0;
  }
  if (width <= 0 || height <= 0 || bitCount <= 0 || bitCount > 32) return 0;
  if (info.biSize + colourBytes > size) return 0;
  int64_t pixelBytes = info.biSizeImage;  // compressed rows: as many bytes as the header names
  if (compression == BI_RGB || compression == BI_BITFIELDS) {
    int64_t stride = (width * bitCount + 31) / 32 * 4;
    if (stride > size) return 0;
    pixelBytes = stride * height;
  }
  return bitsOffset + pixelBytes <= size ? height : 0;
}
}  // namespace

void TBitmap::LoadFromStream(TStream& Stream) {
  BITMAPFILEHEADER fh{};
  Stream.ReadBuffer(&fh, sizeof fh);
  if (fh.bfType != 0x4D42) throw EInvalidGraphic(L"Bitmap image is not valid");
  int64_t rest = static_cast<int64_t>(fh.bfSize) - static_cast<int64_t>(sizeof fh);
  if (rest < static_cast<int64_t>(sizeof(BITMAPINFOHEADER)) || rest > Stream.Size() - Stream.Position() + 0)
    throw EInvalidGraphic(L"Bitmap image is not valid");
  std::vector<uint8_t> data(static_cast<size_t>(rest));
  Stream.ReadBuffer(data.data(), rest);
  auto* info = reinterpret_cast<BITMAPINFO*>(data.data());
  int64_t bitsOffset = static_cast<int64_t>(fh.bfOffBits) - static_cast<int64_t>(sizeof fh);
  if (bitsOffset < info->bmiHeader.biSize || bitsOffset > rest) throw EInvalidGraphic(L"Bitmap image is not valid");
  const int64_t rows = BitmapRows(data, bitsOffset);
  if (rows == 0) throw EInvalidGraphic(L"Bitmap image is not valid");
  HDC screen = GetDC(nullptr);
  void* bits = nullptr;
  HBITMAP h = CreateDIBSection(screen, info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (h && !SetDIBits(screen, h, 0, static_cast<UINT>(rows), data.data() + bitsOffset, info, DIB_RGB_COLORS)) {
    DeleteObject(h);
    h = nullptr;
  }
  ReleaseDC(nullptr, screen);
  if (!h) throw EInvalidGraphic(L"Bitmap image is not valid");
  SetHandle(h);
}

void TBitmap::SaveToStream(TStream& Stream) {
  if (Empty()) return;
  int bits = FPixelFormat == pfDevice ? 32 : std::max(BitsOf(FPixelFormat), 24);
  int stride = ((FWidth * bits + 31) / 32) * 4;
  BITMAPINFOHEADER ih{};
  ih.biSize = sizeof ih;
  ih.biWidth = FWidth;
  ih.biHeight = FHeight;
  ih.biPlanes = 1;
  ih.biBitCount = static_cast<WORD>(bits);
  ih.biCompression = BI_RGB;
  ih.biSizeImage = static_cast<DWORD>(stride) * FHeight;
  std::vector<uint8_t> pixels(ih.biSizeImage);
  HDC screen = GetDC(nullptr);
  if (FCanvas) static_cast<TBitmapCanvas*>(FCanvas)->Free();
  GetDIBits(screen, FHandle, 0, FHeight, pixels.data(), reinterpret_cast<BITMAPINFO*>(&ih), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + ih.biSizeImage;
  Stream.WriteBuffer(&fh, sizeof fh);
  Stream.WriteBuffer(&ih, sizeof ih);
  Stream.WriteBuffer(pixels.data(), pixels.size());
}

// ---- picture formats

namespace {
struct FileFormat {
  std::wstring Description;
  TGraphicFactory Factory;
};
std::map<std::wstring, FileFormat>& FileFormats() {
  static std::map<std::wstring, FileFormat> formats;
  return formats;
}
std::wstring Upper(std::wstring s) {
  for (auto& c : s) c = static_cast<wchar_t>(std::towupper(c));
  return s;
}
}  // namespace

void RegisterFileFormat(const std::wstring& Extension, const std::wstring& Description, TGraphicFactory Factory) {
  FileFormats()[Upper(Extension)] = {Description, std::move(Factory)};
}

void UnregisterFileFormat(const std::wstring& Extension) { FileFormats().erase(Upper(Extension)); }

std::wstring FileFormatDescription(const std::wstring& Extension) {
  auto it = FileFormats().find(Upper(Extension));
  return it == FileFormats().end() ? std::wstring() : it->second.Description;
}

TGraphic* LoadGraphicFromFile(const std::wstring& FileName) {
  auto dot = FileName.find_last_of(L'.');
  std::wstring ext = dot == std::wstring::npos ? L"" : FileName.substr(dot + 1);
  auto it = FileFormats().find(Upper(ext));
  if (it == FileFormats().end()) throw EInvalidGraphic(Format(L"Unknown picture file extension (.%s)", {ext}));
  std::unique_ptr<TGraphic> g(it->second.Factory());
  g->LoadFromFile(FileName);
  return g.release();
}

}  // namespace talvik
