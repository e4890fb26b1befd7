#include "lookandfeel/painter.h"

namespace talvik {

TcxCustomLookAndFeelPainterClass TcxCustomLookAndFeelPainter::Instance() { static const TcxCustomLookAndFeelPainter p; return &p; }
void TcxCustomLookAndFeelPainter::CalculateArrowPoints(const RECT&, TcxArrowPoints& P, TcxArrowDirection, bool, int) { P = {}; }
void TcxCustomLookAndFeelPainter::DrawButtonCross(TcxCanvas*, const RECT&, TColor, TcxButtonState) const {}
void TcxCustomLookAndFeelPainter::DrawFooterPanel(TcxCanvas*, const RECT&, const TcxViewParams&) const {}
TcxArrowDirection ScrollBarLineArrowDirection(bool AHorizontal, TcxScrollBarPart APart) { return adUp; }
void TcxCustomLookAndFeelPainter::FillAreaBackground(TcxCanvas* ACanvas, const RECT& ARect, TColor AColor, TBitmap* ABitmap) const {  }
void TcxCustomLookAndFeelPainter::DrawFilterArrow(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {  }
void TcxCustomLookAndFeelPainter::DrawCellContent(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ATextAreaBounds, TcxButtonState AState, const std::wstring& AText, TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, TFont* AFont, TColor ATextColor, TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground) const {  }
void TcxCustomLookAndFeelPainter::DrawFooterEdges(TcxCanvas* ACanvas, const RECT& R) const {  }
void TcxCustomLookAndFeelPainter::DrawNavigationButtonBody(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {  }
RECT TcxCustomLookAndFeelPainter::FooterCellInnerBounds(const RECT& ABounds) const { return {}; }
RECT TcxCustomLookAndFeelPainter::FooterCellTextBounds(const RECT& ABounds) const { return {}; }
TcxLookAndFeelStyle TcxCustomLookAndFeelPainter::LookAndFeelStyle() const { return lfsStandard; }
bool TcxCustomLookAndFeelPainter::NeedRedrawOnResize() const { return false; }
TColor TcxCustomLookAndFeelPainter::DefaultContentColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultContentEvenColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultContentOddColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultContentTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultEditorBackgroundColor(bool AIsDisabled) const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultEditorBackgroundColorEx(TcxEditStateColorKind AKind) const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultEditorTextColor(bool AIsDisabled) const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultEditorTextColorEx(TcxEditStateColorKind AKind) const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultFilterBoxColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultFilterBoxTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultFixedSeparatorColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultFooterColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultFooterTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultGridDetailsSiteColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultGridLineColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultGroupByBoxColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultGroupByBoxTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultGroupColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultGroupTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultHeaderBackgroundColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultHeaderBackgroundTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultHeaderColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultHeaderTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultHyperlinkTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultInactiveColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultInactiveTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultPreviewTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultRecordSeparatorColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultSizeGripAreaColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultVGridBandLineColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultVGridCategoryColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultVGridCategoryTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultVGridHeaderColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultVGridHeaderTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultVGridLineColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorContentColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorHeaderColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorHeaderTextColor(bool AIsHighlight) const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorHolydayTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorInactiveTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorSelectionColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorSelectionTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorSeparator1Color() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorSeparator2Color() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorTodayFrameColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorTodayTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultSchedulerBackgroundColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultSchedulerTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultSchedulerBorderColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultSchedulerControlColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultSchedulerNavigatorColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultSchedulerTimeRulerColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultSchedulerTimeRulerTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultSchedulerViewContentColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultSchedulerViewSelectedTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultSchedulerViewTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultSelectionColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultSelectionTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultSeparatorColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultTabColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultTabTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultTabsBackgroundColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultTimeGridMajorScaleColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultTimeGridMajorScaleTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultTimeGridMinorScaleColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultTimeGridMinorScaleTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultTimeGridSelectionBarColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultChartDiagramValueBorderColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultChartDiagramValueCaptionTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultChartHistogramAxisColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultChartHistogramGridLineColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultChartHistogramPlotColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultChartPieDiagramSeriesSiteBorderColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultChartPieDiagramSeriesSiteCaptionColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultChartPieDiagramSeriesSiteCaptionTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultChartToolBoxDataLevelInfoBorderColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultChartToolBoxItemSeparatorColor() const { return clDefault; }
void TcxCustomLookAndFeelPainter::DrawArrow(TcxCanvas* ACanvas, const RECT& R, TcxArrowDirection AArrowDirection, TColor AColor) const {  }
void TcxCustomLookAndFeelPainter::DrawArrow(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState, TcxArrowDirection AArrowDirection, bool ADrawBorder) const {  }
void TcxCustomLookAndFeelPainter::DrawArrowBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {  }
void TcxCustomLookAndFeelPainter::DrawScrollBarArrow(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState, TcxArrowDirection AArrowDirection) const {  }
int TcxCustomLookAndFeelPainter::BorderSize() const { return 0; }
void TcxCustomLookAndFeelPainter::DrawBorder(TcxCanvas* ACanvas, const RECT& R) const {  }
RECT TcxCustomLookAndFeelPainter::AdjustGroupButtonDisplayRect(const RECT& R, int AButtonCount, int AButtonIndex) const { return {}; }
int TcxCustomLookAndFeelPainter::ButtonBorderSize(TcxButtonState AState) const { return 0; }
TColor TcxCustomLookAndFeelPainter::ButtonColor(TcxButtonState AState) const { return clDefault; }
RECT TcxCustomLookAndFeelPainter::ButtonFocusRect(TcxCanvas* ACanvas, const RECT& R) const { return {}; }
RECT TcxCustomLookAndFeelPainter::ButtonGroupBorderSizes(int AButtonCount, int AButtonIndex) const { return {}; }
int TcxCustomLookAndFeelPainter::ButtonTextOffset() const { return 0; }
int TcxCustomLookAndFeelPainter::ButtonTextShift() const { return 0; }
TColor TcxCustomLookAndFeelPainter::ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor) const { return clDefault; }
TcxButtonState TcxCustomLookAndFeelPainter::ButtonSymbolState(TcxButtonState AState) const { return cxbsNormal; }
void TcxCustomLookAndFeelPainter::DrawButton(TcxCanvas* ACanvas, const RECT& R, const std::wstring& ACaption, TcxButtonState AState, bool ADrawBorder, TColor AColor, TColor ATextColor, bool AWordWrap, bool AIsToolButton) const {  }
void TcxCustomLookAndFeelPainter::DrawButtonInGroup(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState, int AButtonCount, int AButtonIndex, TColor ABackgroundColor) const {  }
void TcxCustomLookAndFeelPainter::DrawButtonBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {  }
void TcxCustomLookAndFeelPainter::DrawButtonGroupBorder(TcxCanvas* ACanvas, const RECT& R, bool AInplace, bool ASelected) const {  }
void TcxCustomLookAndFeelPainter::DrawExpandButton(TcxCanvas* ACanvas, const RECT& R, bool AExpanded, TColor AColor) const {  }
bool TcxCustomLookAndFeelPainter::DrawExpandButtonFirst() const { return false; }
void TcxCustomLookAndFeelPainter::DrawGroupExpandButton(TcxCanvas* ACanvas, const RECT& R, bool AExpanded, TcxButtonState AState) const {  }
void TcxCustomLookAndFeelPainter::DrawSmallExpandButton(TcxCanvas* ACanvas, const RECT& R, bool AExpanded, TColor ABorderColor, TColor AColor) const {  }
int TcxCustomLookAndFeelPainter::ExpandButtonSize() const { return 0; }
int TcxCustomLookAndFeelPainter::GroupExpandButtonSize() const { return 0; }
bool TcxCustomLookAndFeelPainter::IsButtonHotTrack() const { return false; }
bool TcxCustomLookAndFeelPainter::IsPointOverGroupExpandButton(const RECT& R, POINT P) const { return false; }
int TcxCustomLookAndFeelPainter::SmallExpandButtonSize() const { return 0; }
int TcxCustomLookAndFeelPainter::CheckBorderSize() const { return 0; }
TColor TcxCustomLookAndFeelPainter::CheckButtonColor(TcxButtonState AState) const { return clDefault; }
SIZE TcxCustomLookAndFeelPainter::CheckButtonSize() const { return {}; }
void TcxCustomLookAndFeelPainter::DrawCheck(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState, bool AChecked, TColor AColor) const {  }
void TcxCustomLookAndFeelPainter::DrawCheckBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {  }
void TcxCustomLookAndFeelPainter::DrawCheckButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState, bool AChecked) const {  }
void TcxCustomLookAndFeelPainter::DrawCheckButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState, TcxCheckBoxState ACheckState) const {  }
void TcxCustomLookAndFeelPainter::DrawRadioButton(TcxCanvas* ACanvas, int X, int Y, TcxButtonState AButtonState, bool AChecked, bool AFocused, TColor ABrushColor) const {  }
SIZE TcxCustomLookAndFeelPainter::RadioButtonSize() const { return {}; }
void TcxCustomLookAndFeelPainter::DrawLabelLine(TcxCanvas* ACanvas, const RECT& R, TColor AOuterColor, TColor AInnerColor, bool AIsVertical) const {  }
int TcxCustomLookAndFeelPainter::LabelLineHeight() const { return 0; }
void TcxCustomLookAndFeelPainter::DrawHeader(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ATextAreaBounds, TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState, TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const std::wstring& AText, TFont* AFont, TColor ATextColor, TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground, bool AIsLast, bool AIsGroup) const {  }
void TcxCustomLookAndFeelPainter::DrawHeaderEx(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ATextAreaBounds, TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState, TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const std::wstring& AText, TFont* AFont, TColor ATextColor, TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground) const {  }
void TcxCustomLookAndFeelPainter::DrawHeaderBorder(TcxCanvas* ACanvas, const RECT& R, TcxNeighbors ANeighbors, TcxBorders ABorders) const {  }
void TcxCustomLookAndFeelPainter::DrawHeaderPressed(TcxCanvas* ACanvas, const RECT& ABounds) const {  }
void TcxCustomLookAndFeelPainter::DrawHeaderControlSection(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ATextAreaBounds, TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState, TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const std::wstring& AText, TFont* AFont, TColor ATextColor, TColor ABkColor) const {  }
void TcxCustomLookAndFeelPainter::DrawHeaderControlSectionBorder(TcxCanvas* ACanvas, const RECT& R, TcxBorders ABorders, TcxButtonState AState) const {  }
void TcxCustomLookAndFeelPainter::DrawHeaderControlSectionContent(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ATextAreaBounds, TcxButtonState AState, TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const std::wstring& AText, TFont* AFont, TColor ATextColor, TColor ABkColor) const {  }
void TcxCustomLookAndFeelPainter::DrawHeaderControlSectionText(TcxCanvas* ACanvas, const RECT& ATextAreaBounds, TcxButtonState AState, TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const std::wstring& AText, TFont* AFont, TColor ATextColor) const {  }
void TcxCustomLookAndFeelPainter::DrawHeaderSeparator(TcxCanvas* ACanvas, const RECT& ABounds, int AIndentSize, TColor AColor, const TcxViewParams& AViewParams) const {  }
void TcxCustomLookAndFeelPainter::DrawSortingMark(TcxCanvas* ACanvas, const RECT& R, bool AAscendingSorting) const {  }
TcxBorders TcxCustomLookAndFeelPainter::HeaderBorders(TcxNeighbors ANeighbors) const { return 0; }
int TcxCustomLookAndFeelPainter::HeaderBorderSize() const { return 0; }
RECT TcxCustomLookAndFeelPainter::HeaderBounds(const RECT& ABounds, TcxNeighbors ANeighbors, TcxBorders ABorders) const { return {}; }
RECT TcxCustomLookAndFeelPainter::HeaderContentBounds(const RECT& ABounds, TcxBorders ABorders) const { return {}; }
bool TcxCustomLookAndFeelPainter::HeaderDrawCellsFirst() const { return false; }
int TcxCustomLookAndFeelPainter::HeaderHeight(int AFontHeight) const { return 0; }
int TcxCustomLookAndFeelPainter::HeaderControlSectionBorderSize(TcxButtonState AState) const { return 0; }
RECT TcxCustomLookAndFeelPainter::HeaderControlSectionTextAreaBounds(const RECT& ABounds, TcxButtonState AState) const { return {}; }
RECT TcxCustomLookAndFeelPainter::HeaderControlSectionContentBounds(const RECT& ABounds, TcxButtonState AState) const { return {}; }
int TcxCustomLookAndFeelPainter::HeaderWidth(TcxCanvas* ACanvas, TcxBorders ABorders, const std::wstring& AText, TFont* AFont) const { return 0; }
bool TcxCustomLookAndFeelPainter::IsHeaderHotTrack() const { return false; }
SIZE TcxCustomLookAndFeelPainter::SortingMarkAreaSize() const { return {}; }
SIZE TcxCustomLookAndFeelPainter::SortingMarkSize() const { return {}; }
void TcxCustomLookAndFeelPainter::DrawGroupByBox(TcxCanvas* ACanvas, const RECT& ARect, bool ATransparent, TColor ABackgroundColor, TBitmap* ABackgroundBitmap) const {  }
bool TcxCustomLookAndFeelPainter::GridDrawHeaderCellsFirst() const { return false; }
TColor TcxCustomLookAndFeelPainter::PivotGridHeadersAreaColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::PivotGridHeadersAreaTextColor() const { return clDefault; }
TcxBorders TcxCustomLookAndFeelPainter::FooterBorders() const { return 0; }
int TcxCustomLookAndFeelPainter::FooterBorderSize() const { return 0; }
int TcxCustomLookAndFeelPainter::FooterCellBorderSize() const { return 0; }
int TcxCustomLookAndFeelPainter::FooterCellOffset() const { return 0; }
bool TcxCustomLookAndFeelPainter::FooterDrawCellsFirst() const { return false; }
TColor TcxCustomLookAndFeelPainter::FooterSeparatorColor() const { return clDefault; }
int TcxCustomLookAndFeelPainter::FooterSeparatorSize() const { return 0; }
void TcxCustomLookAndFeelPainter::DrawFooterCell(TcxCanvas* ACanvas, const RECT& ABounds, TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine, const std::wstring& AText, TFont* AFont, TColor ATextColor, TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground) const {  }
void TcxCustomLookAndFeelPainter::DrawFooterCellContent(TcxCanvas* ACanvas, const RECT& ABounds, TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine, const std::wstring& AText, TFont* AFont, TColor ATextColor, TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground) const {  }
void TcxCustomLookAndFeelPainter::DrawFooterBorder(TcxCanvas* ACanvas, const RECT& R) const {  }
void TcxCustomLookAndFeelPainter::DrawFooterCellBorder(TcxCanvas* ACanvas, const RECT& R) const {  }
void TcxCustomLookAndFeelPainter::DrawFooterContent(TcxCanvas* ACanvas, const RECT& ARect, const TcxViewParams& AViewParams) const {  }
void TcxCustomLookAndFeelPainter::DrawFooterSeparator(TcxCanvas* ACanvas, const RECT& R) const {  }
void TcxCustomLookAndFeelPainter::DrawFilterActivateButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState, bool AChecked) const {  }
void TcxCustomLookAndFeelPainter::DrawFilterCloseButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {  }
void TcxCustomLookAndFeelPainter::DrawFilterDropDownButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState, bool AIsFilterActive) const {  }
void TcxCustomLookAndFeelPainter::DrawFilterPanel(TcxCanvas* ACanvas, const RECT& R, bool ATransparent, TColor ABackgroundColor, TBitmap* ABackgroundBitmap) const {  }
SIZE TcxCustomLookAndFeelPainter::FilterActivateButtonSize() const { return {}; }
SIZE TcxCustomLookAndFeelPainter::FilterCloseButtonSize() const { return {}; }
int TcxCustomLookAndFeelPainter::FilterDropDownButtonSize() const { return 0; }
void TcxCustomLookAndFeelPainter::DrawWindowContent(TcxCanvas* ACanvas, const RECT& ARect) const {  }
TcxPopupBorderStyle TcxCustomLookAndFeelPainter::PopupBorderStyle() const { return pbsNone; }
void TcxCustomLookAndFeelPainter::DrawTab(TcxCanvas* ACanvas, const RECT& R, TcxBorders ABorders, const std::wstring& AText, TcxButtonState AState, bool AVertical, TFont* AFont, TColor ATextColor, TColor ABkColor, bool AShowPrefix) const {  }
void TcxCustomLookAndFeelPainter::DrawTabBorder(TcxCanvas* ACanvas, const RECT& R, TcxBorder ABorder, TcxBorders ABorders, bool AVertical) const {  }
void TcxCustomLookAndFeelPainter::DrawTabsRoot(TcxCanvas* ACanvas, const RECT& R, TcxBorders ABorders, bool AVertical) const {  }
bool TcxCustomLookAndFeelPainter::IsDrawTabImplemented(bool AVertical) const { return false; }
bool TcxCustomLookAndFeelPainter::IsTabHotTrack(bool AVertical) const { return false; }
int TcxCustomLookAndFeelPainter::TabBorderSize(bool AVertical) const { return 0; }
void TcxCustomLookAndFeelPainter::DrawIndicatorCustomizationMark(TcxCanvas* ACanvas, const RECT& R, TColor AColor) const {  }
void TcxCustomLookAndFeelPainter::DrawIndicatorImage(TcxCanvas* ACanvas, const RECT& R, TcxIndicatorKind AKind) const {  }
void TcxCustomLookAndFeelPainter::DrawIndicatorItem(TcxCanvas* ACanvas, const RECT& R, TcxIndicatorKind AKind, TColor AColor, const TcxDrawBackgroundEvent& AOnDrawBackground) const {  }
void TcxCustomLookAndFeelPainter::DrawIndicatorItemEx(TcxCanvas* ACanvas, const RECT& R, TcxIndicatorKind AKind, TColor AColor, TcxNeighbors ANeighbors, const TcxDrawBackgroundEvent& AOnDrawBackground) const {  }
bool TcxCustomLookAndFeelPainter::IndicatorDrawItemsFirst() const { return false; }
int TcxCustomLookAndFeelPainter::ScrollBarMinimalThumbSize(bool AVertical) const { return 0; }
void TcxCustomLookAndFeelPainter::DrawScrollBarBackground(TcxCanvas* ACanvas, const RECT& R, bool AHorizontal) const {  }
void TcxCustomLookAndFeelPainter::DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R, TcxScrollBarPart APart, TcxButtonState AState) const {  }
SIZE TcxCustomLookAndFeelPainter::SizeGripSize() const { return {}; }
void TcxCustomLookAndFeelPainter::DrawSizeGrip(TcxCanvas* ACanvas, const RECT& ARect, TColor ABackgroundColor) const {  }
void TcxCustomLookAndFeelPainter::CalculateSchedulerNavigationButtonRects(bool AIsNextButton, bool AIsVertical, RECT& ABounds, RECT& ATextRect, RECT& AArrowRect) const {  }
void TcxCustomLookAndFeelPainter::DrawMonthHeader(TcxCanvas* ACanvas, const RECT& ABounds, const std::wstring& AText, TcxNeighbors ANeighbors, const TcxViewParams& AViewParams, TcxHeaderArrows AArrows, TcxBorders ABorders, const TcxDrawBackgroundEvent& AOnDrawBackground) const {  }
void TcxCustomLookAndFeelPainter::DrawSchedulerBorder(TcxCanvas* ACanvas, const RECT& R) const {  }
void TcxCustomLookAndFeelPainter::DrawSchedulerEventProgress(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& AProgressChunk, const TcxViewParams& AViewParams, bool ATransparent) const {  }
void TcxCustomLookAndFeelPainter::DrawSchedulerNavigationButton(TcxCanvas* ACanvas, const RECT& ARect, bool AIsNextButton, TcxButtonState AState, const std::wstring& AText, const RECT& ATextRect, const RECT& AArrowRect) const {  }
void TcxCustomLookAndFeelPainter::DrawSchedulerNavigationButtonArrow(TcxCanvas* ACanvas, const RECT& ARect, bool AIsNextButton, TColor AColor) const {  }
void TcxCustomLookAndFeelPainter::DrawSchedulerNavigatorButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {  }
void TcxCustomLookAndFeelPainter::DrawSchedulerSplitterBorder(TcxCanvas* ACanvas, const RECT& R, const TcxViewParams& AViewParams, bool AIsHorizontal) const {  }
RECT TcxCustomLookAndFeelPainter::SchedulerEventProgressOffsets() const { return {}; }
TColor TcxCustomLookAndFeelPainter::SchedulerNavigationButtonTextColor(bool AIsNextButton, TcxButtonState AState, TColor ADefaultColor) const { return clDefault; }
void TcxCustomLookAndFeelPainter::SchedulerNavigationButtonSizes(bool AIsNextButton, RECT& ABorders, SIZE& AArrowSize, bool& AHasTextArea) const {  }
int TcxCustomLookAndFeelPainter::ChartToolBoxDataLevelInfoBorderSize() const { return 0; }
void TcxCustomLookAndFeelPainter::DrawClock(TcxCanvas* ACanvas, const RECT& ARect, const SYSTEMTIME& ATime, TColor ABackgroundColor) const {  }
void TcxCustomLookAndFeelPainter::DrawEditorButton(TcxCanvas* ACanvas, const RECT& ARect, TcxEditBtnKind AButtonKind, TcxButtonState AState, int APosition) const {  }
int TcxCustomLookAndFeelPainter::EditButtonTextOffset() const { return 0; }
SIZE TcxCustomLookAndFeelPainter::EditButtonSize() const { return {}; }
TColor TcxCustomLookAndFeelPainter::EditButtonTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::GetContainerBorderColor(bool AIsHighlightBorder) const { return clDefault; }
void TcxCustomLookAndFeelPainter::DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, const RECT& R) const {  }
void TcxCustomLookAndFeelPainter::DrawNavigatorGlyph(TcxCanvas* ACanvas, HIMAGELIST AImageList, int AImageIndex, int AButtonIndex, const RECT& AGlyphRect, bool AEnabled, bool AUserGlyphs) const {  }
SIZE TcxCustomLookAndFeelPainter::NavigatorGlyphSize() const { return {}; }
void TcxCustomLookAndFeelPainter::DrawProgressBarBorder(TcxCanvas* ACanvas, const RECT& ARect, bool AVertical) const {  }
void TcxCustomLookAndFeelPainter::DrawProgressBarChunk(TcxCanvas* ACanvas, const RECT& ARect, bool AVertical) const {  }
void TcxCustomLookAndFeelPainter::DrawProgressBarText(TcxCanvas* ACanvas, bool AVertical, bool ASolid, const std::wstring& AText, const RECT& ATextRect, const RECT& AContentRect, const RECT& AChunkRect, TColor ATextColor) const {  }
SIZE TcxCustomLookAndFeelPainter::ProgressBarBorderSize(bool AVertical) const { return {}; }
TColor TcxCustomLookAndFeelPainter::ProgressBarTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::ProgressBarTextColorEx(bool AIsFilledArea) const { return clDefault; }
void TcxCustomLookAndFeelPainter::DrawGroupBoxBackground(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ARect) const {  }
void TcxCustomLookAndFeelPainter::DrawGroupBoxCaption(TcxCanvas* ACanvas, const RECT& ACaptionRect, TcxGroupBoxCaptionPosition ACaptionPosition) const {  }
void TcxCustomLookAndFeelPainter::DrawGroupBoxContent(TcxCanvas* ACanvas, const RECT& ABorderRect, TcxGroupBoxCaptionPosition ACaptionPosition, TcxBorders ABorders) const {  }
void TcxCustomLookAndFeelPainter::DrawGroupBoxFrame(TcxCanvas* ACanvas, const RECT& R, bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition, TcxBorders ABorders) const {  }
RECT TcxCustomLookAndFeelPainter::GroupBoxBorderSize(bool ACaption, TcxGroupBoxCaptionPosition ACaptionPosition) const { return {}; }
TColor TcxCustomLookAndFeelPainter::GroupBoxTextColor(bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition) const { return clDefault; }
bool TcxCustomLookAndFeelPainter::IsGroupBoxTransparent(bool AIsCaption, TcxGroupBoxCaptionPosition ACaptionPosition) const { return false; }
void TcxCustomLookAndFeelPainter::DrawPanelBackground(TcxCanvas* ACanvas, TWinControl* AControl, const RECT& ABounds, TColor AColorFrom, TColor AColorTo) const {  }
void TcxCustomLookAndFeelPainter::DrawPanelBorders(TcxCanvas* ACanvas, const RECT& ABorderRect) const {  }
void TcxCustomLookAndFeelPainter::DrawPanelCaption(TcxCanvas* ACanvas, const RECT& ACaptionRect, TcxGroupBoxCaptionPosition ACaptionPosition) const {  }
void TcxCustomLookAndFeelPainter::DrawPanelContent(TcxCanvas* ACanvas, const RECT& ABorderRect, bool ABorder) const {  }
RECT TcxCustomLookAndFeelPainter::PanelBorderSize() const { return {}; }
TColor TcxCustomLookAndFeelPainter::PanelTextColor() const { return clDefault; }
void TcxCustomLookAndFeelPainter::DrawTrackBar(TcxCanvas* ACanvas, const RECT& ARect, const RECT& ASelection, bool AShowSelection, bool AEnabled, bool AHorizontal) const {  }
void TcxCustomLookAndFeelPainter::DrawTrackBarThumb(TcxCanvas* ACanvas, const RECT& ARect, TcxButtonState AState, bool AHorizontal, TcxTrackBarTicksAlign ATicks, TColor ABorderColor) const {  }
SIZE TcxCustomLookAndFeelPainter::TrackBarThumbSize(bool AHorizontal) const { return {}; }
TColor TcxCustomLookAndFeelPainter::TrackBarTicksColor(bool AText) const { return clDefault; }
int TcxCustomLookAndFeelPainter::TrackBarTrackSize() const { return 0; }
void TcxCustomLookAndFeelPainter::DrawSplitter(TcxCanvas* ACanvas, const RECT& ARect, bool AHighlighted, bool AClicked, bool AHorizontal) const {  }
SIZE TcxCustomLookAndFeelPainter::GetSplitterSize(bool AHorizontal) const { return {}; }
TColor TcxCustomLookAndFeelPainter::LayoutControlEmptyAreaColor() const { return clDefault; }
void TcxCustomLookAndFeelPainter::DrawLayoutControlBackground(TcxCanvas* ACanvas, const RECT& R) const {  }
RECT TcxCustomLookAndFeelPainter::PrintPreviewPageBordersWidth() const { return {}; }
void TcxCustomLookAndFeelPainter::DrawPrintPreviewBackground(TcxCanvas* ACanvas, const RECT& R) const {  }
void TcxCustomLookAndFeelPainter::DrawPrintPreviewPageBackground(TcxCanvas* ACanvas, const RECT& ABorderRect, const RECT& AContentRect, bool ASelected) const {  }
TColor TcxCustomLookAndFeelPainter::CalcEditButtonTextColor(TcxCalcButtonKind AButtonKind) const { return clDefault; }

}  // namespace talvik
