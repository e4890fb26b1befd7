// The form controller's message handling: what a skinned form does with
// each message before (or instead of) its own handling.
#include <windowsx.h>

#include "graphics/objectlinks.h"
#include "skinforms/formnonclientinfo.h"
#include "skinforms/skinformcontroller.h"
#include "skinforms/skinmessages.h"

namespace talvik {

namespace {
// Undocumented: themed windows get these to draw their caption and frame.
constexpr UINT WM_NCUAHDRAWCAPTION = 0x00AE;
constexpr UINT WM_NCUAHDRAWFRAME = 0x00AF;
// Undocumented: after it the system has laid out its own frame again.
constexpr UINT WM_FRAMERESET = 0x003F;
}  // namespace

void TdxSkinFormController::HandleMessage(TMessage& Message) {
  if (!FViewInfo) {
    CallSavedWindowProc(Message);
    return;
  }
  if (Message.Msg == WM_SETTEXT) {
    WMSetText(Message);
    return;
  }
  // Before the window takes its new rectangle: its frame is laid out at the new scale.
  if (Message.Msg == WM_DPICHANGED) FViewInfo->SetDpi(LOWORD(Message.WParam));
  if (Message.Msg == WM_THEMECHANGED) {
    // The next calculation asks the system again.
    FViewInfo->SetThemeActiveAssigned(false);
    return;
  }
  if (IsRegisteredMessage(Message.Msg, WM_POSTMSGFORMINIT)) {
    MakeLabelsTransparent();
    return;
  }
  if (IsSkinUsed() && DispatchSkinMessage(Message)) return;
  CallSavedWindowProc(Message);
}

bool TdxSkinFormController::DispatchSkinMessage(TMessage& Message) {
  if (FForceRedraw) {
    FForceRedraw = false;
    PaintNonClientArea(nullptr);
  }
  switch (Message.Msg) {
    case WM_DESTROY:
    case WM_MDIDESTROY: WMDestroy(Message); return true;
    case WM_SIZE: WMSize(Message); return true;
    case WM_ACTIVATE:
    case WM_MOUSEACTIVATE:
      CallSavedWindowProc(Message);
      PaintNonClientArea(nullptr);
      return true;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); return true;
    case WM_FRAMERESET:
      CallSavedWindowProc(Message);
      Refresh();
      return true;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); return true;
    case WM_CONTEXTMENU: WMContextMenu(Message); return true;
    case WM_NCCREATE: return WMNCCreate(Message);
    case WM_NCCALCSIZE: WMNCCalcSize(Message); return true;
    case WM_NCHITTEST: WMNCHitTest(Message); return true;
    case WM_NCPAINT: WMNCPaint(Message); return true;
    case WM_NCACTIVATE: WMNCActivate(Message); return true;
    // The system would paint its own frame here.
    case WM_SYNCPAINT:
    case WM_NCUAHDRAWCAPTION:
    case WM_NCUAHDRAWFRAME: PaintNonClientArea(nullptr); return true;
    case WM_NCMOUSEMOVE: WMNCMouseMove(Message); return true;
    case WM_NCMOUSELEAVE:
      FTracksNonClientLeave = false;
      UpdateNonClientState(false);
      CallSavedWindowProc(Message);
      return true;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: WMNCLButtonDown(Message); return true;
    case WM_NCLBUTTONUP: WMNCLButtonUp(Message); return true;
    case WM_SYSCOMMAND: WMSysCommand(Message); return true;
    case WM_HSCROLL:
    case WM_VSCROLL: WMScroll(Message); return true;
    case WM_PRINT: WMPrint(Message); return true;
    case WM_DPICHANGED:
      CallSavedWindowProc(Message);
      Refresh();
      return true;
  }
  return HandleRegisteredMessage(Message);
}

bool TdxSkinFormController::HandleRegisteredMessage(TMessage& Message) {
  const UINT msg = Message.Msg;
  if (IsRegisteredMessage(msg, WM_CHILDCHANGED)) {
    if (FViewInfo->UpdateCaptionSuffix()) PaintNonClientArea(nullptr);
    return true;
  }
  if (IsRegisteredMessage(msg, SkinRefreshMessage)) {
    RefreshController();
    // The window and the controls that follow it take the new choice at once.
    Update();
    if (auto* list = WinControllerList())
      for (auto& c : *list)
        if (c->Master() == this) c->Update();
    return true;
  }
  if (IsRegisteredMessage(msg, WM_POSTREDRAW)) {
    Redraw(false);
    return true;
  }
  if (IsRegisteredMessage(msg, WM_POSTCHECKRGN)) {
    FViewInfo->SetSizeType(FViewInfo->IsZoomed() ? SIZE_MAXIMIZED : SIZE_RESTORED);
    FViewInfo->AdjustSystemMenu();
    UpdateWindowRegion();
    return true;
  }
  return false;
}

