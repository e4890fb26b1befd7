// The five painters of the look-and-feel layer: standard (classic 3-D),
// flat (one-pixel edges), ultra-flat (flat frames, tinted hot and pressed
// parts), Office 2003 (ultra-flat in the Office 2003 colour scheme, and the
// skin painter's fallback) and native (the system's visual styles).
#pragma once
#include "lookandfeel/painter.h"
#include "lookandfeel/themes.h"

namespace talvik {

class TcxStandardLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
public:
  static TcxCustomLookAndFeelPainterClass Instance();
  using TcxCustomLookAndFeelPainter::DrawArrow;
  using TcxCustomLookAndFeelPainter::DrawCheckButton;

  TcxLookAndFeelStyle LookAndFeelStyle() const override;
  int BorderSize() const override;
  void DrawBorder(TcxCanvas* ACanvas, const RECT& R) const override;
  int ButtonBorderSize(TcxButtonState AState = cxbsNormal) const override;
  int ButtonTextOffset() const override;
  int ButtonTextShift() const override;
  void DrawButtonBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const override;
  void DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R, TcxScrollBarPart APart,
                         TcxButtonState AState) const override;
  int CheckBorderSize() const override;
  void DrawCheckBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const override;
  void DrawHeaderBorder(TcxCanvas* ACanvas, const RECT& R, TcxNeighbors ANeighbors,
                        TcxBorders ABorders) const override;
  int HeaderBorderSize() const override;
  TcxPopupBorderStyle PopupBorderStyle() const override;

protected:
  constexpr TcxStandardLookAndFeelPainter() = default;
};

class TcxFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
public:
  static TcxCustomLookAndFeelPainterClass Instance();
  using TcxCustomLookAndFeelPainter::DrawArrow;
  using TcxCustomLookAndFeelPainter::DrawCheckButton;

  TcxLookAndFeelStyle LookAndFeelStyle() const override;
  int BorderSize() const override;
  void DrawBorder(TcxCanvas* ACanvas, const RECT& R) const override;
  int ButtonBorderSize(TcxButtonState AState = cxbsNormal) const override;
  int ButtonTextOffset() const override;
  int ButtonTextShift() const override;
  void DrawButtonBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const override;
  void DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R, TcxScrollBarPart APart,
                         TcxButtonState AState) const override;
  int CheckBorderSize() const override;
  void DrawCheckBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const override;
  TcxPopupBorderStyle PopupBorderStyle() const override;

protected:
  constexpr TcxFlatLookAndFeelPainter() = default;
};

class TcxUltraFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
public:
  static TcxCustomLookAndFeelPainterClass Instance();
  using TcxCustomLookAndFeelPainter::DrawArrow;
  using TcxCustomLookAndFeelPainter::DrawCheckButton;

  TcxLookAndFeelStyle LookAndFeelStyle() const override;
  int BorderSize() const override;
  void DrawBorder(TcxCanvas* ACanvas, const RECT& R) const override;
  int ButtonBorderSize(TcxButtonState AState = cxbsNormal) const override;
  TColor ButtonColor(TcxButtonState AState) const override;
  RECT ButtonFocusRect(TcxCanvas* ACanvas, const RECT& R) const override;
  int ButtonTextOffset() const override;
  int ButtonTextShift() const override;
  TColor ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor = clDefault) const override;
  TcxButtonState ButtonSymbolState(TcxButtonState AState) const override;
  void DrawButtonBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const override;
  void DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R, TcxScrollBarPart APart,
                         TcxButtonState AState) const override;
  bool IsButtonHotTrack() const override;
  int CheckBorderSize() const override;
  void DrawCheckBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const override;
  void DrawFooterBorder(TcxCanvas* ACanvas, const RECT& R) const override;
  void DrawFooterCellBorder(TcxCanvas* ACanvas, const RECT& R) const override;
  void DrawFilterDropDownButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                bool AIsFilterActive) const override;
  TcxPopupBorderStyle PopupBorderStyle() const override;
  void DrawTabBorder(TcxCanvas* ACanvas, const RECT& R, TcxBorder ABorder, TcxBorders ABorders,
                     bool AVertical) const override;

  // Added by this painter.
  virtual TColor FilterButtonBorderColor(TcxButtonState AState) const;
  virtual TColor TabBorderColor() const;
  virtual TColor TabSelectedBorderColor() const;
  virtual TColor BorderHighlightColor() const;

protected:
  constexpr TcxUltraFlatLookAndFeelPainter() = default;
  // The one-pixel frame colour of a button that is not the default one.
  virtual TColor ButtonFrameColor(TcxButtonState AState) const;
};

