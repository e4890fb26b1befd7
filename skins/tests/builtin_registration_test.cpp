// The built-in skins' registration: what start-up registers, lookups by name,
// a look-and-feel that names a skin, and a module that shuts down.
#include <gtest/gtest.h>

#include <vector>

#include "framework/sysutils.h"
#include "lookandfeel/lookandfeel.h"
#include "lookandfeel/painterregistry.h"
#include "skins/engine/builtinskins.h"
#include "skins/model/skin.h"
#include "skins/engine/unitsloader.h"

using namespace talvik;

namespace {

TcxCustomLookAndFeelPainterClass DarkSide() { return TdxDarkSidePainter::Instance(); }
TcxCustomLookAndFeelPainterClass UserSkin() { return TdxSkinsUserSkinPainter::Instance(); }

TEST(BuiltinSkinRegistration, ExactlyDarkSideAndUserSkin) {
  struct {
    const wchar_t* Name;
    TcxCustomLookAndFeelPainterClass Painter;
    const wchar_t* SkinName;
    const wchar_t* UnitName;
    bool RefreshesRoot;
  } expected[] = {{L"DarkSide", DarkSide(), L"DarkSide", L"dxSkinDarkSide", false},
                  {L"UserSkin", UserSkin(), L"defaultuserskindata", L"dxSkinsDefaultPainters", true}};
  TcxExtendedStylePainters* registry = GetPainterRegistry();
  ASSERT_EQ(registry->Count(), 2);
  for (int i = 0; i < 2; ++i) {
    const TcxExtendedStylePainterInfo& item = registry->Items(i);
    auto* painter = static_cast<const TdxSkinLookAndFeelPainter*>(expected[i].Painter);
    EXPECT_EQ(item.Name(), expected[i].Name);
    EXPECT_EQ(item.Painter(), expected[i].Painter);
    auto* info = dynamic_cast<TdxSkinLookAndFeelPainterInfo*>(item.Data());
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(painter->GetSkinInfo(), info);
    EXPECT_EQ(info->Skin()->Name(), expected[i].SkinName);
    EXPECT_EQ(painter->InternalUnitName(), expected[i].UnitName);
    EXPECT_EQ(dynamic_cast<TdxSkinUserLookAndFeelPainterInfo*>(info) != nullptr, expected[i].RefreshesRoot);
  }
}

TEST(BuiltinSkinRegistration, NamesIgnoreLetterCaseButNotTheStreamName) {
  struct {
    const wchar_t* Name;
    TcxCustomLookAndFeelPainterClass Painter;
  } cases[] = {{L"DarkSide", DarkSide()},          {L"darkside", DarkSide()}, {L"DARKSIDE", DarkSide()},
               {L"userskin", UserSkin()},          {L"defaultuserskindata", nullptr},
               {L"DefaultUserSkinData", nullptr},  {L"", nullptr}};
  for (auto c : cases) {
    TcxCustomLookAndFeelPainterClass found = nullptr;
    EXPECT_EQ(GetPainterRegistry()->GetPainterByName(c.Name, found), c.Painter != nullptr) << WideToUtf8(c.Name);
    EXPECT_EQ(found, c.Painter) << WideToUtf8(c.Name);
  }
}

TEST(BuiltinSkinRegistration, LookAndFeelUnderADarkSideRootDrawsWithDarkSide) {
  TcxLookAndFeel* root = GetRootLookAndFeel();
  for (const wchar_t* name : {L"DarkSide", L"darkside"}) {
    root->SetSkinName(name);
    TcxLookAndFeel lookAndFeel(nullptr);
    EXPECT_EQ(lookAndFeel.SkinName(), name);
    EXPECT_EQ(lookAndFeel.Painter(), DarkSide()) << WideToUtf8(name);
  }
  root->Reset();
}

// Only the user skin's info tells the root, so that every control repaints.
TEST(BuiltinSkinRegistration, AChangedUserSkinRefreshesTheRoot) {
  TcxLookAndFeel* root = GetRootLookAndFeel();
  std::vector<TcxLookAndFeelValues> published;
  root->OnChanged = [&](TcxLookAndFeel*, TcxLookAndFeelValues AValues) { published.push_back(AValues); };
  auto changeSkin = [](TcxCustomLookAndFeelPainterClass APainter) {
    TdxSkin* skin = static_cast<const TdxSkinLookAndFeelPainter*>(APainter)->GetSkinInfo()->Skin();
    TdxSkinColor* color = skin->GetColorByName(L"SelectionColor");
    color->SetValue(color->Value() ^ 1);
  };
  changeSkin(DarkSide());
  EXPECT_TRUE(published.empty());
  changeSkin(UserSkin());
  EXPECT_EQ(published, std::vector<TcxLookAndFeelValues>{cxAllLookAndFeelValues});
  root->OnChanged = nullptr;
}

TEST(BuiltinSkinRegistration, DarkSideModuleShutDownUnregistersIt) {
  UnitsLoaderInstance().RemoveUnit(dxSkinDarkSideUnitFinalize);
  TcxCustomLookAndFeelPainterClass found = nullptr;
  EXPECT_FALSE(GetPainterRegistry()->GetPainterByName(L"DarkSide", found));
  EXPECT_TRUE(GetPainterRegistry()->GetPainterByName(L"UserSkin", found));
  EXPECT_EQ(GetPainterRegistry()->Count(), 1);
  EXPECT_EQ(static_cast<const TdxSkinLookAndFeelPainter*>(DarkSide())->GetSkinInfo(), nullptr);
  TcxLookAndFeel lookAndFeel(nullptr);
  lookAndFeel.SetSkinName(L"DarkSide");
  EXPECT_EQ(lookAndFeel.Painter(), TcxUltraFlatLookAndFeelPainter::Instance());

  UnitsLoaderInstance().AddUnit(dxSkinDarkSideUnitInitialize, dxSkinDarkSideUnitFinalize);
  EXPECT_TRUE(GetPainterRegistry()->GetPainterByName(L"DarkSide", found));
  EXPECT_NE(static_cast<const TdxSkinLookAndFeelPainter*>(DarkSide())->GetSkinInfo(), nullptr);
}

}  // namespace
