// GDI objects of the framework: colours, font, brush, pen, canvas, and the
// picture types (graphic base, bitmap) with the registry of picture formats.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "framework/classes.h"
#include "framework/streams.h"

namespace talvik {

// Red in the low byte; special values below.
using TColor = int32_t;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000);
constexpr TColor clBlack = 0x000000, clWhite = 0xFFFFFF, clRed = 0x0000FF, clLime = 0x00FF00, clBlue = 0xFF0000;
constexpr TColor clScrollBar = clSystemColor | COLOR_SCROLLBAR;
constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clHighlight = clSystemColor | COLOR_HIGHLIGHT;
constexpr TColor clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;
constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
constexpr TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
constexpr TColor clGrayText = clSystemColor | COLOR_GRAYTEXT;
constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
constexpr TColor clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;
constexpr TColor cl3DDkShadow = clSystemColor | COLOR_3DDKSHADOW;
constexpr TColor cl3DLight = clSystemColor | COLOR_3DLIGHT;
constexpr TColor clInfoBk = clSystemColor | COLOR_INFOBK;

// A system colour becomes its current value; others keep their RGB bytes.
COLORREF ColorToRGB(TColor Color);
inline bool IsSystemColor(TColor Color) { return (static_cast<uint32_t>(Color) & 0xFF000000u) == 0xFF000000u; }

// Base of font, brush and pen: a lazily created GDI handle and a change event.
class TGraphicsObject : public TPersistent {
public:
  TNotifyEvent OnChange;

protected:
  void Changed();
};

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

class TFont : public TGraphicsObject {
public:
  TALVIK_CLASS_NAME(TFont)
  TFont();
  ~TFont() override;
  void Assign(TPersistent* Source) override;

