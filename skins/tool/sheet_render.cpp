#include "skins/tool/sheet_render.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "framework/sysutils.h"
#include "graphics/bitmap32.h"
#include "skins/tool/tool_support.h"

namespace talvik {

namespace {

constexpr int SheetWidth = 1900;
constexpr int Pad = 10;
constexpr COLORREF Backdrop = RGB(0x80, 0x80, 0x80);
// More variants than this are not shown: a damaged count must not make a sheet of millions.
constexpr int MaxVariants = 16;

// The sheet: a 32-bit bitmap that the skin engine and GDI text draw into.
class TSheetSurface {
public:
  TSheetSurface(int AWidth, int AHeight) : FBitmap(AWidth, AHeight, false) {
    if (!FBitmap.ScanLine(0)) throw Exception(L"The skin has too much for one sheet");
    RECT all{0, 0, AWidth, AHeight};
    Fill(all, Backdrop);
    SetBkMode(DC(), TRANSPARENT);
    FFonts[Normal] = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, L"Tahoma");
    FFonts[Bold] = CreateFontW(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, L"Tahoma");
    FFonts[Title] = CreateFontW(-22, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, L"Tahoma");
  }
  ~TSheetSurface() {
    SelectObject(DC(), GetStockObject(SYSTEM_FONT));
    for (HFONT f : FFonts) DeleteObject(f);
  }
  TSheetSurface(const TSheetSurface&) = delete;
  TSheetSurface& operator=(const TSheetSurface&) = delete;

  enum Font { Normal, Bold, Title };
  HDC DC() { return FBitmap.Canvas().Handle(); }
  int Width() { return FBitmap.Width(); }

