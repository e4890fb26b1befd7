// The generic painter's grid parts: cells, headers, footers, filter buttons,
// tabs and the row indicator.
#include <windows.h>
#include <commctrl.h>

#include "lookandfeel/painter.h"
#include "lookandfeel/painterresources.h"
#include "lookandfeel/paintershapes.h"

namespace talvik {

using P = TcxCustomLookAndFeelPainter;

namespace {
TColor Either(TColor AColor, TColor ADefault) { return AColor == clDefault ? ADefault : AColor; }

void DrawTextClear(TcxCanvas* ACanvas, const std::wstring& AText, const RECT& R, TAlignment AAlignmentHorz,
                   TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis) {
  ACanvas->Brush().SetStyle(bsClear);
  ACanvas->DrawTexT(AText, R, AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis);
  ACanvas->Brush().SetStyle(bsSolid);
}

RECT ShrinkSides(const RECT& R, TcxBorders ABorders, int ASize) {
  return RECT{R.left + (HasBorder(ABorders, bLeft) ? ASize : 0), R.top + (HasBorder(ABorders, bTop) ? ASize : 0),
              R.right - (HasBorder(ABorders, bRight) ? ASize : 0),
              R.bottom - (HasBorder(ABorders, bBottom) ? ASize : 0)};
}
}  // namespace

// ---- content helpers

void P::FillAreaBackground(TcxCanvas* ACanvas, const RECT& ARect, TColor AColor, TBitmap* ABitmap) const {
  if (ABitmap && !ABitmap->Empty()) ACanvas->FillRect(ARect, ABitmap);
  else ACanvas->FillRect(ARect, AColor);
}

void P::DrawFilterArrow(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {
  TcxArrowPoints p;
  CalculateArrowPoints(R, p, adDown, true, 3);
  FillArrowPolygon(ACanvas, p, ButtonSymbolColor(AState));
}

void P::DrawCellContent(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ATextAreaBounds, TcxButtonState AState,
                        const std::wstring& AText, TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                        bool AMultiLine, bool AShowEndEllipsis, TFont* AFont, TColor ATextColor, TColor ABkColor,
                        const TcxDrawBackgroundEvent& AOnDrawBackground) const {
  if (!AOnDrawBackground || !AOnDrawBackground(ACanvas, ABounds)) ACanvas->FillRect(ABounds, ABkColor);
  if (AFont) ACanvas->SetFont(AFont);
  ACanvas->Font().SetColor(AState == cxbsDisabled ? clGrayText : Either(ATextColor, clBtnText));
  DrawTextClear(ACanvas, AText, ATextAreaBounds, AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis);
}

void P::DrawFooterEdges(TcxCanvas* ACanvas, const RECT& R) const {
  DrawFooterSeparator(ACanvas, R);
  DrawFooterBorder(ACanvas, R);
}

void P::DrawNavigationButtonBody(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {
  DrawButton(ACanvas, R, L"", AState);
}

RECT P::FooterCellInnerBounds(const RECT& ABounds) const {
  int b = FooterCellBorderSize();
  return InflateRectBy(ABounds, -b, -b);
}

RECT P::FooterCellTextBounds(const RECT& ABounds) const { return InflateRectBy(FooterCellInnerBounds(ABounds), -2, -2); }

// ---- headers

void P::DrawHeader(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ATextAreaBounds, TcxNeighbors ANeighbors,
                   TcxBorders ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
                   TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const std::wstring& AText,
                   TFont* AFont, TColor ATextColor, TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground,
                   bool AIsLast, bool AIsGroup) const {
  RECT text = AState == cxbsPressed ? OffsetRectBy(ATextAreaBounds, ButtonTextShift(), ButtonTextShift())
                                    : ATextAreaBounds;
  DrawCellContent(ACanvas, HeaderContentBounds(ABounds, ABorders), text, AState, AText, AAlignmentHorz,
                  AAlignmentVert, AMultiLine, AShowEndEllipsis, AFont, Either(ATextColor, DefaultHeaderTextColor()),
                  Either(ABkColor, DefaultHeaderColor()), AOnDrawBackground);
  DrawHeaderBorder(ACanvas, ABounds, ANeighbors, ABorders);
  if (AState == cxbsPressed) DrawHeaderPressed(ACanvas, ABounds);
}

void P::DrawHeaderEx(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ATextAreaBounds, TcxNeighbors ANeighbors,
                     TcxBorders ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
                     TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                     const std::wstring& AText, TFont* AFont, TColor ATextColor, TColor ABkColor,
                     const TcxDrawBackgroundEvent& AOnDrawBackground) const {
  DrawHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState, AAlignmentHorz, AAlignmentVert,
             AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor, AOnDrawBackground);
}

void P::DrawHeaderBorder(TcxCanvas* ACanvas, const RECT& R, TcxNeighbors ANeighbors, TcxBorders ABorders) const {
  ACanvas->DrawComplexFrame(R, clBtnHighlight, clBtnShadow, ABorders);
}

void P::DrawHeaderPressed(TcxCanvas* ACanvas, const RECT& ABounds) const { ACanvas->FrameRect(ABounds, clBtnShadow); }

void P::DrawHeaderControlSection(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ATextAreaBounds,
                                 TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                                 TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                 bool AShowEndEllipsis, const std::wstring& AText, TFont* AFont, TColor ATextColor,
                                 TColor ABkColor) const {
  DrawHeaderControlSectionBorder(ACanvas, ABounds, ABorders, AState);
  DrawHeaderControlSectionContent(ACanvas, HeaderControlSectionContentBounds(ABounds, AState), ATextAreaBounds,
                                  AState, AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont,
                                  ATextColor, ABkColor);
}

void P::DrawHeaderControlSectionBorder(TcxCanvas* ACanvas, const RECT& R, TcxBorders ABorders,
                                       TcxButtonState AState) const {
  if (AState == cxbsPressed) DrawHeaderPressed(ACanvas, R);
  else DrawHeaderBorder(ACanvas, R, 0, ABorders);
}

void P::DrawHeaderControlSectionContent(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ATextAreaBounds,
                                        TcxButtonState AState, TAlignment AAlignmentHorz,
                                        TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                                        const std::wstring& AText, TFont* AFont, TColor ATextColor,
                                        TColor ABkColor) const {
  ACanvas->FillRect(ABounds, Either(ABkColor, DefaultHeaderColor()));
  DrawHeaderControlSectionText(ACanvas, ATextAreaBounds, AState, AAlignmentHorz, AAlignmentVert, AMultiLine,
                               AShowEndEllipsis, AText, AFont, ATextColor);
}

void P::DrawHeaderControlSectionText(TcxCanvas* ACanvas, const RECT& ATextAreaBounds, TcxButtonState AState,
                                     TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                     bool AShowEndEllipsis, const std::wstring& AText, TFont* AFont,
                                     TColor ATextColor) const {
  if (AFont) ACanvas->SetFont(AFont);
  ACanvas->Font().SetColor(AState == cxbsDisabled ? clGrayText : Either(ATextColor, DefaultHeaderTextColor()));
  DrawTextClear(ACanvas, AText, ATextAreaBounds, AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis);
}

// The first AIndentSize pixels keep the view's colour; the rest is the separator line.
void P::DrawHeaderSeparator(TcxCanvas* ACanvas, const RECT& ABounds, int AIndentSize, TColor AColor,
                            const TcxViewParams& AViewParams) const {
  RECT indent = RectWithHorzBounds(ABounds, ABounds.left, std::min<LONG>(ABounds.left + AIndentSize, ABounds.right));
  ACanvas->FillRect(indent, AViewParams.Color);
  ACanvas->FillRect(RectWithHorzBounds(ABounds, indent.right, ABounds.right), AColor);
}

void P::DrawSortingMark(TcxCanvas* ACanvas, const RECT& R, bool AAscendingSorting) const {
  SIZE s = SortingMarkSize();
  TcxArrowPoints p;
  CalculateArrowPoints(CenterRect(R, s.cx, s.cy), p, AAscendingSorting ? adUp : adDown, false, s.cy);
  FillArrowPolygon(ACanvas, p, clBtnShadow);
}

// A neighbour on the left or above draws the shared edge.
TcxBorders P::HeaderBorders(TcxNeighbors ANeighbors) const {
  TcxBorders b = cxBordersAll;
  if (ANeighbors & (1u << nLeft)) b &= ~cxBordersLeft;
  if (ANeighbors & (1u << nTop)) b &= ~cxBordersTop;
  return b;
}

int P::HeaderBorderSize() const { return 1; }
RECT P::HeaderBounds(const RECT& ABounds, TcxNeighbors ANeighbors, TcxBorders ABorders) const { return ABounds; }
RECT P::HeaderContentBounds(const RECT& ABounds, TcxBorders ABorders) const {
  return ShrinkSides(ABounds, ABorders, HeaderBorderSize());
}
bool P::HeaderDrawCellsFirst() const { return true; }
int P::HeaderHeight(int AFontHeight) const { return AFontHeight + 2 * HeaderBorderSize() + 4; }
int P::HeaderControlSectionBorderSize(TcxButtonState AState) const { return HeaderBorderSize(); }

RECT P::HeaderControlSectionTextAreaBounds(const RECT& ABounds, TcxButtonState AState) const {
  RECT r = InflateRectBy(HeaderControlSectionContentBounds(ABounds, AState), -2, 0);
  return AState == cxbsPressed ? OffsetRectBy(r, ButtonTextShift(), ButtonTextShift()) : r;
}

RECT P::HeaderControlSectionContentBounds(const RECT& ABounds, TcxButtonState AState) const {
  int b = HeaderControlSectionBorderSize(AState);
  return InflateRectBy(ABounds, -b, -b);
}

int P::HeaderWidth(TcxCanvas* ACanvas, TcxBorders ABorders, const std::wstring& AText, TFont* AFont) const {
  if (AFont) ACanvas->SetFont(AFont);
  int borders = (HasBorder(ABorders, bLeft) + HasBorder(ABorders, bRight)) * HeaderBorderSize();
  return ACanvas->TextWidth(AText) + borders + 4;
}

bool P::IsHeaderHotTrack() const { return false; }
SIZE P::SortingMarkAreaSize() const { return SIZE{SortingMarkSize().cx + 8, SortingMarkSize().cy}; }
SIZE P::SortingMarkSize() const { return SIZE{7, 4}; }

// ---- grid, footer and filter

void P::DrawGroupByBox(TcxCanvas* ACanvas, const RECT& ARect, bool ATransparent, TColor ABackgroundColor,
                       TBitmap* ABackgroundBitmap) const {
  if (!ATransparent) FillAreaBackground(ACanvas, ARect, Either(ABackgroundColor, DefaultGroupByBoxColor()), ABackgroundBitmap);
}

bool P::GridDrawHeaderCellsFirst() const { return true; }
TColor P::PivotGridHeadersAreaColor() const { return DefaultHeaderBackgroundColor(); }
TColor P::PivotGridHeadersAreaTextColor() const { return DefaultHeaderBackgroundTextColor(); }
TcxBorders P::FooterBorders() const { return cxBordersAll; }
int P::FooterBorderSize() const { return 1; }
int P::FooterCellBorderSize() const { return 1; }
int P::FooterCellOffset() const { return 1; }
bool P::FooterDrawCellsFirst() const { return true; }
TColor P::FooterSeparatorColor() const { return clBtnShadow; }
int P::FooterSeparatorSize() const { return 1; }

void P::DrawFooterCell(TcxCanvas* ACanvas, const RECT& ABounds, TAlignment AAlignmentHorz,
                       TcxAlignmentVert AAlignmentVert, bool AMultiLine, const std::wstring& AText, TFont* AFont,
                       TColor ATextColor, TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground) const {
  DrawFooterCellBorder(ACanvas, ABounds);
  DrawFooterCellContent(ACanvas, FooterCellInnerBounds(ABounds), AAlignmentHorz, AAlignmentVert, AMultiLine, AText,
                        AFont, ATextColor, ABkColor, AOnDrawBackground);
}

void P::DrawFooterCellContent(TcxCanvas* ACanvas, const RECT& ABounds, TAlignment AAlignmentHorz,
                              TcxAlignmentVert AAlignmentVert, bool AMultiLine, const std::wstring& AText,
                              TFont* AFont, TColor ATextColor, TColor ABkColor,
                              const TcxDrawBackgroundEvent& AOnDrawBackground) const {
  DrawCellContent(ACanvas, ABounds, InflateRectBy(ABounds, -2, -2), cxbsNormal, AText, AAlignmentHorz,
                  AAlignmentVert, AMultiLine, false, AFont, Either(ATextColor, DefaultFooterTextColor()),
                  Either(ABkColor, DefaultFooterColor()), AOnDrawBackground);
}

// A raised footer holding sunken cells.
void P::DrawFooterBorder(TcxCanvas* ACanvas, const RECT& R) const {
  ACanvas->DrawComplexFrame(R, clBtnHighlight, clBtnShadow, FooterBorders());
}

void P::DrawFooterCellBorder(TcxCanvas* ACanvas, const RECT& R) const {
  ACanvas->DrawComplexFrame(R, clBtnShadow, clBtnHighlight);
}

void P::DrawFooterContent(TcxCanvas* ACanvas, const RECT& ARect, const TcxViewParams& AViewParams) const {
  FillAreaBackground(ACanvas, ARect, Either(AViewParams.Color, DefaultFooterColor()), AViewParams.Bitmap);
}

void P::DrawFooterSeparator(TcxCanvas* ACanvas, const RECT& R) const {
  ACanvas->FillRect(RectWithHeight(R, FooterSeparatorSize()), FooterSeparatorColor());
}

void P::DrawFilterActivateButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState, bool AChecked) const {
  DrawCheckButton(ACanvas, R, AState, AChecked);
}

void P::DrawFilterCloseButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {
  DrawButton(ACanvas, R, L"", AState);
  DrawButtonCross(ACanvas, R, clDefault, AState);
}

void P::DrawFilterDropDownButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                 bool AIsFilterActive) const {
  DrawButton(ACanvas, R, L"", AState);
  int b = ButtonBorderSize(AState);
  DrawFilterArrow(ACanvas, InflateRectBy(R, -b, -b), AState);
}