  const std::wstring& Name() const { return FName; }
  void SetName(const std::wstring& Value);
  // Negative: character height in pixels; positive: cell height.
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  // Points at the screen's pixels per inch.
  int Size() const;
  void SetSize(int Points);
  unsigned Style() const { return FStyle; }
  void SetStyle(unsigned Value);
  BYTE Charset() const { return FCharset; }
  void SetCharset(BYTE Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  int Orientation() const { return FOrientation; }
  void SetOrientation(int Value);
  // The font mapper's output precision (OUT_TT_ONLY_PRECIS keeps rotated text in outline fonts).
  BYTE OutPrecision() const { return FOutPrecision; }
  void SetOutPrecision(BYTE Value);

  HFONT Handle();
  // Takes the description of an existing font (the handle itself is not kept).
  void SetHandle(HFONT Value);

private:
  void Release();
  std::wstring FName = L"Tahoma";
  int FHeight = -11;
  unsigned FStyle = 0;
  BYTE FCharset = DEFAULT_CHARSET;
  TColor FColor = clWindowText;
  int FOrientation = 0;
  BYTE FOutPrecision = OUT_DEFAULT_PRECIS;
  HFONT FHandle = nullptr;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBitmap;

class TBrush : public TGraphicsObject {
public:
  TALVIK_CLASS_NAME(TBrush)
  ~TBrush() override;
  void Assign(TPersistent* Source) override;
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle Value);
  // A pattern brush from this bitmap (not owned); nullptr returns to colour and style.
  TBitmap* Bitmap() const { return FBitmap; }
  void SetBitmap(TBitmap* Value);
  HBRUSH Handle();
  // Adopts the description of an existing brush (the handle itself is not kept).
  void SetHandle(HBRUSH Value);

private:
  void Release();
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  TBitmap* FBitmap = nullptr;
  HBRUSH FHandle = nullptr;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TGraphicsObject {
public:
  TALVIK_CLASS_NAME(TPen)
  ~TPen() override;
  void Assign(TPersistent* Source) override;
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  int Mode() const { return FMode; }  // raster operation, R2_COPYPEN by default
  void SetMode(int Value);
  HPEN Handle();
  void SetHandle(HPEN Value);

private:
  void Release();
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  int FMode = R2_COPYPEN;
  HPEN FHandle = nullptr;
};

class TGraphic;

// A device context with a font, brush and pen that are selected into it when drawing needs them.
class TCanvas : public TPersistent {
public:
  TALVIK_CLASS_NAME(TCanvas)
  TCanvas();
  ~TCanvas() override;

  // The device context, created on demand by CreateHandle in derived canvases.
  HDC Handle();
  // Wraps a device context it does not own; nullptr releases the current one.
  void SetHandle(HDC Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  TFont& Font() { return FFont; }
  TBrush& Brush() { return FBrush; }
  TPen& Pen() { return FPen; }
  DWORD CopyMode() const { return FCopyMode; }
  void SetCopyMode(DWORD Value) { FCopyMode = Value; }
  POINT PenPos();
  void SetPenPos(POINT Value) { MoveTo(Value.x, Value.y); }

  void FillRect(const RECT& R);
  void FrameRect(const RECT& R);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const RECT& R) { Rectangle(R.left, R.top, R.right, R.bottom); }
  void Polygon(const POINT* Points, int Count);
  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  void TextOut(int X, int Y, const std::wstring& Text);
  void TextRect(const RECT& R, int X, int Y, const std::wstring& Text);
  SIZE TextExtent(const std::wstring& Text);
  int TextWidth(const std::wstring& Text) { return TextExtent(Text).cx; }
  int TextHeight(const std::wstring& Text) { return TextExtent(Text).cy; }
  void Draw(int X, int Y, TGraphic* Graphic);
  void StretchDraw(const RECT& R, TGraphic* Graphic);
  void CopyRect(const RECT& Dest, TCanvas& Source, const RECT& SourceRect);
  TColor Pixel(int X, int Y);
  void SetPixel(int X, int Y, TColor Color);

  // Selects the current font, brush and pen into the device context now.
  void RequireAll();
  // Forgets which objects are selected, so that the next drawing selects them
  // again (after the device context's state was restored behind the canvas's back).
  void Refresh() { DeselectHandles(); }
  // Whether the current font, brush or pen is the one selected into the device context.
  bool FontSelected() const { return FFontSelected; }
  bool BrushSelected() const { return FBrushSelected; }
  bool PenSelected() const { return FPenSelected; }
  TNotifyEvent OnChange;

protected:
  virtual void CreateHandle() {}
  void DeselectHandles();
  void Changed();

private:
  void RequireFont();
  void RequireBrush();
  void RequirePen();
  HDC FHandle = nullptr;
  TFont FFont;
  TBrush FBrush;
  TPen FPen;
  DWORD FCopyMode = SRCCOPY;
  HGDIOBJ FSavedFont = nullptr, FSavedBrush = nullptr, FSavedPen = nullptr;
  bool FFontSelected = false, FBrushSelected = false, FPenSelected = false;
};

// The abstract picture: size, emptiness, drawing, streaming and a change event.
class TGraphic : public TPersistent {
public:
  virtual int Width() = 0;
  virtual int Height() = 0;
  virtual void SetWidth(int Value) = 0;
  virtual void SetHeight(int Value) = 0;
  virtual bool Empty() = 0;
  virtual bool Transparent() { return FTransparent; }
  virtual void SetTransparent(bool Value) { FTransparent = Value; }
  virtual void Draw(TCanvas& Canvas, const RECT& Rect) = 0;
  virtual void LoadFromStream(TStream& Stream) = 0;
  virtual void SaveToStream(TStream& Stream) = 0;
  virtual void LoadFromClipboardFormat(UINT Format, HANDLE Data, HPALETTE Palette);
  virtual void SaveToClipboardFormat(UINT& Format, HANDLE& Data, HPALETTE& Palette);
  void LoadFromFile(const std::wstring& FileName);
  void SaveToFile(const std::wstring& FileName);
  bool Modified() const { return FModified; }
  TNotifyEvent OnChange;
  virtual void Changed(TObject* Sender);

private:
  bool FTransparent = false;
  bool FModified = false;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

// A device-independent section bitmap with its own canvas (a memory DC).
class TBitmap : public TGraphic {
public:
  TALVIK_CLASS_NAME(TBitmap)
  TBitmap();
  TBitmap(int AWidth, int AHeight, TPixelFormat AFormat = pfDevice);
  ~TBitmap() override;
  void Assign(TPersistent* Source) override;

  int Width() override { return FWidth; }
  int Height() override { return FHeight; }
  void SetWidth(int Value) override { SetSize(Value, FHeight); }
  void SetHeight(int Value) override { SetSize(FWidth, Value); }
  // Virtual so that a subclass's size rules hold also through a TBitmap*.
  virtual void SetSize(int AWidth, int AHeight);
  bool Empty() override { return FWidth == 0 || FHeight == 0; }
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat Value);
  void Draw(TCanvas& Canvas, const RECT& Rect) override;
  // Device-independent bitmap file data ("BM").
  void LoadFromStream(TStream& Stream) override;
  void SaveToStream(TStream& Stream) override;

  HBITMAP Handle() const { return FHandle; }
  // Adopts a bitmap handle (owned from then on); its size and depth are read from it.
  void SetHandle(HBITMAP Value);
  // Gives up ownership of the handle.
  HBITMAP ReleaseHandle();
  // Pixel rows of a section bitmap, top row first; nullptr for pfDevice.
  void* ScanLine(int Row);
  TCanvas& Canvas();

private:
  class TBitmapCanvas;
  void Recreate(int AWidth, int AHeight, TPixelFormat AFormat);
  void FreeHandle();
  int FWidth = 0, FHeight = 0;
  TPixelFormat FPixelFormat = pfDevice;
  HBITMAP FHandle = nullptr;
  void* FBits = nullptr;
  int FStride = 0;
  TCanvas* FCanvas = nullptr;
};

// The registry of picture formats by file extension (without the dot, any case).
using TGraphicFactory = std::function<TGraphic*()>;
void RegisterFileFormat(const std::wstring& Extension, const std::wstring& Description, TGraphicFactory Factory);
void UnregisterFileFormat(const std::wstring& Extension);
std::wstring FileFormatDescription(const std::wstring& Extension);
// Loads a picture file with the class registered for its extension; unknown ones fail.
TGraphic* LoadGraphicFromFile(const std::wstring& FileName);

}  // namespace talvik
