#include "framework/forms.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "framework/dpi.h"
#include "framework/sysutils.h"

namespace talvik {

// ---- TCustomForm ----

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  FVisible = false;
  FLeft = CW_USEDEFAULT;
  FTop = CW_USEDEFAULT;
}

TCustomForm::~TCustomForm() {
  SetDestroying();
  if (Application()->MainForm() == this) Application()->SetMainForm(nullptr);
  // Owned components (controls among them) go before the window they live in.
  while (!Components().empty()) delete Components().back();
}

void TCustomForm::SetBorderWidth(int Value) {
  FBorderWidth = Value;
  Realign();
}

void TCustomForm::SetClientSize(int AWidth, int AHeight) {
  FClientWidth = AWidth;
  FClientHeight = AHeight;
  if (FHandle) FitClientSize();
}

// A frame drawn by a skin is not the one the system's metrics describe.
void TCustomForm::FitClientSize(bool ACenter) {
  RECT window, client;
  GetWindowRect(FHandle, &window);
  GetClientRect(FHandle, &client);
  const int w = FClientWidth + (window.right - window.left) - client.right;
  const int h = FClientHeight + (window.bottom - window.top) - client.bottom;
  if (w == window.right - window.left && h == window.bottom - window.top) return;
  int x = window.left, y = window.top;
  if (ACenter && FPosition == poScreenCenter) {
    x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  }
  SetBounds(x, y, w, h);
}

void TCustomForm::ScaleForPPI(int ADpi) {
  FScaled = true;
  if (ADpi <= 0 || ADpi == FPixelsPerInch) return;
  const int from = FPixelsPerInch;
  FPixelsPerInch = ADpi;
  // The children that share the form's font follow it.
  FFont.SetHeight(ScaleValue(FFont.Height(), ADpi, from));
  FBorderWidth = ScaleValue(FBorderWidth, ADpi, from);
  for (int* limit : {&FConstraints.MinWidth, &FConstraints.MinHeight, &FConstraints.MaxWidth, &FConstraints.MaxHeight})
    *limit = ScaleValue(*limit, ADpi, from);
  FClientWidth = ScaleValue(FClientWidth, ADpi, from);
  FClientHeight = ScaleValue(FClientHeight, ADpi, from);
  for (TControl* c : Controls()) c->ChangeScale(ADpi, from);
}

// The window moves to a monitor of another scale: the system suggests the
// rectangle it would have there; the client area then fits the scaled form.
void TCustomForm::WMDpiChanged(TMessage& Message) {
  const int dpi = LOWORD(Message.WParam);
  const RECT suggested = *reinterpret_cast<const RECT*>(Message.LParam);
  ScaleForPPI(dpi);
  // Known as the size asked for, the move is no resize by the user that OnCanResize may refuse;
  // the frame is laid out again at the new scale.
  FWidth = suggested.right - suggested.left;
  FHeight = suggested.bottom - suggested.top;
  SetWindowPos(FHandle, nullptr, suggested.left, suggested.top, FWidth, FHeight,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  ReadWindowBounds();
  if (!FParent && (FClientWidth > 0 || FClientHeight > 0)) FitClientSize(false);
  Realign();
  Message.Result = 0;
}

RECT TCustomForm::ClientRect() const {
  if (FHandle) return TWinControl::ClientRect();
  return {0, 0, FClientWidth, FClientHeight};
}

void TCustomForm::AdjustClientRect(RECT& Rect) { InflateRect(&Rect, -FBorderWidth, -FBorderWidth); }

void TCustomForm::SetIcon(HICON Value) {
  FIcon = Value;
  if (FHandle) {
    SendMessageW(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Value));
    SendMessageW(FHandle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Value));
  }
}

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  if (FParent) {
    // A form placed inside another control is an ordinary child window.
    Params.Style |= WS_CLIPCHILDREN;
    Params.ExStyle |= WS_EX_CONTROLPARENT;
    return;
  }
  Params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_CAPTION;
  switch (FBorderStyle) {
    case bsNone: Params.Style = WS_POPUP | WS_CLIPCHILDREN; break;
    case bsSizeable: Params.Style |= WS_THICKFRAME; break;
    case bsDialog: Params.ExStyle |= WS_EX_DLGMODALFRAME; break;
    case bsSingle: break;
  }
  if (FBorderStyle != bsNone) {
    if (FBorderIcons & biSystemMenu) Params.Style |= WS_SYSMENU;
    if (FBorderIcons & biMinimize && FBorderStyle != bsDialog) Params.Style |= WS_MINIMIZEBOX;
    if (FBorderIcons & biMaximize && FBorderStyle != bsDialog) Params.Style |= WS_MAXIMIZEBOX;
  }
  Params.WndParent = nullptr;
  if (Application()->MainForm() == this || !Application()->MainForm()) {
    if (Application()->MainFormOnTaskBar) Params.ExStyle |= WS_EX_APPWINDOW;
    else Params.WndParent = Application()->Handle();
  } else {
    Params.WndParent = Application()->MainForm()->Handle();
  }
  if (FClientWidth > 0 || FClientHeight > 0) {
    RECT r{0, 0, FClientWidth, FClientHeight};
    AdjustWindowRectEx(&r, Params.Style, FALSE, Params.ExStyle);
    Params.Width = r.right - r.left;
    Params.Height = r.bottom - r.top;
  }
  if (FPosition == poScreenCenter) {
    Params.X = (GetSystemMetrics(SM_CXSCREEN) - Params.Width) / 2;
    Params.Y = (GetSystemMetrics(SM_CYSCREEN) - Params.Height) / 2;
  }
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  Realign();
}

