// The drawing canvas shared by every painter: fills that understand the
// special colour values, tiling, one-sided frames, edges, clip-region
// arithmetic, save and restore stacks, and text with its own flag language.
// Also regions, the shared screen canvas and free device-context routines.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/graphics.h"
#include "graphics/geometry.h"

namespace talvik {

enum TcxRegionOperation { roSet, roAdd, roSubtract, roIntersect };
enum TcxRotationAngle { ra0, raPlus90, raMinus90, ra180 };
enum TcxAlignmentVert { vaTop, vaBottom, vaCenter };

// Text flags of the canvas, translated into DrawText formats when drawing.
enum : int {
  cxAlignLeft = 0x1, cxAlignRight = 0x2, cxAlignHCenter = 0x4,
  cxAlignTop = 0x8, cxAlignBottom = 0x10, cxAlignVCenter = 0x20,
  cxSingleLine = 0x40, cxDontClip = 0x80, cxExpandTabs = 0x100, cxShowPrefix = 0x200,
  cxWordBreak = 0x400, cxShowEndEllipsis = 0x800, cxDontPrint = 0x1000, cxShowPathEllipsis = 0x2000,
  cxDontBreakChars = 0x4000, cxNoFullWidthCharBreak = 0x8000,
  cxAlignHorzMask = 0x7, cxAlignVertMask = 0x38,
};
UINT cxFlagsToDTFlags(int Flags);

struct TcxViewParams {
  TBitmap* Bitmap = nullptr;
  TColor Color = clDefault;
  TFont* Font = nullptr;
  TColor TextColor = clDefault;
};

// Owns a system region handle.
class TcxRegion {
public:
  explicit TcxRegion(HRGN AHandle) : FHandle(AHandle) {}
  explicit TcxRegion(const RECT& ABounds);
  TcxRegion(int ALeft, int ATop, int ARight, int ABottom);
  TcxRegion();
  ~TcxRegion();
  TcxRegion(const TcxRegion&) = delete;
  TcxRegion& operator=(const TcxRegion&) = delete;
  static TcxRegion* CreateRoundCorners(const RECT& ABounds, int AWidthEllepse, int AHeightEllepse);
  static TcxRegion* CreateRoundCorners(int ALeft, int ATop, int ARight, int ABottom, int AWidthEllepse, int AHeightEllepse);

  HRGN Handle() const { return FHandle; }
  // Takes ownership of the new handle, deleting the old one.
  void SetHandle(HRGN Value);
  RECT BoundsRect() const;
  bool IsEmpty() const;

  // ARegion is freed afterwards when ADestroyRegion.
  void Combine(TcxRegion* ARegion, TcxRegionOperation AOperation, bool ADestroyRegion = true);
  void Combine(HRGN ARegion, TcxRegionOperation AOperation, bool ADestroyRegion = true);
  bool IsEqual(const TcxRegion* ARegion) const;
  bool IsEqual(HRGN ARegionHandle) const;
  void Offset(POINT P) { Offset(P.x, P.y); }
  void Offset(int DX, int DY);
  bool PtInRegion(POINT Pt) const { return PtInRegion(Pt.x, Pt.y); }
  bool PtInRegion(int X, int Y) const;
  bool RectInRegion(const RECT& R) const;
  bool RectInRegion(int ALeft, int ATop, int ARight, int ABottom) const { return RectInRegion(RECT{ALeft, ATop, ARight, ABottom}); }

private:
  HRGN FHandle;
};

struct TcxDCState {
  HDC Handle;
  int State;
};

struct TcxCanvasState {
  std::unique_ptr<TFont> Font;
  std::unique_ptr<TBrush> Brush;
  std::unique_ptr<TPen> Pen;
};

class TcxCanvas : public TObject {
public:
  explicit TcxCanvas(TCanvas* ACanvas);
  ~TcxCanvas() override;

  TCanvas* Canvas() const { return FCanvas; }
  void SetCanvas(TCanvas* Value) { FCanvas = Value; }
  TBrush& Brush() { return FCanvas->Brush(); }
  TFont& Font() { return FCanvas->Font(); }
  TPen& Pen() { return FCanvas->Pen(); }
  void SetBrush(TBrush* Value) { FCanvas->Brush().Assign(Value); }
  void SetFont(TFont* Value) { FCanvas->Font().Assign(Value); }
  void SetPen(TPen* Value) { FCanvas->Pen().Assign(Value); }
  DWORD CopyMode() const { return FCanvas->CopyMode(); }
  void SetCopyMode(DWORD Value) { FCanvas->SetCopyMode(Value); }
  HDC Handle() { return FCanvas->Handle(); }
  POINT ViewportOrg();
  void SetViewportOrg(POINT P);
  POINT WindowOrg();
  void SetWindowOrg(POINT P);
  // Viewport origin minus window origin.
  POINT DCOrigin();

