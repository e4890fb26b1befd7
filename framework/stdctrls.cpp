#include "framework/stdctrls.h"

#include "framework/forms.h"
#include "framework/sysutils.h"

namespace talvik {

// ---- TButton ----

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 75;
  FHeight = 25;
}

void TButton::SetDefault(bool Value) {
  FDefault = Value;
  if (FHandle) SendMessageW(FHandle, BM_SETSTYLE, Value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::SetWordWrap(bool Value) {
  FWordWrap = Value;
  if (FHandle) {
    LONG style = GetWindowLongW(FHandle, GWL_STYLE);
    SetWindowLongW(FHandle, GWL_STYLE, Value ? style | BS_MULTILINE : style & ~BS_MULTILINE);
    Invalidate();
  }
}

void TButton::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.SubClassOf = L"BUTTON";
  Params.Style |= WS_TABSTOP | (FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  if (FWordWrap) Params.Style |= BS_MULTILINE;
}

void TButton::WndProc(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    if (HIWORD(Message.WParam) == BN_CLICKED) Click();
    return;
  }
  // Enter presses a focused button, as in dialogs; a held key does not press it again.
  if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_RETURN) {
    if (!(Message.LParam & (1 << 30)) && FEnabled) Click();
    return;
  }
  TWinControl::WndProc(Message);
}

bool TButton::ReadProperty(const std::wstring& AName, const std::wstring& AValue) {
  if (AName == L"Default") SetDefault(PropertyBool(AName, AValue));
  else if (AName == L"WordWrap") SetWordWrap(PropertyBool(AName, AValue));
  else return TWinControl::ReadProperty(AName, AValue);
  return true;
}

// ---- TPanel ----

TPanel::TPanel(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 185;
  FHeight = 41;
  FControlStyle = csParentBackground;
}

void TPanel::SetBevelOuter(TBevelCut Value) {
  FBevelOuter = Value;
  Realign();
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut Value) {
  FBevelInner = Value;
  Realign();
  Invalidate();
}

void TPanel::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  Invalidate();
}

void TPanel::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
  Params.ClassStyle |= CS_HREDRAW | CS_VREDRAW;
}

void TPanel::AdjustClientRect(RECT& Rect) {
  for (TBevelCut bevel : {FBevelOuter, FBevelInner})
    if (bevel != bvNone) InflateRect(&Rect, -1, -1);
}

void TPanel::Paint(HDC DC) {
  RECT r = ClientRect();
  for (TBevelCut bevel : {FBevelOuter, FBevelInner}) {
    if (bevel == bvNone) continue;
    DrawEdge(DC, &r, bevel == bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
    InflateRect(&r, -1, -1);
  }
  if (!FText.empty()) {
    HGDIOBJ old = SelectObject(DC, FFont.Handle());
    SetBkMode(DC, TRANSPARENT);
    SetTextColor(DC, ColorToRGB(FFont.Color()));
    std::wstring text = Text();
    UINT align = FAlignment == taLeftJustify ? DT_LEFT : FAlignment == taRightJustify ? DT_RIGHT : DT_CENTER;
    DrawTextW(DC, text.c_str(), static_cast<int>(text.size()), &r, align | DT_VCENTER | DT_SINGLELINE);
    SelectObject(DC, old);
  }
}

void TPanel::WndProc(TMessage& Message) {
  // A device context in WParam asks for a copy of the panel's picture there.
  if (Message.Msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = Message.WParam ? reinterpret_cast<HDC>(Message.WParam) : BeginPaint(FHandle, &ps);
    Paint(dc);
    PaintControls(dc);
    if (!Message.WParam) EndPaint(FHandle, &ps);
    return;
  }
  TWinControl::WndProc(Message);
}

bool TPanel::ReadProperty(const std::wstring& AName, const std::wstring& AValue) {
  auto bevel = [&] {
    return PropertyEnum<TBevelCut>(AName, AValue, {{L"bvNone", bvNone}, {L"bvLowered", bvLowered}, {L"bvRaised", bvRaised}});
  };
  if (AName == L"BevelOuter") SetBevelOuter(bevel());
  else if (AName == L"BevelInner") SetBevelInner(bevel());
  else if (AName == L"Alignment")
    SetAlignment(PropertyEnum<TAlignment>(
        AName, AValue, {{L"taLeftJustify", taLeftJustify}, {L"taRightJustify", taRightJustify}, {L"taCenter", taCenter}}));
  else return TWinControl::ReadProperty(AName, AValue);
  return true;
}

// ---- TLabel ----

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FWidth = 65;
  FHeight = 17;
}

