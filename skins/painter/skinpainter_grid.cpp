// The skin painter's grid parts: cells, expand buttons, headers, footers,
// filter buttons and the row indicator.
#include "lookandfeel/paintershapes.h"
#include "skins/model/skin.h"
#include "skins/painter/skinpainter.h"

namespace talvik {

using S = TdxSkinLookAndFeelPainter;
using O = TcxOffice11LookAndFeelPainter;
using I = TdxSkinInfo;

namespace {
void DrawTextClear(TcxCanvas* ACanvas, const std::wstring& AText, const RECT& R, TAlignment AAlignmentHorz,
                   TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis) {
  ACanvas->Brush().SetStyle(bsClear);
  ACanvas->DrawTexT(AText, R, AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis);
  ACanvas->Brush().SetStyle(bsSolid);
}

// The second picture shows the expanded sign where the element has one.
int ExpandImageIndex(TdxSkinElement* AElement, bool AExpanded) {
  return AExpanded && AElement->ImageCount() > 1 ? 1 : 0;
}
}  // namespace

void S::DrawCellContent(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ATextAreaBounds, TcxButtonState AState,
                        const std::wstring& AText, TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                        bool AMultiLine, bool AShowEndEllipsis, TFont* AFont, TColor ATextColor, TColor ABkColor,
                        const TcxDrawBackgroundEvent& AOnDrawBackground) const {
  O::DrawCellContent(ACanvas, ABounds, ATextAreaBounds, AState, AText, AAlignmentHorz, AAlignmentVert, AMultiLine,
                     AShowEndEllipsis, AFont, ATextColor == clDefault ? DefaultContentTextColor() : ATextColor,
                     ABkColor, AOnDrawBackground);
}

// ---- expand buttons

void S::DrawExpandButton(TcxCanvas* ACanvas, const RECT& R, bool AExpanded, TColor AColor) const {
  TdxSkinElement* button = SkinPart(&I::ExpandButton);
  if (!DrawElement(ACanvas, button, R, esNormal, button ? ExpandImageIndex(button, AExpanded) : 0))
    O::DrawExpandButton(ACanvas, R, AExpanded, AColor);
}

// The element may be translucent: the cell goes first.
bool S::DrawExpandButtonFirst() const { return SkinPart(&I::ExpandButton) ? false : O::DrawExpandButtonFirst(); }

void S::DrawGroupExpandButton(TcxCanvas* ACanvas, const RECT& R, bool AExpanded, TcxButtonState AState) const {
  TdxSkinElement* button = SkinPart(&I::ExpandButton);
  if (!DrawElement(ACanvas, button, R, ButtonStateToSkinElementState(AState),
                   button ? ExpandImageIndex(button, AExpanded) : 0))
    O::DrawGroupExpandButton(ACanvas, R, AExpanded, AState);
}

void S::DrawSmallExpandButton(TcxCanvas* ACanvas, const RECT& R, bool AExpanded, TColor ABorderColor,
                              TColor AColor) const {
  TdxSkinElement* button = SkinPart(&I::ExpandButton);
  if (!DrawElement(ACanvas, button, R, esNormal, button ? ExpandImageIndex(button, AExpanded) : 0))
    O::DrawSmallExpandButton(ACanvas, R, AExpanded, ABorderColor, AColor);
}

int S::ExpandButtonSize() const {
  TdxSkinElement* button = SkinPart(&I::ExpandButton);
  return button ? button->Size().cx : O::ExpandButtonSize();
}

int S::GroupExpandButtonSize() const {
  TdxSkinElement* button = SkinPart(&I::ExpandButton);
  return button ? button->Size().cx : O::GroupExpandButtonSize();
}

bool S::IsPointOverGroupExpandButton(const RECT& R, POINT P) const {
  TdxSkinElement* button = SkinPart(&I::ExpandButton);
  if (!button) return O::IsPointOverGroupExpandButton(R, P);
  SIZE size = button->Size();
  RECT hit = CenterRect(R, size.cx, size.cy);
  return PtInRect(&hit, P) != 0;
}

int S::SmallExpandButtonSize() const {
  TdxSkinElement* button = SkinPart(&I::ExpandButton);
  return button ? button->Size().cx : O::SmallExpandButtonSize();
}

// ---- headers

void S::DrawHeader(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ATextAreaBounds, TcxNeighbors ANeighbors,
                   TcxBorders ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
                   TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const std::wstring& AText,
                   TFont* AFont, TColor ATextColor, TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground,
                   bool AIsLast, bool AIsGroup) const {
  TdxSkinElement* header = SkinPart(AIsGroup && SkinPart(&I::HeaderSpecial) ? &I::HeaderSpecial : &I::Header);
  if (!header) {
    O::DrawHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState, AAlignmentHorz, AAlignmentVert,
                  AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor, AOnDrawBackground, AIsLast,
                  AIsGroup);
    return;
  }
  if (!AOnDrawBackground || !AOnDrawBackground(ACanvas, ABounds))
    DrawElement(ACanvas, header, ABounds, ButtonStateToSkinElementState(AState));
  if (AFont) ACanvas->SetFont(AFont);
  TColor text = header->GetTextColor(AState);
  if (text == clNone || text == clDefault) text = DefaultHeaderTextColor();
  ACanvas->Font().SetColor(ATextColor == clDefault ? text : ATextColor);
  DrawTextClear(ACanvas, AText, ATextAreaBounds, AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis);
}

