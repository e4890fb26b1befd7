// The fields of a skin info by name, for tools that show what a skin resolves to.
#include "skins/info/skininfo.h"

#include <iterator>

namespace talvik {

std::wstring TdxSkinInfoField::FullName() const {
  std::wstring result = Name;
  for (const wchar_t* index : Index)
    if (index) result.append(L"[").append(index).append(L"]");
  return result;
}

namespace {

const wchar_t* const Numbers[] = {L"0", L"1", L"2", L"3", L"4", L"5"};
const wchar_t* const Booleans[] = {L"false", L"true"};
const wchar_t* const Borders[] = {L"bLeft", L"bTop", L"bRight", L"bBottom"};
const wchar_t* const FormIconNames[] = {L"sfiMenu", L"sfiHelp", L"sfiMinimize", L"sfiMaximize", L"sfiRestore", L"sfiClose"};
const wchar_t* const ScrollBarParts[] = {L"sbpNone", L"sbpLineUp", L"sbpLineDown", L"sbpThumbnail", L"sbpPageUp", L"sbpPageDown"};
const wchar_t* const GroupBoxPositions[] = {L"cxgpTop", L"cxgpBottom", L"cxgpLeft", L"cxgpRight", L"cxgpCenter"};
const wchar_t* const EditStateColorKinds[] = {L"esckNormal", L"esckDisabled", L"esckInactive", L"esckReadOnly"};
const wchar_t* const EditButtonKinds[] = {L"cxbkCloseBtn",  L"cxbkComboBtn",    L"cxbkEditorBtn",  L"cxbkEllipsisBtn",
                                          L"cxbkSpinUpBtn", L"cxbkSpinDownBtn", L"cxbkSpinLeftBtn", L"cxbkSpinRightBtn"};
const wchar_t* const CalcButtonKinds[] = {
    L"cbBack", L"cbCancel", L"cbClear", L"cbMC",   L"cbMR",    L"cbMS",      L"cbMP",   L"cbNum0", L"cbNum1", L"cbNum2",
    L"cbNum3", L"cbNum4",   L"cbNum5",  L"cbNum6", L"cbNum7",  L"cbNum8",    L"cbNum9", L"cbSign", L"cbDecimal",
    L"cbDiv",  L"cbMul",    L"cbSub",   L"cbAdd",  L"cbSqrt",  L"cbPercent", L"cbRev",  L"cbEqual", L"cbNone"};
static_assert(std::size(CalcButtonKinds) == cxCalcButtonKindCount);

class TFieldWriter {
public:
  explicit TFieldWriter(TdxSkinInfoVisitor& AVisitor) : V(AVisitor) {}

  void Put(const TdxSkinInfoField& F, TdxSkinControlGroup* A) { V.Group(F, A); }
  void Put(const TdxSkinInfoField& F, TdxSkinElement* A) { V.Element(F, A); }
  void Put(const TdxSkinInfoField& F, TdxSkinColor* A) { V.ColorProperty(F, A); }
  void Put(const TdxSkinInfoField& F, TdxSkinIntegerProperty* A) { V.IntegerProperty(F, A); }
  void Put(const TdxSkinInfoField& F, TdxSkinBooleanProperty* A) { V.BooleanProperty(F, A); }
  void Put(const TdxSkinInfoField& F, const RECT& A) { V.Rect(F, A); }
  void Put(const TdxSkinInfoField& F, const std::unique_ptr<TdxSkinScrollInfo>& A) { V.ScrollInfo(F, A.get()); }

