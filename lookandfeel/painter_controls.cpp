// The generic painter's parts of the rarer controls: scheduler and charts,
// clock, editors, navigators, progress bar, track bar, splitter, layout
// control, print preview and calculator.
#include "lookandfeel/painter.h"
#include "lookandfeel/paintershapes.h"

namespace talvik {

using P = TcxCustomLookAndFeelPainter;

namespace {
constexpr TColor clMaroon = 0x000080, clNavy = 0x800000;

TColor Either(TColor AColor, TColor ADefault) { return AColor == clDefault ? ADefault : AColor; }

void DrawSmallArrow(TcxCanvas* ACanvas, const RECT& R, TcxArrowDirection ADirection,
                    TColor AColor) {
  TcxArrowPoints p;
  P::CalculateArrowPoints(R, p, ADirection, true, 4);
  FillArrowPolygon(ACanvas, p, AColor);
}
}  // namespace

// ---- scheduler and charts

// The arrow sits at the top of a vertical button, or on the side it points to.
void P::CalculateSchedulerNavigationButtonRects(bool AIsNextButton, bool AIsVertical, RECT& ABounds,
                                                RECT& ATextRect, RECT& AArrowRect) const {
  RECT borders{};
  SIZE arrow{};
  bool hasText = false;
  SchedulerNavigationButtonSizes(AIsNextButton, borders, arrow, hasText);
  RECT content = RectContent(ABounds, borders);
  if (AIsVertical) {
    AArrowRect = CenterRect(RectWithHeight(content, arrow.cy), arrow.cx, arrow.cy);
    ATextRect = RectWithVertBounds(content, content.top + arrow.cy + 2, content.bottom);
  } else {
    int x = AIsNextButton ? content.right - arrow.cx : content.left;
    AArrowRect = CenterRect(RectWithLeft(content, x, arrow.cx), arrow.cx, arrow.cy);
    ATextRect = AIsNextButton ? RectWithHorzBounds(content, content.left, x - 2)
                              : RectWithHorzBounds(content, x + arrow.cx + 2, content.right);
  }
  if (!hasText) ATextRect = RECT{};
}

void P::DrawMonthHeader(TcxCanvas* ACanvas, const RECT& ABounds, const std::wstring& AText, TcxNeighbors ANeighbors,
                        const TcxViewParams& AViewParams, TcxHeaderArrows AArrows, TcxBorders ABorders,
                        const TcxDrawBackgroundEvent& AOnDrawBackground) const {
  DrawHeader(ACanvas, ABounds, ABounds, ANeighbors, ABorders, cxbsNormal, taCenter, vaCenter, false, true, AText,
             AViewParams.Font, AViewParams.TextColor, AViewParams.Color, AOnDrawBackground);
  RECT content = HeaderContentBounds(ABounds, ABorders);
  int side = RectHeight(content);
  TColor color = Either(AViewParams.TextColor, DefaultHeaderTextColor());
  if (AArrows == haLeft || AArrows == haBoth)
    DrawArrow(ACanvas, RectWithLeft(content, content.left, side), adLeft, color);
  if (AArrows == haRight || AArrows == haBoth)
    DrawArrow(ACanvas, RectWithLeft(content, content.right - side, side), adRight, color);
}

void P::DrawSchedulerBorder(TcxCanvas* ACanvas, const RECT& R) const {
  ACanvas->FrameRect(R, DefaultSchedulerBorderColor());
}

void P::DrawSchedulerEventProgress(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& AProgressChunk,
                                   const TcxViewParams& AViewParams, bool ATransparent) const {
  if (!ATransparent) ACanvas->FillRect(ABounds, Either(AViewParams.Color, clWindow));
  ACanvas->FrameRect(ABounds, clBtnShadow);
  ACanvas->FillRect(AProgressChunk, clHighlight);
}

void P::DrawSchedulerNavigationButton(TcxCanvas* ACanvas, const RECT& ARect, bool AIsNextButton,
                                      TcxButtonState AState, const std::wstring& AText, const RECT& ATextRect,
                                      const RECT& AArrowRect) const {
  DrawNavigationButtonBody(ACanvas, ARect, AState);
  TColor color = SchedulerNavigationButtonTextColor(AIsNextButton, AState);
  DrawSchedulerNavigationButtonArrow(ACanvas, AArrowRect, AIsNextButton, color);
  ACanvas->Font().SetColor(color);
  ACanvas->Brush().SetStyle(bsClear);
  ACanvas->DrawTexT(AText, ATextRect, cxAlignHCenter | cxAlignVCenter | cxWordBreak);
  ACanvas->Brush().SetStyle(bsSolid);
}

void P::DrawSchedulerNavigationButtonArrow(TcxCanvas* ACanvas, const RECT& ARect, bool AIsNextButton,
                                           TColor AColor) const {
  DrawArrow(ACanvas, ARect, AIsNextButton ? adRight : adLeft, AColor);
}

void P::DrawSchedulerNavigatorButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const {
  DrawButton(ACanvas, R, L"", AState);
}

void P::DrawSchedulerSplitterBorder(TcxCanvas* ACanvas, const RECT& R, const TcxViewParams& AViewParams,
                                    bool AIsHorizontal) const {
  ACanvas->FillRect(R, Either(AViewParams.Color, clBtnFace));
  TcxBorders sides = AIsHorizontal ? cxBordersTop | cxBordersBottom : cxBordersLeft | cxBordersRight;
  ACanvas->DrawComplexFrame(R, clBtnHighlight, clBtnShadow, sides);
}

RECT P::SchedulerEventProgressOffsets() const { return RECT{1, 1, 1, 1}; }

TColor P::SchedulerNavigationButtonTextColor(bool AIsNextButton, TcxButtonState AState, TColor ADefaultColor) const {
  return ButtonSymbolColor(AState, ADefaultColor);
}

void P::SchedulerNavigationButtonSizes(bool AIsNextButton, RECT& ABorders, SIZE& AArrowSize,
                                       bool& AHasTextArea) const {
  int b = ButtonBorderSize() + 2;
  ABorders = RECT{b, b, b, b};
  AArrowSize = SIZE{4, 7};
  AHasTextArea = true;
}

int P::ChartToolBoxDataLevelInfoBorderSize() const { return 1; }

// ---- clock

void P::DrawClock(TcxCanvas* ACanvas, const RECT& ARect, const SYSTEMTIME& ATime, TColor ABackgroundColor) const {
  ACanvas->FillRect(ARect, ABackgroundColor);
  int side = std::min(RectWidth(ARect), RectHeight(ARect));
  if (side < 8) return;
  RECT face = CenterRect(ARect, side, side);
  ACanvas->Pen().SetStyle(psSolid);
  ACanvas->Pen().SetColor(clBtnShadow);
  ACanvas->SetBrushColor(clWindow);
  Ellipse(ACanvas->Handle(), face.left, face.top, face.right, face.bottom);
  for (int h = 0; h < 12; ++h) {
    POINT p = ClockPoint(face, h / 12.0, side / 2.0 - 3);
    ACanvas->FillRect(RECT{p.x - 1, p.y - 1, p.x + 1, p.y + 1}, clBtnText);
  }
  DrawClockHands(ACanvas, face, ATime, clBtnText);
}

// ---- editors

void P::DrawEditorButton(TcxCanvas* ACanvas, const RECT& ARect, TcxEditBtnKind AButtonKind, TcxButtonState AState,
                         int APosition) const {
  DrawButton(ACanvas, ARect, L"", AState);
  int b = ButtonBorderSize(AState);
  RECT r = InflateRectBy(ARect, -b, -b);
  if (AState == cxbsPressed) r = OffsetRectBy(r, ButtonTextShift(), ButtonTextShift());
  TColor color = ButtonSymbolColor(AState);
  switch (AButtonKind) {
    case cxbkCloseBtn: DrawButtonCross(ACanvas, r, clDefault, AState); break;
    case cxbkComboBtn: DrawSmallArrow(ACanvas, r, adDown, color); break;
    case cxbkEditorBtn: break;
    case cxbkEllipsisBtn: DrawEllipsisDots(ACanvas, r, color); break;
    case cxbkSpinUpBtn: DrawSmallArrow(ACanvas, r, adUp, color); break;
    case cxbkSpinDownBtn: DrawSmallArrow(ACanvas, r, adDown, color); break;
    case cxbkSpinLeftBtn: DrawSmallArrow(ACanvas, r, adLeft, color); break;
    case cxbkSpinRightBtn: DrawSmallArrow(ACanvas, r, adRight, color); break;
  }
}

int P::EditButtonTextOffset() const { return 1; }
SIZE P::EditButtonSize() const { return SIZE{GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)}; }
TColor P::EditButtonTextColor() const { return ButtonSymbolColor(cxbsNormal); }
TColor P::GetContainerBorderColor(bool AIsHighlightBorder) const {
  return AIsHighlightBorder ? clHighlight : clBtnShadow;
}