void S::DrawHeaderSeparator(TcxCanvas* ACanvas, const RECT& ABounds, int AIndentSize, TColor AColor,
                            const TcxViewParams& AViewParams) const {
  if (!DrawElement(ACanvas, SkinPart(&I::Header), ABounds))
    O::DrawHeaderSeparator(ACanvas, ABounds, AIndentSize, AColor, AViewParams);
}

// The header element draws every edge of its cell.
TcxBorders S::HeaderBorders(TcxNeighbors ANeighbors) const {
  return SkinPart(&I::Header) ? cxBordersAll : O::HeaderBorders(ANeighbors);
}

bool S::HeaderDrawCellsFirst() const { return false; }

// ---- grid, footer and filter

void S::DrawGroupByBox(TcxCanvas* ACanvas, const RECT& ARect, bool ATransparent, TColor ABackgroundColor,
                       TBitmap* ABackgroundBitmap) const {
  if (ATransparent || !DrawElement(ACanvas, SkinPart(&I::GridGroupByBox), ARect))
    O::DrawGroupByBox(ACanvas, ARect, ATransparent, ABackgroundColor, ABackgroundBitmap);
}

bool S::GridDrawHeaderCellsFirst() const { return SkinPart(&I::Header) ? false : O::GridDrawHeaderCellsFirst(); }

int S::FooterCellBorderSize() const {
  TdxSkinElement* cell = SkinPart(&I::FooterCell);
  return cell ? cell->ContentOffset()->Left() : O::FooterCellBorderSize();
}

bool S::FooterDrawCellsFirst() const { return false; }

void S::DrawFooterCell(TcxCanvas* ACanvas, const RECT& ABounds, TAlignment AAlignmentHorz,
                       TcxAlignmentVert AAlignmentVert, bool AMultiLine, const std::wstring& AText, TFont* AFont,
                       TColor ATextColor, TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground) const {
  if (!DrawElement(ACanvas, SkinPart(&I::FooterCell), ABounds)) {
    O::DrawFooterCell(ACanvas, ABounds, AAlignmentHorz, AAlignmentVert, AMultiLine, AText, AFont, ATextColor, ABkColor,
                      AOnDrawBackground);
    return;
  }
  DrawFooterCellContent(ACanvas, FooterCellInnerBounds(ABounds), AAlignmentHorz, AAlignmentVert, AMultiLine, AText,
                        AFont, ATextColor, ABkColor, AOnDrawBackground);
}

