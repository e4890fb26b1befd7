#include <gtest/gtest.h>

#include "framework/sysutils.h"
#include "graphics/bitmap32.h"

using namespace talvik;

namespace {
RGBQUAD Q(BYTE r, BYTE g, BYTE b, BYTE a) { return RGBQUAD{b, g, r, a}; }

::testing::AssertionResult SameQuad(RGBQUAD got, RGBQUAD want) {
  if (QuadToValue(got) == QuadToValue(want)) return ::testing::AssertionSuccess();
  auto show = [](RGBQUAD q) {
    return "(r" + std::to_string(q.rgbRed) + " g" + std::to_string(q.rgbGreen) + " b" + std::to_string(q.rgbBlue) +
           " a" + std::to_string(q.rgbReserved) + ")";
  };
  return ::testing::AssertionFailure() << show(got) << " != " << show(want);
}

// A bitmap holding the given pixels, bottom row first.
template <class B>
void Fill(B& b, const TRGBColors& px) {
  b.SetBitmapColors(px);
}

// Pixel (x, y) of a 32-bit bitmap, y counted from the top.
RGBQUAD At(TBitmap& b, int x, int y) { return static_cast<RGBQUAD*>(b.ScanLine(y))[x]; }

struct ForceSoftware {
  bool old = cxForceSoftwareBlend(true);
  ~ForceSoftware() { cxForceSoftwareBlend(old); }
};
}  // namespace

TEST(BlendFormula, PremultipliedSourceOverWithRounding) {
  struct Case {
    const char* name;
    RGBQUAD dest, src;
    BYTE alpha;
    RGBQUAD want;
  } cases[] = {
      {"opaque source replaces", Q(10, 20, 30, 40), Q(200, 150, 100, 255), 255, Q(200, 150, 100, 255)},
      {"transparent black leaves dest", Q(10, 20, 30, 40), Q(0, 0, 0, 0), 255, Q(10, 20, 30, 40)},
      // c = 128/255: 3c = 1.506 rounds up, not down.
      {"rounds to nearest", Q(0, 0, 0, 0), Q(0, 0, 3, 255), 128, Q(0, 0, 2, 128)},
      // e = 1 - 128/255: 1.506 + 0.498 * 200 = 101.1; alpha 128 + 0.498 * 255 = 255.
      {"half opacity over opaque", Q(0, 0, 200, 255), Q(0, 0, 3, 255), 128, Q(0, 0, 101, 255)},
      // Colours not premultiplied overflow and clamp.
      {"clamps", Q(250, 0, 0, 255), Q(200, 0, 0, 0), 255, Q(255, 0, 0, 255)},
      {"zero opacity keeps dest", Q(1, 2, 3, 4), Q(200, 150, 100, 255), 0, Q(1, 2, 3, 4)},
  };
  for (auto& c : cases) EXPECT_TRUE(SameQuad(cxBlendQuad(c.dest, c.src, c.alpha), c.want)) << c.name;
}

TEST(BlendDCRect, SoftwareAndSystemPathsAgreeOnTheFixedCases) {
  for (bool software : {true, false}) {
    bool old = cxForceSoftwareBlend(software);
    TcxBitmap32 dest(3, 1), src(3, 1);
    dest.SetBitmapColors({Q(10, 20, 30, 40), Q(10, 20, 30, 40), Q(0, 0, 200, 255)});
    src.SetBitmapColors({Q(200, 150, 100, 255), Q(0, 0, 0, 0), Q(0, 0, 3, 255)});
    BlendDCRect(dest.Canvas().Handle(), src.Canvas().Handle(), RECT{0, 0, 2, 1}, RECT{0, 0, 2, 1}, 255, true);
    BlendDCRect(dest.Canvas().Handle(), src.Canvas().Handle(), RECT{2, 0, 3, 1}, RECT{2, 0, 3, 1}, 128, false);
    cxForceSoftwareBlend(old);
    EXPECT_TRUE(SameQuad(At(dest, 0, 0), Q(200, 150, 100, 255))) << software;
    EXPECT_TRUE(SameQuad(At(dest, 1, 0), Q(10, 20, 30, 40))) << software;
    EXPECT_NEAR(At(dest, 2, 0).rgbBlue, 101, software ? 0 : 1) << software;
  }
}

