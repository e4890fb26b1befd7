#include "skins/pictures/pngimage.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstring>
#include <new>

#include "framework/sysutils.h"

namespace talvik {

// ---- PNG structure

namespace {

constexpr std::array<uint32_t, 256> kCrcTable = [] {
  std::array<uint32_t, 256> table{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}();

uint32_t Crc32(const uint8_t* P, size_t N) {
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = 0; i < N; ++i) c = kCrcTable[(c ^ P[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

uint32_t BigEndian32(const uint8_t* P) {
  return uint32_t{P[0]} << 24 | uint32_t{P[1]} << 16 | uint32_t{P[2]} << 8 | P[3];
}

bool IsChunkType(const uint8_t* P) {
  return std::all_of(P, P + 4, [](uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
}

}  // namespace

size_t PngFileLength(const uint8_t* AData, size_t ASize) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (ASize < sizeof kSignature || std::memcmp(AData, kSignature, sizeof kSignature) != 0) return 0;
  size_t pos = sizeof kSignature;
  bool first = true;
  // Each chunk: length, type, data, CRC of type and data.
  while (ASize - pos >= 12) {
    const uint8_t* chunk = AData + pos;
    const uint32_t length = BigEndian32(chunk);
    const uint8_t* type = chunk + 4;
    if (length > 0x7FFFFFFF || length > ASize - pos - 12 || !IsChunkType(type)) return 0;
    if (Crc32(type, length + 4) != BigEndian32(type + 4 + length)) return 0;
    const bool header = std::memcmp(type, "IHDR", 4) == 0;
    if (header != first || (header && length != 13)) return 0;
    first = false;
    pos += 12 + size_t{length};
    if (std::memcmp(type, "IEND", 4) == 0) return length == 0 ? pos : 0;
  }
  return 0;
}

// ---- TdxGPBase

void* TdxGPBase::operator new(size_t Size) {
  void* p = GdiPlusAvailable() ? GdiPlus.GdipAlloc(Size) : nullptr;
  if (!p) throw std::bad_alloc();
  std::memset(p, 0, Size);
  return p;
}

void TdxGPBase::operator delete(void* P) {
  // After GDI+ has gone its heap went with it.
  if (P && GdiPlusLoaded()) GdiPlus.GdipFree(P);
}

// ---- TdxGPImage

namespace {

template <class T>
struct Factory {
  static TdxGPImage* CreateEmpty() { return new T; }
  static TdxGPImage* CreateFromPattern(int W, int H, const TdxRGBColors& Bits, bool HasAlpha) {
    T* r = new T;
    r->InitFromPattern(W, H, Bits, HasAlpha);
    return r;
  }
  static TdxGPImage* CreateFromBitmap(TBitmap* B) {
    T* r = new T;
    r->InitFromBitmap(B);
    return r;
  }
  static TdxGPImage* CreateFromStream(TStream& S) {
    T* r = new T;
    try {
      r->InitFromStream(S);
    } catch (...) {
      delete r;
      throw;
    }
    return r;
  }
};

struct ImageAccess : TdxGPImage {
  using TdxGPImage::InitFromBitmap;
  using TdxGPImage::InitFromPattern;
  using TdxGPImage::InitFromStream;
};
struct NullImageAccess : TdxGPNullImage {
  using TdxGPImage::InitFromBitmap;
  using TdxGPImage::InitFromPattern;
  using TdxGPImage::InitFromStream;
};

}  // namespace

const TdxGPImageFactory GPImageClassGdiPlus{
    &Factory<ImageAccess>::CreateEmpty, &Factory<ImageAccess>::CreateFromPattern,
    &Factory<ImageAccess>::CreateFromBitmap, &Factory<ImageAccess>::CreateFromStream};
const TdxGPImageFactory GPImageClassNull{
    &Factory<NullImageAccess>::CreateEmpty, &Factory<NullImageAccess>::CreateFromPattern,
    &Factory<NullImageAccess>::CreateFromBitmap, &Factory<NullImageAccess>::CreateFromStream};

TdxGPImage::~TdxGPImage() {
  if (FHandle && GdiPlusLoaded()) GdiPlus.GdipDisposeImage(FHandle);
  if (FDataStream) FDataStream->Release();
}

GpImage* TdxGPImage::Handle() const {
  if (FDecodePending) Decode();
  return FHandle;
}

// What fails to decode leaves the picture empty, as it would have at load.
void TdxGPImage::Decode() const {
  FDecodePending = false;
  LARGE_INTEGER start{};
  if (!GdiPlusLoaded() || FDataStream->Seek(start, STREAM_SEEK_SET, nullptr) != S_OK ||
      GdiPlus.GdipCreateBitmapFromStream(FDataStream, &FHandle) != Ok) {
    FHandle = nullptr;
    FDataStream->Release();
    FDataStream = nullptr;
  }
}

int TdxGPImage::Width() const {
  UINT v = 0;
  if (Handle() && GdiPlusLoaded() && GdiPlus.GdipGetImageWidth(FHandle, &v) != Ok) v = 0;
  return static_cast<int>(v);
}

int TdxGPImage::Height() const {
  UINT v = 0;
  if (Handle() && GdiPlusLoaded() && GdiPlus.GdipGetImageHeight(FHandle, &v) != Ok) v = 0;
  return static_cast<int>(v);
}

void TdxGPImage::InitFromPattern(int AWidth, int AHeight, const TdxRGBColors& ABits, bool AHasAlphaChannel) {
  if (AWidth <= 0 || AHeight <= 0) return;
  FBits = ABits;
  FBits.resize(static_cast<size_t>(AWidth) * AHeight);
  if (!AHasAlphaChannel)
    for (RGBQUAD& q : FBits) q.rgbReserved = 255;
  if (GdiPlusAvailable() &&
      GdiPlus.GdipCreateBitmapFromScan0(AWidth, AHeight, AWidth * 4, PixelFormat32bppPARGB,
                                        reinterpret_cast<BYTE*>(FBits.data()), &FHandle) != Ok)
    FHandle = nullptr;
}

void TdxGPImage::InitFromBitmap(TBitmap* ABitmap) {
  CheckPngCodec();
  TdxRGBColors bits = GetBitmapBits(ABitmap);
  InitFromPattern(ABitmap->Width(), ABitmap->Height(), bits, ABitmap->PixelFormat() == pf32bit);
}

void TdxGPImage::InitFromStream(TStream& AStream) {
  if (!GdiPlusAvailable() || AStream.Size() <= 13) return;
  char head[14] = {};
  int64_t got = AStream.Read(head, sizeof head);
  AStream.Seek(-got, soCurrent);
  if (head[0] == 'B' && head[1] == 'M') {
    TBitmap bitmap;
    try {
      bitmap.LoadFromStream(AStream);
    } catch (const Exception&) {
      return;  // not a bitmap after all: the picture stays empty
    }
    InitFromBitmap(&bitmap);
    return;
  }
  DecodeStream(AStream);
}

void TdxGPImage::DecodeStream(TStream& AStream) {
  int64_t size = AStream.Size();
  if (size <= 0 || size > 0x7FFFFFFF) return;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, static_cast<SIZE_T>(size));
  if (!block) return;
  size_t length = 0;
  if (auto* p = static_cast<uint8_t*>(GlobalLock(block))) {
    int64_t read = AStream.Read(p, size);
    // The system decoder believes chunk lengths and reads past its data: it gets whole, intact PNG files only.
    if (read > 0) length = PngFileLength(p, static_cast<size_t>(read));
    GlobalUnlock(block);
  }
  if (length == 0 || CreateStreamOnHGlobal(block, TRUE, &FDataStream) != S_OK) {
    GlobalFree(block);
    FDataStream = nullptr;
    return;
  }
  ULARGE_INTEGER end;
  end.QuadPart = length;
  if (FDataStream->SetSize(end) != S_OK) {
    FDataStream->Release();
    FDataStream = nullptr;
    return;
  }
  FDecodePending = true;
}

TdxGPImage* TdxGPImage::Clone() const {
  if (!FBits.empty()) return GPImageClass->CreateFromPattern(Width(), Height(), FBits, true);
  TdxGPImage* r = GPImageClass->CreateEmpty();
  // Still undecoded: the copy decodes for itself, from its own view of the same bytes.
  if (FDecodePending && FDataStream->Clone(&r->FDataStream) == S_OK) {
    r->FDecodePending = true;
    return r;
  }
  if (Handle() && GdiPlusLoaded()) {
    if (GdiPlus.GdipCloneImage(FHandle, &r->FHandle) != Ok) r->FHandle = nullptr;
    // A lazily decoding clone may still read the encoded bytes.
    if (FDataStream) {
      r->FDataStream = FDataStream;
      FDataStream->AddRef();
    }
  }
  return r;
}

void TdxGPImage::Draw(HDC DC, const RECT& R) const {
  if (!Handle() || !GdiPlusLoaded()) return;
  GpGraphics* g = nullptr;
  if (GdiPlus.GdipCreateFromHDC(DC, &g) != Ok) return;
  GdiPlus.GdipDrawImageRectRectI(g, FHandle, R.left, R.top, R.right - R.left, R.bottom - R.top, 0, 0, Width(),
                                 Height(), UnitPixel, nullptr, nullptr, nullptr);
  GdiPlus.GdipDeleteGraphics(g);
}

void TdxGPImage::SaveToStream(TStream& AStream) const {
  if (!Handle() || !GdiPlusLoaded()) return;
  CheckPngCodec();
  IStream* s = nullptr;
  if (CreateStreamOnHGlobal(nullptr, TRUE, &s) != S_OK) return;
  HGLOBAL block = nullptr;
  if (GdiPlus.GdipSaveImageToStream(FHandle, s, &PngEncoderClsid, nullptr) == Ok &&
      GetHGlobalFromStream(s, &block) == S_OK) {
    ULARGE_INTEGER end{};
    s->Seek(LARGE_INTEGER{}, STREAM_SEEK_END, &end);
    if (const void* p = GlobalLock(block)) {
      try {
        AStream.WriteBuffer(p, static_cast<int64_t>(end.QuadPart));
      } catch (...) {
        GlobalUnlock(block);
        s->Release();
        throw;
      }
      GlobalUnlock(block);
    }
  }
  s->Release();
}

TdxGPImage* TdxGPImage::MakeComposition(const TdxGPImage* AOverlay, uint8_t AAlpha) const {
  if (FBits.empty() || !AOverlay || AOverlay->FBits.size() != FBits.size()) return nullptr;
  int w = Width(), h = Height();
  if (w != AOverlay->Width() || h != AOverlay->Height()) return nullptr;
  const float k = AAlpha / 255.0f;
  TdxRGBColors bits(FBits.size());
  const auto* a = reinterpret_cast<const uint8_t*>(FBits.data());
  const auto* b = reinterpret_cast<const uint8_t*>(AOverlay->FBits.data());
  auto* r = reinterpret_cast<uint8_t*>(bits.data());
  for (size_t i = 0; i < bits.size() * 4; ++i)
    r[i] = static_cast<uint8_t>(std::nearbyint((1 - k) * a[i] + k * b[i]));
  return GPImageClass->CreateFromPattern(w, h, bits, true);
}

TdxRGBColors TdxGPImage::GetBitmapBits(TBitmap* ABitmap) {
  int w = ABitmap->Width(), h = ABitmap->Height();
  if (w <= 0 || h <= 0) return {};
  TdxRGBColors bits(static_cast<size_t>(w) * h);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB};
  HDC screen = GetDC(nullptr);
  int rows = ABitmap->Handle() ? GetDIBits(screen, ABitmap->Handle(), 0, h, bits.data(), &info, DIB_RGB_COLORS) : 0;
  ReleaseDC(nullptr, screen);
  if (rows == 0 && ABitmap->PixelFormat() == pf32bit)
    for (int y = 0; y < h; ++y)
      if (const void* line = ABitmap->ScanLine(y)) std::memcpy(&bits[static_cast<size_t>(y) * w], line, w * 4);
  return bits;
}

// ---- TdxPNGImage

TdxPNGImage::~TdxPNGImage() { delete FHandle; }

void TdxPNGImage::SetHandle(TdxGPImage* Value) {
  if (Value == FHandle) return;
  delete FHandle;
  FHandle = Value;
}

void TdxPNGImage::Changed(TObject* Sender) {
  FIsAlphaUsedAssigned = false;
  TGraphic::Changed(Sender);
}

bool TdxPNGImage::IsAlphaUsed() {
  if (!FIsAlphaUsedAssigned) {
    FIsAlphaUsed = false;
    if (TBitmap* b = GetAsBitmap()) {
      for (const RGBQUAD& q : TdxGPImage::GetBitmapBits(b))
        if (q.rgbReserved != 255) {
          FIsAlphaUsed = true;
          break;
        }
      delete b;
    }
    FIsAlphaUsedAssigned = true;
  }
  return FIsAlphaUsed;
}

void TdxPNGImage::Assign(TPersistent* Source) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
    SetBitmap(bitmap);
  } else if (auto* png = dynamic_cast<TdxPNGImage*>(Source)) {
    if (png == this) return;
    SetHandle(png->FHandle ? png->FHandle->Clone() : nullptr);
    Changed(this);
  } else {
    TGraphic::Assign(Source);
  }
}

void TdxPNGImage::AssignTo(TPersistent* Dest) {
  if (auto* png = dynamic_cast<TdxPNGImage*>(Dest)) {
    png->Assign(this);
  } else if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
    TBitmap* b = GetAsBitmap();
    if (b) {
      bitmap->Assign(b);
      delete b;
    } else {
      TBitmap empty;
      bitmap->Assign(&empty);
    }
  } else {
    TGraphic::AssignTo(Dest);
  }
}

void TdxPNGImage::Draw(TCanvas& ACanvas, const RECT& Rect) {
  StretchDraw(ACanvas.Handle(), Rect, RECT{0, 0, Width(), Height()});
}

int TdxPNGImage::Width() {
  float w = 0, h = 0;
  if (FHandle && FHandle->Handle() && GdiPlusLoaded() &&
      GdiPlus.GdipGetImageDimension(FHandle->Handle(), &w, &h) != Ok)
    w = 0;
  return static_cast<int>(w);
}

int TdxPNGImage::Height() {
  float w = 0, h = 0;
  if (FHandle && FHandle->Handle() && GdiPlusLoaded() &&
      GdiPlus.GdipGetImageDimension(FHandle->Handle(), &w, &h) != Ok)
    h = 0;
  return static_cast<int>(h);
}

bool TdxPNGImage::Empty() { return Width() < 1 || Height() < 1; }

void TdxPNGImage::LoadFromStream(TStream& Stream) {
  SetHandle(Stream.Size() == 0 ? nullptr : GPImageClass->CreateFromStream(Stream));
  Changed(this);
}

void TdxPNGImage::SaveToStream(TStream& Stream) {
  if (!FHandle) return;
  TMemoryStream m;
  FHandle->SaveToStream(m);
  if (m.Size() > 0) Stream.CopyFrom(m, 0);
}

TdxGPImage* TdxPNGImage::CreateFromBitmap(TBitmap* ASource) {
  GdiPlusAvailable();
  return GPImageClass->CreateFromBitmap(ASource);
}

void TdxPNGImage::SetBitmap(TBitmap* ABitmap) {
  SetHandle(CreateFromBitmap(ABitmap));
  Changed(this);
}

TBitmap* TdxPNGImage::GetAsBitmap() {
  auto* result = new TBitmap;
  HBITMAP h = nullptr;
  if (FHandle && FHandle->Handle() && GdiPlusLoaded() &&
      GdiPlus.GdipCreateHBITMAPFromBitmap(FHandle->Handle(), &h, 0) == Ok && h)
    result->SetHandle(h);
  return result;
}

bool TdxPNGImage::Compare(TdxPNGImage* AImage) {
  if (!AImage || Width() != AImage->Width() || Height() != AImage->Height()) return false;
  if (Empty() || AImage->Empty()) return true;
  TBitmap* a = GetAsBitmap();
  TBitmap* b = AImage->GetAsBitmap();
  TdxRGBColors pa = TdxGPImage::GetBitmapBits(a), pb = TdxGPImage::GetBitmapBits(b);
  delete a;
  delete b;
  return pa.size() == pb.size() && std::memcmp(pa.data(), pb.data(), pa.size() * sizeof(RGBQUAD)) == 0;
}

void TdxPNGImage::StretchDraw(HDC DC, const RECT& ADest) { StretchDraw(DC, ADest, RECT{0, 0, Width(), Height()}); }

void TdxPNGImage::StretchDraw(HDC DC, const RECT& ADest, const RECT& ASource) {
  if (!FHandle || !GdiPlusLoaded()) return;
  GpGraphics* g = nullptr;
  if (GdiPlus.GdipCreateFromHDC(DC, &g) != Ok) return;
  StretchDrawEx(g, ADest, ASource);
  GdiPlus.GdipDeleteGraphics(g);
}

void TdxPNGImage::DrawEx(GpGraphics* Graphics, const RECT& ADest, const RECT& ASource) {
  if (FHandle) StretchDrawEx(Graphics, ADest, ASource);
}

void TdxPNGImage::StretchDrawEx(GpGraphics* Graphics, const RECT& ADest, const RECT& ASource) {
  if (!FHandle || !FHandle->Handle() || !GdiPlusLoaded()) return;
  BOOL visible = FALSE;
  GdiPlus.GdipIsVisibleRectI(Graphics, ADest.left, ADest.top, ADest.right - ADest.left, ADest.bottom - ADest.top,
                             &visible);
  if (visible) StretchDrawVisible(Graphics, ADest, ASource);
}

void TdxPNGImage::StretchDrawVisible(GpGraphics* Graphics, const RECT& ADest, const RECT& ASource) {
  if (!FHandle || !FHandle->Handle() || !GdiPlusLoaded()) return;
  float sw = float(ASource.right - ASource.left), sh = float(ASource.bottom - ASource.top);
  float dw = float(ADest.right - ADest.left), dh = float(ADest.bottom - ADest.top);
  if (sw < 1 || sh < 1 || dw < 1 || dh < 1) return;
  // An enlarged picture must not blend in the pixels just beyond its source part.
  if (dw > sw && sw > 1) sw -= 1;
  if (dh > sh && sh > 1) sh -= 1;
  GdiPlus.GdipDrawImageRectRect(Graphics, FHandle->Handle(), float(ADest.left), float(ADest.top), dw, dh,
                                float(ASource.left), float(ASource.top), sw, sh, UnitPixel, nullptr, nullptr,
                                nullptr);
}

void TdxPNGImage::LoadFromClipboardFormat(UINT AFormat, HANDLE AData, HPALETTE APalette) {
  if (AFormat != CF_DIB || !AData) throw EInvalidGraphic(L"Unsupported clipboard format");
  // Another program wrote this block: nothing in its header is trusted until checked against its size.
  struct Lock {
    HANDLE Block;
    const BITMAPINFO* Info;
    ~Lock() {
      if (Info) GlobalUnlock(Block);
    }
  } lock{AData, static_cast<const BITMAPINFO*>(GlobalLock(AData))};
  if (!lock.Info) throw EInvalidGraphic(L"Unsupported clipboard format");
  const size_t size = GlobalSize(AData);
  if (size < sizeof(BITMAPINFOHEADER)) throw EInvalidGraphic(L"Bitmap image is not valid");
  const BITMAPINFOHEADER& h = lock.Info->bmiHeader;
  const WORD depth = h.biBitCount;
  const bool knownDepth = depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
  const bool knownLayout = h.biCompression == BI_RGB || (h.biCompression == BI_BITFIELDS && depth >= 16);
  size_t colors = h.biClrUsed ? h.biClrUsed : (depth <= 8 ? (1u << depth) : 0);
  // Newer headers carry the three colour masks inside themselves.
  if (h.biCompression == BI_BITFIELDS) colors = h.biSize == sizeof(BITMAPINFOHEADER) ? 3 : 0;
  const size_t offset = size_t{h.biSize} + colors * sizeof(RGBQUAD);
  const int w = h.biWidth;
  const int64_t ht = h.biHeight < 0 ? -int64_t{h.biHeight} : int64_t{h.biHeight};
  const size_t stride = ((static_cast<size_t>(w) * depth + 31) / 32) * 4;
  if (!knownDepth || !knownLayout || h.biSize < sizeof(BITMAPINFOHEADER) || w <= 0 || ht <= 0 || ht > INT_MAX ||
      offset > size || static_cast<size_t>(ht) > (size - offset) / stride)
    throw EInvalidGraphic(L"Bitmap image is not valid");
  TBitmap bitmap(w, static_cast<int>(ht), pf32bit);
  HDC screen = GetDC(nullptr);
  int rows = SetDIBits(screen, bitmap.Handle(), 0, static_cast<UINT>(ht),
                       reinterpret_cast<const uint8_t*>(lock.Info) + offset, lock.Info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows == 0) throw EInvalidGraphic(L"Bitmap image is not valid");
  SetBitmap(&bitmap);
}

void TdxPNGImage::SaveToClipboardFormat(UINT& AFormat, HANDLE& AData, HPALETTE& APalette) {
  int w = Width(), h = Height();
  AFormat = CF_DIB;
  AData = nullptr;
  APalette = nullptr;
  if (w < 1 || h < 1) return;
  TBitmap bitmap(w, h, pf32bit);
  bitmap.Canvas().Brush().SetColor(clWhite);
  bitmap.Canvas().FillRect(RECT{0, 0, w, h});
  StretchDraw(bitmap.Canvas().Handle(), RECT{0, 0, w, h});
  TdxRGBColors bits = TdxGPImage::GetBitmapBits(&bitmap);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + bits.size() * 4);
  if (!block) return;
  auto* p = static_cast<uint8_t*>(GlobalLock(block));
  BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), w, h, 1, 32, BI_RGB};
  std::memcpy(p, &header, sizeof header);
  // Bottom-up rows, as clipboard bitmaps usually are.
  for (int y = 0; y < h; ++y)
    std::memcpy(p + sizeof header + static_cast<size_t>(h - 1 - y) * w * 4, &bits[static_cast<size_t>(y) * w], w * 4);
  GlobalUnlock(block);
  AData = block;
}

// ---- module start-up and shut-down

void dxGdiPlusUnitInitialize() {}

void dxGdiPlusUnitFinalize() { UnloadGdiPlus(); }

void dxPNGImageUnitInitialize() {
  GPImageClass = &GPImageClassNull;
  if (!GdiPlusAvailable()) return;
  CheckPngCodec();
  GPImageClass = &GPImageClassGdiPlus;
  RegisterPersistentClass(L"TdxPNGImage", [] { return new TdxPNGImage; });
  RegisterFileFormat(L"PNG", L"PNG graphics from Orvandel", [] { return new TdxPNGImage; });
}

void dxPNGImageUnitFinalize() {
  UnregisterFileFormat(L"PNG");
  UnRegisterPersistentClass(L"TdxPNGImage");
}

}  // namespace talvik
