// What the built-in skins carry: the names of every group and element, the
// parameters of the elements the window draws, the group properties, and
// pictures that fit the frames they declare.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <sstream>

#include "framework/streams.h"
#include "framework/sysutils.h"
#include "skins/builtin/gen/png_codec.h"
#include "skins/model/skin.h"

using namespace talvik;

namespace {

constexpr TColor kRGB(int r, int g, int b) { return r | (g << 8) | (b << 16); }

std::unique_ptr<TdxSkin> Builtin(const wchar_t* AResource) {
  auto skin = std::make_unique<TdxSkin>(AResource, true, GetModuleHandleW(nullptr));
  return skin;
}

TdxSkinElement* Element(TdxSkin& ASkin, const wchar_t* AGroup, const wchar_t* AName) {
  TdxSkinControlGroup* group = ASkin.GetGroupByName(AGroup);
  return group ? group->GetElementByName(AName) : nullptr;
}

template <class T>
T* Property(TdxSkinPersistent* AOwner, const wchar_t* AName) {
  return dynamic_cast<T*>(AOwner->GetPropertyByName(AName));
}

constexpr TdxSkinElementStates S(std::initializer_list<TdxSkinElementState> AStates) {
  TdxSkinElementStates s = 0;
  for (auto st : AStates) s |= dxSkinStateBit(st);
  return s;
}

const TdxSkinElementStates kCaption = S({esActive, esActiveDisabled});
const TdxSkinElementStates kCaptionButton = S({esNormal, esHot, esPressed, esDisabled, esActiveDisabled});
const TdxSkinElementStates kScroll = S({esNormal, esHot, esPressed, esDisabled});
const TdxSkinElementStates kButton = S({esNormal, esHot, esPressed, esDisabled, esActive, esChecked});
const TdxSkinElementStates kNormal = S({esNormal});

struct PictureRow {
  int Width, Height;
  bool Vertical;
  TdxSkinElementStates States;
  RECT Margins;
  TdxSkinStretchMode Stretch;
  SIZE Frame;
};

struct WindowElement {
  const wchar_t* Group;
  const wchar_t* Name;
  PictureRow Image;
  PictureRow Glyph;  // Width 0: no glyph picture
  TColor Color, TextColor;
  RECT Content;
  SIZE MinSize;
  int ImageCount;
};

const PictureRow kNone{0, 0, false, kNormal, {0, 0, 0, 0}, smStretch, {0, 0}};
const PictureRow kCaptionImage{27, 50, true, kCaption, {2, 9, 2, 3}, smStretch, {27, 25}};
const PictureRow kSideFrame{3, 32, true, kCaption, {1, 0, 1, 0}, smStretch, {3, 16}};
const PictureRow kCaptionButtonImage{25, 125, true, kCaptionButton, {4, 11, 4, 2}, smStretch, {25, 25}};
const PictureRow kWideGlyph{9, 40, true, kCaptionButton, {0, 0, 0, 0}, smNoResize, {9, 8}};
const PictureRow kNarrowGlyph{7, 40, true, kCaptionButton, {0, 0, 0, 0}, smNoResize, {7, 8}};

// The elements the skinned window draws, as the window's geometry relies on them.
const WindowElement kWindowElements[] = {
    {L"Form", L"FormCaption", kCaptionImage, kNone, clNone, kRGB(0xE6, 0xE6, 0xE6), {6, 3, 3, 3}, {0, 0}, 1},
    {L"Form", L"SmallFormCaption", kCaptionImage, kNone, clNone, kRGB(0xE6, 0xE6, 0xE6), {6, 2, 2, 2}, {0, 0}, 1},
    {L"Form", L"FormFrameLeft", kSideFrame, kNone, clDefault, clDefault, {0, 0, 0, 0}, {3, 0}, 1},
    {L"Form", L"FormFrameRight", kSideFrame, kNone, clDefault, clDefault, {0, 0, 0, 0}, {3, 0}, 1},
    {L"Form", L"FormFrameBottom", {16, 6, true, kCaption, {3, 1, 3, 1}, smStretch, {16, 3}}, kNone, clDefault,
     clDefault, {0, 0, 0, 0}, {0, 3}, 1},
    {L"Form", L"FormButtonClose", kCaptionButtonImage, kWideGlyph, clDefault, clDefault, {3, 3, 3, 3}, {23, 23}, 1},
    {L"Form", L"FormButtonHelp", kCaptionButtonImage, kNarrowGlyph, clDefault, clDefault, {0, 0, 0, 0}, {23, 23}, 1},
    {L"Form", L"FormButtonMaximize", kCaptionButtonImage, kWideGlyph, clDefault, clDefault, {0, 0, 0, 0}, {23, 23}, 1},
    {L"Form", L"FormButtonMinimize", kCaptionButtonImage, kNarrowGlyph, clDefault, clDefault, {0, 0, 0, 0}, {23, 23}, 1},
    {L"Form", L"FormButtonRestore", kCaptionButtonImage, kWideGlyph, clDefault, clDefault, {0, 0, 0, 0}, {23, 23}, 1},
    {L"Form", L"SmallFormButtonClose", {17, 85, true, kCaptionButton, {4, 7, 4, 2}, smStretch, {17, 17}}, kNarrowGlyph,
     clDefault, clDefault, {1, 1, 1, 1}, {17, 17}, 1},
    {L"Form", L"FormContent", kNone, kNone, kRGB(0x85, 0x85, 0x85), 0, {0, 0, 0, 0}, {0, 0}, 1},
    {L"Common", L"Button", {36, 138, true, kButton, {6, 12, 6, 4}, smStretch, {36, 23}}, kNone, clNone, 0,
     {3, 3, 3, 3}, {16, 12}, 1},
    {L"Common", L"GroupPanel", {35, 35, false, kNormal, {2, 2, 2, 2}, smStretch, {35, 35}}, kNone, clNone, clDefault,
     {1, 1, 1, 1}, {0, 0}, 1},
    {L"Common", L"GroupPanelNoBorder", kNone, kNone, kRGB(0x85, 0x85, 0x85), clDefault, {0, 0, 0, 0}, {0, 0}, 1},
    {L"Common", L"ScrollButton", {17, 272, true, kScroll, {8, 8, 2, 2}, smStretch, {17, 17}},
     {9, 144, true, kScroll, {0, 0, 0, 0}, smNoResize, {9, 9}}, kRGB(0x85, 0x85, 0x85), clDefault, {0, 0, 0, 0},
     {0, 0}, 4},
    {L"Common", L"ScrollThumbVert", {17, 68, true, kScroll, {8, 2, 2, 2}, smStretch, {17, 17}},
     {11, 36, true, kScroll, {0, 0, 0, 0}, smNoResize, {11, 9}}, clDefault, clDefault, {0, 0, 0, 0}, {0, 0}, 1},
    {L"Common", L"ScrollThumbHorz", {17, 68, true, kScroll, {2, 8, 2, 2}, smStretch, {17, 17}},
     {9, 44, true, kScroll, {0, 0, 0, 0}, smNoResize, {9, 11}}, clDefault, clDefault, {0, 0, 0, 0}, {0, 0}, 1},
    {L"Common", L"ScrollContentVert", {17, 68, true, kScroll, {3, 0, 3, 0}, smStretch, {17, 17}}, kNone, clDefault,
     clDefault, {0, 0, 0, 0}, {0, 0}, 1},
    {L"Common", L"ScrollContentHorz", {17, 68, true, kScroll, {0, 3, 0, 3}, smStretch, {17, 17}}, kNone, clDefault,
     clDefault, {0, 0, 0, 0}, {0, 0}, 1},
    {L"Common", L"SizeGrip", {16, 16, false, kNormal, {0, 0, 0, 0}, smNoResize, {16, 16}}, kNone, clDefault, clDefault,
     {0, 0, 0, 0}, {16, 16}, 1},
};

void ExpectPicture(TdxSkinImage* AImage, const PictureRow& ARow) {
  if (ARow.Width == 0) {
    EXPECT_TRUE(AImage->Texture()->Empty());
    return;
  }
  ASSERT_FALSE(AImage->Texture()->Empty());
  EXPECT_EQ(AImage->Texture()->Width(), ARow.Width);
  EXPECT_EQ(AImage->Texture()->Height(), ARow.Height);
  EXPECT_EQ(AImage->ImageLayout(), ARow.Vertical ? ilVertical : ilHorizontal);
  EXPECT_EQ(AImage->States(), ARow.States);
  RECT m = AImage->Margins()->Rect();
  EXPECT_EQ(m.left, ARow.Margins.left);
  EXPECT_EQ(m.top, ARow.Margins.top);
  EXPECT_EQ(m.right, ARow.Margins.right);
  EXPECT_EQ(m.bottom, ARow.Margins.bottom);
  EXPECT_EQ(AImage->Stretch(), ARow.Stretch);
  EXPECT_EQ(AImage->Size().cx, ARow.Frame.cx);
  EXPECT_EQ(AImage->Size().cy, ARow.Frame.cy);
}

skingen::Pixels PixelsOf(TdxSkinImage* AImage) {
  TMemoryStream png;
  AImage->Texture()->SaveToStream(png);
  return skingen::DecodePng(png.Memory(), static_cast<size_t>(png.Size()));
}

// The pixels of one frame of the image and of the glyph, side by side.
std::vector<uint8_t> FrameBytes(TdxSkinElement* AElement, int AIndex, TdxSkinElementState AState) {
  std::vector<uint8_t> bytes;
  for (TdxSkinImage* image : {AElement->Image(), AElement->Glyph()}) {
    if (image->Texture()->Empty()) continue;
    skingen::Pixels p = PixelsOf(image);
    RECT r = image->FrameBounds(AIndex, AState);
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) bytes.insert(bytes.end(), p.At(x, y), p.At(x, y) + 4);
  }
  return bytes;
}