void P::DrawFilterPanel(TcxCanvas* ACanvas, const RECT& R, bool ATransparent, TColor ABackgroundColor,
                        TBitmap* ABackgroundBitmap) const {
  if (!ATransparent) FillAreaBackground(ACanvas, R, Either(ABackgroundColor, DefaultFilterBoxColor()), ABackgroundBitmap);
}

SIZE P::FilterActivateButtonSize() const { return CheckButtonSize(); }
SIZE P::FilterCloseButtonSize() const { return SIZE{16, 14}; }
int P::FilterDropDownButtonSize() const { return 12; }

void P::DrawFooterPanel(TcxCanvas* ACanvas, const RECT& ABounds, const TcxViewParams& AViewParams) const {
  DrawFooterContent(ACanvas, ABounds, AViewParams);
  DrawFooterEdges(ACanvas, ABounds);
}

// ---- tabs

void P::DrawTab(TcxCanvas* ACanvas, const RECT& R, TcxBorders ABorders, const std::wstring& AText,
                TcxButtonState AState, bool AVertical, TFont* AFont, TColor ATextColor, TColor ABkColor,
                bool AShowPrefix) const {
  ACanvas->FillRect(R, Either(ABkColor, DefaultTabColor()));
  for (TcxBorder side : {bLeft, bTop, bRight, bBottom})
    if (HasBorder(ABorders, side)) DrawTabBorder(ACanvas, R, side, ABorders, AVertical);
  if (AFont) ACanvas->SetFont(AFont);
  ACanvas->Font().SetColor(Either(ATextColor, DefaultTabTextColor()));
  ACanvas->Brush().SetStyle(bsClear);
  int flags = cxAlignHCenter | cxAlignVCenter | cxSingleLine | (AShowPrefix ? cxShowPrefix : 0);
  ACanvas->DrawTexT(AText, R, flags, AState != cxbsDisabled);
  ACanvas->Brush().SetStyle(bsSolid);
}

