// Paints a skinned form's non-client area (frame, caption with its text and
// buttons, the border-width band, an MDI client's edge, the menu separator,
// the window's own scroll bars) and its background, from the rectangles,
// states and colours of its view info. Window coordinates throughout.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "framework/graphics.h"
#include "graphics/canvas.h"
#include "lookandfeel/painter.h"
#include "skinforms/formnonclientinfo.h"
#include "skins/drawing/elementcache.h"
#include "skins/info/skininfo.h"

namespace talvik {

// A memory context with a 32-bit bitmap, kept between paints and made again
// only to grow: a new bitmap for every paint would cost more than the paint.
class TdxSkinFormPaintBuffer {
public:
  TdxSkinFormPaintBuffer() = default;
  ~TdxSkinFormPaintBuffer();
  TdxSkinFormPaintBuffer(const TdxSkinFormPaintBuffer&) = delete;
  TdxSkinFormPaintBuffer& operator=(const TdxSkinFormPaintBuffer&) = delete;
  // A context whose bitmap is at least that large, origin at (0, 0); nullptr when none can be made.
  HDC Prepare(int AWidth, int AHeight);

private:
  void Free();
  HDC FDC = nullptr;
  HBITMAP FBitmap = nullptr;
  HGDIOBJ FOld = nullptr;
  SIZE FSize{};
};

class TdxSkinFormPainter : public TObject {
public:
  TALVIK_CLASS_NAME(TdxSkinFormPainter)
  explicit TdxSkinFormPainter(TdxSkinFormNonClientAreaInfo* AViewInfo);
  ~TdxSkinFormPainter() override;
  TdxSkinFormPainter(const TdxSkinFormPainter&) = delete;
  TdxSkinFormPainter& operator=(const TdxSkinFormPainter&) = delete;

  // ADestDC 0: the window's whole-window context, released by EndPaint.
  void BeginPaint(HDC ADestDC);
  void EndPaint();
  // Everything outside the client area.
  virtual void DrawWindowBorder();
  // The form content element over the client area (client coordinates).
  virtual void DrawWindowBackground();

  bool Active() const { return FViewInfo->Active(); }
  TcxCanvas* Canvas() const { return FCanvas.get(); }
  // Some frame element is thinner than 3 pixels (a missing one counts as 0).
  bool IsBordersThin() const;
  TcxCustomLookAndFeelPainterClass Painter() const { return FPainter; }
  TdxSkinInfo* PainterInfo() const { return FPainterInfo; }
  TdxSkinFormNonClientAreaInfo* ViewInfo() const { return FViewInfo; }

protected:
  virtual void DrawFormContent(HDC DC, const RECT& R);
  virtual void DrawCaptionString(HDC DC, RECT R, const std::wstring& AText);
  virtual void DrawScrollAreas(HDC DC);
  virtual void DrawScrollBar(HDC DC, TdxSkinFormScrollBar ABar, const RECT& R);
  virtual void DrawCaptionContent(HDC DC, const RECT& R, TdxSkinElement* ACaption);
  virtual void DrawCaptionBackground(HDC DC, RECT R, TdxSkinElement* ACaption);
  virtual void DrawCaptionText(HDC DC, RECT R);
  virtual void DrawCaptionIcon(HDC DC, const RECT& R, TdxSkinElement* AElement, TdxSkinFormIcon AIcon);
  virtual void DrawContentOffsetArea();
  virtual void DrawMDIClientEdgeArea();
  virtual void DrawMenuSeparator();

  void DrawCaption(const RECT& R, TdxSkinElement* ACaption);
  void DrawBorders();
  void DrawThinBorders();
  // AComposed: the frame is laid over the form content in memory first.
  void DrawBorderPart(HDC DC, const RECT& R, bool AComposed, TcxBorder ASide);
  void DrawFrameElement(HDC DC, const RECT& R, TcxBorder ASide);
  // A thin frame element keeps its own thickness on the outer edge of R.
  RECT FrameElementRect(const RECT& R, TcxBorder ASide) const;
  void DrawSizeGripArea(HDC DC, const RECT& R);
  bool IsRectVisible(const RECT& R);
  // Makes DC the canvas's context; answers the previous one.
  HDC SelectDC(HDC DC);

  TdxSkinElementState FrameState() const { return Active() ? esActive : esActiveDisabled; }
  // The skin's form content, or the empty element.
  TdxSkinElement* FormContent() const;

private:
  std::unique_ptr<TCanvas> FBaseCanvas;
  TdxSkinElementCache FBordersCache[4];
  // The caption is composed in one, frame parts and scroll bars in the other.
  TdxSkinFormPaintBuffer FCaptionBuffer;
  TdxSkinFormPaintBuffer FPartBuffer;
  std::unique_ptr<TcxCanvas> FCanvas;
  HDC FDC = nullptr;
  TdxSkinElementCache FIconsCache[dxSkinFormIconCount];
  bool FNeedRelease = false;
  TcxCustomLookAndFeelPainterClass FPainter = nullptr;
  TdxSkinInfo* FPainterInfo = nullptr;
  TdxSkinFormNonClientAreaInfo* FViewInfo;
};

}  // namespace talvik