void TLabel::SetTransparent(bool Value) {
  FTransparent = Value;
  Invalidate();
}

void TLabel::SetWordWrap(bool Value) {
  FWordWrap = Value;
  Invalidate();
}

void TLabel::Paint(TCanvas& Canvas) {
  RECT r = ClientRect();
  Canvas.Font().Assign(&FFont);
  if (!FTransparent) {
    Canvas.Brush().SetColor(FColor);
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.FillRect(r);
  }
  Canvas.RequireAll();  // DrawTextW writes with whatever font the device context holds
  HDC dc = Canvas.Handle();
  SetBkMode(dc, TRANSPARENT);
  // A disabled label shows the grey text that the system uses for disabled items.
  SetTextColor(dc, FEnabled ? ColorToRGB(FFont.Color()) : GetSysColor(COLOR_GRAYTEXT));
  UINT flags = DT_LEFT | DT_NOPREFIX | (FWordWrap ? DT_WORDBREAK : 0);
  DrawTextW(dc, FText.c_str(), static_cast<int>(FText.size()), &r, flags);
}

bool TLabel::ReadProperty(const std::wstring& AName, const std::wstring& AValue) {
  if (AName == L"Transparent") SetTransparent(PropertyBool(AName, AValue));
  else if (AName == L"WordWrap") SetWordWrap(PropertyBool(AName, AValue));
  else return TGraphicControl::ReadProperty(AName, AValue);
  return true;
}

// ---- edits ----

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  FColor = clWindow;
  FWidth = 121;
  FHeight = 21;
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.SubClassOf = L"EDIT";
  Params.Style |= WS_TABSTOP;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style |= ES_AUTOHSCROLL;
}

TMemo::TMemo(TComponent* AOwner) : TCustomEdit(AOwner) {
  FWidth = 185;
  FHeight = 89;
}

void TMemo::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL | ES_AUTOHSCROLL;
}

void TMemo::CreateWnd() {
  TCustomEdit::CreateWnd();
  SendMessageW(FHandle, EM_LIMITTEXT, 0, 0);  // a log has no length limit
}

std::vector<std::wstring> TMemo::Lines() const {
  std::vector<std::wstring> lines;
  std::wstring text = Text(), line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
      lines.push_back(line);
      line.clear();
      ++i;
    } else {
      line += text[i];
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

void TMemo::AddLine(const std::wstring& ALine) {
  std::wstring text = Text();
  std::wstring add = (!text.empty() && text.back() != L'\n' ? L"\r\n" : L"") + ALine + L"\r\n";
  if (!FHandle) {
    SetText(text + add);
    return;
  }
  int end = GetWindowTextLengthW(FHandle);
  SendMessageW(FHandle, EM_SETSEL, end, end);
  SendMessageW(FHandle, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(add.c_str()));
  SendMessageW(FHandle, EM_SCROLLCARET, 0, 0);
}

bool TMemo::ReadProperty(const std::wstring& AName, const std::wstring& AValue) {
  if (AName == L"ScrollBars") {
    FScrollBars = PropertyEnum<TScrollStyle>(
        AName, AValue,
        {{L"ssNone", ssNone}, {L"ssVertical", ssVertical}, {L"ssHorizontal", ssHorizontal}, {L"ssBoth", ssBoth}});
  } else if (AName == L"Lines") {
    // One line per list item.
    std::wstring text;
    size_t start = 0;
    while (start <= AValue.size()) {
      size_t end = AValue.find(L'\n', start);
      if (end == std::wstring::npos) end = AValue.size();
      text += AValue.substr(start, end - start) + L"\r\n";
      start = end + 1;
    }
    SetText(AValue.empty() ? L"" : text);
  } else
    return TCustomEdit::ReadProperty(AName, AValue);
  return true;
}

void RegisterStandardClasses() {
  RegisterClassOf<TButton>();
  RegisterClassOf<TPanel>();
  RegisterClassOf<TLabel>();
  RegisterClassOf<TEdit>();
  RegisterClassOf<TMemo>();
  RegisterClassOf<TFrame>();
  RegisterClassOf<TForm>();
}

}  // namespace talvik
