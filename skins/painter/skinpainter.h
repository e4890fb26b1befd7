// The skin painter: draws the standard parts with the elements and colours of
// a loaded skin, and wherever the skin lacks a part, as the Office 2003
// painter (or the generic one, where that is the older behaviour) would.
// One subclass per registered skin answers that skin's info object.
#pragma once
#include <string>

#include "lookandfeel/builtinpainters.h"
#include "skins/painter/skinpainterinfo.h"
#include "skins/format/skintypes.h"

namespace talvik {

class TdxSkinElement;

// The element state drawn for a button-like part.
TdxSkinElementState ButtonStateToSkinElementState(TcxButtonState AState);
// The image of the check-box element drawn for a check state.
int CheckBoxStateToImageIndex(TcxCheckBoxState AState);
// A skin colour that exists and is neither clNone nor clDefault.
bool IsSkinColorUsable(const TdxSkinColor* AColor);

class TdxSkinLookAndFeelPainter : public TcxOffice11LookAndFeelPainter {
public:
  static TcxCustomLookAndFeelPainterClass Instance();
  using TcxCustomLookAndFeelPainter::DrawArrow;
  using TcxCustomLookAndFeelPainter::DrawCheckButton;

  // Default colours
  TColor DefaultContentColor() const override;
  TColor DefaultContentEvenColor() const override;
  TColor DefaultContentOddColor() const override;
  TColor DefaultContentTextColor() const override;
  TColor DefaultEditorBackgroundColorEx(TcxEditStateColorKind AKind) const override;
  TColor DefaultEditorTextColorEx(TcxEditStateColorKind AKind) const override;
  TColor DefaultFilterBoxTextColor() const override;
  TColor DefaultFixedSeparatorColor() const override;
  TColor DefaultFooterColor() const override;
  TColor DefaultGridDetailsSiteColor() const override;
  TColor DefaultGridLineColor() const override;
  TColor DefaultGroupByBoxTextColor() const override;
  TColor DefaultGroupColor() const override;
  TColor DefaultGroupTextColor() const override;
  TColor DefaultHeaderBackgroundColor() const override;
  TColor DefaultHeaderBackgroundTextColor() const override;
  TColor DefaultHeaderColor() const override;
  TColor DefaultHeaderTextColor() const override;
  TColor DefaultHyperlinkTextColor() const override;
  TColor DefaultPreviewTextColor() const override;
  TColor DefaultRecordSeparatorColor() const override;
  TColor DefaultSizeGripAreaColor() const override;
  TColor DefaultVGridBandLineColor() const override;
  TColor DefaultVGridCategoryColor() const override;
  TColor DefaultVGridCategoryTextColor() const override;
  TColor DefaultVGridHeaderColor() const override;
  TColor DefaultVGridHeaderTextColor() const override;
  TColor DefaultVGridLineColor() const override;
  TColor DefaultDateNavigatorHeaderColor() const override;
  TColor DefaultDateNavigatorHeaderTextColor(bool AIsHighlight) const override;
  TColor DefaultDateNavigatorHolydayTextColor() const override;
  TColor DefaultDateNavigatorInactiveTextColor() const override;
  TColor DefaultDateNavigatorSelectionColor() const override;
  TColor DefaultDateNavigatorSelectionTextColor() const override;
  TColor DefaultDateNavigatorSeparator1Color() const override;
  TColor DefaultDateNavigatorSeparator2Color() const override;
  TColor DefaultDateNavigatorTextColor() const override;
  TColor DefaultDateNavigatorTodayFrameColor() const override;
  TColor DefaultDateNavigatorTodayTextColor() const override;
  TColor DefaultSchedulerBackgroundColor() const override;
  TColor DefaultSchedulerBorderColor() const override;
  TColor DefaultSchedulerControlColor() const override;
  TColor DefaultSchedulerNavigatorColor() const override;
  TColor DefaultSchedulerTimeRulerColor() const override;
  TColor DefaultSchedulerTimeRulerTextColor() const override;
  TColor DefaultSchedulerViewSelectedTextColor() const override;
  TColor DefaultSchedulerViewTextColor() const override;
  TColor DefaultSelectionColor() const override;
  TColor DefaultSelectionTextColor() const override;
  TColor DefaultSeparatorColor() const override;

