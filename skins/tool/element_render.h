// One skin element drawn by the skin engine into a picture of its own.
#pragma once
#include <optional>

#include "skins/builtin/gen/picture_render.h"
#include "skins/model/skin.h"

namespace talvik {

// Draws AElement into (0, 0, ASize). On ABackground the picture is opaque; without
// one it keeps what the drawing covers and how strongly, and is clear elsewhere.
// ADpi: the scale of the skin's lengths (96 is 100 %).
skingen::Pixels RenderElement(TdxSkinElement* AElement, SIZE ASize, int AImageIndex, TdxSkinElementState AState,
                              std::optional<TColor> ABackground, int ADpi = 96);

}  // namespace talvik
