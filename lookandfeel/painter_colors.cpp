// The generic painter's default colours: the classic system colours.
#include "lookandfeel/painter.h"

namespace talvik {

namespace {
constexpr TColor clMaroon = 0x000080;
}

using P = TcxCustomLookAndFeelPainter;

TColor P::DefaultContentColor() const { return clWindow; }
TColor P::DefaultContentEvenColor() const { return DefaultContentColor(); }
TColor P::DefaultContentOddColor() const { return DefaultContentColor(); }
TColor P::DefaultContentTextColor() const { return clWindowText; }
TColor P::DefaultEditorBackgroundColor(bool AIsDisabled) const { return AIsDisabled ? clBtnFace : clWindow; }
TColor P::DefaultEditorBackgroundColorEx(TcxEditStateColorKind AKind) const {
  return DefaultEditorBackgroundColor(AKind == esckDisabled);
}
TColor P::DefaultEditorTextColor(bool AIsDisabled) const { return AIsDisabled ? clGrayText : clWindowText; }
TColor P::DefaultEditorTextColorEx(TcxEditStateColorKind AKind) const {
  return DefaultEditorTextColor(AKind == esckDisabled);
}
TColor P::DefaultFilterBoxColor() const { return clBtnShadow; }
TColor P::DefaultFilterBoxTextColor() const { return clBtnHighlight; }
TColor P::DefaultFixedSeparatorColor() const { return clBtnText; }
TColor P::DefaultFooterColor() const { return clBtnFace; }
TColor P::DefaultFooterTextColor() const { return clBtnText; }
TColor P::DefaultGridDetailsSiteColor() const { return clBtnFace; }
TColor P::DefaultGridLineColor() const { return clBtnShadow; }
TColor P::DefaultGroupByBoxColor() const { return clBtnShadow; }
TColor P::DefaultGroupByBoxTextColor() const { return clBtnFace; }
TColor P::DefaultGroupColor() const { return clBtnFace; }
TColor P::DefaultGroupTextColor() const { return clBtnText; }
TColor P::DefaultHeaderBackgroundColor() const { return clBtnShadow; }
TColor P::DefaultHeaderBackgroundTextColor() const { return clBtnHighlight; }
TColor P::DefaultHeaderColor() const { return clBtnFace; }
TColor P::DefaultHeaderTextColor() const { return clBtnText; }
TColor P::DefaultHyperlinkTextColor() const { return clBlue; }
TColor P::DefaultInactiveColor() const { return clBtnFace; }
TColor P::DefaultInactiveTextColor() const { return clBtnText; }
TColor P::DefaultPreviewTextColor() const { return clBlue; }
TColor P::DefaultRecordSeparatorColor() const { return clBtnShadow; }
TColor P::DefaultSizeGripAreaColor() const { return clBtnFace; }
TColor P::DefaultVGridBandLineColor() const { return clBtnText; }
TColor P::DefaultVGridCategoryColor() const { return clBtnFace; }
TColor P::DefaultVGridCategoryTextColor() const { return clBtnText; }
TColor P::DefaultVGridHeaderColor() const { return clBtnFace; }
TColor P::DefaultVGridHeaderTextColor() const { return clBtnText; }
TColor P::DefaultVGridLineColor() const { return clBtnShadow; }
TColor P::DefaultDateNavigatorContentColor() const { return clWindow; }
TColor P::DefaultDateNavigatorHeaderColor() const { return clBtnFace; }
TColor P::DefaultDateNavigatorHeaderTextColor(bool AIsHighlight) const {
  return AIsHighlight ? clHighlight : clBtnText;
}
TColor P::DefaultDateNavigatorHolydayTextColor() const { return clRed; }
TColor P::DefaultDateNavigatorInactiveTextColor() const { return clGrayText; }
TColor P::DefaultDateNavigatorSelectionColor() const { return clHighlight; }
TColor P::DefaultDateNavigatorSelectionTextColor() const { return clHighlightText; }
TColor P::DefaultDateNavigatorSeparator1Color() const { return clBtnShadow; }
TColor P::DefaultDateNavigatorSeparator2Color() const { return clBtnHighlight; }
TColor P::DefaultDateNavigatorTextColor() const { return clWindowText; }
TColor P::DefaultDateNavigatorTodayFrameColor() const { return clMaroon; }
TColor P::DefaultDateNavigatorTodayTextColor() const { return clWindowText; }
TColor P::DefaultSchedulerBackgroundColor() const { return clWindow; }
TColor P::DefaultSchedulerTextColor() const { return clWindowText; }
TColor P::DefaultSchedulerBorderColor() const { return clBtnShadow; }
TColor P::DefaultSchedulerControlColor() const { return clBtnFace; }
TColor P::DefaultSchedulerNavigatorColor() const { return clBtnFace; }
TColor P::DefaultSchedulerTimeRulerColor() const { return clBtnFace; }
TColor P::DefaultSchedulerTimeRulerTextColor() const { return clWindowText; }
TColor P::DefaultSchedulerViewContentColor() const { return clWindow; }
TColor P::DefaultSchedulerViewSelectedTextColor() const { return clHighlightText; }
TColor P::DefaultSchedulerViewTextColor() const { return clWindowText; }
TColor P::DefaultSelectionColor() const { return clHighlight; }
TColor P::DefaultSelectionTextColor() const { return clHighlightText; }
TColor P::DefaultSeparatorColor() const { return clBtnShadow; }
TColor P::DefaultTabColor() const { return clBtnFace; }
TColor P::DefaultTabTextColor() const { return clBtnText; }
TColor P::DefaultTabsBackgroundColor() const { return clBtnFace; }
TColor P::DefaultTimeGridMajorScaleColor() const { return clBtnFace; }
TColor P::DefaultTimeGridMajorScaleTextColor() const { return clBtnText; }
TColor P::DefaultTimeGridMinorScaleColor() const { return clWindow; }
TColor P::DefaultTimeGridMinorScaleTextColor() const { return clBtnText; }
TColor P::DefaultTimeGridSelectionBarColor() const { return clHighlight; }
TColor P::DefaultChartDiagramValueBorderColor() const { return clBtnShadow; }
TColor P::DefaultChartDiagramValueCaptionTextColor() const { return clWindowText; }
TColor P::DefaultChartHistogramAxisColor() const { return clBtnShadow; }
TColor P::DefaultChartHistogramGridLineColor() const { return clBtnFace; }
TColor P::DefaultChartHistogramPlotColor() const { return clWindow; }
TColor P::DefaultChartPieDiagramSeriesSiteBorderColor() const { return clBtnShadow; }
TColor P::DefaultChartPieDiagramSeriesSiteCaptionColor() const { return clBtnFace; }
TColor P::DefaultChartPieDiagramSeriesSiteCaptionTextColor() const { return clBtnText; }
TColor P::DefaultChartToolBoxDataLevelInfoBorderColor() const { return clBtnShadow; }
TColor P::DefaultChartToolBoxItemSeparatorColor() const { return clBtnShadow; }

}  // namespace talvik
