// Draws a skinned button or panel into a device context with the skin painter
// of the control's master form.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "framework/graphics.h"
#include "graphics/canvas.h"
#include "lookandfeel/painter.h"
#include "skinforms/formpainter.h"

namespace talvik {

class TdxSkinCustomControlViewInfo;
class TdxSkinWinController;

class TdxSkinCustomControlPainter : public TObject {
public:
  TALVIK_CLASS_NAME(TdxSkinCustomControlPainter)
  explicit TdxSkinCustomControlPainter(TdxSkinCustomControlViewInfo* AViewInfo);
  ~TdxSkinCustomControlPainter() override;

  TcxCanvas* Canvas() const { return FcxCanvas.get(); }
  TdxSkinWinController* Controller() const;
  TcxCustomLookAndFeelPainterClass Painter() const;
  TdxSkinCustomControlViewInfo* ViewInfo() const { return FViewInfo; }

  // DC 0 draws on the whole window, through a device context released by EndDraw.
  // Drawing meant for the screen is composed in memory and shown by EndDraw at once.
  void BeginDraw(HDC DC);
  void EndDraw();
  // What the parent shows behind the control.
  void DrawBackground();
  void DrawButton(const std::wstring& ACaption, const RECT& R, TcxButtonState AState, bool AWordWrap, TFont* AFont);
  void DrawFocus(const RECT& R);

private:
  void DrawButtonCaption(const std::wstring& ACaption, const RECT& R, int AFlags, TFont* AFont, TColor AColor);
  std::unique_ptr<TCanvas> FCanvas;
  std::unique_ptr<TcxCanvas> FcxCanvas;
  HDC FDC = nullptr;
  bool FNeedRelease = false;
  // The picture composed in memory for a screen device context.
  TdxSkinFormPaintBuffer FBuffer;
  HDC FBufferDC = nullptr;
  int FBufferState = 0;
  SIZE FBufferSize{};
  TdxSkinCustomControlViewInfo* FViewInfo;
};

}  // namespace talvik