const wchar_t* const kElementNames[][2] = {
    {L"Bars",
     L"Bar BarCustomize BarCustomizeVertical BarDragGrip BarDragGripVertical BarSeparator BarSeparatorVertical "
     L"BarVertical Dock FloatBar LinkSelected LinkStatic MainMenu MainMenuCustomize MainMenuDrag "
     L"MainMenuLinkSelected MainMenuVertical PopupMenu PopupMenuCheck PopupMenuDropDownButtonArrow "
     L"PopupMenuDropDownButtonLabel PopupMenuExpandButton PopupMenuLinkSelected PopupMenuSeparator "
     L"PopupMenuSideStrip PopupMenuSideStripNonRecent ScreenTipSeparator ScreenTipWindow StatusBar"},
    {L"Common",
     L"Button GroupPanel GroupPanelBottom GroupPanelCaptionBottom GroupPanelCaptionLeft GroupPanelCaptionRight "
     L"GroupPanelCaptionTop GroupPanelLeft GroupPanelNoBorder GroupPanelRight GroupPanelTop Header HeaderSpecial "
     L"ScrollButton ScrollContentHorz ScrollContentVert ScrollThumbHorz ScrollThumbVert SizeGrip Splitter "
     L"SplitterHorz"},
    {L"Docking",
     L"AutoHideBar AutoHideBarBottom AutoHideBarLeft AutoHideBarRight DockWindowBorder DockWindowButton "
     L"DockWindowButtonGlyphs DockWindowCaption TabHeader TabHeaderAutoHideBar TabHeaderBackground TabHeaderLine"},
    {L"Editors",
     L"Checkbox ClockFace ClockGlass CloseButton ComboButtonGlyph EditorButton LabelLine LabelLineVert Navigator "
     L"NavigatorVert ProgressBorder ProgressBorderVert ProgressChunk ProgressChunkVert RadioButton SpinDownGlyph "
     L"SpinLeftGlyph SpinRightGlyph SpinUpGlyph TrackBarThumb TrackBarThumbBoth TrackBarThumbUp TrackBarThumbVert "
     L"TrackBarThumbVertBoth TrackBarThumbVertUp TrackBarTrack TrackBarTrackVert"},
    {L"Form",
     L"FormButtonClose FormButtonHelp FormButtonMaximize FormButtonMinimize FormButtonRestore FormCaption "
     L"FormContent FormFrameBottom FormFrameLeft FormFrameRight SmallFormButtonClose SmallFormCaption"},
    {L"Grid",
     L"CardSeparator FilterButton FilterButtonActive FooterCell FooterPanel GridFilterPanel GridFixedLine "
     L"GridGroupPanel GridLine GroupRow IndicatorImages PlusMinus"},
    {L"NavBar", L"Background GroupClient GroupCloseButton GroupHeader GroupOpenButton Item"},
    {L"NavPane",
     L"Caption CollapseButton CollapsedGroupClient ExpandButton GroupButton GroupButtonSelected GroupClient Item "
     L"ItemSelected OverflowPanel OverflowPanelExpandItem OverflowPanelItem PopupBorder PopupSizeGrip "
     L"ScrollDownButton ScrollUpButton Splitter"},
    {L"PageControl", L"TabButtonHorz TabButtonVert TabHeader TabPane"},
    {L"PrintingSystem", L"PageBorder PreviewBackground"},
    {L"Ribbon",
     L"AppMenuBackground AppMenuBackgroundBottom Button ButtonArrow ButtonGroup ButtonGroupButton "
     L"ButtonGroupSeparator ContextualTabHeader ContextualTabLabel ContextualTabLabelOnGlass ContextualTabPanel "
     L"ContextualTabSeparator DialogFrameBottom DialogFrameLeft DialogFrameRight DropDownGalleryBackground "
     L"DropDownGalleryGroupHeader DropDownGallerySizeGrip DropDownGallerySizePanel FormAppButton FormCaption "
     L"FormFrameBottom FormFrameLeft FormFrameRight InRibbonGalleryButtonDown InRibbonGalleryButtonDropDown "
     L"InRibbonGalleryButtonUp InRibbonGalleryPane LargeButton LargeSplitButtonBottom LargeSplitButtonTop "
     L"QATAboveBackground QATBelowBackground QATButtonGlyph QATCustomizeButton QATInRibbonBackground QATOverflow "
     L"SplitButtonLeft SplitButtonRight StatusBarBackground StatusBarButton StatusBarSeparator Tab TabBackground "
     L"TabGroup TabGroupButton TabGroupCaption TabGroupCollapsed TabGroupCollapsedBox TabGroupItemsSeparator "
     L"TabGroupLeftScrollButton TabGroupRightScrollButton TabPanel TabSeparatorLine"},
    {L"Scheduler",
     L"AllDayArea AllDayAreaSelected Appointment AppointmentBottomShadow AppointmentMask AppointmentRightBorder "
     L"AppointmentRightShadow CurrentTimeIndicator DefaultTimeLine MoreButton NavButtonNext NavButtonNextArrow "
     L"NavButtonPrev NavButtonPrevArrow Ruler TimeGridHeader TimeGridHeaderSelected"},
    {L"VerticalGrid", L"BandBorder Category GridLine RowHeader"},
};

