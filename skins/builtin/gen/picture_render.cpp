#include "skins/builtin/gen/picture_render.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>

#include "framework/sysutils.h"

namespace talvik::skingen {

namespace {

struct Color { float r = 0, g = 0, b = 0, a = 0; };  // premultiplied, 0..1

Color Premultiplied(Rgba c) {
  float a = c.a / 255.f;
  return {c.r / 255.f * a, c.g / 255.f * a, c.b / 255.f * a, a};
}

Color Mix(Color a, Color b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

struct Box { float x1, y1, x2, y2; };

// One frame being drawn: premultiplied pixels.
class Canvas {
public:
  Canvas(int w, int h) : W(w), H(h), FPx(static_cast<size_t>(w) * h) {}
  const int W, H;

  void Blend(int x, int y, Color c, float coverage) {
    if (coverage <= 0) return;
    Color& d = FPx[static_cast<size_t>(y) * W + x];
    float k = 1 - c.a * coverage;
    d = {c.r * coverage + d.r * k, c.g * coverage + d.g * k, c.b * coverage + d.b * k,
         c.a * coverage + d.a * k};
  }

  // Fills the part of the frame where inside() holds, 8 x 8 samples per pixel;
  // colourAt gives the colour at a pixel centre (for gradients).
  void Fill(Box bounds, const std::function<bool(float, float)>& inside,
            const std::function<Color(float, float)>& colourAt) {
    int x0 = std::max(0, static_cast<int>(std::floor(bounds.x1)));
    int y0 = std::max(0, static_cast<int>(std::floor(bounds.y1)));
    int x1 = std::min(W, static_cast<int>(std::ceil(bounds.x2)));
    int y1 = std::min(H, static_cast<int>(std::ceil(bounds.y2)));
    constexpr int S = 8;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) {
        int hits = 0;
        for (int sy = 0; sy < S; ++sy)
          for (int sx = 0; sx < S; ++sx)
            if (inside(x + (sx + 0.5f) / S, y + (sy + 0.5f) / S)) ++hits;
        if (hits) Blend(x, y, colourAt(x + 0.5f, y + 0.5f), hits / float(S * S));
      }
  }

  void Fill(Box bounds, const std::function<bool(float, float)>& inside, Color c) {
    Fill(bounds, inside, [c](float, float) { return c; });
  }

  // Exact area coverage for an axis-aligned rectangle.
  void Rect(Box b, Color c) {
    for (int y = std::max(0, int(std::floor(b.y1))); y < std::min(H, int(std::ceil(b.y2))); ++y)
      for (int x = std::max(0, int(std::floor(b.x1))); x < std::min(W, int(std::ceil(b.x2))); ++x) {
        float cx = std::min<float>(x + 1, b.x2) - std::max<float>(x, b.x1);
        float cy = std::min<float>(y + 1, b.y2) - std::max<float>(y, b.y1);
        if (cx > 0 && cy > 0) Blend(x, y, c, cx * cy);
      }
  }

  Color At(int x, int y) const { return FPx[static_cast<size_t>(y) * W + x]; }

private:
  std::vector<Color> FPx;
};

bool InRoundRect(float px, float py, Box b, float r) {
  if (px < b.x1 || px > b.x2 || py < b.y1 || py > b.y2) return false;
  r = std::min({r, (b.x2 - b.x1) / 2, (b.y2 - b.y1) / 2});
  if (r <= 0) return true;
  float dx = std::max({b.x1 + r - px, px - (b.x2 - r), 0.f});
  float dy = std::max({b.y1 + r - py, py - (b.y2 - r), 0.f});
  return dx * dx + dy * dy <= r * r;
}

float SegmentDistance(float px, float py, float ax, float ay, float bx, float by) {
  float vx = bx - ax, vy = by - ay;
  float len2 = vx * vx + vy * vy;
  float t = len2 > 0 ? std::clamp(((px - ax) * vx + (py - ay) * vy) / len2, 0.f, 1.f) : 0.f;
  float dx = ax + t * vx - px, dy = ay + t * vy - py;
  return std::sqrt(dx * dx + dy * dy);
}

bool InPolygon(float px, float py, const std::vector<float>& xy) {
  bool in = false;
  size_t n = xy.size() / 2;
  for (size_t i = 0, j = n - 1; i < n; j = i++) {
    float xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
    if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) in = !in;
  }
  return in;
}

// A polyline of round-capped strokes.
void Stroke(Canvas& c, const std::vector<float>& xy, float width, Color col) {
  if (xy.size() < 4) return;
  Box b{1e9f, 1e9f, -1e9f, -1e9f};
  for (size_t i = 0; i < xy.size(); i += 2) {
    b.x1 = std::min(b.x1, xy[i]); b.x2 = std::max(b.x2, xy[i]);
    b.y1 = std::min(b.y1, xy[i + 1]); b.y2 = std::max(b.y2, xy[i + 1]);
  }
  float h = width / 2;
  b = {b.x1 - h - 1, b.y1 - h - 1, b.x2 + h + 1, b.y2 + h + 1};
  c.Fill(b, [&](float px, float py) {
    for (size_t i = 0; i + 3 < xy.size(); i += 2)
      if (SegmentDistance(px, py, xy[i], xy[i + 1], xy[i + 2], xy[i + 3]) <= h) return true;
    return false;
  }, col);
}

void Polygon(Canvas& c, const std::vector<float>& xy, Color col) {
  Box b{1e9f, 1e9f, -1e9f, -1e9f};
  for (size_t i = 0; i < xy.size(); i += 2) {
    b.x1 = std::min(b.x1, xy[i]); b.x2 = std::max(b.x2, xy[i]);
    b.y1 = std::min(b.y1, xy[i + 1]); b.y2 = std::max(b.y2, xy[i + 1]);
  }
  c.Fill(b, [&](float px, float py) { return InPolygon(px, py, xy); }, col);
}

void Disc(Canvas& c, float cx, float cy, float r, Color col) {
  c.Fill({cx - r, cy - r, cx + r, cy + r},
         [=](float px, float py) { return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= r * r; }, col);
}

// Named marks drawn into a box: caption-button symbols, arrows, checks, grips.
// Orthogonal strokes snap to whole pixels so they stay crisp.
void Mark(Canvas& c, const std::string& name, Box b, Color col, float w) {
  float cx = (b.x1 + b.x2) / 2, cy = (b.y1 + b.y2) / 2;
  float bw = b.x2 - b.x1, bh = b.y2 - b.y1;
  auto frame = [&](Box r) {  // a one-stroke outline
    c.Rect({r.x1, r.y1, r.x2, r.y1 + w}, col);
    c.Rect({r.x1, r.y2 - w, r.x2, r.y2}, col);
    c.Rect({r.x1, r.y1 + w, r.x1 + w, r.y2 - w}, col);
    c.Rect({r.x2 - w, r.y1 + w, r.x2, r.y2 - w}, col);
  };
  if (name == "close") {
    float i = 0.5f;  // ends on pixel centres: the diagonals stay crisp
    Stroke(c, {b.x1 + i, b.y1 + i, b.x2 - i, b.y2 - i}, w, col);
    Stroke(c, {b.x2 - i, b.y1 + i, b.x1 + i, b.y2 - i}, w, col);
  } else if (name == "minimize") {
    c.Rect({b.x1, b.y2 - w, b.x2, b.y2}, col);
  } else if (name == "maximize") {
    frame(b);
    c.Rect({b.x1, b.y1 + w, b.x2, b.y1 + 2 * w}, col);  // the title strip of a window
  } else if (name == "restore") {
    float o = std::round(std::min(bw, bh) * 0.3f);
    Box back{b.x1 + o, b.y1, b.x2, b.y2 - o};
    Box front{b.x1, b.y1 + o, b.x2 - o, b.y2};
    c.Rect({back.x1, back.y1, back.x2, back.y1 + w}, col);
    c.Rect({back.x2 - w, back.y1, back.x2, back.y2}, col);
    c.Rect({back.x1, back.y1, back.x1 + w, front.y1}, col);
    c.Rect({front.x2, back.y2 - w, back.x2, back.y2}, col);
    frame(front);
    c.Rect({front.x1, front.y1 + w, front.x2, front.y1 + 2 * w}, col);
  } else if (name == "help") {
    // A question mark: an open arc, a short stem and a dot.
    float r = std::min(bw / 2 - w / 2, bh * 0.28f);
    float acx = cx, acy = b.y1 + w / 2 + r;
    std::vector<float> arc;
    for (int i = 0; i <= 12; ++i) {
      float a = 3.14159f * (1.1f - i * 1.6f / 12);
      arc.push_back(acx + r * std::cos(a));
      arc.push_back(acy - r * std::sin(a));
    }
    arc.push_back(cx); arc.push_back(b.y2 - w * 2.6f);
    Stroke(c, arc, w, col);
    Disc(c, cx, b.y2 - w * 0.75f, w * 0.75f, col);
  } else if (name.rfind("chevron-", 0) == 0 || name.rfind("arrow-", 0) == 0) {
    std::string dir = name.substr(name.find('-') + 1);
    // Points of a V pointing in the direction: two ends and the tip.
    float ex1, ey1, tx, ty, ex2, ey2;
    if (dir == "up") { ex1 = b.x1; ey1 = b.y2; tx = cx; ty = b.y1; ex2 = b.x2; ey2 = b.y2; }
    else if (dir == "down") { ex1 = b.x1; ey1 = b.y1; tx = cx; ty = b.y2; ex2 = b.x2; ey2 = b.y1; }
    else if (dir == "left") { ex1 = b.x2; ey1 = b.y1; tx = b.x1; ty = cy; ex2 = b.x2; ey2 = b.y2; }
    else if (dir == "right") { ex1 = b.x1; ey1 = b.y1; tx = b.x2; ty = cy; ex2 = b.x1; ey2 = b.y2; }
    else throw Exception(Utf8ToWide("unknown direction in mark " + name));
    if (name[0] == 'a') Polygon(c, {ex1, ey1, tx, ty, ex2, ey2}, col);
    else {
      float h = w / 2;  // keep the stroke inside the box
      auto in = [&](float& x, float& y) {
        x = std::clamp(x, b.x1 + h, b.x2 - h);
        y = std::clamp(y, b.y1 + h, b.y2 - h);
      };
      in(ex1, ey1); in(tx, ty); in(ex2, ey2);
      Stroke(c, {ex1, ey1, tx, ty, ex2, ey2}, w, col);
    }
  } else if (name == "check") {
    Stroke(c, {b.x1 + w / 2, cy, b.x1 + bw * 0.4f, b.y2 - w / 2, b.x2 - w / 2, b.y1 + w / 2}, w, col);
  } else if (name == "plus" || name == "minus") {
    float t = std::round(cy - w / 2);
    c.Rect({b.x1, t, b.x2, t + w}, col);
    if (name == "plus") {
      float l = std::round(cx - w / 2);
      c.Rect({l, b.y1, l + w, b.y2}, col);
    }
  } else if (name == "dot") {
    Disc(c, cx, cy, std::min(bw, bh) / 2, col);
  } else if (name == "ring") {
    float r = std::min(bw, bh) / 2;
    c.Fill(b, [=](float px, float py) {
      float d = std::sqrt((px - cx) * (px - cx) + (py - cy) * (py - cy));
      return d <= r && d >= r - w;
    }, col);
  } else if (name == "ellipsis") {
    float r = std::min(bh, bw / 5) / 2;
    for (int i = 0; i < 3; ++i) Disc(c, b.x1 + r + i * (bw - 2 * r) / 2, cy, r, col);
  } else if (name == "bars-h" || name == "bars-v") {
    // Three grip lines across the box, 2 pixels apart.
    for (int i = -1; i <= 1; ++i) {
      if (name == "bars-h") {
        float y = std::round(cy - w / 2) + i * 2 * w;
        c.Rect({b.x1, y, b.x2, y + w}, col);
      } else {
        float x = std::round(cx - w / 2) + i * 2 * w;
        c.Rect({x, b.y1, x + w, b.y2}, col);
      }
    }
  } else if (name == "pin") {
    float l = std::round(cx - w / 2);
    frame({b.x1 + bw * 0.2f, b.y1, b.x2 - bw * 0.2f, b.y1 + bh * 0.55f});
    c.Rect({b.x1, b.y1 + bh * 0.55f, b.x2, b.y1 + bh * 0.55f + w}, col);
    c.Rect({l, b.y1 + bh * 0.55f, l + w, b.y2}, col);
  } else if (name == "triangle-grip") {
    // Dots filling the lower right triangle of the box, a size grip.
    int n = static_cast<int>(std::min(bw, bh) / (2 * w));
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j)
        if (i + j >= n - 1) c.Rect({b.x1 + i * 2 * w, b.y1 + j * 2 * w, b.x1 + i * 2 * w + w, b.y1 + j * 2 * w + w}, col);
  } else {
    throw Exception(Utf8ToWide("unknown mark \"" + name + "\""));
  }
}