void TCustomForm::ReadWindowBounds() {
  RECT r;
  GetWindowRect(FHandle, &r);
  FLeft = r.left;
  FTop = r.top;
  FWidth = r.right - r.left;
  FHeight = r.bottom - r.top;
}

// Fitted before the children exist: a resize then moves no child and lays
// nothing out twice.
void TCustomForm::WindowCreated() {
  ReadWindowBounds();
  if (FIcon) SetIcon(FIcon);
  // A scaled form whose window opened on a monitor of another scale than the system's.
  if (!FParent && FScaled) ScaleForPPI(WindowDpi(FHandle));
  if (!FParent && (FClientWidth > 0 || FClientHeight > 0)) FitClientSize();
}

void TCustomForm::Show() {
  HandleNeeded();
  FVisible = true;
  ShowWindow(FHandle, SW_SHOW);
  UpdateWindow(FHandle);
}

void TCustomForm::Close() {
  TCloseAction action = caHide;
  if (OnClose) OnClose(this, action);
  if (action == caNone) return;
  if (action == caMinimize) {
    ShowWindow(FHandle, SW_MINIMIZE);
    return;
  }
  if (Application()->MainForm() == this) {
    // The form stays alive until the loop ends: a handler may still be running below us.
    Application()->Terminate();
  }
  SetVisible(false);
}

void TCustomForm::SetActiveControl(TWinControl* Value) {
  if (Value == FActiveControl) return;
  if (FActiveControl) FActiveControl->RemoveFreeNotification(this);
  FActiveControl = Value;
  if (Value) Value->FreeNotification(this);
}

bool TCustomForm::FocusActiveControl() {
  TWinControl* c = FActiveControl;
  if (!c || !c->HandleAllocated() || !IsWindowVisible(c->Handle()) || !IsWindowEnabled(c->Handle())) return false;
  c->SetFocus();
  return true;
}

void TCustomForm::Loaded() {
  TWinControl::Loaded();
  if (FActiveControlName.empty()) return;
  auto* c = dynamic_cast<TWinControl*>(FindComponent(FActiveControlName));
  if (!c) InvalidPropertyValue(L"ActiveControl", FActiveControlName);
  SetActiveControl(c);
  FActiveControlName.clear();
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FActiveControl) FActiveControl = nullptr;
}

bool TCustomForm::BindEvent(TComponent*, const std::wstring&, const std::wstring&) { return false; }