void P::DrawTabBorder(TcxCanvas* ACanvas, const RECT& R, TcxBorder ABorder, TcxBorders ABorders,
                      bool AVertical) const {
  TColor color = ABorder == bLeft || ABorder == bTop ? clBtnHighlight : clBtnShadow;
  ACanvas->FrameRect(R, color, TabBorderSize(AVertical), 1u << ABorder);
}

void P::DrawTabsRoot(TcxCanvas* ACanvas, const RECT& R, TcxBorders ABorders, bool AVertical) const {
  ACanvas->DrawComplexFrame(R, clBtnHighlight, clBtnShadow, ABorders);
}

bool P::IsDrawTabImplemented(bool AVertical) const { return !AVertical; }
bool P::IsTabHotTrack(bool AVertical) const { return false; }
int P::TabBorderSize(bool AVertical) const { return 1; }

// ---- row indicator

// A small table: a frame with a header line.
void P::DrawIndicatorCustomizationMark(TcxCanvas* ACanvas, const RECT& R, TColor AColor) const {
  RECT box = CenterRect(R, 8, 7);
  ACanvas->FrameRect(box, AColor);
  ACanvas->FillRect(RectWithTop(box, box.top + 2, 1), AColor);
}

void P::DrawIndicatorImage(TcxCanvas* ACanvas, const RECT& R, TcxIndicatorKind AKind) const {
  HIMAGELIST images = cxIndicatorImages();
  if (AKind == ikNone || !images) return;
  int w = 0, h = 0;
  ImageList_GetIconSize(images, &w, &h);
  RECT place = CenterRect(R, w, h);
  ACanvas->DrawImage(images, place.left, place.top, AKind - ikArrow);
}

void P::DrawIndicatorItem(TcxCanvas* ACanvas, const RECT& R, TcxIndicatorKind AKind, TColor AColor,
                          const TcxDrawBackgroundEvent& AOnDrawBackground) const {
  DrawIndicatorItemEx(ACanvas, R, AKind, AColor, 0, AOnDrawBackground);
}

void P::DrawIndicatorItemEx(TcxCanvas* ACanvas, const RECT& R, TcxIndicatorKind AKind, TColor AColor,
                            TcxNeighbors ANeighbors, const TcxDrawBackgroundEvent& AOnDrawBackground) const {
  TcxBorders borders = HeaderBorders(ANeighbors);
  DrawHeader(ACanvas, R, R, ANeighbors, borders, cxbsNormal, taLeftJustify, vaTop, false, false, L"", nullptr,
             clDefault, AColor, AOnDrawBackground);
  DrawIndicatorImage(ACanvas, HeaderContentBounds(R, borders), AKind);
}

bool P::IndicatorDrawItemsFirst() const { return true; }

}  // namespace talvik
