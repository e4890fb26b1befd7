#include "skinforms/skincontrolviewinfo.h"

#include "framework/stdctrls.h"
#include "skinforms/skinwincontroller.h"

namespace talvik {

// ---- TdxSkinCustomControlViewInfo ----

HWND TdxSkinCustomControlViewInfo::Handle() const { return FController->Handle(); }

RECT TdxSkinCustomControlViewInfo::ClientRect() const {
  RECT r{};
  GetWindowRect(Handle(), &r);
  return RECT{0, 0, r.right - r.left, r.bottom - r.top};
}

bool TdxSkinCustomControlViewInfo::IsEnabled() const { return IsWindowEnabled(Handle()) != FALSE; }

bool TdxSkinCustomControlViewInfo::IsFocused() const { return Handle() && GetFocus() == Handle(); }

bool TdxSkinCustomControlViewInfo::IsMouseAtControl() const {
  POINT p;
  if (!GetCursorPos(&p)) p = POINT{-1, -1};
  return Handle() && WindowFromPoint(p) == Handle();
}

// ---- TdxSkinButtonViewInfo ----

TdxSkinButtonViewInfo::TdxSkinButtonViewInfo(TdxSkinWinController* AController)
    : TdxSkinCustomControlViewInfo(AController) {
  GetWindowTextOf(Handle(), FCaption);
  UpdateState();
}

void TdxSkinButtonViewInfo::SetActive(bool Value) {
  if (Value == FActive) return;
  FActive = Value;
  UpdateState();
}

bool TdxSkinButtonViewInfo::IsDefault() const {
  auto* button = dynamic_cast<TButton*>(FController->WinControl());
  return button && button->Default();
}

bool TdxSkinButtonViewInfo::IsPressed() const { return (SendMessageW(Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }

void TdxSkinButtonViewInfo::SetState(TcxButtonState Value) {
  if (!IsEnabled()) Value = cxbsDisabled;
  if (Value == FState) return;
  FState = Value;
  if (FController->IsSkinUsed()) FController->Redraw(true);
}

bool TdxSkinButtonViewInfo::WordWrap() const { return (GetWindowLongW(Handle(), GWL_STYLE) & BS_MULTILINE) != 0; }

// A button with the focus looks like the default button; while some other
// control has it, the default button does.
void TdxSkinButtonViewInfo::UpdateActive(TWinControl* AFocused) {
  if (dynamic_cast<TButton*>(AFocused)) SetActive(AFocused == FController->WinControl());
  else SetActive(IsDefault());
}

void TdxSkinButtonViewInfo::UpdateState() {
  if (IsPressed()) SetState(cxbsPressed);
  else if (IsMouseAtControl()) SetState(cxbsHot);
  else SetState(FActive ? cxbsDefault : cxbsNormal);
}

}  // namespace talvik
