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

// The built-in dark skin when the test carries it, else the sample skin.
std::string Original() {
  HMODULE self = GetModuleHandleW(nullptr);
  if (HRSRC r = FindResourceW(self, L"DARKSIDE", L"DXSKINS")) {
    const char* p = static_cast<const char*>(LockResource(LoadResource(self, r)));
    return std::string(p, SizeofResource(self, r));
  }
  return SaveToBytes(*MakeSampleSkin());
}

// Loads; true when it loaded, false on a clean error. Anything else fails the test.
bool LoadsCleanly(const std::string& ABytes) {
  TdxSkin skin(L"", false, nullptr);
  TBytesStream s(ABytes);
  try {
    skin.LoadFromStream(s);
  } catch (const Exception&) {
    EXPECT_EQ(skin.LockCount(), 0);
    return false;
  }
  EXPECT_EQ(skin.LockCount(), 0);
  // What loaded must also write.
  TMemoryStream out;
  skin.SaveToStream(out);
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

TEST(SkinMutation, DamagedStreamsFailCleanly) {
  const std::string original = Original();
  ASSERT_TRUE(LoadsCleanly(original));
  std::mt19937 random(20261209);
  auto position = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random); };
  int loaded = 0, failed = 0;
  auto run = [&](const std::string& bytes) { (LoadsCleanly(bytes) ? loaded : failed)++; };

  for (int i = 0; i < 1500; ++i) {
    std::string bytes = original;
    int flips = 1 + static_cast<int>(position(4));
    for (int f = 0; f < flips; ++f) bytes[position(bytes.size())] ^= static_cast<char>(1 + position(255));
    run(bytes);
  }
  for (int i = 0; i < 500; ++i) run(original.substr(0, position(original.size())));

  const int32_t lies[] = {0x7FFFFFFF, static_cast<int32_t>(0x80000000), -1, 0x40000000, 0x01000000, 1 << 20, 70000};
  std::vector<size_t> offsets = CountLikeOffsets(original);
  ASSERT_FALSE(offsets.empty());
  for (int i = 0; i < 1500; ++i) {
    std::string bytes = original;
    int32_t lie = lies[position(std::size(lies))];
    std::memcpy(bytes.data() + offsets[position(offsets.size())], &lie, 4);
    run(bytes);
  }
  // Both outcomes occur; a mutation run that never fails would test nothing.
  EXPECT_GT(failed, 1000);
  EXPECT_GT(loaded, 0);

  PROCESS_MEMORY_COUNTERS counters{};
  ASSERT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters));
  EXPECT_LT(counters.PeakPagefileUsage, 512u * 1024 * 1024);
}

}  // namespace