class TcxOffice11LookAndFeelPainter : public TcxUltraFlatLookAndFeelPainter {
public:
  static TcxCustomLookAndFeelPainterClass Instance();
  using TcxCustomLookAndFeelPainter::DrawArrow;
  using TcxCustomLookAndFeelPainter::DrawCheckButton;

  TcxLookAndFeelStyle LookAndFeelStyle() const override;
  bool NeedRedrawOnResize() const override;
  void DrawBorder(TcxCanvas* ACanvas, const RECT& R) const override;
  TColor ButtonColor(TcxButtonState AState) const override;
  TColor ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor = clDefault) const override;
  void DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R, TcxScrollBarPart APart,
                         TcxButtonState AState) const override;
  void DrawSizeGrip(TcxCanvas* ACanvas, const RECT& ARect, TColor ABackgroundColor = clDefault) const override;
  void DrawPanelBackground(TcxCanvas* ACanvas, TWinControl* AControl, const RECT& ABounds,
                           TColor AColorFrom = clDefault, TColor AColorTo = clDefault) const override;
  TColor DefaultHeaderColor() const override;
  void DrawHeaderBorder(TcxCanvas* ACanvas, const RECT& R, TcxNeighbors ANeighbors,
                        TcxBorders ABorders) const override;
  void DrawSortingMark(TcxCanvas* ACanvas, const RECT& R, bool AAscendingSorting) const override;

  TColor FilterButtonBorderColor(TcxButtonState AState) const override;
  TColor TabBorderColor() const override;
  TColor BorderHighlightColor() const override;
  // Added by this painter: the Office 2003 header edges.
  virtual TColor HeaderEdgeDarkColor() const;
  virtual TColor HeaderEdgeShadowColor() const;
  virtual TColor HeaderEdgeLightColor() const;
  virtual TColor HeaderEdgeMidColor() const;

protected:
  constexpr TcxOffice11LookAndFeelPainter() = default;
  TColor ButtonFrameColor(TcxButtonState AState) const override;
};

class TcxWinXPLookAndFeelPainter : public TcxStandardLookAndFeelPainter {
public:
  static TcxCustomLookAndFeelPainterClass Instance();
  using TcxCustomLookAndFeelPainter::DrawArrow;
  using TcxCustomLookAndFeelPainter::DrawCheckButton;

  TcxLookAndFeelStyle LookAndFeelStyle() const override;
  bool NeedRedrawOnResize() const override;
  int BorderSize() const override;
  void DrawBorder(TcxCanvas* ACanvas, const RECT& R) const override;
  void DrawArrow(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState, TcxArrowDirection AArrowDirection,
                 bool ADrawBorder = true) const override;
  int ButtonBorderSize(TcxButtonState AState = cxbsNormal) const override;
  TColor ButtonColor(TcxButtonState AState) const override;
  RECT ButtonFocusRect(TcxCanvas* ACanvas, const RECT& R) const override;
  int ButtonTextOffset() const override;
  int ButtonTextShift() const override;
  TColor ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor = clDefault) const override;
  void DrawButton(TcxCanvas* ACanvas, const RECT& R, const std::wstring& ACaption, TcxButtonState AState,
                  bool ADrawBorder = true, TColor AColor = clDefault, TColor ATextColor = clDefault,
                  bool AWordWrap = false, bool AIsToolButton = false) const override;
  int ScrollBarMinimalThumbSize(bool AVertical) const override;
  void DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R, TcxScrollBarPart APart,
                         TcxButtonState AState) const override;
  void DrawSizeGrip(TcxCanvas* ACanvas, const RECT& ARect, TColor ABackgroundColor = clDefault) const override;
  void DrawPanelBackground(TcxCanvas* ACanvas, TWinControl* AControl, const RECT& ABounds,
                           TColor AColorFrom = clDefault, TColor AColorTo = clDefault) const override;
  SIZE CheckButtonSize() const override;
  void DrawCheckButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                       TcxCheckBoxState ACheckState) const override;
  void DrawHeader(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ATextAreaBounds, TcxNeighbors ANeighbors,
                  TcxBorders ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
                  TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const std::wstring& AText,
                  TFont* AFont, TColor ATextColor, TColor ABkColor,
                  const TcxDrawBackgroundEvent& AOnDrawBackground = {}, bool AIsLast = false,
                  bool AIsGroup = false) const override;

  // Added by this painter: cell text through the theme's text drawing.
  virtual void DrawThemedCellText(TcxCanvas* ACanvas, TdxThemedObjectType AType, int APart, int AState,
                                  const RECT& ABounds, const std::wstring& AText, TAlignment AAlignmentHorz,
                                  TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis) const;

protected:
  constexpr TcxWinXPLookAndFeelPainter() = default;
};

}  // namespace talvik
