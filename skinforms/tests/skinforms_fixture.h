// The program's start-up order around every test, a skin controller with a
// registered skin, and small helpers to look at windows and their controllers.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/forms.h"
#include "framework/stdctrls.h"
#include "framework/sysutils.h"
#include "lookandfeel/builtinpainters.h"
#include "lookandfeel/lookandfeel.h"
#include "skinforms/skincontroller.h"
#include "skinforms/skinformcontroller.h"
#include "skinforms/skinhook.h"
#include "skinforms/skinmessages.h"
#include "skins/engine/builtinskins.h"
#include "skins/engine/skinengine.h"

namespace talvik::test {

// The program's skin, the other built-in one, a name nobody registered, and a
// registered painter that is no skin painter.
inline const std::wstring kSkin = L"DarkSide";
inline const std::wstring kOtherSkin = L"UserSkin";
inline const std::wstring kNoSkin = L"NoSuchSkin";
inline const std::wstring kNotASkin = L"NotASkin";

inline TcxCustomLookAndFeelPainterClass SkinPainter() { return TdxDarkSidePainter::Instance(); }

// The program's start-up order, skinned windows included.
class SkinFormsEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    InitializeSkinEngine({.SkinnedWindows = SkinFormsEngineStep()});
    GetPainterRegistry()->Register(kNotASkin, TcxOffice11LookAndFeelPainter::Instance(), nullptr);
  }
  void TearDown() override {
    GetPainterRegistry()->Unregister(kNotASkin);
    FinalizeSkinEngine();
  }
};

inline const auto* const gSkinFormsEnvironment = ::testing::AddGlobalTestEnvironment(new SkinFormsEnvironment());

// Handles every pending message (posted set-up messages among them).
inline void PumpMessages() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
}

inline TdxSkinWinController* ControllerOf(TWinControl* AControl) {
  return AControl && AControl->HandleAllocated() ? FindControllerByHandle(AControl->Handle()) : nullptr;
}

// "none" when the window has no controller.
inline std::wstring ControllerClassOf(TWinControl* AControl) {
  TdxSkinWinController* c = ControllerOf(AControl);
  return c ? c->ClassName() : L"none";
}

inline bool Hooked(TWinControl* AControl) {
  TdxSkinWinController* c = ControllerOf(AControl);
  return c && c->IsHooked();
}

// A form that counts the messages its own handling sees and answers the
// decline message as told.
class TTestForm : public TForm {
public:
  TALVIK_CLASS_NAME(TTestForm)
  using TForm::TForm;
  LRESULT DeclineAnswer = 0;
  int NcCalcSizes = 0;
  int ChildChanges = 0;

protected:
  void WndProc(TMessage& Message) override {
    if (IsRegisteredMessage(Message.Msg, SkinDeclineMessage)) {
      Message.Result = DeclineAnswer;
      return;
    }
    if (Message.Msg == WM_NCCALCSIZE) ++NcCalcSizes;
    if (IsRegisteredMessage(Message.Msg, WM_CHILDCHANGED)) ++ChildChanges;
    TForm::WndProc(Message);
  }
};

// A hidden form with a push button, and the skin controller of the program's
// main window (skin kSkin) unless the test makes its own.
struct SkinnedWindows : ::testing::Test {
  void SetUp() override {
    Controller = std::make_unique<TdxSkinController>();
    Controller->SetSkinName(kSkin);
    Form = std::make_unique<TTestForm>();
    Form->SetBounds(10, 10, 300, 200);
    Button = new TButton(Form.get());
    Button->SetBounds(8, 8, 80, 24);
    Button->SetParent(Form.get());
    Form->HandleNeeded();
    PumpMessages();
  }
  void TearDown() override {
    Form.reset();
    Controller.reset();
    SetGlobalUseSkins(true);
  }
  std::unique_ptr<TdxSkinController> Controller;
  std::unique_ptr<TTestForm> Form;
  TButton* Button = nullptr;
};

}  // namespace talvik::test
