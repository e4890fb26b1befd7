// Reading skin sources and drawing their pictures.
#include <gtest/gtest.h>

#include <string>

#include "framework/sysutils.h"
#include "skins/builtin/gen/picture_render.h"
#include "skins/builtin/gen/png_codec.h"
#include "skins/builtin/gen/skin_source.h"

using namespace talvik;
using namespace talvik::skingen;

namespace {

SkinSource Parse(const std::string& text) { return ParseSkinSource(text, L"test.skinsrc"); }

const ElementSpec& Only(const SkinSource& s) { return s.groups.at(0).elements.at(0); }

uint32_t Rgba32(const Pixels& p, int x, int y) {
  const uint8_t* q = p.At(x, y);
  return (q[0] << 24) | (q[1] << 16) | (q[2] << 8) | q[3];
}

}  // namespace

TEST(SkinSource, ReadsElementsPropertiesAndPictures) {
  SkinSource s = Parse(
      "skin Test\n"
      "let face normal=102030 hot=405060 *=708090\n"
      "skincolor ContentColor 858585\n"
      "group Form\n"
      "  property TextColorInactive color DCDCDC   # belongs to the group\n"
      "  element FormCaption\n"
      "    color none\n"
      "    content 6 3 3 3\n"
      "    textcolor @face\n"
      "    minsize 3 4\n"
      "    property FontDelta integer 1\n"
      "    property Flag boolean true\n"
      "    image 27x50 vertical states active,activedisabled margins 2 9 2 3 stretch\n"
      "      fill @face\n"
      "    glyph none vertical noresize\n");
  EXPECT_EQ(s.name, "Test");
  ASSERT_EQ(s.colors.size(), 1u);
  EXPECT_EQ(s.colors[0].second, 0x858585);
  ASSERT_EQ(s.groups.size(), 1u);
  ASSERT_EQ(s.groups[0].properties.size(), 1u);
  EXPECT_EQ(s.groups[0].properties[0].values[0], 0xDCDCDC);
  const ElementSpec& e = Only(s);
  EXPECT_EQ(e.color, kNoColor);
  EXPECT_EQ(e.textColor, 0x302010);  // red in the low byte
  EXPECT_EQ(e.contentOffset[0], 6);
  EXPECT_EQ(e.minSize[1], 4);
  ASSERT_EQ(e.properties.size(), 2u);
  EXPECT_EQ(e.properties[0].kind, PropertyKind::Integer);
  EXPECT_EQ(e.properties[1].kind, PropertyKind::Boolean);
  EXPECT_EQ(e.properties[1].values[0], 1);
  EXPECT_TRUE(e.image.hasPicture);
  EXPECT_TRUE(e.image.vertical);
  EXPECT_EQ(e.image.states, (1 << 4) | (1 << 9));
  EXPECT_EQ(e.image.margins[1], 9);
  EXPECT_EQ(e.image.ops.size(), 1u);
  EXPECT_FALSE(e.glyph.hasPicture);
  EXPECT_TRUE(e.glyph.vertical);
  EXPECT_EQ(e.glyph.stretch, 2);
}

TEST(SkinSource, MistakesNameTheirLine) {
  struct Case {
    const char* text;
    const char* expected;
  } cases[] = {
      {"skin A\ngroup G\n  element E\n  frobnicate 1\n", "test.skinsrc:4: unknown keyword"},
      {"skin A\ngroup G\n  element E\n  image 10x25 vertical states normal,hot\n", "test.skinsrc:4: picture extent 25"},
      {"skin A\ngroup G\n  element E\n  image 10x20 states normal,warm\n", "unknown state \"warm\""},
      {"skin A\ncolor 123456\n", "test.skinsrc:2: \"color\" outside an element"},
      {"skin A\nfill 123456\n", "outside a picture or style"},
      {"skin A\ngroup G\n  element E\n  textcolor @nothing\n", "unknown palette colour @nothing"},
      {"skin A\ngroup G\n  element E\n  textcolor 12345\n", "not a colour"},
      {"skin A\ngroup G\n  element E\n  property P float 1\n", "property kind"},
      {"skin A\ngroup G\n  element E\n  image 4x4 use missing\n", "unknown style \"missing\""},
      {"group G\n", "names no skin"},
      {"skin A\ngroup G\n  element E\n  image 100000x4 states normal\n", "picture larger than"},
      {"skin A\ngroup G\n  element E\n  image 4x4 states ,\n", "at least one state"},
      {"skin A\ngroup G\n  element E\n  imagecount 0\n", "imagecount must be"},
      {"skin A\ngroup G\n  element E\n  color 010203 alpha 300\n", "alpha must be"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      Parse(c.text);
      ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
      EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << e.what();
    }
  }
}

