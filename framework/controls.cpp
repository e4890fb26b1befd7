#include "framework/controls.h"

#include <algorithm>
#include <array>
#include <map>
#include <unordered_map>
#include <utility>

#include "framework/dpi.h"
#include "framework/forms.h"
#include "framework/sysutils.h"

namespace talvik {

int(WINAPI* FlatSB_SetScrollPos)(HWND, int, int, BOOL) = ::SetScrollPos;
int(WINAPI* FlatSB_SetScrollInfo)(HWND, int, LPCSCROLLINFO, BOOL) = ::SetScrollInfo;

namespace {

std::unordered_map<HWND, TWinControl*>& WindowControls() {
  static std::unordered_map<HWND, TWinControl*> map;
  return map;
}

// The control whose window is being created: its first messages arrive before
// CreateWindowExW returns the handle.
TWinControl* gCreating = nullptr;

// Window procedures of the platform classes that framework classes extend, by framework class name.
std::map<std::wstring, WNDPROC>& BaseProcs() {
  static std::map<std::wstring, WNDPROC> procs;
  return procs;
}

}  // namespace

TWinControl* FindControl(HWND Wnd) {
  if (!Wnd) return nullptr;
  auto it = WindowControls().find(Wnd);
  return it == WindowControls().end() ? nullptr : it->second;
}

class TWinControlAccess {
public:
  static void Attach(TWinControl* C, HWND W) { C->Attach(W); }
  static void Detach(TWinControl* C) { C->Detach(); }
};

LRESULT CALLBACK ControlWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  TWinControl* control = FindControl(Wnd);
  if (!control && gCreating) {
    control = gCreating;
    gCreating = nullptr;
    TWinControlAccess::Attach(control, Wnd);
  }
  if (!control) return DefWindowProcW(Wnd, Msg, WParam, LParam);
  TMessage message{Msg, WParam, LParam, 0};
  try {
    control->WindowProc(message);
  } catch (...) {
    // An error leaving a handler is reported, and the window goes on.
    Application()->HandleException(control);
  }
  if (Msg == WM_NCDESTROY) TWinControlAccess::Detach(control);
  return message.Result;
}

// ---- property values ----

void InvalidPropertyValue(const std::wstring& AName, const std::wstring& AValue) {
  throw EReadError(Format(L"Invalid property value %s for %s", {AValue, AName}));
}

int PropertyInt(const std::wstring& AName, const std::wstring& AValue) {
  try {
    size_t used = 0;
    int v = std::stoi(AValue, &used, 0);
    if (used == AValue.size()) return v;
  } catch (const std::exception&) {
  }
  InvalidPropertyValue(AName, AValue);
}

bool PropertyBool(const std::wstring& AName, const std::wstring& AValue) {
  if (AValue == L"True" || AValue == L"true") return true;
  if (AValue == L"False" || AValue == L"false") return false;
  InvalidPropertyValue(AName, AValue);
}

TColor PropertyColor(const std::wstring& AName, const std::wstring& AValue) {
  static const std::pair<const wchar_t*, TColor> kNames[] = {
      {L"clBtnFace", clBtnFace}, {L"clWindow", clWindow}, {L"clWindowText", clWindowText},
      {L"clBlack", static_cast<TColor>(0)}, {L"clWhite", static_cast<TColor>(0xFFFFFF)},
      {L"clNone", clNone}, {L"clDefault", clDefault}};
  for (auto& [name, color] : kNames)
    if (AValue == name) return color;
  return static_cast<TColor>(PropertyInt(AName, AValue));
}

// ---- TControl ----

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  WindowProc = [this](TMessage& M) { WndProc(M); };
  FFont.OnChange = [this](TObject*) {
    if (!FTakingParentFont) FParentFont = false;  // a font of its own from now on
    FontChanged();
  };
}

