#include "skinforms/skinwincontroller.h"

#include <algorithm>

#include "framework/forms.h"
#include "graphics/objectlinks.h"
#include "lookandfeel/lookandfeel.h"
#include "skinforms/skincontroller.h"

namespace talvik {

namespace {
std::vector<std::unique_ptr<TdxSkinWinController>>* gWinControllers = nullptr;
}  // namespace

std::vector<std::unique_ptr<TdxSkinWinController>>* WinControllerList() { return gWinControllers; }

void CreateWinControllerList() {
  if (!gWinControllers) gWinControllers = new std::vector<std::unique_ptr<TdxSkinWinController>>();
}

// Controllers are freed one by one from the back, each taken out of the list
// first: a controller being freed may still look the others up.
void ClearWinControllerList() {
  if (!gWinControllers) return;
  while (!gWinControllers->empty()) {
    std::unique_ptr<TdxSkinWinController> last = std::move(gWinControllers->back());
    gWinControllers->pop_back();
    last.reset();
  }
}

void FreeWinControllerList() {
  ClearWinControllerList();
  delete gWinControllers;
  gWinControllers = nullptr;
}

TdxSkinWinController* FindControllerByHandle(HWND AHandle) {
  if (!gWinControllers) return nullptr;
  for (auto& c : *gWinControllers)
    if (c->Handle() == AHandle) return c.get();
  return nullptr;
}

TdxSkinWinController* FindControllerByControl(TWinControl* AControl) {
  if (!AControl || !gWinControllers) return nullptr;
  for (auto& c : *gWinControllers)
    if (c->WinControl() == AControl) return c.get();
  return nullptr;
}

void AddWinController(TdxSkinWinController* AController) {
  std::unique_ptr<TdxSkinWinController> owned(AController);
  if (gWinControllers) gWinControllers->push_back(std::move(owned));
}

std::unique_ptr<TdxSkinWinController> ExtractWinController(TdxSkinWinController* AController) {
  if (!gWinControllers) return nullptr;
  auto it = std::find_if(gWinControllers->begin(), gWinControllers->end(),
                         [&](const auto& c) { return c.get() == AController; });
  if (it == gWinControllers->end()) return nullptr;
  std::unique_ptr<TdxSkinWinController> owned = std::move(*it);
  gWinControllers->erase(it);
  return owned;
}

// ---- window helpers ----

void GetWindowTextOf(HWND AHandle, std::wstring& AText) {
  if (TWinControl* control = FindControl(AHandle)) {
    AText = control->Text();
    return;
  }
  auto length = static_cast<int>(SendMessageW(AHandle, WM_GETTEXTLENGTH, 0, 0));
  AText.assign(std::max(length, 0) + 1, L'\0');
  auto copied = static_cast<int>(SendMessageW(AHandle, WM_GETTEXT, AText.size(), reinterpret_cast<LPARAM>(AText.data())));
  AText.resize(std::clamp(copied, 0, std::max(length, 0)));
}

void GetWindowClassNameOf(HWND AHandle, std::wstring& AName) {
  wchar_t buffer[256];
  int n = GetClassNameW(AHandle, buffer, 256);
  AName.assign(buffer, n < 1 ? 0 : n);
}

bool IsForeignWindow(HWND AHandle) {
  if (!AHandle) return true;
  DWORD process = 0;
  GetWindowThreadProcessId(AHandle, &process);
  return process != GetCurrentProcessId();
}

namespace {
bool ClassNameIs(HWND AHandle, std::initializer_list<const wchar_t*> ANames) {
  std::wstring name;
  GetWindowClassNameOf(AHandle, name);
  for (const wchar_t* n : ANames)
    if (_wcsicmp(name.c_str(), n) == 0) return true;
  return false;
}
}  // namespace

// ---- TdxSkinWinController ----

// Whoever makes a controller chooses its painter and updates it next: an update
// here, before that choice, would lay out and repaint the frame once for nothing.
TdxSkinWinController::TdxSkinWinController(HWND AHandle) {
  FProcInstance = MakeObjectInstance([this](TMessage& M) { HandleMessage(M); });
  AssignHandle(AHandle);
}

TdxSkinWinController::~TdxSkinWinController() {
  InvalidateObjectLinks(this);
  ReleaseDependents();
  StopLeaveTracking(this);
  SetHandle(nullptr);
  FreeObjectInstance(FProcInstance);
}

void TdxSkinWinController::SetHandle(HWND AHandle) {
  AssignHandle(AHandle);
  Update();
}

void TdxSkinWinController::AssignHandle(HWND AHandle) {
  DetachWindowProc();
  FHandle = AHandle;
  FWinControl = FindControl(AHandle);
}

bool TdxSkinWinController::HasVirtualChilds() const {
  if (!FWinControl) return false;
  const auto& children = FWinControl->Controls();
  return std::any_of(children.begin(), children.end(),
                     [](TControl* c) { return dynamic_cast<TWinControl*>(c) == nullptr; });
}

TcxCustomLookAndFeelPainterClass TdxSkinWinController::LookAndFeelPainter() const {
  const TdxSkinWinController* c = this;
  while (c->FMaster) c = c->FMaster;
  return c->FLookAndFeelPainter;
}

// Only MDI client windows follow the form around them.
TdxSkinWinController* TdxSkinWinController::FindMasterController(HWND AHandle) {
  return IsMDIClientWindow(AHandle) ? FindControllerByHandle(GetParent(AHandle)) : nullptr;
}

TdxSkinWinController* TdxSkinWinController::FindParentFormController() {
  TCustomForm* form = FWinControl ? GetParentForm(FWinControl, true) : nullptr;
  if (!form || !IsSkinAllowed()) return nullptr;
  return FindControllerByHandle(form->Handle());
}

bool TdxSkinWinController::IsSkinAllowed() {
  bool allowed = GlobalUseSkins() && FWinControl;
  if (!FWinControl) return allowed;
  // A copy: OnSkinControl handlers may make or free skin controllers.
  const std::vector<TdxSkinController*> controllers = SkinControllerList();
  for (auto it = controllers.rbegin(); it != controllers.rend(); ++it) {
    const auto& live = SkinControllerList();
    if (std::find(live.begin(), live.end(), *it) == live.end()) continue;
    if ((*it)->ComponentState() & csDestroying) continue;
    allowed = (*it)->QuerySkinControl(FWinControl);
    if (allowed) break;
  }
  return allowed;
}

void TdxSkinWinController::CallSavedWindowProc(TMessage& Message) {
  if (FSavedWndProcPtr)
    Message.Result = CallWindowProcW(FSavedWndProcPtr, FHandle, Message.Msg, Message.WParam, Message.LParam);
  else if (FSavedWndProc)
    FSavedWndProc(Message);
}

void TdxSkinWinController::AttachWindowProc() {
  DetachWindowProc();
  if (!FHandle || !ShouldHook()) return;
  if (FWinControl) {
    FSavedWndProc = FWinControl->WindowProc;
    FWinControl->WindowProc = [this](TMessage& M) { HandleMessage(M); };
  } else {
    FSavedWndProcPtr = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(FHandle, GWLP_WNDPROC));
    SetWindowLongPtrW(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FProcInstance));
  }
}

