// A contact sheet of a skin for review, every picture drawn by the skin engine.
#pragma once
#include <string>

#include "skins/builtin/gen/picture_render.h"
#include "skins/model/skin.h"

namespace talvik {

// Two sample windows put together from the skin's elements, its named colours, then
// every element in each image variant and state it has: at its natural size, stretched
// wider and stretched taller, over a checkerboard that shows what is transparent.
// ADpi: the elements' samples at that display scale (96 is 100 %).
skingen::Pixels RenderSheet(TdxSkin& ASkin, const std::string& ATitle, int ADpi = 96);

}  // namespace talvik
