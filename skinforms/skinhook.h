// The process-wide machinery of skinned windows: on the starting thread a CBT
// hook hears of every window about to be created or destroyed, and a
// call-window-procedure hook, installed only while such a window needs
// following, sees its creation and destruction messages; a replaceable class
// selection decides which controller (if any) a window gets, and a helper
// window finishes what must wait until a window exists.
#pragma once
#include <windows.h>

#include "skinforms/skinwincontroller.h"
#include "skins/engine/skinengine.h"

namespace talvik {

class TdxSkinWinControllerHelper {
public:
  TdxSkinWinControllerHelper();
  ~TdxSkinWinControllerHelper();
  TdxSkinWinControllerHelper(const TdxSkinWinControllerHelper&) = delete;
  TdxSkinWinControllerHelper& operator=(const TdxSkinWinControllerHelper&) = delete;

  HWND Handle() const { return FHandle; }
  // A window was created: it gets its controller, unless it skins itself.
  void InitializeEngine(HWND AHandle);
  // A window is being destroyed: its controller goes.
  void FinalizeEngine(HWND AHandle);
  // Tells an MDI frame that one of its children changed.
  void ChildChanged(HWND AHandle);

private:
  void CreateController(HWND AHandle);
  LRESULT WndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
  HWND FHandle = nullptr;
};

// nullptr outside start-up and shut-down.
TdxSkinWinControllerHelper* ControllerHelper();

// Which controller a window gets: forms, frames, MDI client windows, and
// controls of exactly the push-button and panel classes; nullptr for others.
using TdxControllerClassSelector = TdxSkinWinControllerClass (*)(HWND AHandle);
TdxSkinWinControllerClass DefaultControllerClassForWindow(HWND AHandle);
extern TdxControllerClassSelector GetControllerClassForWindow;

// Scroll bars of skinned windows are drawn by the skin, never by the system.
int WINAPI SkinAwareSetScrollPos(HWND Wnd, int Bar, int Pos, BOOL Redraw);
int WINAPI SkinAwareSetScrollInfo(HWND Wnd, int Bar, LPCSCROLLINFO Info, BOOL Redraw);

// Start-up, on the main thread before its first window, after the skins are
// registered; shut-down after the message loop, before the skins go. Shut-down
// gives every window its own procedure back.
void InitializeSkinForms();
void FinalizeSkinForms();
bool SkinFormsHookInstalled();
// Whether the message hook is in place now: only while a window needs following.
bool SkinFormsMessageHookInstalled();

// The skinned windows' step of the program's start-up order: the machinery
// above, and at shut-down after it the mouse-leave tracking it relies on.
TSkinEngineStep SkinFormsEngineStep();

}  // namespace talvik
