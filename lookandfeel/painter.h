// The painter interface: every standard visual part (button faces, scroll bar
// parts, size grips, panels, borders, headers...) is drawn through one of
// these. A painter holds no state; each painter class has exactly one
// instance, and a "painter class" is a pointer to it. Every operation is
// virtual so that the skin painter and its per-skin subclasses can replace it.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "framework/controls.h"
#include "framework/graphics.h"
#include "graphics/canvas.h"
#include "graphics/geometry.h"
#include "lookandfeel/lookandfeeltypes.h"

namespace talvik {

class TcxCustomLookAndFeelPainter;
using TcxCustomLookAndFeelPainterClass = const TcxCustomLookAndFeelPainter*;

// Draws a part's background itself and answers true, or answers false to let
// the painter fill it.
using TcxDrawBackgroundEvent = std::function<bool(TcxCanvas* ACanvas, const RECT& ABounds)>;

// True when APainter is ClassT or derives from it.
template <class ClassT>
bool PainterInheritsFrom(TcxCustomLookAndFeelPainterClass APainter) {
  return dynamic_cast<const ClassT*>(APainter) != nullptr;
}

class TcxCustomLookAndFeelPainter {
public:
  static TcxCustomLookAndFeelPainterClass Instance();
  virtual ~TcxCustomLookAndFeelPainter() = default;
  TcxCustomLookAndFeelPainter(const TcxCustomLookAndFeelPainter&) = delete;
  TcxCustomLookAndFeelPainter& operator=(const TcxCustomLookAndFeelPainter&) = delete;

protected:
  constexpr TcxCustomLookAndFeelPainter() = default;

