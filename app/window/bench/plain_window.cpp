// The start-up bench's baseline: a plain Win32 window of class TForm1 with the
// album window's controls (two labels, an edit box, a button and a memo), its
// size and font, shown and answering; no skin, no browser, no framework. Aware
// of the display's scale as the album window is: lengths and font grow with it.
#include <windows.h>

namespace {

int gDpi = 96;
int Scale(int AValue) { return MulDiv(AValue, gDpi, 96); }

LRESULT CALLBACK WndProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(w, m, wp, lp);
}

void Child(HWND AParent, HFONT AFont, const wchar_t* AClass, const wchar_t* AText, DWORD AStyle, int X, int Y, int W,
           int H, DWORD AExStyle = 0) {
  HWND c = CreateWindowExW(AExStyle, AClass, AText, WS_CHILD | WS_VISIBLE | AStyle, Scale(X), Scale(Y), Scale(W),
                           Scale(H), AParent, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(AFont), FALSE);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE AInstance, HINSTANCE, LPWSTR, int AShow) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = AInstance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"TForm1";
  RegisterClassW(&wc);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  HDC screen = GetDC(nullptr);
  gDpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  RECT r{0, 0, Scale(504), Scale(350)};
  AdjustWindowRect(&r, style, FALSE);
  HWND form = CreateWindowExW(0, L"TForm1", L"Tolrike作品", style, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
                              r.bottom - r.top, nullptr, nullptr, AInstance, nullptr);
  HFONT font = CreateFontW(Scale(-11), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  Child(form, font, L"STATIC", L"使用本程序之前，请先确认你的Talvik设置为自动登陆。否则可能由于权限问题下载不了。", 0,
        8, 8, 468, 13);
  Child(form, font, L"STATIC", L"相册地址：", 0, 8, 32, 60, 13);
  Child(form, font, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, 63, 29, 354, 21, WS_EX_CLIENTEDGE);
  Child(form, font, L"BUTTON", L"正在加载", WS_TABSTOP | WS_DISABLED, 423, 26, 71, 25);
  Child(form, font, L"EDIT", L"", ES_MULTILINE | ES_READONLY | WS_VSCROLL, 0, 57, 504, 293, WS_EX_CLIENTEDGE);
  ShowWindow(form, AShow);
  UpdateWindow(form);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  DeleteObject(font);
  return 0;
}
