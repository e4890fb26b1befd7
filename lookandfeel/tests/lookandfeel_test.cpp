#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/sysutils.h"
#include "lookandfeel/systempalette.h"
#include "settings_fixture.h"

using namespace talvik;

namespace {

constexpr TcxLookAndFeelValues kKind = LookAndFeelValues({lfvKind});
constexpr TcxLookAndFeelValues kNative = LookAndFeelValues({lfvNativeStyle});
constexpr TcxLookAndFeelValues kSkin = LookAndFeelValues({lfvSkinName});
constexpr TcxLookAndFeelValues kAll = cxAllLookAndFeelValues;
using TPainterOf = TcxCustomLookAndFeelPainterClass (*)();

class TFindProbe : public TcxLookAndFeel {
public:
  using TcxLookAndFeel::FindSkinPainter;
};

// Writes down each notification it hears; may act on its master while told.
class TRecordingListener : public TObject, public IcxLookAndFeelMasterListener {
public:
  TRecordingListener(std::vector<std::wstring>& ALog, std::wstring AName) : FLog(ALog), FName(std::move(AName)) {}
  TObject* GetListenerObject() override { return this; }
  void MasterValuesChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues) override {
    FLog.push_back(FName);
    if (OnValuesChanged) OnValuesChanged(*Sender);
  }
  void MasterFreeing(TcxLookAndFeel*) override {}
  std::function<void(TcxLookAndFeel&)> OnValuesChanged;

private:
  std::vector<std::wstring>& FLog;
  std::wstring FName;
};

}  // namespace

// Without theme services started there are no visual styles here.
TEST_F(LookAndFeelTest, ChoosesThePainterFromSkinKindAndNativeStyle) {
  RegisterDarkSide();
  struct Case {
    const char* Name;
    const wchar_t* RootSkin;
    const wchar_t* OwnSkin;  // nullptr: inherited
    int OwnKind;             // -1: inherited
    bool Native;
    bool UseSkins;
    const wchar_t* SkinName;
    TPainterOf Painter;
    TcxLookAndFeelStyle Style;
  };
  const Case cases[] = {
      {"root's registered skin", L"DarkSide", nullptr, -1, false, true, L"DarkSide", TDarkSidePainter::Instance, lfsUltraFlat},
      {"own name in other letter case", L"", L"DARKSIDE", lfFlat, false, true, L"DARKSIDE", TDarkSidePainter::Instance, lfsFlat},
      {"unregistered name", L"", L"Missing", -1, false, true, L"Missing", TcxUltraFlatLookAndFeelPainter::Instance, lfsUltraFlat},
      {"unregistered name, Office kind", L"", L"Missing", lfOffice11, false, true, L"Missing", TcxOffice11LookAndFeelPainter::Instance, lfsOffice11},
      {"skins switched off", L"DarkSide", nullptr, -1, false, false, L"DarkSide", TcxUltraFlatLookAndFeelPainter::Instance, lfsUltraFlat},
      {"native style without visual styles", L"DarkSide", nullptr, lfStandard, true, true, L"DarkSide", TcxStandardLookAndFeelPainter::Instance, lfsStandard},
      {"own empty name hides the root's", L"DarkSide", L"", lfFlat, false, true, L"", TcxFlatLookAndFeelPainter::Instance, lfsFlat},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Root().SetSkinName(c.RootSkin);
    SetGlobalUseSkins(c.UseSkins);
    TcxLookAndFeel lf;
    if (c.OwnSkin) lf.SetSkinName(c.OwnSkin);
    if (c.OwnKind >= 0) lf.SetKind(static_cast<TcxLookAndFeelKind>(c.OwnKind));
    if (c.Native) lf.SetNativeStyle(true);
    EXPECT_EQ(lf.SkinName(), c.SkinName);
    EXPECT_EQ(lf.Painter(), c.Painter());
    EXPECT_EQ(lf.ActiveStyle(), c.Style);
    SetGlobalUseSkins(true);
    Root().Reset();
  }
}

TEST_F(LookAndFeelTest, SkinsSwitchedOffFindTheNameButYieldNoPainter) {
  RegisterDarkSide();
  TFindProbe lf;
  for (bool useSkins : {true, false}) {
    SetGlobalUseSkins(useSkins);
    TcxCustomLookAndFeelPainterClass painter = TcxStandardLookAndFeelPainter::Instance();
    EXPECT_TRUE(lf.FindSkinPainter(L"darkSide", painter));
    EXPECT_EQ(painter, useSkins ? TDarkSidePainter::Instance() : nullptr);
    EXPECT_FALSE(lf.FindSkinPainter(L"", painter));
    EXPECT_EQ(painter, nullptr);
  }
}

