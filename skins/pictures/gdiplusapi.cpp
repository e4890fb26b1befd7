#include "skins/pictures/gdiplusapi.h"
#include "framework/system_libraries.h"

#include <cstring>
#include <cwctype>
#include <vector>

namespace talvik {

TdxGdiPlusApi GdiPlus{};
CLSID PngEncoderClsid{};

namespace {

bool Available = false;
HMODULE Library = nullptr;
const wchar_t* LibraryName = L"gdiplus.dll";
ULONG_PTR Token = 0;
// The hook hands out its own token for the unhook; the start-up token stays for the shut-down.
ULONG_PTR HookToken = 0;
GdiplusStartupOutput StartupOutput{};

template <class F>
bool Bind(F& AFunction, const char* AName) {
  AFunction = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(Library, AName)));
  return AFunction != nullptr;
}

bool BindAll() {
  TdxGdiPlusApi& g = GdiPlus;
  return Bind(g.GdiplusStartup, "GdiplusStartup") && Bind(g.GdiplusShutdown, "GdiplusShutdown") &&
         Bind(g.GdipAlloc, "GdipAlloc") && Bind(g.GdipFree, "GdipFree") &&
         Bind(g.GdipCreateBitmapFromScan0, "GdipCreateBitmapFromScan0") &&
         Bind(g.GdipCreateBitmapFromStream, "GdipCreateBitmapFromStream") &&
         Bind(g.GdipCloneImage, "GdipCloneImage") && Bind(g.GdipDisposeImage, "GdipDisposeImage") &&
         Bind(g.GdipGetImageWidth, "GdipGetImageWidth") && Bind(g.GdipGetImageHeight, "GdipGetImageHeight") &&
         Bind(g.GdipGetImageDimension, "GdipGetImageDimension") &&
         Bind(g.GdipGetImageEncodersSize, "GdipGetImageEncodersSize") &&
         Bind(g.GdipGetImageEncoders, "GdipGetImageEncoders") &&
         Bind(g.GdipSaveImageToStream, "GdipSaveImageToStream") &&
         Bind(g.GdipCreateHBITMAPFromBitmap, "GdipCreateHBITMAPFromBitmap") &&
         Bind(g.GdipCreateFromHDC, "GdipCreateFromHDC") && Bind(g.GdipDeleteGraphics, "GdipDeleteGraphics") &&
         Bind(g.GdipGetImageGraphicsContext, "GdipGetImageGraphicsContext") &&
         Bind(g.GdipDrawImageRectRectI, "GdipDrawImageRectRectI") &&
         Bind(g.GdipDrawImageRectRect, "GdipDrawImageRectRect") &&
         Bind(g.GdipDrawImageRectI, "GdipDrawImageRectI") && Bind(g.GdipIsVisibleRectI, "GdipIsVisibleRectI") &&
         Bind(g.GdipGetInterpolationMode, "GdipGetInterpolationMode") &&
         Bind(g.GdipSetInterpolationMode, "GdipSetInterpolationMode") && Bind(g.GdipGetDC, "GdipGetDC") &&
         Bind(g.GdipReleaseDC, "GdipReleaseDC") && Bind(g.GdipCreateSolidFill, "GdipCreateSolidFill") &&
         Bind(g.GdipSetSolidFillColor, "GdipSetSolidFillColor") && Bind(g.GdipDeleteBrush, "GdipDeleteBrush") &&
         Bind(g.GdipCreateLineBrushFromRectI, "GdipCreateLineBrushFromRectI") &&
         Bind(g.GdipFillRectangleI, "GdipFillRectangleI") &&
         Bind(g.GdipResetWorldTransform, "GdipResetWorldTransform") &&
         Bind(g.GdipTranslateWorldTransform, "GdipTranslateWorldTransform") &&
         Bind(g.GdipGetVisibleClipBoundsI, "GdipGetVisibleClipBoundsI");
}

}  // namespace

bool GdiPlusLoaded() { return Available; }

void UseGdiPlusLibrary(const wchar_t* AName) { LibraryName = AName; }

bool GdiPlusAvailable() {
  if (Available) return true;
  if (!Library) {
    UINT oldMode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    Library = LoadSystemLibrary(LibraryName);
    SetErrorMode(oldMode);
    if (!Library) return false;
  }
  if (!BindAll()) return false;
  GdiplusStartupInput input;
  StartupOutput = {};
  if (GdiPlus.GdiplusStartup(&Token, &input, &StartupOutput) != Ok) {
    StartupOutput = {};
    return false;
  }
  // With the background thread suppressed, the caller runs GDI+'s hook; Wine may not supply one.
  Available = !StartupOutput.NotificationHook || StartupOutput.NotificationHook(&HookToken) == Ok;
  if (!Available) {
    // Started but unusable: shut it down again rather than leave it running.
    GdiPlus.GdiplusShutdown(Token);
    StartupOutput = {};
  }
  return Available;
}

void UnloadGdiPlus() {
  if (Available) {
    if (StartupOutput.NotificationUnhook) StartupOutput.NotificationUnhook(HookToken);
    GdiPlus.GdiplusShutdown(Token);
  }
  if (Library) FreeLibrary(Library);
  Library = nullptr;
  Available = false;
  StartupOutput = {};
  PngEncoderClsid = CLSID{};
}

void CheckPngCodec() {
  uint64_t head;
  std::memcpy(&head, &PngEncoderClsid, sizeof head);
  if (head != 0 || !GdiPlusAvailable()) return;
  UINT count = 0, size = 0;
  if (GdiPlus.GdipGetImageEncodersSize(&count, &size) != Ok || count == 0 || size < count * sizeof(ImageCodecInfo))
    return;
  std::vector<uint8_t> buffer(size);
  auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
  if (GdiPlus.GdipGetImageEncoders(count, size, codecs) != Ok) return;
  for (UINT i = 0; i < count; ++i) {
    if (codecs[i].MimeType && _wcsicmp(codecs[i].MimeType, L"image/png") == 0) {
      PngEncoderClsid = codecs[i].Clsid;
      return;
    }
  }
}

ARGB dxColorToARGB(TColor AColor, uint8_t AAlpha) {
  if (AColor == clNone) return 0;
  COLORREF c = ColorToRGB(AColor);
  return (ARGB(AAlpha) << 24) | (ARGB(GetRValue(c)) << 16) | (ARGB(GetGValue(c)) << 8) | GetBValue(c);
}

}  // namespace talvik