  template <class T>
  void One(const wchar_t* AName, const T& A) { Put({AName}, A); }
  template <class T, size_t N>
  void Many(const wchar_t* AName, const T (&A)[N], const wchar_t* const* ALabels = Numbers) {
    for (size_t i = 0; i < N; ++i) Put({AName, {ALabels[i]}}, A[i]);
  }
  template <class T, size_t N, size_t M>
  void Table(const wchar_t* AName, const T (&A)[N][M], const wchar_t* const* AColumns) {
    for (size_t i = 0; i < N; ++i)
      for (size_t j = 0; j < M; ++j) Put({AName, {Booleans[i], AColumns[j]}}, A[i][j]);
  }
  // Colour values and integers share one C++ type, so they go by name.
  void Color(const wchar_t* AName, TColor A) { V.ColorValue({AName}, A); }
  template <size_t N>
  void Colors(const wchar_t* AName, const TColor (&A)[N]) {
    for (size_t i = 0; i < N; ++i) V.ColorValue({AName, {Numbers[i]}}, A[i]);
  }
  void Integer(const wchar_t* AName, int A) { V.Integer({AName}, A); }
  template <size_t N>
  void Integers(const wchar_t* AName, const int (&A)[N]) {
    for (size_t i = 0; i < N; ++i) V.Integer({AName, {Numbers[i]}}, A[i]);
  }

private:
  TdxSkinInfoVisitor& V;
};

}  // namespace

#define ONE(F) w.One(L## #F, F)
#define MANY(F, ...) w.Many(L## #F, F, ##__VA_ARGS__)

void TdxSkinInfo::EnumFields(TdxSkinInfoVisitor& AVisitor) const {
  TFieldWriter w(AVisitor);
  ONE(Group_Bars);
  ONE(Group_Common);
  ONE(Group_Docking);
  ONE(Group_Editors);
  ONE(Group_Form);
  ONE(Group_Grid);
  ONE(Group_NavBar);
  ONE(Group_NavPane);
  ONE(Group_PrintingSystem);
  ONE(Group_Ribbon);
  ONE(Group_Scheduler);
  ONE(Group_Tabs);
  ONE(Group_VGrid);
  ONE(CardViewSeparator);
  MANY(ClockElements);
  ONE(CheckboxElement);
  MANY(EditButtonElements);
  MANY(EditButtonGlyphs, EditButtonKinds);
  ONE(GridGroupByBox);
  ONE(GridGroupRow);
  ONE(GridLine);
  ONE(GridFixedLine);
  ONE(IndicatorImages);
  ONE(NavigatorGlyphs);
  ONE(NavigatorGlyphsVert);
  ONE(RadioGroupButton);
  MANY(Splitter);
  MANY(TrackBarThumb);
  MANY(TrackBarTrack);
  ONE(VGridCategory);
  MANY(VGridLine);
  ONE(VGridRowHeader);
  MANY(CalcEditButtonTextColors, CalcButtonKinds);
  ONE(ContentEvenColor);
  ONE(ContentOddColor);
  ONE(ContentTextColor);
  ONE(HeaderBackgroundColor);
  ONE(HeaderBackgroundTextColor);
  ONE(SelectionColor);
  ONE(SelectionTextColor);
  ONE(ExpandButton);
  ONE(FooterCell);
  ONE(FooterPanel);
  ONE(Header);
  ONE(HeaderSpecial);
  MANY(FilterButtons);
  ONE(FilterPanel);
  MANY(SchedulerNavigationButtons);
  MANY(SchedulerNavigationButtonsArrow);
  ONE(ButtonDisabled);
  ONE(ButtonElements);
  ONE(ContainerBorderColor);
  ONE(ContainerHighlightBorderColor);
  ONE(ContentColor);
  MANY(EditorBackgroundColors, EditStateColorKinds);
  MANY(EditorTextColors, EditStateColorKinds);
  ONE(HyperLinkTextColor);
  MANY(ProgressBarElements);
  MANY(ProgressBarTextColors);
  w.Table(L"ScrollBar_Elements", ScrollBar_Elements, ScrollBarParts);
  MANY(LabelLine);
  MANY(GroupBoxCaptionElements, GroupBoxPositions);
  ONE(GroupBoxClient);
  MANY(GroupBoxElements, GroupBoxPositions);
  ONE(DockControlBorder);
  ONE(DockControlCaption);
  w.Color(L"DockControlCaptionNonFocusedTextColor", DockControlCaptionNonFocusedTextColor);
  ONE(DockControlHideBar);
  ONE(DockControlHideBarLeft);
  ONE(DockControlHideBarRight);
  ONE(DockControlHideBarBottom);
  ONE(DockControlHideBarButtons);
  MANY(DockControlHideBarTextColor);
  w.Integers(L"DockControlIndents", DockControlIndents);
  ONE(DockControlTabHeader);
  ONE(DockControlTabHeaderBackground);
  ONE(DockControlTabHeaderLine);
  MANY(DockControlTabTextColor);
  ONE(DockControlWindowButton);
  ONE(DockControlWindowButtonGlyphs);
  ONE(LayoutControlColor);
  ONE(PageControlButtonHorz);
  ONE(PageControlButtonVert);
  ONE(PageControlHeader);
  w.Integers(L"PageControlIndents", PageControlIndents);
  ONE(PageControlPane);
  ONE(TabTextColor);
  ONE(TabTextColorActive);
  ONE(TabTextColorDisabled);
  ONE(TabTextColorHot);
  ONE(NavBarBackgroundColor);
  MANY(NavBarGroupButtons);
  ONE(NavBarGroupClient);
  ONE(NavBarGroupHeader);
  ONE(NavBarItem);
  ONE(NavPaneCaptionFontSize);
  ONE(NavPaneCaptionHeight);
  ONE(NavPaneCollapseButton);
  ONE(NavPaneCollapsedGroupClient);
  ONE(NavPaneExpandButton);
  ONE(NavPaneFormBorder);
  ONE(NavPaneFormSizeGrip);
  MANY(NavPaneGroupButton);
  ONE(NavPaneGroupCaption);
  ONE(NavPaneGroupClient);
  ONE(NavPaneItem);
  ONE(NavPaneOffsetGroupBorders);
  ONE(NavPaneOverflowPanel);
  ONE(NavPaneOverflowPanelExpandedItem);
  ONE(NavPaneOverflowPanelItem);
  MANY(NavPaneScrollButtons);
  ONE(NavPaneSelectedItem);
  ONE(NavPaneSplitter);
  MANY(FormBorderWidths, Booleans);
  w.Integer(L"FormCaptionDelta", FormCaptionDelta);
  ONE(FormContent);
  w.Table(L"FormFrames", FormFrames, Borders);
  w.Table(L"FormIcons", FormIcons, FormIconNames);
  ONE(FormInactiveColor);
  ONE(FormStatusBar);
  ONE(FormTextShadowColor);
  ONE(SizeGrip);
  MANY(SchedulerAllDayArea);
  MANY(SchedulerAppointment);
  ONE(SchedulerAppointmentBorder);
  ONE(SchedulerAppointmentBorderSize);
  ONE(SchedulerAppointmentMask);
  MANY(SchedulerAppointmentShadow);
  ONE(SchedulerCurrentTimeIndicator);
  ONE(SchedulerMoreButton);
  ONE(SchedulerNavigatorColor);
  ONE(SchedulerTimeGridCurrentTimeIndicator);
  MANY(SchedulerTimeGridHeader);
  ONE(SchedulerTimeLine);
  ONE(SchedulerTimeRuler);
  ONE(Bar);
  ONE(BarCustomize);
  ONE(BarCustomizeVertical);
  ONE(BarDisabledTextColor);
  ONE(BarDrag);
  ONE(BarDragVertical);
  ONE(BarSeparator);
  ONE(BarVertical);
  ONE(BarVerticalSeparator);
  ONE(Dock);
  ONE(FloatingBar);
  ONE(LinkBorderPainter);
  ONE(LinkSelected);
  ONE(MainMenu);
  ONE(MainMenuCustomize);
  ONE(MainMenuDrag);
  ONE(MainMenuLinkSelected);
  ONE(MainMenuVertical);
  ONE(PopupMenu);
  ONE(PopupMenuCheck);
  ONE(PopupMenuExpandButton);
  ONE(PopupMenuLinkSelected);
  ONE(PopupMenuSeparator);
  ONE(PopupMenuSideStrip);
  ONE(PopupMenuSideStripNonRecent);
  ONE(PopupMenuSplitButton);
  ONE(PopupMenuSplitButton2);
  ONE(ScreenTipItem);
  ONE(ScreenTipSeparator);
  ONE(ScreenTipTitleItem);
  ONE(ScreenTipWindow);
  ONE(RibbonApplicationButton);
  MANY(RibbonApplicationMenuBorders);
  ONE(RibbonButtonArrow);
  ONE(RibbonButtonGroup);
  ONE(RibbonButtonGroupButton);
  ONE(RibbonButtonGroupSeparator);
  w.Colors(L"RibbonButtonText", RibbonButtonText);
  ONE(RibbonCaptionFontDelta);
  w.Colors(L"RibbonCaptionText", RibbonCaptionText);
  ONE(RibbonCollapsedToolBarBackground);
  ONE(RibbonCollapsedToolBarGlyphBackground);
  ONE(RibbonContextualTabHeader);
  w.Colors(L"RibbonContextualTabHeaderText", RibbonContextualTabHeaderText);
  w.Color(L"RibbonContextualTabHeaderTextHot", RibbonContextualTabHeaderTextHot);
  ONE(RibbonContextualTabLabel);
  ONE(RibbonContextualTabLabelOnGlass);
  ONE(RibbonContextualTabPanel);
  ONE(RibbonContextualTabSeparator);
  w.Colors(L"RibbonDocumentNameTextColor", RibbonDocumentNameTextColor);
  ONE(RibbonExtraPaneColor);
  ONE(RibbonExtraPaneHeaderSeparator);
  MANY(RibbonFormBottom);
  ONE(RibbonFormCaption);
  MANY(RibbonFormLeft);
  MANY(RibbonFormRight);
  ONE(RibbonGalleryBackground);
  ONE(RibbonGalleryButtonDown);
  ONE(RibbonGalleryButtonDropDown);
  ONE(RibbonGalleryButtonUp);
  ONE(RibbonGalleryGroupCaption);
  ONE(RibbonGalleryPane);
  ONE(RibbonGallerySizeGrips);
  ONE(RibbonGallerySizingPanel);
  MANY(RibbonGroupScroll);
  ONE(RibbonHeaderBackground);
  w.Integers(L"RibbonIndents", RibbonIndents);
  ONE(RibbonLargeButton);
  ONE(RibbonLargeSplitButtonBottom);
  ONE(RibbonLargeSplitButtonTop);
  MANY(RibbonQATCustomizeButtonOutsizeQAT);
  MANY(RibbonQATIndentBeforeCustomizeButton);
  MANY(RibbonQuickToolbar);
  ONE(RibbonQuickToolbarBelow);
  ONE(RibbonQuickToolbarButtonGlyph);
  ONE(RibbonQuickToolbarDropDown);
  ONE(RibbonQuickToolbarGlyph);
  ONE(RibbonSmallButton);
  ONE(RibbonSplitButtonLeft);
  ONE(RibbonSplitButtonRight);
  ONE(RibbonStatusBarBackground);
  ONE(RibbonStatusBarButton);
  ONE(RibbonStatusBarSeparator);
  ONE(RibbonTab);
  ONE(RibbonTabGroup);
  ONE(RibbonTabGroupHeader);
  ONE(RibbonTabGroupItemsSeparator);
  ONE(RibbonTabPanel);
  ONE(RibbonTabPanelGroupButton);
  ONE(RibbonTabSeparatorLine);
  w.Colors(L"RibbonTabText", RibbonTabText);
  w.Color(L"RibbonTabTextHot", RibbonTabTextHot);
  w.Color(L"RibbonStatusBarText", RibbonStatusBarText);
  w.Color(L"RibbonStatusBarTextHot", RibbonStatusBarTextHot);
  w.Color(L"RibbonStatusBarTextDisabled", RibbonStatusBarTextDisabled);
  ONE(CalendarDayTextColor);
  ONE(CalendarHolidayTextColor);
  ONE(CalendarInactiveDayTextColor);
  ONE(CalendarSelectedDayColor);
  ONE(CalendarSelectedDayTextColor);
  ONE(CalendarSeparatorColor);
  ONE(CalendarTodayFrameColor);
  ONE(CalendarTodayTextColor);
  ONE(PrintingPageBorder);
  ONE(PrintingPreviewBackground);
}

}  // namespace talvik
