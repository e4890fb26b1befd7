// The elements, colours and properties of one skin, looked up once by name so
// that painters and skinned windows draw through fields instead of names.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "lookandfeel/lookandfeeltypes.h"
#include "skins/model/skin.h"

namespace talvik {

enum TdxSkinFormIcon { sfiMenu, sfiHelp, sfiMinimize, sfiMaximize, sfiRestore, sfiClose };
constexpr int dxSkinFormIconCount = 6;
using TdxSkinFormIcons = uint8_t;  // bit n = TdxSkinFormIcon n

// One scroll bar part: its element and the image variant it draws by default.
class TdxSkinScrollInfo {
public:
  TdxSkinScrollInfo(TdxSkinElement* AElement, int AImageIndex, TcxScrollBarPart APart)
      : FElement(AElement), FImageIndex(AImageIndex) {}
  TdxSkinElement* Element() const { return FElement; }
  int ImageIndex() const { return FImageIndex; }
  // False, drawing nothing, without an element.
  bool Draw(HDC DC, const RECT& R, int AImageIndex, TdxSkinElementState AState);
  bool Draw(HDC DC, const RECT& R, TdxSkinElementState AState) { return Draw(DC, R, FImageIndex, AState); }

private:
  TdxSkinElement* FElement;
  int FImageIndex;
};

// A field's name with its indices, as in "FormFrames" with "true" and "bTop".
struct TdxSkinInfoField {
  const wchar_t* Name;
  const wchar_t* Index[2] = {nullptr, nullptr};
  // "FormFrames[true][bTop]".
  std::wstring FullName() const;
};

// Told every field of an info in the order the fields are declared; values may be none.
class TdxSkinInfoVisitor {
public:
  virtual ~TdxSkinInfoVisitor() = default;
  virtual void Group(const TdxSkinInfoField& AField, TdxSkinControlGroup* AValue) {}
  virtual void Element(const TdxSkinInfoField& AField, TdxSkinElement* AValue) {}
  virtual void ColorProperty(const TdxSkinInfoField& AField, TdxSkinColor* AValue) {}
  virtual void IntegerProperty(const TdxSkinInfoField& AField, TdxSkinIntegerProperty* AValue) {}
  virtual void BooleanProperty(const TdxSkinInfoField& AField, TdxSkinBooleanProperty* AValue) {}
  virtual void ColorValue(const TdxSkinInfoField& AField, TColor AValue) {}
  virtual void Integer(const TdxSkinInfoField& AField, int AValue) {}
  virtual void Rect(const TdxSkinInfoField& AField, const RECT& AValue) {}
  virtual void ScrollInfo(const TdxSkinInfoField& AField, TdxSkinScrollInfo* AValue) {}
};

// Owns its skin and listens to it: every change of the skin resolves the fields again,
// so read them when drawing and do not keep them.
class TdxSkinInfo : public IdxSkinChangeListener {
public:
  // Takes the skin and resolves everything.
  explicit TdxSkinInfo(std::unique_ptr<TdxSkin> ASkin);
  ~TdxSkinInfo() override;
  TdxSkinInfo(const TdxSkinInfo&) = delete;
  TdxSkinInfo& operator=(const TdxSkinInfo&) = delete;

  TdxSkin* Skin() const { return FSkin.get(); }
  // Takes Value, resolves everything against it and hands back the skin it had. When
  // the resolution fails, both skins are freed and the info is left without a skin.
  std::unique_ptr<TdxSkin> SetSkin(std::unique_ptr<TdxSkin> Value);

  // Missing groups and elements are added to the skin as placeholders; a property of
  // an unexpected class under an expected name fails with EInvalidCast.
  virtual void ResolveAll();
  // Frees the scroll infos.
  virtual void ReleaseAll();
  void SkinUpdated(TdxSkin* Sender) override;

  // Every field below, in declaration order.
  void EnumFields(TdxSkinInfoVisitor& AVisitor) const;

