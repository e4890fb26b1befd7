#include "skinforms/skincontrolcontrollers.h"

#include "framework/stdctrls.h"
#include "lookandfeel/themes.h"

namespace talvik {

namespace {
// Device contexts are given back even when drawing fails.
class TDrawScope {
public:
  TDrawScope(TdxSkinCustomControlPainter* APainter, HDC DC) : FPainter(APainter) { FPainter->BeginDraw(DC); }
  ~TDrawScope() { FPainter->EndDraw(); }
  TDrawScope(const TDrawScope&) = delete;
  TDrawScope& operator=(const TDrawScope&) = delete;

private:
  TdxSkinCustomControlPainter* FPainter;
};

class TPaintScope {
public:
  explicit TPaintScope(HWND AWnd) : FWnd(AWnd) { DC = BeginPaint(AWnd, &FPaint); }
  ~TPaintScope() { EndPaint(FWnd, &FPaint); }
  TPaintScope(const TPaintScope&) = delete;
  TPaintScope& operator=(const TPaintScope&) = delete;
  HDC DC;

private:
  HWND FWnd;
  PAINTSTRUCT FPaint;
};
}  // namespace

// ---- TdxSkinCustomController ----

TdxSkinCustomController::TdxSkinCustomController(HWND AHandle, TdxSkinCustomControlViewInfoClass AViewInfoClass)
    : TdxSkinWinController(AHandle) {
  FViewInfo.reset(AViewInfoClass(this));
  FPainter = std::make_unique<TdxSkinCustomControlPainter>(FViewInfo.get());
}

void TdxSkinCustomController::AttachWindowProc() {
  TdxSkinWinController::AttachWindowProc();
  if (IsHooked()) SetWindowTheme(Handle(), L"", L"");
}

void TdxSkinCustomController::DetachWindowProc() {
  const bool wasHooked = IsHooked();
  TdxSkinWinController::DetachWindowProc();
  if (wasHooked && IsWindow(Handle())) SetWindowTheme(Handle(), nullptr, nullptr);
}

void TdxSkinCustomController::HandleMessage(TMessage& Message) {
  if (IsSkinUsed()) {
    if (Message.Msg == WM_PAINT && WMPaint(Message)) return;
    if (Message.Msg == WM_ERASEBKGND && WMEraseBkgnd(Message)) return;
  }
  CallSavedWindowProc(Message);
}

void TdxSkinCustomController::DrawBackground(HDC DC) {
  TDrawScope draw(FPainter.get(), DC);
  FPainter->DrawBackground();
}

// The control paints its background itself, with its content.
bool TdxSkinCustomController::WMEraseBkgnd(TMessage& Message) {
  Message.Result = 1;
  return true;
}

bool TdxSkinCustomController::WMPaint(TMessage& Message) {
  Message.Result = 1;
  if (Message.WParam) {
    DrawContent(reinterpret_cast<HDC>(Message.WParam));
  } else {
    TPaintScope paint(FHandle);
    DrawContent(paint.DC);
  }
  return true;
}

// ---- TdxSkinButtonController ----

TdxSkinButtonController::TdxSkinButtonController(HWND AHandle)
    : TdxSkinCustomController(AHandle, ViewInfoClassOf<TdxSkinButtonViewInfo>) {}

// The system handles each message first and may draw its own button; the
// skinned one is painted over it, directly or through a change of state.
void TdxSkinButtonController::HandleMessage(TMessage& Message) {
  if (Message.Msg == CM_FOCUSCHANGED) ViewInfo()->UpdateActive(reinterpret_cast<TWinControl*>(Message.LParam));
  TdxSkinCustomController::HandleMessage(Message);
  bool repaint = false;
  switch (Message.Msg) {
    case WM_ENABLE:
    case BM_SETSTATE: {
      // The system may have drawn its own button although the look stays (a
      // disabled button pushed): paint over it then too.
      TcxButtonState old = ViewInfo()->State();
      ViewInfo()->UpdateState();
      repaint = ViewInfo()->State() == old;
      break;
    }
    case WM_MOUSEMOVE:
    case WM_MOUSEHOVER:
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE:
      ViewInfo()->UpdateState();
      break;
    case WM_SETTEXT:
      ViewInfo()->SetCaption(Message.LParam ? reinterpret_cast<const wchar_t*>(Message.LParam) : L"");
      repaint = true;
      break;
    // The focus rectangle must also go when the look stays the same (the
    // default button losing the focus to an edit box).
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      repaint = true;
      break;
    case WM_UPDATEUISTATE:
      repaint = LOWORD(Message.WParam) == UIS_SET || LOWORD(Message.WParam) == UIS_CLEAR;
      break;
  }
  // A hidden button is painted whole when it shows: drawing it now is lost work.
  if (repaint && IsSkinUsed() && IsWindowVisible(FHandle)) DrawContent(nullptr);
}

void TdxSkinButtonController::NotifyMouseLeave() { ViewInfo()->UpdateState(); }

void TdxSkinButtonController::DrawContent(HDC DC) {
  TdxSkinCustomControlPainter* painter = Painter();
  TDrawScope draw(painter, DC);
  painter->DrawBackground();
  RECT r = ViewInfo()->ClientRect();
  painter->DrawButton(ViewInfo()->Caption(), r, ViewInfo()->State(), ViewInfo()->WordWrap(),
                      WinControl() ? &WinControl()->Font() : nullptr);
  if (ViewInfo()->IsFocused()) painter->DrawFocus(InflateRectBy(r, -4, -4));
}

// ---- TdxSkinPanelController ----

void TdxSkinPanelController::HandleMessage(TMessage& Message) {
  if (IsSkinUsed()) {
    if (Message.Msg == WM_PRINTCLIENT && WMPrintClient(Message)) return;
    if (Message.Msg == CM_COLORCHANGED) Redraw(false);
  }
  TdxSkinCustomController::HandleMessage(Message);
}

// A paint that starts while the panel is being painted (a child asking its
// parent's background) gets the panel's own painting instead of recursing.
bool TdxSkinPanelController::WMPaint(TMessage& Message) {
  if (FPainting) return false;
  FPainting = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FPainting};
  return TdxSkinCustomController::WMPaint(Message);
}