void TdxSkinWinController::DetachWindowProc() {
  if (!IsHooked()) return;
  // A hot part tracked for the skin has no meaning once the window is given back.
  StopLeaveTracking(this);
  if (FWinControl) FWinControl->WindowProc = FSavedWndProc;
  else SetWindowLongPtrW(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FSavedWndProcPtr));
  FSavedWndProc = nullptr;
  FSavedWndProcPtr = nullptr;
}

void TdxSkinWinController::ReleaseDependents() {
  if (!gWinControllers) return;
  for (auto& c : *gWinControllers)
    if (c->FMaster == this) c->FMaster = nullptr;
}

void TdxSkinWinController::Refresh() {
  if (FHandle)
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// Labels are drawn over the new background at once.
void TdxSkinWinController::Update() {
  AttachWindowProc();
  Refresh();
  Redraw(HasVirtualChilds());
}

void TdxSkinWinController::Redraw(bool AUpdateNow) {
  if (!FHandle) return;
  UINT flags = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME;
  if (AUpdateNow) flags |= RDW_UPDATENOW;
  RedrawWindow(FHandle, nullptr, nullptr, flags);
}

bool TdxSkinWinController::GetSkinName(std::wstring& ASkinName) const {
  ASkinName.clear();
  TcxExtendedStylePainters* registry = GetPainterRegistry();
  return registry && FLookAndFeelPainter && registry->GetNameByPainter(FLookAndFeelPainter, ASkinName);
}

void TdxSkinWinController::InitializeEngine(TdxSkinWinControllerClass AClass, HWND AHandle) {
  if (!AClass || FindControllerByHandle(AHandle)) return;
  TdxSkinWinController* controller = FindControllerByControl(FindControl(AHandle));
  if (controller) {
    controller->SetHandle(AHandle);
  } else {
    // Owned from the start: a master lookup that fails must not leak the new controller.
    std::unique_ptr<TdxSkinWinController> made(AClass->Construct(AHandle));
    made->FMaster = made->FindMasterController(AHandle);
    controller = made.release();
    AddWinController(controller);
  }
  controller->ChoosePainter();
  controller->Update();
}

void TdxSkinWinController::FinalizeEngine(HWND AHandle) {
  if (TdxSkinWinController* controller = FindControllerByHandle(AHandle)) ExtractWinController(controller).reset();
}

bool TdxSkinWinController::IsSkinActive(HWND AHandle) {
  TdxSkinWinController* controller = FindControllerByHandle(AHandle);
  return controller && controller->IsSkinUsed();
}

// The framework has no form styles: an MDI child is a form whose window the
// system made an MDI child.
bool TdxSkinWinController::IsMDIChildWindow(HWND AHandle) {
  return dynamic_cast<TCustomForm*>(FindControl(AHandle)) && (GetWindowLongW(AHandle, GWL_EXSTYLE) & WS_EX_MDICHILD);
}

bool TdxSkinWinController::IsMDIClientWindow(HWND AHandle) { return ClassNameIs(AHandle, {L"MDICLIENT"}); }

bool TdxSkinWinController::IsMessageDlgWindow(HWND AHandle) { return ClassNameIs(AHandle, {L"TMessageForm", L"TForm"}); }

}  // namespace talvik
