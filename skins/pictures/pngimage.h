// PNG pictures over GDI+: the thin GDI+ bitmap wrapper and the picture class
// that skins keep for every element image and glyph.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/graphics.h"
#include "skins/pictures/gdiplusapi.h"

namespace talvik {

using TdxRGBColors = std::vector<RGBQUAD>;

// The byte length of the well-formed PNG file that AData begins with (signature,
// IHDR first, every chunk whole with its CRC right, up to and including IEND), or
// 0 when it is not one. Bytes after IEND are not part of it.
size_t PngFileLength(const uint8_t* AData, size_t ASize);

// Instances live in GDI+'s own heap while GDI+ is loaded.
class TdxGPBase {
public:
  virtual ~TdxGPBase() = default;
  static void* operator new(size_t Size);
  static void operator delete(void* P);
};

class TdxGPImage : public TdxGPBase {
public:
  TdxGPImage() = default;
  ~TdxGPImage() override;
  TdxGPImage(const TdxGPImage&) = delete;
  TdxGPImage& operator=(const TdxGPImage&) = delete;

  // Decoded on first need: a skin holds hundreds of pictures and draws a few dozen.
  GpImage* Handle() const;
  int Width() const;
  int Height() const;
  const TdxRGBColors& Bits() const { return FBits; }

  // An independent copy of the same class.
  TdxGPImage* Clone() const;
  void Draw(HDC DC, const RECT& R) const;
  // Always PNG.
  void SaveToStream(TStream& AStream) const;
  // Blends AOverlay over this image; both need their own pixels and equal sizes.
  TdxGPImage* MakeComposition(const TdxGPImage* AOverlay, uint8_t AAlpha) const;
  // Top-down 32-bit pixels (blue, green, red, alpha) of a bitmap.
  static TdxRGBColors GetBitmapBits(TBitmap* ABitmap);

protected:
  friend struct TdxGPImageFactory;
  void InitFromPattern(int AWidth, int AHeight, const TdxRGBColors& ABits, bool AHasAlphaChannel);
  void InitFromBitmap(TBitmap* ABitmap);
  void InitFromStream(TStream& AStream);
  virtual void DecodeStream(TStream& AStream);

  TdxRGBColors FBits;
  mutable GpImage* FHandle = nullptr;
  // The encoded bytes, checked but not yet decoded while FDecodePending, and read by
  // GDI+ afterwards too; the stream owns its memory block.
  mutable IStream* FDataStream = nullptr;
  mutable bool FDecodePending = false;

private:
  void Decode() const;
};

// Made with the ordinary allocator, so that images exist even without GDI+.
class TdxGPNullImage : public TdxGPImage {
public:
  static void* operator new(size_t Size) { return ::operator new(Size); }
  static void operator delete(void* P) { ::operator delete(P); }
};

// The class reference through which every wrapper is made.
struct TdxGPImageFactory {
  TdxGPImage* (*CreateEmpty)();
  TdxGPImage* (*CreateFromPattern)(int AWidth, int AHeight, const TdxRGBColors& ABits, bool AHasAlphaChannel);
  TdxGPImage* (*CreateFromBitmap)(TBitmap* ABitmap);
  TdxGPImage* (*CreateFromStream)(TStream& AStream);
};
extern const TdxGPImageFactory* GPImageClass;
extern const TdxGPImageFactory GPImageClassGdiPlus;
extern const TdxGPImageFactory GPImageClassNull;

class TdxPNGImage : public TGraphic {
public:
  TALVIK_CLASS_NAME(TdxPNGImage)
  TdxPNGImage() = default;
  ~TdxPNGImage() override;

  TdxGPImage* Handle() const { return FHandle; }
  // Takes ownership of Value; no change notification.
  void SetHandle(TdxGPImage* Value);
  bool IsAlphaUsed();

  void Assign(TPersistent* Source) override;
  void Changed(TObject* Sender) override;
  void Draw(TCanvas& ACanvas, const RECT& Rect) override;
  bool Empty() override;
  int Height() override;
  int Width() override;
  bool Transparent() override { return true; }
  void SetHeight(int) override {}
  void SetWidth(int) override {}
  void LoadFromStream(TStream& Stream) override;
  void SaveToStream(TStream& Stream) override;
  // CF_DIB data.
  void LoadFromClipboardFormat(UINT AFormat, HANDLE AData, HPALETTE APalette) override;
  void SaveToClipboardFormat(UINT& AFormat, HANDLE& AData, HPALETTE& APalette) override;

  // Same size and, unless both are empty, the same bytes in every pixel.
  bool Compare(TdxPNGImage* AImage);
  // A new 32-bit bitmap the caller frees.
  TBitmap* GetAsBitmap();
  void SetBitmap(TBitmap* ABitmap);
  static TdxGPImage* CreateFromBitmap(TBitmap* ASource);
  void StretchDraw(HDC DC, const RECT& ADest);
  void StretchDraw(HDC DC, const RECT& ADest, const RECT& ASource);
  void DrawEx(GpGraphics* Graphics, const RECT& ADest, const RECT& ASource);
  void StretchDrawEx(GpGraphics* Graphics, const RECT& ADest, const RECT& ASource);
  // StretchDrawEx without its visibility test, which costs more than many a drawing.
  void StretchDrawVisible(GpGraphics* Graphics, const RECT& ADest, const RECT& ASource);

protected:
  void AssignTo(TPersistent* Dest) override;

private:
  TdxGPImage* FHandle = nullptr;
  bool FIsAlphaUsed = false;
  bool FIsAlphaUsedAssigned = false;
};

// The GDI+ and picture modules' start-up and shut-down, run through the units loader.
void dxGdiPlusUnitInitialize();
void dxGdiPlusUnitFinalize();
void dxPNGImageUnitInitialize();
void dxPNGImageUnitFinalize();

}  // namespace talvik
