#include "skins/tool/sheet_render.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "framework/sysutils.h"

namespace talvik::skingen {

namespace {

const char* const kShortState[11] = {"normal", "hot", "pressed", "disabled", "active", "focused",
                                     "dropped", "checked", "hotcheck", "act.dis.", "chk.pr."};

constexpr int kSheetWidth = 1900;
constexpr int kPad = 10;
constexpr COLORREF kBackground = RGB(0x80, 0x80, 0x80);

// A 32-bit top-down DIB that GDI writes text into and we write pixels into.
class Surface {
public:
  Surface(int w, int h) : W(w), H(h) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    FDC = CreateCompatibleDC(nullptr);
    FBitmap = CreateDIBSection(FDC, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&FBits), nullptr, 0);
    if (!FBitmap) throw Exception(L"Cannot make a sheet of that size");
    FOld = SelectObject(FDC, FBitmap);
    HBRUSH brush = CreateSolidBrush(kBackground);
    RECT r{0, 0, w, h};
    FillRect(FDC, &r, brush);
    DeleteObject(brush);
    SetBkMode(FDC, TRANSPARENT);
    FNormal = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, L"Tahoma");
    FBold = CreateFontW(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, L"Tahoma");
    FTitle = CreateFontW(-22, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, L"Tahoma");
  }
  ~Surface() {
    SelectObject(FDC, FOld);
    DeleteObject(FBitmap);
    DeleteObject(FNormal);
    DeleteObject(FBold);
    DeleteObject(FTitle);
    DeleteDC(FDC);
  }
  const int W, H;

  enum Font { Normal, Bold, Title };
  SIZE Measure(const std::string& text, Font f) {
    SelectObject(FDC, Pick(f));
    std::wstring w = Utf8ToWide(text);
    SIZE s{};
    GetTextExtentPoint32W(FDC, w.c_str(), static_cast<int>(w.size()), &s);
    return s;
  }
  void Text(int x, int y, const std::string& text, Font f, COLORREF color) {
    SelectObject(FDC, Pick(f));
    SetTextColor(FDC, color);
    std::wstring w = Utf8ToWide(text);
    TextOutW(FDC, x, y, w.c_str(), static_cast<int>(w.size()));
  }
  void Fill(int x, int y, int w, int h, COLORREF c) {
    GdiFlush();
    for (int j = std::max(0, y); j < std::min(H, y + h); ++j)
      for (int i = std::max(0, x); i < std::min(W, x + w); ++i)
        FBits[static_cast<size_t>(j) * W + i] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  }
  // Blends a straight-alpha pixel over the surface.
  void Put(int x, int y, const uint8_t* rgba) {
    if (x < 0 || y < 0 || x >= W || y >= H) return;
    uint32_t& d = FBits[static_cast<size_t>(y) * W + x];
    unsigned a = rgba[3];
    auto mix = [a](unsigned s, unsigned t) { return (s * a + t * (255 - a) + 127) / 255; };
    unsigned r = mix(rgba[0], (d >> 16) & 255), g = mix(rgba[1], (d >> 8) & 255), b = mix(rgba[2], d & 255);
    d = (r << 16) | (g << 8) | b;
  }
  Pixels Result() {
    GdiFlush();
    Pixels p;
    p.width = W;
    p.height = H;
    p.rgba.resize(static_cast<size_t>(W) * H * 4);
    for (size_t i = 0; i < static_cast<size_t>(W) * H; ++i) {
      uint32_t v = FBits[i];
      p.rgba[i * 4] = (v >> 16) & 255;
      p.rgba[i * 4 + 1] = (v >> 8) & 255;
      p.rgba[i * 4 + 2] = v & 255;
      p.rgba[i * 4 + 3] = 255;
    }
    return p;
  }

private:
  HFONT Pick(Font f) { return f == Bold ? FBold : f == Title ? FTitle : FNormal; }
  HDC FDC;
  HBITMAP FBitmap;
  HGDIOBJ FOld;
  HFONT FNormal, FBold, FTitle;
  uint32_t* FBits = nullptr;
};