// Draws one frame from the recipe's steps.
class FrameDrawer {
public:
  FrameDrawer(const SkinSource& skin, Canvas& canvas, int state, int variant)
      : FSkin(skin), C(canvas), FState(state), FVariant(variant) {}

  void Run(const DrawOp& op) {
    FArgs.clear();
    FKeys.clear();
    for (const auto& raw : op.args) {
      std::string a = raw;
      auto eq = a.find('=');
      std::string key = eq == std::string::npos ? "" : a.substr(0, eq);
      std::string value = eq == std::string::npos ? a : a.substr(eq + 1);
      value = Variant(value);
      if (key.empty()) FArgs.push_back(value);
      else FKeys[key] = value;
    }
    const std::string& k = FArgs[0];
    if (k == "fill") { Need(2); C.Rect({0, 0, float(C.W), float(C.H)}, Col(FArgs[1])); }
    else if (k == "rect") { Need(6); C.Rect(BoxAt(1), Col(FArgs[5])); }
    else if (k == "box") { Need(5); RoundBox(); }
    else if (k == "line") {
      Need(6);
      Stroke(C, {X(FArgs[1]), Y(FArgs[2]), X(FArgs[3]), Y(FArgs[4])}, Num("w", 1), Col(FArgs[5]));
    } else if (k == "circle") {
      Need(4);
      float cx = X(FArgs[1]), cy = Y(FArgs[2]), r = Val(FArgs[3]);
      if (FKeys.count("fill")) Disc(C, cx, cy, r, Col(FKeys["fill"]));
      if (FKeys.count("border")) Mark(C, "ring", {cx - r, cy - r, cx + r, cy + r}, Col(FKeys["border"]), Num("bw", 1));
    } else if (k == "poly") {
      if (FArgs.size() < 8 || FArgs.size() % 2) throw Exception(L"poly needs x y pairs and a colour");
      std::vector<float> xy;
      for (size_t i = 1; i + 1 < FArgs.size(); i += 2) { xy.push_back(X(FArgs[i])); xy.push_back(Y(FArgs[i + 1])); }
      Polygon(C, xy, Col(FArgs.back()));
    } else if (k == "mark") {
      Need(7);
      Mark(C, FArgs[1], BoxAt(2), Col(FArgs[6]), Num("w", 1));
    } else if (k == "dots") {
      Need(6);
      Box b = BoxAt(1);
      float step = Num("step", 2), r = Num("r", 0.5f);
      Color col = Col(FArgs[5]);
      for (float y = b.y1; y + 2 * r <= b.y2 + 0.01f; y += step)
        for (float x = b.x1; x + 2 * r <= b.x2 + 0.01f; x += step) Disc(C, x + r, y + r, r, col);
    }
  }

private:
  void Need(size_t n) {
    if (FArgs.size() < n) throw Exception(Utf8ToWide("\"" + FArgs[0] + "\" needs " + std::to_string(n - 1) + " values"));
  }

