// Damaged skin streams must end in a clean error or a clean load: no crash, no hang,
// no huge allocation.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "framework/sysutils.h"
#include "skins/skin.h"
#include "skins/tests/skin_fixture.h"

using namespace talvik;
using namespace talvik::testing;

namespace {

// The built-in dark skin when the test carries it, else the sample skin. All of its
// structure stays, but only every 16th element keeps its pictures: a load then costs
// a few picture decodes instead of hundreds, and damage lands on the structure, which
// is our code, more often than on picture data, which is the system decoder's.
std::string Original() {
  HMODULE self = GetModuleHandleW(nullptr);
  HRSRC r = FindResourceW(self, L"DARKSIDE", L"DXSKINS");
  if (!r) return SaveToBytes(*MakeSampleSkin());
  const char* p = static_cast<const char*>(LockResource(LoadResource(self, r)));
  TdxSkin skin(L"", false, nullptr);
  TBytesStream in(std::string(p, SizeofResource(self, r)));
  skin.LoadFromStream(in);
  int index = 0;
  for (int g = 0; g < skin.GroupCount(); ++g) {
    for (int e = 0; e < skin.Groups(g)->Count(); ++e) {
      if (index++ % 16 == 0) continue;
      skin.Groups(g)->Elements(e)->Image()->Clear();
      skin.Groups(g)->Elements(e)->Glyph()->Clear();
    }
  }
  return SaveToBytes(skin);
}

// Loads; true when it loaded, false on a clean error. Anything else fails the test.
bool LoadsCleanly(const std::string& ABytes, bool AWriteBack = false) {
  TdxSkin skin(L"", false, nullptr);
  TBytesStream s(ABytes);
  try {
    skin.LoadFromStream(s);
  } catch (const Exception&) {
    EXPECT_EQ(skin.LockCount(), 0);
    return false;
  }
  EXPECT_EQ(skin.LockCount(), 0);
  if (AWriteBack) {
    // What loaded must also write and read back.
    TMemoryStream out;
    skin.SaveToStream(out);
    out.SetPosition(0);
    TdxSkin again(L"", false, nullptr);
    again.LoadFromStream(out);
    EXPECT_EQ(again.GroupCount(), skin.GroupCount());
  }
  return true;
}

// Offsets of int32 values that look like counts or lengths: the fields worth lying about.
std::vector<size_t> CountLikeOffsets(const std::string& ABytes) {
  std::vector<size_t> result;
  for (size_t i = 0; i + 4 <= ABytes.size(); ++i) {
    int32_t v;
    std::memcpy(&v, ABytes.data() + i, 4);
    if (v > 0 && v < 100000) result.push_back(i);
  }
  return result;
}

class SkinMutation : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(LoadsCleanly(Source, true)); }
  void TearDown() override {
    // A run in which nothing fails would have damaged nothing that matters.
    EXPECT_GT(Failed, 0);
    PROCESS_MEMORY_COUNTERS counters{};
    ASSERT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters));
    EXPECT_LT(counters.PeakPagefileUsage, 512u * 1024 * 1024);
  }
  size_t Position(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(Random); }
  void Run(const std::string& ABytes) {
    // Every 50th clean load is also written and read back.
    bool writeBack = (Loaded + Failed) % 50 == 0;
    (LoadsCleanly(ABytes, writeBack) ? Loaded : Failed)++;
  }

  static inline const std::string Source = Original();
  std::mt19937 Random{20261209};
  int Loaded = 0, Failed = 0;
};

TEST_F(SkinMutation, FlippedBytes) {
  for (int i = 0; i < 700; ++i) {
    std::string bytes = Source;
    int flips = 1 + static_cast<int>(Position(4));
    for (int f = 0; f < flips; ++f) bytes[Position(bytes.size())] ^= static_cast<char>(1 + Position(255));
    Run(bytes);
  }
  // Flips inside picture data leave loadable skins.
  EXPECT_GT(Loaded, 0);
}

TEST_F(SkinMutation, CutLengths) {
  for (int i = 0; i < 400; ++i) Run(Source.substr(0, Position(Source.size())));
  EXPECT_EQ(Loaded, 0);
}

TEST_F(SkinMutation, HugeCountsAndLengths) {
  const int32_t lies[] = {0x7FFFFFFF, static_cast<int32_t>(0x80000000), -1, 0x40000000, 0x01000000, 1 << 20, 70000};
  std::vector<size_t> offsets = CountLikeOffsets(Source);
  ASSERT_FALSE(offsets.empty());
  for (int i = 0; i < 900; ++i) {
    std::string bytes = Source;
    int32_t lie = lies[Position(std::size(lies))];
    std::memcpy(bytes.data() + offsets[Position(offsets.size())], &lie, 4);
    Run(bytes);
  }
}

}  // namespace
