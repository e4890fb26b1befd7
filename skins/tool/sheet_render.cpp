#include "skins/tool/sheet_render.h"

#include <windows.h>

#include <algorithm>

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
  return {width, y - y0};
}

}  // namespace

Pixels RenderSheet(const std::string& title, const std::vector<SheetElement>& elements) {
  // Lay out first on a scratch surface (for text sizes), then draw.
  struct Place { int x, y; };
  std::vector<Place> places;
  int height;
  {
    Surface scratch(1, 1);
    int x = kPad, y = 44, rowH = 0;
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
        se.pictures.push_back(std::move(sp));
      }
      out.push_back(std::move(se));
    }
  return out;
}

}  // namespace talvik::skingen
