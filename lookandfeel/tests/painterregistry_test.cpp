#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "lookandfeel/painterregistry.h"
#include "settings_fixture.h"

using namespace talvik;

namespace {

TcxCustomLookAndFeelPainterClass PainterA() { return TStandInSkinPainter<1>::Instance(); }
TcxCustomLookAndFeelPainterClass PainterB() { return TStandInSkinPainter<2>::Instance(); }
TcxCustomLookAndFeelPainterClass PainterC() { return TStandInSkinPainter<3>::Instance(); }

class TLoggedData : public TObject {
public:
  TLoggedData(std::vector<std::wstring>& ALog, std::wstring AName) : FLog(ALog), FName(std::move(AName)) {}
  ~TLoggedData() override { FLog.push_back(L"free " + FName); }

private:
  std::vector<std::wstring>& FLog;
  std::wstring FName;
};

class TLoggedListener : public IcxLookAndFeelPainterListener {
public:
  TLoggedListener(std::vector<std::wstring>& ALog, std::wstring AName) : FLog(ALog), FName(std::move(AName)) {}
  void PainterRegistryChanged(TcxCustomLookAndFeelPainterClass APainter) override {
    FLog.push_back(FName + (APainter == PainterA() ? L" A" : APainter == PainterB() ? L" B" : L" ?"));
    if (OnChanged) OnChanged();
  }
  std::function<void()> OnChanged;

private:
  std::vector<std::wstring>& FLog;
  std::wstring FName;
};

std::vector<std::wstring> Names(const TcxExtendedStylePainters& ARegistry) {
  std::vector<std::wstring> names;
  for (int i = 0; i < ARegistry.Count(); ++i) names.push_back(ARegistry.Items(i).Name());
  return names;
}

}  // namespace

// Sorted by the locale's rules with case (an ordinal sort would put "alpha" last);
// found whatever the letter case, and a name taken in another case is refused.
TEST(PainterRegistry, SortsByLocaleAndMatchesNamesIgnoringCase) {
  std::vector<std::wstring> log;
  TcxExtendedStylePainters registry;
  ASSERT_TRUE(registry.Register(L"Zeta", PainterC(), nullptr));
  ASSERT_TRUE(registry.Register(L"alpha", PainterA(), nullptr));
  ASSERT_TRUE(registry.Register(L"Beta", PainterB(), nullptr));
  EXPECT_EQ(Names(registry), (std::vector<std::wstring>{L"alpha", L"Beta", L"Zeta"}));

  struct Case {
    const wchar_t* Name;
    bool Found;
    TcxCustomLookAndFeelPainterClass Painter;
  };
  const TcxCustomLookAndFeelPainterClass untouched = TcxStandardLookAndFeelPainter::Instance();
  for (const Case& c : {Case{L"ALPHA", true, PainterA()}, Case{L"beta", true, PainterB()},
                        Case{L"zeta", true, PainterC()}, Case{L"Gamma", false, untouched},
                        Case{L"", false, untouched}}) {
    TcxCustomLookAndFeelPainterClass painter = untouched;
    EXPECT_EQ(registry.GetPainterByName(c.Name, painter), c.Found) << c.Name;
    EXPECT_EQ(painter, c.Painter) << c.Name;
  }

  auto* offered = new TLoggedData(log, L"offered");
  EXPECT_FALSE(registry.Register(L"BETA", PainterA(), offered));
  EXPECT_EQ(registry.Count(), 3);
  EXPECT_TRUE(log.empty()) << "the refused data stays the caller's";
  delete offered;
}

TEST(PainterRegistry, AnswersNameAndDataByPainter) {
  std::vector<std::wstring> log;
  TcxExtendedStylePainters registry;
  auto* data = new TLoggedData(log, L"dark");
  ASSERT_TRUE(registry.Register(L"DarkSide", PainterA(), data));

  std::wstring name = L"stale";
  TObject* found = data;
  EXPECT_TRUE(registry.GetNameByPainter(PainterA(), name));
  EXPECT_EQ(name, L"DarkSide");
  EXPECT_TRUE(registry.GetPainterData(PainterA(), found));
  EXPECT_EQ(found, data);

  EXPECT_FALSE(registry.GetNameByPainter(PainterB(), name));
  EXPECT_EQ(name, L"");
  EXPECT_FALSE(registry.GetPainterData(PainterB(), found));
  EXPECT_EQ(found, nullptr);
}

