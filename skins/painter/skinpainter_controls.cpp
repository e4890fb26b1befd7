// The skin painter's parts of the rarer controls: check boxes and radio
// buttons, label lines, scheduler, clock, editors, navigators, progress bar,
// group box, track bar, splitter and print preview.
#include "lookandfeel/paintershapes.h"
#include "skins/model/skin.h"
#include "skins/painter/skinpaintercache.h"
#include "skins/painter/skinpainter.h"

namespace talvik {

using S = TdxSkinLookAndFeelPainter;
using O = TcxOffice11LookAndFeelPainter;
using I = TdxSkinInfo;

namespace {
SIZE ContentOffsetSize(TdxSkinElement* AElement) {
  return SIZE{AElement->ContentOffset()->Left(), AElement->ContentOffset()->Top()};
}

TdxSkinElementState EnabledState(bool AEnabled) { return AEnabled ? esNormal : esDisabled; }

// Index into the six thumbs: vertical ones first, each as up, down (no suffix) and both.
int TrackBarThumbIndex(bool AHorizontal, TcxTrackBarTicksAlign ATicks) {
  int ticks = ATicks == tbtaUp ? 0 : ATicks == tbtaDown ? 1 : 2;
  return (AHorizontal ? 3 : 0) + ticks;
}
}  // namespace

// ---- check boxes and radio buttons

SIZE S::CheckButtonSize() const {
  TdxSkinElement* check = SkinPart(&I::CheckboxElement);
  return check ? check->Size() : O::CheckButtonSize();
}

void S::DrawCheckButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                        TcxCheckBoxState ACheckState) const {
  if (!DrawElement(ACanvas, SkinPart(&I::CheckboxElement), R, ButtonStateToSkinElementState(AState),
                   CheckBoxStateToImageIndex(ACheckState)))
    O::DrawCheckButton(ACanvas, R, AState, ACheckState);
}

void S::DrawRadioButton(TcxCanvas* ACanvas, int X, int Y, TcxButtonState AButtonState, bool AChecked, bool AFocused,
                        TColor ABrushColor) const {
  TdxSkinElement* radio = SkinPart(&I::RadioGroupButton);
  if (!radio) return O::DrawRadioButton(ACanvas, X, Y, AButtonState, AChecked, AFocused, ABrushColor);
  SIZE size = radio->Size();
  RECT r{X, Y, X + size.cx, Y + size.cy};
  if (ABrushColor != clDefault) ACanvas->FillRect(r, ABrushColor);
  DrawElement(ACanvas, radio, r, ButtonStateToSkinElementState(AButtonState), AChecked ? 1 : 0);
}

SIZE S::RadioButtonSize() const {
  TdxSkinElement* radio = SkinPart(&I::RadioGroupButton);
  return radio ? radio->Size() : O::RadioButtonSize();
}

// ---- label lines

void S::DrawLabelLine(TcxCanvas* ACanvas, const RECT& R, TColor AOuterColor, TColor AInnerColor,
                      bool AIsVertical) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  if (!DrawElement(ACanvas, info ? info->LabelLine[AIsVertical] : nullptr, R))
    O::DrawLabelLine(ACanvas, R, AOuterColor, AInnerColor, AIsVertical);
}

int S::LabelLineHeight() const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  return info && info->LabelLine[0] ? info->LabelLine[0]->Size().cy : O::LabelLineHeight();
}

// ---- scheduler

void S::DrawSchedulerEventProgress(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& AProgressChunk,
                                   const TcxViewParams& AViewParams, bool ATransparent) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  if (!info || !info->ProgressBarElements[0] || !info->ProgressBarElements[2])
    return O::DrawSchedulerEventProgress(ACanvas, ABounds, AProgressChunk, AViewParams, ATransparent);
  DrawElement(ACanvas, info->ProgressBarElements[0], ABounds);
  DrawElement(ACanvas, info->ProgressBarElements[2], AProgressChunk);
}

