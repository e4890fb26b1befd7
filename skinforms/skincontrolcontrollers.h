// The controllers of push buttons and panels. They choose no skin: each
// follows the form controller of the top-level form it sits on, and is
// skinned exactly while that form is. While skinned they paint the whole
// control with that form's skin painter.
#pragma once
#include <memory>

#include "skinforms/skincontrolpainter.h"
#include "skinforms/skincontrolviewinfo.h"
#include "skinforms/skinwincontroller.h"

namespace talvik {

// The kind of view info a controller makes for itself.
using TdxSkinCustomControlViewInfoClass = TdxSkinCustomControlViewInfo* (*)(TdxSkinWinController* AController);
template <class T>
TdxSkinCustomControlViewInfo* ViewInfoClassOf(TdxSkinWinController* AController) {
  return new T(AController);
}

class TdxSkinCustomController : public TdxSkinWinController {
public:
  TALVIK_CLASS_NAME(TdxSkinCustomController)
  explicit TdxSkinCustomController(HWND AHandle,
                                   TdxSkinCustomControlViewInfoClass AViewInfoClass =
                                       ViewInfoClassOf<TdxSkinCustomControlViewInfo>);

  TdxSkinCustomControlPainter* Painter() const { return FPainter.get(); }
  TdxSkinCustomControlViewInfo* ViewInfo() const { return FViewInfo.get(); }

  TdxSkinWinController* FindMasterController(HWND AHandle) override { return FindParentFormController(); }
  void ChoosePainter() override {}
  void HandleMessage(TMessage& Message) override;
  void DrawBackground(HDC DC);
  // Paints the whole control into DC, or onto the window when DC is 0.
  virtual void DrawContent(HDC DC) {}

protected:
  // While skinned the control is out of the system's visual style, so that none
  // of the system's own drawing (hover fades, focus glows) shows through the skin.
  void AttachWindowProc() override;
  void DetachWindowProc() override;
  // Each answers whether it handled the message.
  virtual bool WMEraseBkgnd(TMessage& Message);
  virtual bool WMPaint(TMessage& Message);

private:
  // The painter goes first: it draws for the view info.
  std::unique_ptr<TdxSkinCustomControlViewInfo> FViewInfo;
  std::unique_ptr<TdxSkinCustomControlPainter> FPainter;
};

class TdxSkinButtonController : public TdxSkinCustomController {
public:
  TALVIK_CLASS_NAME(TdxSkinButtonController)
  static TdxSkinWinControllerClass Class() {
    return ControllerClassOf<TdxSkinButtonController>(L"TdxSkinButtonController");
  }
  explicit TdxSkinButtonController(HWND AHandle);
  TdxSkinButtonViewInfo* ViewInfo() const {
    return static_cast<TdxSkinButtonViewInfo*>(TdxSkinCustomController::ViewInfo());
  }
  void HandleMessage(TMessage& Message) override;
  void NotifyMouseLeave() override;
  void DrawContent(HDC DC) override;
};

class TdxSkinPanelController : public TdxSkinCustomController {
public:
  TALVIK_CLASS_NAME(TdxSkinPanelController)
  static TdxSkinWinControllerClass Class() {
    return ControllerClassOf<TdxSkinPanelController>(L"TdxSkinPanelController");
  }
  using TdxSkinCustomController::TdxSkinCustomController;
  void HandleMessage(TMessage& Message) override;
  void DrawContent(HDC DC) override;

protected:
  bool WMEraseBkgnd(TMessage& Message) override { return false; }
  bool WMPaint(TMessage& Message) override;
  virtual bool WMPrintClient(TMessage& Message);

private:
  bool FPainting = false;
};

}  // namespace talvik
