// A contact sheet of a skin: every element's pictures frame by frame, each
// frame labelled with its state, on a neutral background, for review.
#pragma once
#include <string>
#include <vector>

#include "skins/builtin/gen/picture_render.h"

namespace talvik::skingen {

struct SheetPicture {
  std::string kind;  // "image" or "glyph"
  Pixels pixels;
  bool vertical = false;
  uint16_t states = 1;
  int imageCount = 1;
  int margins[4] = {0, 0, 0, 0};
  int stretch = 0;
  int32_t gradientBegin = 0x1FFFFFFF;  // clNone: no gradient in the centre
};

struct SheetElement {
  std::string group, name;
  std::vector<SheetPicture> pictures;
  std::string note;  // colours and the like, shown under the name
  int32_t color = 0x20000000;  // background colour, clDefault when none
  int32_t textColor = 0x20000000;
  int contentOffset[4] = {0, 0, 0, 0};
  const SheetPicture* Find(const char* kind) const;
};

using SheetColors = std::vector<std::pair<std::string, int32_t>>;

// Lays the elements out on one picture, under two sample windows and the
// skin's named colours.
Pixels RenderSheet(const std::string& title, const SheetColors& colors, const std::vector<SheetElement>& elements);

// From a skin source: draws every picture from its recipe.
std::vector<SheetElement> SheetFromSource(const SkinSource& skin);

}  // namespace talvik::skingen