// A hidden window's frame is laid out and drawn with the new title when it is shown.
void TdxSkinFormController::WMSetText(TMessage& Message) {
  CallSavedWindowProc(Message);
  FViewInfo->UpdateFormCaption();
  if (IsWindowVisible(FHandle)) Refresh();
}

void TdxSkinFormController::WMDestroy(TMessage& Message) {
  CallSavedWindowProc(Message);
  // No skin painting while the window is torn down.
  if (Message.WParam == 0) {
    FLookAndFeelPainter = nullptr;
    DetachWindowProc();
  }
}

void TdxSkinFormController::WMSize(TMessage& Message) {
  CallSavedWindowProc(Message);
  // Restored from maximized: the whole window is painted again.
  if (FViewInfo->SizeType() == SIZE_MAXIMIZED) PostMessageW(FHandle, WM_POSTREDRAW, 0, 0);
  FViewInfo->SetSizeType(static_cast<int>(Message.WParam));
  // The system sends WM_SIZE from inside WM_WINDOWPOSCHANGED, before our handling of
  // that has measured the new size: the region must not take the old one.
  CalculateViewInfo();
  UpdateWindowRegion();
}

void TdxSkinFormController::WMEraseBkgnd(TMessage& Message) {
  const HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (!dc) return;
  const int saved = SaveDC(dc);
  struct TRestore {
    HDC DC;
    int Saved;
    ~TRestore() { RestoreDC(DC, Saved); }
  } restore{dc, saved};
  PaintBackground(dc);
  Message.Result = 1;
}

void TdxSkinFormController::WMWindowPosChanged(TMessage& Message) {
  CallSavedWindowProc(Message);
  const auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
  if (pos && (pos->flags & SWP_NOSIZE) && (pos->flags & SWP_NOMOVE)) return;
  CalculateViewInfo();
  if (FViewInfo->IsZoomed()) UpdateWindowRegion();
}

void TdxSkinFormController::WMContextMenu(TMessage& Message) {
  if (FViewInfo->GetHitTest(POINT{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)}, 0) != 0)
    PostRedrawIfNeeded();
  CallSavedWindowProc(Message);
}

bool TdxSkinFormController::WMNCCreate(TMessage& Message) {
  ResetWindowRegion(true);
  CalculateViewInfo();
  return false;
}

void TdxSkinFormController::WMNCCalcSize(TMessage& Message) {
  auto* proposed = reinterpret_cast<RECT*>(Message.LParam);
  const RECT saved = proposed ? *proposed : RECT{};
  CallSavedWindowProc(Message);
  CalculateViewInfo();
  if (proposed && Message.WParam && FViewInfo->NeedCheckNonClientSize())
    *proposed = RectContent(saved, FViewInfo->GetContentMargins());
}

void TdxSkinFormController::WMNCHitTest(TMessage& Message) {
  Message.Result = FViewInfo->GetHitTest(POINT{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)},
                                         static_cast<int>(Message.Result));
  // The system runs the window menu from its icon.
  if (Message.Result == HTNOWHERE || Message.Result == HTSYSMENU) CallSavedWindowProc(Message);
}

void TdxSkinFormController::WMNCPaint(TMessage& Message) {
  RecalculateAndPaint();
  if (FViewInfo->HasMenu() || FViewInfo->IsMDIClient()) {
    // The system paints what the skin leaves: the menu bar, an MDI client's inside.
    HRGN rest = CreateRectRgnIndirect(&FViewInfo->WindowRect());
    HRGN skinned = FViewInfo->CreateDrawRgn();
    CombineRgn(rest, rest, skinned, RGN_XOR);
    DeleteObject(skinned);
    if (Message.WParam != 1) CombineRgn(rest, rest, reinterpret_cast<HRGN>(Message.WParam), RGN_AND);
    const WPARAM incoming = Message.WParam;
    Message.WParam = reinterpret_cast<WPARAM>(rest);
    CallSavedWindowProc(Message);
    Message.WParam = incoming;
    DeleteObject(rest);
  }
  Message.WParam = 1;
  Message.Result = 0;
}

