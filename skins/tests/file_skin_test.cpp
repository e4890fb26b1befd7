// A skin file registered beside the built-in skins: under its own name, and
// nothing registered for a file that cannot be read or a name already taken.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "framework/sysutils.h"
#include "lookandfeel/painterregistry.h"
#include "skins/engine/builtinskins.h"
#include "skins/engine/fileskin.h"
#include "skins/pictures/pngimage.h"
#include "skins/tests/skin_fixture.h"
#include "skins/engine/unitsloader.h"

using namespace talvik;
using namespace talvik::testing;

namespace {

std::string SampleSkinBytes(const std::string& AName) {
  auto skin = MakeSampleSkin();
  skin->SetName(Utf8ToWide(AName));
  return SaveToBytes(*skin);
}

TcxCustomLookAndFeelPainterClass PainterNamed(const std::wstring& AName) {
  TcxCustomLookAndFeelPainterClass painter = nullptr;
  GetPainterRegistry()->GetPainterByName(AName, painter);
  return painter;
}

const TdxSkinFilePainter* FilePainter() {
  return static_cast<const TdxSkinFilePainter*>(TdxSkinFilePainter::Instance());
}

struct FileSkin : ::testing::Test {
  void TearDown() override {
    UnregisterSkinFile();
    for (const std::wstring& f : Files) DeleteFileW(f.c_str());
  }
  std::wstring File(const std::string& ABytes) { return Files.emplace_back(TempFile(ABytes)); }
  std::vector<std::wstring> Files;
};

}  // namespace

TEST_F(FileSkin, RegisteredUnderTheNameInsideTheFileWhateverTheFileIsCalled) {
  std::wstring file = File(SampleSkinBytes("Ember"));
  EXPECT_EQ(RegisterSkinFile(file), L"Ember");
  EXPECT_EQ(GetPainterRegistry()->Count(), 3);
  for (const wchar_t* name : {L"Ember", L"ember", L"EMBER"}) EXPECT_EQ(PainterNamed(name), FilePainter());
  TdxSkinLookAndFeelPainterInfo* info = FilePainter()->GetSkinInfo();
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->Skin()->Name(), L"Ember");
  auto sample = MakeSampleSkin();
  ASSERT_GT(sample->ColorCount(), 0);
  for (int i = 0; i < sample->ColorCount(); ++i) {
    TdxSkinColor* color = info->Skin()->GetColorByName(sample->Colors(i)->Name());
    ASSERT_NE(color, nullptr);
    EXPECT_EQ(color->Value(), sample->Colors(i)->Value());
  }
  // The built-in skins keep their painters.
  EXPECT_EQ(PainterNamed(L"DarkSide"), TdxDarkSidePainter::Instance());
  EXPECT_EQ(PainterNamed(L"UserSkin"), TdxSkinsUserSkinPainter::Instance());
}

TEST_F(FileSkin, UnusableFilesRegisterNothingAndSayWhy) {
  std::string good = SampleSkinBytes("Ember");
  std::string badSignature = good;
  badSignature[4] = 'X';
  const std::wstring missing = File("") + L".absent";
  struct Case {
    const char* name;
    std::wstring file;
    std::wstring message;  // the whole message, or its start when it ends in "..."
  } cases[] = {
      {"missing", missing, L"Cannot open file \"" + missing + L"\"...."},
      {"not a skin", File("PK\x03\x04 a zip file, not a skin"), L"Invalid stream format"},
      {"bad signature", File(badSignature), L"Invalid stream format"},
      {"cut short", File(good.substr(0, good.size() / 2)), L"Stream read error"},
      {"empty", File(""), L"Invalid stream format"},
      {"nameless", File(SampleSkinBytes("")), L"The skin in ..."},
      {"built-in name", File(SampleSkinBytes("DarkSide")), L"A skin named DarkSide is registered already..."},
      {"built-in name in other letters", File(SampleSkinBytes("USERSKIN")),
       L"A skin named USERSKIN is registered already..."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::wstring message = L"(no error)";
    try {
      RegisterSkinFile(c.file);
    } catch (const Exception& e) {
      message = e.Message();
    }
    const bool prefix = c.message.size() > 3 && c.message.compare(c.message.size() - 3, 3, L"...") == 0;
    if (prefix) EXPECT_EQ(message.substr(0, c.message.size() - 3), c.message.substr(0, c.message.size() - 3));
    else EXPECT_EQ(message, c.message);
    EXPECT_EQ(GetPainterRegistry()->Count(), 2);
    EXPECT_EQ(FilePainter()->GetSkinInfo(), nullptr);
    EXPECT_EQ(PainterNamed(L"DarkSide"), TdxDarkSidePainter::Instance());
  }
}

TEST_F(FileSkin, ASecondFileReplacesTheFirstOnlyOnceItIsUsable) {
  RegisterSkinFile(File(SampleSkinBytes("Ember")));
  for (const std::string& unusable : {std::string("not a skin"), SampleSkinBytes("DarkSide")}) {
    EXPECT_THROW(RegisterSkinFile(File(unusable)), Exception);
    EXPECT_EQ(PainterNamed(L"Ember"), FilePainter()) << "the first file went";
  }
  EXPECT_EQ(RegisterSkinFile(File(SampleSkinBytes("Frost"))), L"Frost");
  EXPECT_EQ(PainterNamed(L"Ember"), nullptr);
  EXPECT_EQ(PainterNamed(L"Frost"), FilePainter());
  EXPECT_EQ(FilePainter()->GetSkinInfo()->Skin()->Name(), L"Frost");
  // The same name again is no clash with itself.
  EXPECT_EQ(RegisterSkinFile(File(SampleSkinBytes("Frost"))), L"Frost");
  EXPECT_EQ(GetPainterRegistry()->Count(), 3);
}

// Its pictures are GDI+ objects: it must go before GDI+ is shut down.
TEST_F(FileSkin, UnregisteredByTheSkinModulesShutDownBeforeGdiPlus) {
  RegisterSkinFile(File(SampleSkinBytes("Ember")));
  const auto& stops = UnitsLoaderInstance().FinalizeList;
  auto own = std::find(stops.begin(), stops.end(), &UnregisterSkinFile);
  auto gdiplus = std::find(stops.begin(), stops.end(), &dxGdiPlusUnitFinalize);
  ASSERT_NE(own, stops.end());
  ASSERT_NE(gdiplus, stops.end());
  EXPECT_GT(own, gdiplus) << "shut-down runs the list backwards";
  EXPECT_EQ(std::count(stops.begin(), stops.end(), &UnregisterSkinFile), 1);
  UnitsLoaderInstance().RemoveUnit(UnregisterSkinFile);
  EXPECT_EQ(PainterNamed(L"Ember"), nullptr);
  EXPECT_EQ(FilePainter()->GetSkinInfo(), nullptr);
}