  TdxSkinControlGroup* Group_Bars = nullptr;
  TdxSkinControlGroup* Group_Common = nullptr;
  TdxSkinControlGroup* Group_Docking = nullptr;
  TdxSkinControlGroup* Group_Editors = nullptr;
  TdxSkinControlGroup* Group_Form = nullptr;
  TdxSkinControlGroup* Group_Grid = nullptr;
  TdxSkinControlGroup* Group_NavBar = nullptr;
  TdxSkinControlGroup* Group_NavPane = nullptr;
  TdxSkinControlGroup* Group_PrintingSystem = nullptr;
  TdxSkinControlGroup* Group_Ribbon = nullptr;
  TdxSkinControlGroup* Group_Scheduler = nullptr;
  TdxSkinControlGroup* Group_Tabs = nullptr;
  TdxSkinControlGroup* Group_VGrid = nullptr;
  TdxSkinElement* CardViewSeparator = nullptr;
  TdxSkinElement* ClockElements[2] = {};
  TdxSkinElement* CheckboxElement = nullptr;
  TdxSkinElement* EditButtonElements[2] = {};
  TdxSkinElement* EditButtonGlyphs[cxEditBtnKindCount] = {};
  TdxSkinElement* GridGroupByBox = nullptr;
  TdxSkinElement* GridGroupRow = nullptr;
  TdxSkinElement* GridLine = nullptr;
  TdxSkinElement* GridFixedLine = nullptr;
  TdxSkinElement* IndicatorImages = nullptr;
  TdxSkinElement* NavigatorGlyphs = nullptr;
  TdxSkinElement* NavigatorGlyphsVert = nullptr;
  TdxSkinElement* RadioGroupButton = nullptr;
  TdxSkinElement* Splitter[2] = {};
  TdxSkinElement* TrackBarThumb[6] = {};
  TdxSkinElement* TrackBarTrack[2] = {};
  TdxSkinElement* VGridCategory = nullptr;
  TdxSkinElement* VGridLine[2] = {};
  TdxSkinElement* VGridRowHeader = nullptr;
  TdxSkinColor* CalcEditButtonTextColors[cxCalcButtonKindCount] = {};
  TdxSkinColor* ContentEvenColor = nullptr;
  TdxSkinColor* ContentOddColor = nullptr;
  TdxSkinColor* ContentTextColor = nullptr;
  TdxSkinColor* HeaderBackgroundColor = nullptr;
  TdxSkinColor* HeaderBackgroundTextColor = nullptr;
  TdxSkinColor* SelectionColor = nullptr;
  TdxSkinColor* SelectionTextColor = nullptr;
  TdxSkinElement* ExpandButton = nullptr;
  TdxSkinElement* FooterCell = nullptr;
  TdxSkinElement* FooterPanel = nullptr;
  TdxSkinElement* Header = nullptr;
  TdxSkinElement* HeaderSpecial = nullptr;
  TdxSkinElement* FilterButtons[2] = {};
  TdxSkinElement* FilterPanel = nullptr;
  TdxSkinElement* SchedulerNavigationButtons[2] = {};
  TdxSkinElement* SchedulerNavigationButtonsArrow[2] = {};
  TdxSkinColor* ButtonDisabled = nullptr;
  TdxSkinElement* ButtonElements = nullptr;
  TdxSkinColor* ContainerBorderColor = nullptr;
  TdxSkinColor* ContainerHighlightBorderColor = nullptr;
  TdxSkinColor* ContentColor = nullptr;
  TdxSkinColor* EditorBackgroundColors[cxEditStateColorKindCount] = {};
  TdxSkinColor* EditorTextColors[cxEditStateColorKindCount] = {};
  TdxSkinColor* HyperLinkTextColor = nullptr;
  TdxSkinElement* ProgressBarElements[4] = {};
  TdxSkinColor* ProgressBarTextColors[2] = {};
  // [horizontal][part]; sbpNone stays none.
  std::unique_ptr<TdxSkinScrollInfo> ScrollBar_Elements[2][cxScrollBarPartCount];
  TdxSkinElement* LabelLine[2] = {};
  TdxSkinElement* GroupBoxCaptionElements[cxGroupBoxCaptionPositionCount] = {};
  TdxSkinElement* GroupBoxClient = nullptr;
  TdxSkinElement* GroupBoxElements[cxGroupBoxCaptionPositionCount] = {};
  TdxSkinElement* DockControlBorder = nullptr;
  TdxSkinElement* DockControlCaption = nullptr;
  TColor DockControlCaptionNonFocusedTextColor = clDefault;
  TdxSkinElement* DockControlHideBar = nullptr;
  TdxSkinElement* DockControlHideBarLeft = nullptr;
  TdxSkinElement* DockControlHideBarRight = nullptr;
  TdxSkinElement* DockControlHideBarBottom = nullptr;
  TdxSkinElement* DockControlHideBarButtons = nullptr;
  TdxSkinColor* DockControlHideBarTextColor[2] = {};
  int DockControlIndents[3] = {};
  TdxSkinElement* DockControlTabHeader = nullptr;
  TdxSkinElement* DockControlTabHeaderBackground = nullptr;
  TdxSkinElement* DockControlTabHeaderLine = nullptr;
  TdxSkinColor* DockControlTabTextColor[2] = {};
  TdxSkinElement* DockControlWindowButton = nullptr;
  TdxSkinElement* DockControlWindowButtonGlyphs = nullptr;
  TdxSkinColor* LayoutControlColor = nullptr;
  TdxSkinElement* PageControlButtonHorz = nullptr;
  TdxSkinElement* PageControlButtonVert = nullptr;
  TdxSkinElement* PageControlHeader = nullptr;
  int PageControlIndents[6] = {};
  TdxSkinElement* PageControlPane = nullptr;
  TdxSkinColor* TabTextColor = nullptr;
  TdxSkinColor* TabTextColorActive = nullptr;
  TdxSkinColor* TabTextColorDisabled = nullptr;
  TdxSkinColor* TabTextColorHot = nullptr;
  TdxSkinElement* NavBarBackgroundColor = nullptr;
  TdxSkinElement* NavBarGroupButtons[2] = {};
  TdxSkinElement* NavBarGroupClient = nullptr;
  TdxSkinElement* NavBarGroupHeader = nullptr;
  TdxSkinElement* NavBarItem = nullptr;
  TdxSkinIntegerProperty* NavPaneCaptionFontSize = nullptr;
  TdxSkinIntegerProperty* NavPaneCaptionHeight = nullptr;
  TdxSkinElement* NavPaneCollapseButton = nullptr;
  TdxSkinElement* NavPaneCollapsedGroupClient = nullptr;
  TdxSkinElement* NavPaneExpandButton = nullptr;
  TdxSkinElement* NavPaneFormBorder = nullptr;
  TdxSkinElement* NavPaneFormSizeGrip = nullptr;
  TdxSkinElement* NavPaneGroupButton[2] = {};
  TdxSkinElement* NavPaneGroupCaption = nullptr;
  TdxSkinElement* NavPaneGroupClient = nullptr;
  TdxSkinElement* NavPaneItem = nullptr;
  TdxSkinBooleanProperty* NavPaneOffsetGroupBorders = nullptr;
  TdxSkinElement* NavPaneOverflowPanel = nullptr;
  TdxSkinElement* NavPaneOverflowPanelExpandedItem = nullptr;
  TdxSkinElement* NavPaneOverflowPanelItem = nullptr;
  TdxSkinElement* NavPaneScrollButtons[2] = {};
  TdxSkinElement* NavPaneSelectedItem = nullptr;
  TdxSkinElement* NavPaneSplitter = nullptr;
  // [ordinary window]: left, 0, right, bottom frame widths.
  RECT FormBorderWidths[2] = {};
  int FormCaptionDelta = 1;
  TdxSkinElement* FormContent = nullptr;
  // [ordinary window][side]; tool windows use the small caption.
  TdxSkinElement* FormFrames[2][4] = {};
  TdxSkinElement* FormIcons[2][dxSkinFormIconCount] = {};
  TdxSkinColor* FormInactiveColor = nullptr;
  TdxSkinElement* FormStatusBar = nullptr;
  TdxSkinColor* FormTextShadowColor = nullptr;
  TdxSkinElement* SizeGrip = nullptr;
  TdxSkinElement* SchedulerAllDayArea[2] = {};
  TdxSkinElement* SchedulerAppointment[2] = {};
  TdxSkinColor* SchedulerAppointmentBorder = nullptr;
  TdxSkinIntegerProperty* SchedulerAppointmentBorderSize = nullptr;
  TdxSkinElement* SchedulerAppointmentMask = nullptr;
  TdxSkinElement* SchedulerAppointmentShadow[2] = {};
  TdxSkinElement* SchedulerCurrentTimeIndicator = nullptr;
  TdxSkinElement* SchedulerMoreButton = nullptr;
  TdxSkinColor* SchedulerNavigatorColor = nullptr;
  TdxSkinElement* SchedulerTimeGridCurrentTimeIndicator = nullptr;
  TdxSkinElement* SchedulerTimeGridHeader[2] = {};
  TdxSkinElement* SchedulerTimeLine = nullptr;
  TdxSkinElement* SchedulerTimeRuler = nullptr;
  TdxSkinElement* Bar = nullptr;
  TdxSkinElement* BarCustomize = nullptr;
  TdxSkinElement* BarCustomizeVertical = nullptr;
  TdxSkinColor* BarDisabledTextColor = nullptr;
  TdxSkinElement* BarDrag = nullptr;
  TdxSkinElement* BarDragVertical = nullptr;
  TdxSkinElement* BarSeparator = nullptr;
  TdxSkinElement* BarVertical = nullptr;
  TdxSkinElement* BarVerticalSeparator = nullptr;
  TdxSkinElement* Dock = nullptr;
  TdxSkinElement* FloatingBar = nullptr;
  TdxSkinElement* LinkBorderPainter = nullptr;
  TdxSkinElement* LinkSelected = nullptr;
  TdxSkinElement* MainMenu = nullptr;
  TdxSkinElement* MainMenuCustomize = nullptr;
  TdxSkinElement* MainMenuDrag = nullptr;
  TdxSkinElement* MainMenuLinkSelected = nullptr;
  TdxSkinElement* MainMenuVertical = nullptr;
  TdxSkinElement* PopupMenu = nullptr;
  TdxSkinElement* PopupMenuCheck = nullptr;
  TdxSkinElement* PopupMenuExpandButton = nullptr;
  TdxSkinElement* PopupMenuLinkSelected = nullptr;
  TdxSkinElement* PopupMenuSeparator = nullptr;
  TdxSkinElement* PopupMenuSideStrip = nullptr;
  TdxSkinElement* PopupMenuSideStripNonRecent = nullptr;
  TdxSkinElement* PopupMenuSplitButton = nullptr;
  TdxSkinElement* PopupMenuSplitButton2 = nullptr;
  TdxSkinColor* ScreenTipItem = nullptr;
  TdxSkinElement* ScreenTipSeparator = nullptr;
  TdxSkinColor* ScreenTipTitleItem = nullptr;
  TdxSkinElement* ScreenTipWindow = nullptr;
  TdxSkinElement* RibbonApplicationButton = nullptr;
  TdxSkinElement* RibbonApplicationMenuBorders[2] = {};
  TdxSkinElement* RibbonButtonArrow = nullptr;
  TdxSkinElement* RibbonButtonGroup = nullptr;
  TdxSkinElement* RibbonButtonGroupButton = nullptr;
  TdxSkinElement* RibbonButtonGroupSeparator = nullptr;
  TColor RibbonButtonText[2] = {clDefault, clDefault};
  TdxSkinIntegerProperty* RibbonCaptionFontDelta = nullptr;
  TColor RibbonCaptionText[2] = {clDefault, clDefault};
  TdxSkinElement* RibbonCollapsedToolBarBackground = nullptr;
  TdxSkinElement* RibbonCollapsedToolBarGlyphBackground = nullptr;
  TdxSkinElement* RibbonContextualTabHeader = nullptr;
  TColor RibbonContextualTabHeaderText[2] = {clDefault, clDefault};
  TColor RibbonContextualTabHeaderTextHot = clDefault;
  TdxSkinElement* RibbonContextualTabLabel = nullptr;
  TdxSkinElement* RibbonContextualTabLabelOnGlass = nullptr;
  TdxSkinElement* RibbonContextualTabPanel = nullptr;
  TdxSkinElement* RibbonContextualTabSeparator = nullptr;
  TColor RibbonDocumentNameTextColor[2] = {clDefault, clDefault};
  TdxSkinColor* RibbonExtraPaneColor = nullptr;
  TdxSkinColor* RibbonExtraPaneHeaderSeparator = nullptr;
  TdxSkinElement* RibbonFormBottom[2] = {};
  TdxSkinElement* RibbonFormCaption = nullptr;
  TdxSkinElement* RibbonFormLeft[2] = {};
  TdxSkinElement* RibbonFormRight[2] = {};
  TdxSkinElement* RibbonGalleryBackground = nullptr;
  TdxSkinElement* RibbonGalleryButtonDown = nullptr;
  TdxSkinElement* RibbonGalleryButtonDropDown = nullptr;
  TdxSkinElement* RibbonGalleryButtonUp = nullptr;
  TdxSkinElement* RibbonGalleryGroupCaption = nullptr;
  TdxSkinElement* RibbonGalleryPane = nullptr;
  TdxSkinElement* RibbonGallerySizeGrips = nullptr;
  TdxSkinElement* RibbonGallerySizingPanel = nullptr;
  TdxSkinElement* RibbonGroupScroll[2] = {};
  TdxSkinElement* RibbonHeaderBackground = nullptr;
  int RibbonIndents[4] = {};
  TdxSkinElement* RibbonLargeButton = nullptr;
  TdxSkinElement* RibbonLargeSplitButtonBottom = nullptr;
  TdxSkinElement* RibbonLargeSplitButtonTop = nullptr;
  TdxSkinBooleanProperty* RibbonQATCustomizeButtonOutsizeQAT[2] = {};
  TdxSkinIntegerProperty* RibbonQATIndentBeforeCustomizeButton[2] = {};
  TdxSkinElement* RibbonQuickToolbar[2] = {};
  TdxSkinElement* RibbonQuickToolbarBelow = nullptr;
  TdxSkinElement* RibbonQuickToolbarButtonGlyph = nullptr;
  TdxSkinElement* RibbonQuickToolbarDropDown = nullptr;
  TdxSkinElement* RibbonQuickToolbarGlyph = nullptr;
  TdxSkinElement* RibbonSmallButton = nullptr;
  TdxSkinElement* RibbonSplitButtonLeft = nullptr;
  TdxSkinElement* RibbonSplitButtonRight = nullptr;
  TdxSkinElement* RibbonStatusBarBackground = nullptr;
  TdxSkinElement* RibbonStatusBarButton = nullptr;
  TdxSkinElement* RibbonStatusBarSeparator = nullptr;
  TdxSkinElement* RibbonTab = nullptr;
  TdxSkinElement* RibbonTabGroup = nullptr;
  TdxSkinElement* RibbonTabGroupHeader = nullptr;
  TdxSkinElement* RibbonTabGroupItemsSeparator = nullptr;
  TdxSkinElement* RibbonTabPanel = nullptr;
  TdxSkinElement* RibbonTabPanelGroupButton = nullptr;
  TdxSkinElement* RibbonTabSeparatorLine = nullptr;
  TColor RibbonTabText[2] = {clDefault, clDefault};
  TColor RibbonTabTextHot = clDefault;
  TColor RibbonStatusBarText = clDefault;
  TColor RibbonStatusBarTextHot = clDefault;
  TColor RibbonStatusBarTextDisabled = clDefault;
  TdxSkinColor* CalendarDayTextColor = nullptr;
  TdxSkinColor* CalendarHolidayTextColor = nullptr;
  TdxSkinColor* CalendarInactiveDayTextColor = nullptr;
  TdxSkinColor* CalendarSelectedDayColor = nullptr;
  TdxSkinColor* CalendarSelectedDayTextColor = nullptr;
  TdxSkinColor* CalendarSeparatorColor = nullptr;
  TdxSkinColor* CalendarTodayFrameColor = nullptr;
  TdxSkinColor* CalendarTodayTextColor = nullptr;
  TdxSkinElement* PrintingPageBorder = nullptr;
  TdxSkinElement* PrintingPreviewBackground = nullptr;

private:
  // Stops listening to the skin and gives it up, its scroll infos freed.
  std::unique_ptr<TdxSkin> DetachSkin();
  void ResolveBars();
  void ResolveForm();
  void ResolveDocking();
  void ResolveEditors();
  void ResolveGroupBox();
  void ResolveGrid();
  void ResolveNavigation();
  void ResolveScheduler();
  void ResolvePageControl();
  void ResolveScrollBars();
  void ResolveRibbon();
  void ResolveRibbonColors();
  void ResolveMiscellaneous();
  void ResolveDependentColors();

  std::unique_ptr<TdxSkin> FSkin;
};

}  // namespace talvik
