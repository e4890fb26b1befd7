#include "lookandfeel/builtinpainters.h"

namespace talvik {
TcxCustomLookAndFeelPainterClass TcxStandardLookAndFeelPainter::Instance() { static const TcxStandardLookAndFeelPainter p; return &p; }
TcxLookAndFeelStyle TcxStandardLookAndFeelPainter::LookAndFeelStyle() const { return lfsStandard; }
int TcxStandardLookAndFeelPainter::BorderSize() const { return 0; }
void TcxStandardLookAndFeelPainter::DrawBorder(TcxCanvas* ACanvas, const RECT& R) const {  }
int TcxStandardLookAndFeelPainter::ButtonBorderSize(TcxButtonState AState) const { return 0; }
int TcxStandardLookAndFeelPainter::ButtonTextOffset() const { return 0; }
int TcxStandardLookAndFeelPainter::ButtonTextShift() const { return 0; }
void TcxStandardLookAndFeelPainter::DrawButtonBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {  }
void TcxStandardLookAndFeelPainter::DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R, TcxScrollBarPart APart, TcxButtonState AState) const {  }
int TcxStandardLookAndFeelPainter::CheckBorderSize() const { return 0; }
void TcxStandardLookAndFeelPainter::DrawCheckBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {  }
void TcxStandardLookAndFeelPainter::DrawHeaderBorder(TcxCanvas* ACanvas, const RECT& R, TcxNeighbors ANeighbors, TcxBorders ABorders) const {  }
int TcxStandardLookAndFeelPainter::HeaderBorderSize() const { return 0; }
void TcxStandardLookAndFeelPainter::DrawFooterBorder(TcxCanvas* ACanvas, const RECT& R) const {  }
void TcxStandardLookAndFeelPainter::DrawFooterCellBorder(TcxCanvas* ACanvas, const RECT& R) const {  }
TcxPopupBorderStyle TcxStandardLookAndFeelPainter::PopupBorderStyle() const { return pbsNone; }
void TcxStandardLookAndFeelPainter::DrawGroupBoxFrame(TcxCanvas* ACanvas, const RECT& R, bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition, TcxBorders ABorders) const {  }
TcxCustomLookAndFeelPainterClass TcxFlatLookAndFeelPainter::Instance() { static const TcxFlatLookAndFeelPainter p; return &p; }
TcxLookAndFeelStyle TcxFlatLookAndFeelPainter::LookAndFeelStyle() const { return lfsStandard; }
int TcxFlatLookAndFeelPainter::BorderSize() const { return 0; }
void TcxFlatLookAndFeelPainter::DrawBorder(TcxCanvas* ACanvas, const RECT& R) const {  }
int TcxFlatLookAndFeelPainter::ButtonBorderSize(TcxButtonState AState) const { return 0; }
int TcxFlatLookAndFeelPainter::ButtonTextOffset() const { return 0; }
int TcxFlatLookAndFeelPainter::ButtonTextShift() const { return 0; }
void TcxFlatLookAndFeelPainter::DrawButtonBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {  }
void TcxFlatLookAndFeelPainter::DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R, TcxScrollBarPart APart, TcxButtonState AState) const {  }
int TcxFlatLookAndFeelPainter::CheckBorderSize() const { return 0; }
void TcxFlatLookAndFeelPainter::DrawCheckBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {  }
void TcxFlatLookAndFeelPainter::DrawHeaderBorder(TcxCanvas* ACanvas, const RECT& R, TcxNeighbors ANeighbors, TcxBorders ABorders) const {  }
void TcxFlatLookAndFeelPainter::DrawFooterBorder(TcxCanvas* ACanvas, const RECT& R) const {  }
void TcxFlatLookAndFeelPainter::DrawFooterCellBorder(TcxCanvas* ACanvas, const RECT& R) const {  }
TcxPopupBorderStyle TcxFlatLookAndFeelPainter::PopupBorderStyle() const { return pbsNone; }
TcxCustomLookAndFeelPainterClass TcxUltraFlatLookAndFeelPainter::Instance() { static const TcxUltraFlatLookAndFeelPainter p; return &p; }
TcxLookAndFeelStyle TcxUltraFlatLookAndFeelPainter::LookAndFeelStyle() const { return lfsStandard; }
int TcxUltraFlatLookAndFeelPainter::BorderSize() const { return 0; }
void TcxUltraFlatLookAndFeelPainter::DrawBorder(TcxCanvas* ACanvas, const RECT& R) const {  }
int TcxUltraFlatLookAndFeelPainter::ButtonBorderSize(TcxButtonState AState) const { return 0; }
TColor TcxUltraFlatLookAndFeelPainter::ButtonColor(TcxButtonState AState) const { return clDefault; }
RECT TcxUltraFlatLookAndFeelPainter::ButtonFocusRect(TcxCanvas* ACanvas, const RECT& R) const { return {}; }
int TcxUltraFlatLookAndFeelPainter::ButtonTextOffset() const { return 0; }
int TcxUltraFlatLookAndFeelPainter::ButtonTextShift() const { return 0; }
TColor TcxUltraFlatLookAndFeelPainter::ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor) const { return clDefault; }
TcxButtonState TcxUltraFlatLookAndFeelPainter::ButtonSymbolState(TcxButtonState AState) const { return cxbsNormal; }
void TcxUltraFlatLookAndFeelPainter::DrawButtonBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {  }
void TcxUltraFlatLookAndFeelPainter::DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R, TcxScrollBarPart APart, TcxButtonState AState) const {  }
bool TcxUltraFlatLookAndFeelPainter::IsButtonHotTrack() const { return false; }
int TcxUltraFlatLookAndFeelPainter::CheckBorderSize() const { return 0; }
void TcxUltraFlatLookAndFeelPainter::DrawCheckBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {  }
void TcxUltraFlatLookAndFeelPainter::DrawHeaderBorder(TcxCanvas* ACanvas, const RECT& R, TcxNeighbors ANeighbors, TcxBorders ABorders) const {  }
void TcxUltraFlatLookAndFeelPainter::DrawFooterBorder(TcxCanvas* ACanvas, const RECT& R) const {  }
void TcxUltraFlatLookAndFeelPainter::DrawFooterCellBorder(TcxCanvas* ACanvas, const RECT& R) const {  }
void TcxUltraFlatLookAndFeelPainter::DrawFilterDropDownButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState, bool AIsFilterActive) const {  }
TcxPopupBorderStyle TcxUltraFlatLookAndFeelPainter::PopupBorderStyle() const { return pbsNone; }
void TcxUltraFlatLookAndFeelPainter::DrawTabBorder(TcxCanvas* ACanvas, const RECT& R, TcxBorder ABorder, TcxBorders ABorders, bool AVertical) const {  }
TColor TcxUltraFlatLookAndFeelPainter::FilterButtonBorderColor(TcxButtonState AState) const { return clDefault; }
TColor TcxUltraFlatLookAndFeelPainter::TabBorderColor() const { return clDefault; }
TColor TcxUltraFlatLookAndFeelPainter::TabSelectedBorderColor() const { return clDefault; }
TColor TcxUltraFlatLookAndFeelPainter::BorderHighlightColor() const { return clDefault; }
TColor TcxUltraFlatLookAndFeelPainter::ButtonFrameColor(TcxButtonState AState) const { return clDefault; }
TcxCustomLookAndFeelPainterClass TcxOffice11LookAndFeelPainter::Instance() { static const TcxOffice11LookAndFeelPainter p; return &p; }
TcxLookAndFeelStyle TcxOffice11LookAndFeelPainter::LookAndFeelStyle() const { return lfsStandard; }
bool TcxOffice11LookAndFeelPainter::NeedRedrawOnResize() const { return false; }
void TcxOffice11LookAndFeelPainter::DrawBorder(TcxCanvas* ACanvas, const RECT& R) const {  }
TColor TcxOffice11LookAndFeelPainter::ButtonColor(TcxButtonState AState) const { return clDefault; }
TColor TcxOffice11LookAndFeelPainter::ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor) const { return clDefault; }
void TcxOffice11LookAndFeelPainter::DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R, TcxScrollBarPart APart, TcxButtonState AState) const {  }
void TcxOffice11LookAndFeelPainter::DrawSizeGrip(TcxCanvas* ACanvas, const RECT& ARect, TColor ABackgroundColor) const {  }
void TcxOffice11LookAndFeelPainter::DrawPanelBackground(TcxCanvas* ACanvas, TWinControl* AControl, const RECT& ABounds, TColor AColorFrom, TColor AColorTo) const {  }
TColor TcxOffice11LookAndFeelPainter::DefaultHeaderColor() const { return clDefault; }
TColor TcxOffice11LookAndFeelPainter::DefaultFooterColor() const { return clDefault; }
TColor TcxOffice11LookAndFeelPainter::DefaultGroupByBoxColor() const { return clDefault; }
TColor TcxOffice11LookAndFeelPainter::DefaultSizeGripAreaColor() const { return clDefault; }
void TcxOffice11LookAndFeelPainter::DrawHeaderBorder(TcxCanvas* ACanvas, const RECT& R, TcxNeighbors ANeighbors, TcxBorders ABorders) const {  }
void TcxOffice11LookAndFeelPainter::DrawSortingMark(TcxCanvas* ACanvas, const RECT& R, bool AAscendingSorting) const {  }
TColor TcxOffice11LookAndFeelPainter::FilterButtonBorderColor(TcxButtonState AState) const { return clDefault; }
TColor TcxOffice11LookAndFeelPainter::TabBorderColor() const { return clDefault; }
TColor TcxOffice11LookAndFeelPainter::BorderHighlightColor() const { return clDefault; }
TColor TcxOffice11LookAndFeelPainter::HeaderEdgeDarkColor() const { return clDefault; }
TColor TcxOffice11LookAndFeelPainter::HeaderEdgeShadowColor() const { return clDefault; }
TColor TcxOffice11LookAndFeelPainter::HeaderEdgeLightColor() const { return clDefault; }
TColor TcxOffice11LookAndFeelPainter::HeaderEdgeMidColor() const { return clDefault; }
TColor TcxOffice11LookAndFeelPainter::ButtonFrameColor(TcxButtonState AState) const { return clDefault; }
TcxCustomLookAndFeelPainterClass TcxWinXPLookAndFeelPainter::Instance() { static const TcxWinXPLookAndFeelPainter p; return &p; }
TcxLookAndFeelStyle TcxWinXPLookAndFeelPainter::LookAndFeelStyle() const { return lfsStandard; }
bool TcxWinXPLookAndFeelPainter::NeedRedrawOnResize() const { return false; }
int TcxWinXPLookAndFeelPainter::BorderSize() const { return 0; }
void TcxWinXPLookAndFeelPainter::DrawBorder(TcxCanvas* ACanvas, const RECT& R) const {  }
void TcxWinXPLookAndFeelPainter::DrawArrow(TcxCanvas* ACanvas, const RECT& R, TcxArrowDirection AArrowDirection, TColor AColor) const {  }
void TcxWinXPLookAndFeelPainter::DrawArrow(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState, TcxArrowDirection AArrowDirection, bool ADrawBorder) const {  }
int TcxWinXPLookAndFeelPainter::ButtonBorderSize(TcxButtonState AState) const { return 0; }
TColor TcxWinXPLookAndFeelPainter::ButtonColor(TcxButtonState AState) const { return clDefault; }
RECT TcxWinXPLookAndFeelPainter::ButtonFocusRect(TcxCanvas* ACanvas, const RECT& R) const { return {}; }
int TcxWinXPLookAndFeelPainter::ButtonTextOffset() const { return 0; }
int TcxWinXPLookAndFeelPainter::ButtonTextShift() const { return 0; }
TColor TcxWinXPLookAndFeelPainter::ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor) const { return clDefault; }
void TcxWinXPLookAndFeelPainter::DrawButton(TcxCanvas* ACanvas, const RECT& R, const std::wstring& ACaption, TcxButtonState AState, bool ADrawBorder, TColor AColor, TColor ATextColor, bool AWordWrap, bool AIsToolButton) const {  }
int TcxWinXPLookAndFeelPainter::ScrollBarMinimalThumbSize(bool AVertical) const { return 0; }
void TcxWinXPLookAndFeelPainter::DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R, TcxScrollBarPart APart, TcxButtonState AState) const {  }
void TcxWinXPLookAndFeelPainter::DrawSizeGrip(TcxCanvas* ACanvas, const RECT& ARect, TColor ABackgroundColor) const {  }
void TcxWinXPLookAndFeelPainter::DrawPanelBackground(TcxCanvas* ACanvas, TWinControl* AControl, const RECT& ABounds, TColor AColorFrom, TColor AColorTo) const {  }
SIZE TcxWinXPLookAndFeelPainter::CheckButtonSize() const { return {}; }
void TcxWinXPLookAndFeelPainter::DrawCheckButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState, TcxCheckBoxState ACheckState) const {  }
void TcxWinXPLookAndFeelPainter::DrawHeader(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ATextAreaBounds, TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState, TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const std::wstring& AText, TFont* AFont, TColor ATextColor, TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground, bool AIsLast, bool AIsGroup) const {  }
void TcxWinXPLookAndFeelPainter::DrawThemedCellText(TcxCanvas* ACanvas, TdxThemedObjectType AType, int APart, int AState, const RECT& ABounds, const std::wstring& AText, TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis) const {  }
void TcxFlatLookAndFeelPainter::DrawButtonStyleScrollBarPart(TcxCanvas*, bool, const RECT&, TcxScrollBarPart, TcxButtonState, bool, bool) const {}
}  // namespace talvik
