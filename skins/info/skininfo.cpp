#include "skins/info/skininfo.h"

#include <algorithm>
#include <iterator>

#include "skins/info/skininfolookup.h"

namespace talvik {

using namespace skininfo;

bool TdxSkinScrollInfo::Draw(HDC DC, const RECT& R, int AImageIndex, TdxSkinElementState AState) {
  if (!FElement) return false;
  FElement->Draw(DC, R, AImageIndex, AState);
  return true;
}

TdxSkinInfo::TdxSkinInfo(std::unique_ptr<TdxSkin> ASkin) { SetSkin(std::move(ASkin)); }

TdxSkinInfo::~TdxSkinInfo() { SetSkin(nullptr); }

std::unique_ptr<TdxSkin> TdxSkinInfo::SetSkin(std::unique_ptr<TdxSkin> Value) {
  if (Value == FSkin) {
    Value.release();  // the same skin, already ours
    return nullptr;
  }
  std::unique_ptr<TdxSkin> previous = DetachSkin();
  FSkin = std::move(Value);
  // Listening first: the placeholders and colour adjustments of the resolution notify,
  // and the resolution they start sees the skin as it then is.
  if (FSkin) FSkin->AddListener(this);
  try {
    ResolveAll();
  } catch (...) {
    // Fields resolved before the failure point into the new skin, the others into the
    // previous one, and both go now: no skin leaves every field none.
    DetachSkin();
    ResolveAll();
    throw;
  }
  return previous;
}

std::unique_ptr<TdxSkin> TdxSkinInfo::DetachSkin() {
  if (FSkin) {
    ReleaseAll();
    FSkin->RemoveListener(this);
  }
  return std::move(FSkin);
}

void TdxSkinInfo::ReleaseAll() {
  for (auto& row : ScrollBar_Elements)
    for (auto& info : row) info.reset();
}

void TdxSkinInfo::SkinUpdated(TdxSkin* Sender) {
  ReleaseAll();
  ResolveAll();
}

// The steps run in this order because later ones read what earlier ones found.
void TdxSkinInfo::ResolveAll() {
  TdxSkin* skin = FSkin.get();
  Group_Bars = Group(skin, L"Bars");
  Group_Common = Group(skin, L"Common");
  Group_Docking = Group(skin, L"Docking");
  Group_Editors = Group(skin, L"Editors");
  Group_Ribbon = Group(skin, L"Ribbon");
  Group_Form = Group(skin, L"Form");
  Group_Grid = Group(skin, L"Grid");
  Group_Tabs = Group(skin, L"PageControl");
  Group_Scheduler = Group(skin, L"Scheduler");
  Group_VGrid = Group(skin, L"VerticalGrid");
  Group_NavBar = Group(skin, L"NavBar");
  Group_NavPane = Group(skin, L"NavPane");
  Group_PrintingSystem = Group(skin, L"PrintingSystem");

  ResolveBars();
  ResolveForm();
  ResolveDocking();

  ButtonElements = Element(Group_Common, L"Button");
  ExpandButton = Element(Group_Grid, L"PlusMinus");
  ButtonDisabled = ColorProperty(ButtonElements, L"DisabledText");

  ResolveEditors();
  ResolveGroupBox();
  ResolveGrid();
  ResolveNavigation();
  ResolveScheduler();
  ResolvePageControl();

  ProgressBarElements[0] = Element(Group_Editors, L"ProgressBorder");
  ProgressBarElements[1] = Element(Group_Editors, L"ProgressBorderVert");
  ProgressBarElements[2] = Element(Group_Editors, L"ProgressChunk");
  ProgressBarElements[3] = Element(Group_Editors, L"ProgressChunkVert");
  ProgressBarTextColors[0] = ColorProperty(Group_Editors, L"ProgressBarEmptyTextColor");
  ProgressBarTextColors[1] = ColorProperty(Group_Editors, L"ProgressBarFilledTextColor");
  RadioGroupButton = Element(Group_Editors, L"RadioButton");

  ResolveScrollBars();
  ResolveRibbon();
  ResolveMiscellaneous();
  ResolveDependentColors();
}

void TdxSkinInfo::ResolveBars() {
  TdxSkinControlGroup* g = Group_Bars;
  Bar = Element(g, L"Bar");
  BarCustomize = Element(g, L"BarCustomize");
  BarCustomizeVertical = Element(g, L"BarCustomizeVertical");
  BarDrag = Element(g, L"BarDragGrip");
  BarDragVertical = Element(g, L"BarDragGripVertical");
  BarSeparator = Element(g, L"BarSeparator");
  BarVertical = Element(g, L"BarVertical");
  BarVerticalSeparator = Element(g, L"BarSeparatorVertical");
  Dock = Element(g, L"Dock");
  FloatingBar = Element(g, L"FloatBar");
  LinkBorderPainter = Element(g, L"LinkStatic");
  LinkSelected = Element(g, L"LinkSelected");
  MainMenu = Element(g, L"MainMenu");
  MainMenuCustomize = Element(g, L"MainMenuCustomize", false);
  MainMenuDrag = Element(g, L"MainMenuDrag", false);
  MainMenuLinkSelected = Element(g, L"MainMenuLinkSelected");
  MainMenuVertical = Element(g, L"MainMenuVertical");
  PopupMenu = Element(g, L"PopupMenu");
  PopupMenuCheck = Element(g, L"PopupMenuCheck");
  PopupMenuExpandButton = Element(g, L"PopupMenuExpandButton");
  PopupMenuLinkSelected = Element(g, L"PopupMenuLinkSelected");
  PopupMenuSeparator = Element(g, L"PopupMenuSeparator");
  PopupMenuSideStrip = Element(g, L"PopupMenuSideStrip");
  PopupMenuSideStripNonRecent = Element(g, L"PopupMenuSideStripNonRecent");
  PopupMenuSplitButton = Element(g, L"PopupMenuDropDownButtonLabel");
  PopupMenuSplitButton2 = Element(g, L"PopupMenuDropDownButtonArrow");
}

void TdxSkinInfo::ResolveForm() {
  TdxSkinControlGroup* g = Group_Form;
  for (auto& row : FormIcons) std::fill(std::begin(row), std::end(row), nullptr);
  FormIcons[false][sfiClose] = Element(g, L"SmallFormButtonClose");
  FormIcons[true][sfiHelp] = Element(g, L"FormButtonHelp");
  FormIcons[true][sfiMinimize] = Element(g, L"FormButtonMinimize");
  FormIcons[true][sfiMaximize] = Element(g, L"FormButtonMaximize");
  FormIcons[true][sfiRestore] = Element(g, L"FormButtonRestore");
  FormIcons[true][sfiClose] = Element(g, L"FormButtonClose");

  for (bool ordinary : {false, true}) {
    TdxSkinElement** frames = FormFrames[ordinary];
    frames[bLeft] = Element(g, L"FormFrameLeft");
    frames[bTop] = Element(g, ordinary ? L"FormCaption" : L"SmallFormCaption");
    frames[bRight] = Element(g, L"FormFrameRight");
    frames[bBottom] = Element(g, L"FormFrameBottom");
    RECT& widths = FormBorderWidths[ordinary];
    widths = RECT{};
    if (frames[bLeft]) widths.left = frames[bLeft]->Size().cx;
    if (frames[bRight]) widths.right = frames[bRight]->Size().cx;
    if (frames[bBottom]) widths.bottom = frames[bBottom]->Size().cy;
  }
  FormStatusBar = Element(Group_Bars, L"StatusBar");
  FormContent = Element(g, L"FormContent");
  FormInactiveColor = ColorProperty(g, L"TextColorInactive");
  FormTextShadowColor = ColorProperty(g, L"TextShadowColor");
  FormCaptionDelta = std::max(1, IntegerValue(FormFrames[true][bTop], L"FontDelta", 0));
}

void TdxSkinInfo::ResolveDocking() {
  TdxSkinControlGroup* g = Group_Docking;
  DockControlBorder = Element(g, L"DockWindowBorder");
  DockControlCaption = Element(g, L"DockWindowCaption");
  DockControlHideBar = Element(g, L"AutoHideBar");
  DockControlHideBarLeft = Element(g, L"AutoHideBarLeft");
  DockControlHideBarRight = Element(g, L"AutoHideBarRight");
  DockControlHideBarBottom = Element(g, L"AutoHideBarBottom");
  DockControlHideBarButtons = Element(g, L"TabHeaderAutoHideBar");
  DockControlTabHeader = Element(g, L"TabHeader");
  DockControlTabHeaderBackground = Element(g, L"TabHeaderBackground");
  DockControlTabHeaderLine = Element(g, L"TabHeaderLine");
  DockControlWindowButton = Element(g, L"DockWindowButton");
  DockControlWindowButtonGlyphs = Element(g, L"DockWindowButtonGlyphs");
  DockControlCaptionNonFocusedTextColor = ColorValue(DockControlCaption, L"InactiveCaptionTextColor");
  std::fill(std::begin(DockControlIndents), std::end(DockControlIndents), 0);
  if (g) {
    DockControlIndents[0] = IntegerValue(g, L"ActiveTabHeaderDownGrow", 0);
    DockControlIndents[1] = IntegerValue(g, L"ActiveTabHeaderHGrow", 0);
    DockControlIndents[2] = IntegerValue(g, L"ActiveTabHeaderUpGrow", 0);
  }
}

namespace {

const wchar_t* CalcButtonColorName(TcxCalcButtonKind AKind) {
  switch (AKind) {
    case cbBack: case cbCancel: case cbClear:
      return L"CalcEditEditingOperationTextColor";
    case cbMC: case cbMR: case cbMS: case cbMP:
      return L"CalcEditMemoryOperationTextColor";
    case cbDiv: case cbMul: case cbSub: case cbAdd:
      return L"CalcEditArithmeticOperationTextColor";
    case cbSqrt: case cbPercent: case cbRev: case cbEqual: case cbNone:
      return L"CalcEditScientificOperationTextColor";
    default:
      return L"CalcEditDigitTextColor";  // the digits, the sign and the decimal point
  }
}

const wchar_t* const EditButtonGlyphNames[cxEditBtnKindCount] = {
    L"CloseButton",  L"ComboButtonGlyph",  L"EditorButton",  L"EditorButton",
    L"SpinUpGlyph", L"SpinDownGlyph", L"SpinLeftGlyph", L"SpinRightGlyph"};

}  // namespace

void TdxSkinInfo::ResolveEditors() {
  TdxSkinControlGroup* g = Group_Editors;
  FooterCell = Element(Group_Grid, L"FooterCell");
  FooterPanel = Element(Group_Grid, L"FooterPanel");
  for (int kind = 0; kind < cxCalcButtonKindCount; ++kind)
    CalcEditButtonTextColors[kind] = ColorProperty(g, CalcButtonColorName(TcxCalcButtonKind(kind)));
  CalendarDayTextColor = ColorProperty(g, L"CalendarDayTextColor");
  CalendarHolidayTextColor = ColorProperty(g, L"CalendarHolidayTextColor");
  CalendarInactiveDayTextColor = ColorProperty(g, L"CalendarInactiveDayTextColor");
  CalendarSelectedDayColor = ColorProperty(g, L"CalendarSelectedDayColor");
  CalendarSelectedDayTextColor = ColorProperty(g, L"CalendarSelectedDayTextColor");
  CalendarSeparatorColor = ColorProperty(g, L"CalendarSeparatorColor");
  CalendarTodayFrameColor = ColorProperty(g, L"CalendarTodayFrameColor");
  CalendarTodayTextColor = ColorProperty(g, L"CalendarTodayTextColor");
  CheckboxElement = Element(g, L"Checkbox");
  ClockElements[0] = Element(g, L"ClockFace");
  ClockElements[1] = Element(g, L"ClockGlass");
  LabelLine[0] = Element(g, L"LabelLine");
  LabelLine[1] = Element(g, L"LabelLineVert");
  EditButtonElements[0] = Element(g, L"EditorButton");
  EditButtonElements[1] = Element(g, L"CloseButton");
  for (int kind = 0; kind < cxEditBtnKindCount; ++kind) EditButtonGlyphs[kind] = Element(g, EditButtonGlyphNames[kind]);
}

void TdxSkinInfo::ResolveGroupBox() {
  TdxSkinControlGroup* g = Group_Common;
  GroupBoxClient = Element(g, L"GroupPanelNoBorder");
  GroupBoxElements[cxgpTop] = Element(g, L"GroupPanelTop");
  GroupBoxElements[cxgpBottom] = Element(g, L"GroupPanelBottom");
  GroupBoxElements[cxgpLeft] = Element(g, L"GroupPanelLeft");
  GroupBoxElements[cxgpRight] = Element(g, L"GroupPanelRight");
  GroupBoxElements[cxgpCenter] = Element(g, L"GroupPanel");
  GroupBoxCaptionElements[cxgpTop] = Element(g, L"GroupPanelCaptionTop");
  GroupBoxCaptionElements[cxgpBottom] = Element(g, L"GroupPanelCaptionBottom");
  GroupBoxCaptionElements[cxgpLeft] = Element(g, L"GroupPanelCaptionLeft");
  GroupBoxCaptionElements[cxgpRight] = Element(g, L"GroupPanelCaptionRight");
  GroupBoxCaptionElements[cxgpCenter] = nullptr;
}

void TdxSkinInfo::ResolveGrid() {
  TdxSkinControlGroup* g = Group_Grid;
  GridFixedLine = Element(g, L"GridFixedLine");
  CardViewSeparator = Element(g, L"CardSeparator");
  GridGroupByBox = Element(g, L"GridGroupPanel");
  // Its picture is the whole background.
  if (GridGroupByBox && !GridGroupByBox->Image()->Texture()->Empty()) GridGroupByBox->SetColor(clNone);
  GridGroupRow = Element(g, L"GroupRow");
  GridLine = Element(g, L"GridLine");
  VGridCategory = Element(Group_VGrid, L"Category");
  VGridLine[0] = Element(Group_VGrid, L"GridLine");
  VGridLine[1] = Element(Group_VGrid, L"BandBorder");
  VGridRowHeader = Element(Group_VGrid, L"RowHeader");
  IndicatorImages = Element(g, L"IndicatorImages");
}

void TdxSkinInfo::ResolveNavigation() {
  TdxSkinControlGroup* bar = Group_NavBar;
  NavBarBackgroundColor = Element(bar, L"Background");
  NavBarGroupButtons[0] = Element(bar, L"GroupOpenButton");
  NavBarGroupButtons[1] = Element(bar, L"GroupCloseButton");
  NavBarGroupClient = Element(bar, L"GroupClient");
  NavBarGroupHeader = Element(bar, L"GroupHeader");
  NavBarItem = Element(bar, L"Item");

  TdxSkinControlGroup* pane = Group_NavPane;
  NavPaneCollapseButton = Element(pane, L"CollapseButton");
  NavPaneCollapsedGroupClient = Element(pane, L"CollapsedGroupClient");
  NavPaneExpandButton = Element(pane, L"ExpandButton");
  NavPaneFormBorder = Element(pane, L"PopupBorder");
  NavPaneFormSizeGrip = Element(pane, L"PopupSizeGrip");
  NavPaneGroupButton[0] = Element(pane, L"GroupButton");
  NavPaneGroupButton[1] = Element(pane, L"GroupButtonSelected");
  NavPaneGroupCaption = Element(pane, L"Caption");
  NavPaneGroupClient = Element(pane, L"GroupClient");
  NavPaneItem = Element(pane, L"Item");
  NavPaneOverflowPanel = Element(pane, L"OverflowPanel");
  NavPaneOverflowPanelExpandedItem = Element(pane, L"OverflowPanelExpandItem");
  NavPaneOverflowPanelItem = Element(pane, L"OverflowPanelItem");
  NavPaneScrollButtons[0] = Element(pane, L"ScrollUpButton");
  NavPaneScrollButtons[1] = Element(pane, L"ScrollDownButton");
  NavPaneSelectedItem = Element(pane, L"ItemSelected");
  NavPaneSplitter = Element(pane, L"Splitter");
  NavPaneCaptionFontSize = IntegerProperty(NavPaneGroupCaption, L"FontSize");
  NavPaneCaptionHeight = IntegerProperty(NavPaneGroupCaption, L"Height");
  NavPaneOffsetGroupBorders = BooleanProperty(pane, L"OverlapGroupBorders");

  NavigatorGlyphs = Element(Group_Editors, L"Navigator");
  NavigatorGlyphsVert = Element(Group_Editors, L"NavigatorVert");
}

void TdxSkinInfo::ResolveScheduler() {
  TdxSkinControlGroup* g = Group_Scheduler;
  SchedulerAllDayArea[0] = Element(g, L"AllDayArea");
  SchedulerAllDayArea[1] = Element(g, L"AllDayAreaSelected");
  SchedulerAppointment[0] = Element(g, L"AppointmentRightBorder");
  SchedulerAppointment[1] = Element(g, L"Appointment");
  SchedulerAppointmentMask = Element(g, L"AppointmentMask");
  SchedulerAppointmentShadow[0] = Element(g, L"AppointmentBottomShadow");
  SchedulerAppointmentShadow[1] = Element(g, L"AppointmentRightShadow");
  SchedulerCurrentTimeIndicator = Element(g, L"CurrentTimeIndicator");
  SchedulerMoreButton = Element(g, L"MoreButton");
  SchedulerTimeGridCurrentTimeIndicator = Element(g, L"TimeGridCurrentTimeIndicator", false);
  SchedulerTimeGridHeader[0] = Element(g, L"TimeGridHeader");
  SchedulerTimeGridHeader[1] = Element(g, L"TimeGridHeaderSelected");
  SchedulerTimeLine = Element(g, L"DefaultTimeLine");
  SchedulerTimeRuler = Element(g, L"Ruler");
  SchedulerNavigationButtons[0] = Element(g, L"NavButtonPrev");
  SchedulerNavigationButtons[1] = Element(g, L"NavButtonNext");
  SchedulerNavigationButtonsArrow[0] = Element(g, L"NavButtonPrevArrow");
  SchedulerNavigationButtonsArrow[1] = Element(g, L"NavButtonNextArrow");
  SchedulerAppointmentBorder = ColorProperty(SchedulerAppointment[1], L"SeparatorColor");
  SchedulerAppointmentBorderSize = IntegerProperty(SchedulerAppointment[1], L"BorderSize");

  Header = Element(Group_Common, L"Header");
  HeaderSpecial = Element(Group_Common, L"HeaderSpecial");
  FilterButtons[0] = Element(Group_Grid, L"FilterButton");
  FilterButtons[1] = Element(Group_Grid, L"FilterButtonActive");
  FilterPanel = Element(Group_Grid, L"GridFilterPanel");
}

void TdxSkinInfo::ResolvePageControl() {
  TdxSkinControlGroup* g = Group_Tabs;
  PageControlHeader = Element(g, L"TabHeader");
  PageControlButtonHorz = Element(g, L"TabButtonHorz");
  PageControlButtonVert = Element(g, L"TabButtonVert");
  // Tab buttons sit on the form's content and take its colour.
  if (FormContent)
    for (TdxSkinElement* button : {PageControlButtonHorz, PageControlButtonVert})
      if (button) button->SetColor(FormContent->Color());
  PageControlPane = Element(g, L"TabPane");
  std::fill(std::begin(PageControlIndents), std::end(PageControlIndents), 0);
  if (g) {
    PageControlIndents[0] = IntegerValue(g, L"RowIndentFar", 0);
    PageControlIndents[1] = IntegerValue(g, L"RowIndentNear", 0);
    PageControlIndents[2] = IntegerValue(g, L"SelectedHeaderDownGrow", 0);
    PageControlIndents[3] = IntegerValue(g, L"SelectedHeaderHGrow", 0);
    PageControlIndents[4] = IntegerValue(g, L"SelectedHeaderUpGrow", 0);
    PageControlIndents[5] = IntegerValue(g, L"HeaderDownGrow", 0);
  }
}

void TdxSkinInfo::ResolveScrollBars() {
  TdxSkinControlGroup* g = Group_Common;
  TdxSkinElement* button = Element(g, L"ScrollButton");
  if (button && FormContent) button->SetColor(FormContent->Color());
  struct Entry {
    bool Horizontal;
    TcxScrollBarPart Part;
    const wchar_t* Element;
    int ImageIndex;
  };
  static const Entry entries[] = {
      {false, sbpLineUp, L"ScrollButton", 0},          {false, sbpLineDown, L"ScrollButton", 1},
      {true, sbpLineUp, L"ScrollButton", 2},           {true, sbpLineDown, L"ScrollButton", 3},
      {false, sbpThumbnail, L"ScrollThumbVert", 0},    {true, sbpThumbnail, L"ScrollThumbHorz", 0},
      {false, sbpPageUp, L"ScrollContentVert", 0},     {false, sbpPageDown, L"ScrollContentVert", 0},
      {true, sbpPageUp, L"ScrollContentHorz", 0},      {true, sbpPageDown, L"ScrollContentHorz", 0}};
  for (const Entry& e : entries) {
    std::unique_ptr<TdxSkinScrollInfo>& info = ScrollBar_Elements[e.Horizontal][e.Part];
    info.reset();
    TdxSkinElement* element = Element(g, e.Element);
    // The lookup above may have run a whole nested resolution; this entry is set after it.
    if (FSkin) info = std::make_unique<TdxSkinScrollInfo>(element, e.ImageIndex, e.Part);
  }
}

void TdxSkinInfo::ResolveRibbon() {
  TdxSkinControlGroup* g = Group_Ribbon;
  RibbonApplicationButton = Element(g, L"FormAppButton");
  RibbonApplicationMenuBorders[0] = Element(g, L"AppMenuBackground");
  RibbonApplicationMenuBorders[1] = Element(g, L"AppMenuBackgroundBottom");
  RibbonButtonArrow = Element(g, L"ButtonArrow");
  RibbonButtonGroup = Element(g, L"ButtonGroup");
  RibbonButtonGroupButton = Element(g, L"ButtonGroupButton");
  RibbonButtonGroupSeparator = Element(g, L"ButtonGroupSeparator");
  RibbonCollapsedToolBarBackground = Element(g, L"TabGroupCollapsed");
  RibbonCollapsedToolBarGlyphBackground = Element(g, L"TabGroupCollapsedBox");
  RibbonContextualTabHeader = Element(g, L"ContextualTabHeader");
  RibbonContextualTabLabel = Element(g, L"ContextualTabLabel");
  RibbonContextualTabLabelOnGlass = Element(g, L"ContextualTabLabelOnGlass");
  RibbonContextualTabPanel = Element(g, L"ContextualTabPanel");
  RibbonContextualTabSeparator = Element(g, L"ContextualTabSeparator");
  RibbonFormBottom[0] = Element(g, L"FormFrameBottom");
  RibbonFormBottom[1] = Element(g, L"DialogFrameBottom");
  RibbonFormCaption = Element(g, L"FormCaption");
  RibbonFormLeft[0] = Element(g, L"FormFrameLeft");
  RibbonFormLeft[1] = Element(g, L"DialogFrameLeft");
  RibbonFormRight[0] = Element(g, L"FormFrameRight");
  RibbonFormRight[1] = Element(g, L"DialogFrameRight");
  RibbonGalleryBackground = Element(g, L"DropDownGalleryBackground");
  RibbonGalleryButtonDown = Element(g, L"InRibbonGalleryButtonDown");
  RibbonGalleryButtonDropDown = Element(g, L"InRibbonGalleryButtonDropDown");
  RibbonGalleryButtonUp = Element(g, L"InRibbonGalleryButtonUp");
  RibbonGalleryGroupCaption = Element(g, L"DropDownGalleryGroupHeader");
  RibbonGalleryPane = Element(g, L"InRibbonGalleryPane");
  RibbonGallerySizeGrips = Element(g, L"DropDownGallerySizeGrip");
  RibbonGallerySizingPanel = Element(g, L"DropDownGallerySizePanel");
  RibbonGroupScroll[0] = Element(g, L"TabGroupRightScrollButton");
  RibbonGroupScroll[1] = Element(g, L"TabGroupLeftScrollButton");
  RibbonHeaderBackground = Element(g, L"TabBackground");
  RibbonLargeButton = Element(g, L"LargeButton");
  RibbonLargeSplitButtonBottom = Element(g, L"LargeSplitButtonBottom");
  RibbonLargeSplitButtonTop = Element(g, L"LargeSplitButtonTop");
  RibbonQuickToolbar[0] = Element(g, L"QATAboveBackground");
  RibbonQuickToolbar[1] = Element(g, L"QATInRibbonBackground");
  RibbonQuickToolbarBelow = Element(g, L"QATBelowBackground");
  RibbonQuickToolbarButtonGlyph = Element(g, L"QATButtonGlyph");
  RibbonQuickToolbarDropDown = Element(g, L"QATOverflow");
  RibbonQuickToolbarGlyph = Element(g, L"QATCustomizeButton");
  RibbonSmallButton = Element(g, L"Button");
  RibbonSplitButtonLeft = Element(g, L"SplitButtonLeft");
  RibbonSplitButtonRight = Element(g, L"SplitButtonRight");
  RibbonStatusBarBackground = Element(g, L"StatusBarBackground");
  RibbonStatusBarButton = Element(g, L"StatusBarButton");
  RibbonStatusBarSeparator = Element(g, L"StatusBarSeparator");
  RibbonTab = Element(g, L"Tab");
  RibbonTabGroup = Element(g, L"TabGroup");
  RibbonTabGroupHeader = Element(g, L"TabGroupCaption");
  RibbonTabGroupItemsSeparator = Element(g, L"TabGroupItemsSeparator");
  RibbonTabPanel = Element(g, L"TabPanel");
  RibbonTabPanelGroupButton = Element(g, L"TabGroupButton");
  RibbonTabSeparatorLine = Element(g, L"TabSeparatorLine");

  for (int i = 0; i < 2; ++i) {
    RibbonQATCustomizeButtonOutsizeQAT[i] = BooleanProperty(RibbonQuickToolbar[i], L"DisplayCustomizeButtonOutsideQAT");
    RibbonQATIndentBeforeCustomizeButton[i] = IntegerProperty(RibbonQuickToolbar[i], L"IndentBeforeCustomizeButton");
  }
  std::fill(std::begin(RibbonIndents), std::end(RibbonIndents), 0);
  if (g) {
    RibbonIndents[0] = IntegerValue(RibbonApplicationButton, L"RightIndent", 0);
    RibbonIndents[1] = IntegerValue(RibbonQuickToolbar[1], L"Offset", 0);
    RibbonIndents[2] = IntegerValue(g, L"TabHeaderDownGrow", 1);
    RibbonIndents[3] = IntegerValue(g, L"SpaceBetweenTabGroups", 1);
  }
  RibbonCaptionFontDelta = IntegerProperty(RibbonFormCaption, L"FontDelta");
  ResolveRibbonColors();
}

void TdxSkinInfo::ResolveRibbonColors() {
  RibbonButtonText[0] = TextColorOf(RibbonSmallButton);
  RibbonButtonText[1] = ColorValue(Group_Ribbon, L"ButtonDisabled");
  RibbonCaptionText[0] = ColorValue(RibbonFormCaption, L"TextColorInactive");
  RibbonCaptionText[1] = TextColorOf(RibbonFormCaption);
  RibbonContextualTabHeaderText[0] = TextColorOf(RibbonContextualTabHeader);
  RibbonContextualTabHeaderText[1] = ColorValue(RibbonContextualTabHeader, L"TextColorSelected");
  RibbonContextualTabHeaderTextHot = ColorValue(RibbonContextualTabHeader, L"TextColorHot");
  RibbonDocumentNameTextColor[0] = RibbonCaptionText[0];
  RibbonDocumentNameTextColor[1] = ColorValue(RibbonFormCaption, L"DocumentNameTextColor");
  RibbonExtraPaneColor = ColorProperty(Group_Ribbon, L"AppMenuExtraPaneColor");
  RibbonExtraPaneHeaderSeparator = ColorProperty(Group_Ribbon, L"AppMenuExtraPaneHeaderSeparator");
  RibbonTabText[0] = TextColorOf(RibbonTab);
  RibbonTabText[1] = ColorValue(RibbonTab, L"TextColorSelected");
  RibbonTabTextHot = ColorValue(RibbonTab, L"TextColorHot");
  RibbonStatusBarText = ColorValue(RibbonStatusBarButton, L"TextColor");
  RibbonStatusBarTextHot = ColorValue(RibbonStatusBarButton, L"TextColorHot");
  RibbonStatusBarTextDisabled = ColorValue(RibbonStatusBarButton, L"TextColorDisabled");
}

void TdxSkinInfo::ResolveMiscellaneous() {
  SizeGrip = Element(Group_Common, L"SizeGrip");
  Splitter[0] = Element(Group_Common, L"Splitter");
  Splitter[1] = Element(Group_Common, L"SplitterHorz");
  static const wchar_t* const thumbs[] = {L"TrackBarThumbVertUp", L"TrackBarThumbVert", L"TrackBarThumbVertBoth",
                                          L"TrackBarThumbUp",     L"TrackBarThumb",     L"TrackBarThumbBoth"};
  for (int i = 0; i < 6; ++i) TrackBarThumb[i] = Element(Group_Editors, thumbs[i]);
  TrackBarTrack[0] = Element(Group_Editors, L"TrackBarTrackVert");
  TrackBarTrack[1] = Element(Group_Editors, L"TrackBarTrack");
  ScreenTipSeparator = Element(Group_Bars, L"ScreenTipSeparator");
  ScreenTipWindow = Element(Group_Bars, L"ScreenTipWindow");
  ScreenTipItem = ColorProperty(ScreenTipWindow, L"ScreenTipItem");
  ScreenTipTitleItem = ColorProperty(ScreenTipWindow, L"ScreenTipTitleItem");
  PrintingPageBorder = Element(Group_PrintingSystem, L"PageBorder");
  PrintingPreviewBackground = Element(Group_PrintingSystem, L"PreviewBackground");
}

void TdxSkinInfo::ResolveDependentColors() {
  BarDisabledTextColor = ColorProperty(Group_Bars, L"DisabledTextColor");
  DockControlTabTextColor[0] = ColorProperty(Group_Docking, L"TabHeaderTextColor");
  DockControlTabTextColor[1] = ColorProperty(Group_Docking, L"TabHeaderTextColorActive");
  SchedulerNavigatorColor = ColorProperty(Group_Scheduler, L"NavigatorColor");
  TabTextColor = ColorProperty(PageControlHeader, L"TextColor");
  TabTextColorActive = ColorProperty(PageControlHeader, L"TextColorSelected");
  TabTextColorDisabled = ColorProperty(PageControlHeader, L"TextColorDisabled");
  TabTextColorHot = ColorProperty(PageControlHeader, L"TextColorHot");
  HyperLinkTextColor = ColorProperty(Group_Editors, L"HyperLinkTextColor");
  static const wchar_t* const text[] = {L"TextColor", L"TextDisabledColor", L"TextInactiveColor", L"TextReadOnlyColor"};
  static const wchar_t* const background[] = {L"BackgroundColor", L"BackgroundDisabledColor",
                                              L"BackgroundInactiveColor", L"BackgroundReadOnlyColor"};
  for (int kind = 0; kind < cxEditStateColorKindCount; ++kind) EditorTextColors[kind] = ColorProperty(Group_Editors, text[kind]);
  for (int kind = 0; kind < cxEditStateColorKindCount; ++kind)
    EditorBackgroundColors[kind] = ColorProperty(Group_Editors, background[kind]);

  // Without a skin these end up none, like every other reference.
  TdxSkin* skin = FSkin.get();
  ContentEvenColor = SkinColor(skin, L"ContentEvenColor");
  ContentOddColor = SkinColor(skin, L"ContentOddColor");
  ContentTextColor = SkinColor(skin, L"ContentTextColor");
  HeaderBackgroundColor = SkinColor(skin, L"HeaderBackgroundColor");
  HeaderBackgroundTextColor = SkinColor(skin, L"HeaderBackgroundTextColor");
  SelectionColor = SkinColor(skin, L"SelectionColor");
  SelectionTextColor = SkinColor(skin, L"SelectionTextColor");
  ContainerBorderColor = SkinColor(skin, L"ContainerBorderColor");
  ContainerHighlightBorderColor = SkinColor(skin, L"ContainerHighlightBorderColor");
  ContentColor = SkinColor(skin, L"ContentColor");
  DockControlHideBarTextColor[0] = SkinColor(skin, L"DockControlHiddenBarTextColor");
  DockControlHideBarTextColor[1] = SkinColor(skin, L"DockControlHiddenBarTextHotColor");
  LayoutControlColor = SkinColor(skin, L"LayoutControlColor");
}

}  // namespace talvik