bool TCustomForm::ReadProperty(const std::wstring& AName, const std::wstring& AValue) {
  if (AName == L"ClientWidth") SetClientSize(PropertyInt(AName, AValue), FClientHeight);
  else if (AName == L"ClientHeight") SetClientSize(FClientWidth, PropertyInt(AName, AValue));
  else if (AName == L"BorderWidth") SetBorderWidth(PropertyInt(AName, AValue));
  else if (AName == L"Constraints.MinWidth") FConstraints.MinWidth = PropertyInt(AName, AValue);
  else if (AName == L"Constraints.MinHeight") FConstraints.MinHeight = PropertyInt(AName, AValue);
  else if (AName == L"Constraints.MaxWidth") FConstraints.MaxWidth = PropertyInt(AName, AValue);
  else if (AName == L"Constraints.MaxHeight") FConstraints.MaxHeight = PropertyInt(AName, AValue);
  else if (AName == L"ActiveControl") FActiveControlName = AValue;  // named controls may come later
  else if (AName == L"Position")
    FPosition =
        PropertyEnum<TPosition>(AName, AValue, {{L"poScreenCenter", poScreenCenter}, {L"poDesigned", poDesigned}});
  else if (AName == L"BorderStyle")
    FBorderStyle = PropertyEnum<TFormBorderStyle>(
        AName, AValue,
        {{L"bsNone", bsNone}, {L"bsSingle", bsSingle}, {L"bsSizeable", bsSizeable}, {L"bsDialog", bsDialog}});
  else if (AName == L"BorderIcons") {
    // A set: [biSystemMenu, biMinimize]
    unsigned icons = 0;
    std::wstring item;
    for (wchar_t ch : AValue + L",") {
      if (ch == L'[' || ch == L']' || ch == L' ') continue;
      if (ch != L',') {
        item += ch;
        continue;
      }
      if (item == L"biSystemMenu") icons |= biSystemMenu;
      else if (item == L"biMinimize") icons |= biMinimize;
      else if (item == L"biMaximize") icons |= biMaximize;
      else if (!item.empty()) InvalidPropertyValue(AName, AValue);
      item.clear();
    }
    FBorderIcons = icons;
  } else
    return TWinControl::ReadProperty(AName, AValue);
  return true;
}

void TCustomForm::SelectNext(bool AForward) {
  std::vector<TWinControl*> stops;
  std::function<void(TWinControl*)> collect = [&](TWinControl* parent) {
    for (TControl* c : parent->Controls())
      if (auto* w = dynamic_cast<TWinControl*>(c); w && w->HandleAllocated() && IsWindowVisible(w->Handle()) &&
                                                    IsWindowEnabled(w->Handle())) {
        if (GetWindowLongW(w->Handle(), GWL_STYLE) & WS_TABSTOP) stops.push_back(w);
        collect(w);
      }
  };
  collect(this);
  if (stops.empty()) return;
  std::stable_sort(stops.begin(), stops.end(),
                   [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
  auto it = std::find_if(stops.begin(), stops.end(), [](TWinControl* w) { return w->Focused(); });
  size_t i = it == stops.end() ? (AForward ? stops.size() - 1 : 0) : it - stops.begin();
  i = AForward ? (i + 1) % stops.size() : (i + stops.size() - 1) % stops.size();
  stops[i]->SetFocus();
}

void TCustomForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TCustomForm::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case WM_GETMINMAXINFO: {
      TWinControl::WndProc(Message);
      auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
      const TSizeConstraints& c = FConstraints;
      if (c.MinWidth > 0) info->ptMinTrackSize.x = c.MinWidth;
      if (c.MinHeight > 0) info->ptMinTrackSize.y = c.MinHeight;
      if (c.MaxWidth > 0) info->ptMaxTrackSize.x = info->ptMaxSize.x = c.MaxWidth;
      if (c.MaxHeight > 0) info->ptMaxTrackSize.y = info->ptMaxSize.y = c.MaxHeight;
      return;
    }
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
      // The size kept through a minimize is the one a restore asks for, so a restore is never
      // refused; the window placement cannot tell (under Wine it still holds the minimized size).
      if (!(pos->flags & SWP_NOSIZE) && OnCanResize && !IsIconic(FHandle)) {
        if (pos->cx != FWidth || pos->cy != FHeight) {
          int w = pos->cx, h = pos->cy;
          bool resize = true;
          OnCanResize(this, w, h, resize);
          if (!resize) pos->flags |= SWP_NOSIZE;
          else pos->cx = w, pos->cy = h;
        }
      }
      break;
    }
    case WM_ACTIVATE:
      // Coming back to the window brings the keyboard back to the control that had it.
      if (LOWORD(Message.WParam) != WA_INACTIVE && !HIWORD(Message.WParam) && FocusActiveControl()) return;
      break;
    case CM_FOCUSCHANGED:
      // The news reaches forms inside this one too; each keeps only its own controls.
      if (auto* control = reinterpret_cast<TWinControl*>(Message.LParam); control && control != this) {
        for (TControl* c = control->Parent(); c; c = c->Parent())
          if (c == this) {
            SetActiveControl(control);
            break;
          }
      }
      break;
    case WM_DPICHANGED:
      if (!FParent) {
        WMDpiChanged(Message);
        return;
      }
      break;
    case WM_MOVE:
      if (FHandle && !IsIconic(FHandle)) {
        RECT r;
        GetWindowRect(FHandle, &r);
        FLeft = r.left;
        FTop = r.top;
      }
      break;
  }
  TWinControl::WndProc(Message);
}