TEST_F(LookAndFeelTest, NativeStyleWithVisualStylesTakesTheThemePainter) {
  RegisterDarkSide();
  InitializeThemeServices();
  if (!AreVisualStylesUsable(0)) {
    FinalizeThemeServices();
    GTEST_SKIP() << "no active visual style on this system";
  }
  TcxLookAndFeel lf;
  lf.SetSkinName(L"DarkSide");
  lf.SetNativeStyle(true);
  EXPECT_EQ(lf.Painter(), TcxWinXPLookAndFeelPainter::Instance());
  EXPECT_EQ(lf.ActiveStyle(), lfsNative);
  lf.SetNativeStyle(false);
  EXPECT_EQ(lf.Painter(), TDarkSidePainter::Instance());
  EXPECT_EQ(lf.ActiveStyle(), lfsUltraFlat);
  FinalizeThemeServices();
}

TEST_F(LookAndFeelTest, PublishesWhatChangedAndNothingElse) {
  RegisterDarkSide();
  using TStep = std::function<void(TcxLookAndFeel& root, TcxLookAndFeel& other, TcxLookAndFeel& lf)>;
  const TStep none = [](TcxLookAndFeel&, TcxLookAndFeel&, TcxLookAndFeel&) {};
  struct Case {
    const char* Name;
    TStep Setup, Action;
    std::vector<TcxLookAndFeelValues> Published;
    TPainterOf Painter;
  };
  const Case cases[] = {
      {"skin name in other letter case", [](auto&, auto&, auto& lf) { lf.SetSkinName(L"DarkSide"); },
       [](auto&, auto&, auto& lf) { lf.SetSkinName(L"darkside"); }, {kSkin}, TDarkSidePainter::Instance},
      {"kind set to the inherited one", none, [](auto&, auto&, auto& lf) { lf.SetKind(lfUltraFlat); }, {},
       TcxUltraFlatLookAndFeelPainter::Instance},
      {"Reset of a kind that differs from the master's", [](auto&, auto&, auto& lf) { lf.SetKind(lfFlat); },
       [](auto&, auto&, auto& lf) { lf.Reset(); }, {kKind}, TcxUltraFlatLookAndFeelPainter::Instance},
      {"Reset of a kind equal to the master's", [](auto&, auto&, auto& lf) { lf.SetKind(lfUltraFlat); },
       [](auto&, auto&, auto& lf) { lf.Reset(); }, {}, TcxUltraFlatLookAndFeelPainter::Instance},
      {"assigned values set to themselves", [](auto&, auto&, auto& lf) { lf.SetKind(lfFlat); },
       [](auto&, auto&, auto& lf) { lf.SetAssignedValues(lf.AssignedValues()); }, {}, TcxFlatLookAndFeelPainter::Instance},
      {"master changes an inherited value", none, [](auto& root, auto&, auto&) { root.SetKind(lfOffice11); }, {kKind},
       TcxOffice11LookAndFeelPainter::Instance},
      {"master changes a value set here", [](auto&, auto&, auto& lf) { lf.SetKind(lfFlat); },
       [](auto& root, auto&, auto&) { root.SetKind(lfStandard); }, {}, TcxFlatLookAndFeelPainter::Instance},
      {"skins switched off", [](auto& root, auto&, auto&) { root.SetSkinName(L"DarkSide"); },
       [](auto& root, auto&, auto&) {
         SetGlobalUseSkins(false);
         root.Refresh();
       },
       {kAll}, TcxUltraFlatLookAndFeelPainter::Instance},
      {"skins switched off under all values set here",
       [](auto&, auto&, auto& lf) {
         lf.SetKind(lfUltraFlat);
         lf.SetNativeStyle(false);
         lf.SetSkinName(L"DarkSide");
       },
       [](auto& root, auto&, auto&) {
         SetGlobalUseSkins(false);
         root.Refresh();
       },
       {0}, TcxUltraFlatLookAndFeelPainter::Instance},
      {"SetStyle Office 2003", none, [](auto&, auto&, auto& lf) { lf.SetStyle(lfsOffice11); }, {kKind},
       TcxOffice11LookAndFeelPainter::Instance},
      {"SetStyle native without visual styles", none, [](auto&, auto&, auto& lf) { lf.SetStyle(lfsNative); },
       {kNative}, TcxUltraFlatLookAndFeelPainter::Instance},
      {"SetStyle flat from native", [](auto&, auto&, auto& lf) { lf.SetNativeStyle(true); },
       [](auto&, auto&, auto& lf) { lf.SetStyle(lfsFlat); }, {kNative, kKind}, TcxFlatLookAndFeelPainter::Instance},
      {"forced painter", none,
       [](auto&, auto&, auto& lf) { lf.SetPainter(TcxStandardLookAndFeelPainter::Instance()); },
       {LookAndFeelValues({lfvKind, lfvNativeStyle})}, TcxStandardLookAndFeelPainter::Instance},
      {"another master", [](auto&, auto& other, auto&) { other.SetSkinName(L"DarkSide"); },
       [](auto&, auto& other, auto& lf) { lf.SetMasterLookAndFeel(&other); }, {kSkin}, TDarkSidePainter::Instance},
      {"the root named as master", none, [](auto& root, auto&, auto& lf) { lf.SetMasterLookAndFeel(&root); }, {},
       TcxUltraFlatLookAndFeelPainter::Instance},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    {
      TcxLookAndFeel other, lf;
      c.Setup(Root(), other, lf);
      TChangeLog log;
      log.Watch(lf);
      c.Action(Root(), other, lf);
      EXPECT_EQ(log.Changes, c.Published);
      EXPECT_EQ(lf.Painter(), c.Painter());
    }
    SetGlobalUseSkins(true);
    Root().Reset();
  }
}