TEST(BlendDCRect, SmoothResizingResamplesBeforeBlending) {
  ForceSoftware sw;
  TcxBitmap32 src(4, 1);
  src.SetBitmapColors({Q(255, 0, 0, 255), Q(255, 0, 0, 255), Q(0, 0, 0, 255), Q(0, 0, 0, 255)});
  TcxBitmap32 dest(7, 1, true);
  BlendDCRect(dest.Canvas().Handle(), src.Canvas().Handle(), RECT{0, 0, 7, 1}, RECT{0, 0, 4, 1}, 255, true);
  // The Lanczos weights of 4 -> 7 give 255 255 255 126 0 0 0 in red.
  const BYTE red[] = {255, 255, 255, 126, 0, 0, 0};
  for (int x = 0; x < 7; ++x) EXPECT_EQ(At(dest, x, 0).rgbRed, red[x]) << x;
}

TEST(BlendBitmapOnDC, BlendsTheBitmapsOwnContext) {
  TcxBitmap32 dest(2, 1, true), src(2, 1);
  src.SetBitmapColors({Q(9, 8, 7, 255), Q(0, 0, 0, 0)});
  BlendBitmapOnDC(dest.Canvas().Handle(), &src, RECT{0, 0, 2, 1}, RECT{0, 0, 2, 1});
  EXPECT_TRUE(SameQuad(At(dest, 0, 0), Q(9, 8, 7, 255)));
  EXPECT_TRUE(SameQuad(At(dest, 1, 0), Q(0, 0, 0, 0)));
}

TEST(Resample, LanczosWeightsMirrorAtBothEnds) {
  TcxResampleWeights w = cxResampleWeights(4, 7);  // factor 6/3 = 2
  using P = std::vector<std::pair<int, int>>;
  EXPECT_EQ(w[1], (P{{2, 6}, {1, -35}, {0, 156}, {1, 156}, {2, -35}, {3, 6}}));
  EXPECT_EQ(w[5], (P{{0, 6}, {1, -35}, {2, 156}, {3, 156}, {3, -35}, {2, 6}}));
  EXPECT_EQ(w[4], (P{{2, 256}}));  // on a source pixel only that pixel counts
}

TEST(Resample, OnePixelAndToOnePixelFactors) {
  // From 1 pixel the factor is the destination size, 5: x = i / 5.
  TcxResampleWeights up = cxResampleWeights(1, 5);
  using P = std::vector<std::pair<int, int>>;
  EXPECT_EQ(up[0], (P{{0, 256}}));
  EXPECT_EQ(up[1], (P{{0, 7}, {0, -30}, {0, 238}, {0, 53}, {0, -13}, {0, 1}}));
  // To 1 pixel the factor is 1/10: the filter is ten times wider and weaker.
  TcxResampleWeights down = cxResampleWeights(10, 1);
  ASSERT_EQ(down.size(), 1u);
  int sum = 0;
  for (auto [k, wt] : down[0]) {
    EXPECT_GE(k, 0);
    EXPECT_LT(k, 10);
    sum += wt;
  }
  EXPECT_EQ(sum, 256);
  EXPECT_EQ(down[0][22], (std::pair<int, int>{0, 26}));  // the centre weight

  TcxBitmap32 one(1, 1), five(5, 1);
  one.SetBitmapColors({Q(0, 0, 100, 255)});
  ResampleBitmap(&one, &five, true);
  const BYTE want[] = {100, 100, 99, 99, 100};  // weights are not renormalised
  for (int x = 0; x < 5; ++x) EXPECT_EQ(At(five, x, 0).rgbBlue, want[x]) << x;

  TcxBitmap32 ten(10, 1), single(1, 1);
  TRGBColors ramp;
  for (int i = 0; i < 10; ++i) ramp.push_back(Q(0, 0, BYTE(i * 25), 255));
  ten.SetBitmapColors(ramp);
  ResampleBitmap(&ten, &single, true);
  EXPECT_EQ(At(single, 0, 0).rgbBlue, 74);
}