RECT S::SchedulerEventProgressOffsets() const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  return info && info->ProgressBarElements[0] ? info->ProgressBarElements[0]->ContentOffset()->Rect()
                                              : O::SchedulerEventProgressOffsets();
}

void S::SchedulerNavigationButtonSizes(bool AIsNextButton, RECT& ABorders, SIZE& AArrowSize,
                                       bool& AHasTextArea) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinElement* button = info ? info->SchedulerNavigationButtons[AIsNextButton] : nullptr;
  TdxSkinElement* arrow = info ? info->SchedulerNavigationButtonsArrow[AIsNextButton] : nullptr;
  if (!button || !arrow) return O::SchedulerNavigationButtonSizes(AIsNextButton, ABorders, AArrowSize, AHasTextArea);
  ABorders = button->ContentOffset()->Rect();
  AArrowSize = arrow->Size();
  AHasTextArea = true;
}

// ---- clock: the face, the hands, then the glass over them

void S::DrawClock(TcxCanvas* ACanvas, const RECT& ARect, const SYSTEMTIME& ATime, TColor ABackgroundColor) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinElement* face = info ? info->ClockElements[0] : nullptr;
  if (!face) return O::DrawClock(ACanvas, ARect, ATime, ABackgroundColor);
  ACanvas->FillRect(ARect, ABackgroundColor);
  SIZE size = face->Size();
  RECT r = CenterRect(ARect, size.cx, size.cy);
  DrawElement(ACanvas, face, r);
  DrawClockHands(ACanvas, r, ATime, ElementTextColorOr(face, clBtnText));
  DrawElement(ACanvas, info->ClockElements[1], r);
}

// ---- editors

void S::DrawEditorButton(TcxCanvas* ACanvas, const RECT& ARect, TcxEditBtnKind AButtonKind, TcxButtonState AState,
                         int APosition) const {
  TdxSkinElementState state = ButtonStateToSkinElementState(AState);
  if (!DrawEditButtonElement(ACanvas, ARect, state, AButtonKind == cxbkCloseBtn ? 1 : 0))
    return O::DrawEditorButton(ACanvas, ARect, AButtonKind, AState, APosition);
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  RECT content = RectContent(ARect, info->EditButtonElements[0]->ContentOffset()->Rect());
  switch (AButtonKind) {
    case cxbkCloseBtn:
    case cxbkEditorBtn: break;  // the button's own picture says it all
    case cxbkEllipsisBtn: DrawEllipsisDots(ACanvas, content, EditButtonTextColor()); break;
    default: DrawElement(ACanvas, info->EditButtonGlyphs[AButtonKind], content, state); break;
  }
}

int S::EditButtonTextOffset() const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  return info && info->EditButtonElements[0] ? info->EditButtonElements[0]->ContentOffset()->Left()
                                             : O::EditButtonTextOffset();
}

SIZE S::EditButtonSize() const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  return info && info->EditButtonElements[0] ? info->EditButtonElements[0]->Size() : O::EditButtonSize();
}

// ---- date navigator and data navigator

void S::DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, const RECT& R) const {
  if (!DrawElement(ACanvas, SkinPart(&I::Header), R)) O::DrawDateNavigatorDateHeader(ACanvas, R);
}

// The skin's glyphs, one picture per navigator button, unless the control brings its own.
void S::DrawNavigatorGlyph(TcxCanvas* ACanvas, HIMAGELIST AImageList, int AImageIndex, int AButtonIndex,
                           const RECT& AGlyphRect, bool AEnabled, bool AUserGlyphs) const {
  TdxSkinElement* glyphs = AUserGlyphs ? nullptr : SkinPart(&I::NavigatorGlyphs);
  if (!glyphs || AButtonIndex < 0 || AButtonIndex >= glyphs->ImageCount())
    return O::DrawNavigatorGlyph(ACanvas, AImageList, AImageIndex, AButtonIndex, AGlyphRect, AEnabled, AUserGlyphs);
  DrawElement(ACanvas, glyphs, AGlyphRect, EnabledState(AEnabled), AButtonIndex);
}