TEST(SkinSource, PaletteColoursFollowTheState) {
  SkinSource s = Parse("skin A\nlet face normal=010203 hot=040506\nlet alias @face\nlet plain 0A0B0C/80\n");
  EXPECT_EQ(ResolveColorValue(s, "@face", 0), 0x030201);
  EXPECT_EQ(ResolveColorValue(s, "@alias", 1), 0x060504);
  EXPECT_THROW(ResolveColorValue(s, "@face", 2), Exception);  // no colour for pressed, no "*="
  Rgba c = ResolveRgba(s, "@plain", 3);
  EXPECT_EQ(c.r, 0x0A);
  EXPECT_EQ(c.a, 0x80);
  EXPECT_EQ(ResolveColorValue(s, "none", 0), kNoColor);
  EXPECT_EQ(ResolveColorValue(s, "default", 0), kDefaultColor);
}

TEST(PictureRender, FramesFollowStatesAndImageVariants) {
  // Two variants of two states, stacked: variant 0 normal, hot; variant 1 normal, hot.
  SkinSource s = Parse(
      "skin A\n"
      "let face normal=FF0000 hot=00FF00\n"
      "group G\n"
      "  element E\n"
      "    imagecount 2\n"
      "    image 4x16 vertical states normal,hot stretch\n"
      "      fill @face\n"
      "      rect 0 0 4 1 000000|FFFFFF\n");
  Pixels p = RenderPicture(s, Only(s), Only(s).image);
  ASSERT_EQ(p.width, 4);
  ASSERT_EQ(p.height, 16);
  EXPECT_EQ(Rgba32(p, 1, 2), 0xFF0000FFu);   // variant 0, normal
  EXPECT_EQ(Rgba32(p, 1, 6), 0x00FF00FFu);   // variant 0, hot
  EXPECT_EQ(Rgba32(p, 1, 10), 0xFF0000FFu);  // variant 1, normal
  EXPECT_EQ(Rgba32(p, 1, 0), 0x000000FFu);   // variant 0 top line
  EXPECT_EQ(Rgba32(p, 1, 12), 0xFFFFFFFFu);  // variant 1 top line
}

TEST(PictureRender, StylesTakeParametersAndFlagsDropPictures) {
  SkinSource s = Parse(
      "skin A\nflag dark\n"
      "style paint face=112233\n"
      "  fill $face\n"
      "group G\n"
      "  element E\n"
      "    image 2x2 states normal stretch use paint face=445566\n"
      "    glyph 2x2 states normal noresize only light use paint\n");
  Pixels p = RenderPicture(s, Only(s), Only(s).image);
  EXPECT_EQ(Rgba32(p, 0, 0), 0x445566FFu);
  EXPECT_FALSE(Only(s).glyph.hasPicture);
}

TEST(PictureRender, RoundedCornersAreSmoothAndInsideIsSolid) {
  SkinSource s = Parse(
      "skin A\ngroup G\n  element E\n    image 16x16 states normal stretch\n"
      "      box 0 0 w h r=5 fill=FFFFFF\n");
  Pixels p = RenderPicture(s, Only(s), Only(s).image);
  EXPECT_EQ(p.At(0, 0)[3], 0);     // outside the curve
  EXPECT_EQ(p.At(8, 8)[3], 255);   // inside
  EXPECT_EQ(p.At(8, 0)[3], 255);   // the straight top edge
  int partial = 0;
  for (int x = 0; x < 5; ++x)
    for (int y = 0; y < 5; ++y) partial += p.At(x, y)[3] > 0 && p.At(x, y)[3] < 255;
  EXPECT_GE(partial, 3);           // anti-aliased along the curve
}

TEST(PictureRender, BadDrawingStepsNameTheirLine) {
  SkinSource s = Parse("skin A\ngroup G\n  element E\n    image 4x4 states normal stretch\n      mark spiral 0 0 4 4 FFFFFF\n");
  try {
    RenderPicture(s, Only(s), Only(s).image);
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_NE(std::string(e.what()).find("test.skinsrc:5: unknown mark"), std::string::npos) << e.what();
  }
}

TEST(PngCodec, KeepsEveryPixelWithItsAlpha) {
  Pixels p;
  p.width = 3;
  p.height = 2;
  p.rgba = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0, 10, 20, 30, 40, 255, 255, 255, 255, 1, 2, 3, 255};
  std::vector<uint8_t> png = EncodePng(p);
  ASSERT_GT(png.size(), 33u);
  EXPECT_EQ(png[24], 8);  // bit depth
  EXPECT_EQ(png[25], 6);  // colour type: RGB with alpha
  Pixels back = DecodePng(png.data(), png.size());
  ASSERT_EQ(back.width, 3);
  ASSERT_EQ(back.height, 2);
  for (size_t i = 0; i < p.rgba.size(); i += 4) {
    EXPECT_EQ(back.rgba[i + 3], p.rgba[i + 3]) << i;
    if (p.rgba[i + 3] == 255) {
      EXPECT_EQ(back.rgba[i], p.rgba[i]) << i;
      EXPECT_EQ(back.rgba[i + 2], p.rgba[i + 2]) << i;
    }
  }
  const uint8_t junk[20] = {1, 2, 3};
  EXPECT_THROW(DecodePng(junk, sizeof junk), Exception);
}