std::set<std::wstring> Words(const wchar_t* AText) {
  std::wistringstream in(AText);
  std::set<std::wstring> words;
  for (std::wstring w; in >> w;) words.insert(w);
  return words;
}

std::set<std::wstring> ElementNamesOf(TdxSkinControlGroup* AGroup) {
  std::set<std::wstring> names;
  for (int i = 0; i < AGroup->Count(); ++i) names.insert(AGroup->Elements(i)->Name());
  return names;
}

const wchar_t* const kBuiltins[] = {L"DarkSide", L"DefaultUserSkinData"};

}  // namespace

TEST(BuiltinContent, BothSkinsHoldExactlyTheGroupsAndElementNames) {
  for (const wchar_t* resource : kBuiltins) {
    SCOPED_TRACE(WideToUtf8(resource));
    auto skin = Builtin(resource);
    ASSERT_EQ(skin->GroupCount(), static_cast<int>(std::size(kElementNames)));
    for (const auto& row : kElementNames) {
      TdxSkinControlGroup* group = skin->GetGroupByName(row[0]);
      ASSERT_NE(group, nullptr) << WideToUtf8(row[0]);
      EXPECT_EQ(ElementNamesOf(group), Words(row[1])) << WideToUtf8(row[0]);
      EXPECT_EQ(group->Count(), static_cast<int>(Words(row[1]).size())) << "duplicate names in " << WideToUtf8(row[0]);
    }
  }
}

