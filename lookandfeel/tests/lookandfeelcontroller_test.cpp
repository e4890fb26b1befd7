#include <gtest/gtest.h>

#include <memory>

#include "framework/formreader.h"
#include "framework/forms.h"
#include "framework/sysutils.h"
#include "lookandfeel/lookandfeelcontroller.h"
#include "settings_fixture.h"

using namespace talvik;

TEST_F(LookAndFeelTest, ControllerPropertiesAreTheRoots) {
  RegisterDarkSide();
  TcxLookAndFeelController controller;
  EXPECT_EQ(RootControllerCount(), 1);
  controller.SetKind(lfOffice11);
  controller.SetNativeStyle(true);
  controller.SetSkinName(L"DarkSide");
  EXPECT_EQ(Root().Kind(), lfOffice11);
  EXPECT_TRUE(Root().NativeStyle());
  EXPECT_EQ(Root().SkinName(), L"DarkSide");
  Root().SetSkinName(L"Other");
  EXPECT_EQ(controller.SkinName(), L"Other");
}

// The last controller to go takes its settings with it; others keep them.
TEST_F(LookAndFeelTest, FreeingTheOnlyControllerResetsTheRoot) {
  RegisterDarkSide();
  auto first = std::make_unique<TcxLookAndFeelController>();
  auto second = std::make_unique<TcxLookAndFeelController>();
  first->SetSkinName(L"DarkSide");
  ASSERT_EQ(Root().Painter(), TDarkSidePainter::Instance());
  TChangeLog log;
  log.Watch(Root());

  second.reset();
  EXPECT_EQ(RootControllerCount(), 1);
  EXPECT_EQ(Root().SkinName(), L"DarkSide");
  EXPECT_TRUE(log.Changes.empty());

  first.reset();
  EXPECT_EQ(RootControllerCount(), 0);
  EXPECT_EQ(Root().AssignedValues(), 0);
  EXPECT_EQ(Root().SkinName(), L"");
  EXPECT_EQ(Root().Painter(), TcxUltraFlatLookAndFeelPainter::Instance());
  EXPECT_EQ(log.Changes, (std::vector<TcxLookAndFeelValues>{LookAndFeelValues({lfvSkinName})}));
}

namespace {
class TCountingController : public TcxLookAndFeelController {
public:
  int Heard = 0;
  void MasterValuesChanged(TcxLookAndFeel*, TcxLookAndFeelValues) override { ++Heard; }
};
}  // namespace

TEST_F(LookAndFeelTest, OnlyTheRootTakesControllers) {
  TCountingController controller;
  TcxLookAndFeel lf;
  lf.AddChangeListener(&controller);
  lf.SetKind(lfFlat);
  EXPECT_EQ(controller.Heard, 0);
  Root().AddChangeListener(&controller);
  EXPECT_EQ(RootControllerCount(), 1) << "a listener is counted once";
  Root().SetKind(lfFlat);
  EXPECT_EQ(controller.Heard, 1);
}

TEST(LookAndFeelController, WithoutARootHasTheDefaultsAndSetsNothing) {
  TcxLookAndFeelController controller;
  controller.SetKind(lfFlat);
  controller.SetNativeStyle(true);
  controller.SetSkinName(L"DarkSide");
  EXPECT_EQ(controller.Kind(), lfUltraFlat);
  EXPECT_FALSE(controller.NativeStyle());
  EXPECT_EQ(controller.SkinName(), L"");
  EXPECT_EQ(RootControllerCount(), 0);
}

// A form's description sets the root through its controller, and writing it
// back keeps only what differs from the defaults.
TEST_F(LookAndFeelTest, ControllerIsReadFromAndWrittenToAStoredForm) {
  RegisterDarkSide();
  {
    TForm form;
    ReadForm(&form, ParseFormDescription(LR"(object Form1: TForm
  object Controller: TcxLookAndFeelController
    Kind = lfFlat
    SkinName = "DarkSide"
  end
end
)"));
    auto* controller = dynamic_cast<TcxLookAndFeelController*>(form.FindComponent(L"Controller"));
    ASSERT_NE(controller, nullptr);
    EXPECT_EQ(Root().Painter(), TDarkSidePainter::Instance());
    TStoredProperties stored;
    controller->WriteProperties(stored);
    EXPECT_EQ(stored, (TStoredProperties{{L"Kind", L"lfFlat"}, {L"SkinName", L"DarkSide"}}));
    EXPECT_THROW(controller->ReadProperty(L"NativeStyle", L"maybe"), EReadError);
  }
  EXPECT_EQ(Root().SkinName(), L"") << "the form took its controller with it";
}
