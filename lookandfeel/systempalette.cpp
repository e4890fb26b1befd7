#include "lookandfeel/systempalette.h"

#include <algorithm>

#include "framework/forms.h"
#include "framework/utilitywindow.h"
#include "lookandfeel/office2003colors.h"

namespace talvik {

namespace {
TcxSystemPaletteChangedListener* gListener = nullptr;
int gListenerUsers = 0;

void Remove(std::vector<TcxSystemPaletteChangedNotifier*>& AList, TcxSystemPaletteChangedNotifier* ANotifier) {
  AList.erase(std::remove(AList.begin(), AList.end(), ANotifier), AList.end());
}

// Last added first. A notifier may free itself or others while it is told:
// only those still subscribed are told. A failing notifier is reported and
// the others are still told.
void NotifyFromLast(const std::vector<TcxSystemPaletteChangedNotifier*>& AList) {
  std::vector<TcxSystemPaletteChangedNotifier*> snapshot(AList.rbegin(), AList.rend());
  for (TcxSystemPaletteChangedNotifier* notifier : snapshot) {
    if (std::find(AList.begin(), AList.end(), notifier) == AList.end()) continue;
    try {
      notifier->PaletteChanged();
    } catch (...) {
      Application()->HandleException(nullptr);
    }
  }
}
}  // namespace

TcxSystemPaletteChangedNotifier::TcxSystemPaletteChangedNotifier(bool AIsPrimary) : FIsPrimary(AIsPrimary) {
  AcquirePaletteListener()->AddNotifier(this, FIsPrimary);
}

TcxSystemPaletteChangedNotifier::~TcxSystemPaletteChangedNotifier() {
  if (gListener) gListener->RemoveNotifier(this, FIsPrimary);
  ReleasePaletteListener();
}

void TcxSystemPaletteChangedNotifier::PaletteChanged() {
  if (OnSystemPaletteChanged) OnSystemPaletteChanged();
}

TcxSystemPaletteChangedListener::TcxSystemPaletteChangedListener() {
  Office2003ColorsAddRef();
  FWindowHandle = AllocateHWnd([this](HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    return WndProc(Wnd, Msg, WParam, LParam);
  });
}

TcxSystemPaletteChangedListener::~TcxSystemPaletteChangedListener() {
  FNotifierList.clear();
  FPrimaryNotifierList.clear();
  DeallocateHWnd(FWindowHandle);
  Office2003ColorsRelease();
}

void TcxSystemPaletteChangedListener::AddNotifier(TcxSystemPaletteChangedNotifier* ANotifier, bool AIsPrimary) {
  (AIsPrimary ? FPrimaryNotifierList : FNotifierList).push_back(ANotifier);
}

void TcxSystemPaletteChangedListener::RemoveNotifier(TcxSystemPaletteChangedNotifier* ANotifier, bool AIsPrimary) {
  Remove(AIsPrimary ? FPrimaryNotifierList : FNotifierList, ANotifier);
}

// The Office 2003 colours are fresh before any subscriber draws with them.
void TcxSystemPaletteChangedListener::DoPaletteChanged() {
  Office2003ColorsReload();
  NotifyFromLast(FPrimaryNotifierList);
  NotifyFromLast(FNotifierList);
}

LRESULT TcxSystemPaletteChangedListener::WndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg == WM_SYSCOLORCHANGE) DoPaletteChanged();
  return DefWindowProcW(Wnd, Msg, WParam, LParam);
}

TcxSystemPaletteChangedListener* AcquirePaletteListener() {
  if (gListenerUsers++ == 0) gListener = new TcxSystemPaletteChangedListener();
  return gListener;
}

void ReleasePaletteListener() {
  if (gListenerUsers == 0) return;
  if (--gListenerUsers == 0) {
    delete gListener;
    gListener = nullptr;
  }
}

TcxSystemPaletteChangedListener* PaletteListener() { return gListener; }

}  // namespace talvik