// ---- TFrame ----

void TFrame::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
  Params.ExStyle |= WS_EX_CONTROLPARENT;
}

TCustomForm* GetParentForm(TControl* AControl, bool ATopForm) {
  TCustomForm* found = nullptr;
  for (TControl* c = AControl; c; c = c->Parent()) {
    if (auto* form = dynamic_cast<TCustomForm*>(c)) {
      found = form;
      if (!ATopForm) break;
    }
  }
  return found;
}

// ---- TApplication ----

namespace {
TApplication* gApplication = nullptr;
}

TApplication* Application() {
  if (!gApplication) gApplication = new TApplication();
  return gApplication;
}

TApplication* ExistingApplication() { return gApplication; }

TApplication::TApplication() = default;

TApplication::~TApplication() {
  FDestroying = true;
  if (FHandle) DestroyWindow(FHandle);
  if (gApplication == this) gApplication = nullptr;
}

HWND TApplication::Handle() {
  if (!FHandle) {
    static const bool registered = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = DefWindowProcW;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"TApplication";
      return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    FHandle = CreateWindowExW(0, L"TApplication", FTitle.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  return FHandle;
}

void TApplication::SetTitle(const std::wstring& Value) {
  FTitle = Value;
  if (FHandle) SetWindowTextW(FHandle, Value.c_str());
}

bool TApplication::ProcessMessage(MSG& Msg) {
  if (!PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (Msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  if (Msg.message == WM_KEYDOWN && Msg.wParam == VK_TAB) {
    if (auto* form = dynamic_cast<TCustomForm*>(FindControl(GetAncestor(Msg.hwnd, GA_ROOT)))) {
      form->SelectNext(GetKeyState(VK_SHIFT) >= 0);
      return true;
    }
  }
  TranslateMessage(&Msg);
  DispatchMessageW(&Msg);
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (!FTerminated && ProcessMessage(msg)) {
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) WaitMessage();
}

void TApplication::Run() {
  if (FMainForm) FMainForm->Show();
  while (!FTerminated) HandleMessage();
}

void TApplication::Terminate() {
  if (!FTerminated) PostQuitMessage(0);
}

void TApplication::HandleException(TObject* Sender) {
  std::wstring message;
  try {
    throw;
  } catch (const Exception& e) {
    message = e.Message();
  } catch (const std::exception& e) {
    message = Utf8ToWide(e.what());
  } catch (...) {
    message = L"Unknown error";
  }
  if (OnException) OnException(Sender, message);
  else ShowException(message);
}

void TApplication::ShowException(const std::wstring& AMessage) {
  HWND owner = FMainForm && FMainForm->HandleAllocated() ? FMainForm->Handle() : nullptr;
  MessageBoxW(owner, ExceptionReportText(AMessage).c_str(), FTitle.c_str(), MB_OK | MB_ICONERROR);
}

std::wstring ExceptionReportText(const std::wstring& AMessage) {
  if (!AMessage.empty() && AMessage.back() > L'.') return AMessage + L".";
  return AMessage;
}

}  // namespace talvik
