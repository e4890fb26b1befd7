// What the look-and-feel settings tests share: a started look-and-feel layer
// and stand-in skin painters (the real skin painter lives above this layer).
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lookandfeel/builtinpainters.h"
#include "lookandfeel/lookandfeel.h"

namespace talvik {

template <int N>
class TStandInSkinPainter : public TcxOffice11LookAndFeelPainter {
public:
  static TcxCustomLookAndFeelPainterClass Instance() {
    static const TStandInSkinPainter p;
    return &p;
  }
};
using TDarkSidePainter = TStandInSkinPainter<1>;

class LookAndFeelTest : public ::testing::Test {
protected:
  void SetUp() override { InitializeLookAndFeel(); }
  void TearDown() override {
    SetGlobalUseSkins(true);
    FinalizeLookAndFeel();
  }
  TcxLookAndFeel& Root() { return *GetRootLookAndFeel(); }
  void RegisterDarkSide() { ASSERT_TRUE(GetPainterRegistry()->Register(L"DarkSide", TDarkSidePainter::Instance(), nullptr)); }
};

// Records what a look-and-feel publishes.
struct TChangeLog {
  std::vector<TcxLookAndFeelValues> Changes;
  void Watch(TcxLookAndFeel& ALookAndFeel) {
    ALookAndFeel.OnChanged = [this](TcxLookAndFeel*, TcxLookAndFeelValues AValues) { Changes.push_back(AValues); };
  }
};

}  // namespace talvik