// Listeners hear last-added first, may leave while told, and the item's data
// lives until they all heard of its removal.
TEST(PainterRegistry, TellsListenersLastAddedFirstThenFreesTheData) {
  std::vector<std::wstring> log;
  TcxExtendedStylePainters registry;
  TLoggedListener first(log, L"first"), second(log, L"second"), third(log, L"third");
  registry.AddListener(&first);
  registry.AddListener(&second);
  registry.AddListener(&second);
  registry.AddListener(&third);
  third.OnChanged = [&] { registry.RemoveListener(&third); };

  ASSERT_TRUE(registry.Register(L"DarkSide", PainterA(), new TLoggedData(log, L"data")));
  EXPECT_EQ(log, (std::vector<std::wstring>{L"third A", L"second A", L"first A"}));

  log.clear();
  EXPECT_FALSE(registry.Unregister(L"Light"));
  EXPECT_TRUE(registry.Unregister(L"darkside"));
  EXPECT_EQ(log, (std::vector<std::wstring>{L"second A", L"first A", L"free data"}));
  EXPECT_EQ(registry.Count(), 0);
}

TEST(PainterRegistry, AListenerRemovedByAnotherIsNotTold) {
  std::vector<std::wstring> log;
  TcxExtendedStylePainters registry;
  TLoggedListener first(log, L"first"), second(log, L"second");
  registry.AddListener(&first);
  registry.AddListener(&second);
  second.OnChanged = [&] { registry.RemoveListener(&first); };
  registry.Register(L"B", PainterB(), nullptr);
  EXPECT_EQ(log, (std::vector<std::wstring>{L"second B"}));
}

TEST(PainterRegistry, FreesTheDataOfEveryItemWithItself) {
  std::vector<std::wstring> log;
  {
    TcxExtendedStylePainters registry;
    registry.Register(L"One", PainterA(), new TLoggedData(log, L"one"));
    registry.Register(L"Two", PainterB(), new TLoggedData(log, L"two"));
  }
  std::sort(log.begin(), log.end());
  EXPECT_EQ(log, (std::vector<std::wstring>{L"free one", L"free two"}));
}

// Data registered on demand is made by the first question for it, once; an item
// removed before anyone asked never makes it, and a maker's failure reaches the
// asker and leaves the next question to try again.
TEST(PainterRegistry, MakesOnDemandDataAtTheFirstQuestionOnly) {
  std::vector<std::wstring> log;
  TcxExtendedStylePainters registry;
  int made = 0;
  bool fail = true;
  auto maker = [&](const wchar_t* AName) {
    return [&, AName]() -> std::unique_ptr<TObject> {
      if (fail) throw std::runtime_error("damaged");
      ++made;
      return std::make_unique<TLoggedData>(log, AName);
    };
  };
  ASSERT_TRUE(registry.RegisterOnDemand(L"Light", PainterA(), maker(L"light")));
  ASSERT_TRUE(registry.RegisterOnDemand(L"Unused", PainterB(), maker(L"unused")));
  EXPECT_FALSE(registry.RegisterOnDemand(L"light", PainterC(), maker(L"again")));
  std::wstring name;
  EXPECT_TRUE(registry.GetNameByPainter(PainterA(), name));
  EXPECT_EQ(made, 0);

  TObject* found = nullptr;
  EXPECT_THROW(registry.GetPainterData(PainterA(), found), std::runtime_error);
  fail = false;
  ASSERT_TRUE(registry.GetPainterData(PainterA(), found));
  ASSERT_NE(found, nullptr);
  TObject* again = nullptr;
  registry.GetPainterData(PainterA(), again);
  EXPECT_EQ(again, found);
  EXPECT_EQ(made, 1);

  EXPECT_TRUE(registry.Unregister(L"Unused"));
  EXPECT_TRUE(registry.Unregister(L"Light"));
  EXPECT_EQ(made, 1);
  EXPECT_EQ(log, std::vector<std::wstring>{L"free light"});
}
