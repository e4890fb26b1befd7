// skintool draw: what the skin engine draws, written as a PNG, and its refusals.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "framework/sysutils.h"
#include "skins/tests/skintool_fixture.h"

using namespace talvik;
using namespace talvik::testing;

namespace {

using skingen::Pixels;

struct Rgba {
  double R = 0, G = 0, B = 0, A = 0;  // straight, 0 to 255
};

Rgba At(const Pixels& P, int x, int y) {
  const uint8_t* p = P.At(x, y);
  return {double(p[0]), double(p[1]), double(p[2]), double(p[3])};
}

// Source over destination, both with straight alpha.
Rgba Over(Rgba S, Rgba D) {
  double sa = S.A / 255, da = D.A / 255, a = sa + da * (1 - sa);
  if (a == 0) return {};
  auto mix = [&](double s, double d) { return (s * sa + d * da * (1 - sa)) / a; };
  return {mix(S.R, D.R), mix(S.G, D.G), mix(S.B, D.B), a * 255};
}

Rgba Solid(TColor C) { return {double(C & 0xFF), double((C >> 8) & 0xFF), double((C >> 16) & 0xFF), 255}; }

// The frame of a picture for a state and image variant: frames follow each other along
// the layout, variant by variant, present states in ascending order; a missing state
// takes the lowest present one.
RECT FrameOf(TdxSkinImage* AImage, const Pixels& APicture, int AImageCount, TdxSkinElementState AState, int AIndex) {
  int states = std::popcount(unsigned(AImage->States()));
  bool vertical = AImage->ImageLayout() == ilVertical;
  int w = APicture.width, h = APicture.height;
  if (states) (vertical ? h : w) = (vertical ? h : w) / AImageCount / states;
  int state = AState;
  if (states && !(AImage->States() & (1u << state))) state = std::countr_zero(unsigned(AImage->States()));
  int n = states ? std::popcount(unsigned(AImage->States()) & ((1u << state) - 1)) + AIndex * states : 0;
  return vertical ? RECT{0, n * h, w, (n + 1) * h} : RECT{n * w, 0, (n + 1) * w, h};
}

// What the drawing must give where the skin fixes it: the background, the element's
// colour where it is painted, image parts drawn at their natural size, a glyph drawn
// unscaled. Of stretched parts only this is known: an opaque source part stays opaque.
struct Expectation {
  std::vector<Rgba> Color;
  std::vector<bool> Known, Opaque;
  int W, H;
  Expectation(int AW, int AH, Rgba ABack)
      : Color(size_t(AW) * AH, ABack), Known(size_t(AW) * AH, true), Opaque(size_t(AW) * AH, false), W(AW), H(AH) {}

  void Lay(const Pixels& APicture, RECT ASource, int x0, int y0) {
    for (int y = 0; y < ASource.bottom - ASource.top; ++y)
      for (int x = 0; x < ASource.right - ASource.left; ++x) {
        int tx = x0 + x, ty = y0 + y;
        if (tx < 0 || ty < 0 || tx >= W || ty >= H) continue;
        Rgba& c = Color[size_t(ty) * W + tx];
        c = Over(At(APicture, ASource.left + x, ASource.top + y), c);
      }
  }
  void Mark(std::vector<bool>& AFlags, RECT R, bool AValue) {
    for (int y = std::max<int>(R.top, 0); y < std::min<int>(R.bottom, H); ++y)
      for (int x = std::max<int>(R.left, 0); x < std::min<int>(R.right, W); ++x) AFlags[size_t(y) * W + x] = AValue;
  }
  static bool IsOpaque(const Pixels& APicture, RECT R) {
    for (int y = R.top; y < R.bottom; ++y)
      for (int x = R.left; x < R.right; ++x)
        if (APicture.At(x, y)[3] != 255) return false;
    return true;
  }
  // An image or glyph into R: unscaled and centred, or cut in nine parts by its margins.
  void Image(TdxSkinImage* AImage, int AImageCount, RECT R, TdxSkinElementState AState, int AIndex) {
    if (AImage->Empty()) return;
    Pixels picture = PicturePixels(AImage);
    RECT f = FrameOf(AImage, picture, AImageCount, AState, AIndex);
    int fw = f.right - f.left, fh = f.bottom - f.top;
    if (AImage->Stretch() == smNoResize) {
      Lay(picture, f, (R.left + R.right - fw) / 2, (R.top + R.bottom - fh) / 2);
      return;
    }
    RECT m = AImage->Margins()->Rect();
    ASSERT_LE(m.left + m.right, R.right - R.left) << "margins are not cut down here";
    ASSERT_LE(m.top + m.bottom, R.bottom - R.top);
    Mark(Known, R, false);
    int sx[] = {f.left, f.left + m.left, f.right - m.right}, sw[] = {m.left, fw - m.left - m.right, m.right};
    int sy[] = {f.top, f.top + m.top, f.bottom - m.bottom}, sh[] = {m.top, fh - m.top - m.bottom, m.bottom};
    int dx[] = {R.left, R.left + m.left, R.right - m.right}, dw[] = {m.left, R.right - R.left - m.left - m.right, m.right};
    int dy[] = {R.top, R.top + m.top, R.bottom - m.bottom}, dh[] = {m.top, R.bottom - R.top - m.top - m.bottom, m.bottom};
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) {
        bool gradient = r == 1 && c == 1 && AImage->GradientBeginColor() != clNone;
        RECT source{sx[c], sy[r], sx[c] + sw[c], sy[r] + sh[r]}, target{dx[c], dy[r], dx[c] + dw[c], dy[r] + dh[r]};
        if (gradient) continue;
        if (sw[c] != dw[c] || sh[r] != dh[r]) {
          if (sw[c] > 0 && sh[r] > 0 && IsOpaque(picture, source)) Mark(Opaque, target, true);
          continue;
        }
        Lay(picture, source, dx[c], dy[r]);
        Mark(Known, target, true);
      }
  }

