#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "framework/sysutils.h"
#include "skins/model/skin.h"
#include "skins/tests/skin_fixture.h"

using namespace talvik;
using namespace talvik::testing;

namespace {

const wchar_t* const VersionMessage =
    L"The skin data version is older than the current Lumivex Library version.\r\n"
    L"Skins cannot be loaded due to a version mismatch.";

// Loads the bytes into the skin; returns the position where reading ended.
int64_t Load(TdxSkin& ASkin, const std::string& ABytes) {
  TBytesStream s(ABytes);
  try {
    ASkin.LoadFromStream(s);
  } catch (...) {
    throw;
  }
  return s.Position();
}

std::wstring ErrorOf(TdxSkin& ASkin, const std::string& ABytes) {
  try {
    Load(ASkin, ABytes);
  } catch (const Exception& e) {
    return e.Message();
  }
  return L"(no error)";
}

void ExpectSameStructure(TdxSkin& A, TdxSkin& B) {
  EXPECT_EQ(A.Name(), B.Name());
  ASSERT_EQ(A.ColorCount(), B.ColorCount());
  for (int i = 0; i < A.ColorCount(); ++i) EXPECT_TRUE(A.Colors(i)->Compare(B.Colors(i)));
  ASSERT_EQ(A.PropertyCount(), B.PropertyCount());
  for (int i = 0; i < A.PropertyCount(); ++i) EXPECT_TRUE(A.Properties(i)->Compare(B.Properties(i)));
  ASSERT_EQ(A.GroupCount(), B.GroupCount());
  for (int g = 0; g < A.GroupCount(); ++g) {
    TdxSkinControlGroup *ga = A.Groups(g), *gb = B.Groups(g);
    EXPECT_EQ(ga->Name(), gb->Name());
    ASSERT_EQ(ga->PropertyCount(), gb->PropertyCount());
    for (int i = 0; i < ga->PropertyCount(); ++i) EXPECT_TRUE(ga->Properties(i)->Compare(gb->Properties(i)));
    ASSERT_EQ(ga->Count(), gb->Count());
    for (int e = 0; e < ga->Count(); ++e)
      EXPECT_TRUE(ga->Elements(e)->Compare(gb->Elements(e))) << WideToUtf8(ga->Elements(e)->Name());
  }
}

TEST(SkinFile, HeaderLayout) {
  auto skin = MakeSampleSkin();
  std::string bytes = SaveToBytes(*skin);
  std::string expected = TSkinBytes().Int32(6).Raw("dxSkin", 6).Raw("\x52\xB8\x1E\x85\xEB\x51\xF0\x3F", 8)
                             .Str("Sample").Int32(2).Str("TdxSkinColor").Str("ContentColor").Int32(0x858585)
                             .Bytes();
  EXPECT_EQ(bytes.substr(0, expected.size()), expected);
}

TEST(SkinFile, RoundTripKeepsStructureAndReadsToTheEnd) {
  auto skin = MakeSampleSkin();
  std::string bytes = SaveToBytes(*skin);
  TdxSkin loaded(L"Other", false, nullptr);
  EXPECT_EQ(Load(loaded, bytes), static_cast<int64_t>(bytes.size()));
  EXPECT_DOUBLE_EQ(loaded.Version(), 1.02);
  ExpectSameStructure(*skin, loaded);
  TdxSkinElement* caption = loaded.GetGroupByName(L"Form")->GetElementByName(L"FormCaption");
  EXPECT_EQ(caption->Image()->Size().cx, 27);
  EXPECT_EQ(caption->Image()->Size().cy, 25);
  EXPECT_EQ(caption->Image()->GradientBeginColor(), 0x858585);
  EXPECT_TRUE(caption->Image()->Texture()->IsAlphaUsed() == false);
  EXPECT_TRUE(loaded.GetGroupByName(L"Form")->GetElementByName(L"FormButtonClose")->Image()->Texture()->IsAlphaUsed());

  // Written again, the same structure reads back once more.
  std::string again = SaveToBytes(loaded);
  TdxSkin third(L"", false, nullptr);
  EXPECT_EQ(Load(third, again), static_cast<int64_t>(again.size()));
  ExpectSameStructure(loaded, third);
}

TEST(SkinFile, LoadingReplacesContentAndNotifiesOnce) {
  auto skin = MakeSampleSkin();
  std::string bytes = SaveToBytes(*skin);
  TdxSkin target(L"T", false, nullptr);
  target.AddColor(L"Stale", 1);
  target.AddGroup(L"Stale");
  target.AddProperty<TdxSkinBooleanProperty>(L"Stale");
  TCountingListener listener;
  target.AddListener(&listener);
  Load(target, bytes);
  EXPECT_EQ(listener.Count, 1);
  EXPECT_EQ(target.GetColorByName(L"Stale"), nullptr);
  EXPECT_EQ(target.GetGroupByName(L"Stale"), nullptr);
  EXPECT_EQ(target.GetPropertyByName(L"Stale"), nullptr);
  EXPECT_EQ(target.ColorCount(), 2);
  EXPECT_EQ(target.Name(), L"Sample");
}

TEST(SkinFile, FilesRoundTrip) {
  wchar_t dir[MAX_PATH], file[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  GetTempFileNameW(dir, L"skn", 0, file);
  auto skin = MakeSampleSkin();
  skin->SaveToFile(file);
  TdxSkin loaded(L"", false, nullptr);
  loaded.LoadFromFile(file);
  DeleteFileW(file);
  ExpectSameStructure(*skin, loaded);
  EXPECT_THROW(loaded.LoadFromFile(std::wstring(dir) + L"no-such-dir\\x.skin"), EFOpenError);
}

// One colour, no properties, one group with one plain element, at the given version.
std::string OneElementSkin(double AVersion) {
  TSkinBytes b;
  b.Header(AVersion, "Old").Int32(1).Str("TdxSkinColor").Str("C").Int32(7).Int32(0);
  b.Int32(1).Str("G").Int32(1).Str("E").PlainElement(AVersion).Int32(0);
  return b.Bytes();
}

TEST(SkinFile, Versions) {
  struct Case {
    double Version;
    bool HasGradient;
  } cases[] = {{1.0, false}, {1.01, false}, {1.02, true}, {2.0, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Version);
    std::string bytes = OneElementSkin(c.Version);
    TdxSkin skin(L"", false, nullptr);
    ASSERT_EQ(Load(skin, bytes), static_cast<int64_t>(bytes.size()));
    EXPECT_DOUBLE_EQ(skin.Version(), c.Version);
    TdxSkinElement* e = skin.GetGroupByName(L"G")->GetElementByName(L"E");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->Color(), 0x00FF00);
    EXPECT_EQ(e->TextColor(), 0x0000FF);
    EXPECT_EQ(e->MinSize()->Width(), 5);
    EXPECT_EQ(e->ContentOffset()->Bottom(), 3);
    EXPECT_EQ(e->Image()->States(), 1);
    EXPECT_EQ(e->Image()->GradientBeginColor(), c.HasGradient ? 0x112233 : clNone);
    EXPECT_EQ(e->Image()->Gradient(), c.HasGradient ? gmVertical : gmHorizontal);
  }
  // The old layout is 9 bytes shorter per image.
  EXPECT_EQ(OneElementSkin(1.02).size() - OneElementSkin(1.01).size(), 18u);
}

TEST(SkinFile, RejectedVersionKeepsContentButTakesVersionAndName) {
  auto skin = MakeSampleSkin();
  TCountingListener listener;
  skin->AddListener(&listener);
  EXPECT_EQ(ErrorOf(*skin, OneElementSkin(0.99)), VersionMessage);
  EXPECT_DOUBLE_EQ(skin->Version(), 0.99);
  EXPECT_EQ(skin->Name(), L"Old");
  EXPECT_EQ(skin->GroupCount(), 2);
  EXPECT_EQ(skin->ColorCount(), 2);
  EXPECT_EQ(listener.Count, 0);
}

TEST(SkinFile, StringsWithNegativeOrZeroCountsAreEmpty) {
  TSkinBytes b;
  b.Header(1.02, "N").Int32(2);
  b.Str("TdxSkinColor").Int32(-5).Int32(0x10);  // name with a negative count: just the 4 bytes
  b.Int32(0).Int32(0).Int32(0x20);              // class and name of count 0
  b.Int32(1).Str("TdxSkinStringProperty").Str("P").Int32(-1);
  b.Int32(0);
  TdxSkin skin(L"", false, nullptr);
  ASSERT_EQ(Load(skin, b.Bytes()), static_cast<int64_t>(b.Bytes().size()));
  ASSERT_EQ(skin.ColorCount(), 2);
  EXPECT_EQ(skin.Colors(0)->Name(), L"");
  EXPECT_EQ(skin.Colors(0)->Value(), 0x10);
  EXPECT_EQ(skin.Colors(1)->Value(), 0x20);
  EXPECT_EQ(static_cast<TdxSkinStringProperty*>(skin.GetPropertyByName(L"P"))->Value(), L"");
}

TEST(SkinFile, EveryPropertyKindReadsItsOwnWidth) {
  TSkinBytes b;
  b.Header(1.02, "P").Int32(0).Int32(6);
  b.Str("TdxSkinIntegerProperty").Str("I").Int32(-3);
  b.Str("TdxSkinBooleanProperty").Str("B").Byte(1);
  b.Str("TdxSkinColor").Str("C").Int32(clDefault);
  b.Str("TdxSkinRectProperty").Str("R").Int32(1).Int32(2).Int32(3).Int32(4);
  b.Str("TdxSkinSizeProperty").Str("S").Int32(5).Int32(6);
  b.Str("TdxSkinStringProperty").Str("T").Str("text");
  b.Int32(0);
  TdxSkin skin(L"", false, nullptr);
  ASSERT_EQ(Load(skin, b.Bytes()), static_cast<int64_t>(b.Bytes().size()));
  EXPECT_EQ(static_cast<TdxSkinIntegerProperty*>(skin.GetPropertyByName(L"I"))->Value(), -3);
  EXPECT_TRUE(static_cast<TdxSkinBooleanProperty*>(skin.GetPropertyByName(L"B"))->Value());
  EXPECT_EQ(static_cast<TdxSkinColor*>(skin.GetPropertyByName(L"C"))->Value(), clDefault);
  EXPECT_EQ(static_cast<TdxSkinRectProperty*>(skin.GetPropertyByName(L"R"))->Bottom(), 4);
  EXPECT_EQ(static_cast<TdxSkinSizeProperty*>(skin.GetPropertyByName(L"S"))->cy(), 6);
  EXPECT_EQ(static_cast<TdxSkinStringProperty*>(skin.GetPropertyByName(L"T"))->Value(), L"text");
}

std::string SkinWithPicture(const std::string& APicture, int32_t ADeclaredSize) {
  TSkinBytes b;
  b.Header(1.02, "Pic").Int32(0).Int32(0).Int32(1).Str("G").Int32(1).Str("E");
  b.Int32(clNone).Byte(255).Int32(1);
  for (int i = 0; i < 4; ++i) b.Int32(0);
  b.EmptyImage(1.02);                                   // glyph
  b.EmptyImage(1.02, ADeclaredSize).Raw(APicture.data(), APicture.size());  // image
  for (const char* side : {"Left", "Top", "Right", "Bottom"}) b.Str("TdxSkinBorder").Str(side).Int32(0x0A0B0C).Int32(2);
  b.Int32(0x0D0E0F).Int32(3).Int32(4).Int32(0);
  b.Int32(0);
  return b.Bytes();
}

TEST(SkinFile, PicturesGoodEmptyAndUndecodable) {
  TMemoryStream png;
  MakePicture(6, 4, Gradient)->SaveToStream(png);
  std::string good(reinterpret_cast<const char*>(png.Memory()), static_cast<size_t>(png.Size()));
  struct Case {
    const char* Name;
    std::string Picture;
    int Width;
  } cases[] = {
      {"PNG", good, 6},
      {"none", "", 0},
      {"undecodable", std::string(50, '\x77'), 0},
      {"truncated PNG", good.substr(0, good.size() / 2), 0},
      {"a few bytes", "abc", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    std::string bytes = SkinWithPicture(c.Picture, static_cast<int32_t>(c.Picture.size()));
    TdxSkin skin(L"", false, nullptr);
    ASSERT_EQ(Load(skin, bytes), static_cast<int64_t>(bytes.size()));
    TdxSkinElement* e = skin.GetGroupByName(L"G")->GetElementByName(L"E");
    EXPECT_EQ(e->Image()->Texture()->Width(), c.Width);
    // The fields after the picture are read from right behind it.
    EXPECT_EQ(e->Borders()->Bottom()->Color(), 0x0A0B0C);
    EXPECT_EQ(e->Borders()->Bottom()->Thin(), 2);
    EXPECT_EQ(e->TextColor(), 0x0D0E0F);
    // A picture that could not be read is written with size 0.
    std::string written = SaveToBytes(skin);
    if (c.Width == 0) {
      EXPECT_EQ(written, SkinWithPicture("", 0));
    }
  }
}

// One plain element whose image record holds these layout, stretch and gradient bytes.
std::string SkinWithImageBytes(uint8_t ALayout, uint8_t AStretch, uint8_t AGradient) {
  TSkinBytes b;
  b.Header(1.02, "E").Int32(0).Int32(0).Int32(1).Str("G").Int32(1).Str("E");
  b.Int32(clNone).Byte(255).Int32(1).Int32(0).Int32(0).Int32(0).Int32(0).EmptyImage(1.02);
  b.Int32(0).Int32(0).Int32(0).Int32(0).Byte(ALayout).Word(1).Byte(AStretch);
  b.Int32(clNone).Int32(clNone).Byte(AGradient).Int32(0);
  for (const char* side : {"Left", "Top", "Right", "Bottom"}) b.Str("TdxSkinBorder").Str(side).Int32(clNone).Int32(1);
  b.Int32(clDefault).Int32(0).Int32(0).Int32(0).Int32(0);
  return b.Bytes();
}

TEST(SkinFile, ImageRecordEnumerationsInRange) {
  TdxSkin skin(L"", false, nullptr);
  std::string bytes = SkinWithImageBytes(ilVertical, smNoResize, gmBackwardDiagonal);
  ASSERT_EQ(Load(skin, bytes), static_cast<int64_t>(bytes.size()));
  TdxSkinImage* image = skin.GetGroupByName(L"G")->GetElementByName(L"E")->Image();
  EXPECT_EQ(image->ImageLayout(), ilVertical);
  EXPECT_EQ(image->Stretch(), smNoResize);
  EXPECT_EQ(image->Gradient(), gmBackwardDiagonal);
}

TEST(SkinFile, ErrorsAndWhatTheSkinHoldsAfterThem) {
  std::string valid = SaveToBytes(*MakeSampleSkin());
  auto withProperty = [](const std::string& AClass) {
    TSkinBytes b;
    b.Header(1.02, "E").Int32(1).Str("TdxSkinColor").Str("Kept").Int32(1);
    b.Int32(1).Str(AClass).Str("P").Int32(0).Int32(0);
    return b.Bytes();
  };
  struct Case {
    const char* Name;
    std::string Bytes;
    std::wstring Message;
    bool Cleared;  // the old content is gone: loading had begun
  } cases[] = {
      {"empty stream", "", L"Invalid stream format", false},
      {"short signature", std::string("\x06\0\0\0dxSk", 8), L"Invalid stream format", false},
      {"wrong signature", TSkinBytes().Int32(6).Raw("dxSkim", 6).Double(1.02).Str("X").Bytes(),
       L"Invalid stream format", false},
      {"no version", TSkinBytes().Int32(6).Raw("dxSkin", 6).Raw("\0\0", 2).Bytes(), L"Stream read error", false},
      {"old version", OneElementSkin(0.5), VersionMessage, false},
      {"unknown property class", withProperty("TdxSkinFancyProperty"), L"Class TdxSkinFancyProperty not found",
       true},
      {"registered class that is no property", withProperty("TdxSkinControlGroup"),
       L"Class TdxSkinControlGroup not found", true},
      {"border class in a property list", withProperty("TdxSkinBorder"), L"Class TdxSkinBorder not found", true},
      {"cut short", valid.substr(0, valid.size() - 3), L"Stream read error", true},
      {"cut in a picture", valid.substr(0, valid.size() / 2), L"Stream read error", true},
      {"huge colour count", TSkinBytes().Header(1.02, "H").Int32(0x7FFFFFFF).Bytes(), L"Stream read error", true},
      {"huge name length", TSkinBytes().Header(1.02, "H").Int32(1).Str("TdxSkinColor").Int32(0x7FFFFFF0).Bytes(),
       L"Stream read error", true},
      {"huge group count", TSkinBytes().Header(1.02, "H").Int32(0).Int32(0).Int32(0x40000000).Bytes(),
       L"Stream read error", true},
      {"huge picture size", SkinWithPicture("", 0x7FFFFFFF), L"Stream read error", true},
      {"image layout out of range", SkinWithImageBytes(2, smStretch, gmHorizontal), L"Invalid stream format", true},
      {"stretch mode out of range", SkinWithImageBytes(ilHorizontal, 3, gmHorizontal), L"Invalid stream format",
       true},
      {"gradient mode out of range", SkinWithImageBytes(ilHorizontal, smStretch, 4), L"Invalid stream format", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto skin = MakeSampleSkin();
    skin->AddGroup(L"Before");
    TCountingListener listener;
    skin->AddListener(&listener);
    EXPECT_EQ(ErrorOf(*skin, c.Bytes), c.Message);
    EXPECT_EQ(skin->GetGroupByName(L"Before") == nullptr, c.Cleared);
    // A load that had begun ends its update: listeners hear of it once.
    EXPECT_EQ(listener.Count, c.Cleared ? 1 : 0);
    EXPECT_EQ(skin->LockCount(), 0);
  }
  // What was read before the failure stays.
  TdxSkin partial(L"", false, nullptr);
  ErrorOf(partial, withProperty("TdxSkinFancyProperty"));
  ASSERT_NE(partial.GetColorByName(L"Kept"), nullptr);
  EXPECT_EQ(partial.Name(), L"E");
}

TEST(SkinFile, ErrorTypes) {
  TdxSkin skin(L"", false, nullptr);
  EXPECT_THROW(Load(skin, "nonsense"), EdxSkin);
  EXPECT_THROW(Load(skin, TSkinBytes().Header(1.02, "H").Int32(1).Bytes()), EReadError);
  std::string unknown = TSkinBytes().Header(1.02, "E").Int32(0).Int32(1).Str("TdxSkinX").Bytes();
  EXPECT_THROW(Load(skin, unknown), EClassNotFound);
}

TEST(SkinFile, ResourcesByName) {
  try {
    TdxSkin skin(L"NoSuchSkin", true, GetModuleHandleW(nullptr));
    FAIL() << "loaded a missing resource";
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), L"Resource NoSuchSkin not found");
  }
  // Without loading, the constructor touches no resource.
  TdxSkin skin(L"NoSuchSkin", false, GetModuleHandleW(nullptr));
  EXPECT_EQ(skin.Name(), L"NoSuchSkin");
  EXPECT_DOUBLE_EQ(skin.Version(), 1.02);
}

TEST(SkinPartStream, IsAWindowOnItsSource) {
  TBytesStream source("0123456789");
  TdxSkinPartStream part(nullptr);
  part.InitializeEx(&source, 3, 7);
  EXPECT_EQ(part.Size(), 4);
  struct Case {
    int64_t Offset;
    TSeekOrigin Origin;
    int64_t Result;
  } cases[] = {{0, soBeginning, 0}, {2, soBeginning, 2}, {-1, soBeginning, 0}, {99, soBeginning, 4},
               {-1, soEnd, 3},      {5, soEnd, 4},       {-9, soEnd, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(part.Seek(c.Offset, c.Origin), c.Result) << c.Offset << " " << c.Origin;
    EXPECT_EQ(source.Position(), 3 + c.Result);
  }
  part.Seek(1, soBeginning);
  EXPECT_EQ(part.Seek(1, soCurrent), 2);
  char buffer[16] = {};
  part.Seek(0, soBeginning);
  EXPECT_EQ(part.Read(buffer, sizeof buffer), 4);
  EXPECT_EQ(std::string(buffer), "3456");
  EXPECT_EQ(part.Read(buffer, 1), 0);
}

}  // namespace
