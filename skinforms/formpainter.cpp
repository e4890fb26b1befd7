#include "skinforms/formpainter.h"

#include "skinforms/skinformcontroller.h"
#include "skins/model/skin.h"

namespace talvik {

namespace {

constexpr UINT kCaptionTextFormat = DT_END_ELLIPSIS | DT_EDITCONTROL | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;

}  // namespace

// ---- TdxSkinFormPaintBuffer

TdxSkinFormPaintBuffer::~TdxSkinFormPaintBuffer() { Free(); }

void TdxSkinFormPaintBuffer::Free() {
  if (FOld) SelectObject(FDC, FOld);
  if (FBitmap) DeleteObject(FBitmap);
  if (FDC) DeleteDC(FDC);
  FDC = nullptr;
  FBitmap = nullptr;
  FOld = nullptr;
  FSize = {};
}

HDC TdxSkinFormPaintBuffer::Prepare(int AWidth, int AHeight) {
  if (AWidth <= 0 || AHeight <= 0) return nullptr;
  if (FDC && AWidth <= FSize.cx && AHeight <= FSize.cy) {
    SetWindowOrgEx(FDC, 0, 0, nullptr);
    return FDC;
  }
  Free();
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), AWidth, -AHeight, 1, 32, BI_RGB};
  void* bits = nullptr;
  FDC = CreateCompatibleDC(nullptr);
  FBitmap = FDC ? CreateDIBSection(FDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  if (!FBitmap) {
    Free();
    return nullptr;
  }
  FOld = SelectObject(FDC, FBitmap);
  FSize = {AWidth, AHeight};
  return FDC;
}

// ---- TdxSkinFormPainter

TdxSkinFormPainter::TdxSkinFormPainter(TdxSkinFormNonClientAreaInfo* AViewInfo)
    : FBaseCanvas(std::make_unique<TCanvas>()), FViewInfo(AViewInfo) {
  FCanvas = std::make_unique<TcxCanvas>(FBaseCanvas.get());
}

TdxSkinFormPainter::~TdxSkinFormPainter() { FBaseCanvas->SetHandle(nullptr); }