  void Element(TdxSkinElement* E, TdxSkinElementState AState, int AIndex) {
    RECT all{0, 0, W, H};
    bool painted = E->IsColorAssigned() &&
                   (E->Image()->Empty() || E->Image()->Stretch() == smNoResize || E->IsAlphaUsed());
    if (painted) {
      ASSERT_EQ(E->Alpha(), 255) << "a translucent colour is checked elsewhere";
      for (Rgba& c : Color) c = Solid(E->Color());
    }
    Image(E->Image(), E->ImageCount(), all, AState, AIndex);
    for (TdxSkinBorder* b : {E->Borders()->Left(), E->Borders()->Top(), E->Borders()->Right(), E->Borders()->Bottom()})
      ASSERT_TRUE(b->Color() == clNone || b->Thin() == 0) << "borders are not modelled here";
    RECT o = E->ContentOffset()->Rect();
    RECT content{o.left, o.top, W - o.right, H - o.bottom};
    if (!E->Glyph()->Empty() && E->Glyph()->Stretch() != smNoResize) Mark(Known, content, false);
    else Image(E->Glyph(), E->ImageCount(), content, AState, AIndex);
  }
};

// Compares the known pixels; a colour counts only where it is not nearly transparent.
void ExpectPixels(const Pixels& AActual, const Expectation& AExpected, const std::string& ACase) {
  ASSERT_EQ(AActual.width, AExpected.W) << ACase;
  ASSERT_EQ(AActual.height, AExpected.H) << ACase;
  int known = 0, wrong = 0;
  std::string first;
  for (int y = 0; y < AExpected.H; ++y)
    for (int x = 0; x < AExpected.W; ++x) {
      size_t i = size_t(y) * AExpected.W + x;
      Rgba e = AExpected.Color[i], a = At(AActual, x, y);
      bool ok = true;
      if (AExpected.Known[i]) {
        ok = std::abs(e.A - a.A) <= 3;
        if (e.A >= 64) ok = ok && std::abs(e.R - a.R) <= 4 && std::abs(e.G - a.G) <= 4 && std::abs(e.B - a.B) <= 4;
      } else if (AExpected.Opaque[i]) {
        e.A = 255;
        ok = a.A >= 252;
      } else {
        continue;
      }
      ++known;
      if (!ok && wrong++ == 0) {
        char text[160];
        std::snprintf(text, sizeof text, "(%d, %d): expected %.0f %.0f %.0f / %.0f, drawn %.0f %.0f %.0f / %.0f", x, y,
                      e.R, e.G, e.B, e.A, a.R, a.G, a.B, a.A);
        first = text;
      }
    }
  EXPECT_GT(known, 0) << ACase;
  EXPECT_EQ(wrong, 0) << ACase << ": " << known << " pixels known, first wrong at " << first;
}

const wchar_t* const StateNames[] = {L"normal", L"hot", L"pressed", L"disabled", L"active", L"focused",
                                     L"droppeddown", L"checked", L"hotcheck", L"activedisabled", L"checkpressed"};

