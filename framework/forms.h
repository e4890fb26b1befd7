// Forms, frames and the application object with its message loop.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "framework/controls.h"

namespace talvik {

enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum TPosition { poDesigned, poScreenCenter };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

// Limits of a form's window size in pixels; 0 leaves a limit to the system.
struct TSizeConstraints {
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
};

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCanResizeEvent = std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;

class TCustomForm : public TWinControl {
public:
  TALVIK_CLASS_NAME(TCustomForm)
  explicit TCustomForm(TComponent* AOwner = nullptr);
  ~TCustomForm() override;

  unsigned BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(unsigned Value) { FBorderIcons = Value; }
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value) { FBorderStyle = Value; }
  // Inner margin kept free around the client area.
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  void SetClientSize(int AWidth, int AHeight);
  int ClientWidth() const { return FClientWidth; }
  int ClientHeight() const { return FClientHeight; }
  RECT ClientRect() const override;
  TSizeConstraints& Constraints() { return FConstraints; }
  const TSizeConstraints& Constraints() const { return FConstraints; }
  // The window's icon; the form does not own it.
  void SetIcon(HICON Value);
  // The control that has the keyboard whenever the form is active: the last one
  // that had it, or the one the description names before any had it.
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Value);

  TNotifyEvent OnCreate;
  TCloseEvent OnClose;
  TCanResizeEvent OnCanResize;

  void Show();
  // Asks OnClose; the main form's close ends the application.
  void Close();
  // Binds the event AEvent of AComponent to the form's method named AMethod,
  // as a stored description asks; false when the form has no such method.
  virtual bool BindEvent(TComponent* AComponent, const std::wstring& AEvent, const std::wstring& AMethod);
  bool ReadProperty(const std::wstring& AName, const std::wstring& AValue) override;
  // Moves the focus to the next (or previous) control in tab order.
  void SelectNext(bool AForward);
  // The DPI its lengths and fonts are at: 96 as designed, the window's once scaled.
  int PixelsPerInch() const { return FPixelsPerInch; }
  // Scales the form's lengths, fonts and children to ADpi (a window there keeps its place),
  // and from then on to the DPI of its window.
  void ScaleForPPI(int ADpi);

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void WindowCreated() override;
  void WndProc(TMessage& Message) override;
  void AdjustClientRect(RECT& Rect) override;
  // Raises OnCreate; a form calls it once its description is read.
  virtual void DoCreate();
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  unsigned FBorderIcons = biSystemMenu | biMinimize | biMaximize;
  TFormBorderStyle FBorderStyle = bsSizeable;
  int FBorderWidth = 0;
  TPosition FPosition = poDesigned;
  int FClientWidth = 0, FClientHeight = 0;
  TSizeConstraints FConstraints;
  HICON FIcon = nullptr;
  TWinControl* FActiveControl = nullptr;
  std::wstring FActiveControlName;
  // False when the active control cannot take the keyboard now.
  bool FocusActiveControl();
  int FPixelsPerInch = 96;
  // Scaled from a description: follows the DPI of the monitor it opens on.
  bool FScaled = false;
  void ReadWindowBounds();
  // Sizes the window for the stored client size around the frame it really has;
  // ACenter puts a centred form back in the middle of the screen.
  void FitClientSize(bool ACenter = true);
  void WMDpiChanged(TMessage& Message);
};

class TForm : public TCustomForm {
public:
  TALVIK_CLASS_NAME(TForm)
  using TCustomForm::TCustomForm;
};

// A container designed like a form and placed inside other windows.
class TFrame : public TWinControl {
public:
  TALVIK_CLASS_NAME(TFrame)
  explicit TFrame(TComponent* AOwner = nullptr) : TWinControl(AOwner) { SetControlStyle(csParentBackground); }

protected:
  void CreateParams(TCreateParams& Params) override;
};

// The form that holds AControl: the outermost one when ATopForm, else the nearest.
TCustomForm* GetParentForm(TControl* AControl, bool ATopForm = true);

class TApplication : public TComponent {
public:
  TALVIK_CLASS_NAME(TApplication)
  TApplication();
  ~TApplication() override;

  // A hidden window of its own that names the program to the system.
  HWND Handle();
  const std::wstring& Title() const { return FTitle; }
  void SetTitle(const std::wstring& Value);
  // The main form shows its own task-bar button instead of the application window.
  bool MainFormOnTaskBar = true;

  TCustomForm* MainForm() const { return FMainForm; }
  void SetMainForm(TCustomForm* Form) { FMainForm = Form; }

  // Shows the main form and dispatches messages until Terminate.
  void Run();
  // Handles every pending message, then returns.
  void ProcessMessages();
  // Waits for one message and handles it.
  void HandleMessage();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  bool Destroying() const { return FDestroying; }

  // Reports the exception being handled (call inside a catch block).
  void HandleException(TObject* Sender);
  // The default report: a message box titled with the program title.
  void ShowException(const std::wstring& AMessage);
  // Replaces the default report when set.
  std::function<void(TObject* Sender, const std::wstring& Message)> OnException;

private:
  bool ProcessMessage(MSG& Msg);
  HWND FHandle = nullptr;
  std::wstring FTitle;
  TCustomForm* FMainForm = nullptr;
  bool FTerminated = false;
  bool FDestroying = false;
};

// The process's application object, created on first use.
TApplication* Application();
// The application object if it exists; never creates one.
TApplication* ExistingApplication();

// The text of an error report: the message, with "." appended when its last
// character's code is above that of ".".
std::wstring ExceptionReportText(const std::wstring& AMessage);

}  // namespace talvik
