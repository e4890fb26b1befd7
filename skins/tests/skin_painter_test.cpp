// The skin painter: state mappings, what it draws from a skin built here, the
// Office 2003 drawing wherever a skin lacks a part, and the DarkSide skin's values.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/streams.h"
#include "lookandfeel/lookandfeel.h"
#include "lookandfeel/office2003colors.h"
#include "lookandfeel/painterregistry.h"
#include "lookandfeel/tests/painter_fixture.h"
#include "skins/engine/builtinskins.h"
#include "skins/model/skin.h"
#include "skins/tests/skin_fixture.h"

using namespace talvik;
using namespace talvik::test;
using talvik::testing::BesideTest;
using talvik::testing::MakePicture;
using talvik::testing::RunProgram;
using talvik::testing::TempFile;
using talvik::testing::ToolResult;

namespace {

class TTestSkinPainter : public TdxSkinLookAndFeelPainter {
public:
  static TcxCustomLookAndFeelPainterClass Instance() {
    static const TTestSkinPainter painter;
    return &painter;
  }
};

const TdxSkinLookAndFeelPainter* Skinned() {
  return static_cast<const TdxSkinLookAndFeelPainter*>(TTestSkinPainter::Instance());
}

// Frames of the test pictures, one colour per state (0xAARRGGBB), in state order.
constexpr uint32_t kNormal = 0xFF2040A0, kHot = 0xFF30A040, kPressed = 0xFFA03020, kDisabled = 0xFF808080,
                   kActive = 0xFF4020C0;
constexpr uint32_t kFrames[] = {kNormal, kHot, kPressed, kDisabled, kActive};
constexpr TdxSkinElementStates kFrameStates = dxSkinStateBit(esNormal) | dxSkinStateBit(esHot) |
                                              dxSkinStateBit(esPressed) | dxSkinStateBit(esDisabled) |
                                              dxSkinStateBit(esActive);
COLORREF Rgb32(uint32_t AArgb) { return RGB(AArgb >> 16 & 0xFF, AArgb >> 8 & 0xFF, AArgb & 0xFF); }

// Five 12 x 12 frames one below the other, each filled with its state's colour.
void SetStateFrames(TdxSkinElement* AElement) {
  AElement->Image()->Texture()->Assign(MakePicture(12, 60, [](int, int y) { return kFrames[y / 12]; }).get());
  AElement->Image()->SetImageLayout(ilVertical);
  AElement->Image()->SetStates(kFrameStates);
}

class SkinPainterTest : public ::testing::Test {
protected:
  void TearDown() override { GetPainterRegistry()->Unregister(L"TestSkin"); }

  // The test painter draws with ASkin; with none, every part of the skin is absent.
  TdxSkinLookAndFeelPainterInfo* Use(std::unique_ptr<TdxSkin> ASkin) {
    auto info = std::make_unique<TdxSkinLookAndFeelPainterInfo>(std::move(ASkin));
    EXPECT_TRUE(GetPainterRegistry()->Register(L"TestSkin", TTestSkinPainter::Instance(), info.get()));
    return info.release();
  }