TEST(BuiltinContent, DarkSideWindowElementsHaveTheirGeometry) {
  auto skin = Builtin(L"DarkSide");
  for (const WindowElement& w : kWindowElements) {
    SCOPED_TRACE(WideToUtf8(std::wstring(w.Group) + L"/" + w.Name));
    TdxSkinElement* e = Element(*skin, w.Group, w.Name);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->ImageCount(), w.ImageCount);
    EXPECT_EQ(e->Alpha(), 255);
    EXPECT_EQ(e->Color(), w.Color);
    EXPECT_EQ(e->TextColor(), w.TextColor);
    RECT c = e->ContentOffset()->Rect();
    EXPECT_TRUE(c.left == w.Content.left && c.top == w.Content.top && c.right == w.Content.right &&
                c.bottom == w.Content.bottom);
    EXPECT_EQ(e->MinSize()->Size().cx, w.MinSize.cx);
    EXPECT_EQ(e->MinSize()->Size().cy, w.MinSize.cy);
    for (TdxSkinBorder* b : {e->Borders()->Left(), e->Borders()->Top(), e->Borders()->Right(), e->Borders()->Bottom()})
      EXPECT_EQ(b->Color(), clNone);
    ExpectPicture(e->Image(), w.Image);
    ExpectPicture(e->Glyph(), w.Glyph);
  }
}

