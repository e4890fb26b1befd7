#include "lookandfeel/paintershapes.h"

#include <cmath>
#include <numbers>

#include "lookandfeel/painterresources.h"

namespace talvik {

void FillArrowPolygon(TcxCanvas* ACanvas, const TcxArrowPoints& P, TColor AColor) {
  ACanvas->Brush().SetStyle(bsSolid);
  ACanvas->SetBrushColor(AColor);
  ACanvas->Pen().SetStyle(psSolid);
  ACanvas->Pen().SetColor(AColor);
  ACanvas->Canvas()->Polygon(P.data(), static_cast<int>(P.size()));
}

void DrawTickMark(TcxCanvas* ACanvas, const RECT& R, TColor AColor) {
  static const int kDrop[7] = {2, 3, 4, 3, 2, 1, 0};
  RECT box = CenterRect(R, 7, 7);
  for (int x = 0; x < 7; ++x)
    ACanvas->FillRect(RECT{box.left + x, box.top + kDrop[x], box.left + x + 1, box.top + kDrop[x] + 3}, AColor);
}

void DrawPlusMinusSign(TcxCanvas* ACanvas, const RECT& R, bool APlus, TColor AColor) {
  int cx = (R.left + R.right) / 2, cy = (R.top + R.bottom) / 2;
  ACanvas->FillRect(RECT{R.left + 2, cy, R.right - 2, cy + 1}, AColor);
  if (APlus) ACanvas->FillRect(RECT{cx, R.top + 2, cx + 1, R.bottom - 2}, AColor);
}

void DrawButtonCaption(TcxCustomLookAndFeelPainterClass APainter, TcxCanvas* ACanvas, RECT AFaceRect,
                       const std::wstring& ACaption, TcxButtonState AState, TColor ATextColor, bool AWordWrap) {
  RECT& r = AFaceRect;
  ACanvas->Font().SetColor(ATextColor == clDefault ? APainter->ButtonSymbolColor(AState) : ATextColor);
  ACanvas->Brush().SetStyle(bsClear);
  // Keeps captions of the usual button heights on the same baseline as the system's.
  if (RectHeight(r) % 2 != 0) r.bottom -= 1;
  if (RectHeight(r) < 18) r.top -= 1;
  if (AState == cxbsPressed) r = OffsetRectBy(r, APainter->ButtonTextShift(), APainter->ButtonTextShift());
  if (!ACaption.empty()) {
    int flags = cxAlignHCenter | cxAlignVCenter | cxShowPrefix | (AWordWrap ? cxWordBreak : cxSingleLine);
    ACanvas->DrawTexT(ACaption, r, flags, AState != cxbsDisabled);
  }
  ACanvas->Brush().SetStyle(bsSolid);
}

void DrawEllipsisDots(TcxCanvas* ACanvas, const RECT& R, TColor AColor) {
  RECT box = CenterRect(R, 10, 2);
  for (int i = 0; i < 3; ++i) ACanvas->FillRect(RectWithLeft(box, box.left + 4 * i, 2), AColor);
}

POINT ClockPoint(const RECT& AFace, double ATurns, double ALength) {
  double cx = (AFace.left + AFace.right) / 2.0, cy = (AFace.top + AFace.bottom) / 2.0;
  double a = ATurns * 2 * std::numbers::pi;
  return POINT{static_cast<LONG>(std::lround(cx + std::sin(a) * ALength)),
               static_cast<LONG>(std::lround(cy - std::cos(a) * ALength))};
}

void DrawClockHands(TcxCanvas* ACanvas, const RECT& AFace, const SYSTEMTIME& ATime, TColor AColor) {
  double radius = RectWidth(AFace) / 2.0;
  double minutes = ATime.wMinute + ATime.wSecond / 60.0;
  double hours = (ATime.wHour % 12) + minutes / 60.0;
  POINT centre = ClockPoint(AFace, 0, 0);
  ACanvas->Pen().SetStyle(psSolid);
  ACanvas->Pen().SetColor(AColor);
  ACanvas->Pen().SetWidth(2);
  ACanvas->Polyline({centre, ClockPoint(AFace, hours / 12.0, radius * 0.5)});
  ACanvas->Pen().SetWidth(1);
  ACanvas->Polyline({centre, ClockPoint(AFace, minutes / 60.0, radius * 0.75)});
}

void DrawParentBackgroundAt(TcxCanvas* ACanvas, TWinControl* AControl, const RECT& ABounds) {
  POINT org = ACanvas->WindowOrg();
  ACanvas->SetWindowOrg(POINT{org.x - ABounds.left, org.y - ABounds.top});
  DrawParentBackground(AControl, ACanvas, ABounds);
  ACanvas->SetWindowOrg(org);
}

void FillScrollBarPageArea(TcxCanvas* ACanvas, const RECT& R, bool APressed) {
  ACanvas->Brush().SetBitmap(cxScrollBarPageBitmap(APressed));
  ACanvas->FillRect(R);
  ACanvas->Brush().SetBitmap(nullptr);
  ACanvas->Brush().SetStyle(bsSolid);
}

void DrawButtonStyleScrollBarPart(TcxCustomLookAndFeelPainterClass APainter, TcxCanvas* ACanvas, bool AHorizontal,
                                  const RECT& R, TcxScrollBarPart APart, TcxButtonState AState, bool AHotAsNormal,
                                  bool AShrinkBeforeArrow) {
  if (RectIsEmpty(R) || (APart == sbpThumbnail && AState == cxbsDisabled)) return;
  if (AHotAsNormal && AState == cxbsHot) AState = cxbsNormal;
  switch (APart) {
    case sbpLineUp:
    case sbpLineDown:
    case sbpThumbnail: {
      APainter->DrawButton(ACanvas, R, L"", AState, true, clDefault, clDefault, false, false);
      if (APart == sbpThumbnail) break;
      int b = AShrinkBeforeArrow ? APainter->ButtonBorderSize(cxbsNormal) : 0;
      APainter->DrawScrollBarArrow(ACanvas, InflateRectBy(R, -b, -b), AState,
                                   ScrollBarLineArrowDirection(AHorizontal, APart));
      break;
    }
    case sbpPageUp:
    case sbpPageDown: FillScrollBarPageArea(ACanvas, R, AState == cxbsPressed); break;
    case sbpNone: break;
  }
}

}  // namespace talvik