// ---- date navigator and data navigator

void P::DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, const RECT& R) const {
  ACanvas->FillRect(R, DefaultDateNavigatorHeaderColor());
  ACanvas->DrawComplexFrame(R, clBtnHighlight, clBtnShadow);
}

void P::DrawNavigatorGlyph(TcxCanvas* ACanvas, HIMAGELIST AImageList, int AImageIndex, int AButtonIndex,
                           const RECT& AGlyphRect, bool AEnabled, bool AUserGlyphs) const {
  ACanvas->DrawImage(AImageList, AGlyphRect.left, AGlyphRect.top, AImageIndex, AEnabled);
}

SIZE P::NavigatorGlyphSize() const { return SIZE{11, 11}; }

// ---- progress bar

void P::DrawProgressBarBorder(TcxCanvas* ACanvas, const RECT& ARect, bool AVertical) const {
  ACanvas->DrawEdge(ARect, true, true);
}

void P::DrawProgressBarChunk(TcxCanvas* ACanvas, const RECT& ARect, bool AVertical) const {
  ACanvas->FillRect(ARect, clHighlight);
}

// The text changes colour where it crosses the filled part.
void P::DrawProgressBarText(TcxCanvas* ACanvas, bool AVertical, bool ASolid, const std::wstring& AText,
                            const RECT& ATextRect, const RECT& AContentRect, const RECT& AChunkRect,
                            TColor ATextColor) const {
  int flags = cxAlignHCenter | cxAlignVCenter | cxSingleLine;
  ACanvas->Brush().SetStyle(bsClear);
  for (bool filled : {true, false}) {
    ACanvas->SaveClipRegion();
    ACanvas->IntersectClipRect(AContentRect);
    if (filled) ACanvas->IntersectClipRect(AChunkRect);
    else ACanvas->ExcludeClipRect(AChunkRect);
    ACanvas->Font().SetColor(Either(ATextColor, ProgressBarTextColorEx(filled)));
    ACanvas->DrawTexT(AText, ATextRect, flags);
    ACanvas->RestoreClipRegion();
  }
  ACanvas->Brush().SetStyle(bsSolid);
}

