// Draws the pictures of a skin source: every frame of every state and image
// variant, from its recipe, anti-aliased.
#pragma once
#include <cstdint>
#include <vector>

#include "skins/builtin/gen/skin_source.h"

namespace talvik::skingen {

// Straight (not premultiplied) 8-bit red, green, blue, alpha, rows from the top.
struct Pixels {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;
  uint8_t* At(int x, int y) { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
  const uint8_t* At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};

// The frame size of a picture: its extent along the layout direction split
// evenly among image variants and states.
void FrameSize(const PictureSpec& picture, int imageCount, int& width, int& height);

// Renders a picture; an element's image count decides how many variants it has.
// Fails with talvik::Exception naming the source line of a bad drawing step.
Pixels RenderPicture(const SkinSource& skin, const ElementSpec& element, const PictureSpec& picture);

}  // namespace talvik::skingen