TControl::~TControl() {
  if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  if (AParent == this) throw EInvalidOperation(L"A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FParent) FParent->Invalidate();
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  Invalidate();
}

void TControl::ChangeScale(int AToDpi, int AFromDpi) {
  if (!FParentFont) FFont.SetHeight(ScaleValue(FFont.Height(), AToDpi, AFromDpi));
  SetBounds(ScaleValue(FLeft, AToDpi, AFromDpi), ScaleValue(FTop, AToDpi, AFromDpi),
            ScaleValue(FWidth, AToDpi, AFromDpi), ScaleValue(FHeight, AToDpi, AFromDpi));
}

void TControl::SetParentFont(bool Value) {
  FParentFont = Value;
  if (Value && FParent) TakeParentFont(FParent->Font());
}

void TControl::TakeParentFont(TFont& AFont) {
  FTakingParentFont = true;
  FFont.Assign(&AFont);
  FTakingParentFont = false;
}

void TControl::SetAlign(TAlign Value) {
  FAlign = Value;
  if (FParent) FParent->Realign();
}

void TControl::SetVisible(bool Value) {
  FVisible = Value;
  if (FParent) FParent->Invalidate();
}

void TControl::SetEnabled(bool Value) {
  FEnabled = Value;
  Invalidate();
}

void TControl::SetText(const std::wstring& Value) {
  FText = Value;
  Invalidate();
}

void TControl::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Perform(CM_COLORCHANGED);
  Invalidate();
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage message{Msg, WParam, LParam, 0};
  WindowProc(message);
  return message.Result;
}

void TControl::Invalidate() {}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::WndProc(TMessage& Message) { DefaultHandler(Message); }

void TControl::DefaultHandler(TMessage& Message) {}

void TControl::FontChanged() { Invalidate(); }

bool TControl::ReadProperty(const std::wstring& AName, const std::wstring& AValue) {
  if (AName == L"Left") SetLeft(PropertyInt(AName, AValue));
  else if (AName == L"Top") SetTop(PropertyInt(AName, AValue));
  else if (AName == L"Width") SetWidth(PropertyInt(AName, AValue));
  else if (AName == L"Height") SetHeight(PropertyInt(AName, AValue));
  else if (AName == L"Caption" || AName == L"Text") SetText(AValue);
  else if (AName == L"Visible") SetVisible(PropertyBool(AName, AValue));
  else if (AName == L"Enabled") SetEnabled(PropertyBool(AName, AValue));
  else if (AName == L"Color") SetColor(PropertyColor(AName, AValue));
  else if (AName == L"TabOrder") SetTabOrder(PropertyInt(AName, AValue));
  else if (AName == L"ParentFont") SetParentFont(PropertyBool(AName, AValue));
  else if (AName == L"Font.Name") FFont.SetName(AValue);
  else if (AName == L"Font.Height") FFont.SetHeight(PropertyInt(AName, AValue));
  else if (AName == L"Font.Charset") FFont.SetCharset(static_cast<BYTE>(PropertyInt(AName, AValue)));
  else if (AName == L"Font.Color") FFont.SetColor(PropertyColor(AName, AValue));
  else if (AName == L"Align")
    SetAlign(PropertyEnum<TAlign>(AName, AValue,
                                  {{L"alNone", alNone}, {L"alTop", alTop}, {L"alBottom", alBottom},
                                   {L"alLeft", alLeft}, {L"alRight", alRight}, {L"alClient", alClient}}));
  else
    return false;
  return true;
}

// ---- TGraphicControl ----

void TGraphicControl::Invalidate() {
  if (FParent && FParent->HandleAllocated()) {
    RECT r = BoundsRect();
    InvalidateRect(FParent->Handle(), &r, TRUE);
  }
}

// ---- TWinControl ----

namespace {
// In the coordinates SetWindowPos takes: the parent's client area for a child, the screen otherwise.
bool HasWindowBounds(HWND AWnd, const RECT& ABounds) {
  RECT r;
  if (!GetWindowRect(AWnd, &r)) return false;
  if (GetWindowLongW(AWnd, GWL_STYLE) & WS_CHILD)
    MapWindowPoints(HWND_DESKTOP, GetParent(AWnd), reinterpret_cast<POINT*>(&r), 2);
  return EqualRect(&r, &ABounds);
}
}  // namespace

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  // Children owned elsewhere lose their parent; their windows go with ours.
  while (!FControls.empty()) RemoveControl(FControls.back());
  if (FHandle) DestroyWnd();
  if (FBrush) DeleteObject(FBrush);
}

