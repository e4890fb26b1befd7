// The skin controller component: the settings that decide which windows are
// skinned, and the re-evaluation that follows every change.
#include <functional>

#include "skinforms/tests/skinforms_fixture.h"

using namespace talvik;
using namespace talvik::test;

namespace {

struct State {
  bool form, button;
};

void ExpectSkinned(TTestForm* AForm, TButton* AButton, State AState) {
  EXPECT_EQ(Hooked(AForm), AState.form);
  EXPECT_EQ(Hooked(AButton), AState.button);
  TdxSkinWinController* form = ControllerOf(AForm);
  ASSERT_NE(form, nullptr);  // the controller stays; only the taking over comes and goes
  EXPECT_EQ(form->LookAndFeelPainter(), AState.form ? SkinPainter() : nullptr);
}

}  // namespace

TEST_F(SkinnedWindows, FormAnswerToTheDeclineMessageDecides) {
  const struct {
    LRESULT answer;
    bool skinned;
  } cases[] = {{1, false}, {0, true}, {2, true}, {-1, true}};
  for (const auto& tc : cases) {
    SCOPED_TRACE(tc.answer);
    auto form = std::make_unique<TTestForm>();
    form->DeclineAnswer = tc.answer;
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    form->HandleNeeded();
    ExpectSkinned(form.get(), button, {tc.skinned, tc.skinned});
  }
}

TEST_F(SkinnedWindows, SkinSettingsReleaseAndRetakeEveryWindow) {
  const struct {
    const char* name;
    std::function<void(TdxSkinController&)> change;
    State after;
  } steps[] = {
      {"skins off", [](TdxSkinController& c) { c.SetUseSkins(false); }, {false, false}},
      {"skins on again", [](TdxSkinController& c) { c.SetUseSkins(true); }, {true, true}},
      {"unregistered skin name", [](TdxSkinController& c) { c.SetSkinName(kNoSkin); }, {false, false}},
      {"registered name again", [](TdxSkinController& c) { c.SetSkinName(kSkin); }, {true, true}},
      {"other letter case", [](TdxSkinController& c) { c.SetSkinName(L"testskin"); }, {true, true}},
      {"native style", [](TdxSkinController& c) { c.SetNativeStyle(true); }, {false, false}},
      {"native style off", [](TdxSkinController& c) { c.SetNativeStyle(false); }, {true, true}},
      {"kind changed", [](TdxSkinController& c) { c.SetKind(lfFlat); }, {true, true}},
  };
  ExpectSkinned(Form.get(), Button, {true, true});
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    step.change(*Controller);
    ExpectSkinned(Form.get(), Button, step.after);
  }
}

TEST_F(SkinnedWindows, WritingTheUseSkinsValueItAlreadyHasDoesNothing) {
  for (bool value : {true, false}) {
    Controller->SetUseSkins(value);
    int before = Form->NcCalcSizes;
    Controller->SetUseSkins(value);
    EXPECT_EQ(Form->NcCalcSizes, before) << value;
  }
}

TEST_F(SkinnedWindows, DestroyingTheControllerReleasesAndCreatingOneSkinsExistingWindowsAtOnce) {
  Controller.reset();
  ExpectSkinned(Form.get(), Button, {false, false});
  EXPECT_TRUE(GetRootLookAndFeel()->SkinName().empty());  // the last controller resets the root
  GetRootLookAndFeel()->SetSkinName(kSkin);
  ExpectSkinned(Form.get(), Button, {false, false});  // nobody listens to the root for the windows
  Controller = std::make_unique<TdxSkinController>();
  ExpectSkinned(Form.get(), Button, {true, true});
}

TEST_F(SkinnedWindows, ControllerDestroyedWhileAnotherStaysSkinsWithTheOther) {
  auto second = std::make_unique<TdxSkinController>();
  ExpectSkinned(Form.get(), Button, {true, true});
  Controller.reset();
  ExpectSkinned(Form.get(), Button, {true, true});
  EXPECT_EQ(GetRootLookAndFeel()->SkinName(), kSkin);
  second.reset();
  ExpectSkinned(Form.get(), Button, {false, false});
}