SIZE P::ProgressBarBorderSize(bool AVertical) const { return SIZE{1, 1}; }
TColor P::ProgressBarTextColor() const { return clWindowText; }
TColor P::ProgressBarTextColorEx(bool AIsFilledArea) const {
  return AIsFilledArea ? clHighlightText : ProgressBarTextColor();
}

// ---- track bar

void P::DrawTrackBar(TcxCanvas* ACanvas, const RECT& ARect, const RECT& ASelection, bool AShowSelection,
                     bool AEnabled, bool AHorizontal) const {
  ACanvas->DrawEdge(ARect, true, true);
  RECT inner = InflateRectBy(ARect, -1, -1);
  ACanvas->DrawEdge(inner, true, false);
  ACanvas->FillRect(InflateRectBy(inner, -1, -1), AEnabled ? clWindow : clBtnFace);
  if (AShowSelection) ACanvas->FillRect(ASelection, clHighlight);
}

void P::DrawTrackBarThumb(TcxCanvas* ACanvas, const RECT& ARect, TcxButtonState AState, bool AHorizontal,
                          TcxTrackBarTicksAlign ATicks, TColor ABorderColor) const {
  DrawButton(ACanvas, ARect, L"", AState);
  if (ABorderColor != clDefault) ACanvas->FrameRect(ARect, ABorderColor);
}

SIZE P::TrackBarThumbSize(bool AHorizontal) const { return AHorizontal ? SIZE{11, 21} : SIZE{21, 11}; }
TColor P::TrackBarTicksColor(bool AText) const { return clBtnText; }
int P::TrackBarTrackSize() const { return 5; }

// ---- splitter

void P::DrawSplitter(TcxCanvas* ACanvas, const RECT& ARect, bool AHighlighted, bool AClicked,
                     bool AHorizontal) const {
  ACanvas->FillRect(ARect, clBtnFace);
  if (AClicked) ACanvas->DrawComplexFrame(ARect, clBtnShadow, clBtnHighlight);
  else if (AHighlighted) ACanvas->DrawComplexFrame(ARect, clBtnHighlight, clBtnShadow);
}

SIZE P::GetSplitterSize(bool AHorizontal) const { return SIZE{5, 5}; }

// ---- layout control

TColor P::LayoutControlEmptyAreaColor() const { return clBtnFace; }
void P::DrawLayoutControlBackground(TcxCanvas* ACanvas, const RECT& R) const {
  ACanvas->FillRect(R, LayoutControlEmptyAreaColor());
}

// ---- print preview

// A one-pixel frame and a two-pixel shadow on the right and bottom.
RECT P::PrintPreviewPageBordersWidth() const { return RECT{1, 1, 3, 3}; }

void P::DrawPrintPreviewBackground(TcxCanvas* ACanvas, const RECT& R) const { ACanvas->FillRect(R, clBtnShadow); }

void P::DrawPrintPreviewPageBackground(TcxCanvas* ACanvas, const RECT& ABorderRect, const RECT& AContentRect,
                                       bool ASelected) const {
  RECT widths = PrintPreviewPageBordersWidth();
  RECT frame = InflateRectBy4(ABorderRect, 0, 0, 1 - widths.right, 1 - widths.bottom);
  ACanvas->FrameRect(frame, ASelected ? clHighlight : clWindowText);
  ACanvas->FillRect(RECT{frame.right, ABorderRect.top + 2, ABorderRect.right, ABorderRect.bottom}, clBtnText);
  ACanvas->FillRect(RECT{ABorderRect.left + 2, frame.bottom, ABorderRect.right, ABorderRect.bottom}, clBtnText);
  ACanvas->FillRect(AContentRect, clWindow);
}

// ---- calculator

TColor P::CalcEditButtonTextColor(TcxCalcButtonKind AButtonKind) const {
  if (AButtonKind <= cbClear) return clMaroon;
  if (AButtonKind <= cbMP) return clRed;
  if (AButtonKind <= cbDecimal) return clNavy;
  return AButtonKind == cbNone ? clBtnText : clRed;
}

}  // namespace talvik