TEST_F(LookAndFeelTest, ListenersThatLeaveOrJoinWhileToldSkipNobody) {
  std::vector<std::wstring> log;
  TRecordingListener first(log, L"first"), second(log, L"second"), third(log, L"third"), late(log, L"late");
  Root().AddChangeListener(&first);
  Root().AddChangeListener(&second);
  Root().AddChangeListener(&third);
  first.OnValuesChanged = [&](TcxLookAndFeel& master) { master.RemoveChangeListener(&first); };
  second.OnValuesChanged = [&](TcxLookAndFeel& master) { master.AddChangeListener(&late); };
  Root().SetKind(lfFlat);
  EXPECT_EQ(log, (std::vector<std::wstring>{L"first", L"second", L"third", L"late"}));

  log.clear();
  third.OnValuesChanged = [&](TcxLookAndFeel& master) { master.RemoveChangeListener(&second); };
  Root().SetKind(lfStandard);
  EXPECT_EQ(log, (std::vector<std::wstring>{L"second", L"third", L"late"}));
  Root().RemoveChangeListener(&third);
  Root().RemoveChangeListener(&late);
}

TEST_F(LookAndFeelTest, FollowersOfAFreedMasterMoveToTheRoot) {
  auto master = std::make_unique<TcxLookAndFeel>();
  master->SetKind(lfFlat);
  TcxLookAndFeel lf;
  lf.SetMasterLookAndFeel(master.get());
  ASSERT_EQ(lf.Kind(), lfFlat);
  TChangeLog log;
  log.Watch(lf);
  master.reset();
  EXPECT_EQ(lf.MasterLookAndFeel(), &Root());
  EXPECT_EQ(lf.Kind(), lfUltraFlat);
  EXPECT_EQ(log.Changes, (std::vector<TcxLookAndFeelValues>{kKind}));
  Root().SetKind(lfOffice11);
  EXPECT_EQ(lf.Kind(), lfOffice11) << "it listens to the root now";
}

TEST_F(LookAndFeelTest, FollowersOutliveTheRootOnTheDefaults) {
  RegisterDarkSide();
  Root().SetKind(lfOffice11);
  Root().SetSkinName(L"DarkSide");
  TcxLookAndFeel lf;
  ASSERT_EQ(lf.Painter(), TDarkSidePainter::Instance());
  FinalizeLookAndFeel();
  EXPECT_EQ(GetRootLookAndFeel(), nullptr);
  EXPECT_EQ(lf.MasterLookAndFeel(), nullptr);
  lf.Refresh();
  EXPECT_EQ(lf.Kind(), lfUltraFlat);
  EXPECT_EQ(lf.SkinName(), L"");
  EXPECT_EQ(lf.Painter(), TcxUltraFlatLookAndFeelPainter::Instance());
}

TEST_F(LookAndFeelTest, AssignCopiesOwnValuesAndMasterInOneNotification) {
  RegisterDarkSide();
  TcxLookAndFeel master, source, lf;
  master.SetSkinName(L"DarkSide");
  source.SetMasterLookAndFeel(&master);
  source.SetKind(lfFlat);
  TChangeLog log;
  log.Watch(lf);
  lf.Assign(&source);
  EXPECT_EQ(lf.AssignedValues(), kKind);
  EXPECT_EQ(lf.Kind(), lfFlat);
  EXPECT_EQ(lf.MasterLookAndFeel(), &master);
  EXPECT_EQ(lf.Painter(), TDarkSidePainter::Instance());
  EXPECT_EQ(log.Changes, (std::vector<TcxLookAndFeelValues>{LookAndFeelValues({lfvKind, lfvSkinName})}));

  TPersistent stranger;
  EXPECT_THROW(lf.Assign(&stranger), EConvertError);
}