struct FrameCell {
  int variant, state;
  int sx, sy, w, h;  // source frame in the picture
};

std::vector<FrameCell> Frames(const SheetPicture& p) {
  std::vector<FrameCell> cells;
  int states = 0;
  for (int s = 0; s < 11; ++s) if (p.states & (1u << s)) ++states;
  int fw = p.pixels.width, fh = p.pixels.height;
  int count = std::max(1, p.imageCount);
  if (states) (p.vertical ? fh : fw) = (p.vertical ? fh : fw) / count / states;
  if (fw <= 0 || fh <= 0) return cells;
  int n = 0;
  for (int v = 0; v < count; ++v)
    for (int s = 0; s < 11; ++s) {
      if (states && !(p.states & (1u << s))) continue;
      cells.push_back({v, s, p.vertical ? 0 : n * fw, p.vertical ? n * fh : 0, fw, fh});
      ++n;
      if (!states) break;
    }
  return cells;
}

int ScaleFor(int w, int h) { return std::max(w, h) <= 24 ? 3 : std::max(w, h) <= 64 ? 2 : 1; }

std::string Describe(const SheetPicture& p) {
  static const char* stretch[] = {"stretch", "tile", "no resize"};
  std::string s = p.kind + " " + std::to_string(p.pixels.width) + "x" + std::to_string(p.pixels.height);
  s += p.vertical ? " vertical" : " horizontal";
  if (p.margins[0] || p.margins[1] || p.margins[2] || p.margins[3])
    s += ", margins " + std::to_string(p.margins[0]) + " " + std::to_string(p.margins[1]) + " " +
         std::to_string(p.margins[2]) + " " + std::to_string(p.margins[3]);
  s += ", ";
  s += stretch[std::clamp(p.stretch, 0, 2)];
  if (p.imageCount > 1) s += ", " + std::to_string(p.imageCount) + " images";
  return s;
}

// Drawing elements the way the skin engine puts them together, for previews:
// background colour, the image cut in nine parts by its margins, the glyph
// centred in the content area.
void Over(Pixels& dst, int x, int y, const uint8_t* s) {
  if (x < 0 || y < 0 || x >= dst.width || y >= dst.height || s[3] == 0) return;
  uint8_t* d = dst.At(x, y);
  unsigned sa = s[3], da = d[3];
  unsigned oa = sa + da * (255 - sa) / 255;
  if (!oa) return;
  for (int i = 0; i < 3; ++i) d[i] = static_cast<uint8_t>((s[i] * sa + d[i] * da * (255 - sa) / 255) / oa);
  d[3] = static_cast<uint8_t>(oa);
}

void FillRect(Pixels& dst, RECT r, int32_t color) {
  uint8_t c[4] = {static_cast<uint8_t>(color & 255), static_cast<uint8_t>((color >> 8) & 255),
                  static_cast<uint8_t>((color >> 16) & 255), 255};
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) Over(dst, x, y, c);
}

// Nearest-neighbour scaling or tiling of one source part into a target part.
void DrawPart(Pixels& dst, const Pixels& src, RECT s, RECT d, bool tile) {
  int sw = s.right - s.left, sh = s.bottom - s.top, dw = d.right - d.left, dh = d.bottom - d.top;
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
  for (int y = 0; y < dh; ++y)
    for (int x = 0; x < dw; ++x) {
      int sx = tile ? x % sw : x * sw / dw, sy = tile ? y % sh : y * sh / dh;
      Over(dst, d.left + x, d.top + y, src.At(s.left + sx, s.top + sy));
    }
}

