// A bitmap with its own TcxCanvas, batched change notifications and an
// optional compressed stored form ("XDBM").
#pragma once
#include <memory>

#include "framework/graphics.h"
#include "graphics/canvas.h"

namespace talvik {

class TcxBitmap : public TBitmap {
public:
  TALVIK_CLASS_NAME(TcxBitmap)
  TcxBitmap() : TcxBitmap(0, 0, pf24bit) {}
  TcxBitmap(int AWidth, int AHeight) : TcxBitmap(AWidth, AHeight, pf24bit) {}
  explicit TcxBitmap(const RECT& ARect, TPixelFormat APixelFormat = pf24bit)
      : TcxBitmap(RectWidth(ARect), RectHeight(ARect), APixelFormat) {}
  TcxBitmap(int AWidth, int AHeight, TPixelFormat APixelFormat);
  ~TcxBitmap() override;

  TcxCanvas* cxCanvas() const { return FcxCanvas.get(); }
  RECT ClientRect() { return RECT{0, 0, Width(), Height()}; }
  bool CompressData() const { return FCompressData; }
  void SetCompressData(bool Value) { FCompressData = Value; }

  void BeginUpdate() { ++FLockCount; }
  void CancelUpdate() { if (FLockCount > 0) --FLockCount; }
  void EndUpdate(bool AForceUpdate = true);
  int LockCount() const { return FLockCount; }

  // Negative sizes count as 0; an unchanged size changes nothing.
  void SetSize(int AWidth, int AHeight) override;
  void SetSize(const RECT& R) { SetSize(RectWidth(R), RectHeight(R)); }
  void SetWidth(int Value) override { SetSize(Value, Height()); }
  void SetHeight(int Value) override { SetSize(Width(), Value); }

  void CopyBitmap(TBitmap* ABitmap, DWORD ACopyMode = SRCCOPY);
  void CopyBitmap(TBitmap* ABitmap, const RECT& ADestRect, POINT ASrcTopLeft, DWORD ACopyMode = SRCCOPY);
  void Rotate(TcxRotationAngle ARotationAngle, bool AFlipVertically = false);

  // While locked only remembers that something changed.
  void Changed(TObject* Sender) override;

  // The stored form: the platform's (a 32-bit length, then the bitmap file)
  // or, with CompressData, the compressed one. Reading takes either.
  virtual void WriteData(TStream& Stream);
  virtual void ReadData(TStream& Stream);

protected:
  // Called after every notified change.
  virtual void CheckAfterChange() {}

private:
  bool FCompressData = false;
  std::unique_ptr<TcxCanvas> FcxCanvas;
  int FLockCount = 0;
  bool FModified = false;
};

// The run-length coding of the compressed stored form, exposed for its tests.
// Encode produces everything after the 10-byte header (k, r, raw bytes, runs).
std::vector<uint8_t> cxCompressBitmapData(const std::vector<uint8_t>& Data, int BlockSize);
// Decodes the part after the header for version 1 or 2; damaged data, or data
// that would decode to more than AMaxSize bytes, fails with EInvalidGraphic.
std::vector<uint8_t> cxDecompressBitmapData(const uint8_t* Data, size_t Size, int Version,
                                            size_t AMaxSize = size_t(512) << 20);

}  // namespace talvik