TEST(BuiltinContent, DarkSideElementPropertiesAndGradients) {
  auto skin = Builtin(L"DarkSide");
  auto* fontDelta = Property<TdxSkinIntegerProperty>(Element(*skin, L"Form", L"FormCaption"), L"FontDelta");
  ASSERT_NE(fontDelta, nullptr);
  EXPECT_EQ(fontDelta->Value(), 1);
  auto* disabledText = Property<TdxSkinColor>(Element(*skin, L"Common", L"Button"), L"DisabledText");
  ASSERT_NE(disabledText, nullptr);
  EXPECT_EQ(disabledText->Value(), kRGB(0xA4, 0xA4, 0xA4));
  TdxSkinElement* dock = Element(*skin, L"Bars", L"Dock");
  ASSERT_NE(dock, nullptr);
  EXPECT_EQ(dock->GetTextColor(cxbsHot), 0);
  for (const wchar_t* name : {L"GroupPanel", L"GroupPanelNoBorder"}) {
    TdxSkinImage* image = Element(*skin, L"Common", name)->Image();
    EXPECT_EQ(image->GradientBeginColor(), kRGB(0x85, 0x85, 0x85)) << WideToUtf8(name);
    EXPECT_EQ(image->GradientEndColor(), clNone) << WideToUtf8(name);
  }
}