  // "a|b|c" picks the alternative of the image variant being drawn.
  std::string Variant(const std::string& v) const {
    if (v.find('|') == std::string::npos) return v;
    std::vector<std::string> alts;
    size_t start = 0;
    for (size_t bar; (bar = v.find('|', start)) != std::string::npos; start = bar + 1) alts.push_back(v.substr(start, bar - start));
    alts.push_back(v.substr(start));
    return alts[FVariant % alts.size()];
  }

  Color Col(const std::string& token) { return Premultiplied(ResolveRgba(FSkin, token, FState)); }

  // Coordinates: a number, or w, h, cx, cy with an optional +N or -N.
  float Coord(const std::string& t, float w, float h) {
    size_t i = 0;
    float base = 0;
    if (t.rfind("cx", 0) == 0) { base = w / 2; i = 2; }
    else if (t.rfind("cy", 0) == 0) { base = h / 2; i = 2; }
    else if (!t.empty() && t[0] == 'w') { base = w; i = 1; }
    else if (!t.empty() && t[0] == 'h') { base = h; i = 1; }
    if (i == t.size()) return base;
    char* end = nullptr;
    float v = std::strtof(t.c_str() + i, &end);
    if (*end || end == t.c_str() + i) throw Exception(Utf8ToWide("not a coordinate: " + t));
    return base + v;
  }
  float X(const std::string& t) { return Coord(t, float(C.W), float(C.H)); }
  float Y(const std::string& t) { return Coord(t, float(C.W), float(C.H)); }
  float Val(const std::string& t) { return Coord(t, float(C.W), float(C.H)); }
  float Num(const char* key, float dflt) { auto it = FKeys.find(key); return it == FKeys.end() ? dflt : Val(it->second); }
  Box BoxAt(size_t i) { return {X(FArgs[i]), Y(FArgs[i + 1]), X(FArgs[i + 2]), Y(FArgs[i + 3])}; }

