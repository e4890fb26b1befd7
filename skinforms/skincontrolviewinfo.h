// What the button and panel controllers read of their window when they paint:
// its rectangle, focus, mouse and enabled state, and for push buttons the
// caption and the look (default, normal, hot, pressed, disabled) to draw.
#pragma once
#include <windows.h>

#include <string>

#include "framework/controls.h"
#include "lookandfeel/lookandfeeltypes.h"

namespace talvik {

class TdxSkinWinController;

class TdxSkinCustomControlViewInfo : public TObject {
public:
  TALVIK_CLASS_NAME(TdxSkinCustomControlViewInfo)
  explicit TdxSkinCustomControlViewInfo(TdxSkinWinController* AController) : FController(AController) {}

  TdxSkinWinController* Controller() const { return FController; }
  // The whole window, non-client part included, at (0, 0).
  RECT ClientRect() const;
  bool IsEnabled() const;
  bool IsFocused() const;
  bool IsMouseAtControl() const;

protected:
  HWND Handle() const;
  TdxSkinWinController* FController;
};

class TdxSkinButtonViewInfo : public TdxSkinCustomControlViewInfo {
public:
  TALVIK_CLASS_NAME(TdxSkinButtonViewInfo)
  explicit TdxSkinButtonViewInfo(TdxSkinWinController* AController);

  // Drawn with the default look: it has the focus, or it is the default button while no button has it.
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  const std::wstring& Caption() const { return FCaption; }
  void SetCaption(const std::wstring& Value) { FCaption = Value; }
  bool IsDefault() const;
  // The system holds the button pushed.
  bool IsPressed() const;
  TcxButtonState State() const { return FState; }
  // A disabled window always gets cxbsDisabled; a change repaints a skinned button at once.
  void SetState(TcxButtonState Value);
  bool WordWrap() const;

  // AFocused is the control that now has the focus.
  void UpdateActive(TWinControl* AFocused);
  void UpdateState();

private:
  bool FActive = false;
  std::wstring FCaption;
  TcxButtonState FState = cxbsNormal;
};

}  // namespace talvik