  // Content helpers shared by grids, footers and schedulers.
  virtual void FillAreaBackground(TcxCanvas* ACanvas, const RECT& ARect, TColor AColor, TBitmap* ABitmap) const;
  virtual void DrawFilterArrow(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const;
  virtual void DrawCellContent(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ATextAreaBounds,
                               TcxButtonState AState, const std::wstring& AText, TAlignment AAlignmentHorz,
                               TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                               TFont* AFont, TColor ATextColor, TColor ABkColor,
                               const TcxDrawBackgroundEvent& AOnDrawBackground) const;
  virtual void DrawFooterEdges(TcxCanvas* ACanvas, const RECT& R) const;
  virtual void DrawNavigationButtonBody(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const;
  virtual RECT FooterCellInnerBounds(const RECT& ABounds) const;
  virtual RECT FooterCellTextBounds(const RECT& ABounds) const;

public:
  // Identity
  virtual TcxLookAndFeelStyle LookAndFeelStyle() const;
  virtual bool NeedRedrawOnResize() const;

  // Default colours
  virtual TColor DefaultContentColor() const;
  virtual TColor DefaultContentEvenColor() const;
  virtual TColor DefaultContentOddColor() const;
  virtual TColor DefaultContentTextColor() const;
  virtual TColor DefaultEditorBackgroundColor(bool AIsDisabled) const;
  virtual TColor DefaultEditorBackgroundColorEx(TcxEditStateColorKind AKind) const;
  virtual TColor DefaultEditorTextColor(bool AIsDisabled) const;
  virtual TColor DefaultEditorTextColorEx(TcxEditStateColorKind AKind) const;
  virtual TColor DefaultFilterBoxColor() const;
  virtual TColor DefaultFilterBoxTextColor() const;
  virtual TColor DefaultFixedSeparatorColor() const;
  virtual TColor DefaultFooterColor() const;
  virtual TColor DefaultFooterTextColor() const;
  virtual TColor DefaultGridDetailsSiteColor() const;
  virtual TColor DefaultGridLineColor() const;
  virtual TColor DefaultGroupByBoxColor() const;
  virtual TColor DefaultGroupByBoxTextColor() const;
  virtual TColor DefaultGroupColor() const;
  virtual TColor DefaultGroupTextColor() const;
  virtual TColor DefaultHeaderBackgroundColor() const;
  virtual TColor DefaultHeaderBackgroundTextColor() const;
  virtual TColor DefaultHeaderColor() const;
  virtual TColor DefaultHeaderTextColor() const;
  virtual TColor DefaultHyperlinkTextColor() const;
  virtual TColor DefaultInactiveColor() const;
  virtual TColor DefaultInactiveTextColor() const;
  virtual TColor DefaultPreviewTextColor() const;
  virtual TColor DefaultRecordSeparatorColor() const;
  virtual TColor DefaultSizeGripAreaColor() const;
  virtual TColor DefaultVGridBandLineColor() const;
  virtual TColor DefaultVGridCategoryColor() const;
  virtual TColor DefaultVGridCategoryTextColor() const;
  virtual TColor DefaultVGridHeaderColor() const;
  virtual TColor DefaultVGridHeaderTextColor() const;
  virtual TColor DefaultVGridLineColor() const;
  virtual TColor DefaultDateNavigatorContentColor() const;
  virtual TColor DefaultDateNavigatorHeaderColor() const;
  virtual TColor DefaultDateNavigatorHeaderTextColor(bool AIsHighlight) const;
  virtual TColor DefaultDateNavigatorHolydayTextColor() const;
  virtual TColor DefaultDateNavigatorInactiveTextColor() const;
  virtual TColor DefaultDateNavigatorSelectionColor() const;
  virtual TColor DefaultDateNavigatorSelectionTextColor() const;
  virtual TColor DefaultDateNavigatorSeparator1Color() const;
  virtual TColor DefaultDateNavigatorSeparator2Color() const;
  virtual TColor DefaultDateNavigatorTextColor() const;
  virtual TColor DefaultDateNavigatorTodayFrameColor() const;
  virtual TColor DefaultDateNavigatorTodayTextColor() const;
  virtual TColor DefaultSchedulerBackgroundColor() const;
  virtual TColor DefaultSchedulerTextColor() const;
  virtual TColor DefaultSchedulerBorderColor() const;
  virtual TColor DefaultSchedulerControlColor() const;
  virtual TColor DefaultSchedulerNavigatorColor() const;
  virtual TColor DefaultSchedulerTimeRulerColor() const;
  virtual TColor DefaultSchedulerTimeRulerTextColor() const;
  virtual TColor DefaultSchedulerViewContentColor() const;
  virtual TColor DefaultSchedulerViewSelectedTextColor() const;
  virtual TColor DefaultSchedulerViewTextColor() const;
  virtual TColor DefaultSelectionColor() const;
  virtual TColor DefaultSelectionTextColor() const;
  virtual TColor DefaultSeparatorColor() const;
  virtual TColor DefaultTabColor() const;
  virtual TColor DefaultTabTextColor() const;
  virtual TColor DefaultTabsBackgroundColor() const;
  virtual TColor DefaultTimeGridMajorScaleColor() const;
  virtual TColor DefaultTimeGridMajorScaleTextColor() const;
  virtual TColor DefaultTimeGridMinorScaleColor() const;
  virtual TColor DefaultTimeGridMinorScaleTextColor() const;
  virtual TColor DefaultTimeGridSelectionBarColor() const;
  virtual TColor DefaultChartDiagramValueBorderColor() const;
  virtual TColor DefaultChartDiagramValueCaptionTextColor() const;
  virtual TColor DefaultChartHistogramAxisColor() const;
  virtual TColor DefaultChartHistogramGridLineColor() const;
  virtual TColor DefaultChartHistogramPlotColor() const;
  virtual TColor DefaultChartPieDiagramSeriesSiteBorderColor() const;
  virtual TColor DefaultChartPieDiagramSeriesSiteCaptionColor() const;
  virtual TColor DefaultChartPieDiagramSeriesSiteCaptionTextColor() const;
  virtual TColor DefaultChartToolBoxDataLevelInfoBorderColor() const;
  virtual TColor DefaultChartToolBoxItemSeparatorColor() const;

  // Arrows
  virtual void DrawArrow(TcxCanvas* ACanvas, const RECT& R, TcxArrowDirection AArrowDirection, TColor AColor) const;
  virtual void DrawArrow(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                         TcxArrowDirection AArrowDirection, bool ADrawBorder = true) const;
  virtual void DrawArrowBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const;
  virtual void DrawScrollBarArrow(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                  TcxArrowDirection AArrowDirection) const;
  // The corners of a filled triangle in R; AArrowSize 0 sizes it from R.
  static void CalculateArrowPoints(const RECT& R, TcxArrowPoints& P, TcxArrowDirection AArrowDirection,
                                   bool AProportional, int AArrowSize = 0);

  // Borders
  virtual int BorderSize() const;
  virtual void DrawBorder(TcxCanvas* ACanvas, const RECT& R) const;

  // Buttons
  virtual RECT AdjustGroupButtonDisplayRect(const RECT& R, int AButtonCount, int AButtonIndex) const;
  virtual int ButtonBorderSize(TcxButtonState AState = cxbsNormal) const;
  virtual TColor ButtonColor(TcxButtonState AState) const;
  virtual RECT ButtonFocusRect(TcxCanvas* ACanvas, const RECT& R) const;
  virtual RECT ButtonGroupBorderSizes(int AButtonCount, int AButtonIndex) const;
  virtual int ButtonTextOffset() const;
  virtual int ButtonTextShift() const;
  virtual TColor ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor = clDefault) const;
  virtual TcxButtonState ButtonSymbolState(TcxButtonState AState) const;
  virtual void DrawButton(TcxCanvas* ACanvas, const RECT& R, const std::wstring& ACaption, TcxButtonState AState,
                          bool ADrawBorder = true, TColor AColor = clDefault, TColor ATextColor = clDefault,
                          bool AWordWrap = false, bool AIsToolButton = false) const;
  virtual void DrawButtonInGroup(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState, int AButtonCount,
                                 int AButtonIndex, TColor ABackgroundColor) const;
  virtual void DrawButtonBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const;
  virtual void DrawButtonGroupBorder(TcxCanvas* ACanvas, const RECT& R, bool AInplace, bool ASelected) const;
  void DrawButtonCross(TcxCanvas* ACanvas, const RECT& R, TColor AColor, TcxButtonState AState) const;

  // Expand buttons
  virtual void DrawExpandButton(TcxCanvas* ACanvas, const RECT& R, bool AExpanded, TColor AColor = clDefault) const;
  virtual bool DrawExpandButtonFirst() const;
  virtual void DrawGroupExpandButton(TcxCanvas* ACanvas, const RECT& R, bool AExpanded, TcxButtonState AState) const;
  virtual void DrawSmallExpandButton(TcxCanvas* ACanvas, const RECT& R, bool AExpanded, TColor ABorderColor,
                                     TColor AColor = clDefault) const;
  virtual int ExpandButtonSize() const;
  virtual int GroupExpandButtonSize() const;
  virtual bool IsButtonHotTrack() const;
  virtual bool IsPointOverGroupExpandButton(const RECT& R, POINT P) const;
  virtual int SmallExpandButtonSize() const;

  // Check boxes and radio buttons
  virtual int CheckBorderSize() const;
  virtual TColor CheckButtonColor(TcxButtonState AState) const;
  virtual SIZE CheckButtonSize() const;
  virtual void DrawCheck(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState, bool AChecked, TColor AColor) const;
  virtual void DrawCheckBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const;
  virtual void DrawCheckButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState, bool AChecked) const;
  virtual void DrawCheckButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                               TcxCheckBoxState ACheckState) const;
  virtual void DrawRadioButton(TcxCanvas* ACanvas, int X, int Y, TcxButtonState AButtonState, bool AChecked,
                               bool AFocused, TColor ABrushColor) const;
  virtual SIZE RadioButtonSize() const;