  // Borders
  void DrawBorder(TcxCanvas* ACanvas, const RECT& R) const override;

  // Buttons. Colour, focus rectangle, text offset and shift, and hot tracking
  // stay those of the Office 2003 and ultra-flat painters.
  RECT AdjustGroupButtonDisplayRect(const RECT& R, int AButtonCount, int AButtonIndex) const override;
  int ButtonBorderSize(TcxButtonState AState = cxbsNormal) const override;
  RECT ButtonGroupBorderSizes(int AButtonCount, int AButtonIndex) const override;
  TColor ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor = clDefault) const override;
  void DrawButton(TcxCanvas* ACanvas, const RECT& R, const std::wstring& ACaption, TcxButtonState AState,
                  bool ADrawBorder = true, TColor AColor = clDefault, TColor ATextColor = clDefault,
                  bool AWordWrap = false, bool AIsToolButton = false) const override;
  void DrawButtonInGroup(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState, int AButtonCount,
                         int AButtonIndex, TColor ABackgroundColor) const override;
  void DrawButtonGroupBorder(TcxCanvas* ACanvas, const RECT& R, bool AInplace, bool ASelected) const override;

  // Expand buttons
  void DrawExpandButton(TcxCanvas* ACanvas, const RECT& R, bool AExpanded, TColor AColor = clDefault) const override;
  bool DrawExpandButtonFirst() const override;
  void DrawGroupExpandButton(TcxCanvas* ACanvas, const RECT& R, bool AExpanded, TcxButtonState AState) const override;
  void DrawSmallExpandButton(TcxCanvas* ACanvas, const RECT& R, bool AExpanded, TColor ABorderColor,
                             TColor AColor = clDefault) const override;
  int ExpandButtonSize() const override;
  int GroupExpandButtonSize() const override;
  bool IsPointOverGroupExpandButton(const RECT& R, POINT P) const override;
  int SmallExpandButtonSize() const override;

