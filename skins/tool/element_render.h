// One skin element drawn by the skin engine into a picture of its own.
#pragma once
#include <optional>

#include "skins/builtin/gen/picture_render.h"
#include "skins/model/skin.h"

namespace talvik {

// Draws AElement into (0, 0, ASize). On ABackground the picture is opaque; without
// one it keeps what the drawing covers and how strongly, and is clear elsewhere.
skingen::Pixels RenderElement(TdxSkinElement* AElement, SIZE ASize, int AImageIndex, TdxSkinElementState AState,
                              std::optional<TColor> ABackground);

}  // namespace talvik
