#include "lookandfeel/themechangereceiver.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "framework/forms.h"
#include "framework/utilitywindow.h"
#include "lookandfeel/themecache.h"
#include "lookandfeel/themes.h"

namespace talvik {

namespace {
class TdxThemeChangedEventReceiver {
public:
  TdxThemeChangedEventReceiver() : FWindowHandle(AllocateHWnd(WndProc)) {}
  ~TdxThemeChangedEventReceiver() {
    SetVisualStylesActive(false);
    DeallocateHWnd(FWindowHandle);
  }
  HWND Handle() const { return FWindowHandle; }

private:
  static LRESULT WndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
  HWND FWindowHandle;
};

TdxThemeChangedEventReceiver* Receiver = nullptr;

// A round of calls; it stays on the right item when the list changes under it.
struct TRound {
  size_t Next = 0, End = 0;
};

struct TNotificatorList {
  std::vector<TdxThemeChangedNotificator*> Items;
  std::vector<TRound*> Rounds;
};
TNotificatorList* Notificators = nullptr;

// A notificator that an earlier one freed in the same round is not called;
// one created during the round waits for the next switch.
void NotifyThemeChanged() {
  if (!Notificators) return;
  TRound Round{0, Notificators->Items.size()};
  Notificators->Rounds.push_back(&Round);
  struct TLeave {
    ~TLeave() {
      if (Notificators) Notificators->Rounds.pop_back();
    }
  } Leave;
  while (Notificators && Round.Next < Round.End) {
    // A copy, since the handler may free its own notificator.
    std::function<void()> Handler = Notificators->Items[Round.Next++]->OnThemeChanged;
    if (Handler) Handler();
  }
}

LRESULT TdxThemeChangedEventReceiver::WndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg != WM_THEMECHANGED) return DefWindowProcW(Wnd, Msg, WParam, LParam);
  try {
    CloseAllThemeHandles();
    DefWindowProcW(Wnd, Msg, WParam, LParam);
    SetVisualStylesActive(IsThemeActive());
    NotifyThemeChanged();
  } catch (...) {
    Application()->HandleException(nullptr);
  }
  return 0;
}
}  // namespace

void CreateThemeChangedReceiver() {
  if (!Receiver) Receiver = new TdxThemeChangedEventReceiver;
}

void DestroyThemeChangedReceiver() {
  delete Receiver;
  Receiver = nullptr;
}

HWND ThemeChangedReceiverWindow() { return Receiver ? Receiver->Handle() : nullptr; }

void CreateThemeChangedNotificatorList() {
  if (!Notificators) Notificators = new TNotificatorList;
}

void FreeThemeChangedNotificatorList() {
  delete Notificators;
  Notificators = nullptr;
}

TdxThemeChangedNotificator::TdxThemeChangedNotificator() {
  if (IsUxThemeLoaded() && Notificators) Notificators->Items.push_back(this);
}

TdxThemeChangedNotificator::~TdxThemeChangedNotificator() {
  if (!IsUxThemeLoaded() || !Notificators) return;
  auto& Items = Notificators->Items;
  auto It = std::find(Items.begin(), Items.end(), this);
  if (It == Items.end()) return;
  size_t Removed = It - Items.begin();
  Items.erase(It);
  for (TRound* Round : Notificators->Rounds) {
    if (Removed < Round->Next) --Round->Next;
    if (Removed < Round->End) --Round->End;
  }
}

}  // namespace talvik
