#include "framework/utilitywindow.h"

namespace talvik {

namespace {
const wchar_t kClassName[] = L"TalvikUtilWindow";

LRESULT CALLBACK UtilWindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (auto* method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrW(wnd, GWLP_USERDATA))) return (*method)(wnd, msg, wp, lp);
  return DefWindowProcW(wnd, msg, wp, lp);
}

void RegisterUtilClass() {
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = UtilWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    return RegisterClassW(&wc) != 0;
  }();
  (void)registered;
}

HWND Allocate(TWndMethod Method, DWORD AExStyle, DWORD AStyle, HWND AParent) {
  RegisterUtilClass();
  HWND wnd = CreateWindowExW(AExStyle, kClassName, L"", AStyle, 0, 0, 0, 0, AParent, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (wnd && Method) SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TWndMethod(std::move(Method))));
  return wnd;
}
}  // namespace

HWND AllocateHWnd(TWndMethod Method) { return Allocate(std::move(Method), WS_EX_TOOLWINDOW, WS_POPUP, nullptr); }

HWND AllocateMessageHWnd(TWndMethod Method) { return Allocate(std::move(Method), 0, 0, HWND_MESSAGE); }

void DeallocateHWnd(HWND Wnd) {
  if (!Wnd) return;
  auto* method = reinterpret_cast<TWndMethod*>(SetWindowLongPtrW(Wnd, GWLP_USERDATA, 0));
  DestroyWindow(Wnd);
  delete method;
}

}  // namespace talvik
