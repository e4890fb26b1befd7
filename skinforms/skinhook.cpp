#include "skinforms/skinhook.h"

#include <algorithm>
#include <vector>

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
HHOOK gCbtHook = nullptr;
// The message hook costs every message sent in the thread a few trips to the system
// (under Wine, three server calls each): it is installed only while a window that
// needs following exists. Those are windows being created, from the system's word
// until their creation message, or, once they have a controller, until their first
// size or move message (the one that follows a successful creation) or their end;
// windows being destroyed, until their end; and MDI client windows for as long as
// they live, for their children's activation.
HHOOK gHook = nullptr;
std::vector<HWND> gCreating, gDestroying, gMdiClients;
int(WINAPI* gSavedSetScrollPos)(HWND, int, int, BOOL) = nullptr;
int(WINAPI* gSavedSetScrollInfo)(HWND, int, LPCSCROLLINFO, BOOL) = nullptr;

LRESULT CALLBACK CallWndProcHook(int Code, WPARAM WParam, LPARAM LParam);

// Whether the list held it.
bool Forget(std::vector<HWND>& AList, HWND AHandle) {
  const auto kept = std::remove(AList.begin(), AList.end(), AHandle);
  const bool held = kept != AList.end();
  AList.erase(kept, AList.end());
  return held;
}

void UpdateMessageHook() {
  const bool needed = !gCreating.empty() || !gDestroying.empty() || !gMdiClients.empty();
  if (needed && !gHook) {
    gHook = SetWindowsHookExW(WH_CALLWNDPROC, CallWndProcHook, nullptr, GetCurrentThreadId());
  } else if (!needed && gHook) {
    UnhookWindowsHookEx(gHook);
    gHook = nullptr;
  }
}

// Where each followed window stands after a message it was sent.
void FollowWindow(const CWPSTRUCT& AMessage) {
  const HWND wnd = AMessage.hwnd;
  switch (AMessage.message) {
    case WM_CREATE:
      if (TdxSkinWinController::IsMDIClientWindow(wnd)) gMdiClients.push_back(wnd);
      if (FindControllerByHandle(wnd)) return;
      Forget(gCreating, wnd);
      break;
    case WM_SIZE:
    case WM_MOVE:
      if (!Forget(gCreating, wnd)) return;
      break;
    case WM_NCDESTROY:
      Forget(gCreating, wnd);
      Forget(gDestroying, wnd);
      Forget(gMdiClients, wnd);
      break;
    default:
      return;
  }
  UpdateMessageHook();
}

// Tells which windows are about to be created or destroyed, unless a later hook refuses.
LRESULT CALLBACK CbtHook(int Code, WPARAM WParam, LPARAM LParam) {
  LRESULT result = CallNextHookEx(gCbtHook, Code, WParam, LParam);
  if (result != 0 || !gHelper || (Code != HCBT_CREATEWND && Code != HCBT_DESTROYWND)) return result;
  (Code == HCBT_CREATEWND ? gCreating : gDestroying).push_back(reinterpret_cast<HWND>(WParam));
  UpdateMessageHook();
  return result;
}

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
      case WM_NCDESTROY:
        // A window whose creation message failed gets no WM_DESTROY: its controller goes here.
        TdxSkinWinController::FinalizeEngine(msg->hwnd);
        break;
      case WM_CHILDACTIVATE:
      case WM_MDIACTIVATE:
        gHelper->ChildChanged(msg->hwnd);
        break;
    }
  } catch (...) {
    Application()->HandleException(nullptr);
  }
  FollowWindow(*msg);
  return result;
}
}  // namespace

TdxSkinWinControllerHelper* ControllerHelper() { return gHelper; }

bool SkinFormsHookInstalled() { return gCbtHook != nullptr; }

bool SkinFormsMessageHookInstalled() { return gHook != nullptr; }

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
  gCbtHook = SetWindowsHookExW(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
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
  if (gCbtHook) UnhookWindowsHookEx(gCbtHook);
  gCbtHook = nullptr;
  if (gHook) UnhookWindowsHookEx(gHook);
  gHook = nullptr;
  gCreating.clear();
  gDestroying.clear();
  gMdiClients.clear();
  ClearWinControllerList();
  FreeWinControllerList();
  delete gHelper;
  gHelper = nullptr;
}

}  // namespace talvik