  SIZE Measure(const std::wstring& AText, Font AFont) {
    SelectObject(DC(), FFonts[AFont]);
    SIZE s{};
    GetTextExtentPoint32W(DC(), AText.c_str(), static_cast<int>(AText.size()), &s);
    return s;
  }
  void Text(int x, int y, const std::wstring& AText, Font AFont, COLORREF AColor) {
    SelectObject(DC(), FFonts[AFont]);
    SetTextColor(DC(), AColor);
    TextOutW(DC(), x, y, AText.c_str(), static_cast<int>(AText.size()));
  }
  void Fill(const RECT& R, COLORREF AColor) {
    HBRUSH brush = CreateSolidBrush(AColor);
    FillRect(DC(), &R, brush);
    DeleteObject(brush);
  }
  skingen::Pixels Result() {
    GdiFlush();
    skingen::Pixels p;
    p.width = FBitmap.Width();
    p.height = FBitmap.Height();
    p.rgba.resize(static_cast<size_t>(p.width) * p.height * 4);
    for (int y = 0; y < p.height; ++y) {
      const RGBQUAD* row = static_cast<const RGBQUAD*>(FBitmap.ScanLine(y));
      for (int x = 0; x < p.width; ++x) {
        uint8_t* d = p.At(x, y);
        d[0] = row[x].rgbRed, d[1] = row[x].rgbGreen, d[2] = row[x].rgbBlue, d[3] = 255;
      }
    }
    return p;
  }

private:
  TcxBitmap32 FBitmap;
  HFONT FFonts[3] = {};
};

TdxSkinElement* Find(TdxSkin& ASkin, const wchar_t* AGroup, const wchar_t* AElement) {
  TdxSkinControlGroup* group = ASkin.GetGroupByName(AGroup);
  return group ? group->GetElementByName(AElement) : nullptr;
}

// The size the skin author drew the element for: its image frame, else its glyph frame
// inside the content offsets, at least its minimum size.
SIZE NaturalSize(TdxSkinElement* AElement) {
  SIZE s{0, 0};
  if (!AElement->Image()->Empty()) s = AElement->Size();
  if ((s.cx <= 0 || s.cy <= 0) && !AElement->Glyph()->Empty()) {
    SIZE g = AElement->Glyph()->Size();
    RECT o = AElement->ContentOffset()->Rect();
    s = SIZE{g.cx + o.left + o.right, g.cy + o.top + o.bottom};
  }
  const SIZE& m = AElement->MinSize()->Size();
  s.cx = std::max(s.cx, m.cx);
  s.cy = std::max(s.cy, m.cy);
  if (s.cx <= 0 || s.cy <= 0) s = SIZE{24, 16};
  return SIZE{std::clamp<int>(s.cx, 2, 600), std::clamp<int>(s.cy, 2, 400)};
}

int Magnification(SIZE ANatural) {
  int side = std::max(ANatural.cx, ANatural.cy);
  return side <= 16 ? 3 : side <= 40 ? 2 : 1;
}

// The element drawn into ASize over a checkerboard, magnified onto the sheet at (x, y)
// inside a thin frame. The checkerboard's violet tint is no colour a skin would use,
// so what shows it is transparent.
void DrawCell(TSheetSurface& ASheet, int x, int y, TdxSkinElement* AElement, SIZE ASize, int AImageIndex,
              TdxSkinElementState AState, int AScale, int ADpi) {
  TcxBitmap32 cell(ASize.cx, ASize.cy, false);
  int square = std::max(2, 6 / AScale);
  for (int j = 0; j < ASize.cy; ++j) {
    RGBQUAD* row = static_cast<RGBQUAD*>(cell.ScanLine(j));
    for (int i = 0; i < ASize.cx; ++i)
      row[i] = ((i / square + j / square) % 2) ? RGBQUAD{0xB8, 0xA4, 0xB8, 255} : RGBQUAD{0xDC, 0xCC, 0xDC, 255};
  }
  ASheet.Fill({x - 1, y - 1, x + ASize.cx * AScale + 1, y + ASize.cy * AScale + 1}, RGB(0x50, 0x50, 0x50));
  AElement->Draw(cell.Canvas().Handle(), RECT{0, 0, ASize.cx, ASize.cy}, AImageIndex, AState, ADpi);
  SetStretchBltMode(ASheet.DC(), COLORONCOLOR);
  StretchBlt(ASheet.DC(), x, y, ASize.cx * AScale, ASize.cy * AScale, cell.Canvas().Handle(), 0, 0, ASize.cx,
             ASize.cy, SRCCOPY);
}

std::wstring Number(int A) { return std::to_wstring(A); }

std::wstring Describe(TdxSkinElement* AElement, TdxSkinImage* AImage, const wchar_t* AKind) {
  static const wchar_t* const stretch[] = {L"stretch", L"tile", L"no resize"};
  std::wstring s = AKind;
  if (AImage->Empty()) {
    s += L" none";
  } else {
    SIZE f = AImage->Size();
    s += L" " + Number(f.cx) + L"x" + Number(f.cy) + (AImage->ImageLayout() == ilVertical ? L" vertical" : L"");
    RECT m = AImage->Margins()->Rect();
    if (m.left || m.top || m.right || m.bottom)
      s += L", margins " + Number(m.left) + L" " + Number(m.top) + L" " + Number(m.right) + L" " + Number(m.bottom);
    s += std::wstring(L", ") + stretch[std::min<int>(AImage->Stretch(), 2)];
  }
  if (AImage->GradientBeginColor() != clNone)
    s += L", gradient " + ToolColorText(AImage->GradientBeginColor()) + L" to " +
         ToolColorText(AImage->GradientEndColor());
  return s;
}

std::wstring Note(TdxSkinElement* AElement) {
  std::wstring s = Describe(AElement, AElement->Image(), L"image");
  if (!AElement->Glyph()->Empty()) s += L"; " + Describe(AElement, AElement->Glyph(), L"glyph");
  if (AElement->IsColorAssigned()) {
    s += L"; colour " + ToolColorText(AElement->Color());
    if (AElement->Alpha() != 255) s += L" alpha " + Number(AElement->Alpha());
  }
  if (AElement->TextColor() != clDefault) s += L"; text " + ToolColorText(AElement->TextColor());
  if (AElement->ImageCount() > 1) s += L"; " + Number(AElement->ImageCount()) + L" images";
  return s;
}

// One drawing of an element: a state of an image variant, natural, wider and taller.
struct TSample {
  int Variant;
  TdxSkinElementState State;
};

std::vector<TSample> Samples(TdxSkinElement* AElement) {
  // States of a picture that is not there would only repeat the substitute frame.
  TdxSkinElementStates states = 0;
  for (TdxSkinImage* image : {AElement->Image(), AElement->Glyph()})
    if (!image->Empty()) states |= image->States();
  if (!states) states = dxSkinStateBit(esNormal);
  std::vector<TSample> result;
  for (int v = 0; v < std::min(AElement->ImageCount(), MaxVariants); ++v)
    for (int s = 0; s < dxSkinElementStateCount; ++s)
      if (states & (1u << s)) result.push_back({v, static_cast<TdxSkinElementState>(s)});
  return result;
}

constexpr int Gap = 6;

struct TCardGeometry {
  SIZE Natural, Wider, Taller;
  int Scale;
  int SampleWidth() const { return (Natural.cx + Wider.cx + Taller.cx) * Scale + 2 * Gap; }
  int SampleHeight() const { return std::max(Wider.cy, Taller.cy) * Scale + 15; }
};

// The samples at ADpi: the element's lengths and its sizes scaled from 96.
TCardGeometry CardGeometry(TdxSkinElement* AElement, int ADpi) {
  TCardGeometry g;
  g.Natural = NaturalSize(AElement);
  g.Natural = SIZE{MulDiv(g.Natural.cx, ADpi, 96), MulDiv(g.Natural.cy, ADpi, 96)};
  g.Wider = SIZE{g.Natural.cx + std::clamp<int>(g.Natural.cx, 24, 120), g.Natural.cy};
  g.Taller = SIZE{g.Natural.cx, g.Natural.cy + std::clamp<int>(g.Natural.cy, 24, 120)};
  g.Scale = Magnification(g.Natural);
  return g;
}

std::wstring SampleLabel(TdxSkinElement* AElement, const TSample& ASample) {
  std::wstring label = ToolStateNames[ASample.State];
  if (AElement->ImageCount() > 1) label = L"#" + Number(ASample.Variant) + L" " + label;
  return label;
}

// Lays out one element's card at (x0, y0), drawing it when ADraw; answers its size.
SIZE Card(TSheetSurface& ASheet, TdxSkinElement* AElement, int x0, int y0, bool ADraw, int ADpi) {
  std::wstring title = AElement->Group()->Name() + L" / " + AElement->Name();
  TCardGeometry g = CardGeometry(AElement, ADpi);
  if (g.Scale > 1) title += L"  (\u00D7" + Number(g.Scale) + L")";
  std::wstring note = Note(AElement);
  int width = std::max(ASheet.Measure(title, TSheetSurface::Bold).cx, ASheet.Measure(note, TSheetSurface::Normal).cx);
  if (ADraw) {
    ASheet.Text(x0, y0, title, TSheetSurface::Bold, RGB(0xFF, 0xFF, 0xFF));
    ASheet.Text(x0, y0 + 16, note, TSheetSurface::Normal, RGB(0x20, 0x20, 0x20));
  }
  int y = y0 + 34, x = x0;
  int rowLimit = std::max(SheetWidth / 2, g.SampleWidth());
  for (const TSample& s : Samples(AElement)) {
    std::wstring label = SampleLabel(AElement, s);
    int w = std::max<int>(g.SampleWidth(), ASheet.Measure(label, TSheetSurface::Normal).cx);
    if (x > x0 && x + w - x0 > rowLimit) {
      x = x0;
      y += g.SampleHeight() + 4;
    }
    if (ADraw) {
      int cx = x;
      for (SIZE size : {g.Natural, g.Wider, g.Taller}) {
        DrawCell(ASheet, cx, y, AElement, size, s.Variant, s.State, g.Scale, ADpi);
        cx += size.cx * g.Scale + Gap;
      }
      ASheet.Text(x, y + std::max(g.Wider.cy, g.Taller.cy) * g.Scale + 1, label, TSheetSurface::Normal,
                  RGB(0x10, 0x10, 0x10));
    }
    x += w + 12;
    width = std::max(width, x - x0);
  }
  return SIZE{width, y + g.SampleHeight() - y0};
}

constexpr int WindowWidth = 440, WindowHeight = 250;

COLORREF TextColorOr(TdxSkinElement* AElement, COLORREF AFallback) {
  if (!AElement || AElement->TextColor() == clNone || AElement->TextColor() == clDefault) return AFallback;
  return ColorToRGB(AElement->TextColor());
}

// A small window put together from the skin: frame, caption and its buttons, push
// buttons, a group panel, scroll bars and the size grip.
void DrawWindow(TSheetSurface& ASheet, TdxSkin& ASkin, int ox, int oy, bool AActive) {
  auto draw = [&](TdxSkinElement* e, RECT r, TdxSkinElementState state, int index = 0) {
    if (e) e->Draw(ASheet.DC(), OffsetRectBy(r, ox, oy), index, state);
  };
  auto width = [](TdxSkinElement* e, int fallback) -> int { return e && e->Size().cx > 0 ? e->Size().cx : fallback; };
  auto height = [](TdxSkinElement* e, int fallback) -> int { return e && e->Size().cy > 0 ? e->Size().cy : fallback; };
  const TdxSkinElementState frameState = AActive ? esActive : esActiveDisabled;
  TdxSkinElement* caption = Find(ASkin, L"Form", L"FormCaption");
  TdxSkinElement* left = Find(ASkin, L"Form", L"FormFrameLeft");
  TdxSkinElement* right = Find(ASkin, L"Form", L"FormFrameRight");
  TdxSkinElement* bottom = Find(ASkin, L"Form", L"FormFrameBottom");
  int capH = std::min(height(caption, 25), 60), sideL = std::min(width(left, 3), 20);
  int sideR = std::min(width(right, 3), 20), bot = std::min(height(bottom, 3), 20);
  int cl = sideL, ct = capH, cr = WindowWidth - sideR, cb = WindowHeight - bot;
  draw(Find(ASkin, L"Form", L"FormContent"), {cl, ct, cr, cb}, esNormal);
  draw(caption, {0, 0, WindowWidth, capH}, frameState);
  draw(left, {0, capH, sideL, cb}, frameState);
  draw(right, {cr, capH, WindowWidth, cb}, frameState);
  draw(bottom, {0, cb, WindowWidth, WindowHeight}, frameState);

  const wchar_t* buttons[] = {L"FormButtonClose", L"FormButtonMaximize", L"FormButtonMinimize", L"FormButtonHelp"};
  const TdxSkinElementState buttonStates[] = {esNormal, esHot, esPressed, esDisabled};
  int bx = WindowWidth - sideR - 2;
  for (int i = 0; i < 4; ++i) {
    TdxSkinElement* b = Find(ASkin, L"Form", buttons[i]);
    int bw = std::min(width(b, capH - 4), 40), bh = std::min(height(b, capH - 4), capH);
    bx -= bw;
    int by = (capH - bh) / 2;
    draw(b, {bx, by, bx + bw, by + bh}, AActive ? buttonStates[i] : esActiveDisabled);
    bx -= 2;
  }

  draw(Find(ASkin, L"Common", L"GroupPanel"), {cl + 12, ct + 12, cr - 40, ct + 110}, esNormal);
  TdxSkinElement* button = Find(ASkin, L"Common", L"Button");
  const wchar_t* captions[] = {L"Download", L"Hot", L"Pressed", L"Disabled"};
  for (int i = 0; i < 4; ++i) {
    int x = cl + 12 + i * 92;
    draw(button, {x, cb - 60, x + 84, cb - 35}, AActive || i == 3 ? buttonStates[i] : esNormal);
  }
  int sx = cr - 17, sy = cb - 17;
  TdxSkinElement* scrollButton = Find(ASkin, L"Common", L"ScrollButton");
  draw(Find(ASkin, L"Common", L"ScrollContentVert"), {sx, ct + 17, cr, sy - 17}, esNormal);
  draw(Find(ASkin, L"Common", L"ScrollThumbVert"), {sx, ct + 40, cr, ct + 100}, AActive ? esHot : esNormal);
  draw(scrollButton, {sx, ct, cr, ct + 17}, esNormal, 0);
  draw(scrollButton, {sx, sy - 17, cr, sy}, AActive ? esHot : esNormal, 1);
  draw(Find(ASkin, L"Common", L"ScrollContentHorz"), {cl + 17, sy, sx - 17, cb}, AActive ? esPressed : esNormal);
  draw(Find(ASkin, L"Common", L"ScrollThumbHorz"), {cl + 60, sy, cl + 160, cb}, AActive ? esPressed : esNormal);
  draw(scrollButton, {cl, sy, cl + 17, cb}, esNormal, 2);
  draw(scrollButton, {sx - 17, sy, sx, cb}, esNormal, 3);
  draw(Find(ASkin, L"Common", L"SizeGrip"), {sx, sy, cr, cb}, esNormal);

  ASheet.Text(ox + 8, oy + (capH - 16) / 2, AActive ? L"Talvik album downloader" : L"Inactive window",
              TSheetSurface::Bold, TextColorOr(caption, RGB(0xE6, 0xE6, 0xE6)));
  for (int i = 0; i < 4; ++i) {
    int x = ox + cl + 12 + i * 92;
    SIZE t = ASheet.Measure(captions[i], TSheetSurface::Normal);
    TcxButtonState state = i == 3 ? cxbsDisabled : cxbsNormal;
    COLORREF color = button ? ColorToRGB(button->GetTextColor(state)) : RGB(0, 0, 0);
    if (button && (button->GetTextColor(state) == clDefault || button->GetTextColor(state) == clNone))
      color = RGB(0, 0, 0);
    ASheet.Text(x + (84 - t.cx) / 2, oy + cb - 60 + (25 - t.cy) / 2, captions[i], TSheetSurface::Normal, color);
  }
  ASheet.Text(ox + cl + 22, oy + ct + 20, L"Group panel on the content colour", TSheetSurface::Normal,
              TextColorOr(Find(ASkin, L"Form", L"FormContent"), RGB(0, 0, 0)));
}

}  // namespace

