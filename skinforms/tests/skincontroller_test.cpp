// The skin controller component: the settings that decide which windows are
// skinned, and the re-evaluation that follows every change.
#include <functional>

#include "skinforms/formnonclientinfo.h"
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
      {"registered painter that is no skin painter", [](TdxSkinController& c) { c.SetSkinName(kNotASkin); },
       {false, false}},
      {"other letter case", [](TdxSkinController& c) { c.SetSkinName(L"darkside"); }, {true, true}},
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
    std::wstring skin;  // empty: not skinned
  } cases[] = {
      {"skins off, handler names a registered skin", false, kSkin, true, kSkin},
      {"skins on, handler names another skin", true, kOtherSkin, true, kOtherSkin},
      {"skins on, handler refuses", true, kSkin, false, L""},
      {"handler names an unregistered skin", true, kNoSkin, true, L""},
      {"handler names a painter that is no skin painter", true, kNotASkin, true, L""},
      {"handler clears the name", true, L"", true, L""},
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
    const bool skinned = !tc.skin.empty();
    EXPECT_EQ(Hooked(Form.get()), skinned);
    EXPECT_EQ(Hooked(Button), skinned);
    std::wstring name;
    EXPECT_EQ(TdxSkinController::GetFormSkin(Form.get(), name), skinned);
    EXPECT_EQ(name, tc.skin);
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
}

// A title set while the window is not skinned reaches no handler of the skin: the
// skinned caption must show it once the skin comes back, however it went away.
TEST_F(SkinnedWindows, SkinnedCaptionShowsATitleSetWhileTheFormWasNotSkinned) {
  const struct {
    const char* name;
    std::function<void(TdxSkinController&, TTestForm&)> off, on;
  } cases[] = {
      {"skins off", [](TdxSkinController& c, TTestForm&) { c.SetUseSkins(false); },
       [](TdxSkinController& c, TTestForm&) { c.SetUseSkins(true); }},
      {"unknown skin name", [](TdxSkinController& c, TTestForm&) { c.SetSkinName(kNoSkin); },
       [](TdxSkinController& c, TTestForm&) { c.SetSkinName(kSkin); }},
      {"the form declines", [](TdxSkinController& c, TTestForm& f) { f.DeclineAnswer = 1; c.Refresh(); },
       [](TdxSkinController& c, TTestForm& f) { f.DeclineAnswer = 0; c.Refresh(); }},
  };
  int n = 0;
  for (const auto& tc : cases) {
    SCOPED_TRACE(tc.name);
    const std::wstring title = L"title " + std::to_wstring(++n);
    tc.off(*Controller, *Form);
    ASSERT_FALSE(Hooked(Form.get()));
    Form->SetCaption(title);
    tc.on(*Controller, *Form);
    auto* controller = dynamic_cast<TdxSkinFormController*>(ControllerOf(Form.get()));
    ASSERT_TRUE(controller && controller->IsSkinUsed());
    EXPECT_EQ(controller->ViewInfo()->Caption(), title);
  }
}

// Window creation and refresh ask the skin controllers in the same order: the one made
// last chooses, an earlier one may only supply a skin through OnSkinForm.
TEST_F(SkinnedWindows, CreationAndRefreshChooseTheSamePainterWithTwoControllers) {
  auto second = std::make_unique<TdxSkinController>();
  Controller->SetOnSkinForm([](TObject*, TCustomForm*, std::wstring& AName, bool& AUse) {
    AName = kOtherSkin;
    AUse = true;
  });
  const struct {
    const char* name;
    bool secondDeclines;
    TcxCustomLookAndFeelPainterClass painter;
  } cases[] = {
      {"the last made chooses its skin", false, SkinPainter()},
      {"it refuses: the first supplies another", true, TdxSkinsUserSkinPainter::Instance()},
  };
  for (const auto& tc : cases) {
    SCOPED_TRACE(tc.name);
    second->SetOnSkinForm([&](TObject*, TCustomForm*, std::wstring&, bool& AUse) {
      if (tc.secondDeclines) AUse = false;
    });
    TTestForm created;
    created.HandleNeeded();
    ASSERT_NE(ControllerOf(&created), nullptr);
    EXPECT_EQ(ControllerOf(&created)->LookAndFeelPainter(), tc.painter) << "at creation";
    second->Refresh();
    EXPECT_EQ(ControllerOf(&created)->LookAndFeelPainter(), tc.painter) << "after a refresh";
  }
  second->SetOnSkinForm(nullptr);
  Controller->SetOnSkinForm(nullptr);
}

// Handlers run while the controller lists are walked; what they make or free must not
// break the walk.
TEST_F(SkinnedWindows, HandlersThatMakeOrFreeControllersDuringAWalkAreSafe) {
  std::vector<std::unique_ptr<TdxSkinController>> made;
  std::unique_ptr<TdxSkinController> doomed = std::make_unique<TdxSkinController>();
  doomed->SetSkinName(kSkin);
  // The newest controller is asked first; declining, it passes the question on.
  doomed->SetOnSkinControl([](TObject*, TWinControl*, bool& AUse) { AUse = false; });
  int calls = 0;
  Controller->SetOnSkinControl([&](TObject*, TWinControl*, bool&) {
    ++calls;
    // A new controller while the skin controllers are being asked, and the end of another.
    if (made.size() < 8) made.push_back(std::make_unique<TdxSkinController>());
    doomed.reset();
  });
  std::vector<std::unique_ptr<TTestForm>> windows;
  bool inHandler = false;
  Controller->SetOnSkinForm([&](TObject*, TCustomForm* AForm, std::wstring&, bool&) {
    if (inHandler) return;
    inHandler = true;
    // A window (and so a controller in the window list) while the refresh walks that
    // list, and the end of an earlier one.
    if (windows.size() < 8) {
      windows.push_back(std::make_unique<TTestForm>());
      windows.back()->HandleNeeded();
    }
    if (windows.size() > 2 && windows.front().get() != AForm) windows.erase(windows.begin());
    inHandler = false;
  });
  auto* button = new TButton(Form.get());
  button->SetParent(Form.get());
  Controller->Refresh();
  Controller->Refresh();
  EXPECT_GT(calls, 0);
  EXPECT_TRUE(Hooked(Form.get()));
  EXPECT_TRUE(Hooked(button));
  Controller->SetOnSkinControl(nullptr);
  Controller->SetOnSkinForm(nullptr);
  windows.clear();
  made.clear();
}