HWND TWinControl::Handle() {
  if (!FHandle) {
    if (FParent) FParent->HandleNeeded();
    if (!FHandle) CreateWnd();
  }
  return FHandle;
}

void TWinControl::UpdateControlState() {
  if (!FHandle && FParent && FParent->HandleAllocated()) CreateWnd();
}

void TWinControl::InsertControl(TControl* AControl) {
  FControls.push_back(AControl);
  AControl->FParent = this;
  if (AControl->FParentFont) AControl->TakeParentFont(FFont);
  if (auto* win = dynamic_cast<TWinControl*>(AControl)) win->UpdateControlState();
  if (AControl->Align() != alNone) Realign();
  AControl->Invalidate();
}

void TWinControl::RemoveControl(TControl* AControl) {
  auto it = std::find(FControls.begin(), FControls.end(), AControl);
  if (it == FControls.end()) return;
  AControl->Invalidate();
  FControls.erase(it);
  AControl->FParent = nullptr;
  if (auto* win = dynamic_cast<TWinControl*>(AControl); win && win->FHandle) win->DestroyWnd();
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params.Caption = FText;
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FVisible) Params.Style |= WS_VISIBLE;
  if (!FEnabled) Params.Style |= WS_DISABLED;
  Params.X = FLeft;
  Params.Y = FTop;
  Params.Width = FWidth;
  Params.Height = FHeight;
  Params.WndParent = FParent ? FParent->Handle() : nullptr;
  Params.WinClassName = ClassName();
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if (params.Style & WS_CHILD && !params.WndParent)
    throw EInvalidOperation(Format(L"Control '%s' has no parent window", {Name()}));
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{sizeof(wc)};
  if (!GetClassInfoExW(instance, params.WinClassName.c_str(), &wc)) {
    wc = WNDCLASSEXW{sizeof(wc)};
    WNDPROC base = DefWindowProcW;
    if (!params.SubClassOf.empty()) {
      if (!GetClassInfoExW(nullptr, params.SubClassOf.c_str(), &wc))
        throw EOSError(Format(L"Window class %s not found", {params.SubClassOf}));
      base = wc.lpfnWndProc;
    } else {
      wc.style = params.ClassStyle;
      wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    }
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ControlWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = params.WinClassName.c_str();
    wc.style &= ~CS_GLOBALCLASS;
    if (!RegisterClassExW(&wc)) throw EOSError(SysErrorMessage(GetLastError()));
    BaseProcs()[params.WinClassName] = base;
  }
  FDefWndProc = BaseProcs()[params.WinClassName];
  gCreating = this;
  HWND wnd = CreateWindowExW(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style,
                             params.X, params.Y, params.Width, params.Height, params.WndParent, nullptr,
                             instance, nullptr);
  gCreating = nullptr;
  if (!wnd) throw EOSError(Format(L"Error creating window: %s", {SysErrorMessage(GetLastError())}));
  ApplyFont();
  WindowCreated();
  for (TControl* child : std::vector<TControl*>(FControls))
    if (auto* win = dynamic_cast<TWinControl*>(child); win && !win->FHandle) win->CreateWnd();
  Realign();
}

void TWinControl::DestroyWnd() {
  if (!FHandle) return;
  // Keep what the window holds, so that a new window shows the same.
  FText = Text();
  DestroyWindow(FHandle);
  if (FHandle) Detach();
}

void TWinControl::Attach(HWND Wnd) {
  FHandle = Wnd;
  WindowControls()[Wnd] = this;
}

void TWinControl::Detach() {
  WindowControls().erase(FHandle);
  FHandle = nullptr;
  for (TControl* child : FControls)
    if (auto* win = dynamic_cast<TWinControl*>(child); win && win->FHandle && !IsWindow(win->FHandle))
      win->Detach();
}

void TWinControl::ApplyFont() {
  if (FHandle) SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), TRUE);
}