TEST(BuiltinContent, DarkSideGroupProperties) {
  auto skin = Builtin(L"DarkSide");
  struct ColorCase {
    const wchar_t* Group;
    const wchar_t* Name;
    TColor Value;
  } colors[] = {
      {L"Bars", L"DisabledTextColor", kRGB(0xA4, 0xA4, 0xA4)},
      {L"Docking", L"TabHeaderTextColor", kRGB(0xE6, 0xE6, 0xE6)},
      {L"Docking", L"TabHeaderTextColorActive", kRGB(0xE6, 0xE6, 0xE6)},
      {L"Editors", L"BackgroundColor", kRGB(0xB4, 0xB4, 0xB4)},
      {L"Editors", L"BackgroundDisabledColor", kRGB(0x85, 0x85, 0x85)},
      {L"Editors", L"BackgroundInactiveColor", clNone},
      {L"Editors", L"BackgroundReadOnlyColor", clNone},
      {L"Editors", L"TextColor", 0},
      {L"Editors", L"TextDisabledColor", kRGB(0xA4, 0xA4, 0xA4)},
      {L"Editors", L"TextInactiveColor", clNone},
      {L"Editors", L"TextReadOnlyColor", clNone},
      {L"Editors", L"HyperLinkTextColor", kRGB(0, 0, 0xFF)},
      {L"Editors", L"CalendarSelectedDayColor", kRGB(0xFE, 0xCD, 0x3C)},
      {L"Editors", L"CalendarSelectedDayTextColor", 0},
      {L"Editors", L"ProgressBarFilledTextColor", clNone},
      {L"Editors", L"CalcEditArithmeticOperationTextColor", clDefault},
      {L"Editors", L"CalcEditDigitTextColor", clDefault},
      {L"Editors", L"CalcEditEditingOperationTextColor", clDefault},
      {L"Editors", L"CalcEditMemoryOperationTextColor", clDefault},
      {L"Editors", L"CalcEditScientificOperationTextColor", clDefault},
      {L"Editors", L"CalendarDayTextColor", clDefault},
      {L"Editors", L"CalendarHolidayTextColor", clDefault},
      {L"Editors", L"CalendarInactiveDayTextColor", clDefault},
      {L"Editors", L"CalendarSeparatorColor", clDefault},
      {L"Editors", L"CalendarTodayFrameColor", clDefault},
      {L"Editors", L"CalendarTodayTextColor", clDefault},
      {L"Editors", L"ProgressBarEmptyTextColor", clDefault},
      {L"Form", L"TextColorInactive", kRGB(0xDC, 0xDC, 0xDC)},
      {L"Form", L"TextShadowColor", 0},
      {L"Ribbon", L"AppMenuExtraPaneColor", kRGB(0x85, 0x85, 0x85)},
      {L"Ribbon", L"AppMenuExtraPaneHeaderSeparator", kRGB(0x77, 0x77, 0x77)},
      {L"Ribbon", L"ButtonDisabled", kRGB(0x50, 0x50, 0x50)},
      {L"Scheduler", L"NavigatorColor", kRGB(0x85, 0x85, 0x85)},
  };
  for (const ColorCase& c : colors) {
    auto* p = Property<TdxSkinColor>(skin->GetGroupByName(c.Group), c.Name);
    ASSERT_NE(p, nullptr) << WideToUtf8(c.Name);
    EXPECT_EQ(p->Value(), c.Value) << WideToUtf8(c.Name);
  }
  struct IntCase {
    const wchar_t* Group;
    const wchar_t* Name;
    int Value;
  } ints[] = {
      {L"Docking", L"ActiveTabHeaderDownGrow", 1}, {L"Docking", L"ActiveTabHeaderHGrow", 2},
      {L"Docking", L"ActiveTabHeaderUpGrow", 0},   {L"PageControl", L"HeaderDownGrow", 0},
      {L"PageControl", L"RowIndentFar", 4},        {L"PageControl", L"RowIndentNear", 2},
      {L"PageControl", L"SelectedHeaderDownGrow", 1}, {L"PageControl", L"SelectedHeaderHGrow", 0},
      {L"PageControl", L"SelectedHeaderUpGrow", 2}, {L"Ribbon", L"SpaceBetweenTabGroups", 1},
      {L"Ribbon", L"TabHeaderDownGrow", 2},
  };
  for (const IntCase& c : ints) {
    auto* p = Property<TdxSkinIntegerProperty>(skin->GetGroupByName(c.Group), c.Name);
    ASSERT_NE(p, nullptr) << WideToUtf8(c.Name);
    EXPECT_EQ(p->Value(), c.Value) << WideToUtf8(c.Name);
  }
  auto* overlap = Property<TdxSkinBooleanProperty>(skin->GetGroupByName(L"NavPane"), L"OverlapGroupBorders");
  ASSERT_NE(overlap, nullptr);
  EXPECT_TRUE(overlap->Value());
  // Groups with no properties.
  for (const wchar_t* g : {L"Common", L"Grid", L"NavBar", L"PrintingSystem", L"VerticalGrid"})
    EXPECT_EQ(skin->GetGroupByName(g)->PropertyCount(), 0) << WideToUtf8(g);
  EXPECT_EQ(skin->GetGroupByName(L"Editors")->PropertyCount(), 24);
}

