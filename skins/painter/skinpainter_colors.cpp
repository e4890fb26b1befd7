// The skin painter's colours: each is a colour of the skin when the skin has
// it, else what the Office 2003 painter answers.
#include "skins/model/skin.h"
#include "skins/painter/skinpainter.h"

namespace talvik {

using S = TdxSkinLookAndFeelPainter;
using O = TcxOffice11LookAndFeelPainter;
using I = TdxSkinInfo;

TColor S::DefaultContentColor() const { return ColorOr(SkinPart(&I::ContentColor), O::DefaultContentColor()); }
TColor S::DefaultContentEvenColor() const {
  return ColorOr(SkinPart(&I::ContentEvenColor), O::DefaultContentEvenColor());
}
TColor S::DefaultContentOddColor() const { return ColorOr(SkinPart(&I::ContentOddColor), O::DefaultContentOddColor()); }
TColor S::DefaultContentTextColor() const {
  return ColorOr(SkinPart(&I::ContentTextColor), O::DefaultContentTextColor());
}

TColor S::DefaultEditorBackgroundColorEx(TcxEditStateColorKind AKind) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  return ColorOr(info ? info->EditorBackgroundColors[AKind] : nullptr, O::DefaultEditorBackgroundColorEx(AKind));
}

TColor S::DefaultEditorTextColorEx(TcxEditStateColorKind AKind) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  return ColorOr(info ? info->EditorTextColors[AKind] : nullptr, O::DefaultEditorTextColorEx(AKind));
}

TColor S::DefaultFilterBoxTextColor() const {
  return ElementTextColorOr(SkinPart(&I::FilterPanel), O::DefaultFilterBoxTextColor());
}
TColor S::DefaultFixedSeparatorColor() const {
  return ElementColorOr(SkinPart(&I::GridFixedLine), O::DefaultFixedSeparatorColor());
}
TColor S::DefaultFooterColor() const { return DefaultHeaderColor(); }
TColor S::DefaultGridDetailsSiteColor() const { return DefaultContentColor(); }
TColor S::DefaultGridLineColor() const { return ElementColorOr(SkinPart(&I::GridLine), O::DefaultGridLineColor()); }
TColor S::DefaultGroupByBoxTextColor() const {
  return ElementTextColorOr(SkinPart(&I::GridGroupByBox), O::DefaultGroupByBoxTextColor());
}
TColor S::DefaultGroupColor() const { return ElementColorOr(SkinPart(&I::GridGroupRow), O::DefaultGroupColor()); }
TColor S::DefaultGroupTextColor() const {
  return ElementTextColorOr(SkinPart(&I::GridGroupRow), O::DefaultGroupTextColor());
}
TColor S::DefaultHeaderBackgroundColor() const {
  return ColorOr(SkinPart(&I::HeaderBackgroundColor), O::DefaultHeaderBackgroundColor());
}
TColor S::DefaultHeaderBackgroundTextColor() const {
  return ColorOr(SkinPart(&I::HeaderBackgroundTextColor), O::DefaultHeaderBackgroundTextColor());
}
TColor S::DefaultHeaderColor() const { return ElementColorOr(SkinPart(&I::Header), O::DefaultHeaderColor()); }
TColor S::DefaultHeaderTextColor() const {
  return ElementTextColorOr(SkinPart(&I::Header), O::DefaultHeaderTextColor());
}
TColor S::DefaultHyperlinkTextColor() const {
  return ColorOr(SkinPart(&I::HyperLinkTextColor), O::DefaultHyperlinkTextColor());
}
TColor S::DefaultPreviewTextColor() const { return DefaultHyperlinkTextColor(); }
TColor S::DefaultRecordSeparatorColor() const {
  return ElementColorOr(SkinPart(&I::GridLine), O::DefaultRecordSeparatorColor());
}

TColor S::DefaultSizeGripAreaColor() const {
  TdxSkinElement* content = SkinPart(&I::FormContent);
  return content && content->Color() != clDefault ? content->Color() : O::DefaultSizeGripAreaColor();
}

TColor S::DefaultVGridBandLineColor() const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  return ElementColorOr(info ? info->VGridLine[1] : nullptr, O::DefaultVGridBandLineColor());
}
TColor S::DefaultVGridCategoryColor() const {
  return ElementColorOr(SkinPart(&I::VGridCategory), O::DefaultVGridCategoryColor());
}
TColor S::DefaultVGridCategoryTextColor() const {
  return ElementTextColorOr(SkinPart(&I::VGridCategory), O::DefaultVGridCategoryTextColor());
}
TColor S::DefaultVGridHeaderColor() const {
  return ElementColorOr(SkinPart(&I::VGridRowHeader), O::DefaultVGridHeaderColor());
}
TColor S::DefaultVGridHeaderTextColor() const {
  return ElementTextColorOr(SkinPart(&I::VGridRowHeader), O::DefaultVGridHeaderTextColor());
}
TColor S::DefaultVGridLineColor() const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  return ElementColorOr(info ? info->VGridLine[0] : nullptr, O::DefaultVGridLineColor());
}

// ---- date navigator: the calendar colours of the editors

