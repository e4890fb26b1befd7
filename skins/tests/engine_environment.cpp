// Each skins test program starts the skin engine once around all its tests, as
// the programs do; the built-in skin modules only where it carries the skins.
#include <windows.h>

#include <gtest/gtest.h>

#include "skins/engine/skinengine.h"

namespace {

class TSkinEngineEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    bool carriesSkins = FindResourceW(GetModuleHandleW(nullptr), L"DARKSIDE", L"DXSKINS") != nullptr;
    talvik::InitializeSkinEngine({.BuiltinSkins = carriesSkins});
  }
  void TearDown() override { talvik::FinalizeSkinEngine(); }
};

// gtest owns the environment and keeps it to the end of the run.
::testing::Environment* const SkinEngine = ::testing::AddGlobalTestEnvironment(new TSkinEngineEnvironment);

}  // namespace
