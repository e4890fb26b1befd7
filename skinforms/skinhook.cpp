#include "skinforms/skinhook.h"

#include "framework/forms.h"
#include "framework/stdctrls.h"
#include "framework/sysutils.h"
#include "framework/utilitywindow.h"
#include "graphics/mousetracking.h"
#include "skinforms/skincontrolcontrollers.h"
#include "skinforms/skinformcontroller.h"
#include "skinforms/skinmessages.h"

namespace talvik {

TdxControllerClassSelector GetControllerClassForWindow = DefaultControllerClassForWindow;

namespace {
TdxSkinWinControllerHelper* gHelper = nullptr;
HHOOK gHook = nullptr;
int(WINAPI* gSavedSetScrollPos)(HWND, int, int, BOOL) = nullptr;
int(WINAPI* gSavedSetScrollInfo)(HWND, int, LPCSCROLLINFO, BOOL) = nullptr;

// Passes the call on first; then only compares the message with a few numbers.
LRESULT CALLBACK CallWndProcHook(int Code, WPARAM WParam, LPARAM LParam) {
  LRESULT result = CallNextHookEx(gHook, Code, WParam, LParam);
  const auto* msg = reinterpret_cast<const CWPSTRUCT*>(LParam);
  if (!gHelper || !msg) return result;
  // Nothing may unwind through the system from here, in the middle of CreateWindowEx:
  // a failure (a user's handler, the window-procedure table full) is reported as any
  // other, and the window goes on unskinned.
  try {
    switch (msg->message) {
      case WM_CREATE:
      case WM_MDICREATE:
        gHelper->InitializeEngine(msg->hwnd);
        break;
      case WM_DESTROY:
      case WM_MDIDESTROY:
        // WM_MDIDESTROY names the child being destroyed, not the client window.
        if (msg->wParam == 0) gHelper->FinalizeEngine(msg->hwnd);
        break;
      case WM_CHILDACTIVATE:
      case WM_MDIACTIVATE:
        gHelper->ChildChanged(msg->hwnd);
        break;
    }
  } catch (...) {
    Application()->HandleException(nullptr);
  }
  return result;
}
}  // namespace

TdxSkinWinControllerHelper* ControllerHelper() { return gHelper; }

bool SkinFormsHookInstalled() { return gHook != nullptr; }

// Buttons and panels by their exact class, so that subclasses keep their own
// look; frames and forms by descent.
TdxSkinWinControllerClass DefaultControllerClassForWindow(HWND AHandle) {
  if (TdxSkinWinController::IsMDIClientWindow(AHandle)) return TdxSkinFormController::Class();
  TWinControl* control = FindControl(AHandle);
  if (!control) return nullptr;
  if (_wcsicmp(control->ClassName(), L"TPanel") == 0) return TdxSkinPanelController::Class();
  if (_wcsicmp(control->ClassName(), L"TButton") == 0) return TdxSkinButtonController::Class();
  if (dynamic_cast<TFrame*>(control)) return TdxSkinFrameController::Class();
  if (dynamic_cast<TCustomForm*>(control)) return TdxSkinFormController::Class();
  return nullptr;
}

// ---- TdxSkinWinControllerHelper ----

TdxSkinWinControllerHelper::TdxSkinWinControllerHelper() {
  FHandle = AllocateMessageHWnd([this](HWND w, UINT m, WPARAM wp, LPARAM lp) { return WndProc(w, m, wp, lp); });
}

TdxSkinWinControllerHelper::~TdxSkinWinControllerHelper() { DeallocateHWnd(FHandle); }

LRESULT TdxSkinWinControllerHelper::WndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (IsRegisteredMessage(Msg, WM_POSTCREATE)) {
    CreateController(reinterpret_cast<HWND>(LParam));
    return 0;
  }
  return DefWindowProcW(Wnd, Msg, WParam, LParam);
}

void TdxSkinWinControllerHelper::InitializeEngine(HWND AHandle) {
  if (WM_HASOWNSKINENGINE && SendMessageW(AHandle, WM_HASOWNSKINENGINE, 0, 0) != 0) return;
  // An MDI client window gets its controller once it is fully created.
  if (TdxSkinWinController::IsMDIClientWindow(AHandle)) {
    PostMessageW(FHandle, WM_POSTCREATE, 0, reinterpret_cast<LPARAM>(AHandle));
    return;
  }
  CreateController(AHandle);
}

void TdxSkinWinControllerHelper::CreateController(HWND AHandle) {
  TdxSkinWinControllerClass cls = IsForeignWindow(AHandle) ? nullptr : GetControllerClassForWindow(AHandle);
  if (!cls) return;
  TdxSkinWinController::InitializeEngine(cls, AHandle);
  PostMessageW(AHandle, WM_POSTCHECKRGN, 0, 0);
}

void TdxSkinWinControllerHelper::FinalizeEngine(HWND AHandle) {
  TdxSkinWinController::FinalizeEngine(AHandle);
  ChildChanged(AHandle);
}

void TdxSkinWinControllerHelper::ChildChanged(HWND AHandle) {
  HWND parent = GetParent(AHandle);
  if (!parent || !TdxSkinWinController::IsMDIClientWindow(parent)) return;
  if (HWND frame = GetParent(parent)) SendMessageW(frame, WM_CHILDCHANGED, 0, 0);
}

// ---- scroll bars ----

int WINAPI SkinAwareSetScrollPos(HWND Wnd, int Bar, int Pos, BOOL Redraw) {
  return gSavedSetScrollPos(Wnd, Bar, Pos, Redraw && !TdxSkinWinController::IsSkinActive(Wnd));
}

int WINAPI SkinAwareSetScrollInfo(HWND Wnd, int Bar, LPCSCROLLINFO Info, BOOL Redraw) {
  return gSavedSetScrollInfo(Wnd, Bar, Info, Redraw && !TdxSkinWinController::IsSkinActive(Wnd));
}

// ---- start-up and shut-down ----

void InitializeSkinForms() {
  if (gHelper) return;
  GetControllerClassForWindow = DefaultControllerClassForWindow;
  gSavedSetScrollPos = FlatSB_SetScrollPos;
  gSavedSetScrollInfo = FlatSB_SetScrollInfo;
  FlatSB_SetScrollPos = SkinAwareSetScrollPos;
  FlatSB_SetScrollInfo = SkinAwareSetScrollInfo;
  gHelper = new TdxSkinWinControllerHelper();
  gHook = SetWindowsHookExW(WH_CALLWNDPROC, CallWndProcHook, nullptr, GetCurrentThreadId());
  RegisterSkinMessages();
  CreateWinControllerList();
}

namespace {
// Nothing may leave a shut-down: a caller still tracked is told through the debugger.
void StopSkinForms() {
  FinalizeSkinForms();
  try {
    FinalizeMouseTracking();
  } catch (const EdxException& e) {
    OutputDebugStringW(e.Message().c_str());
  }
}
}  // namespace

TSkinEngineStep SkinFormsEngineStep() { return {InitializeSkinForms, StopSkinForms}; }

void FinalizeSkinForms() {
  if (!gHelper) return;
  FlatSB_SetScrollPos = gSavedSetScrollPos;
  FlatSB_SetScrollInfo = gSavedSetScrollInfo;
  if (gHook) UnhookWindowsHookEx(gHook);
  gHook = nullptr;
  ClearWinControllerList();
  FreeWinControllerList();
  delete gHelper;
  gHelper = nullptr;
}

}  // namespace talvik
