// Damaged skin streams must end in a clean error or a clean load: no crash, no hang,
// no huge allocation.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>

#include "framework/sysutils.h"
#include "skins/model/skin.h"
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

// A 32-bit memory surface that every loaded mutant is drawn on.
struct TMutantSurface {
  HDC DC = CreateCompatibleDC(nullptr);
  HBITMAP Bitmap = nullptr;
  HGDIOBJ Old = nullptr;
  TMutantSurface() {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 64, -48, 1, 32, BI_RGB};
    void* bits = nullptr;
    Bitmap = CreateDIBSection(DC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    Old = SelectObject(DC, Bitmap);
  }
  ~TMutantSurface() {
    SelectObject(DC, Old);
    DeleteObject(Bitmap);
    DeleteDC(DC);
  }
};

// What loaded must also draw, as a window would: every element, in turns at a size
// that fits its margins in a state it has, and at one too small in a state it may borrow.
void DrawEveryElement(TdxSkin& ASkin) {
  static TMutantSurface surface;
  bool small = false;
  for (int g = 0; g < ASkin.GroupCount(); ++g)
    for (int e = 0; e < ASkin.Groups(g)->Count(); ++e) {
      TdxSkinElement* element = ASkin.Groups(g)->Elements(e);
      if ((small = !small)) element->Draw(surface.DC, RECT{5, 5, 8, 7}, 1, esHot);
      else element->Draw(surface.DC, RECT{2, 2, 62, 46}, 0, esNormal);
    }
}

// Loads and draws; true when it loaded, false on a clean error. Anything else fails the test.
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
  DrawEveryElement(skin);
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

void ExpectModestPeakMemory() {
  PROCESS_MEMORY_COUNTERS counters{};
  ASSERT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters));
  EXPECT_LT(counters.PeakPagefileUsage, 512u * 1024 * 1024);
}

const std::string& OriginalSkin() {
  static const std::string bytes = Original();
  return bytes;
}

class SkinMutation : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(LoadsCleanly(Source, true)); }
  void TearDown() override {
    // A run in which nothing fails would have damaged nothing that matters.
    EXPECT_GT(Failed, 0);
    ExpectModestPeakMemory();
  }
  size_t Position(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(Random); }
  void Run(const std::string& ABytes) {
    // Every 50th clean load is also written and read back.
    bool writeBack = (Loaded + Failed) % 50 == 0;
    (LoadsCleanly(ABytes, writeBack) ? Loaded : Failed)++;
  }

  const std::string& Source = OriginalSkin();
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

namespace {

uint32_t BigEndian32(const std::string& ABytes, size_t AAt) {
  uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<uint8_t>(ABytes[AAt + i]);
  return v;
}

void SetBigEndian32(std::string& ABytes, size_t AAt, uint32_t AValue) {
  for (size_t i = 0; i < 4; ++i) ABytes[AAt + i] = static_cast<char>(AValue >> (24 - 8 * i));
}

// An embedded picture: where its bytes lie in the skin and where each of its chunks starts.
struct Picture {
  size_t At = 0, Size = 0;
  std::vector<size_t> Chunks;
};

std::vector<Picture> PicturesIn(const std::string& ABytes) {
  const std::string signature("\x89PNG\r\n\x1a\n", 8);
  std::vector<Picture> result;
  for (size_t at = ABytes.find(signature); at != std::string::npos; at = ABytes.find(signature, at + 1)) {
    Picture p;
    int32_t size;
    std::memcpy(&size, ABytes.data() + at - 4, 4);  // the record's picture size comes just before
    p.At = at;
    p.Size = static_cast<size_t>(size);
    for (size_t c = at + 8; c + 12 <= at + p.Size; c += 12 + BigEndian32(ABytes, c)) p.Chunks.push_back(c);
    result.push_back(p);
  }
  return result;
}

// The value of a "name: value" line of skintool's output.
std::string ToolField(const std::string& AOutput, const std::string& AName) {
  size_t at = AOutput.find(AName + ": ");
  if (at == std::string::npos) return {};
  at += AName.size() + 2;
  return AOutput.substr(at, AOutput.find_first_of("\r\n", at) - at);
}

// Loads the skin, which must not fail, and counts the pictures that came out of it.
int PicturesLoaded(const std::string& ABytes) {
  TdxSkin skin(L"", false, nullptr);
  TBytesStream s(ABytes);
  skin.LoadFromStream(s);
  int pictures = 0;
  for (int g = 0; g < skin.GroupCount(); ++g)
    for (int e = 0; e < skin.Groups(g)->Count(); ++e) {
      TdxSkinElement* element = skin.Groups(g)->Elements(e);
      pictures += !element->Image()->Texture()->Empty() + !element->Glyph()->Texture()->Empty();
    }
  return pictures;
}

class SkinPictureDamage : public ::testing::Test {
protected:
  void TearDown() override { ExpectModestPeakMemory(); }
  size_t Position(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(Random); }
  const std::string& Source = OriginalSkin();
  std::mt19937 Random{20261210};
};

}  // namespace