SIZE S::NavigatorGlyphSize() const {
  TdxSkinElement* glyphs = SkinPart(&I::NavigatorGlyphs);
  return glyphs ? glyphs->Size() : O::NavigatorGlyphSize();
}

// ---- progress bar: border vertical / horizontal, then chunk vertical / horizontal

void S::DrawProgressBarBorder(TcxCanvas* ACanvas, const RECT& ARect, bool AVertical) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  if (!DrawElement(ACanvas, info ? info->ProgressBarElements[AVertical] : nullptr, ARect))
    O::DrawProgressBarBorder(ACanvas, ARect, AVertical);
}

void S::DrawProgressBarChunk(TcxCanvas* ACanvas, const RECT& ARect, bool AVertical) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  if (!DrawElement(ACanvas, info ? info->ProgressBarElements[2 + AVertical] : nullptr, ARect))
    O::DrawProgressBarChunk(ACanvas, ARect, AVertical);
}

SIZE S::ProgressBarBorderSize(bool AVertical) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinElement* border = info ? info->ProgressBarElements[AVertical] : nullptr;
  return border ? ContentOffsetSize(border) : O::ProgressBarBorderSize(AVertical);
}

// ---- group box

void S::DrawGroupBoxBackground(TcxCanvas* ACanvas, const RECT& ABounds, const RECT& ARect) const {
  TdxSkinElement* client = SkinPart(&I::GroupBoxClient);
  if (!client) return O::DrawGroupBoxBackground(ACanvas, ABounds, ARect);
  ACanvas->SaveClipRegion();
  ACanvas->IntersectClipRect(ARect);
  DrawElement(ACanvas, client, ABounds);
  ACanvas->RestoreClipRegion();
}

void S::DrawGroupBoxCaption(TcxCanvas* ACanvas, const RECT& ACaptionRect,
                            TcxGroupBoxCaptionPosition ACaptionPosition) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  if (!DrawElement(ACanvas, info ? info->GroupBoxCaptionElements[ACaptionPosition] : nullptr, ACaptionRect))
    O::DrawGroupBoxCaption(ACanvas, ACaptionRect, ACaptionPosition);
}

void S::DrawGroupBoxContent(TcxCanvas* ACanvas, const RECT& ABorderRect, TcxGroupBoxCaptionPosition ACaptionPosition,
                            TcxBorders ABorders) const {
  if (!DrawElement(ACanvas, SkinPart(&I::GroupBoxClient), ABorderRect))
    O::DrawGroupBoxContent(ACanvas, ABorderRect, ACaptionPosition, ABorders);
}

void S::DrawGroupBoxFrame(TcxCanvas* ACanvas, const RECT& R, bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition,
                          TcxBorders ABorders) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinElement* frame = info ? info->GroupBoxElements[ACaptionPosition] : nullptr;
  if (!frame) return O::DrawGroupBoxFrame(ACanvas, R, AEnabled, ACaptionPosition, ABorders);
  DrawFrameElement(ACanvas, frame, R);
}

RECT S::GroupBoxBorderSize(bool ACaption, TcxGroupBoxCaptionPosition ACaptionPosition) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinElement* element =
      !info ? nullptr : ACaption ? info->GroupBoxCaptionElements[ACaptionPosition] : info->GroupBoxElements[ACaptionPosition];
  return element ? element->ContentOffset()->Rect() : O::GroupBoxBorderSize(ACaption, ACaptionPosition);
}

