// The caption band: where the text goes, the caption buttons and their states.
#include <algorithm>
#include <cmath>

#include "skinforms/formnonclientinfo.h"

namespace talvik {

float TdxSkinFormNonClientAreaInfo::SuppressFactor() {
  if (!FSupressed) return 1.0f;
  TdxSkinElement* caption = FormFrame(bTop);
  const int height = caption ? CalculateCaptionHeight() : 0;
  if (height == 0) return 1.0f;
  return static_cast<float>(Scaled(caption->Image()->Size().cy)) / static_cast<float>(height);
}

RECT TdxSkinFormNonClientAreaInfo::GetCaptionContentMargins() {
  TdxSkinElement* caption = FormFrame(bTop);
  if (!caption) return {};
  RECT margins = Scaled(caption->ContentOffset()->Rect());
  if (FSupressed && HasCaption()) {
    const float factor = SuppressFactor();
    for (LONG* v : {&margins.left, &margins.top, &margins.right, &margins.bottom})
      *v = static_cast<LONG>(std::trunc(*v / factor));
  }
  return margins;
}

RECT TdxSkinFormNonClientAreaInfo::CalculateCaptionTextBounds() {
  RECT r = RectContent(FBorderBounds[bTop], GetCaptionContentMargins());
  r.top += Scaled(ToolWindow() ? 2 : 1);
  return r;
}

SIZE TdxSkinFormNonClientAreaInfo::GetIconSize(TdxSkinFormIcon AIcon) {
  if (AIcon == sfiMenu) {
    const int side = ToolWindow()
                         ? SystemMetricsForDpi(SM_CYSMCAPTION, FDpi) - 2 * SystemMetricsForDpi(SM_CYEDGE, FDpi)
                         : SystemMetricsForDpi(SM_CYSMICON, FDpi);
    return {side, side};
  }
  SIZE s{};
  if (TdxSkinElement* element = FormIcon(AIcon)) s = element->MinSize()->Size();
  s = {Scaled(s.cx), Scaled(s.cy)};
  const float factor = SuppressFactor();
  // Never smaller than the text band is tall, in either direction.
  const int h = RectHeight(CalculateCaptionTextBounds());
  return {std::max(static_cast<int>(std::trunc(s.cx / factor)), h),
          std::max(static_cast<int>(std::trunc(s.cy / factor)), h)};
}

RECT TdxSkinFormNonClientAreaInfo::IconRectIn(const RECT& R, TdxSkinFormIcon AIcon) {
  const SIZE size = GetIconSize(AIcon);
  const int top = (R.top + R.bottom - size.cy) / 2;
  if (AIcon == sfiMenu) return {R.left, top, R.left + size.cx, top + size.cy};
  return {R.right - size.cx, top, R.right, top + size.cy};
}

void TdxSkinFormNonClientAreaInfo::CalculateCaptionLayout() {
  FCaptionTextBounds = CalculateCaptionTextBounds();
  for (RECT& r : FIconBounds) r = {};
  if (Contains(FIcons, sfiMenu)) {
    FIconBounds[sfiMenu] = IconRectIn(FCaptionTextBounds, sfiMenu);
    FCaptionTextBounds.left += RectWidth(FIconBounds[sfiMenu]);
  }
  FCaptionTextBounds.left += Scaled(5);

  // A minimized window with a maximize box: restore stands where minimize would.
  const bool restoreAndMaximize = Contains(FIcons, sfiMaximize) && Contains(FIcons, sfiRestore);
  TdxSkinFormIcons laidOut = FIcons;
  if (restoreAndMaximize) laidOut = (laidOut & ~IconBit(sfiRestore)) | IconBit(sfiMinimize);
  for (TdxSkinFormIcon icon : {sfiClose, sfiRestore, sfiMaximize, sfiMinimize, sfiHelp}) {
    if (!Contains(laidOut, icon)) continue;
    FIconBounds[icon] = IconRectIn(FCaptionTextBounds, icon);
    FCaptionTextBounds.right -= RectWidth(FIconBounds[icon]) + Scaled(2);
  }
  FCaptionTextBounds.right -= Scaled(5);
  if (restoreAndMaximize) FIconBounds[sfiRestore] = FIconBounds[sfiMinimize];
  UpdateIconStates();
}

bool TdxSkinFormNonClientAreaInfo::UpdateIconStates() {
  TdxSkinElementState old[dxSkinFormIconCount];
  std::copy(std::begin(FIconState), std::end(FIconState), old);
  const TdxSkinFormIcon hit = GetIconHitTest();
  FTrackIcon = FIconPressed;
  for (int i = 0; i < dxSkinFormIconCount; ++i) {
    const auto icon = static_cast<TdxSkinFormIcon>(i);
    TdxSkinElementState& state = FIconState[icon];
    if (!FActive) state = esActiveDisabled;
    else if ((icon == sfiMinimize && !(FStyle & WS_MINIMIZEBOX)) || (icon == sfiMaximize && !(FStyle & WS_MAXIMIZEBOX)))
      state = esDisabled;
    else state = esNormal;
    if (icon != hit || !IsIconEnabled(icon)) continue;
    if (ButtonPressed() && icon == FIconPressed) state = esPressed;
    else if (FIconPressed == sfiMenu) {
      state = esHot;
      FTrackIcon = icon;
    }
  }
  return !std::equal(std::begin(FIconState), std::end(FIconState), old);
}

bool TdxSkinFormNonClientAreaInfo::IsIconEnabled(TdxSkinFormIcon AIcon) {
  if (FIconState[AIcon] == esDisabled) return false;
  return AIcon != sfiClose || IsSystemMenuItemEnabled(SC_CLOSE);
}

TdxSkinFormIcon TdxSkinFormNonClientAreaInfo::UpdatePressedIcon(bool AReset) {
  const TdxSkinFormIcon old = FIconPressed;
  const TdxSkinFormIcon hit = GetIconHitTest();
  FIconPressed = hit;
  if (!AReset) return old;
  // A click counts only when released over the button it was pressed on.
  FIconPressed = sfiMenu;
  return old == hit ? old : sfiMenu;
}

}  // namespace talvik
