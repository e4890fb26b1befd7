#include "skins/builtin/gen/png_codec.h"

#include <windows.h>
#include <objidl.h>

#include <cstring>
#include <cwchar>

#include "framework/sysutils.h"

namespace {

struct GpStartupInput {
  UINT32 version;
  void* debugCallback;
  BOOL suppressBackgroundThread;
  BOOL suppressExternalCodecs;
};
struct GpCodecInfo {
  CLSID clsid;
  GUID formatId;
  const WCHAR *codecName, *dllName, *formatDescription, *filenameExtension, *mimeType;
  DWORD flags, version, sigCount, sigSize;
  const BYTE *sigPattern, *sigMask;
};
struct GpBitmapData {
  UINT width, height;
  INT stride;
  INT pixelFormat;
  void* scan0;
  UINT_PTR reserved;
};
struct GpRectI { INT x, y, width, height; };
constexpr INT kFormat32bppARGB = 0x26200A;

extern "C" {
int WINAPI GdiplusStartup(ULONG_PTR* token, const GpStartupInput* input, void* output);
int WINAPI GdipCreateBitmapFromScan0(INT w, INT h, INT stride, INT format, BYTE* scan0, void** bitmap);
int WINAPI GdipCreateBitmapFromStream(IStream* stream, void** bitmap);
int WINAPI GdipDisposeImage(void* image);
int WINAPI GdipGetImageEncodersSize(UINT* count, UINT* size);
int WINAPI GdipGetImageEncoders(UINT count, UINT size, GpCodecInfo* encoders);
int WINAPI GdipSaveImageToStream(void* image, IStream* stream, const CLSID* encoder, const void* params);
int WINAPI GdipGetImageWidth(void* image, UINT* width);
int WINAPI GdipGetImageHeight(void* image, UINT* height);
int WINAPI GdipBitmapLockBits(void* bitmap, const GpRectI* rect, UINT flags, INT format, GpBitmapData* data);
int WINAPI GdipBitmapUnlockBits(void* bitmap, GpBitmapData* data);
}

CLSID PngEncoder() {
  UINT count = 0, size = 0;
  if (GdipGetImageEncodersSize(&count, &size) != 0 || !size) throw talvik::Exception(L"GDI+ has no image encoders");
  std::vector<uint8_t> buffer(size);
  auto* codecs = reinterpret_cast<GpCodecInfo*>(buffer.data());
  GdipGetImageEncoders(count, size, codecs);
  for (UINT i = 0; i < count; ++i)
    if (codecs[i].mimeType && _wcsicmp(codecs[i].mimeType, L"image/png") == 0) return codecs[i].clsid;
  throw talvik::Exception(L"GDI+ has no PNG encoder");
}

struct Image {
  void* handle = nullptr;
  ~Image() { if (handle) GdipDisposeImage(handle); }
};

}  // namespace

namespace talvik::skingen {

void EnsureGdiPlus() {
  static bool started = false;
  if (started) return;
  ULONG_PTR token = 0;
  GpStartupInput input{1, nullptr, FALSE, FALSE};
  if (GdiplusStartup(&token, &input, nullptr) != 0) throw Exception(L"GDI+ could not be started");
  started = true;
}

std::vector<uint8_t> EncodePng(const Pixels& pixels) {
  EnsureGdiPlus();
  static const CLSID encoder = PngEncoder();
  std::vector<uint8_t> bgra(pixels.rgba.size());
  for (size_t i = 0; i < bgra.size(); i += 4) {
    bgra[i] = pixels.rgba[i + 2];
    bgra[i + 1] = pixels.rgba[i + 1];
    bgra[i + 2] = pixels.rgba[i];
    bgra[i + 3] = pixels.rgba[i + 3];
  }
  Image bitmap;
  if (GdipCreateBitmapFromScan0(pixels.width, pixels.height, pixels.width * 4, kFormat32bppARGB, bgra.data(),
                                &bitmap.handle) != 0)
    throw Exception(L"GDI+ could not make a bitmap");
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) throw Exception(L"No memory stream");
  int status = GdipSaveImageToStream(bitmap.handle, stream, &encoder, nullptr);
  std::vector<uint8_t> out;
  if (status == 0) {
    HGLOBAL global = nullptr;
    GetHGlobalFromStream(stream, &global);
    ULARGE_INTEGER end{};
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_END, &end);
    auto* data = static_cast<const uint8_t*>(GlobalLock(global));
    out.assign(data, data + end.QuadPart);
    GlobalUnlock(global);
  }
  stream->Release();
  if (status != 0) throw Exception(L"GDI+ could not encode a PNG picture");
  return out;
}

Pixels DecodePng(const uint8_t* data, size_t size) {
  EnsureGdiPlus();
  HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
  if (!global) throw Exception(L"Out of memory");
  std::memcpy(GlobalLock(global), data, size);
  GlobalUnlock(global);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(global, TRUE, &stream))) {
    GlobalFree(global);
    throw Exception(L"No memory stream");
  }
  Image bitmap;
  int status = GdipCreateBitmapFromStream(stream, &bitmap.handle);
  Pixels out;
  if (status == 0) {
    UINT w = 0, h = 0;
    GdipGetImageWidth(bitmap.handle, &w);
    GdipGetImageHeight(bitmap.handle, &h);
    out.width = static_cast<int>(w);
    out.height = static_cast<int>(h);
    out.rgba.assign(static_cast<size_t>(w) * h * 4, 0);
    GpRectI rect{0, 0, static_cast<INT>(w), static_cast<INT>(h)};
    GpBitmapData bits{};
    if (GdipBitmapLockBits(bitmap.handle, &rect, 1, kFormat32bppARGB, &bits) == 0) {
      for (UINT y = 0; y < h; ++y) {
        auto* row = static_cast<const uint8_t*>(bits.scan0) + static_cast<ptrdiff_t>(y) * bits.stride;
        for (UINT x = 0; x < w; ++x) {
          uint8_t* p = out.At(x, y);
          p[0] = row[x * 4 + 2];
          p[1] = row[x * 4 + 1];
          p[2] = row[x * 4];
          p[3] = row[x * 4 + 3];
        }
      }
      GdipBitmapUnlockBits(bitmap.handle, &bits);
    } else status = -1;
  }
  if (bitmap.handle) { GdipDisposeImage(bitmap.handle); bitmap.handle = nullptr; }
  stream->Release();
  if (status != 0) throw Exception(L"GDI+ could not decode a PNG picture");
  return out;
}

}  // namespace talvik::skingen
