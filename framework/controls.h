// Controls: components with a place on a parent, and windowed controls whose
// messages pass through a replaceable handler (WindowProc) before the
// framework's own handling.
#pragma once
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "framework/classes.h"
#include "framework/graphics.h"

namespace talvik {

// The framework's own messages.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
// A notification (WM_COMMAND, WM_CTLCOLOR*) reflected back to the control it came from.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;

struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

// A control's message handler; it may be replaced by whoever wants to see the
// control's messages first (keeping the old one to pass messages on).
using TWndMethodProc = std::function<void(TMessage& Message)>;

using TKeyPressEvent = std::function<void(TObject* Sender, wchar_t& Key)>;

enum TControlStyle : unsigned { csParentBackground = 1, csOpaque = 2 };
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

class TWinControl;

class TControl : public TComponent {
public:
  TALVIK_CLASS_NAME(TControl)
  explicit TControl(TComponent* AOwner = nullptr);
  ~TControl() override;

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  RECT BoundsRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  void SetLeft(int V) { SetBounds(V, FTop, FWidth, FHeight); }
  void SetTop(int V) { SetBounds(FLeft, V, FWidth, FHeight); }
  void SetWidth(int V) { SetBounds(FLeft, FTop, V, FHeight); }
  void SetHeight(int V) { SetBounds(FLeft, FTop, FWidth, V); }
  virtual RECT ClientRect() const { return {0, 0, FWidth, FHeight}; }

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);

  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool Value);
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);

  // The caption of buttons, labels and forms; the contents of edit boxes.
  virtual std::wstring Text() const { return FText; }
  virtual void SetText(const std::wstring& Value);
  std::wstring Caption() const { return Text(); }
  void SetCaption(const std::wstring& Value) { SetText(Value); }

  TFont& Font() { return FFont; }
  // Takes the parent's font, and follows its changes, until given its own.
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  unsigned ControlStyle() const { return FControlStyle; }
  void SetControlStyle(unsigned Value) { FControlStyle = Value; }
  int TabOrder() const { return FTabOrder; }
  void SetTabOrder(int Value) { FTabOrder = Value; }

  TNotifyEvent OnClick;

  // Every message of the control goes here first; by default to WndProc.
  TWndMethodProc WindowProc;
  LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);

  virtual void Invalidate();
  virtual void Click();

  bool ReadProperty(const std::wstring& AName, const std::wstring& AValue) override;
  // Place, size and a font of its own from AFromDpi to AToDpi.
  virtual void ChangeScale(int AToDpi, int AFromDpi);

protected:
  friend class TWinControl;
  // The framework's own handling; what it does not handle goes to DefaultHandler.
  virtual void WndProc(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);
  virtual void FontChanged();
  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = alNone;
  bool FVisible = true;
  bool FEnabled = true;
  std::wstring FText;
  TFont FFont;
  bool FParentFont = true;
  bool FTakingParentFont = false;
  void TakeParentFont(TFont& AFont);
  TColor FColor = clBtnFace;
  unsigned FControlStyle = 0;
  int FTabOrder = -1;
};

// A control without a window of its own, painted by its parent.
class TGraphicControl : public TControl {
public:
  TALVIK_CLASS_NAME(TGraphicControl)
  using TControl::TControl;
  virtual void Paint(TCanvas& Canvas) {}
  void Invalidate() override;
};

class TWinControl : public TControl {
public:
  TALVIK_CLASS_NAME(TWinControl)
  explicit TWinControl(TComponent* AOwner = nullptr);
  ~TWinControl() override;

  // The window, created on first use (with its parent's first).
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded() { Handle(); }
  // Creates the window now if the parent has one: children follow their parent.
  void UpdateControlState();

  const std::vector<TControl*>& Controls() const { return FControls; }
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  RECT ClientRect() const override;
  void SetVisible(bool Value) override;
  void SetEnabled(bool Value) override;
  std::wstring Text() const override;
  void SetText(const std::wstring& Value) override;
  void Invalidate() override;
  void SetFocus();
  bool Focused() const;
  // Each typed character; a handler that sets Key to 0 swallows it.
  TKeyPressEvent OnKeyPress;
  // Places the aligned children (alBottom, alTop, ...) inside the client area.
  void Realign();
  // Paints the non-windowed children (labels) over the background.
  void PaintControls(HDC DC);
  // Itself, then its children; aligned ones are placed once at the end.
  void ChangeScale(int AToDpi, int AFromDpi) override;

protected:
  struct TCreateParams {
    std::wstring Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    // The window class registered under the control's class name.
    std::wstring WinClassName;
    UINT ClassStyle = CS_DBLCLKS;
    // A platform control class that this class extends ("BUTTON", "EDIT"), or empty.
    std::wstring SubClassOf;
  };
  virtual void CreateParams(TCreateParams& Params);
  virtual void CreateWnd();
  // The window exists and its children do not yet.
  virtual void WindowCreated() {}
  virtual void DestroyWnd();
  void WndProc(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  void FontChanged() override;
  virtual void AdjustClientRect(RECT& Rect) {}
  HWND FHandle = nullptr;

private:
  friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
  friend class TWinControlAccess;
  void Attach(HWND Wnd);
  void Detach();
  void PaintHandler(TMessage& Message);
  void ApplyFont();
  std::vector<TControl*> FControls;
  WNDPROC FDefWndProc = nullptr;
  HBRUSH FBrush = nullptr;
  bool FRealigning = false;
  // The system reports the mouse leaving the window (TrackMouseEvent).
  bool FTrackingMouse = false;
};

// The framework control object behind a window of this process, or nullptr.
TWinControl* FindControl(HWND Wnd);

// Object-bound window procedures: a plain window procedure whose calls go to
// Method, for subclassing windows that have no control object. A pool of fixed
// entry points is used; an exhausted pool fails with EOutOfResources.
WNDPROC MakeObjectInstance(TWndMethodProc Method);
void FreeObjectInstance(WNDPROC Instance);

// Scroll-bar procedures through which framework controls set their scroll bars;
// replaceable so that skinning can take over the drawing of scroll bars.
extern int(WINAPI* FlatSB_SetScrollPos)(HWND Wnd, int Bar, int Pos, BOOL Redraw);
extern int(WINAPI* FlatSB_SetScrollInfo)(HWND Wnd, int Bar, LPCSCROLLINFO Info, BOOL Redraw);

// Parses property values of stored descriptions: integers, colours, booleans
// and enumerations named by their values; other text fails with EReadError.
[[noreturn]] void InvalidPropertyValue(const std::wstring& AName, const std::wstring& AValue);
int PropertyInt(const std::wstring& AName, const std::wstring& AValue);
bool PropertyBool(const std::wstring& AName, const std::wstring& AValue);
TColor PropertyColor(const std::wstring& AName, const std::wstring& AValue);
template <class T>
T PropertyEnum(const std::wstring& AName, const std::wstring& AValue,
               std::initializer_list<std::pair<const wchar_t*, T>> ANames) {
  for (const auto& [name, value] : ANames)
    if (AValue == name) return value;
  InvalidPropertyValue(AName, AValue);
}

}  // namespace talvik