RECT FrameOf(const SheetPicture& p, int variant, int state) {
  auto cells = Frames(p);
  int lowest = -1;
  for (const auto& c : cells)
    if (c.variant == variant) {
      if (lowest < 0) lowest = static_cast<int>(&c - cells.data());
      if (c.state == state) return {c.sx, c.sy, c.sx + c.w, c.sy + c.h};
    }
  if (lowest < 0) return {0, 0, 0, 0};
  const auto& c = cells[lowest];
  return {c.sx, c.sy, c.sx + c.w, c.sy + c.h};
}

void DrawPicture(Pixels& dst, const SheetPicture& p, RECT target, int variant, int state) {
  RECT f = FrameOf(p, variant, state);
  int fw = f.right - f.left, fh = f.bottom - f.top;
  if (fw <= 0 || fh <= 0) return;
  if (p.stretch == 2) {
    int x = (target.left + target.right - fw) / 2, y = (target.top + target.bottom - fh) / 2;
    DrawPart(dst, p.pixels, f, {x, y, x + fw, y + fh}, false);
    return;
  }
  int ml = p.margins[0], mt = p.margins[1], mr = p.margins[2], mb = p.margins[3];
  int tw = target.right - target.left, th = target.bottom - target.top;
  if (ml + mr > tw) { int e = ml + mr - tw; int dl = MulDiv(ml, e, ml + mr); ml -= dl; mr -= e - dl; }
  if (mt + mb > th) { int e = mt + mb - th; int dt = MulDiv(mt, e, mt + mb); mt -= dt; mb -= e - dt; }
  int sx[4] = {f.left, f.left + p.margins[0], f.right - p.margins[2], f.right};
  int sy[4] = {f.top, f.top + p.margins[1], f.bottom - p.margins[3], f.bottom};
  int dx[4] = {target.left, target.left + ml, target.right - mr, target.right};
  int dy[4] = {target.top, target.top + mt, target.bottom - mb, target.bottom};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      RECT d{dx[c], dy[r], dx[c + 1], dy[r + 1]};
      if (r == 1 && c == 1 && p.gradientBegin != 0x1FFFFFFF) { FillRect(dst, d, p.gradientBegin); continue; }
      DrawPart(dst, p.pixels, {sx[c], sy[r], sx[c + 1], sy[r + 1]}, d, p.stretch == 1 && (r == 1 || c == 1));
    }
}

void DrawElement(Pixels& dst, const SheetElement& e, RECT r, int variant, int state) {
  const SheetPicture* image = e.Find("image");
  if (e.color != 0x1FFFFFFF && e.color != 0x20000000) FillRect(dst, r, e.color);
  if (image) DrawPicture(dst, *image, r, variant, state);
  if (const SheetPicture* glyph = e.Find("glyph"))
    DrawPicture(dst, *glyph,
                {r.left + e.contentOffset[0], r.top + e.contentOffset[1], r.right - e.contentOffset[2],
                 r.bottom - e.contentOffset[3]},
                variant, state);
}

Pixels Blank(int w, int h) {
  Pixels p;
  p.width = w;
  p.height = h;
  p.rgba.assign(static_cast<size_t>(w) * h * 4, 0);
  return p;
}