  // Fills.
  void FillRect(const RECT& R, TColor AColor);
  void FillRect(const RECT& R, TBitmap* ABitmap = nullptr, bool AExcludeRect = false);
  void FillRect(const RECT& R, const TcxViewParams& AParams, TcxBorders ABorders = 0, TColor ABorderColor = clDefault,
                int ALineWidth = 1, bool AExcludeRect = false);
  void FrameRect(const RECT& R, TColor Color = clDefault, int ALineWidth = 1, TcxBorders ABorders = cxBordersAll,
                 bool AExcludeFrame = false);
  void DrawComplexFrame(const RECT& R, TColor ALeftTopColor, TColor ARightBottomColor, TcxBorders ABorders = cxBordersAll,
                        int ABorderWidth = 1);
  void DrawEdge(const RECT& R, bool ASunken, bool AOuter, TcxBorders ABorders = cxBordersAll);
  void DrawFocusRect(const RECT& R);
  void DrawDesignSelection(const RECT& ARect, int AWidth);
  void InvertRect(const RECT& R);
  void InvertFrame(const RECT& R, int ABorderSize);
  void FillRegion(TcxRegion* ARegion, TColor AColor);
  void FillRegion(HRGN ARegion, TColor AColor);
  void FrameRegion(TcxRegion* ARegion, TColor AColor, int ABorderWidth = 1, int ABorderHeight = 1);
  void FrameRegion(HRGN ARegion, TColor AColor, int ABorderWidth = 1, int ABorderHeight = 1);
  void DrawRegion(TcxRegion* ARegion, TColor AContentColor, TColor ABorderColor, int ABorderWidth = 1, int ABorderHeight = 1);
  void DrawRegion(HRGN ARegion, TColor AContentColor, TColor ABorderColor, int ABorderWidth = 1, int ABorderHeight = 1);
  // Touches the brush only when the colour changes: each change makes a new system brush.
  void SetBrushColor(TColor Value);
  void GetParams(TcxViewParams& AParams);
  void SetParams(const TcxViewParams& AParams);
  void SetFontAngle(int Value);

  void CopyRect(const RECT& Dest, TCanvas& ACanvas, const RECT& Source) { FCanvas->CopyRect(Dest, ACanvas, Source); }
  void Draw(int X, int Y, TGraphic* Graphic) { FCanvas->Draw(X, Y, Graphic); }
  void LineTo(int X, int Y) { FCanvas->LineTo(X, Y); }
  void MoveTo(int X, int Y) { FCanvas->MoveTo(X, Y); }
  void Polygon(const std::vector<POINT>& Points);
  void Polyline(const std::vector<POINT>& Points);
  void Pie(const RECT& R, POINT ARadial1, POINT ARadial2);
  // Angles in degrees, counter-clockwise from the right.
  void Pie(const RECT& R, int AStartAngle, int ASweepAngle);
  void SetPixelColor(int X, int Y, TColor AColor) { FCanvas->SetPixel(X, Y, AColor); }

  // Text.
  void DrawTexT(const std::wstring& Text, RECT R, int Flags, bool Enabled = true);
  void DrawTexT(const std::wstring& Text, const RECT& R, TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                bool AMultiLine, bool AShowEndEllipsis);
  SIZE TextExtent(const std::wstring& Text);
  // Measures into R, placed inside R's original size as the flags align it.
  void TextExtent(const std::wstring& Text, RECT& R, int Flags);
  int TextWidth(const std::wstring& Text) { return TextExtent(Text).cx; }
  int TextHeight(const std::wstring& Text) { return TextExtent(Text).cy; }
  int FontHeight(TFont* AFont);
  void AlignMultiLineTextRectVertically(RECT& R, const std::wstring& AText, TcxAlignmentVert AAlignmentVert,
                                        bool AWordBreak, bool AShowPrefix, bool AEnabled = true,
                                        bool ADontBreakChars = false, bool AEndEllipsis = false);
  void GetTextStringsBounds(std::wstring Text, const RECT& R, int Flags, bool Enabled, std::vector<RECT>& ABounds);

  // Bitmaps.
  void RotateBitmap(TBitmap* ABitmap, TcxRotationAngle ARotationAngle, bool AFlipVertically = false);
  void FlipHorizontally(TBitmap* ABitmap);
  void DrawGlyph(int X, int Y, TBitmap* AGlyph, bool AEnabled = true, TColor ABackgroundColor = clNone);
  void TransparentDraw(int X, int Y, TBitmap* ABitmap, BYTE AAlpha, TBitmap* ABackground = nullptr);
  // Nothing for an index outside the list.
  void DrawImage(HIMAGELIST Images, int X, int Y, int Index, bool Enabled = true);