TEST(BuiltinContent, SkinColours) {
  struct Case {
    const wchar_t* Name;
    TColor Dark, Light;
  } cases[] = {
      {L"ContainerBorderColor", kRGB(0x6C, 0x6C, 0x6C), kRGB(0x9C, 0x9C, 0x9C)},
      {L"ContainerHighlightBorderColor", kRGB(0x50, 0x50, 0x50), kRGB(0x89, 0x89, 0x89)},
      {L"ContentColor", kRGB(0x85, 0x85, 0x85), kRGB(0xF0, 0xF1, 0xF2)},
      {L"ContentEvenColor", kRGB(0x64, 0x64, 0x6E), kRGB(0xEE, 0xF0, 0xF3)},
      {L"ContentOddColor", kRGB(0x69, 0x64, 0x6E), kRGB(0xFF, 0xFF, 0xFF)},
      {L"ContentTextColor", 0, 0},
      {L"DockControlHiddenBarTextColor", kRGB(0xE6, 0xE6, 0xE6), 0},
      {L"DockControlHiddenBarTextHotColor", kRGB(0xE6, 0xE6, 0xE6), 0},
      {L"HeaderBackgroundColor", kRGB(0x29, 0x29, 0x29), kRGB(0x87, 0x88, 0x8B)},
      {L"HeaderBackgroundTextColor", 0, kRGB(0x70, 0x71, 0x75)},
      {L"LayoutControlColor", kRGB(0x85, 0x85, 0x85), kRGB(0xF0, 0xF1, 0xF2)},
      {L"SelectionColor", kRGB(0xFE, 0xCD, 0x3C), kRGB(0x31, 0x6A, 0xC5)},
      {L"SelectionTextColor", 0, kRGB(0xFF, 0xFF, 0xFF)},
  };
  auto dark = Builtin(L"DarkSide");
  auto light = Builtin(L"DefaultUserSkinData");
  EXPECT_EQ(dark->ColorCount(), static_cast<int>(std::size(cases)));
  EXPECT_EQ(light->ColorCount(), static_cast<int>(std::size(cases)));
  for (const Case& c : cases) {
    ASSERT_NE(dark->GetColorByName(c.Name), nullptr) << WideToUtf8(c.Name);
    ASSERT_NE(light->GetColorByName(c.Name), nullptr) << WideToUtf8(c.Name);
    EXPECT_EQ(dark->GetColorByName(c.Name)->Value(), c.Dark) << WideToUtf8(c.Name);
    EXPECT_EQ(light->GetColorByName(c.Name)->Value(), c.Light) << WideToUtf8(c.Name);
  }
}

TEST(BuiltinContent, EveryPictureSplitsEvenlyIntoItsFrames) {
  for (const wchar_t* resource : kBuiltins) {
    SCOPED_TRACE(WideToUtf8(resource));
    auto skin = Builtin(resource);
    for (int g = 0; g < skin->GroupCount(); ++g)
      for (int i = 0; i < skin->Groups(g)->Count(); ++i) {
        TdxSkinElement* e = skin->Groups(g)->Elements(i);
        for (TdxSkinImage* image : {e->Image(), e->Glyph()}) {
          if (image->Texture()->Empty()) continue;
          SCOPED_TRACE(WideToUtf8(skin->Groups(g)->Name() + L"/" + e->Name()));
          SIZE frame = image->Size();
          int frames = image->StateCount() * e->ImageCount();
          bool vertical = image->ImageLayout() == ilVertical;
          EXPECT_EQ(vertical ? frame.cy * frames : frame.cx * frames,
                    vertical ? image->Texture()->Height() : image->Texture()->Width());
          EXPECT_EQ(vertical ? frame.cx : frame.cy, vertical ? image->Texture()->Width() : image->Texture()->Height());
          RECT m = image->Margins()->Rect();
          if (image->Stretch() != smNoResize) {
            EXPECT_LE(m.left + m.right, frame.cx);
            EXPECT_LE(m.top + m.bottom, frame.cy);
          }
        }
      }
  }
}

TEST(BuiltinContent, EveryStateOfTheWindowElementsLooksDifferent) {
  for (const wchar_t* resource : kBuiltins) {
    SCOPED_TRACE(WideToUtf8(resource));
    auto skin = Builtin(resource);
    for (const WindowElement& w : kWindowElements) {
      TdxSkinElement* e = Element(*skin, w.Group, w.Name);
      ASSERT_NE(e, nullptr);
      std::vector<TdxSkinElementState> states;
      for (int s = 0; s < dxSkinElementStateCount; ++s)
        if (e->Image()->States() & (1u << s)) states.push_back(static_cast<TdxSkinElementState>(s));
      if (e->Image()->Texture()->Empty()) continue;
      for (int index = 0; index < e->ImageCount(); ++index)
        for (size_t a = 0; a < states.size(); ++a)
          for (size_t b = a + 1; b < states.size(); ++b)
            EXPECT_NE(FrameBytes(e, index, states[a]), FrameBytes(e, index, states[b]))
                << WideToUtf8(w.Name) << " image " << index << ": states " << int(states[a]) << " and "
                << int(states[b]);
    }
  }
}
