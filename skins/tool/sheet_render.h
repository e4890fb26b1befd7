// A contact sheet of a skin for review, every picture drawn by the skin engine.
#pragma once
#include <string>

#include "skins/builtin/gen/picture_render.h"
#include "skins/model/skin.h"

namespace talvik {

// Two sample windows put together from the skin's elements, its named colours, then
// every element in each image variant and state it has: at its natural size, stretched
// wider and stretched taller, over a checkerboard that shows what is transparent.
skingen::Pixels RenderSheet(TdxSkin& ASkin, const std::string& ATitle);

}  // namespace talvik