  // Label lines
  virtual void DrawLabelLine(TcxCanvas* ACanvas, const RECT& R, TColor AOuterColor, TColor AInnerColor,
                             bool AIsVertical) const;
  virtual int LabelLineHeight() const;

  // Headers
  virtual void DrawHeader(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ATextAreaBounds,
                          TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                          TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                          bool AShowEndEllipsis, const std::wstring& AText, TFont* AFont, TColor ATextColor,
                          TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground = {},
                          bool AIsLast = false, bool AIsGroup = false) const;
  virtual void DrawHeaderEx(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ATextAreaBounds,
                            TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                            TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                            bool AShowEndEllipsis, const std::wstring& AText, TFont* AFont, TColor ATextColor,
                            TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground = {}) const;
  virtual void DrawHeaderBorder(TcxCanvas* ACanvas, const RECT& R, TcxNeighbors ANeighbors,
                                TcxBorders ABorders) const;
  virtual void DrawHeaderPressed(TcxCanvas* ACanvas, const RECT& ABounds) const;
  virtual void DrawHeaderControlSection(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ATextAreaBounds,
                                        TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                                        TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                        bool AShowEndEllipsis, const std::wstring& AText, TFont* AFont,
                                        TColor ATextColor, TColor ABkColor) const;
  virtual void DrawHeaderControlSectionBorder(TcxCanvas* ACanvas, const RECT& R, TcxBorders ABorders,
                                              TcxButtonState AState) const;
  virtual void DrawHeaderControlSectionContent(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ATextAreaBounds,
                                               TcxButtonState AState, TAlignment AAlignmentHorz,
                                               TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                               bool AShowEndEllipsis, const std::wstring& AText, TFont* AFont,
                                               TColor ATextColor, TColor ABkColor) const;
  virtual void DrawHeaderControlSectionText(TcxCanvas* ACanvas, const RECT& ATextAreaBounds, TcxButtonState AState,
                                            TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                            bool AMultiLine, bool AShowEndEllipsis, const std::wstring& AText,
                                            TFont* AFont, TColor ATextColor) const;
  virtual void DrawHeaderSeparator(TcxCanvas* ACanvas, const RECT& ABounds, int AIndentSize, TColor AColor,
                                   const TcxViewParams& AViewParams) const;
  virtual void DrawSortingMark(TcxCanvas* ACanvas, const RECT& R, bool AAscendingSorting) const;
  virtual TcxBorders HeaderBorders(TcxNeighbors ANeighbors) const;
  virtual int HeaderBorderSize() const;
  virtual RECT HeaderBounds(const RECT& ABounds, TcxNeighbors ANeighbors, TcxBorders ABorders = cxBordersAll) const;
  virtual RECT HeaderContentBounds(const RECT& ABounds, TcxBorders ABorders) const;
  virtual bool HeaderDrawCellsFirst() const;
  virtual int HeaderHeight(int AFontHeight) const;
  virtual int HeaderControlSectionBorderSize(TcxButtonState AState = cxbsNormal) const;
  virtual RECT HeaderControlSectionTextAreaBounds(const RECT& ABounds, TcxButtonState AState) const;
  virtual RECT HeaderControlSectionContentBounds(const RECT& ABounds, TcxButtonState AState) const;
  virtual int HeaderWidth(TcxCanvas* ACanvas, TcxBorders ABorders, const std::wstring& AText, TFont* AFont) const;
  virtual bool IsHeaderHotTrack() const;
  virtual SIZE SortingMarkAreaSize() const;
  virtual SIZE SortingMarkSize() const;