  // box X1 Y1 X2 Y2 r= fill= fill2= border= bw= hilite= shade=
  void RoundBox() {
    Box b = BoxAt(1);
    float r = Num("r", 0), bw = Num("bw", 1);
    Box inner{b.x1 + bw, b.y1 + bw, b.x2 - bw, b.y2 - bw};
    float ri = std::max(0.f, r - bw);
    bool bordered = FKeys.count("border") && ResolveRgba(FSkin, FKeys["border"], FState).a > 0;
    Box body = bordered ? inner : b;
    float rb = bordered ? ri : r;
    if (FKeys.count("fill")) {
      Color c1 = Col(FKeys["fill"]);
      Color c2 = FKeys.count("fill2") ? Col(FKeys["fill2"]) : c1;
      float y1 = body.y1, y2 = body.y2;
      // Fill under the border too, so no seam shows between them.
      C.Fill(b, [&](float px, float py) { return InRoundRect(px, py, b, r); },
             [&](float, float py) { return Mix(c1, c2, std::clamp((py - y1) / std::max(1.f, y2 - y1), 0.f, 1.f)); });
    }
    if (FKeys.count("hilite")) {
      Box lower{body.x1, body.y1 + 1, body.x2, body.y2};
      C.Fill(body, [&](float px, float py) { return InRoundRect(px, py, body, rb) && !InRoundRect(px, py, lower, rb); },
             Col(FKeys["hilite"]));
    }
    if (FKeys.count("shade")) {
      Box upper{body.x1, body.y1, body.x2, body.y2 - 1};
      C.Fill(body, [&](float px, float py) { return InRoundRect(px, py, body, rb) && !InRoundRect(px, py, upper, rb); },
             Col(FKeys["shade"]));
    }
    if (bordered)
      C.Fill(b, [&](float px, float py) { return InRoundRect(px, py, b, r) && !InRoundRect(px, py, inner, ri); },
             Col(FKeys["border"]));
  }