TEST(SkinToolDraw, PixelsFollowTheSkinPictures) {
  struct Case {
    const wchar_t* Skin;
    const wchar_t* Group;
    const wchar_t* Element;
    int W, H;
    TdxSkinElementState State;
    int Index;
  } cases[] = {
      {L"DarkSide", L"Common", L"Button", 71, 25, esHot, 0},
      {L"DarkSide", L"Form", L"FormCaption", 520, 25, esActive, 0},
      {L"DarkSide", L"Form", L"FormCaption", 520, 25, esNormal, 0},   // absent: its lowest state
      {L"UserSkin", L"Common", L"Button", 71, 25, esFocused, 0},     // absent: normal
      {L"DarkSide", L"Common", L"ScrollButton", 17, 17, esPressed, 3},  // glyph over image, variant 3
      {L"UserSkin", L"Common", L"SizeGrip", 30, 21, esNormal, 0},    // unscaled, centred, overhanging nothing
      {L"DarkSide", L"Ribbon", L"ButtonArrow", 4, 3, esDisabled, 0},  // unscaled, larger than the target
  };
  TToolFolder folder;
  for (const Case& c : cases) {
    std::unique_ptr<TdxSkin> skin = LoadBuiltinSkin(c.Skin);
    TdxSkinElement* element = skin->GetGroupByName(c.Group)->GetElementByName(c.Element);
    ASSERT_NE(element, nullptr);
    std::wstring request = L"--builtin " + std::wstring(c.Skin) + L" " + c.Group + L" " + c.Element + L" " +
                           std::to_wstring(c.W) + L"x" + std::to_wstring(c.H) + L" --state " + StateNames[c.State] +
                           L" --index " + std::to_wstring(c.Index);
    std::string name = WideToUtf8(request);
    for (bool onColour : {true, false}) {
      ToolResult r = RunSkinTool(L"draw " + request + L" " + folder.Arg(L"out.png") +
                                 (onColour ? L" --background 2050A0" : L""));
      ASSERT_EQ(r.ExitCode, 0u) << name << r.Output;
      EXPECT_EQ(r.Output, "") << name;
      Expectation expected(c.W, c.H, onColour ? Solid(0xA05020) : Rgba{});
      expected.Element(element, c.State, c.Index);
      ExpectPixels(ReadPng(folder.Path(L"out.png")), expected, name + (onColour ? " on colour" : " transparent"));
    }
  }
}

// Colours and gradients without pictures, translucent ones included, as a skin file
// from a source packed by the tool.
TEST(SkinToolDraw, ColoursKeepTheirOpacity) {
  TToolFolder folder;
  std::wstring skin = folder.Pack(L"colours",
                                  "skin Colours\n"
                                  "group Common\n"
                                  "  element Solid\n"
                                  "    color 336699\n"
                                  "    image none\n"
                                  "  element Half\n"
                                  "    color 336699 alpha 128\n"
                                  "    image none\n"
                                  "  element Ramp\n"
                                  "    image none gradient 000000 FFFFFF horizontal\n");
  struct Case {
    const wchar_t* Element;
    const wchar_t* Background;
    int Left[4], Right[4];  // red, green, blue, alpha at the first and last column
    int Tolerance;
  } cases[] = {
      {L"Solid", L"", {0x33, 0x66, 0x99, 255}, {0x33, 0x66, 0x99, 255}, 0},
      {L"Half", L"", {0x33, 0x66, 0x99, 128}, {0x33, 0x66, 0x99, 128}, 3},
      // Half of 336699 over 000000.
      {L"Half", L" --background 000000", {0x1A, 0x33, 0x4D, 255}, {0x1A, 0x33, 0x4D, 255}, 2},
      // One colour at the left edge, the other reached at the right one.
      {L"Ramp", L"", {0, 0, 0, 255}, {255, 255, 255, 255}, 12},
  };
  for (const Case& c : cases) {
    std::wstring args = L"draw \"" + skin + L"\" Common " + c.Element + L" 40x3 " + folder.Arg(L"out.png") + c.Background;
    ToolResult r = RunSkinTool(args);
    ASSERT_EQ(r.ExitCode, 0u) << r.Output;
    Pixels p = ReadPng(folder.Path(L"out.png"));
    ASSERT_EQ(p.width, 40);
    for (int y = 0; y < 3; ++y)
      for (int k = 0; k < 4; ++k) {
        EXPECT_NEAR(p.At(0, y)[k], c.Left[k], c.Tolerance) << WideToUtf8(args) << " channel " << k;
        EXPECT_NEAR(p.At(39, y)[k], c.Right[k], c.Tolerance) << WideToUtf8(args) << " channel " << k;
      }
  }
}

