// Per-window skin controllers: one small object per skinned window of the
// process, in a process-wide owning list. While its window has a skin painter
// the controller sees every message of the window before the window's own
// handling; without one the window keeps its own procedure.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/controls.h"
#include "graphics/mousetracking.h"
#include "lookandfeel/painter.h"

namespace talvik {

class TdxSkinWinController;

// A controller class: what the class selection answers and what creates the
// controller of a window.
struct TdxSkinWinControllerMeta {
  const wchar_t* Name;
  TdxSkinWinController* (*Construct)(HWND AHandle);
};
using TdxSkinWinControllerClass = const TdxSkinWinControllerMeta*;

template <class T>
TdxSkinWinControllerClass ControllerClassOf(const wchar_t* AName) {
  static const TdxSkinWinControllerMeta meta{AName, [](HWND h) -> TdxSkinWinController* { return new T(h); }};
  return &meta;
}

class TdxSkinWinController : public TObject, public IcxMouseTrackingCaller {
public:
  TALVIK_CLASS_NAME(TdxSkinWinController)
  explicit TdxSkinWinController(HWND AHandle);
  ~TdxSkinWinController() override;
  TdxSkinWinController(const TdxSkinWinController&) = delete;
  TdxSkinWinController& operator=(const TdxSkinWinController&) = delete;

  HWND Handle() const { return FHandle; }
  // Leaves the old window, then serves AHandle (its control object looked up) and runs Update.
  void SetHandle(HWND AHandle);
  // The same without the Update, for a maker that chooses the painter first.
  void AssignHandle(HWND AHandle);
  // Some direct child control is painted by this window (a label).
  bool HasVirtualChilds() const;
  bool IsHooked() const { return FHandle && (FSavedWndProcPtr || FSavedWndProc); }
  bool IsMDIClient() const { return FMaster != nullptr; }
  bool IsSkinUsed() const { return GetIsSkinUsed(); }
  // The master's painter when there is a master (to the end of the chain), else the own one.
  TcxCustomLookAndFeelPainterClass LookAndFeelPainter() const;
  void SetLookAndFeelPainter(TcxCustomLookAndFeelPainterClass Value) { FLookAndFeelPainter = Value; }
  TdxSkinWinController* Master() const { return FMaster; }
  void SetMaster(TdxSkinWinController* Value) { FMaster = Value; }
  WNDPROC ProcInstance() const { return FProcInstance; }
  TWinControl* WinControl() const { return FWinControl; }

  virtual TdxSkinWinController* FindMasterController(HWND AHandle);
  // Skinning allowed for this control by GlobalUseSkins and every skin controller's OnSkinControl.
  virtual bool IsSkinAllowed();
  virtual bool ShouldHook() { return IsSkinUsed(); }
  virtual void CallSavedWindowProc(TMessage& Message);
  virtual void AttachWindowProc();
  virtual void ChoosePainter() {}
  // Controllers that use this one as master lose it.
  virtual void ReleaseDependents();
  virtual void DetachWindowProc();
  virtual void HandleMessage(TMessage& Message) { CallSavedWindowProc(Message); }
  void NotifyMouseLeave() override {}
  // Makes the system recalculate and repaint the non-client area.
  virtual void Refresh();
  // Attaches or detaches as the painter says, then refreshes and repaints.
  virtual void Update();
  void Redraw(bool AUpdateNow);
  // The name under which this controller's own painter is registered.
  bool GetSkinName(std::wstring& ASkinName) const;

  // Creates (or re-targets) the controller of AHandle with the class AClass.
  static void InitializeEngine(TdxSkinWinControllerClass AClass, HWND AHandle);
  // Frees the controller of AHandle, if any.
  static void FinalizeEngine(HWND AHandle);
  static bool IsSkinActive(HWND AHandle);
  static bool IsMDIChildWindow(HWND AHandle);
  static bool IsMDIClientWindow(HWND AHandle);
  static bool IsMessageDlgWindow(HWND AHandle);

protected:
  virtual bool GetIsSkinUsed() const { return LookAndFeelPainter() != nullptr; }
  // The controller of the top-level form around the control, while skinning is allowed for it.
  TdxSkinWinController* FindParentFormController();

  HWND FHandle = nullptr;
  TcxCustomLookAndFeelPainterClass FLookAndFeelPainter = nullptr;
  TdxSkinWinController* FMaster = nullptr;
  WNDPROC FProcInstance = nullptr;
  TWndMethodProc FSavedWndProc;
  WNDPROC FSavedWndProcPtr = nullptr;
  TWinControl* FWinControl = nullptr;
};

// ---- the process-wide list of per-window controllers ----

// Owns every per-window controller; nullptr outside start-up and shut-down.
std::vector<std::unique_ptr<TdxSkinWinController>>* WinControllerList();
void CreateWinControllerList();
// Frees the controllers, last first; each gives its window back on the way.
void ClearWinControllerList();
void FreeWinControllerList();
TdxSkinWinController* FindControllerByHandle(HWND AHandle);
TdxSkinWinController* FindControllerByControl(TWinControl* AControl);
// Appends AController to the owning list (the list frees it).
void AddWinController(TdxSkinWinController* AController);
// Takes AController out of the owning list without freeing it.
std::unique_ptr<TdxSkinWinController> ExtractWinController(TdxSkinWinController* AController);

// ---- window helpers ----

// The control object's text when there is one, else the window's.
void GetWindowTextOf(HWND AHandle, std::wstring& AText);
void GetWindowClassNameOf(HWND AHandle, std::wstring& AName);
// No window, or one of another process.
bool IsForeignWindow(HWND AHandle);

}  // namespace talvik