  // Check boxes and radio buttons
  SIZE CheckButtonSize() const override;
  void DrawCheckButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                       TcxCheckBoxState ACheckState) const override;
  void DrawRadioButton(TcxCanvas* ACanvas, int X, int Y, TcxButtonState AButtonState, bool AChecked, bool AFocused,
                       TColor ABrushColor) const override;
  SIZE RadioButtonSize() const override;

  // Label lines
  void DrawLabelLine(TcxCanvas* ACanvas, const RECT& R, TColor AOuterColor, TColor AInnerColor,
                     bool AIsVertical) const override;
  int LabelLineHeight() const override;

  // Headers
  void DrawHeader(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ATextAreaBounds, TcxNeighbors ANeighbors,
                  TcxBorders ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
                  TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const std::wstring& AText,
                  TFont* AFont, TColor ATextColor, TColor ABkColor,
                  const TcxDrawBackgroundEvent& AOnDrawBackground = {}, bool AIsLast = false,
                  bool AIsGroup = false) const override;
  void DrawHeaderSeparator(TcxCanvas* ACanvas, const RECT& ABounds, int AIndentSize, TColor AColor,
                           const TcxViewParams& AViewParams) const override;
  TcxBorders HeaderBorders(TcxNeighbors ANeighbors) const override;
  bool HeaderDrawCellsFirst() const override;

  // Grid, footer and filter
  void DrawGroupByBox(TcxCanvas* ACanvas, const RECT& ARect, bool ATransparent, TColor ABackgroundColor,
                      TBitmap* ABackgroundBitmap) const override;
  bool GridDrawHeaderCellsFirst() const override;
  TColor PivotGridHeadersAreaColor() const override;
  TColor PivotGridHeadersAreaTextColor() const override;
  int FooterCellBorderSize() const override;
  bool FooterDrawCellsFirst() const override;
  TColor FooterSeparatorColor() const override;
  void DrawFooterCell(TcxCanvas* ACanvas, const RECT& ABounds, TAlignment AAlignmentHorz,
                      TcxAlignmentVert AAlignmentVert, bool AMultiLine, const std::wstring& AText, TFont* AFont,
                      TColor ATextColor, TColor ABkColor,
                      const TcxDrawBackgroundEvent& AOnDrawBackground = {}) const override;
  void DrawFooterCellContent(TcxCanvas* ACanvas, const RECT& ABounds, TAlignment AAlignmentHorz,
                             TcxAlignmentVert AAlignmentVert, bool AMultiLine, const std::wstring& AText,
                             TFont* AFont, TColor ATextColor, TColor ABkColor,
                             const TcxDrawBackgroundEvent& AOnDrawBackground = {}) const override;
  void DrawFooterBorder(TcxCanvas* ACanvas, const RECT& R) const override;
  void DrawFooterCellBorder(TcxCanvas* ACanvas, const RECT& R) const override;
  void DrawFooterContent(TcxCanvas* ACanvas, const RECT& ARect, const TcxViewParams& AViewParams) const override;
  void DrawFilterCloseButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const override;
  void DrawFilterDropDownButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                bool AIsFilterActive) const override;
  void DrawFilterPanel(TcxCanvas* ACanvas, const RECT& R, bool ATransparent, TColor ABackgroundColor,
                       TBitmap* ABackgroundBitmap) const override;
  SIZE FilterCloseButtonSize() const override;

  // Windows
  void DrawWindowContent(TcxCanvas* ACanvas, const RECT& ARect) const override;

  // Row indicator
  void DrawIndicatorCustomizationMark(TcxCanvas* ACanvas, const RECT& R, TColor AColor) const override;
  void DrawIndicatorImage(TcxCanvas* ACanvas, const RECT& R, TcxIndicatorKind AKind) const override;

  // Scroll bars and size grip
  int ScrollBarMinimalThumbSize(bool AVertical) const override;
  void DrawScrollBarBackground(TcxCanvas* ACanvas, const RECT& R, bool AHorizontal) const override;
  void DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R, TcxScrollBarPart APart,
                         TcxButtonState AState) const override;
  SIZE SizeGripSize() const override;
  void DrawSizeGrip(TcxCanvas* ACanvas, const RECT& ARect, TColor ABackgroundColor = clDefault) const override;

  // Scheduler
  void DrawSchedulerEventProgress(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& AProgressChunk,
                                  const TcxViewParams& AViewParams, bool ATransparent) const override;
  RECT SchedulerEventProgressOffsets() const override;
  TColor SchedulerNavigationButtonTextColor(bool AIsNextButton, TcxButtonState AState,
                                            TColor ADefaultColor = clDefault) const override;
  void SchedulerNavigationButtonSizes(bool AIsNextButton, RECT& ABorders, SIZE& AArrowSize,
                                      bool& AHasTextArea) const override;

  // Clock
  void DrawClock(TcxCanvas* ACanvas, const RECT& ARect, const SYSTEMTIME& ATime,
                 TColor ABackgroundColor) const override;

  // Editors
  void DrawEditorButton(TcxCanvas* ACanvas, const RECT& ARect, TcxEditBtnKind AButtonKind, TcxButtonState AState,
                        int APosition = 0) const override;
  int EditButtonTextOffset() const override;
  SIZE EditButtonSize() const override;
  TColor EditButtonTextColor() const override;
  TColor GetContainerBorderColor(bool AIsHighlightBorder) const override;

  // Date navigator and data navigator
  void DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, const RECT& R) const override;
  void DrawNavigatorGlyph(TcxCanvas* ACanvas, HIMAGELIST AImageList, int AImageIndex, int AButtonIndex,
                          const RECT& AGlyphRect, bool AEnabled, bool AUserGlyphs) const override;
  SIZE NavigatorGlyphSize() const override;

  // Progress bar
  void DrawProgressBarBorder(TcxCanvas* ACanvas, const RECT& ARect, bool AVertical) const override;
  void DrawProgressBarChunk(TcxCanvas* ACanvas, const RECT& ARect, bool AVertical) const override;
  SIZE ProgressBarBorderSize(bool AVertical) const override;
  TColor ProgressBarTextColorEx(bool AIsFilledArea) const override;

  // Group box
  void DrawGroupBoxBackground(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ARect) const override;
  void DrawGroupBoxCaption(TcxCanvas* ACanvas, const RECT& ACaptionRect,
                           TcxGroupBoxCaptionPosition ACaptionPosition) const override;
  void DrawGroupBoxContent(TcxCanvas* ACanvas, const RECT& ABorderRect, TcxGroupBoxCaptionPosition ACaptionPosition,
                           TcxBorders ABorders = cxBordersAll) const override;
  void DrawGroupBoxFrame(TcxCanvas* ACanvas, const RECT& R, bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition,
                         TcxBorders ABorders = cxBordersAll) const override;
  RECT GroupBoxBorderSize(bool ACaption, TcxGroupBoxCaptionPosition ACaptionPosition) const override;
  TColor GroupBoxTextColor(bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition) const override;
  bool IsGroupBoxTransparent(bool AIsCaption, TcxGroupBoxCaptionPosition ACaptionPosition) const override;

  // Panel; the background stays the Office 2003 one.
  void DrawPanelBorders(TcxCanvas* ACanvas, const RECT& ABorderRect) const override;
  void DrawPanelContent(TcxCanvas* ACanvas, const RECT& ABorderRect, bool ABorder) const override;

  // Track bar
  void DrawTrackBar(TcxCanvas* ACanvas, const RECT& ARect, const RECT& ASelection, bool AShowSelection,
                    bool AEnabled, bool AHorizontal) const override;
  void DrawTrackBarThumb(TcxCanvas* ACanvas, const RECT& ARect, TcxButtonState AState, bool AHorizontal,
                         TcxTrackBarTicksAlign ATicks, TColor ABorderColor) const override;
  SIZE TrackBarThumbSize(bool AHorizontal) const override;
  int TrackBarTrackSize() const override;

  // Splitter
  void DrawSplitter(TcxCanvas* ACanvas, const RECT& ARect, bool AHighlighted, bool AClicked,
                    bool AHorizontal) const override;
  SIZE GetSplitterSize(bool AHorizontal) const override;

  // Layout control
  TColor LayoutControlEmptyAreaColor() const override;

  // Print preview
  RECT PrintPreviewPageBordersWidth() const override;
  void DrawPrintPreviewBackground(TcxCanvas* ACanvas, const RECT& R) const override;
  void DrawPrintPreviewPageBackground(TcxCanvas* ACanvas, const RECT& ABorderRect, const RECT& AContentRect,
                                      bool ASelected) const override;

  // Calculator
  TColor CalcEditButtonTextColor(TcxCalcButtonKind AButtonKind) const override;

  // Added by this painter.
  // The info registered with this painter class; nullptr for a class not registered.
  virtual TdxSkinLookAndFeelPainterInfo* GetSkinInfo() const;
  // EditButtonElements[AIndex] in R; false, drawing nothing, when the skin lacks it.
  virtual bool DrawEditButtonElement(TcxCanvas* ACanvas, const RECT& R, TdxSkinElementState AState,
                                     int AIndex) const;
  virtual std::wstring InternalUnitName() const;