// The laid-out size of one element's card, and drawing it when a surface is given.
SIZE Card(Surface& sf, const SheetElement& e, int x0, int y0, bool draw) {
  int y = y0;
  int width = sf.Measure(e.group + " / " + e.name, Surface::Bold).cx;
  if (draw) sf.Text(x0, y, e.group + " / " + e.name, Surface::Bold, RGB(0xFF, 0xFF, 0xFF));
  y += 16;
  if (!e.note.empty()) {
    width = std::max<int>(width, sf.Measure(e.note, Surface::Normal).cx);
    if (draw) sf.Text(x0, y, e.note, Surface::Normal, RGB(0x20, 0x20, 0x20));
    y += 15;
  }
  for (const auto& p : e.pictures) {
    std::string d = Describe(p);
    width = std::max<int>(width, sf.Measure(d, Surface::Normal).cx);
    if (draw) sf.Text(x0, y, d, Surface::Normal, RGB(0x20, 0x20, 0x20));
    y += 16;
    int x = x0, rowH = 0;
    for (const auto& c : Frames(p)) {
      int scale = ScaleFor(c.w, c.h);
      std::string label = kShortState[c.state];
      if (p.imageCount > 1) label = "#" + std::to_string(c.variant) + " " + label;
      int cw = std::max<int>(c.w * scale, sf.Measure(label, Surface::Normal).cx);
      if (x > x0 && x + cw - x0 > kSheetWidth / 2) { x = x0; y += rowH + 4; rowH = 0; }
      if (draw) {
        int fx = x + (cw - c.w * scale) / 2;
        // A checkerboard shows what is transparent.
        for (int j = 0; j < c.h * scale; ++j)
          for (int i = 0; i < c.w * scale; ++i) {
            bool dark = ((i / 4) + (j / 4)) % 2;
            uint8_t g = dark ? 0x74 : 0x8C;
            uint8_t bg[4] = {g, g, g, 255};
            sf.Put(fx + i, y + j, bg);
            sf.Put(fx + i, y + j, p.pixels.At(c.sx + i / scale, c.sy + j / scale));
          }
        sf.Text(x, y + c.h * scale + 1, label, Surface::Normal, RGB(0x10, 0x10, 0x10));
      }
      x += cw + 6;
      rowH = std::max(rowH, c.h * scale + 16);
      width = std::max(width, x - x0);
    }
    y += rowH + 4;
  }
  // Image and glyph together, as drawn: one cell per state of the image.
  const SheetPicture* image = e.Find("image");
  if (image && e.Find("glyph")) {
    if (draw) sf.Text(x0, y, "together", Surface::Normal, RGB(0x20, 0x20, 0x20));
    y += 16;
    int x = x0, rowH = 0;
    for (const auto& c : Frames(*image)) {
      int scale = ScaleFor(c.w, c.h);
      Pixels cell = Blank(c.w, c.h);
      DrawElement(cell, e, {0, 0, c.w, c.h}, c.variant, c.state);
      int cw = c.w * scale;
      if (x > x0 && x + cw - x0 > kSheetWidth / 2) { x = x0; y += rowH + 4; rowH = 0; }
      if (draw)
        for (int j = 0; j < c.h * scale; ++j)
          for (int i = 0; i < cw; ++i) {
            bool dark = ((i / 4) + (j / 4)) % 2;
            uint8_t g = dark ? 0x74 : 0x8C;
            uint8_t bg[4] = {g, g, g, 255};
            sf.Put(x + i, y + j, bg);
            sf.Put(x + i, y + j, cell.At(i / scale, j / scale));
          }
      x += cw + 6;
      rowH = std::max(rowH, c.h * scale);
      width = std::max(width, x - x0);
    }
    y += rowH + 6;
  }
  return {width, y - y0};
}

const SheetElement* FindElement(const std::vector<SheetElement>& els, const char* group, const char* name) {
  for (const auto& e : els)
    if (e.group == group && e.name == name) return &e;
  return nullptr;
}

COLORREF TextColorOf(const SheetElement* e, COLORREF fallback) {
  if (!e || e->textColor == 0x1FFFFFFF || e->textColor == 0x20000000) return fallback;
  return static_cast<COLORREF>(e->textColor);
}

constexpr int kWindowW = 440, kWindowH = 250;