// The cell element is the background: only a caller's own background replaces it.
void S::DrawFooterCellContent(TcxCanvas* ACanvas, const RECT& ABounds, TAlignment AAlignmentHorz,
                              TcxAlignmentVert AAlignmentVert, bool AMultiLine, const std::wstring& AText,
                              TFont* AFont, TColor ATextColor, TColor ABkColor,
                              const TcxDrawBackgroundEvent& AOnDrawBackground) const {
  TdxSkinElement* cell = SkinPart(&I::FooterCell);
  if (!cell) {
    O::DrawFooterCellContent(ACanvas, ABounds, AAlignmentHorz, AAlignmentVert, AMultiLine, AText, AFont, ATextColor,
                             ABkColor, AOnDrawBackground);
    return;
  }
  if (AOnDrawBackground) AOnDrawBackground(ACanvas, ABounds);
  if (AFont) ACanvas->SetFont(AFont);
  ACanvas->Font().SetColor(ATextColor == clDefault ? ElementTextColorOr(cell, DefaultFooterTextColor()) : ATextColor);
  DrawTextClear(ACanvas, AText, InflateRectBy(ABounds, -2, -2), AAlignmentHorz, AAlignmentVert, AMultiLine, false);
}

// The panel and cell elements carry their own edges.
void S::DrawFooterBorder(TcxCanvas* ACanvas, const RECT& R) const {
  if (!SkinPart(&I::FooterPanel)) O::DrawFooterBorder(ACanvas, R);
}

void S::DrawFooterCellBorder(TcxCanvas* ACanvas, const RECT& R) const {
  if (!SkinPart(&I::FooterCell)) O::DrawFooterCellBorder(ACanvas, R);
}

void S::DrawFooterEdges(TcxCanvas* ACanvas, const RECT& R) const {
  if (!SkinPart(&I::FooterPanel)) O::DrawFooterEdges(ACanvas, R);
}

void S::DrawFooterContent(TcxCanvas* ACanvas, const RECT& ARect, const TcxViewParams& AViewParams) const {
  if (!DrawElement(ACanvas, SkinPart(&I::FooterPanel), ARect)) O::DrawFooterContent(ACanvas, ARect, AViewParams);
}

void S::DrawFilterCloseButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {
  if (!DrawEditButtonElement(ACanvas, R, ButtonStateToSkinElementState(AState), 1))
    O::DrawFilterCloseButton(ACanvas, R, AState);
}

void S::DrawFilterDropDownButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                 bool AIsFilterActive) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  if (!DrawElement(ACanvas, info ? info->FilterButtons[AIsFilterActive] : nullptr, R,
                   ButtonStateToSkinElementState(AState)))
    O::DrawFilterDropDownButton(ACanvas, R, AState, AIsFilterActive);
}

void S::DrawFilterPanel(TcxCanvas* ACanvas, const RECT& R, bool ATransparent, TColor ABackgroundColor,
                        TBitmap* ABackgroundBitmap) const {
  if (ATransparent || !DrawElement(ACanvas, SkinPart(&I::FilterPanel), R))
    O::DrawFilterPanel(ACanvas, R, ATransparent, ABackgroundColor, ABackgroundBitmap);
}

SIZE S::FilterCloseButtonSize() const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  return info && info->EditButtonElements[1] ? info->EditButtonElements[1]->Size() : O::FilterCloseButtonSize();
}

// ---- row indicator

void S::DrawIndicatorCustomizationMark(TcxCanvas* ACanvas, const RECT& R, TColor AColor) const {
  O::DrawIndicatorCustomizationMark(ACanvas, R, AColor == clDefault ? DefaultHeaderTextColor() : AColor);
}

// One picture per indicator kind from the arrow on, centred at its own size.
void S::DrawIndicatorImage(TcxCanvas* ACanvas, const RECT& R, TcxIndicatorKind AKind) const {
  TdxSkinElement* images = SkinPart(&I::IndicatorImages);
  int index = AKind - ikArrow;
  if (!images || AKind == ikNone || index >= images->ImageCount()) return O::DrawIndicatorImage(ACanvas, R, AKind);
  SIZE size = images->Size();
  DrawElement(ACanvas, images, CenterRect(R, size.cx, size.cy), esNormal, index);
}

}  // namespace talvik