  // Stacks; restoring from an empty stack does nothing.
  void SaveDC();
  void RestoreDC();
  void SaveState();
  void RestoreState();
  void SaveClipRegion();
  void RestoreClipRegion();

  // Clipping. The returned region belongs to the caller.
  TcxRegion* GetClipRegion(bool AConsiderOrigin = true);
  void SetClipRegion(TcxRegion* ARegion, TcxRegionOperation AOperation, bool ADestroyRegion = true,
                     bool AConsiderOrigin = true);
  void ExcludeClipRect(const RECT& R);
  void IntersectClipRect(const RECT& R);
  bool RectVisible(const RECT& R);
  bool RectFullyVisible(const RECT& R);

  void BeginPath();
  void EndPath();
  void WidenPath();
  TcxRegion* PathToRegion();

  size_t SavedDCCount() const { return FSavedDCs.size(); }
  size_t SavedStateCount() const { return FSavedStates.size(); }
  size_t SavedRegionCount() const { return FSavedRegions.size(); }

private:
  void SyncCanvasWithDC();
  // AShapeDC holds a one-bit picture whose 1 bits are the shape.
  void DrawDisabledShape(int X, int Y, int W, int H, HDC AShapeDC, TColor ABackgroundColor);
  void DrawTextOnce(const std::wstring& Text, const RECT& R, int Flags, bool ByDrawText);
  TCanvas* FCanvas;
  std::vector<TcxDCState> FSavedDCs;
  std::vector<std::unique_ptr<TcxRegion>> FSavedRegions;
  std::vector<TcxCanvasState> FSavedStates;
};

// Measures text on a device context of the desktop, released after each use.
class TcxScreenCanvas : public TcxCanvas {
public:
  TcxScreenCanvas();
  ~TcxScreenCanvas() override;
  // Gives the desktop device context back; the next use takes a new one.
  void Dormant();

private:
  class TScreenCanvas;
  TScreenCanvas* FScreenCanvas;
};

// The process's shared screen canvas; nullptr once the unit has shut down.
TcxScreenCanvas* GetScreenCanvas();
// Frees the shared screen canvas; GetScreenCanvas creates nothing afterwards.
void FinalizeScreenCanvas();
int ScreenTextHeight(TFont* AFont, const std::wstring& AText = L"Wg", int AFontSize = 0);

// A one-pixel checkerboard pattern brush, and the system colour brushes 0 to 30.
HBRUSH cxHalftoneBrush();
TBrush* cxSysColorBrush(int Index);

// Free device-context routines.
void BlitRect(HDC DC, HDC SrcDC, const RECT& DestRect, DWORD ROP, POINT SrcTopLeft);
int DrawTextOnDC(HDC DC, const std::wstring& Text, int Count, RECT& R, UINT Format);
bool TextOutOnDC(HDC DC, const std::wstring& Text, POINT StartPoint, int Length, UINT Options, const RECT* ClipRect);
bool GetTextSizeOnDC(HDC DC, const std::wstring& Text, SIZE& Size, int Length = -1);
TBitmap* CreatePlainBitmap(int Width, int Height, TPixelFormat PixelFormat = pfDevice);
inline TBitmap* CreatePlainBitmap(SIZE S, TPixelFormat F = pfDevice) { return CreatePlainBitmap(S.cx, S.cy, F); }
inline TBitmap* CreatePlainBitmap(const RECT& R, TPixelFormat F = pfDevice) {
  return CreatePlainBitmap(RectWidth(R), RectHeight(R), F);
}
int BitmapBitsPerPixel(TBitmap* ABitmap);
bool ReadBitmapObject(HBITMAP H, BITMAP& Info);
bool ReadBrushObject(HBRUSH H, LOGBRUSH& Info);
bool ReadFontObject(HFONT H, LOGFONTW& Info);
bool ReadPenObject(HPEN H, LOGPEN& Info);
void InvalidateWindow(HWND Wnd, const RECT& R, bool Erase = true);
void InvalidateWindow(HWND Wnd, bool Erase = true);

TColor HotTintColor();
TColor PressedTintColor();

// Paints what the window's parent and the siblings beneath it show in R
// (control client coordinates) into ACanvas, R's top-left at the canvas origin.
void DrawParentBackground(HWND AControl, TcxCanvas* ACanvas, const RECT& R);
// The same for a framework control; a control without a window of its own
// shows only its parent (windows of siblings lie above it).
void DrawParentBackground(TControl* AControl, TcxCanvas* ACanvas, const RECT& R);

}  // namespace talvik