void TWinControl::FontChanged() {
  ApplyFont();
  Invalidate();
  for (TControl* c : FControls)
    if (c->FParentFont) c->TakeParentFont(FFont);
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const bool resized = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  // Every realignment sets every child's bounds: a window already there is not
  // moved again (under a skin that would lay its frame out once more).
  if (FHandle && !HasWindowBounds(FHandle, {ALeft, ATop, ALeft + AWidth, ATop + AHeight}))
    SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  if (resized) Realign();
}

RECT TWinControl::ClientRect() const {
  RECT r{0, 0, FWidth, FHeight};
  if (FHandle) GetClientRect(FHandle, &r);
  return r;
}

void TWinControl::Realign() {
  if (FRealigning) return;
  FRealigning = true;
  RECT r = ClientRect();
  AdjustClientRect(r);
  for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TControl* c : FControls) {
      if (c->Align() != pass || !c->Visible()) continue;
      int w = c->Width(), h = c->Height();
      switch (pass) {
        case alTop: c->SetBounds(r.left, r.top, r.right - r.left, h); r.top += h; break;
        case alBottom: c->SetBounds(r.left, r.bottom - h, r.right - r.left, h); r.bottom -= h; break;
        case alLeft: c->SetBounds(r.left, r.top, w, r.bottom - r.top); r.left += w; break;
        case alRight: c->SetBounds(r.right - w, r.top, w, r.bottom - r.top); r.right -= w; break;
        default: c->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top); break;
      }
    }
  }
  FRealigning = false;
}

void TWinControl::ChangeScale(int AToDpi, int AFromDpi) {
  const bool realigning = FRealigning;
  FRealigning = true;
  TControl::ChangeScale(AToDpi, AFromDpi);
  for (TControl* c : FControls) c->ChangeScale(AToDpi, AFromDpi);
  FRealigning = realigning;
  Realign();
}

void TWinControl::SetVisible(bool Value) {
  FVisible = Value;
  if (FHandle) ShowWindow(FHandle, Value ? SW_SHOW : SW_HIDE);
}

void TWinControl::SetEnabled(bool Value) {
  FEnabled = Value;
  if (FHandle) EnableWindow(FHandle, Value);
}

std::wstring TWinControl::Text() const {
  if (!FHandle) return FText;
  int n = GetWindowTextLengthW(FHandle);
  std::wstring s(n + 1, L'\0');
  s.resize(GetWindowTextW(FHandle, s.data(), n + 1));
  return s;
}

void TWinControl::SetText(const std::wstring& Value) {
  FText = Value;
  if (FHandle) SetWindowTextW(FHandle, Value.c_str());
}

void TWinControl::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TWinControl::SetFocus() { ::SetFocus(Handle()); }

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TWinControl::PaintControls(HDC DC) {
  TCanvas canvas;
  for (TControl* c : FControls) {
    auto* g = dynamic_cast<TGraphicControl*>(c);
    if (!g || !g->Visible()) continue;
    int saved = SaveDC(DC);
    RECT r = g->BoundsRect();
    IntersectClipRect(DC, r.left, r.top, r.right, r.bottom);
    SetViewportOrgEx(DC, r.left, r.top, nullptr);
    canvas.SetHandle(DC);
    g->Paint(canvas);
    canvas.SetHandle(nullptr);
    RestoreDC(DC, saved);
  }
}