protected:
  constexpr TdxSkinLookAndFeelPainter() = default;

  void DrawCellContent(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ATextAreaBounds, TcxButtonState AState,
                       const std::wstring& AText, TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                       bool AMultiLine, bool AShowEndEllipsis, TFont* AFont, TColor ATextColor, TColor ABkColor,
                       const TcxDrawBackgroundEvent& AOnDrawBackground) const override;
  void DrawFooterEdges(TcxCanvas* ACanvas, const RECT& R) const override;

  // The info's value of AField, or none without an info.
  template <class T>
  T* SkinPart(T* TdxSkinInfo::*AField) const {
    TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
    return info ? info->*AField : nullptr;
  }
  // A frame element around R's content (R shrunk by the element's content offsets), which stays as it was.
  static void DrawFrameElement(TcxCanvas* ACanvas, TdxSkinElement* AFrame, const RECT& R);
  // Draws AElement into R; false, drawing nothing, without an element.
  static bool DrawElement(TcxCanvas* ACanvas, TdxSkinElement* AElement, const RECT& R,
                          TdxSkinElementState AState = esNormal, int AImageIndex = 0);
  // The colour of a skin colour, or AFallback unless it is usable.
  static TColor ColorOr(const TdxSkinColor* AColor, TColor AFallback);
  // An element's colour or text colour, or AFallback unless that is a colour.
  static TColor ElementColorOr(TdxSkinElement* AElement, TColor AFallback);
  static TColor ElementTextColorOr(TdxSkinElement* AElement, TColor AFallback);
};

}  // namespace talvik