void TdxSkinFormPainter::BeginPaint(HDC ADestDC) {
  FPainter = FViewInfo->Painter();
  FPainterInfo = FViewInfo->PainterInfo();
  FDC = ADestDC;
  FNeedRelease = ADestDC == nullptr;
  if (FNeedRelease)
    FDC = GetDCEx(FViewInfo->Handle(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS | DCX_VALIDATE);
  FBaseCanvas->SetHandle(FDC);
}

void TdxSkinFormPainter::EndPaint() {
  FBaseCanvas->SetHandle(nullptr);
  if (FNeedRelease && FDC) ReleaseDC(FViewInfo->Handle(), FDC);
  FNeedRelease = false;
  FDC = nullptr;
}

bool TdxSkinFormPainter::IsBordersThin() const {
  for (TcxBorder side : {bLeft, bTop, bRight, bBottom})
    if (FViewInfo->GetFrameSize(side) < 3) return true;
  return false;
}

TdxSkinElement* TdxSkinFormPainter::FormContent() const {
  return ElementOrEmpty(FPainterInfo ? FPainterInfo->FormContent : nullptr);
}

HDC TdxSkinFormPainter::SelectDC(HDC DC) {
  HDC previous = FBaseCanvas->HandleAllocated() ? FBaseCanvas->Handle() : nullptr;
  FBaseCanvas->SetHandle(DC);
  return previous;
}

bool TdxSkinFormPainter::IsRectVisible(const RECT& R) {
  if (HRGN update = FViewInfo->UpdateRgn(); update && !RectInRegion(update, &R)) return false;
  return FCanvas->RectVisible(R);
}

// ---- the whole non-client area

void TdxSkinFormPainter::DrawWindowBorder() {
  if (!FDC) return;
  DrawMDIClientEdgeArea();
  DrawContentOffsetArea();
  DrawCaption(FViewInfo->BorderBounds(bTop), FViewInfo->FormFrame(bTop));
  DrawBorders();
  if (FViewInfo->IsIconic()) return;
  DrawMenuSeparator();
  if (FViewInfo->ScrollAreaElements()) DrawScrollAreas(FCanvas->Handle());
}

void TdxSkinFormPainter::DrawWindowBackground() {
  if (FDC && FPainterInfo)
    FormContent()->Draw(FCanvas->Handle(), FViewInfo->ClientRectOnClient(), 0, esNormal, FViewInfo->Dpi());
}

void TdxSkinFormPainter::DrawMDIClientEdgeArea() {
  if (!FViewInfo->IsMDIClient() || !(FViewInfo->ExStyle() & WS_EX_CLIENTEDGE)) return;
  const RECT& bounds = FViewInfo->WindowBounds();
  const SIZE edge = FViewInfo->ClientEdgeSize();
  FCanvas->SaveClipRegion();
  FCanvas->ExcludeClipRect(InflateRectBy(bounds, -edge.cx, -edge.cy));
  FormContent()->Draw(FCanvas->Handle(), bounds, 0, esNormal, FViewInfo->Dpi());
  FCanvas->RestoreClipRegion();
}

void TdxSkinFormPainter::DrawContentOffsetArea() {
  const int offset = FViewInfo->ContentOffset();
  if (offset < 1 || FViewInfo->IsIconic()) return;
  const RECT client = RectContent(FViewInfo->WindowBounds(), FViewInfo->GetContentMargins());
  FCanvas->SaveClipRegion();
  FCanvas->ExcludeClipRect(client);
  FormContent()->Draw(FCanvas->Handle(), InflateRectBy(client, offset, offset), 0, esNormal, FViewInfo->Dpi());
  FCanvas->RestoreClipRegion();
}

void TdxSkinFormPainter::DrawMenuSeparator() {
  if (FViewInfo->HasMenu()) ::FillRect(FCanvas->Handle(), &FViewInfo->MenuSeparatorBounds(), GetSysColorBrush(COLOR_MENU));
}

// ---- caption

// Composed in memory and copied in one go, so that it never flickers.
void TdxSkinFormPainter::DrawCaption(const RECT& R, TdxSkinElement* ACaption) {
  if (RectIsEmpty(R)) return;
  const HDC memory = FCaptionBuffer.Prepare(R.right, R.bottom);
  if (!memory) return;
  DrawCaptionContent(memory, R, ACaption);
  // Only R: a maximized window's bounds start inside the bitmap.
  BitBlt(FCanvas->Handle(), R.left, R.top, RectWidth(R), RectHeight(R), memory, R.left, R.top, SRCCOPY);
}

void TdxSkinFormPainter::DrawCaptionContent(HDC DC, const RECT& R, TdxSkinElement* ACaption) {
  DrawCaptionBackground(DC, R, ACaption);
  DrawCaptionText(DC, FViewInfo->CaptionTextBounds());
  for (int i = 0; i < dxSkinFormIconCount; ++i) {
    const auto icon = static_cast<TdxSkinFormIcon>(i);
    if (Contains(FViewInfo->Icons(), icon))
      DrawCaptionIcon(DC, FViewInfo->IconBounds(icon), FViewInfo->FormIcon(icon), icon);
  }
}

void TdxSkinFormPainter::DrawCaptionBackground(HDC DC, RECT R, TdxSkinElement* ACaption) {
  // A minimized window keeps one line of its bottom frame under the caption.
  if (FViewInfo->IsIconic()) {
    DrawBorderPart(DC, R, FViewInfo->IsAlphaBlendUsed(), bBottom);
    --R.bottom;
  }
  FBordersCache[bTop].DrawEx(DC, ElementOrEmpty(ACaption), R, FrameState(), 0, FViewInfo->Dpi());
}

void TdxSkinFormPainter::DrawCaptionText(HDC DC, RECT R) {
  const std::wstring caption = FViewInfo->Caption();
  if (caption.empty()) return;
  const HGDIOBJ oldFont = SelectObject(DC, FViewInfo->CaptionFont()->Handle());
  const int oldMode = SetBkMode(DC, TRANSPARENT);
  const COLORREF oldColor = GetTextColor(DC);
  if (FViewInfo->HasCaptionTextShadow()) {
    SetTextColor(DC, ColorToRGB(FViewInfo->CaptionTextShadowColor()));
    RECT shadow = R;
    DrawTextOnDC(DC, caption, -1, shadow, kCaptionTextFormat);
    SetTextColor(DC, oldColor);
  }
  R = OffsetRectBy(R, -1, -1);
  SetTextColor(DC, ColorToRGB(FViewInfo->CaptionTextColor()));
  DrawCaptionString(DC, R, caption);
  SetTextColor(DC, oldColor);
  SetBkMode(DC, oldMode);
  SelectObject(DC, oldFont);
}

void TdxSkinFormPainter::DrawCaptionString(HDC DC, RECT R, const std::wstring& AText) {
  DrawTextOnDC(DC, AText, -1, R, kCaptionTextFormat);
}

void TdxSkinFormPainter::DrawCaptionIcon(HDC DC, const RECT& R, TdxSkinElement* AElement, TdxSkinFormIcon AIcon) {
  if (AIcon == sfiMenu ? !FViewInfo->SysMenuIcon() : !AElement) return;
  if (RectIsEmpty(R) || !RectVisible(DC, &R)) return;
  if (AElement) {
    FIconsCache[AIcon].CheckCacheState(AElement, R, FViewInfo->IconState(AIcon), 0, FViewInfo->Dpi());
    FIconsCache[AIcon].Draw(DC, R);
  } else {
    DrawIconEx(DC, R.left, R.top, FViewInfo->SysMenuIcon(), RectWidth(R), RectHeight(R), 0, nullptr, DI_NORMAL);
  }
}

// ---- frame strips

void TdxSkinFormPainter::DrawFrameElement(HDC DC, const RECT& R, TcxBorder ASide) {
  // A skin without this side's element leaves the strip to the form content.
  if (TdxSkinElement* element = FViewInfo->FormFrame(ASide))
    FBordersCache[ASide].DrawEx(DC, element, R, FrameState(), 0, FViewInfo->Dpi());
  else DrawFormContent(DC, R);
}

RECT TdxSkinFormPainter::FrameElementRect(const RECT& R, TcxBorder ASide) const {
  if (!IsBordersThin()) return R;
  RECT result = R;
  switch (ASide) {
    case bLeft: result.right = result.left + FViewInfo->GetFrameSize(bLeft); break;
    case bRight: result.left = result.right - FViewInfo->GetFrameSize(bRight); break;
    case bBottom: result.top = result.bottom - FViewInfo->GetFrameSize(bBottom); break;
    default: break;
  }
  return result;
}

void TdxSkinFormPainter::DrawBorderPart(HDC DC, const RECT& R, bool AComposed, TcxBorder ASide) {
  if (RectIsEmpty(R)) return;
  if (!AComposed) {
    DrawFrameElement(DC, R, ASide);
    return;
  }
  const RECT r0{0, 0, RectWidth(R), RectHeight(R)};
  const HDC memory = FPartBuffer.Prepare(r0.right, r0.bottom);
  if (!memory) return;
  DrawFormContent(memory, r0);
  DrawFrameElement(memory, FrameElementRect(r0, ASide), ASide);
  BitBlt(DC, R.left, R.top, r0.right, r0.bottom, memory, 0, 0, SRCCOPY);
}

void TdxSkinFormPainter::DrawBorders() {
  if (IsBordersThin()) {
    DrawThinBorders();
    return;
  }
  const bool composed = FViewInfo->IsAlphaBlendUsed();
  for (TcxBorder side : {bLeft, bRight, bBottom}) {
    RECT r = FViewInfo->BorderBounds(side);
    if (RectIsEmpty(r) || !IsRectVisible(r)) continue;
    if (side != bBottom) {
      r.top = FViewInfo->BorderBounds(bTop).bottom;
      r.bottom = FViewInfo->BorderBounds(bBottom).top;
    }
    DrawBorderPart(FCanvas->Handle(), r, composed, side);
  }
}

// Thin elements sit on the outer edge of their strips, over the form content.
void TdxSkinFormPainter::DrawThinBorders() {
  DrawBorderPart(FCanvas->Handle(), FViewInfo->BorderBounds(bBottom), true, bBottom);
  for (TcxBorder side : {bLeft, bRight}) {
    RECT r = FViewInfo->BorderBounds(side);
    if (RectIsEmpty(r) || !IsRectVisible(r)) continue;
    r.top = FViewInfo->BorderBounds(bTop).bottom;
    r.bottom = FViewInfo->WindowBounds().bottom - FViewInfo->GetFrameSize(bBottom);
    DrawBorderPart(FCanvas->Handle(), r, true, side);
  }
}

// ---- scroll bars

void TdxSkinFormPainter::DrawScrollAreas(HDC DC) {
  for (TdxScrollAreaElement element : {saeHorzScroll, saeVertScroll, saeSizeGrip}) {
    if (!Contains(FViewInfo->ScrollAreaElements(), element)) continue;
    const RECT& r = FViewInfo->ScrollAreaBounds(element);
    if (element == saeSizeGrip) DrawSizeGripArea(DC, r);
    else DrawScrollBar(DC, element, r);
  }
}

void TdxSkinFormPainter::DrawScrollBar(HDC DC, TdxSkinFormScrollBar ABar, const RECT& R) {
  if (RectIsEmpty(R) || !FPainter) return;
  const HDC memory = FPartBuffer.Prepare(RectWidth(R), RectHeight(R));
  if (!memory) return;
  // R's own coordinates address the bitmap.
  SetWindowOrgEx(memory, R.left, R.top, nullptr);
  struct TCanvasContext {
    TdxSkinFormPainter* Painter;
    HDC Previous;
    ~TCanvasContext() { Painter->SelectDC(Previous); }
  } selected{this, SelectDC(memory)};
  DrawFormContent(memory, R);
  const bool horizontal = ABar == saeHorzScroll;
  FPainter->DrawScrollBarBackground(FCanvas.get(), R, horizontal);
  for (int i = sbpNone; i <= sbpPageDown; ++i) {
    const auto part = static_cast<TcxScrollBarPart>(i);
    const TcxButtonState state = FViewInfo->ScrollBarPartState(ABar, part);
    if (state != cxbsDefault)
      FPainter->DrawScrollBarPart(FCanvas.get(), horizontal, FViewInfo->ScrollBarPartBounds(ABar, part), part, state);
  }
  BlitRect(DC, memory, R, SRCCOPY, POINT{R.left, R.top});
}

void TdxSkinFormPainter::DrawSizeGripArea(HDC DC, const RECT& R) {
  DrawFormContent(DC, R);
  if (FPainter) FPainter->DrawSizeGrip(FCanvas.get(), R, clNone);
}

void TdxSkinFormPainter::DrawFormContent(HDC DC, const RECT& R) {
  FormContent()->Draw(DC, R, 0, esNormal, FViewInfo->Dpi());
}

}  // namespace talvik