bool S::IsGroupBoxTransparent(bool AIsCaption, TcxGroupBoxCaptionPosition ACaptionPosition) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinElement* element = !info        ? nullptr
                            : AIsCaption ? info->GroupBoxCaptionElements[ACaptionPosition]
                                         : info->GroupBoxElements[ACaptionPosition];
  return element ? element->IsAlphaUsed() : O::IsGroupBoxTransparent(AIsCaption, ACaptionPosition);
}

// ---- track bar

void S::DrawTrackBar(TcxCanvas* ACanvas, const RECT& ARect, const RECT& ASelection, bool AShowSelection,
                     bool AEnabled, bool AHorizontal) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  if (!DrawElement(ACanvas, info ? info->TrackBarTrack[AHorizontal] : nullptr, ARect, EnabledState(AEnabled)))
    return O::DrawTrackBar(ACanvas, ARect, ASelection, AShowSelection, AEnabled, AHorizontal);
  if (AShowSelection) ACanvas->FillRect(ASelection, DefaultSelectionColor());
}

void S::DrawTrackBarThumb(TcxCanvas* ACanvas, const RECT& ARect, TcxButtonState AState, bool AHorizontal,
                          TcxTrackBarTicksAlign ATicks, TColor ABorderColor) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  if (!DrawElement(ACanvas, info ? info->TrackBarThumb[TrackBarThumbIndex(AHorizontal, ATicks)] : nullptr, ARect,
                   ButtonStateToSkinElementState(AState)))
    O::DrawTrackBarThumb(ACanvas, ARect, AState, AHorizontal, ATicks, ABorderColor);
}

SIZE S::TrackBarThumbSize(bool AHorizontal) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinElement* thumb = info ? info->TrackBarThumb[TrackBarThumbIndex(AHorizontal, tbtaDown)] : nullptr;
  return thumb ? thumb->Size() : O::TrackBarThumbSize(AHorizontal);
}

int S::TrackBarTrackSize() const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  return info && info->TrackBarTrack[1] ? info->TrackBarTrack[1]->Size().cy : O::TrackBarTrackSize();
}

// ---- splitter

void S::DrawSplitter(TcxCanvas* ACanvas, const RECT& ARect, bool AHighlighted, bool AClicked,
                     bool AHorizontal) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinElementState state = AClicked ? esPressed : AHighlighted ? esHot : esNormal;
  if (!DrawElement(ACanvas, info ? info->Splitter[AHorizontal] : nullptr, ARect, state))
    O::DrawSplitter(ACanvas, ARect, AHighlighted, AClicked, AHorizontal);
}

SIZE S::GetSplitterSize(bool AHorizontal) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  return info && info->Splitter[AHorizontal] ? info->Splitter[AHorizontal]->Size() : O::GetSplitterSize(AHorizontal);
}

// ---- print preview

RECT S::PrintPreviewPageBordersWidth() const {
  TdxSkinElement* border = SkinPart(&I::PrintingPageBorder);
  return border ? border->ContentOffset()->Rect() : O::PrintPreviewPageBordersWidth();
}

void S::DrawPrintPreviewBackground(TcxCanvas* ACanvas, const RECT& R) const {
  TdxSkinElement* background = SkinPart(&I::PrintingPreviewBackground);
  if (!background) O::DrawPrintPreviewBackground(ACanvas, R);
  else if (TdxSkinLookAndFeelPainterCacheManager* cache = SkinPainterCacheManager())
    cache->DrawPreviewBackground(ACanvas->Handle(), R, background);
  else DrawElement(ACanvas, background, R);
}

void S::DrawPrintPreviewPageBackground(TcxCanvas* ACanvas, const RECT& ABorderRect, const RECT& AContentRect,
                                       bool ASelected) const {
  if (!DrawElement(ACanvas, SkinPart(&I::PrintingPageBorder), ABorderRect, ASelected ? esHot : esNormal))
    return O::DrawPrintPreviewPageBackground(ACanvas, ABorderRect, AContentRect, ASelected);
  ACanvas->FillRect(AContentRect, clWindow);
}

}  // namespace talvik