// A small window put together from the skin: frame, caption and its buttons,
// push buttons, a group panel, scroll bars and the size grip.
void DrawWindow(Surface& sf, const std::vector<SheetElement>& els, int ox, int oy, bool active) {
  Pixels w = Blank(kWindowW, kWindowH);
  auto el = [&](const char* g, const char* n) { return FindElement(els, g, n); };
  auto draw = [&](const SheetElement* e, RECT r, int state, int variant = 0) {
    if (e) DrawElement(w, *e, r, variant, state);
  };
  const int frameState = active ? 4 : 9;
  const SheetElement* caption = el("Form", "FormCaption");
  const SheetElement* left = el("Form", "FormFrameLeft");
  const SheetElement* bottom = el("Form", "FormFrameBottom");
  const SheetElement* content = el("Form", "FormContent");
  int capH = 25, side = 3, bot = 3;
  if (content) FillRect(w, {0, 0, kWindowW, kWindowH}, content->color);
  draw(caption, {0, 0, kWindowW, capH}, frameState);
  draw(left, {0, capH, side, kWindowH - bot}, frameState);
  draw(el("Form", "FormFrameRight"), {kWindowW - side, capH, kWindowW, kWindowH - bot}, frameState);
  draw(bottom, {0, kWindowH - bot, kWindowW, kWindowH}, frameState);
  const char* buttons[] = {"FormButtonClose", "FormButtonMaximize", "FormButtonMinimize", "FormButtonHelp"};
  int bx = kWindowW - 4;
  for (int i = 0; i < 4; ++i) {
    int state = active ? (i == 1 ? 1 : i == 3 ? 3 : 0) : 9;
    bx -= 23;
    draw(el("Form", buttons[i]), {bx, 1, bx + 23, 24}, state);
    bx -= 1;
  }
  // Content: a group panel with buttons, scroll bars along the right and bottom.
  int cl = side, ct = capH, cr = kWindowW - side, cb = kWindowH - bot;
  draw(el("Common", "GroupPanel"), {cl + 12, ct + 12, cr - 40, ct + 110}, 0);
  const char* captions[] = {"Download", "Hot", "Pressed", "Disabled"};
  const int states[] = {0, 1, 2, 3};
  for (int i = 0; i < 4; ++i) {
    int x = cl + 12 + i * 92;
    draw(el("Common", "Button"), {x, cb - 60, x + 84, cb - 35}, active ? states[i] : (i == 3 ? 3 : 0));
  }
  int sx = cr - 17, sy = cb - 17;
  const SheetElement* sbtn = el("Common", "ScrollButton");
  draw(sbtn, {sx, ct, cr, ct + 17}, 0, 0);
  draw(el("Common", "ScrollContentVert"), {sx, ct + 17, cr, sy - 17}, 0);
  draw(el("Common", "ScrollThumbVert"), {sx, ct + 40, cr, ct + 100}, active ? 1 : 0);
  draw(sbtn, {sx, sy - 17, cr, sy}, active ? 1 : 0, 1);
  draw(sbtn, {cl, sy, cl + 17, cb}, 0, 2);
  draw(el("Common", "ScrollContentHorz"), {cl + 17, sy, sx - 17, cb}, active ? 2 : 0);
  draw(el("Common", "ScrollThumbHorz"), {cl + 60, sy, cl + 160, cb}, active ? 2 : 0);
  draw(sbtn, {sx - 17, sy, sx, cb}, 0, 3);
  if (content) FillRect(w, {sx, sy, cr, cb}, content->color);
  draw(el("Common", "SizeGrip"), {sx, sy, cr, cb}, 0);
  for (int y = 0; y < kWindowH; ++y)
    for (int x = 0; x < kWindowW; ++x) sf.Put(ox + x, oy + y, w.At(x, y));
  const SheetElement* capEl = caption;
  sf.Text(ox + 8, oy + 5, active ? "Talvik album downloader" : "Inactive window", Surface::Bold,
          TextColorOf(capEl, RGB(0xE6, 0xE6, 0xE6)));
  for (int i = 0; i < 4; ++i) {
    int x = ox + cl + 12 + i * 92;
    SIZE t = sf.Measure(captions[i], Surface::Normal);
    sf.Text(x + (84 - t.cx) / 2, oy + cb - 60 + (25 - t.cy) / 2, captions[i], Surface::Normal,
            i == 3 ? RGB(0xA4, 0xA4, 0xA4) : TextColorOf(el("Common", "Button"), RGB(0, 0, 0)));
  }
  sf.Text(ox + cl + 22, oy + ct + 20, "Group panel on the content colour", Surface::Normal,
          TextColorOf(el("Form", "FormContent"), RGB(0, 0, 0)));
}

}  // namespace