TEST(Resample, VerticalPassAndEmptySizes) {
  TcxBitmap32 src(1, 4), dst(1, 7);
  // Bottom row first: the top two rows are red.
  src.SetBitmapColors({Q(0, 0, 0, 255), Q(0, 0, 0, 255), Q(255, 0, 0, 255), Q(255, 0, 0, 255)});
  ResampleBitmap(&src, &dst, true);
  const BYTE red[] = {0, 0, 0, 126, 255, 255, 255};  // bottom row first
  TRGBColors got;
  dst.GetBitmapColors(got);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(got[i].rgbRed, red[i]) << i;
  TcxBitmap32 empty;
  ResampleBitmap(&empty, &dst, true);  // nothing happens
  dst.GetBitmapColors(got);
  EXPECT_EQ(got[6].rgbRed, 255);
}

TEST(Bitmap32, ColorsRunFromTheBottomRow) {
  TcxBitmap32 b(1, 2);
  SetPixel(b.Canvas().Handle(), 0, 0, RGB(1, 2, 3));
  SetPixel(b.Canvas().Handle(), 0, 1, RGB(4, 5, 6));
  TRGBColors c;
  b.GetBitmapColors(c);
  ASSERT_EQ(c.size(), 2u);
  EXPECT_EQ(c[0].rgbRed, 4);  // the lower pixel
  EXPECT_EQ(c[1].rgbRed, 1);
  EXPECT_FALSE(b.IsAlphaUsed());
  b.SetAlphaChannel(7);
  EXPECT_TRUE(b.IsAlphaUsed());
  b.GetBitmapColors(c);
  EXPECT_EQ(c[1].rgbReserved, 7);
}

TEST(Bitmap32, RecoverTransparency) {
  TcxBitmap32 b(3, 1);
  b.SetBitmapColors({Q(255, 0, 255, 255), Q(0, 0, 255, 0), Q(255, 0, 255, 9)});
  b.RecoverTransparency(static_cast<TColor>(RGB(255, 0, 255)));
  TRGBColors c;
  b.GetBitmapColors(c);
  EXPECT_TRUE(SameQuad(c[0], Q(0, 0, 0, 0)));
  EXPECT_TRUE(SameQuad(c[1], Q(0, 0, 255, 255)));
  EXPECT_TRUE(SameQuad(c[2], Q(0, 0, 0, 0)));
}

TEST(Bitmap32, PixelFormatStaysThirtyTwoBits) {
  TcxBitmap32 b(2, 2);
  try {
    b.SetPixelFormat(pf24bit);
    FAIL() << "no failure";
  } catch (const EdxException& e) {
    EXPECT_EQ(e.Message(), L"Wrong PixelFormat");
  }
  // Loading a 24-bit picture ends as 32 bits, and so does a failed load.
  TBitmap plain(3, 2, pf24bit);
  plain.Canvas().Brush().SetColor(static_cast<TColor>(RGB(9, 8, 7)));
  plain.Canvas().FillRect(RECT{0, 0, 3, 2});
  TMemoryStream m;
  plain.SaveToStream(m);
  m.SetPosition(0);
  TcxBitmap32 loaded;
  int changes = 0;
  loaded.OnChange = [&](TObject*) { ++changes; };
  loaded.LoadFromStream(m);
  EXPECT_EQ(loaded.PixelFormat(), pf32bit);
  EXPECT_EQ(loaded.Width(), 3);
  EXPECT_EQ(At(loaded, 2, 1).rgbRed, 9);
  EXPECT_EQ(changes, 1);
  TMemoryStream junk;
  junk.WriteBuffer("not a bitmap at all, not at all", 32);
  junk.SetPosition(0);
  EXPECT_THROW(loaded.LoadFromStream(junk), EInvalidGraphic);
  EXPECT_EQ(loaded.PixelFormat(), pf32bit);
  EXPECT_EQ(loaded.LockCount(), 0);
}

