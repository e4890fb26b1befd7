// Types that painters, look-and-feel settings and everything drawing through
// them share. They live here, below the skins, so that the look-and-feel layer
// never needs the skin headers.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>

namespace talvik {

enum TcxButtonState { cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled };
enum TcxArrowDirection { adUp, adDown, adLeft, adRight };
enum TcxScrollBarPart { sbpNone, sbpLineUp, sbpLineDown, sbpThumbnail, sbpPageUp, sbpPageDown };
constexpr int cxScrollBarPartCount = 6;
enum TcxCheckBoxState { cbsUnchecked, cbsChecked, cbsGrayed };
enum TcxGroupBoxCaptionPosition { cxgpTop, cxgpBottom, cxgpLeft, cxgpRight, cxgpCenter };
constexpr int cxGroupBoxCaptionPositionCount = 5;
enum TcxNeighbor { nLeft, nTop, nRight, nBottom };
using TcxNeighbors = uint8_t;  // bit n = TcxNeighbor n
enum TcxHeaderArrows { haNone, haLeft, haRight, haBoth };
enum TcxIndicatorKind { ikNone, ikArrow, ikEdit, ikInsert, ikMultiDot, ikMultiArrow, ikFilter };
enum TcxPopupBorderStyle { pbsNone, pbsUltraFlat, pbsFlat, pbs3D };
enum TcxEditBtnKind {
  cxbkCloseBtn, cxbkComboBtn, cxbkEditorBtn, cxbkEllipsisBtn,
  cxbkSpinUpBtn, cxbkSpinDownBtn, cxbkSpinLeftBtn, cxbkSpinRightBtn
};
constexpr int cxEditBtnKindCount = 8;
enum TcxEditStateColorKind { esckNormal, esckDisabled, esckInactive, esckReadOnly };
constexpr int cxEditStateColorKindCount = 4;
enum TcxTrackBarTicksAlign { tbtaUp, tbtaDown, tbtaBoth };
enum TcxCalcButtonKind {
  cbBack, cbCancel, cbClear, cbMC, cbMR, cbMS, cbMP,
  cbNum0, cbNum1, cbNum2, cbNum3, cbNum4, cbNum5, cbNum6, cbNum7, cbNum8, cbNum9,
  cbSign, cbDecimal, cbDiv, cbMul, cbSub, cbAdd, cbSqrt, cbPercent, cbRev, cbEqual, cbNone
};
constexpr int cxCalcButtonKindCount = 28;

using TcxArrowPoints = std::array<POINT, 3>;

enum TcxLookAndFeelKind { lfFlat, lfStandard, lfUltraFlat, lfOffice11 };
enum TcxLookAndFeelValue { lfvKind, lfvNativeStyle, lfvSkinName };
using TcxLookAndFeelValues = uint8_t;  // bit n = TcxLookAndFeelValue n
enum TcxLookAndFeelStyle { lfsFlat, lfsStandard, lfsUltraFlat, lfsNative, lfsOffice11 };

}  // namespace talvik