// A size is given at 100 %: at another scale the picture grows with it, and the
// frame of the button, drawn as its border's lengths scaled, stays a closed ring.
TEST(SkinToolDraw, ScaleGrowsThePictureAndItsBorders) {
  TToolFolder folder;
  struct Case {
    const wchar_t* Scale;
    int W, H;
  } cases[] = {{L"100", 71, 25}, {L"150", 107, 38}, {L"200", 142, 50}};
  Pixels natural;
  for (const Case& c : cases) {
    ToolResult r = RunSkinTool(L"draw --builtin DarkSide Common Button 71x25 " + folder.Arg(L"out.png") +
                               L" --background 2050A0 --scale " + c.Scale);
    ASSERT_EQ(r.ExitCode, 0u) << r.Output;
    Pixels p = ReadPng(folder.Path(L"out.png"));
    EXPECT_EQ(p.width, c.W);
    EXPECT_EQ(p.height, c.H);
    if (natural.width == 0) {
      natural = p;
      continue;
    }
    // The middle of the left and top sides is the natural picture's, whatever the scale: the
    // border is one of their two outermost pixels (the smooth scaling blends the other).
    const struct {
      int x, y, dx, dy, nx, ny;
    } points[] = {{0, c.H / 2, 1, 0, 0, 12}, {c.W / 2, 0, 0, 1, 35, 0}, {c.W / 2, c.H / 2, 0, 0, 35, 12}};
    for (const auto& pt : points) {
      auto sum = [](Rgba v) { return v.R + v.G + v.B; };
      const double want = sum(At(natural, pt.nx, pt.ny));
      const double outer = sum(At(p, pt.x, pt.y)), inner = sum(At(p, pt.x + pt.dx, pt.y + pt.dy));
      EXPECT_LE(std::min(std::abs(outer - want), std::abs(inner - want)), 30)
          << WideToUtf8(c.Scale) << " at " << pt.x << "," << pt.y << ": " << outer << ", " << inner << " for " << want;
    }
  }
}

TEST(SkinToolDraw, BadRequestsGetOneLineAndNoPicture) {
  TToolFolder folder;
  folder.Write(L"text.skin", "not a skin at all");
  const std::wstring out = L" " + folder.Arg(L"out.png");
  const std::wstring button = L"draw --builtin DarkSide Common Button ";
  struct Case {
    std::wstring Args;
    const char* Message;
  } cases[] = {
      {L"draw --builtin DarkSide Nope Button 71x25" + out, "no group Nope"},
      {L"draw --builtin DarkSide common Button 71x25" + out, "did you mean Common?"},
      {L"draw --builtin DarkSide Common Buton 71x25" + out, "no element Buton"},
      {button + L"0x25" + out, "Bad size 0x25"},
      {button + L"71x" + out, "Bad size"},
      {button + L"71*25" + out, "Bad size"},
      {button + L"-3x25" + out, "Bad size"},
      {button + L"8193x2" + out, "Bad size"},
      {button + L"4097x4097" + out, "Bad size"},
      {button + L"71x25x3" + out, "Bad size"},
      {button + L"71x25" + out + L" --state sideways", "Bad state sideways"},
      {button + L"71x25" + out + L" --index -1", "Bad image index -1"},
      {button + L"71x25" + out + L" --index two", "Bad image index"},
      {button + L"71x25" + out + L" --background 12345", "Bad colour 12345"},
      {button + L"71x25" + out + L" --background 12G456", "Bad colour"},
      {button + L"71x25" + out + L" --colour 123456", "Unknown option --colour"},
      {button + L"71x25" + out + L" --scale 20", "Bad scale 20"},
      {button + L"71x25" + out + L" --scale 150%", "Bad scale"},
      {button + L"71x25" + out + L" --scale 401", "Bad scale"},
      {button + L"71x25" + out + L" --state", "--state needs a value"},
      {button + L"71x25" + out + L" --state hot --state hot", "--state is given twice"},
      {button + L"71x25", "usage: skintool draw"},
      {L"draw --builtin Nope Common Button 71x25" + out, "Unknown built-in skin Nope"},
      {L"draw " + folder.Arg(L"text.skin") + L" Common Button 71x25" + out, "Invalid stream format"},
      {L"draw " + folder.Arg(L"missing.skin") + L" Common Button 71x25" + out, "missing.skin"},
  };
  for (const Case& c : cases) {
    ToolResult r = RunSkinTool(c.Args);
    std::string args = WideToUtf8(c.Args);
    EXPECT_EQ(r.ExitCode, 1u) << args;
    std::vector<std::string> lines = OutputLines(r.Output);
    EXPECT_EQ(lines.size(), 1u) << args << ": " << r.Output;
    EXPECT_NE(r.Output.find(c.Message), std::string::npos) << args << ": " << r.Output;
    EXPECT_FALSE(folder.Exists(L"out.png")) << args;
  }
}

}  // namespace
