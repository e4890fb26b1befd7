// The readable description of a skin: what a skin source file says, before any
// picture is drawn. A source file names the skin, its palette and colours and
// includes a layout file with the groups, elements and picture recipes.
#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace talvik::skingen {

constexpr int32_t kNoColor = 0x1FFFFFFF;       // clNone
constexpr int32_t kDefaultColor = 0x20000000;  // clDefault

enum class PropertyKind { Integer, Boolean, Color, Rect, Size, String };

struct PropertySpec {
  std::string name;
  PropertyKind kind = PropertyKind::Integer;
  int32_t values[4] = {0, 0, 0, 0};  // integer, boolean, colour, rect or size
  std::string text;                  // string value
};

// One drawing step of a picture recipe, kept as written; colours and
// per-variant alternatives are resolved for each frame when it is drawn.
struct DrawOp {
  std::string file;
  int line = 0;
  std::vector<std::string> args;
};

struct PictureSpec {
  bool hasPicture = false;
  int width = 0, height = 0;  // the whole picture
  bool vertical = false;
  uint16_t states = 1;        // bit i = element state i has a frame
  int32_t margins[4] = {0, 0, 0, 0};
  uint8_t stretch = 0;        // 0 stretch, 1 tile, 2 no resize
  int32_t gradientBegin = kNoColor, gradientEnd = kNoColor;
  uint8_t gradientMode = 0;
  std::vector<DrawOp> ops;
};

struct BorderSpec {
  int32_t color = kNoColor;
  int32_t thickness = 1;
};

struct ElementSpec {
  std::string name;
  std::string file;
  int line = 0;
  int32_t color = kDefaultColor;
  uint8_t alpha = 255;
  int32_t imageCount = 1;
  int32_t contentOffset[4] = {0, 0, 0, 0};
  PictureSpec glyph, image;
  BorderSpec borders[4];  // left, top, right, bottom
  int32_t textColor = kDefaultColor;
  int32_t minSize[2] = {0, 0};
  std::vector<PropertySpec> properties;
};

struct GroupSpec {
  std::string name;
  std::vector<PropertySpec> properties;
  std::vector<ElementSpec> elements;
};

struct SkinSource {
  std::string name;
  std::set<std::string> flags;
  // Palette: a name to either one colour token or "state=colour" pairs.
  std::map<std::string, std::vector<std::string>> palette;
  std::vector<std::pair<std::string, int32_t>> colors;
  std::vector<PropertySpec> properties;
  std::vector<GroupSpec> groups;
};

// Reads a skin source file (and the files it includes). Fails with
// talvik::Exception naming the file and line of the first mistake.
SkinSource LoadSkinSource(const std::wstring& fileName);
SkinSource ParseSkinSource(const std::string& text, const std::wstring& fileName);

// Element state names as written in sources: "normal", "hot", ... "checkpressed".
extern const char* const kStateNames[11];
int StateIndex(const std::string& name);  // -1 when unknown

// A colour token ("RRGGBB", "RRGGBB/AA", "none", "default", "@palette") for
// the given state, as red, green, blue and alpha. Fails on unknown tokens.
struct Rgba { uint8_t r = 0, g = 0, b = 0, a = 0; };
Rgba ResolveRgba(const SkinSource& skin, const std::string& token, int state);
// The same token as a stored colour value (red in the low byte); "none" and
// "default" give clNone and clDefault.
int32_t ResolveColorValue(const SkinSource& skin, const std::string& token, int state = 0);

}  // namespace talvik::skingen
