#include <gtest/gtest.h>

#include <string>

#include "skins/engine/unitsloader.h"

using namespace talvik;

namespace {

std::string Log;
void StartA() { Log += "+A"; }
void StopA() { Log += "-A"; }
void StartB() { Log += "+B"; }
void StopB() { Log += "-B"; }
void StopC() { Log += "-C"; }

TEST(UnitsLoader, StartsAtOnceAndStopsInReverse) {
  Log.clear();
  {
    TdxUnitsLoader loader;
    loader.AddUnit(StartA, StopA);
    loader.AddUnit(StartB, StopB);
    loader.AddUnit(nullptr, StopC);
    EXPECT_EQ(Log, "+A+B");  // an executable starts each unit as it is added
    loader.RemoveUnit(StopB);
    loader.RemoveUnit(StopB);  // a second removal finds nothing to run
    EXPECT_EQ(Log, "+A+B-B");
  }
  EXPECT_EQ(Log, "+A+B-B-C-A");
}

TEST(UnitsLoader, NothingStopsThatNeverStarted) {
  Log.clear();
  TdxUnitsLoader loader;
  loader.AddUnit(nullptr, StopA);
  loader.Finalize();
  EXPECT_EQ(Log, "");
  EXPECT_FALSE(loader.HasFinalizers());
  EXPECT_FALSE(dxIsLibrary());
}

}  // namespace