// Only assigned values are stored; an assigned empty skin name is stored too,
// so that it still hides the master's name after a round trip.
TEST_F(LookAndFeelTest, StoresAssignedValuesOnly) {
  RegisterDarkSide();
  Root().SetSkinName(L"DarkSide");
  struct Case {
    const char* Name;
    std::function<void(TcxLookAndFeel&)> Setup;
    TStoredProperties Stored;
  };
  const Case cases[] = {
      {"nothing assigned", [](TcxLookAndFeel&) {}, {}},
      {"kind equal to the inherited one", [](TcxLookAndFeel& lf) { lf.SetKind(lfUltraFlat); },
       {{L"LookAndFeel.Kind", L"lfUltraFlat"}}},
      {"empty skin name", [](TcxLookAndFeel& lf) { lf.SetSkinName(L""); }, {{L"LookAndFeel.SkinName", L""}}},
      {"everything",
       [](TcxLookAndFeel& lf) {
         lf.SetKind(lfOffice11);
         lf.SetNativeStyle(true);
         lf.SetSkinName(L"Other");
       },
       {{L"LookAndFeel.Kind", L"lfOffice11"}, {L"LookAndFeel.NativeStyle", L"True"}, {L"LookAndFeel.SkinName", L"Other"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TcxLookAndFeel written, read;
    c.Setup(written);
    TStoredProperties stored;
    written.WriteProperties(stored, L"LookAndFeel.");
    EXPECT_EQ(stored, c.Stored);
    for (const auto& [name, value] : stored) EXPECT_TRUE(read.ReadProperty(name.substr(12), value));
    EXPECT_EQ(read.AssignedValues(), written.AssignedValues());
    EXPECT_EQ(read.SkinName(), written.SkinName());
    EXPECT_EQ(read.Painter(), written.Painter());
  }
  TcxLookAndFeel lf;
  EXPECT_THROW(lf.ReadProperty(L"Kind", L"lfShiny"), EReadError);
  EXPECT_FALSE(lf.ReadProperty(L"Colour", L"clRed"));
}

// Users of a skin painter hear of registry changes; a name still waiting for
// its skin hears only at the next refresh.
TEST_F(LookAndFeelTest, FollowsRegistrationsOfItsSkin) {
  RegisterDarkSide();
  TcxLookAndFeel user, waiting;
  user.SetSkinName(L"DarkSide");
  waiting.SetSkinName(L"Later");
  TChangeLog userLog, waitingLog;
  userLog.Watch(user);
  waitingLog.Watch(waiting);

  ASSERT_TRUE(GetPainterRegistry()->Register(L"Later", TStandInSkinPainter<2>::Instance(), nullptr));
  EXPECT_EQ(userLog.Changes, (std::vector<TcxLookAndFeelValues>{kAll}));
  EXPECT_TRUE(waitingLog.Changes.empty());
  EXPECT_EQ(waiting.Painter(), TcxUltraFlatLookAndFeelPainter::Instance());
  waiting.Refresh();
  EXPECT_EQ(waiting.Painter(), (TStandInSkinPainter<2>::Instance()));

  userLog.Changes.clear();
  ASSERT_TRUE(GetPainterRegistry()->Unregister(L"DarkSide"));
  EXPECT_EQ(userLog.Changes, (std::vector<TcxLookAndFeelValues>{kAll}));
  EXPECT_EQ(user.Painter(), TcxUltraFlatLookAndFeelPainter::Instance());
}

// Its own values equal the inherited ones, so setting them published nothing;
// the root's notice of the removal then carries no value for it either.
TEST_F(LookAndFeelTest, ANewUserOfASkinHearsOfItsRemoval) {
  RegisterDarkSide();
  Root().SetSkinName(L"DarkSide");
  TcxLookAndFeel lf;
  lf.SetKind(lfUltraFlat);
  lf.SetNativeStyle(false);
  lf.SetSkinName(L"DarkSide");
  ASSERT_EQ(lf.Painter(), TDarkSidePainter::Instance());
  ASSERT_TRUE(GetPainterRegistry()->Unregister(L"DarkSide"));
  EXPECT_EQ(lf.Painter(), TcxUltraFlatLookAndFeelPainter::Instance());
}

TEST_F(LookAndFeelTest, SystemColourChangeMakesEveryLookAndFeelPublishNativeStyle) {
  TcxLookAndFeel a, b;
  TChangeLog logA, logB, rootLog;
  logA.Watch(a);
  logB.Watch(b);
  rootLog.Watch(Root());
  ASSERT_NE(PaletteListener(), nullptr);
  SendMessageW(PaletteListener()->WindowHandle(), WM_SYSCOLORCHANGE, 0, 0);
  // Each hears the change itself, then once more from the root.
  for (TChangeLog* log : {&logA, &logB}) EXPECT_EQ(log->Changes, (std::vector<TcxLookAndFeelValues>{kNative, kNative}));
  EXPECT_EQ(rootLog.Changes, (std::vector<TcxLookAndFeelValues>{kNative}));
}
