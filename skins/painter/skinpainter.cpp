// The skin painter's identity and the parts the skinned windows draw:
// buttons, scroll bars, the size grip, panels, borders and window content.
// Colours are in skinpainter_colors.cpp, the other parts in skinpainter_parts.cpp.
#include "skins/painter/skinpainter.h"

#include "lookandfeel/painterregistry.h"
#include "lookandfeel/paintershapes.h"
#include "skins/model/skin.h"
#include "skins/painter/skinpaintercache.h"

namespace talvik {

using S = TdxSkinLookAndFeelPainter;
using O = TcxOffice11LookAndFeelPainter;

TdxSkinElementState ButtonStateToSkinElementState(TcxButtonState AState) {
  switch (AState) {
    case cxbsDefault: return esActive;
    case cxbsHot: return esHot;
    case cxbsPressed: return esPressed;
    case cxbsDisabled: return esDisabled;
    default: return esNormal;
  }
}

int CheckBoxStateToImageIndex(TcxCheckBoxState AState) {
  switch (AState) {
    case cbsChecked: return 1;
    case cbsGrayed: return 2;
    default: return 0;
  }
}

bool IsSkinColorUsable(const TdxSkinColor* AColor) {
  return AColor && AColor->Value() != clNone && AColor->Value() != clDefault;
}

TcxCustomLookAndFeelPainterClass S::Instance() {
  static const TdxSkinLookAndFeelPainter painter;
  return &painter;
}

TdxSkinLookAndFeelPainterInfo* S::GetSkinInfo() const {
  TcxExtendedStylePainters* registry = SkinPainterRegistry();
  TObject* data = nullptr;
  if (!registry || !registry->GetPainterData(this, data)) return nullptr;
  return dynamic_cast<TdxSkinLookAndFeelPainterInfo*>(data);
}

bool S::DrawEditButtonElement(TcxCanvas* ACanvas, const RECT& R, TdxSkinElementState AState, int AIndex) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  return DrawElement(ACanvas, info && AIndex >= 0 && AIndex < 2 ? info->EditButtonElements[AIndex] : nullptr, R,
                     AState);
}

std::wstring S::InternalUnitName() const { return L"dxSkinsLookAndFeelPainter"; }

bool S::DrawElement(TcxCanvas* ACanvas, TdxSkinElement* AElement, const RECT& R, TdxSkinElementState AState,
                    int AImageIndex) {
  if (AElement) AElement->Draw(ACanvas->Handle(), R, AImageIndex, AState);
  return AElement != nullptr;
}

void S::DrawFrameElement(TcxCanvas* ACanvas, TdxSkinElement* AFrame, const RECT& R) {
  ACanvas->SaveClipRegion();
  struct Restore {
    TcxCanvas* Canvas;
    ~Restore() { Canvas->RestoreClipRegion(); }
  } restore{ACanvas};
  ACanvas->ExcludeClipRect(RectContent(R, AFrame->ContentOffset()->Rect()));
  AFrame->Draw(ACanvas->Handle(), R, 0, esNormal);
}

TColor S::ColorOr(const TdxSkinColor* AColor, TColor AFallback) {
  return IsSkinColorUsable(AColor) ? AColor->Value() : AFallback;
}

namespace {
bool IsColor(TColor AColor) { return AColor != clNone && AColor != clDefault; }
}  // namespace

TColor S::ElementColorOr(TdxSkinElement* AElement, TColor AFallback) {
  return AElement && IsColor(AElement->Color()) ? AElement->Color() : AFallback;
}

TColor S::ElementTextColorOr(TdxSkinElement* AElement, TColor AFallback) {
  return AElement && IsColor(AElement->TextColor()) ? AElement->TextColor() : AFallback;
}

// ---- borders and windows

void S::DrawBorder(TcxCanvas* ACanvas, const RECT& R) const {
  // Whatever value the colour holds: a skin that names it wants its border.
  if (TdxSkinColor* color = SkinPart(&TdxSkinInfo::ContainerBorderColor)) ACanvas->FrameRect(R, color->Value());
  else O::DrawBorder(ACanvas, R);
}

void S::DrawWindowContent(TcxCanvas* ACanvas, const RECT& ARect) const {
  if (TdxSkinElement* content = SkinPart(&TdxSkinInfo::FormContent)) ACanvas->FillRect(ARect, content->Color());
  else O::DrawWindowContent(ACanvas, ARect);
}

// ---- buttons

int S::ButtonBorderSize(TcxButtonState AState) const {
  return SkinPart(&TdxSkinInfo::ButtonElements) ? 0 : TcxUltraFlatLookAndFeelPainter::ButtonBorderSize(AState);
}

TColor S::ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  if (!info || !info->ButtonElements) return O::ButtonSymbolColor(AState, ADefaultColor);
  if (AState == cxbsDisabled && info->ButtonDisabled) return info->ButtonDisabled->Value();
  return info->ButtonElements->TextColor();
}

void S::DrawButton(TcxCanvas* ACanvas, const RECT& R, const std::wstring& ACaption, TcxButtonState AState,
                   bool ADrawBorder, TColor AColor, TColor ATextColor, bool AWordWrap, bool AIsToolButton) const {
  TdxSkinElement* element = SkinPart(&TdxSkinInfo::ButtonElements);
  if (!element) {
    TcxCustomLookAndFeelPainter::DrawButton(ACanvas, R, ACaption, AState, ADrawBorder, AColor, ATextColor, AWordWrap,
                                            false);
    return;
  }
  TdxSkinElementState state = ButtonStateToSkinElementState(AState);
  if (TdxSkinLookAndFeelPainterCacheManager* cache = SkinPainterCacheManager())
    cache->DrawButton(ACanvas->Handle(), R, element, state);
  else
    element->Draw(ACanvas->Handle(), R, 0, state);
  DrawButtonCaption(this, ACanvas, RectContent(R, element->ContentOffset()->Rect()), ACaption, AState, ATextColor,
                    AWordWrap);
}