void TdxSkinFormController::WMNCActivate(TMessage& Message) {
  FViewInfo->SetActive(Message.WParam != 0);
  if (TCustomForm* child = TdxSkinFormHelper::GetActiveMDIChild(FHandle))
    child->Perform(WM_NCACTIVATE, Message.WParam, 0);
  if (IsMDIChildWindow(FHandle)) {
    // The system's activation bookkeeping, without its painting.
    const LONG style = GetWindowLongW(FHandle, GWL_STYLE);
    SetWindowLongW(FHandle, GWL_STYLE, style & ~WS_VISIBLE);
    Message.Result = DefWindowProcW(FHandle, WM_NCACTIVATE, Message.WParam, 0);
    SetWindowLongW(FHandle, GWL_STYLE, style);
  } else {
    Message.Result = 1;
  }
  PaintNonClientArea(nullptr);
}

void TdxSkinFormController::WMNCMouseMove(TMessage& Message) {
  // A press released outside the window never came back as a button-up.
  if (FViewInfo->IconPressed() != sfiMenu && !FViewInfo->ButtonPressed()) FViewInfo->SetIconPressed(sfiMenu);
  // The leave timer looks only once: a cursor that then jumps out of the
  // window would leave its button lit.
  if (!FTracksNonClientLeave) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE | TME_NONCLIENT, FHandle, 0};
    FTracksNonClientLeave = TrackMouseEvent(&track) != FALSE;
  }
  if (UpdateNonClientState(false)) return;
  // The system must not light up buttons of its own frame.
  Message.WParam = HTNOWHERE;
  CallSavedWindowProc(Message);
  PaintNonClientArea(nullptr);
}

void TdxSkinFormController::WMNCLButtonDown(TMessage& Message) {
  TcxObjectLink* link = LinkObject(this);
  FForceRedraw = true;
  FViewInfo->UpdatePressedIcon(false);
  FViewInfo->UpdateIconStates();
  const bool onScrollBar = Message.WParam == HTHSCROLL || Message.WParam == HTVSCROLL;
  if (onScrollBar) LockRedraw();
  // The system's modal loops run here (moving, sizing, the window menu, the
  // scroll bar) and may destroy the window; a caption button press never
  // reaches the system.
  if (FViewInfo->IconPressed() == sfiMenu) CallSavedWindowProc(Message);
  if (link->Ref) {
    if (onScrollBar) UnlockRedraw();
    UpdateNonClientState(true);
    PaintNonClientArea(nullptr);
  }
  UnlinkObject(link);
  Message.Result = 0;
}

void TdxSkinFormController::WMNCLButtonUp(TMessage& Message) {
  const TdxSkinFormIcon clicked = FViewInfo->UpdatePressedIcon(true);
  UpdateNonClientState(true);
  if (!FViewInfo->IsIconEnabled(clicked)) return;
  switch (clicked) {
    case sfiMinimize: SendMessageW(FHandle, WM_SYSCOMMAND, SC_MINIMIZE, 0); break;
    case sfiMaximize: SendMessageW(FHandle, WM_SYSCOMMAND, SC_MAXIMIZE, 0); break;
    case sfiRestore: SendMessageW(FHandle, WM_SYSCOMMAND, SC_RESTORE, 0); break;
    case sfiClose: SendMessageW(FHandle, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    default: CallSavedWindowProc(Message); break;
  }
}

void TdxSkinFormController::WMSysCommand(TMessage& Message) {
  TcxObjectLink* link = LinkObject(this);
  if (Message.WParam == SC_KEYMENU) PostRedrawIfNeeded();
  CallSavedWindowProc(Message);
  if (link->Ref) PaintNonClientArea(nullptr);
  UnlinkObject(link);
}

// While the system's scroll loop runs, redrawing is locked; each of its
// messages shows the skin's bars and locks again.
void TdxSkinFormController::WMScroll(TMessage& Message) {
  const TdxScrollAreaElement bar = Message.Msg == WM_HSCROLL ? saeHorzScroll : saeVertScroll;
  FViewInfo->SetTrackedScrollBar(LOWORD(Message.WParam) == SB_THUMBTRACK ? bar : saeSizeGrip);
  CallSavedWindowProc(Message);
  UnlockRedraw();
  struct TRelock {
    TdxSkinFormController* Controller;
    ~TRelock() { Controller->LockRedraw(); }
  } relock{this};
  Redraw(true);
}

void TdxSkinFormController::WMPrint(TMessage& Message) {
  CallSavedWindowProc(Message);
  if ((Message.LParam & PRF_NONCLIENT) && (!(Message.LParam & PRF_CHECKVISIBLE) || IsWindowVisible(FHandle)))
    PaintNonClientArea(reinterpret_cast<HDC>(Message.WParam));
}

}  // namespace talvik
