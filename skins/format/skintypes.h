// Small value types shared by the skin data and the painters.
#pragma once
#include <cstdint>

#include "framework/sysutils.h"
#include "lookandfeel/lookandfeeltypes.h"

namespace talvik {

enum TdxSkinElementState : uint8_t {
  esNormal, esHot, esPressed, esDisabled, esActive, esFocused,
  esDroppedDown, esChecked, esHotCheck, esActiveDisabled, esCheckPressed
};
constexpr int dxSkinElementStateCount = 11;
// Bit i set when state i is present; bits 11 to 15 stay 0.
using TdxSkinElementStates = uint16_t;
constexpr TdxSkinElementStates dxSkinStateBit(TdxSkinElementState S) { return TdxSkinElementStates(1u << S); }
constexpr TdxSkinElementStates dxSkinAllStates = 0x07FF;

enum TdxSkinImageLayout : uint8_t { ilHorizontal, ilVertical };
enum TdxSkinStretchMode : uint8_t { smStretch, smTile, smNoResize };
enum TdxSkinGradientMode : uint8_t { gmHorizontal, gmVertical, gmForwardDiagonal, gmBackwardDiagonal };

// The failures of the skin data.
TALVIK_EXCEPTION(EdxSkin, EdxException)

}  // namespace talvik
