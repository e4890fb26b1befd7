// The one start-up order: every layer exists before the next starts, stops only
// after the later ones stopped, and a failing step leaves nothing behind. This
// program carries no built-in skins, so asking for them fails.
#include <gtest/gtest.h>

#include <string>

#include "framework/classes.h"
#include "framework/sysutils.h"
#include "lookandfeel/lookandfeel.h"
#include "lookandfeel/painterresources.h"
#include "skins/pictures/gdiplusapi.h"
#include "skins/engine/skinengine.h"
#include "skins/painter/skinpaintercache.h"
#include "skins/model/skinproperties.h"

using namespace talvik;

namespace {

// What the last step saw of the layers below it.
std::string Seen;
std::string Layers() {
  std::string s;
  s += PaintersInitialized() ? "painters " : "";
  s += GetPainterRegistry() ? "registry " : "";
  s += GetRootLookAndFeel() ? "root " : "";
  s += GdiPlusLoaded() ? "gdi+ " : "";
  s += IsClassRegistered(L"TdxSkinElement") && TdxSkinProperty::FindClass(L"TdxSkinColor") ? "skin-classes " : "";
  s += SkinPainterCacheManager() ? "skin-painter" : "";
  return s;
}
void SeeAtStart() { Seen += "start: " + Layers() + "; "; }
void SeeAtStop() { Seen += "stop: " + Layers() + "; "; }

// Each test stops the engine the test program started and leaves it started again.
class SkinEngine : public ::testing::Test {
protected:
  void SetUp() override { FinalizeSkinEngine(); }
  void TearDown() override {
    FinalizeSkinEngine();
    InitializeSkinEngine({.BuiltinSkins = false});
  }
};

TEST_F(SkinEngine, TheLastStepRunsBetweenAllOthers) {
  Seen.clear();
  const std::string all = "painters registry root gdi+ skin-classes skin-painter";
  InitializeSkinEngine({.BuiltinSkins = false, .SkinnedWindows = {SeeAtStart, SeeAtStop}});
  EXPECT_TRUE(SkinEngineStarted());
  FinalizeSkinEngine();
  EXPECT_EQ(Seen, "start: " + all + "; stop: " + all + "; ");
  EXPECT_EQ(Layers(), "");
  EXPECT_FALSE(SkinEngineStarted());
}

TEST_F(SkinEngine, StartingTwiceDoesNothingMore) {
  InitializeSkinEngine({.BuiltinSkins = false});
  Seen.clear();
  InitializeSkinEngine({.BuiltinSkins = false, .SkinnedWindows = {SeeAtStart, SeeAtStop}});
  FinalizeSkinEngine();
  FinalizeSkinEngine();
  EXPECT_EQ(Seen, "");
}

TEST_F(SkinEngine, AMissingBuiltinSkinStopsWhatHadStarted) {
  Seen.clear();
  try {
    InitializeSkinEngine({.SkinnedWindows = {SeeAtStart, SeeAtStop}});
    FAIL() << "started without the DarkSide resource";
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), L"Resource DarkSide not found");
  }
  EXPECT_FALSE(SkinEngineStarted());
  EXPECT_EQ(Layers(), "");
  EXPECT_EQ(Seen, "");
}

}  // namespace