bool TdxSkinPanelController::WMPrintClient(TMessage& Message) {
  if (Message.Result == 1) return false;
  if ((Message.LParam & PRF_CHECKVISIBLE) && !IsWindowVisible(FHandle)) return false;
  return WMPaint(Message);
}

namespace {
UINT PanelTextFormat(TAlignment AAlignment) {
  UINT align = AAlignment == taLeftJustify ? DT_LEFT : AAlignment == taRightJustify ? DT_RIGHT : DT_CENTER;
  return align | DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER;
}

void PaintPanelBackground(TcxCustomLookAndFeelPainterClass APainter, TcxCanvas* ACanvas, TPanel* APanel,
                          const RECT& R) {
  if (APanel->ControlStyle() & csParentBackground) DrawParentBackground(APanel, ACanvas, R);
  else if (APanel->Color() == clBtnFace) APainter->DrawPanelContent(ACanvas, R, false);
  else APainter->DrawPanelBackground(ACanvas, APanel, R, APanel->Color(), clDefault);
  if (APanel->BevelInner() != bvNone || APanel->BevelOuter() != bvNone) APainter->DrawPanelBorders(ACanvas, R);
}
}  // namespace

// A controller made for something that is not a panel draws nothing.
void TdxSkinPanelController::DrawContent(HDC DC) {
  auto* panel = dynamic_cast<TPanel*>(WinControl());
  TcxCustomLookAndFeelPainterClass skin = LookAndFeelPainter();
  if (!panel || !skin) return;
  TDrawScope draw(Painter(), DC);
  TcxCanvas* canvas = Painter()->Canvas();
  RECT r = ViewInfo()->ClientRect();
  PaintPanelBackground(skin, canvas, panel, r);
  std::wstring text = panel->Text();
  if (!text.empty()) {
    canvas->Brush().SetStyle(bsClear);
    canvas->Font().Assign(&panel->Font());
    canvas->Canvas()->RequireAll();
    DrawTextOnDC(canvas->Handle(), text, -1, r, PanelTextFormat(panel->Alignment()));
  }
  canvas->Brush().SetStyle(bsSolid);
  panel->PaintControls(canvas->Handle());
}

}  // namespace talvik
