#include "skinforms/skinformcontroller.h"

#include <algorithm>

#include "framework/stdctrls.h"
#include "framework/sysutils.h"
#include "graphics/objectlinks.h"
#include "skinforms/formnonclientinfo.h"
#include "skinforms/formpainter.h"
#include "skinforms/skincontroller.h"
#include "skinforms/skinmessages.h"

namespace talvik {

// ---- TdxSkinFormController ----

TdxSkinWinControllerClass TdxSkinFormController::Class() {
  return ControllerClassOf<TdxSkinFormController>(L"TdxSkinFormController");
}

TdxSkinFormController::TdxSkinFormController(HWND AHandle) : TdxSkinWinController(AHandle) {
  FViewInfo = std::make_unique<TdxSkinFormNonClientAreaInfo>(this);
  FPainter = std::make_unique<TdxSkinFormPainter>(FViewInfo.get());
  if (IsMessageDlgWindow(AHandle)) PostMessageW(AHandle, WM_POSTMSGFORMINIT, 0, 0);
}

TdxSkinFormController::TdxSkinFormController(TdxSkinForm* ASkinForm) : TdxSkinFormController(ASkinForm->Handle()) {
  FSkinForm = ASkinForm;
}

// The form may outlive its controller (shut-down frees all controllers); a
// window that lives on loses the skin's region.
TdxSkinFormController::~TdxSkinFormController() {
  InvalidateObjectLinks(this);
  if (FSkinForm && FSkinForm->FController == this) FSkinForm->FController = nullptr;
  DetachWindowProc();
  if (FHasRegion && IsWindow(FHandle)) SetWindowRgn(FHandle, nullptr, FALSE);
  FHasRegion = false;
  FPainter.reset();
  FViewInfo.reset();
}

bool TdxSkinFormController::GetIsSkinUsed() const { return TdxSkinWinController::GetIsSkinUsed() && FViewInfo; }

// The system's own procedure, not the window's: nothing else sees the switch.
void TdxSkinFormController::LockRedraw() {
  if (FLockRedrawCount++ == 0) DefWindowProcW(FHandle, WM_SETREDRAW, FALSE, 0);
}

void TdxSkinFormController::UnlockRedraw() {
  if (FLockRedrawCount-- == 1) DefWindowProcW(FHandle, WM_SETREDRAW, TRUE, 0);
}

TCustomForm* TdxSkinFormController::Form() const {
  if (FSkinForm) return FSkinForm;
  return dynamic_cast<TCustomForm*>(FWinControl);
}

bool TdxSkinFormController::ShouldHook() { return IsSkinUsed() && !FSkinForm; }

void TdxSkinFormController::CallSavedWindowProc(TMessage& Message) {
  if (FSkinForm) FSkinForm->InheritedWndProc(Message);
  else TdxSkinWinController::CallSavedWindowProc(Message);
}

namespace {
// The skin controllers from the last made to the first, passing over those being
// destroyed: the first asked chooses, the others can only supply a skin through
// OnSkinForm. Creation and refresh choose alike. The list is copied, since handlers
// may make or free controllers; one freed meanwhile is not asked.
TcxCustomLookAndFeelPainterClass ChooseFormPainter(TCustomForm* AForm) {
  const std::vector<TdxSkinController*> controllers = SkinControllerList();
  bool first = true;
  for (auto it = controllers.rbegin(); it != controllers.rend(); ++it) {
    const auto& live = SkinControllerList();
    if (std::find(live.begin(), live.end(), *it) == live.end()) continue;
    if ((*it)->ComponentState() & csDestroying) continue;
    TcxCustomLookAndFeelPainterClass painter = nullptr;
    if (first) {
      painter = (*it)->GetPainterForForm(AForm);
      first = false;
    } else {
      std::wstring name;
      bool useSkin = false;
      painter = (*it)->QuerySkinForm(AForm, name, useSkin);
    }
    if (painter) return painter;
  }
  return nullptr;
}
}  // namespace

void TdxSkinFormController::ChoosePainter() {
  if (TCustomForm* form = Form()) FLookAndFeelPainter = ChooseFormPainter(form);
}

// The title may have changed while the window was not skinned, when no handler of
// ours saw it: the caption is read again before the new choice draws it.
void TdxSkinFormController::RefreshController() {
  if (FViewInfo) FViewInfo->UpdateFormCaption();
  FLookAndFeelPainter = nullptr;
  if (TCustomForm* form = Form()) FLookAndFeelPainter = ChooseFormPainter(form);
}

void TdxSkinFormController::Update() {
  TdxSkinWinController::Update();
  if (!FHandle) return;
  if (IsSkinUsed()) UpdateWindowRegion();
  else ResetWindowRegion(false);
}

void TdxSkinFormController::CalculateViewInfo() { FViewInfo->Calculate(); }

void TdxSkinFormController::RecalculateAndPaint() {
  CalculateViewInfo();
  PaintNonClientArea(nullptr);
}

namespace {
// Pairs the painter's BeginPaint with EndPaint, also when drawing fails.
struct TPaintScope {
  TdxSkinFormPainter* Painter;
  TPaintScope(TdxSkinFormPainter* APainter, HDC DC) : Painter(APainter) { Painter->BeginPaint(DC); }
  ~TPaintScope() { Painter->EndPaint(); }
};
}  // namespace

void TdxSkinFormController::PaintNonClientArea(HDC DC) {
  if (!FPainter || !FHandle) return;
  TPaintScope paint(FPainter.get(), DC);
  FPainter->DrawWindowBorder();
}

void TdxSkinFormController::PaintBackground(HDC DC) {
  if (!FPainter || !FHandle) return;
  TPaintScope paint(FPainter.get(), DC);
  FPainter->DrawWindowBackground();
}

// ---- window region

namespace {
bool HasWindowRegion(HWND AHandle, HRGN ARegion) {
  HRGN current = CreateRectRgn(0, 0, 0, 0);
  const bool same = GetWindowRgn(AHandle, current) != ERROR && EqualRgn(current, ARegion);
  DeleteObject(current);
  return same;
}
}  // namespace

void TdxSkinFormController::UpdateWindowRegion() {
  if (!FHandle || !FViewInfo) return;
  if (!FViewInfo->HasBorder()) {
    ResetWindowRegion(true);
    return;
  }
  HRGN region = CreateRectRgnIndirect(&FViewInfo->WindowBounds());
  // Keeps a maximized window on its monitor.
  if (FViewInfo->IsZoomed() && !FViewInfo->HasSizeConstraints()) {
    const RECT screen = FViewInfo->ScreenToClient(FViewInfo->ScreenRect());
    HRGN monitor = CreateRectRgnIndirect(&screen);
    CombineRgn(region, region, monitor, RGN_AND);
    DeleteObject(monitor);
  }
  // Setting the region the window has already repaints all of it for nothing.
  if (FHasRegion && HasWindowRegion(FHandle, region)) {
    DeleteObject(region);
    return;
  }
  // The system owns the region from here on.
  SetWindowRgn(FHandle, region, TRUE);
  FHasRegion = true;
}

void TdxSkinFormController::ResetWindowRegion(bool APostRedraw) {
  if (!FHasRegion) return;
  FHasRegion = false;
  SetWindowRgn(FHandle, nullptr, FALSE);
  if (APostRedraw) PostMessageW(FHandle, WM_POSTREDRAW, 0, 0);
}

void TdxSkinFormController::PostRedrawIfNeeded() {
  if (IsWin2K() || FViewInfo->NativeBorderWidth()) PostMessageW(FHandle, WM_POSTREDRAW, 0, 0);
}

// ---- hot state

bool TdxSkinFormController::UpdateNonClientState(bool ARedraw) {
  bool changed = FViewInfo->UpdateIconStates();
  TdxSkinFormScrollBar bar;
  TcxScrollBarPart part;
  if (FViewInfo->TrackIcon() != sfiMenu) {
    StartLeaveTracking(nullptr, FViewInfo->ClientToScreen(FViewInfo->IconBounds(FViewInfo->TrackIcon())), this);
  } else if (FViewInfo->GetScrollBarHitTest(bar, part)) {
    changed = !IsLeaveTracking(this);
    StartLeaveTracking(nullptr, FViewInfo->ClientToScreen(FViewInfo->ScrollBarPartBounds(bar, part)), this);
  } else {
    changed = changed || IsLeaveTracking(this);
    StopLeaveTracking(this);
  }
  if (ARedraw || changed) RecalculateAndPaint();
  return changed;
}

void TdxSkinFormController::NotifyMouseLeave() {
  // Without a skin the system draws the frame: skinned pixels must not come back over it.
  if (!FHandle || !FViewInfo || !IsSkinUsed()) return;
  UnlockRedraw();
  UpdateNonClientState(true);
  UpdateWindow(FHandle);
  LockRedraw();
}

void TdxSkinFormController::MakeLabelsTransparent() {
  TCustomForm* form = Form();
  if (!form) return;
  const auto children = form->Controls();
  for (auto it = children.rbegin(); it != children.rend(); ++it)
    if (auto* label = dynamic_cast<TLabel*>(*it)) label->SetTransparent(true);
}

// ---- TdxSkinFrameController ----

TdxSkinWinControllerClass TdxSkinFrameController::Class() {
  return ControllerClassOf<TdxSkinFrameController>(L"TdxSkinFrameController");
}

TdxSkinWinController* TdxSkinFrameController::FindMasterController(HWND) { return FindParentFormController(); }

void TdxSkinFrameController::PaintBackground(HDC DC) {
  TWinControl* frame = WinControl();
  if (!frame || !(frame->ControlStyle() & csParentBackground)) {
    TdxSkinFormController::PaintBackground(DC);
    return;
  }
  if (!Painter() || !FHandle) return;
  TPaintScope paint(Painter(), DC);
  DrawParentBackground(frame, Painter()->Canvas(), ViewInfo()->ClientBounds());
}

// ---- TdxSkinForm ----

TdxSkinForm::~TdxSkinForm() { FreeController(); }

void TdxSkinForm::FreeController() {
  if (!FController) return;
  TdxSkinFormController* controller = FController;
  FController = nullptr;
  ExtractWinController(controller).reset();
}

void TdxSkinForm::CreateWnd() {
  TForm::CreateWnd();
  PostMessageW(FHandle, WM_POSTCHECKRGN, 0, 0);
}

void TdxSkinForm::DestroyWnd() {
  FreeController();
  TForm::DestroyWnd();
}

void TdxSkinForm::WndProc(TMessage& Message) {
  if (IsRegisteredMessage(Message.Msg, WM_HASOWNSKINENGINE)) {
    Message.Result = 1;
    return;
  }
  if (Message.Msg == WM_DESTROY) FreeController();
  if (FController && FController->Handle()) FController->HandleMessage(Message);
  else InheritedWndProc(Message);
  // Made once the window exists and before the controls on it: they take this form's skin.
  // Outside the skinned windows' start-up and shut-down there is no list to own it.
  if (Message.Msg == WM_CREATE && !FController && WinControllerList()) {
    FController = new TdxSkinFormController(this);
    AddWinController(FController);
    FController->ChoosePainter();
    FController->Update();
  }
}

// ---- TdxSkinFormHelper ----

TCustomForm* TdxSkinFormHelper::GetForm(HWND AHandle) { return dynamic_cast<TCustomForm*>(FindControl(AHandle)); }

TCustomForm* TdxSkinFormHelper::GetActiveMDIChild(HWND AHandle) {
  if (!GetForm(AHandle)) return nullptr;
  HWND client = FindWindowExW(AHandle, nullptr, L"MDICLIENT", nullptr);
  if (!client) return nullptr;
  return GetForm(reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)));
}

TCustomForm* TdxSkinFormHelper::GetZoomedMDIChild(HWND AHandle) {
  TCustomForm* child = GetActiveMDIChild(AHandle);
  return child && IsZoomed(child->Handle()) ? child : nullptr;
}

int TdxSkinFormHelper::GetContentOffset(HWND AHandle) {
  TCustomForm* form = GetForm(AHandle);
  return form ? form->BorderWidth() : 0;
}

bool TdxSkinFormHelper::HasClientEdge(HWND AHandle) {
  return (GetWindowLongW(AHandle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
}

bool TdxSkinFormHelper::IsAlphaBlendUsed(HWND AHandle) {
  HWND decides = AHandle;
  if (HWND parent = GetParent(AHandle); parent && TdxSkinWinController::IsMDIClientWindow(parent))
    decides = GetParent(parent);
  return (GetWindowLongW(decides, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
}

}  // namespace talvik