  const SkinSource& FSkin;
  Canvas& C;
  int FState, FVariant;
  std::vector<std::string> FArgs;
  std::map<std::string, std::string> FKeys;
};

uint8_t ToByte(float v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.f, 1.f) * 255)); }

}  // namespace

void FrameSize(const PictureSpec& picture, int imageCount, int& width, int& height) {
  width = picture.width;
  height = picture.height;
  int states = 0;
  for (int s = 0; s < 11; ++s) if (picture.states & (1u << s)) ++states;
  if (!states) return;
  int& extent = picture.vertical ? height : width;
  extent = extent / std::max(1, imageCount) / states;
}

Pixels RenderPicture(const SkinSource& skin, const ElementSpec& element, const PictureSpec& picture) {
  Pixels out;
  out.width = picture.width;
  out.height = picture.height;
  out.rgba.assign(static_cast<size_t>(out.width) * out.height * 4, 0);
  int fw, fh;
  FrameSize(picture, element.imageCount, fw, fh);
  if (fw <= 0 || fh <= 0) return out;
  int n = 0;
  for (int variant = 0; variant < std::max(1, element.imageCount); ++variant)
    for (int state = 0; state < 11; ++state) {
      if (!(picture.states & (1u << state))) continue;
      Canvas canvas(fw, fh);
      FrameDrawer drawer(skin, canvas, state, variant);
      for (const auto& op : picture.ops) {
        try {
          drawer.Run(op);
        } catch (const Exception& e) {
          throw Exception(Utf8ToWide(op.file + ":" + std::to_string(op.line) + ": ") + e.Message());
        }
      }
      int ox = picture.vertical ? 0 : n * fw, oy = picture.vertical ? n * fh : 0;
      for (int y = 0; y < fh; ++y)
        for (int x = 0; x < fw; ++x) {
          Color c = canvas.At(x, y);
          uint8_t* p = out.At(ox + x, oy + y);
          float a = c.a;
          p[0] = ToByte(a > 0 ? c.r / a : 0);
          p[1] = ToByte(a > 0 ? c.g / a : 0);
          p[2] = ToByte(a > 0 ? c.b / a : 0);
          p[3] = ToByte(a);
        }
      ++n;
    }
  return out;
}

}  // namespace talvik::skingen