TEST(Bitmap32, FilterInvertAndClear) {
  TcxBitmap32 b(2, 1), mask(2, 1);
  b.SetBitmapColors({Q(255, 255, 255, 255), Q(255, 255, 255, 255)});
  mask.SetBitmapColors({Q(0, 0, 0, 0), Q(255, 0, 0, 255)});
  b.Filter(&mask);
  EXPECT_TRUE(SameQuad(At(b, 0, 0), Q(255, 255, 255, 255)));
  EXPECT_TRUE(SameQuad(At(b, 1, 0), Q(0, 255, 255, 0)));
  b.Invert();
  EXPECT_TRUE(SameQuad(At(b, 0, 0), Q(0, 0, 0, 0)));
  EXPECT_TRUE(SameQuad(At(b, 1, 0), Q(255, 0, 0, 255)));
  b.Clear();
  EXPECT_TRUE(SameQuad(At(b, 1, 0), Q(0, 0, 0, 0)));
}

// Fixture: an opaque colour, a half-transparent colour, the transparent
// background (0) and a non-transparent pixel whose alpha is 0.
TEST(TransformBitmap, EveryMode) {
  const RGBQUAD P = Q(200, 100, 50, 255), H = Q(10, 20, 30, 128), Z = Q(0, 0, 0, 0), Y = Q(5, 5, 5, 0);
  RGBQUAD dirty = cxBlendQuad(Q(124, 124, 124, 255), ColorToQuad(clBtnShadow, 0xC0), 238);
  RGBQUAD dirtyH = cxBlendQuad(Q(18, 18, 18, 128), ColorToQuad(clBtnShadow, 0xC0), 238);
  RGBQUAD dirtyY = cxBlendQuad(Q(5, 5, 5, 0), ColorToQuad(clBtnShadow, 0xC0), 238);
  struct Case {
    const char* name;
    TcxBitmapTransformationMode mode;
    RGBQUAD want[4];
  } cases[] = {
      // 30 % towards white with ties to even: 16.5 -> 16, 46.5 -> 46, 61.5 -> 62.
      {"dingy", btmDingy, {Q(216, 146, 112, 255), Q(8, 16, 24, 100), Z, Q(4, 4, 4, 0)}},
      {"dirty", btmDirty, {dirty, dirtyH, Z, dirtyY}},
      {"grayscale", btmGrayScale, {Q(116, 116, 116, 255), Q(20, 20, 20, 128), Z, Y}},
      {"set opaque", btmSetOpaque, {P, Q(10, 20, 30, 255), Q(0, 0, 0, 255), Q(5, 5, 5, 255)}},
      {"make mask", btmMakeMask, {Z, Z, Q(255, 255, 255, 255), Z}},
      {"fade", btmFade, {Q(124, 124, 124, 255), Q(18, 18, 18, 128), Z, Y}},
      {"disable", btmDisable, {Q(97, 97, 97, 255), Q(21, 21, 21, 128), Z, Y}},
      {"correct blend", btmCorrectBlend, {P, H, Z, Q(5, 5, 5, 255)}},
      {"clear", btmClear, {Z, Z, Z, Z}},
      {"reset alpha", btmResetAlpha, {Q(200, 100, 50, 0), Q(10, 20, 30, 0), Z, Y}},
  };
  for (auto& c : cases) {
    TcxAlphaBitmap b(4, 1);
    b.SetBitmapColors({P, H, Z, Y});
    b.TransformBitmap(c.mode);
    TRGBColors got;
    b.GetBitmapColors(got);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(SameQuad(got[i], c.want[i])) << c.name << " pixel " << i;
  }
}

