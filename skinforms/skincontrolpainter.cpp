#include "skinforms/skincontrolpainter.h"

#include "skinforms/skincontrolviewinfo.h"
#include "skinforms/skinwincontroller.h"

namespace talvik {

TdxSkinCustomControlPainter::TdxSkinCustomControlPainter(TdxSkinCustomControlViewInfo* AViewInfo)
    : FCanvas(std::make_unique<TCanvas>()),
      FcxCanvas(std::make_unique<TcxCanvas>(FCanvas.get())),
      FViewInfo(AViewInfo) {}

TdxSkinCustomControlPainter::~TdxSkinCustomControlPainter() { EndDraw(); }

TdxSkinWinController* TdxSkinCustomControlPainter::Controller() const { return FViewInfo->Controller(); }

TcxCustomLookAndFeelPainterClass TdxSkinCustomControlPainter::Painter() const {
  return Controller()->LookAndFeelPainter();
}

void TdxSkinCustomControlPainter::BeginDraw(HDC DC) {
  FNeedRelease = DC == nullptr;
  if (!DC)
    DC = GetDCEx(Controller()->Handle(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS | DCX_VALIDATE);
  FDC = DC;
  // The parent's background, the face and the caption would otherwise reach
  // the screen one after the other: a flash on every hover.
  RECT r = FViewInfo->ClientRect();
  FBufferSize = SIZE{r.right - r.left, r.bottom - r.top};
  if (DC && GetObjectType(DC) == OBJ_DC) FBufferDC = FBuffer.Prepare(FBufferSize.cx, FBufferSize.cy);
  if (FBufferDC) {
    FBufferState = SaveDC(FBufferDC);
    DC = FBufferDC;
  }
  FCanvas->SetHandle(DC);
}

void TdxSkinCustomControlPainter::EndDraw() {
  FCanvas->SetHandle(nullptr);
  if (FBufferDC) {
    RestoreDC(FBufferDC, FBufferState);
    BitBlt(FDC, 0, 0, FBufferSize.cx, FBufferSize.cy, FBufferDC, 0, 0, SRCCOPY);
    FBufferDC = nullptr;
  }
  if (FNeedRelease && FDC) ReleaseDC(Controller()->Handle(), FDC);
  FDC = nullptr;
  FNeedRelease = false;
}

void TdxSkinCustomControlPainter::DrawBackground() {
  if (TWinControl* control = Controller()->WinControl())
    DrawParentBackground(control, FcxCanvas.get(), FViewInfo->ClientRect());
}

// The face comes from the skin; the caption is drawn here so that it takes the
// control's own font.
void TdxSkinCustomControlPainter::DrawButton(const std::wstring& ACaption, const RECT& R, TcxButtonState AState,
                                             bool AWordWrap, TFont* AFont) {
  TcxCustomLookAndFeelPainterClass painter = Painter();
  if (!painter) return;
  painter->DrawButton(FcxCanvas.get(), R, L"", AState, false, clDefault, clDefault, false, false);
  if (ACaption.empty()) return;
  FcxCanvas->Brush().SetStyle(bsClear);
  int flags = (AWordWrap ? cxWordBreak : cxSingleLine) | cxShowPrefix | cxAlignVCenter | cxAlignHCenter;
  if (AState == cxbsDisabled) DrawButtonCaption(ACaption, R, flags, AFont, clBtnHighlight);
  DrawButtonCaption(ACaption, R, flags, AFont, painter->ButtonSymbolColor(AState, clDefault));
}

void TdxSkinCustomControlPainter::DrawButtonCaption(const std::wstring& ACaption, const RECT& R, int AFlags,
                                                    TFont* AFont, TColor AColor) {
  if (AFont) FcxCanvas->Font().Assign(AFont);
  FcxCanvas->Font().SetColor(AColor);
  FcxCanvas->DrawTexT(ACaption, R, AFlags, true);
}

void TdxSkinCustomControlPainter::DrawFocus(const RECT& R) {
  FcxCanvas->Brush().SetStyle(bsSolid);
  FcxCanvas->DrawFocusRect(R);
}

}  // namespace talvik
