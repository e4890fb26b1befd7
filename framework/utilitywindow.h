// Hidden utility windows: message-only targets for timers and broadcasts,
// whose messages go to a bound handler.
#pragma once
#include <windows.h>

#include <functional>

namespace talvik {

// Returns the message's result; unhandled messages should go to DefWindowProcW.
using TWndMethod = std::function<LRESULT(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)>;

// A hidden top-level window (so that it also receives system broadcasts).
HWND AllocateHWnd(TWndMethod Method);
// A message-only window: posted messages and timers, no broadcasts. Cheaper to
// make than a top-level one, which the system gives a place on the desktop.
HWND AllocateMessageHWnd(TWndMethod Method);
void DeallocateHWnd(HWND Wnd);

}  // namespace talvik