TEST_F(SkinnedWindows, OnSkinFormMaySupplyOrRefuseASkin) {
  const struct {
    const char* name;
    bool useSkins;
    std::wstring handlerSkin;
    bool handlerUse;
    bool skinned;
  } cases[] = {
      {"skins off, handler names a registered skin", false, kSkin, true, true},
      {"skins on, handler refuses", true, kSkin, false, false},
      {"handler names an unregistered skin", true, kNoSkin, true, false},
      {"handler clears the name", true, L"", true, false},
  };
  for (const auto& tc : cases) {
    SCOPED_TRACE(tc.name);
    TCustomForm* asked = nullptr;
    std::wstring offered;
    Controller->SetOnSkinForm([&](TObject* Sender, TCustomForm* AForm, std::wstring& ASkinName, bool& UseSkin) {
      EXPECT_EQ(Sender, Controller.get());
      asked = AForm;
      offered = ASkinName;
      ASkinName = tc.handlerSkin;
      UseSkin = tc.handlerUse;
    });
    Controller->SetUseSkins(tc.useSkins);
    Controller->Refresh();
    EXPECT_EQ(asked, Form.get());
    EXPECT_EQ(offered, kSkin);
    ExpectSkinned(Form.get(), Button, {tc.skinned, tc.skinned});
    std::wstring name;
    EXPECT_EQ(TdxSkinController::GetFormSkin(Form.get(), name), tc.skinned);
    EXPECT_EQ(name, tc.skinned ? kSkin : L"");
    Controller->SetOnSkinForm(nullptr);
    Controller->SetUseSkins(true);
  }
}

TEST_F(SkinnedWindows, OnSkinControlIsAskedOnceWhenTheControlsWindowIsCreated) {
  int asked = 0;
  TButton* refused = nullptr;
  Controller->SetOnSkinControl([&](TObject* Sender, TWinControl* AControl, bool& UseSkin) {
    ++asked;
    if (AControl == refused) UseSkin = false;
  });
  refused = new TButton(Form.get());
  refused->SetParent(Form.get());
  auto* accepted = new TButton(Form.get());
  accepted->SetParent(Form.get());
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(Hooked(refused));
  EXPECT_EQ(ControllerOf(refused)->Master(), nullptr);
  EXPECT_TRUE(Hooked(accepted));
  Controller->SetUseSkins(false);
  Controller->SetUseSkins(true);
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(Hooked(refused));
  EXPECT_TRUE(Hooked(accepted));
}

TEST_F(SkinnedWindows, RefreshMessageChoosesTheFormsSkinAgain) {
  Form->DeclineAnswer = 1;
  ExpectSkinned(Form.get(), Button, {true, true});  // asked only when the skin is chosen
  SendMessageW(Form->Handle(), SkinRefreshMessage, 0, 0);
  ExpectSkinned(Form.get(), Button, {false, false});
  Form->DeclineAnswer = 0;
  Controller->Refresh();
  ExpectSkinned(Form.get(), Button, {true, true});
}

TEST(SkinControllerStorage, UseSkinsAndSkinNameAreReadAndWrittenWithTheDescription) {
  TdxSkinController controller;
  EXPECT_TRUE(controller.ReadProperty(L"SkinName", kSkin));
  EXPECT_TRUE(controller.ReadProperty(L"UseSkins", L"False"));
  EXPECT_FALSE(GlobalUseSkins());
  EXPECT_FALSE(controller.ReadProperty(L"Skin", kSkin));
  EXPECT_THROW(controller.ReadProperty(L"UseSkins", L"maybe"), EReadError);
  TStoredProperties written;
  controller.WriteProperties(written);
  EXPECT_EQ(written, (TStoredProperties{{L"SkinName", kSkin}, {L"UseSkins", L"False"}}));
  controller.SetUseSkins(true);
  written.clear();
  controller.WriteProperties(written);
  EXPECT_EQ(written, (TStoredProperties{{L"SkinName", kSkin}}));
  EXPECT_TRUE(IsClassRegistered(L"TdxSkinController"));
}
