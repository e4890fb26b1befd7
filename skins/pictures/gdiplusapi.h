// GDI+ reached through its flat functions, loaded at run time so that the
// program still runs (without skins) where gdiplus.dll is missing.
#pragma once
#include <windows.h>
#include <objidl.h>

#include <cstdint>

#include "framework/graphics.h"

namespace talvik {

using GpStatus = int;
using ARGB = uint32_t;
struct GpImage;
struct GpGraphics;
struct GpBrush;
struct GpImageAttributes;
using GpBitmap = GpImage;
using GpSolidFill = GpBrush;
using GpLineGradient = GpBrush;

constexpr GpStatus Ok = 0;
constexpr int PixelFormat32bppPARGB = 0xE200B;
constexpr int UnitPixel = 2;
constexpr int InterpolationModeNearestNeighbor = 5;
constexpr int MatrixOrderPrepend = 0;

struct GdiplusStartupInput {
  UINT32 GdiplusVersion = 1;
  void* DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = TRUE;
  BOOL SuppressExternalCodecs = FALSE;
};

using NotificationHookProc = GpStatus(WINAPI*)(ULONG_PTR* token);
using NotificationUnhookProc = void(WINAPI*)(ULONG_PTR token);

struct GdiplusStartupOutput {
  NotificationHookProc NotificationHook = nullptr;
  NotificationUnhookProc NotificationUnhook = nullptr;
};

struct ImageCodecInfo {
  CLSID Clsid;
  GUID FormatID;
  const WCHAR* CodecName;
  const WCHAR* DllName;
  const WCHAR* FormatDescription;
  const WCHAR* FilenameExtension;
  const WCHAR* MimeType;
  DWORD Flags, Version, SigCount, SigSize;
  const BYTE* SigPattern;
  const BYTE* SigMask;
};

struct GpRect { INT X, Y, Width, Height; };

// The flat functions; valid only while GdiPlusAvailable() is true.
struct TdxGdiPlusApi {
  GpStatus(WINAPI* GdiplusStartup)(ULONG_PTR*, const GdiplusStartupInput*, GdiplusStartupOutput*);
  void(WINAPI* GdiplusShutdown)(ULONG_PTR);
  void*(WINAPI* GdipAlloc)(size_t);
  void(WINAPI* GdipFree)(void*);
  GpStatus(WINAPI* GdipCreateBitmapFromScan0)(INT, INT, INT, INT, BYTE*, GpBitmap**);
  GpStatus(WINAPI* GdipCreateBitmapFromStream)(IStream*, GpBitmap**);
  GpStatus(WINAPI* GdipCloneImage)(GpImage*, GpImage**);
  GpStatus(WINAPI* GdipDisposeImage)(GpImage*);
  GpStatus(WINAPI* GdipGetImageWidth)(GpImage*, UINT*);
  GpStatus(WINAPI* GdipGetImageHeight)(GpImage*, UINT*);
  GpStatus(WINAPI* GdipGetImageDimension)(GpImage*, float*, float*);
  GpStatus(WINAPI* GdipGetImageEncodersSize)(UINT*, UINT*);
  GpStatus(WINAPI* GdipGetImageEncoders)(UINT, UINT, ImageCodecInfo*);
  GpStatus(WINAPI* GdipSaveImageToStream)(GpImage*, IStream*, const CLSID*, const void*);
  GpStatus(WINAPI* GdipCreateHBITMAPFromBitmap)(GpBitmap*, HBITMAP*, ARGB);
  GpStatus(WINAPI* GdipCreateFromHDC)(HDC, GpGraphics**);
  GpStatus(WINAPI* GdipDeleteGraphics)(GpGraphics*);
  GpStatus(WINAPI* GdipGetImageGraphicsContext)(GpImage*, GpGraphics**);
  GpStatus(WINAPI* GdipDrawImageRectRectI)(GpGraphics*, GpImage*, INT, INT, INT, INT, INT, INT, INT, INT, int,
                                          const GpImageAttributes*, void*, void*);
  GpStatus(WINAPI* GdipDrawImageRectRect)(GpGraphics*, GpImage*, float, float, float, float, float, float, float,
                                         float, int, const GpImageAttributes*, void*, void*);
  GpStatus(WINAPI* GdipDrawImageRectI)(GpGraphics*, GpImage*, INT, INT, INT, INT);
  GpStatus(WINAPI* GdipIsVisibleRectI)(GpGraphics*, INT, INT, INT, INT, BOOL*);
  GpStatus(WINAPI* GdipGetInterpolationMode)(GpGraphics*, int*);
  GpStatus(WINAPI* GdipSetInterpolationMode)(GpGraphics*, int);
  GpStatus(WINAPI* GdipGetDC)(GpGraphics*, HDC*);
  GpStatus(WINAPI* GdipReleaseDC)(GpGraphics*, HDC);
  GpStatus(WINAPI* GdipCreateSolidFill)(ARGB, GpSolidFill**);
  GpStatus(WINAPI* GdipSetSolidFillColor)(GpSolidFill*, ARGB);
  GpStatus(WINAPI* GdipDeleteBrush)(GpBrush*);
  GpStatus(WINAPI* GdipCreateLineBrushFromRectI)(const GpRect*, ARGB, ARGB, int, int, GpLineGradient**);
  GpStatus(WINAPI* GdipFillRectangleI)(GpGraphics*, GpBrush*, INT, INT, INT, INT);
  GpStatus(WINAPI* GdipResetWorldTransform)(GpGraphics*);
  GpStatus(WINAPI* GdipTranslateWorldTransform)(GpGraphics*, float, float, int);
  GpStatus(WINAPI* GdipGetVisibleClipBoundsI)(GpGraphics*, GpRect*);
};

extern TdxGdiPlusApi GdiPlus;

// Loads and starts GDI+ on first need; false (and retried next time) when that fails.
bool GdiPlusAvailable();
// The system DLL that GDI+ is loaded from; before the first GdiPlusAvailable()
// only. Tests name a missing one to run as on a system without GDI+.
void UseGdiPlusLibrary(const wchar_t* AName);
// Whether GDI+ is up now, without trying to load it.
bool GdiPlusLoaded();
void UnloadGdiPlus();

// The PNG encoder's class identifier, all zeros until found.
extern CLSID PngEncoderClsid;
void CheckPngCodec();

// A colour as GDI+ wants it; system colours are resolved, clNone is fully transparent.
ARGB dxColorToARGB(TColor AColor, uint8_t AAlpha = 255);

}  // namespace talvik
