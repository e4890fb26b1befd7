// The controllers of push buttons and panels. They choose no skin: each
// follows the form controller of the top-level form it sits on, and is
// skinned exactly while that form is. Their faces are not painted with the
// skin yet: painting still goes to the controls' own handling.
#pragma once
#include "skinforms/skinwincontroller.h"

namespace talvik {

class TdxSkinCustomController : public TdxSkinWinController {
public:
  TALVIK_CLASS_NAME(TdxSkinCustomController)
  using TdxSkinWinController::TdxSkinWinController;
  TdxSkinWinController* FindMasterController(HWND AHandle) override { return FindParentFormController(); }
  void ChoosePainter() override {}
};

class TdxSkinButtonController : public TdxSkinCustomController {
public:
  TALVIK_CLASS_NAME(TdxSkinButtonController)
  static TdxSkinWinControllerClass Class() {
    return ControllerClassOf<TdxSkinButtonController>(L"TdxSkinButtonController");
  }
  using TdxSkinCustomController::TdxSkinCustomController;
};

class TdxSkinPanelController : public TdxSkinCustomController {
public:
  TALVIK_CLASS_NAME(TdxSkinPanelController)
  static TdxSkinWinControllerClass Class() {
    return ControllerClassOf<TdxSkinPanelController>(L"TdxSkinPanelController");
  }
  using TdxSkinCustomController::TdxSkinCustomController;
};

}  // namespace talvik