// The system's decoder must never see a damaged picture: the skin loads, and only
// the damaged picture is missing from it.
TEST_F(SkinPictureDamage, DamageInsideAPictureLeavesOnlyThatPictureOut) {
  const std::vector<Picture> pictures = PicturesIn(Source);
  ASSERT_GE(pictures.size(), 5u);
  const int intact = PicturesLoaded(Source);
  ASSERT_EQ(intact, static_cast<int>(pictures.size()));

  const uint32_t hugeLengths[] = {0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0x10000000};
  struct Damage {
    const char* Name;
    std::function<void(std::string&, const Picture&, size_t)> Apply;  // bytes, picture, chunk start
  } damages[] = {
      {"a byte of chunk data or CRC",
       [&](std::string& b, const Picture&, size_t c) {
         b[c + 8 + Position(BigEndian32(b, c) + 4)] ^= static_cast<char>(1 + Position(255));
       }},
      {"an unknown chunk type", [&](std::string& b, const Picture&, size_t c) { b[c + 4 + Position(4)] ^= 0x20; }},
      {"a length past the picture",
       [&](std::string& b, const Picture& p, size_t c) {
         SetBigEndian32(b, c, static_cast<uint32_t>(p.At + p.Size - c + Position(5000)));
       }},
      {"a huge length",
       [&](std::string& b, const Picture&, size_t c) { SetBigEndian32(b, c, hugeLengths[Position(4)]); }},
      {"the last chunk's type or length",
       [&](std::string& b, const Picture& p, size_t) {
         size_t last = p.Chunks.back();
         if (Position(2)) b[last + 4 + Position(4)] ^= 0x20;
         else SetBigEndian32(b, last, 1 + static_cast<uint32_t>(Position(5000)));
       }},
  };
  for (int i = 0; i < 400; ++i) {
    const Damage& damage = damages[i % std::size(damages)];
    const Picture& picture = pictures[Position(pictures.size())];
    std::string bytes = Source;
    damage.Apply(bytes, picture, picture.Chunks[Position(picture.Chunks.size())]);
    SCOPED_TRACE(std::string(damage.Name) + " in the picture at " + std::to_string(picture.At));
    int loaded = -1;
    try {
      loaded = PicturesLoaded(bytes);
    } catch (const Exception& e) {
      ADD_FAILURE() << "the skin did not load: " << WideToUtf8(e.Message());
    }
    EXPECT_EQ(loaded, intact - 1);
    // skintool reads through the same loader; one run per kind of damage shows it copes too.
    if (i < static_cast<int>(std::size(damages))) {
      std::wstring file = TempFile(bytes);
      ToolResult r = RunProgram(BesideTest(L"skintool.exe"), L"info \"" + file + L"\"");
      DeleteFileW(file.c_str());
      EXPECT_EQ(r.ExitCode, 0u) << r.Output;
      EXPECT_EQ(ToolField(r.Output, "pictures"), std::to_string(intact - 1)) << r.Output;
      EXPECT_EQ(ToolField(r.Output, "consumed"), std::to_string(bytes.size())) << r.Output;
    }
  }
}