skingen::Pixels RenderSheet(TdxSkin& ASkin, const std::string& ATitle, int ADpi) {
  std::vector<TdxSkinElement*> elements;
  for (int g = 0; g < ASkin.GroupCount(); ++g)
    for (int e = 0; e < ASkin.Groups(g)->Count(); ++e) elements.push_back(ASkin.Groups(g)->Elements(e));

  // Laid out first on a scratch surface (for text sizes), then drawn.
  std::vector<POINT> places;
  int height, width = SheetWidth;
  {
    TSheetSurface scratch(1, 1);
    int x = Pad, y = std::max(44 + WindowHeight, 44 + 19 * ASkin.ColorCount()) + 20, rowH = 0;
    TdxSkinControlGroup* group = nullptr;
    for (TdxSkinElement* e : elements) {
      SIZE s = Card(scratch, e, 0, 0, false, ADpi);
      if (e->Group() != group || x + s.cx > SheetWidth - Pad) {
        if (x > Pad) {
          y += rowH + 14;
          x = Pad;
          rowH = 0;
        }
        if (e->Group() != group) y += 10;
        group = e->Group();
      }
      places.push_back({x, y});
      x += s.cx + 24;
      width = std::max<int>(width, x);
      rowH = std::max<int>(rowH, s.cy);
    }
    height = y + rowH + Pad;
  }
  constexpr int MaxHeight = 60000;
  if (height > MaxHeight) throw Exception(L"The skin has too much for one sheet");
  TSheetSurface sheet(width, height);
  sheet.Text(Pad, 10, Utf8ToWide(ATitle), TSheetSurface::Title, RGB(0xFF, 0xFF, 0xFF));
  DrawWindow(sheet, ASkin, Pad, 44, true);
  DrawWindow(sheet, ASkin, Pad + WindowWidth + 30, 44, false);
  // The skin's named colours, as swatches with their values.
  int cx = Pad + 2 * (WindowWidth + 30), cy = 44;
  for (int i = 0; i < ASkin.ColorCount(); ++i) {
    TdxSkinColor* c = ASkin.Colors(i);
    sheet.Fill({cx, cy, cx + 30, cy + 16}, RGB(0x30, 0x30, 0x30));
    if (c->Value() != clNone && c->Value() != clDefault) sheet.Fill({cx + 1, cy + 1, cx + 29, cy + 15}, ColorToRGB(c->Value()));
    sheet.Text(cx + 38, cy + 1, c->Name() + L"  " + ToolColorText(c->Value()), TSheetSurface::Normal,
               RGB(0x10, 0x10, 0x10));
    cy += 19;
  }
  TdxSkinControlGroup* group = nullptr;
  for (size_t i = 0; i < elements.size(); ++i) {
    if (elements[i]->Group() != group) {
      group = elements[i]->Group();
      sheet.Fill({0, places[i].y - 12, width, places[i].y - 10}, RGB(0x60, 0x60, 0x60));
    }
    Card(sheet, elements[i], places[i].x, places[i].y, true, ADpi);
  }
  return sheet.Result();
}

}  // namespace talvik