TColor S::DefaultDateNavigatorHeaderColor() const { return DefaultHeaderColor(); }
TColor S::DefaultDateNavigatorHeaderTextColor(bool AIsHighlight) const { return DefaultHeaderTextColor(); }
TColor S::DefaultDateNavigatorHolydayTextColor() const {
  return ColorOr(SkinPart(&I::CalendarHolidayTextColor), O::DefaultDateNavigatorHolydayTextColor());
}
TColor S::DefaultDateNavigatorInactiveTextColor() const {
  return ColorOr(SkinPart(&I::CalendarInactiveDayTextColor), O::DefaultDateNavigatorInactiveTextColor());
}
TColor S::DefaultDateNavigatorSelectionColor() const {
  return ColorOr(SkinPart(&I::CalendarSelectedDayColor), O::DefaultDateNavigatorSelectionColor());
}
TColor S::DefaultDateNavigatorSelectionTextColor() const {
  return ColorOr(SkinPart(&I::CalendarSelectedDayTextColor), O::DefaultDateNavigatorSelectionTextColor());
}
TColor S::DefaultDateNavigatorSeparator1Color() const {
  return ColorOr(SkinPart(&I::CalendarSeparatorColor), O::DefaultDateNavigatorSeparator1Color());
}
TColor S::DefaultDateNavigatorSeparator2Color() const { return clNone; }
TColor S::DefaultDateNavigatorTextColor() const {
  return ColorOr(SkinPart(&I::CalendarDayTextColor), O::DefaultDateNavigatorTextColor());
}
TColor S::DefaultDateNavigatorTodayFrameColor() const {
  return ColorOr(SkinPart(&I::CalendarTodayFrameColor), O::DefaultDateNavigatorTodayFrameColor());
}
TColor S::DefaultDateNavigatorTodayTextColor() const {
  return ColorOr(SkinPart(&I::CalendarTodayTextColor), O::DefaultDateNavigatorTodayTextColor());
}

// ---- scheduler

TColor S::DefaultSchedulerBackgroundColor() const {
  return ColorOr(SkinPart(&I::ContentColor), O::DefaultSchedulerBackgroundColor());
}
TColor S::DefaultSchedulerBorderColor() const {
  return ColorOr(SkinPart(&I::ContainerBorderColor), O::DefaultSchedulerBorderColor());
}
TColor S::DefaultSchedulerControlColor() const {
  return ColorOr(SkinPart(&I::ContentColor), O::DefaultSchedulerControlColor());
}
TColor S::DefaultSchedulerNavigatorColor() const {
  return ColorOr(SkinPart(&I::SchedulerNavigatorColor), O::DefaultSchedulerNavigatorColor());
}
TColor S::DefaultSchedulerTimeRulerColor() const {
  return ElementColorOr(SkinPart(&I::SchedulerTimeRuler), O::DefaultSchedulerTimeRulerColor());
}
TColor S::DefaultSchedulerTimeRulerTextColor() const {
  return ElementTextColorOr(SkinPart(&I::SchedulerTimeRuler), O::DefaultSchedulerTimeRulerTextColor());
}
TColor S::DefaultSchedulerViewSelectedTextColor() const { return DefaultSchedulerViewTextColor(); }
TColor S::DefaultSchedulerViewTextColor() const {
  return ColorOr(SkinPart(&I::ContentTextColor), O::DefaultSchedulerViewTextColor());
}

// ---- selection and separators

TColor S::DefaultSelectionColor() const { return ColorOr(SkinPart(&I::SelectionColor), O::DefaultSelectionColor()); }
TColor S::DefaultSelectionTextColor() const {
  return ColorOr(SkinPart(&I::SelectionTextColor), O::DefaultSelectionTextColor());
}
TColor S::DefaultSeparatorColor() const {
  return ColorOr(SkinPart(&I::ContainerBorderColor), O::DefaultSeparatorColor());
}

// ---- colours of parts

TColor S::PivotGridHeadersAreaColor() const {
  return ColorOr(SkinPart(&I::HeaderBackgroundColor), O::PivotGridHeadersAreaColor());
}
TColor S::PivotGridHeadersAreaTextColor() const {
  return ColorOr(SkinPart(&I::HeaderBackgroundTextColor), O::PivotGridHeadersAreaTextColor());
}
TColor S::FooterSeparatorColor() const { return DefaultGridLineColor(); }

TColor S::SchedulerNavigationButtonTextColor(bool AIsNextButton, TcxButtonState AState, TColor ADefaultColor) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinElement* button = info ? info->SchedulerNavigationButtons[AIsNextButton] : nullptr;
  TColor color = button ? button->GetTextColor(AState) : clDefault;
  return color != clNone && color != clDefault
             ? color
             : O::SchedulerNavigationButtonTextColor(AIsNextButton, AState, ADefaultColor);
}

TColor S::EditButtonTextColor() const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  return ElementTextColorOr(info ? info->EditButtonElements[0] : nullptr, O::EditButtonTextColor());
}

TColor S::GetContainerBorderColor(bool AIsHighlightBorder) const {
  TdxSkinColor* color =
      SkinPart(AIsHighlightBorder ? &I::ContainerHighlightBorderColor : &I::ContainerBorderColor);
  return ColorOr(color, O::GetContainerBorderColor(AIsHighlightBorder));
}

TColor S::ProgressBarTextColorEx(bool AIsFilledArea) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  return ColorOr(info ? info->ProgressBarTextColors[AIsFilledArea] : nullptr, O::ProgressBarTextColorEx(AIsFilledArea));
}

TColor S::GroupBoxTextColor(bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinElement* caption = info && AEnabled ? info->GroupBoxCaptionElements[ACaptionPosition] : nullptr;
  return ElementTextColorOr(caption, O::GroupBoxTextColor(AEnabled, ACaptionPosition));
}

TColor S::LayoutControlEmptyAreaColor() const {
  return ColorOr(SkinPart(&I::LayoutControlColor), O::LayoutControlEmptyAreaColor());
}

TColor S::CalcEditButtonTextColor(TcxCalcButtonKind AButtonKind) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  return ColorOr(info ? info->CalcEditButtonTextColors[AButtonKind] : nullptr,
                 O::CalcEditButtonTextColor(AButtonKind));
}

}  // namespace talvik