  // Grid, footer and filter
  virtual void DrawGroupByBox(TcxCanvas* ACanvas, const RECT& ARect, bool ATransparent, TColor ABackgroundColor,
                              TBitmap* ABackgroundBitmap) const;
  virtual bool GridDrawHeaderCellsFirst() const;
  virtual TColor PivotGridHeadersAreaColor() const;
  virtual TColor PivotGridHeadersAreaTextColor() const;
  virtual TcxBorders FooterBorders() const;
  virtual int FooterBorderSize() const;
  virtual int FooterCellBorderSize() const;
  virtual int FooterCellOffset() const;
  virtual bool FooterDrawCellsFirst() const;
  virtual TColor FooterSeparatorColor() const;
  virtual int FooterSeparatorSize() const;
  virtual void DrawFooterCell(TcxCanvas* ACanvas, const RECT& ABounds, TAlignment AAlignmentHorz,
                              TcxAlignmentVert AAlignmentVert, bool AMultiLine, const std::wstring& AText,
                              TFont* AFont, TColor ATextColor, TColor ABkColor,
                              const TcxDrawBackgroundEvent& AOnDrawBackground = {}) const;
  virtual void DrawFooterCellContent(TcxCanvas* ACanvas, const RECT& ABounds, TAlignment AAlignmentHorz,
                                     TcxAlignmentVert AAlignmentVert, bool AMultiLine, const std::wstring& AText,
                                     TFont* AFont, TColor ATextColor, TColor ABkColor,
                                     const TcxDrawBackgroundEvent& AOnDrawBackground = {}) const;
  virtual void DrawFooterBorder(TcxCanvas* ACanvas, const RECT& R) const;
  virtual void DrawFooterCellBorder(TcxCanvas* ACanvas, const RECT& R) const;
  virtual void DrawFooterContent(TcxCanvas* ACanvas, const RECT& ARect, const TcxViewParams& AViewParams) const;
  virtual void DrawFooterSeparator(TcxCanvas* ACanvas, const RECT& R) const;
  virtual void DrawFilterActivateButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                        bool AChecked) const;
  virtual void DrawFilterCloseButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const;
  virtual void DrawFilterDropDownButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                        bool AIsFilterActive) const;
  virtual void DrawFilterPanel(TcxCanvas* ACanvas, const RECT& R, bool ATransparent, TColor ABackgroundColor,
                               TBitmap* ABackgroundBitmap) const;
  virtual SIZE FilterActivateButtonSize() const;
  virtual SIZE FilterCloseButtonSize() const;
  virtual int FilterDropDownButtonSize() const;
  // The footer's content, then its separator and border.
  void DrawFooterPanel(TcxCanvas* ACanvas, const RECT& ABounds, const TcxViewParams& AViewParams) const;

  // Windows and popups
  virtual void DrawWindowContent(TcxCanvas* ACanvas, const RECT& ARect) const;
  virtual TcxPopupBorderStyle PopupBorderStyle() const;

  // Tabs
  virtual void DrawTab(TcxCanvas* ACanvas, const RECT& R, TcxBorders ABorders, const std::wstring& AText,
                       TcxButtonState AState, bool AVertical, TFont* AFont, TColor ATextColor, TColor ABkColor,
                       bool AShowPrefix = false) const;
  virtual void DrawTabBorder(TcxCanvas* ACanvas, const RECT& R, TcxBorder ABorder, TcxBorders ABorders,
                             bool AVertical) const;
  virtual void DrawTabsRoot(TcxCanvas* ACanvas, const RECT& R, TcxBorders ABorders, bool AVertical) const;
  virtual bool IsDrawTabImplemented(bool AVertical) const;
  virtual bool IsTabHotTrack(bool AVertical) const;
  virtual int TabBorderSize(bool AVertical) const;

  // Row indicator
  virtual void DrawIndicatorCustomizationMark(TcxCanvas* ACanvas, const RECT& R, TColor AColor) const;
  virtual void DrawIndicatorImage(TcxCanvas* ACanvas, const RECT& R, TcxIndicatorKind AKind) const;
  virtual void DrawIndicatorItem(TcxCanvas* ACanvas, const RECT& R, TcxIndicatorKind AKind, TColor AColor,
                                 const TcxDrawBackgroundEvent& AOnDrawBackground = {}) const;
  virtual void DrawIndicatorItemEx(TcxCanvas* ACanvas, const RECT& R, TcxIndicatorKind AKind, TColor AColor,
                                   TcxNeighbors ANeighbors, const TcxDrawBackgroundEvent& AOnDrawBackground = {}) const;
  virtual bool IndicatorDrawItemsFirst() const;

  // Scroll bars and size grip
  virtual int ScrollBarMinimalThumbSize(bool AVertical) const;
  virtual void DrawScrollBarBackground(TcxCanvas* ACanvas, const RECT& R, bool AHorizontal) const;
  virtual void DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R, TcxScrollBarPart APart,
                                 TcxButtonState AState) const;
  virtual SIZE SizeGripSize() const;
  virtual void DrawSizeGrip(TcxCanvas* ACanvas, const RECT& ARect, TColor ABackgroundColor = clDefault) const;

  // Scheduler and charts
  virtual void CalculateSchedulerNavigationButtonRects(bool AIsNextButton, bool AIsVertical, RECT& ABounds,
                                                       RECT& ATextRect, RECT& AArrowRect) const;
  virtual void DrawMonthHeader(TcxCanvas* ACanvas, const RECT& ABounds, const std::wstring& AText,
                               TcxNeighbors ANeighbors, const TcxViewParams& AViewParams, TcxHeaderArrows AArrows,
                               TcxBorders ABorders, const TcxDrawBackgroundEvent& AOnDrawBackground = {}) const;
  virtual void DrawSchedulerBorder(TcxCanvas* ACanvas, const RECT& R) const;
  virtual void DrawSchedulerEventProgress(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& AProgressChunk,
                                          const TcxViewParams& AViewParams, bool ATransparent) const;
  virtual void DrawSchedulerNavigationButton(TcxCanvas* ACanvas, const RECT& ARect, bool AIsNextButton,
                                             TcxButtonState AState, const std::wstring& AText,
                                             const RECT& ATextRect, const RECT& AArrowRect) const;
  virtual void DrawSchedulerNavigationButtonArrow(TcxCanvas* ACanvas, const RECT& ARect, bool AIsNextButton,
                                                  TColor AColor) const;
  virtual void DrawSchedulerNavigatorButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const;
  virtual void DrawSchedulerSplitterBorder(TcxCanvas* ACanvas, const RECT& R, const TcxViewParams& AViewParams,
                                           bool AIsHorizontal) const;
  virtual RECT SchedulerEventProgressOffsets() const;
  virtual TColor SchedulerNavigationButtonTextColor(bool AIsNextButton, TcxButtonState AState,
                                                    TColor ADefaultColor = clDefault) const;
  virtual void SchedulerNavigationButtonSizes(bool AIsNextButton, RECT& ABorders, SIZE& AArrowSize,
                                              bool& AHasTextArea) const;
  virtual int ChartToolBoxDataLevelInfoBorderSize() const;

  // Clock
  virtual void DrawClock(TcxCanvas* ACanvas, const RECT& ARect, const SYSTEMTIME& ATime,
                         TColor ABackgroundColor) const;

  // Editors
  virtual void DrawEditorButton(TcxCanvas* ACanvas, const RECT& ARect, TcxEditBtnKind AButtonKind,
                                TcxButtonState AState, int APosition = 0) const;
  virtual int EditButtonTextOffset() const;
  virtual SIZE EditButtonSize() const;
  virtual TColor EditButtonTextColor() const;
  virtual TColor GetContainerBorderColor(bool AIsHighlightBorder) const;

  // Date navigator and data navigator
  virtual void DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, const RECT& R) const;
  virtual void DrawNavigatorGlyph(TcxCanvas* ACanvas, HIMAGELIST AImageList, int AImageIndex, int AButtonIndex,
                                  const RECT& AGlyphRect, bool AEnabled, bool AUserGlyphs) const;
  virtual SIZE NavigatorGlyphSize() const;

  // Progress bar
  virtual void DrawProgressBarBorder(TcxCanvas* ACanvas, const RECT& ARect, bool AVertical) const;
  virtual void DrawProgressBarChunk(TcxCanvas* ACanvas, const RECT& ARect, bool AVertical) const;
  virtual void DrawProgressBarText(TcxCanvas* ACanvas, bool AVertical, bool ASolid, const std::wstring& AText,
                                   const RECT& ATextRect, const RECT& AContentRect, const RECT& AChunkRect,
                                   TColor ATextColor = clDefault) const;
  virtual SIZE ProgressBarBorderSize(bool AVertical) const;
  virtual TColor ProgressBarTextColor() const;
  virtual TColor ProgressBarTextColorEx(bool AIsFilledArea) const;

  // Group box
  virtual void DrawGroupBoxBackground(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ARect) const;
  virtual void DrawGroupBoxCaption(TcxCanvas* ACanvas, const RECT& ACaptionRect,
                                   TcxGroupBoxCaptionPosition ACaptionPosition) const;
  virtual void DrawGroupBoxContent(TcxCanvas* ACanvas, const RECT& ABorderRect,
                                   TcxGroupBoxCaptionPosition ACaptionPosition,
                                   TcxBorders ABorders = cxBordersAll) const;
  virtual void DrawGroupBoxFrame(TcxCanvas* ACanvas, const RECT& R, bool AEnabled,
                                 TcxGroupBoxCaptionPosition ACaptionPosition,
                                 TcxBorders ABorders = cxBordersAll) const;
  virtual RECT GroupBoxBorderSize(bool ACaption, TcxGroupBoxCaptionPosition ACaptionPosition) const;
  virtual TColor GroupBoxTextColor(bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition) const;
  virtual bool IsGroupBoxTransparent(bool AIsCaption, TcxGroupBoxCaptionPosition ACaptionPosition) const;

  // Panel
  virtual void DrawPanelBackground(TcxCanvas* ACanvas, TWinControl* AControl, const RECT& ABounds,
                                   TColor AColorFrom = clDefault, TColor AColorTo = clDefault) const;
  virtual void DrawPanelBorders(TcxCanvas* ACanvas, const RECT& ABorderRect) const;
  virtual void DrawPanelCaption(TcxCanvas* ACanvas, const RECT& ACaptionRect,
                                TcxGroupBoxCaptionPosition ACaptionPosition) const;
  virtual void DrawPanelContent(TcxCanvas* ACanvas, const RECT& ABorderRect, bool ABorder) const;
  virtual RECT PanelBorderSize() const;
  virtual TColor PanelTextColor() const;

  // Track bar
  virtual void DrawTrackBar(TcxCanvas* ACanvas, const RECT& ARect, const RECT& ASelection, bool AShowSelection,
                            bool AEnabled, bool AHorizontal) const;
  virtual void DrawTrackBarThumb(TcxCanvas* ACanvas, const RECT& ARect, TcxButtonState AState, bool AHorizontal,
                                 TcxTrackBarTicksAlign ATicks, TColor ABorderColor) const;
  virtual SIZE TrackBarThumbSize(bool AHorizontal) const;
  virtual TColor TrackBarTicksColor(bool AText) const;
  virtual int TrackBarTrackSize() const;

  // Splitter
  virtual void DrawSplitter(TcxCanvas* ACanvas, const RECT& ARect, bool AHighlighted, bool AClicked,
                            bool AHorizontal) const;
  virtual SIZE GetSplitterSize(bool AHorizontal) const;

  // Layout control
  virtual TColor LayoutControlEmptyAreaColor() const;
  virtual void DrawLayoutControlBackground(TcxCanvas* ACanvas, const RECT& R) const;

  // Print preview
  virtual RECT PrintPreviewPageBordersWidth() const;
  virtual void DrawPrintPreviewBackground(TcxCanvas* ACanvas, const RECT& R) const;
  virtual void DrawPrintPreviewPageBackground(TcxCanvas* ACanvas, const RECT& ABorderRect, const RECT& AContentRect,
                                              bool ASelected) const;

  // Calculator
  virtual TColor CalcEditButtonTextColor(TcxCalcButtonKind AButtonKind) const;
};

// The arrow of a scroll bar line button.
TcxArrowDirection ScrollBarLineArrowDirection(bool AHorizontal, TcxScrollBarPart APart);

}  // namespace talvik
