#include "skins/gallery/gallery.h"

#include <iterator>

#include "lookandfeel/builtinpainters.h"
#include "skins/engine/builtinskins.h"

namespace talvik::gallery {

namespace {

constexpr int kRowHeight = 124, kWidth = 790;
constexpr TcxButtonState kStates[] = {cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled};
constexpr const wchar_t* kStateNames[] = {L"Default", L"Normal", L"Hot", L"Pressed", L"Disabled"};

// The parts of a scroll bar from its start to its end, with their lengths.
struct TScrollPiece {
  TcxScrollBarPart Part;
  int Length;
};
constexpr TScrollPiece kVerticalBar[] = {
    {sbpLineUp, 17}, {sbpPageUp, 22}, {sbpThumbnail, 30}, {sbpPageDown, 22}, {sbpLineDown, 17}};
constexpr TScrollPiece kHorizontalBar[] = {
    {sbpLineUp, 17}, {sbpPageUp, 36}, {sbpThumbnail, 44}, {sbpPageDown, 36}, {sbpLineDown, 17}};

template <size_t N>
void PaintScrollBar(TcxCustomLookAndFeelPainterClass APainter, TcxCanvas* ACanvas, POINT AOrigin, bool AHorizontal,
                    const TScrollPiece (&APieces)[N], TcxButtonState AState) {
  int length = 0;
  for (const TScrollPiece& p : APieces) length += p.Length;
  RECT bar = AHorizontal ? RECT{AOrigin.x, AOrigin.y, AOrigin.x + length, AOrigin.y + 17}
                         : RECT{AOrigin.x, AOrigin.y, AOrigin.x + 17, AOrigin.y + length};
  APainter->DrawScrollBarBackground(ACanvas, bar, AHorizontal);
  int at = 0;
  for (const TScrollPiece& p : APieces) {
    RECT part = AHorizontal ? RectWithLeft(bar, bar.left + at, p.Length) : RectWithTop(bar, bar.top + at, p.Length);
    APainter->DrawScrollBarPart(ACanvas, AHorizontal, part, p.Part, AState);
    at += p.Length;
  }
}

void PaintText(TcxCanvas* ACanvas, const std::wstring& AText, const RECT& R, TColor AColor, int AFlags) {
  ACanvas->Font().SetColor(AColor);
  ACanvas->Brush().SetStyle(bsClear);
  ACanvas->DrawTexT(AText, R, AFlags);
  ACanvas->Brush().SetStyle(bsSolid);
}

void PaintRow(TcxCanvas* ACanvas, const TGalleryRow& ARow, int ATop) {
  TcxCustomLookAndFeelPainterClass painter = ARow.Painter();
  const RECT row{0, ATop, kWidth, ATop + kRowHeight};
  painter->DrawWindowContent(ACanvas, row);
  TColor text = painter->DefaultContentTextColor();
  PaintText(ACanvas, ARow.Title, RECT{8, ATop + 8, 104, ATop + 40}, text, cxAlignLeft | cxAlignTop | cxWordBreak);

  // Buttons in every state, then arrows, check boxes and the size grip, then panels.
  int x = 108;
  for (size_t i = 0; i < std::size(kStates); ++i, x += 75)
    painter->DrawButton(ACanvas, RECT{x, ATop + 8, x + 71, ATop + 33}, kStateNames[i], kStates[i]);
  x = 108;
  for (TcxArrowDirection direction : {adUp, adDown, adLeft, adRight}) {
    painter->DrawArrow(ACanvas, RECT{x, ATop + 42, x + 17, ATop + 59}, cxbsNormal, direction);
    x += 21;
  }
  SIZE check = painter->CheckButtonSize();
  for (TcxCheckBoxState state : {cbsUnchecked, cbsChecked, cbsGrayed}) {
    x += 6;
    painter->DrawCheckButton(ACanvas, RECT{x, ATop + 42, x + check.cx, ATop + 42 + check.cy}, cxbsNormal, state);
    x += check.cx;
  }
  SIZE grip = painter->SizeGripSize();
  x += 12;
  painter->DrawSizeGrip(ACanvas, RECT{x, ATop + 42, x + grip.cx, ATop + 42 + grip.cy},
                        painter->DefaultSizeGripAreaColor());
  x = 108;
  for (bool border : {false, true}) {
    RECT panel{x, ATop + 72, x + 120, ATop + 114};
    painter->DrawPanelContent(ACanvas, panel, border);
    PaintText(ACanvas, border ? L"Panel, border" : L"Panel", panel, text,
              cxAlignHCenter | cxAlignVCenter | cxSingleLine);
    x += 128;
  }

  // Scroll bars, one per state in the buttons' order: vertical ones side by side,
  // horizontal ones one below the other.
  x = 495;
  for (TcxButtonState state : kStates) {
    PaintScrollBar(painter, ACanvas, POINT{x, ATop + 8}, false, kVerticalBar, state);
    x += 25;
  }
  int y = ATop + 8;
  for (TcxButtonState state : kStates) {
    PaintScrollBar(painter, ACanvas, POINT{x + 5, y}, true, kHorizontalBar, state);
    y += 22;
  }
}

}  // namespace

const std::vector<TGalleryRow>& GalleryRows() {
  static const std::vector<TGalleryRow> rows = {
      {L"standard", L"Standard", TcxStandardLookAndFeelPainter::Instance},
      {L"flat", L"Flat", TcxFlatLookAndFeelPainter::Instance},
      {L"ultraflat", L"Ultra-flat", TcxUltraFlatLookAndFeelPainter::Instance},
      {L"office2003", L"Office 2003", TcxOffice11LookAndFeelPainter::Instance},
      {L"native", L"Native", TcxWinXPLookAndFeelPainter::Instance},
      {L"darkside", L"DarkSide", TdxDarkSidePainter::Instance},
      {L"userskin", L"User skin", TdxSkinsUserSkinPainter::Instance},
  };
  return rows;
}

const TGalleryRow* FindGalleryRow(const std::wstring& AName) {
  for (const TGalleryRow& row : GalleryRows())
    if (_wcsicmp(row.Name, AName.c_str()) == 0) return &row;
  return nullptr;
}

SIZE GallerySize(size_t ARowCount) { return SIZE{kWidth, static_cast<LONG>(ARowCount) * kRowHeight}; }

void PaintGallery(TcxCanvas* ACanvas, const std::vector<const TGalleryRow*>& ARows) {
  ACanvas->Font().SetName(L"Tahoma");
  ACanvas->Font().SetHeight(-11);
  int top = 0;
  for (const TGalleryRow* row : ARows) {
    PaintRow(ACanvas, *row, top);
    top += kRowHeight;
  }
}

}  // namespace talvik::gallery