const SheetPicture* SheetElement::Find(const char* kind) const {
  for (const auto& p : pictures)
    if (p.kind == kind) return &p;
  return nullptr;
}

Pixels RenderSheet(const std::string& title, const SheetColors& colors, const std::vector<SheetElement>& elements) {
  // Lay out first on a scratch surface (for text sizes), then draw.
  struct Place { int x, y; };
  std::vector<Place> places;
  int height;
  {
    Surface scratch(1, 1);
    int x = kPad, y = 44 + kWindowH + 20, rowH = 0;
    std::string group;
    for (const auto& e : elements) {
      SIZE s = Card(scratch, e, 0, 0, false);
      if (e.group != group || x + s.cx > kSheetWidth - kPad) {
        if (x > kPad) { y += rowH + 14; x = kPad; rowH = 0; }
        if (e.group != group) { y += 10; group = e.group; }
      }
      places.push_back({x, y});
      x += s.cx + 24;
      rowH = std::max<int>(rowH, s.cy);
    }
    height = y + rowH + kPad;
  }
  Surface sheet(kSheetWidth, height);
  sheet.Text(kPad, 10, title, Surface::Title, RGB(0xFF, 0xFF, 0xFF));
  DrawWindow(sheet, elements, kPad, 44, true);
  DrawWindow(sheet, elements, kPad + kWindowW + 30, 44, false);
  // The skin's named colours, as swatches with their values.
  int cx = kPad + 2 * (kWindowW + 30), cy = 44;
  for (const auto& [name, value] : colors) {
    COLORREF c = static_cast<COLORREF>(value) & 0xFFFFFF;
    sheet.Fill(cx, cy, 30, 16, RGB(0x30, 0x30, 0x30));
    sheet.Fill(cx + 1, cy + 1, 28, 14, c);
    char hex[16];
    std::snprintf(hex, sizeof hex, "%02X %02X %02X", GetRValue(c), GetGValue(c), GetBValue(c));
    sheet.Text(cx + 38, cy + 1, name + "  " + hex, Surface::Normal, RGB(0x10, 0x10, 0x10));
    cy += 19;
  }
  std::string group;
  for (size_t i = 0; i < elements.size(); ++i) {
    if (elements[i].group != group) {
      group = elements[i].group;
      sheet.Fill(0, places[i].y - 12, kSheetWidth, 2, RGB(0x60, 0x60, 0x60));
    }
    Card(sheet, elements[i], places[i].x, places[i].y, true);
  }
  return sheet.Result();
}

std::vector<SheetElement> SheetFromSource(const SkinSource& skin) {
  std::vector<SheetElement> out;
  for (const auto& g : skin.groups)
    for (const auto& e : g.elements) {
      SheetElement se;
      se.group = g.name;
      se.name = e.name;
      se.color = e.color;
      se.textColor = e.textColor;
      std::copy(e.contentOffset, e.contentOffset + 4, se.contentOffset);
      for (int k = 0; k < 2; ++k) {
        const PictureSpec& p = k == 0 ? e.image : e.glyph;
        if (!p.hasPicture) continue;
        SheetPicture sp;
        sp.kind = k == 0 ? "image" : "glyph";
        sp.pixels = RenderPicture(skin, e, p);
        sp.vertical = p.vertical;
        sp.states = p.states;
        sp.imageCount = e.imageCount;
        std::copy(p.margins, p.margins + 4, sp.margins);
        sp.stretch = p.stretch;
        sp.gradientBegin = p.gradientBegin;
        se.pictures.push_back(std::move(sp));
      }
      out.push_back(std::move(se));
    }
  return out;
}

}  // namespace talvik::skingen