TEST(TransformBitmap, TransparentPixelListAndBackground) {
  TcxAlphaBitmap b(3, 1, Q(1, 2, 3, 4));
  b.TransparentPixels().Add(static_cast<TColor>(RGB(9, 9, 9)));
  b.SetBitmapColors({Q(1, 2, 3, 4), Q(9, 9, 9, 200), Q(1, 2, 3, 5)});
  b.TransformBitmap(btmMakeMask);
  TRGBColors got;
  b.GetBitmapColors(got);
  EXPECT_EQ(QuadToValue(got[0]), 0xFFFFFFFFu);  // exact background
  EXPECT_EQ(QuadToValue(got[1]), 0xFFFFFFFFu);  // listed colour, any alpha
  EXPECT_EQ(QuadToValue(got[2]), 0u);           // background colour with another alpha
  // A background with alpha clears to itself.
  b.Clear();
  b.GetBitmapColors(got);
  EXPECT_TRUE(SameQuad(got[2], Q(1, 2, 3, 4)));
  b.RecoverAlphaChannel(static_cast<TColor>(RGB(7, 7, 7)));
  EXPECT_EQ(b.TransparentPixels().Count(), 1);
  EXPECT_TRUE(SameQuad(b.TransparentBkColor(), Q(7, 7, 7, 0)));
  b.RefreshImage(2, 2);
  EXPECT_EQ(b.TransparentPixels().Count(), 0);
  EXPECT_EQ(b.Width(), 2);
}

TEST(TransformBitmap, HatchCellsCountFromTheBottomLeft) {
  TcxAlphaBitmap b(4, 4);
  b.DrawHatch(static_cast<TColor>(RGB(255, 0, 0)), static_cast<TColor>(RGB(0, 0, 255)), 2, 255, 255);
  const RGBQUAD red = Q(255, 0, 0, 255), blue = Q(0, 0, 255, 255);
  // Rows from the top: the bottom-left cell takes the first colour.
  EXPECT_TRUE(SameQuad(At(b, 0, 3), red));
  EXPECT_TRUE(SameQuad(At(b, 1, 2), red));
  EXPECT_TRUE(SameQuad(At(b, 2, 3), blue));
  EXPECT_TRUE(SameQuad(At(b, 0, 0), blue));
  EXPECT_TRUE(SameQuad(At(b, 3, 0), red));
  // Opacity 0 for the second colour leaves those cells alone.
  TcxAlphaBitmap c(4, 4);
  c.DrawHatch(TcxHatchData{Q(255, 0, 0, 255), 255, Q(0, 0, 255, 255), 0, 2});
  EXPECT_TRUE(SameQuad(At(c, 0, 0), Q(0, 0, 0, 0)));
  // A step of 0 draws nothing instead of dividing by zero.
  c.DrawHatch(TcxHatchData{Q(0, 255, 0, 255), 255, Q(0, 255, 0, 255), 255, 0});
  EXPECT_TRUE(SameQuad(At(c, 0, 0), Q(0, 0, 0, 0)));
}

TEST(AlphaBitmapEffects, ShadowGrowsTheBitmapWhenAsked) {
  TcxAlphaBitmap b(6, 4);
  b.SetBitmapColors(TRGBColors(24, RGBQUAD{10, 20, 30, 255}));
  TBitmap mask(6, 4, pf32bit);
  b.DrawShadow(&mask, 3, clBlack, false);
  EXPECT_EQ(b.Width(), 6);
  b.DrawShadow(&mask, 3, clBlack, true);
  EXPECT_EQ(b.Width(), 9);
  EXPECT_EQ(b.Height(), 7);
  b.Shade(&mask);  // raster effects only; must not fail on any mask
  TcxAlphaBitmap empty;
  empty.DrawShadow(&mask, 3, clBlack, true);
  EXPECT_EQ(empty.Width(), 0);
}