  static std::unique_ptr<TdxSkin> NewSkin() { return std::make_unique<TdxSkin>(L"Test", false, nullptr); }
  static TdxSkinElement* AddElement(TdxSkin& ASkin, const wchar_t* AGroup, const wchar_t* AName) {
    TdxSkinControlGroup* group = ASkin.GetGroupByName(AGroup);
    return (group ? group : ASkin.AddGroup(AGroup))->AddElement(AName);
  }
};

TEST(SkinPainterStates, ButtonAndCheckBoxMappings) {
  struct {
    TcxButtonState From;
    TdxSkinElementState To;
  } buttons[] = {{cxbsDefault, esActive}, {cxbsNormal, esNormal}, {cxbsHot, esHot},
                 {cxbsPressed, esPressed}, {cxbsDisabled, esDisabled}};
  for (auto c : buttons) EXPECT_EQ(ButtonStateToSkinElementState(c.From), c.To) << c.From;
  struct {
    TcxCheckBoxState From;
    int To;
  } checks[] = {{cbsUnchecked, 0}, {cbsChecked, 1}, {cbsGrayed, 2}};
  for (auto c : checks) EXPECT_EQ(CheckBoxStateToImageIndex(c.From), c.To) << c.From;
}

// With no skin part at all, every reached operation draws what the Office 2003 painter draws.
TEST_F(SkinPainterTest, WithoutSkinPartsDrawsAsOffice2003) {
  Use(nullptr);
  using Draw = std::function<void(TcxCustomLookAndFeelPainterClass, TcxCanvas*)>;
  struct Case {
    std::string Name;
    Draw Paint;
  };
  std::vector<Case> cases;
  const RECT r{2, 2, 73, 27};
  for (TcxButtonState state : {cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled}) {
    std::string s = " state " + std::to_string(state);
    for (bool border : {false, true})
      cases.push_back({"DrawButton" + s + (border ? " border" : ""), [=](auto p, TcxCanvas* c) {
                         p->DrawButton(c, r, L"&Wg", state, border, clDefault, clDefault, false, true);
                       }});
    for (bool horizontal : {false, true})
      for (TcxScrollBarPart part : {sbpLineUp, sbpLineDown, sbpThumbnail, sbpPageUp, sbpPageDown})
        cases.push_back({"DrawScrollBarPart" + s + " part " + std::to_string(part) + (horizontal ? " h" : " v"),
                         [=](auto p, TcxCanvas* c) { p->DrawScrollBarPart(c, horizontal, r, part, state); }});
  }
  cases.push_back({"DrawScrollBarBackground", [=](auto p, TcxCanvas* c) { p->DrawScrollBarBackground(c, r, true); }});
  for (TColor background : {clNone, clRed})
    cases.push_back({"DrawSizeGrip", [=](auto p, TcxCanvas* c) { p->DrawSizeGrip(c, RECT{0, 0, 17, 17}, background); }});
  for (bool border : {false, true})
    cases.push_back({"DrawPanelContent", [=](auto p, TcxCanvas* c) { p->DrawPanelContent(c, r, border); }});
  cases.push_back({"DrawPanelBorders", [=](auto p, TcxCanvas* c) { p->DrawPanelBorders(c, r); }});
  cases.push_back({"DrawBorder", [=](auto p, TcxCanvas* c) { p->DrawBorder(c, r); }});
  cases.push_back({"DrawWindowContent", [=](auto p, TcxCanvas* c) { p->DrawWindowContent(c, r); }});
  cases.push_back({"DrawCheckButton", [=](auto p, TcxCanvas* c) {
                     p->DrawCheckButton(c, RECT{3, 3, 16, 16}, cxbsHot, cbsChecked);
                   }});
  for (const Case& c : cases) {
    Surface skinned(80, 30), office(80, 30);
    c.Paint(Skinned(), &skinned.cx);
    c.Paint(Office11(), &office.cx);
    EXPECT_TRUE(skinned.SameAs(office)) << c.Name;
  }
  for (TcxButtonState state : {cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled}) {
    EXPECT_EQ(Skinned()->ButtonBorderSize(state), Office11()->ButtonBorderSize(state)) << state;
    EXPECT_EQ(Skinned()->ButtonSymbolColor(state, clRed), Office11()->ButtonSymbolColor(state, clRed)) << state;
  }
  EXPECT_TRUE(SizesEqual(Skinned()->SizeGripSize(), Office11()->SizeGripSize()));
  EXPECT_EQ(Skinned()->ScrollBarMinimalThumbSize(true), Office11()->ScrollBarMinimalThumbSize(true));
  EXPECT_EQ(Skinned()->DefaultSizeGripAreaColor(), Office11()->DefaultSizeGripAreaColor());
  EXPECT_EQ(Skinned()->DefaultContentColor(), Office11()->DefaultContentColor());
  Surface edit(4, 4);
  EXPECT_FALSE(Skinned()->DrawEditButtonElement(&edit.cx, RECT{0, 0, 4, 4}, esNormal, 0));
  EXPECT_EQ(edit.Count(kUntouched), 16);
}

// A skin that names no button gets a red-cross placeholder from its info, and the
// painter draws that, not the Office 2003 face.
TEST_F(SkinPainterTest, MissingButtonIsDrawnAsThePlaceholder) {
  Use(NewSkin());
  Surface s(32, 32);
  Skinned()->DrawButton(&s.cx, RECT{0, 0, 32, 32}, L"", cxbsNormal);
  EXPECT_EQ(Hex(s.At(1, 1)), Hex(RGB(255, 0, 0)));       // on the diagonal
  EXPECT_EQ(Hex(s.At(16, 2)), Hex(RGB(255, 255, 255)));  // off both diagonals
}

// The face is the element's frame for the mapped state, whatever border and colour are asked for.
TEST_F(SkinPainterTest, ButtonFaceIsTheFrameOfTheMappedState) {
  auto skin = NewSkin();
  SetStateFrames(AddElement(*skin, L"Common", L"Button"));
  Use(std::move(skin));
  struct {
    TcxButtonState State;
    uint32_t Frame;
  } cases[] = {{cxbsDefault, kActive}, {cxbsNormal, kNormal}, {cxbsHot, kHot}, {cxbsPressed, kPressed},
               {cxbsDisabled, kDisabled}};
  for (int round = 0; round < 2; ++round)  // the second round comes from the painter's cache
    for (auto c : cases) {
      Surface s(71, 25);
      Skinned()->DrawButton(&s.cx, RECT{0, 0, 71, 25}, L"", c.State, true, clRed);
      EXPECT_EQ(Hex(s.At(35, 12)), Hex(Rgb32(c.Frame))) << "state " << c.State << " round " << round;
    }
  EXPECT_EQ(Skinned()->ButtonBorderSize(cxbsNormal), 0);
}

// A changed skin shows at once, though the painter keeps renderings of its buttons.
TEST_F(SkinPainterTest, ChangedButtonIsNotServedFromTheCache) {
  auto skin = NewSkin();
  TdxSkinElement* button = AddElement(*skin, L"Common", L"Button");
  SetStateFrames(button);
  Use(std::move(skin));
  Surface before(40, 20), after(40, 20);
  Skinned()->DrawButton(&before.cx, RECT{0, 0, 40, 20}, L"", cxbsNormal);
  // Side by side, the five frames become 2 x 60 strips: the normal one shows all five colours.
  button->Image()->SetImageLayout(ilHorizontal);
  Skinned()->DrawButton(&after.cx, RECT{0, 0, 40, 20}, L"", cxbsNormal);
  EXPECT_EQ(Hex(before.At(20, 10)), Hex(Rgb32(kNormal)));
  EXPECT_EQ(Hex(after.At(20, 10)), Hex(Rgb32(kPressed)));
}

TEST_F(SkinPainterTest, ButtonSymbolColourFromTheSkin) {
  struct Case {
    bool DisabledText;
    TcxButtonState State;
    TColor Expected;
  } cases[] = {{true, cxbsDisabled, 0xA4A4A4}, {true, cxbsNormal, 0x112233}, {true, cxbsPressed, 0x112233},
               {false, cxbsDisabled, 0x112233}, {false, cxbsHot, 0x112233}};
  for (const Case& c : cases) {
    auto skin = NewSkin();
    TdxSkinElement* button = AddElement(*skin, L"Common", L"Button");
    button->SetTextColor(0x112233);
    if (c.DisabledText) button->AddProperty<TdxSkinColor>(L"DisabledText")->SetValue(0xA4A4A4);
    Use(std::move(skin));
    EXPECT_EQ(Skinned()->ButtonSymbolColor(c.State, clRed), c.Expected) << c.DisabledText << " " << c.State;
    GetPainterRegistry()->Unregister(L"TestSkin");
  }
}

// The caption goes into the face less its content offsets, then the odd-height and
// below-18 rules move it: 17 keeps 17 one line higher, 19 becomes 18, 16 becomes 17.
TEST_F(SkinPainterTest, ButtonTextRectangle) {
  struct Case {
    int Height;
    RECT Offsets, TextRect, NaiveRect;
  } cases[] = {{23, {3, 3, 3, 3}, {3, 2, 68, 19}, {3, 3, 68, 20}},
               {25, {3, 3, 3, 3}, {3, 3, 68, 21}, {3, 3, 68, 22}},
               {22, {3, 3, 3, 3}, {3, 2, 68, 19}, {3, 3, 68, 19}}};
  const std::wstring caption = L"Wg";
  for (const Case& c : cases) {
    auto skin = NewSkin();
    TdxSkinElement* button = AddElement(*skin, L"Common", L"Button");
    button->SetColor(0x406080);  // no picture: the colour is the face
    button->SetTextColor(0xF0F0F0);
    button->ContentOffset()->SetRect(c.Offsets);
    Use(std::move(skin));
    SCOPED_TRACE("height " + std::to_string(c.Height));
    bool distinguished = false;
    for (int fontHeight = -10; fontHeight >= -13; --fontHeight) {
      Surface drawn(71, c.Height), expected(71, c.Height), naive(71, c.Height);
      RECT bounds{0, 0, 71, c.Height};
      drawn.cx.Font().SetHeight(fontHeight);
      Skinned()->DrawButton(&drawn.cx, bounds, caption, cxbsNormal, false, clDefault, clDefault, true);
      for (auto [s, rect] : {std::pair{&expected, c.TextRect}, std::pair{&naive, c.NaiveRect}}) {
        s->cx.Font().SetHeight(fontHeight);
        s->cx.FillRect(bounds, 0x406080);
        s->cx.Font().SetColor(0xF0F0F0);
        s->cx.Brush().SetStyle(bsClear);
        s->cx.DrawTexT(caption, rect, cxAlignHCenter | cxAlignVCenter | cxShowPrefix | cxWordBreak);
      }
      EXPECT_TRUE(drawn.SameAs(expected)) << "font height " << fontHeight;
      distinguished |= !drawn.SameAs(naive);
      EXPECT_EQ(drawn.cx.Brush().Style(), bsSolid);
    }
    EXPECT_TRUE(distinguished);
    GetPainterRegistry()->Unregister(L"TestSkin");
  }
}

// Page areas at rest show the track under them; pressed, and every other part, draw their frame.
TEST_F(SkinPainterTest, ScrollBarPartsOverTheTrack) {
  auto skin = NewSkin();
  for (const wchar_t* name : {L"ScrollContentVert", L"ScrollContentHorz", L"ScrollThumbVert", L"ScrollThumbHorz"})
    SetStateFrames(AddElement(*skin, L"Common", name));
  Use(std::move(skin));
  struct Case {
    TcxScrollBarPart Part;
    TcxButtonState State;
    COLORREF Expected;
  } cases[] = {{sbpPageUp, cxbsNormal, kUntouched},      {sbpPageDown, cxbsNormal, kUntouched},
               {sbpPageUp, cxbsPressed, Rgb32(kPressed)}, {sbpPageDown, cxbsHot, Rgb32(kHot)},
               {sbpThumbnail, cxbsNormal, Rgb32(kNormal)}, {sbpThumbnail, cxbsDisabled, Rgb32(kDisabled)}};
  for (bool horizontal : {false, true})
    for (const Case& c : cases) {
      Surface s(17, 17);
      Skinned()->DrawScrollBarPart(&s.cx, horizontal, RECT{0, 0, 17, 17}, c.Part, c.State);
      EXPECT_EQ(Hex(s.At(8, 8)), Hex(c.Expected)) << "part " << c.Part << " state " << c.State << " h " << horizontal;
    }
  Surface track(17, 60);
  Skinned()->DrawScrollBarBackground(&track.cx, RECT{0, 0, 17, 60}, false);
  EXPECT_EQ(Hex(track.At(8, 30)), Hex(Rgb32(kNormal)));
  EXPECT_EQ(Skinned()->ScrollBarMinimalThumbSize(true), 12);
}

// The grip's transparent pixels show what was under it: the caller's background, or nothing for clNone.
TEST_F(SkinPainterTest, SizeGripOverItsBackground) {
  auto skin = NewSkin();
  TdxSkinElement* grip = AddElement(*skin, L"Common", L"SizeGrip");
  grip->Image()->Texture()->Assign(MakePicture(8, 6, [](int x, int) { return x < 4 ? 0u : 0xFF000000u; }).get());
  grip->Image()->SetStretch(smNoResize);
  Use(std::move(skin));
  EXPECT_TRUE(SizesEqual(Skinned()->SizeGripSize(), SIZE{8, 6}));
  struct {
    TColor Background;
    COLORREF Left;
  } cases[] = {{clNone, kUntouched}, {clRed, RGB(255, 0, 0)}};
  for (auto c : cases) {
    Surface s(8, 6);
    Skinned()->DrawSizeGrip(&s.cx, RECT{0, 0, 8, 6}, c.Background);
    EXPECT_EQ(Hex(s.At(1, 3)), Hex(c.Left)) << c.Background;
    EXPECT_EQ(Hex(s.At(6, 3)), Hex(RGB(0, 0, 0))) << c.Background;
  }
}

// With a border the frame element goes round the client, never over the content area.
TEST_F(SkinPainterTest, PanelFrameOnlyOutsideTheContent) {
  auto skin = NewSkin();
  TdxSkinElement* client = AddElement(*skin, L"Common", L"GroupPanelNoBorder");
  client->SetColor(0x858585);
  TdxSkinElement* frame = AddElement(*skin, L"Common", L"GroupPanel");
  frame->Image()->Texture()->Assign(MakePicture(10, 10, [](int, int) { return 0xFF0000FFu; }).get());
  frame->ContentOffset()->SetRect(RECT{2, 2, 2, 2});
  Use(std::move(skin));
  struct {
    bool Border;
    COLORREF Edge, Inside;
  } cases[] = {{false, RGB(0x85, 0x85, 0x85), RGB(0x85, 0x85, 0x85)}, {true, RGB(0, 0, 255), RGB(0x85, 0x85, 0x85)}};
  for (auto c : cases) {
    Surface s(30, 20);
    Skinned()->DrawPanelContent(&s.cx, RECT{0, 0, 30, 20}, c.Border);
    EXPECT_EQ(Hex(s.At(1, 10)), Hex(c.Edge)) << c.Border;
    EXPECT_EQ(Hex(s.At(2, 2)), Hex(c.Inside)) << c.Border;
    EXPECT_EQ(Hex(s.At(27, 17)), Hex(c.Inside)) << c.Border;
    EXPECT_EQ(s.cx.SavedRegionCount(), 0u);
    s.cx.FillRect(RECT{0, 0, 30, 20}, clRed);  // the clip region is back
    EXPECT_EQ(s.Count(RGB(255, 0, 0)), 600) << c.Border;
  }
}

TEST_F(SkinPainterTest, BorderInTheContainerColour) {
  struct {
    bool Named;
    COLORREF Edge;
  } cases[] = {{true, RGB(0x56, 0x34, 0x12)}, {false, Rgb(Office2003Border())}};
  for (auto c : cases) {
    auto skin = NewSkin();
    if (c.Named) skin->AddColor(L"ContainerBorderColor", 0x123456);
    Use(std::move(skin));
    Surface s(10, 10);
    Skinned()->DrawBorder(&s.cx, RECT{0, 0, 10, 10});
    EXPECT_EQ(Hex(s.At(0, 5)), Hex(c.Edge)) << c.Named;
    EXPECT_EQ(Hex(s.At(9, 9)), Hex(c.Edge)) << c.Named;
    EXPECT_EQ(s.Count(kUntouched), 64) << c.Named;
    GetPainterRegistry()->Unregister(L"TestSkin");
  }
}

// The registered DarkSide skin, as the main window's painter sees it.
TEST(DarkSidePainter, DrawsWithTheSkinsValues) {
  TcxLookAndFeel lookAndFeel(nullptr);
  lookAndFeel.SetSkinName(L"DarkSide");
  auto* painter = dynamic_cast<const TdxDarkSidePainter*>(lookAndFeel.Painter());
  ASSERT_NE(painter, nullptr);
  constexpr COLORREF grey = RGB(0x85, 0x85, 0x85);
  Surface window(20, 20), panel(20, 20), border(20, 20);
  painter->DrawWindowContent(&window.cx, RECT{0, 0, 20, 20});
  painter->DrawPanelContent(&panel.cx, RECT{0, 0, 20, 20}, false);
  painter->DrawBorder(&border.cx, RECT{0, 0, 20, 20});
  EXPECT_EQ(window.Count(grey), 400);
  EXPECT_EQ(panel.Count(grey), 400);
  EXPECT_EQ(border.Count(RGB(0x6C, 0x6C, 0x6C)), 76);
  EXPECT_EQ(painter->DefaultSizeGripAreaColor(), 0x858585);
  EXPECT_EQ(painter->ButtonSymbolColor(cxbsNormal), 0x000000);
  EXPECT_EQ(painter->ButtonSymbolColor(cxbsDisabled), 0xA4A4A4);
  EXPECT_TRUE(SizesEqual(painter->SizeGripSize(), SIZE{16, 16}));
  EXPECT_EQ(painter->ScrollBarMinimalThumbSize(true), 17);
  EXPECT_EQ(painter->ScrollBarMinimalThumbSize(false), 17);
  EXPECT_EQ(painter->ButtonBorderSize(), 0);
}

// Buttons come from the painter's cache: what it copies must be what the element draws.
TEST(DarkSidePainter, CachedButtonsMatchTheElement) {
  auto* painter = static_cast<const TdxSkinLookAndFeelPainter*>(TdxDarkSidePainter::Instance());
  TdxSkinElement* button = painter->GetSkinInfo()->ButtonElements;
  for (TcxButtonState state : {cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled})
    for (int round = 0; round < 2; ++round) {
      Surface cached(71, 25), direct(71, 25);
      painter->DrawButton(&cached.cx, RECT{0, 0, 71, 25}, L"", state);
      button->Draw(direct.cx.Handle(), RECT{0, 0, 71, 25}, 0, ButtonStateToSkinElementState(state));
      EXPECT_TRUE(cached.SameAs(direct)) << "state " << state << " round " << round;
    }
}

// The gallery program puts the rows asked for into a picture, top to bottom.
TEST(PainterGallery, WritesTheRowsIntoAPicture) {
  std::wstring file = TempFile("");
  ToolResult r = RunProgram(BesideTest(L"painter-gallery.exe"),
                            L"--painter DarkSide --painter ultraflat --png \"" + file + L"\"");
  ASSERT_EQ(r.ExitCode, 0u) << r.Output;
  TdxPNGImage png;
  {
    TFileStream f(file, fmOpenRead);
    png.LoadFromStream(f);
  }
  DeleteFileW(file.c_str());
  ASSERT_EQ(png.Width(), 790);
  ASSERT_EQ(png.Height(), 2 * 124);
  std::unique_ptr<TBitmap> picture(png.GetAsBitmap());
  auto at = [&](int x, int y) { return GetPixel(picture->Canvas().Handle(), x, y); };
  // The rows' window backgrounds, the DarkSide normal button's face, the ultra-flat one's frame and face.
  Surface darkSideButton(71, 25);
  TdxDarkSidePainter::Instance()->DrawButton(&darkSideButton.cx, RECT{0, 0, 71, 25}, L"", cxbsNormal);
  struct {
    int X, Y;
    COLORREF Expected;
  } probes[] = {{4, 120, RGB(0x85, 0x85, 0x85)},       {4, 124 + 120, Rgb(clBtnFace)},
                {183 + 2, 8 + 2, darkSideButton.At(2, 2)}, {183, 124 + 8, Rgb(clBtnText)},
                {183 + 2, 124 + 8 + 2, Rgb(clBtnFace)}};
  for (auto p : probes) EXPECT_EQ(Hex(at(p.X, p.Y)), Hex(p.Expected)) << p.X << "," << p.Y;
}

TEST(PainterGallery, UnknownPainterIsAUsageError) {
  ToolResult r = RunProgram(BesideTest(L"painter-gallery.exe"), L"--painter nosuch --png unused.png");
  EXPECT_EQ(r.ExitCode, 2u);
  EXPECT_NE(r.Output.find("unknown painter nosuch"), std::string::npos) << r.Output;
  EXPECT_NE(r.Output.find("standard, flat, ultraflat, office2003, native, darkside, userskin"), std::string::npos)
      << r.Output;
}

}  // namespace