// A device context in WParam asks for a copy of the window's picture there
// (a child drawing what lies behind it).
void TWinControl::PaintHandler(TMessage& Message) {
  if (Message.WParam) {
    PaintControls(reinterpret_cast<HDC>(Message.WParam));
    return;
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(FHandle, &ps);
  PaintControls(dc);
  EndPaint(FHandle, &ps);
}

void TWinControl::WndProc(TMessage& Message) {
  const bool ownClass = FDefWndProc == DefWindowProcW;
  switch (Message.Msg) {
    case WM_COMMAND:
      // Notifications go back to the control that sent them.
      if (TWinControl* child = FindControl(reinterpret_cast<HWND>(Message.LParam))) {
        Message.Result = child->Perform(CN_COMMAND, Message.WParam, Message.LParam);
        return;
      }
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
      if (TWinControl* child = FindControl(reinterpret_cast<HWND>(Message.LParam))) {
        HDC dc = reinterpret_cast<HDC>(Message.WParam);
        SetTextColor(dc, ColorToRGB(child->Font().Color()));
        SetBkColor(dc, ColorToRGB(child->Color()));
        if (!child->FBrush) child->FBrush = CreateSolidBrush(ColorToRGB(child->Color()));
        Message.Result = reinterpret_cast<LRESULT>(child->FBrush);
        return;
      }
      break;
    case CM_COLORCHANGED:
      if (FBrush) DeleteObject(FBrush);
      FBrush = nullptr;
      return;
    case WM_ERASEBKGND:
      if (ownClass) {
        RECT r;
        GetClientRect(FHandle, &r);
        HBRUSH brush = CreateSolidBrush(ColorToRGB(FColor));
        FillRect(reinterpret_cast<HDC>(Message.WParam), &r, brush);
        DeleteObject(brush);
        Message.Result = 1;
        return;
      }
      break;
    case WM_PAINT:
      if (ownClass) {
        PaintHandler(Message);
        return;
      }
      break;
    case WM_SETFOCUS:
      if (TCustomForm* form = GetParentForm(this)) form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(this));
      break;
    case CM_FOCUSCHANGED:
      // Every control on the form learns which one has the keyboard now.
      for (TControl* child : std::vector<TControl*>(FControls))
        child->Perform(Message.Msg, Message.WParam, Message.LParam);
      return;
    case WM_MOUSEMOVE:
      if (!FTrackingMouse && FHandle) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, FHandle, 0};
        FTrackingMouse = TrackMouseEvent(&track) != FALSE;
      }
      break;
    case WM_MOUSELEAVE:
      FTrackingMouse = false;
      DefaultHandler(Message);
      Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
      return;
    case WM_SIZE:
      // A minimized window keeps its size and layout to come back to.
      if (Message.WParam == SIZE_MINIMIZED) break;
      if (FHandle) {
        RECT r;
        GetWindowRect(FHandle, &r);
        FWidth = r.right - r.left;
        FHeight = r.bottom - r.top;
      }
      DefaultHandler(Message);
      Realign();
      return;
    case WM_CHAR:
      if (OnKeyPress) {
        auto key = static_cast<wchar_t>(Message.WParam);
        OnKeyPress(this, key);
        if (!key) return;
        Message.WParam = key;
      }
      break;
  }
  TControl::WndProc(Message);
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (Message.Msg >= CM_BASE || !FHandle) return;  // framework messages stop here
  Message.Result = CallWindowProcW(FDefWndProc ? FDefWndProc : DefWindowProcW, FHandle, Message.Msg, Message.WParam,
                                   Message.LParam);
}

// ---- object-bound window procedures ----

namespace {
constexpr int kInstanceCount = 256;
TWndMethodProc gInstanceMethods[kInstanceCount];

template <int I>
LRESULT CALLBACK InstanceProc(HWND, UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage message{Msg, WParam, LParam, 0};
  if (!gInstanceMethods[I]) return 0;
  try {
    gInstanceMethods[I](message);
  } catch (...) {
    Application()->HandleException(nullptr);
  }
  return message.Result;
}

template <int... I>
constexpr std::array<WNDPROC, sizeof...(I)> InstanceTable(std::integer_sequence<int, I...>) {
  return {&InstanceProc<I>...};
}
constexpr auto kInstances = InstanceTable(std::make_integer_sequence<int, kInstanceCount>{});
}  // namespace

WNDPROC MakeObjectInstance(TWndMethodProc Method) {
  for (int i = 0; i < kInstanceCount; ++i)
    if (!gInstanceMethods[i]) {
      gInstanceMethods[i] = std::move(Method);
      return kInstances[i];
    }
  throw EOutOfResources(L"Too many object-bound window procedures");
}

void FreeObjectInstance(WNDPROC Instance) {
  for (int i = 0; i < kInstanceCount; ++i)
    if (kInstances[i] == Instance) gInstanceMethods[i] = nullptr;
}

}  // namespace talvik