// Buttons of a group overlap by the face's content offsets, so inner edges are not drawn twice.
RECT S::ButtonGroupBorderSizes(int AButtonCount, int AButtonIndex) const {
  TdxSkinElement* element = SkinPart(&TdxSkinInfo::ButtonElements);
  if (!element) return O::ButtonGroupBorderSizes(AButtonCount, AButtonIndex);
  const RECT& offset = element->ContentOffset()->Rect();
  return RECT{AButtonIndex == 0 ? 0 : offset.left, 0, AButtonIndex == AButtonCount - 1 ? 0 : offset.right, 0};
}

RECT S::AdjustGroupButtonDisplayRect(const RECT& R, int AButtonCount, int AButtonIndex) const {
  RECT b = ButtonGroupBorderSizes(AButtonCount, AButtonIndex);
  return InflateRectBy4(R, b.left, b.top, b.right, b.bottom);
}

void S::DrawButtonInGroup(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState, int AButtonCount,
                          int AButtonIndex, TColor ABackgroundColor) const {
  TdxSkinElement* element = SkinPart(&TdxSkinInfo::ButtonElements);
  if (!element) return O::DrawButtonInGroup(ACanvas, R, AState, AButtonCount, AButtonIndex, ABackgroundColor);
  if (ABackgroundColor != clDefault) ACanvas->FillRect(R, ABackgroundColor);
  ACanvas->SaveClipRegion();
  ACanvas->IntersectClipRect(R);
  element->Draw(ACanvas->Handle(), AdjustGroupButtonDisplayRect(R, AButtonCount, AButtonIndex), 0,
                ButtonStateToSkinElementState(AState));
  ACanvas->RestoreClipRegion();
}

void S::DrawButtonGroupBorder(TcxCanvas* ACanvas, const RECT& R, bool AInplace, bool ASelected) const {}

// ---- scroll bars and size grip

int S::ScrollBarMinimalThumbSize(bool AVertical) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinScrollInfo* thumb = info ? info->ScrollBar_Elements[!AVertical][sbpThumbnail].get() : nullptr;
  if (!thumb || !thumb->Element()) return O::ScrollBarMinimalThumbSize(AVertical);
  SIZE size = thumb->Element()->Size();
  return AVertical ? size.cy : size.cx;
}

void S::DrawScrollBarBackground(TcxCanvas* ACanvas, const RECT& R, bool AHorizontal) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinScrollInfo* track = info ? info->ScrollBar_Elements[AHorizontal][sbpPageUp].get() : nullptr;
  if (!track || !track->Element()) {
    TcxCustomLookAndFeelPainter::DrawScrollBarBackground(ACanvas, R, AHorizontal);
  } else if (TdxSkinLookAndFeelPainterCacheManager* cache = SkinPainterCacheManager()) {
    cache->DrawScrollBarBackground(ACanvas->Handle(), R, track->Element(), AHorizontal);
  } else {
    track->Element()->Draw(ACanvas->Handle(), R, 0, esNormal);
  }
}

void S::DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R, TcxScrollBarPart APart,
                          TcxButtonState AState) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinScrollInfo* part = info ? info->ScrollBar_Elements[AHorizontal][APart].get() : nullptr;
  if (!part || !part->Element()) return O::DrawScrollBarPart(ACanvas, AHorizontal, R, APart, AState);
  // A page area at rest shows the track the background drew.
  if ((APart == sbpPageUp || APart == sbpPageDown) && AState == cxbsNormal) return;
  part->Draw(ACanvas->Handle(), R, ButtonStateToSkinElementState(AState));
}

SIZE S::SizeGripSize() const {
  TdxSkinElement* grip = SkinPart(&TdxSkinInfo::SizeGrip);
  return grip ? grip->Size() : O::SizeGripSize();
}

void S::DrawSizeGrip(TcxCanvas* ACanvas, const RECT& ARect, TColor ABackgroundColor) const {
  TdxSkinElement* grip = SkinPart(&TdxSkinInfo::SizeGrip);
  if (!grip) return O::DrawSizeGrip(ACanvas, ARect, ABackgroundColor);
  ACanvas->FillRect(ARect, ABackgroundColor);
  grip->Draw(ACanvas->Handle(), ARect, 0, esNormal);
}

// ---- panels

void S::DrawPanelContent(TcxCanvas* ACanvas, const RECT& ABorderRect, bool ABorder) const {
  TdxSkinElement* client = SkinPart(&TdxSkinInfo::GroupBoxClient);
  if (!client) return TcxCustomLookAndFeelPainter::DrawPanelContent(ACanvas, ABorderRect, ABorder);
  client->Draw(ACanvas->Handle(), ABorderRect, 0, esNormal);
  if (ABorder) DrawPanelBorders(ACanvas, ABorderRect);
}

void S::DrawPanelBorders(TcxCanvas* ACanvas, const RECT& ABorderRect) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinElement* frame = info ? info->GroupBoxElements[cxgpCenter] : nullptr;
  if (!frame) return O::DrawPanelBorders(ACanvas, ABorderRect);
  DrawFrameElement(ACanvas, frame, ABorderRect);
}

}  // namespace talvik
