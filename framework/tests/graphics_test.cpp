#include <gtest/gtest.h>

#include <memory>

#include "framework/graphics.h"
#include "framework/sysutils.h"

using namespace talvik;

namespace {
uint32_t PixelAt(TBitmap& b, int x, int y) { return static_cast<uint32_t*>(b.ScanLine(y))[x] & 0xFFFFFF; }
}  // namespace

TEST(Colors, SystemColorsResolveAndPlainColorsPass) {
  EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);
  EXPECT_FALSE(IsSystemColor(clNone));
  EXPECT_TRUE(IsSystemColor(clWindow));
}

TEST(Bitmap, CanvasFillsLandInTopDownScanLines) {
  TBitmap b(4, 3, pf32bit);
  b.Canvas().Brush().SetColor(0x0000FF);  // red
  b.Canvas().FillRect(RECT{0, 0, 4, 3});
  b.Canvas().Brush().SetColor(0xFF0000);  // blue
  b.Canvas().FillRect(RECT{1, 2, 3, 3});
  GdiFlush();
  EXPECT_EQ(PixelAt(b, 0, 0), 0xFF0000u);  // BGRA in memory: red is 0x00FF0000
  EXPECT_EQ(PixelAt(b, 1, 2), 0x0000FFu);
  EXPECT_EQ(PixelAt(b, 0, 2), 0xFF0000u);
  // Growing keeps the drawn pixels.
  b.SetSize(6, 3);
  EXPECT_EQ(PixelAt(b, 1, 2), 0x0000FFu);
  EXPECT_EQ(b.Width(), 6);
}

TEST(Bitmap, StreamsRoundTripAndRejectDamagedData) {
  TBitmap a(5, 2, pf32bit);
  a.Canvas().Brush().SetColor(0x00C080);
  a.Canvas().FillRect(RECT{0, 0, 5, 2});
  a.Canvas().SetPixel(4, 1, 0x102030);
  TMemoryStream m;
  a.SaveToStream(m);
  m.SetPosition(0);
  TBitmap b;
  b.LoadFromStream(m);
  ASSERT_EQ(b.Width(), 5);
  ASSERT_EQ(b.Height(), 2);
  EXPECT_EQ(b.Canvas().Pixel(4, 1), 0x102030);
  EXPECT_EQ(b.Canvas().Pixel(0, 0), 0x00C080);

  TMemoryStream bad;
  bad.WriteBuffer("XY", 2);
  bad.SetSize(64);
  bad.SetPosition(0);
  EXPECT_THROW(b.LoadFromStream(bad), EInvalidGraphic);
  // A header that claims more than the stream holds.
  m.SetPosition(2);
  m.WriteValue<uint32_t>(0x7FFFFFFF);
  m.SetPosition(0);
  EXPECT_THROW(b.LoadFromStream(m), EInvalidGraphic);
}

TEST(Bitmap, HeadersPromisingMoreThanTheDataAreRejected) {
  struct Case {
    const char* What;
    LONG Width, Height;
    WORD BitCount;
    DWORD ColoursUsed;
    size_t Payload;  // bytes after the header: palette and rows
  };
  const Case cases[] = {
      {"rows beyond the data", 4000, 4000, 32, 0, 16},
      {"palette beyond the data", 1, 1, 8, 0, 4},
      {"tallest negative height", 1, INT32_MIN, 32, 0, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = c.Width;
    ih.biHeight = c.Height;
    ih.biPlanes = 1;
    ih.biBitCount = c.BitCount;
    ih.biClrUsed = c.ColoursUsed;
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = static_cast<DWORD>(fh.bfOffBits + c.Payload);
    TMemoryStream m;
    m.WriteBuffer(&fh, sizeof fh);
    m.WriteBuffer(&ih, sizeof ih);
    std::string payload(c.Payload, '\x7F');
    m.WriteBuffer(payload.data(), static_cast<int64_t>(payload.size()));
    m.SetPosition(0);
    TBitmap b;
    EXPECT_THROW(b.LoadFromStream(m), EInvalidGraphic);
    EXPECT_TRUE(b.Empty());
  }
  // A two-colour palette that says so is enough for an 8-bit picture.
  BITMAPINFOHEADER ih{sizeof ih, 2, 1, 1, 8, BI_RGB, 0, 0, 0, 2, 0};
  const RGBQUAD palette[2] = {{0, 0, 0, 0}, {0xFF, 0xFF, 0xFF, 0}};
  const BYTE row[4] = {1, 0, 0, 0};
  BITMAPFILEHEADER fh{0x4D42, 0, 0, 0, sizeof fh + sizeof ih + sizeof palette};
  fh.bfSize = fh.bfOffBits + sizeof row;
  TMemoryStream m;
  m.WriteBuffer(&fh, sizeof fh);
  m.WriteBuffer(&ih, sizeof ih);
  m.WriteBuffer(palette, sizeof palette);
  m.WriteBuffer(row, sizeof row);
  m.SetPosition(0);
  TBitmap b;
  b.LoadFromStream(m);
  EXPECT_EQ(b.Canvas().Pixel(0, 0), clWhite);
  EXPECT_EQ(b.Canvas().Pixel(1, 0), clBlack);
}

TEST(Canvas, ClearBrushLeavesBackgroundAndFontChangesApply) {
  TBitmap b(20, 20, pf32bit);
  b.Canvas().Brush().SetColor(clWhite);
  b.Canvas().FillRect(RECT{0, 0, 20, 20});
  b.Canvas().Brush().SetStyle(bsClear);
  b.Canvas().Pen().SetColor(clRed);
  b.Canvas().Rectangle(2, 2, 10, 10);
  EXPECT_EQ(b.Canvas().Pixel(5, 5), clWhite);
  EXPECT_EQ(b.Canvas().Pixel(2, 5), clRed);
  b.Canvas().Font().SetHeight(-11);
  int small = b.Canvas().TextHeight(L"Ag");
  b.Canvas().Font().SetHeight(-22);
  EXPECT_GT(b.Canvas().TextHeight(L"Ag"), small);
}

TEST(FileFormats, RegistryFindsByExtensionInAnyCase) {
  RegisterFileFormat(L"bmp", L"Bitmaps", [] { return new TBitmap(); });
  EXPECT_EQ(FileFormatDescription(L"BMP"), L"Bitmaps");
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  std::wstring path = std::wstring(dir) + L"talvik-registry.Bmp";
  TBitmap a(3, 3, pf24bit);
  a.SaveToFile(path);
  std::unique_ptr<TGraphic> g(LoadGraphicFromFile(path));
  EXPECT_EQ(g->Width(), 3);
  DeleteFileW(path.c_str());
  UnregisterFileFormat(L"BMP");
  EXPECT_THROW(LoadGraphicFromFile(path), EInvalidGraphic);
}
