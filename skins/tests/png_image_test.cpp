#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics.h"
#include "framework/streams.h"
#include "framework/sysutils.h"
#include "skins/pictures/pngimage.h"
#include "skins/tests/skin_fixture.h"

using namespace talvik;
using namespace talvik::testing;

namespace {

std::string Encode(TdxPNGImage& AImage) {
  TMemoryStream m;
  AImage.SaveToStream(m);
  return std::string(reinterpret_cast<const char*>(m.Memory()), static_cast<size_t>(m.Size()));
}

std::unique_ptr<TdxPNGImage> Decode(const std::string& ABytes) {
  auto image = std::make_unique<TdxPNGImage>();
  TBytesStream s(ABytes);
  image->LoadFromStream(s);
  return image;
}

// Bitmap file bytes of a w x h picture at the given depth, pixels from Pixel.
std::string BitmapFile(int w, int h, TPixelFormat AFormat, uint32_t (*Pixel)(int, int)) {
  TBitmap b(w, h, AFormat);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t v = Pixel(x, y);
      if (AFormat == pf32bit)
        static_cast<uint32_t*>(b.ScanLine(y))[x] = v;
      else
        b.Canvas().SetPixel(x, y, RGB(v >> 16, v >> 8, v));
    }
  TMemoryStream m;
  b.SaveToStream(m);
  return std::string(reinterpret_cast<const char*>(m.Memory()), static_cast<size_t>(m.Size()));
}

uint32_t HalfTransparent(int, int) { return 0x80402010; }
uint32_t Opaque(int x, int y) { return Gradient(x, y); }

TEST(PngImage, EncodesPngAndDecodesTheSamePixels) {
  auto source = MakePicture(12, 7, Gradient);
  std::string bytes = Encode(*source);
  ASSERT_GT(bytes.size(), 8u);
  EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  auto copy = Decode(bytes);
  EXPECT_EQ(copy->Width(), 12);
  EXPECT_EQ(copy->Height(), 7);
  EXPECT_TRUE(copy->Compare(source.get()));
  // Decoded pictures keep no pixel copy of their own.
  EXPECT_TRUE(copy->Handle()->Bits().empty());
}

TEST(PngImage, ShortAndUndecodableStreams) {
  struct Case {
    const char* Name;
    std::string Bytes;
    bool HasWrapper;
  } cases[] = {
      {"empty", "", false},
      {"13 bytes", std::string("\x89PNG\r\n\x1a\n12345", 13), true},
      {"garbage", std::string(200, 'x'), true},
      {"cut PNG", Encode(*MakePicture(20, 20, Gradient)).substr(0, 40), true},
      {"BM with a broken header", "BM" + std::string(60, '\0'), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto image = Decode(c.Bytes);
    EXPECT_EQ(image->Handle() != nullptr, c.HasWrapper);
    EXPECT_EQ(image->Width(), 0);
    EXPECT_EQ(image->Height(), 0);
    EXPECT_TRUE(image->Empty());
    EXPECT_EQ(Encode(*image).size(), 0u);
  }
}

// The chunks of a well-formed PNG, each with its length, type, data and CRC.
std::vector<std::string> ChunksOf(const std::string& APng) {
  std::vector<std::string> chunks;
  for (size_t pos = 8; pos + 12 <= APng.size();) {
    auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<uint8_t>(APng[pos + i])); };
    size_t length = b(0) << 24 | b(1) << 16 | b(2) << 8 | b(3);
    chunks.push_back(APng.substr(pos, 12 + length));
    pos += 12 + length;
  }
  return chunks;
}

TEST(PngImage, OnlyWellFormedPngFilesReachTheDecoder) {
  const std::string good = Encode(*MakePicture(9, 5, Gradient));
  const std::string signature = good.substr(0, 8);
  const std::vector<std::string> chunks = ChunksOf(good);
  ASSERT_GE(chunks.size(), 3u);
  const std::string &ihdr = chunks.front(), &iend = chunks.back();
  ASSERT_EQ(ihdr.substr(4, 4), "IHDR");
  ASSERT_EQ(iend.substr(4, 4), "IEND");
  std::string middle;
  size_t idat = 0;  // where the first IDAT chunk starts
  for (size_t i = 1; i + 1 < chunks.size(); ++i) {
    if (!idat && chunks[i].substr(4, 4) == "IDAT") idat = 8 + ihdr.size() + middle.size();
    middle += chunks[i];
  }
  ASSERT_NE(idat, 0u);
  // Chunks with right CRCs: an ancillary one of a type nobody knows, one whose type
  // has a digit, and an IEND that carries data.
  const std::string unknown("\x00\x00\x00\x05" "abCdhello" "\x29\x6B\x55\xBC", 17);
  const std::string digit("\x00\x00\x00\x05" "ab1dhello" "\x52\x9C\x94\xBE", 17);
  const std::string fullIend("\x00\x00\x00\x01" "IENDx" "\x8F\xC4\xB6\xEF", 13);
  auto flipped = [&](size_t at, char bits) {
    std::string s = good;
    s[at] ^= bits;
    return s;
  };
  auto withLength = [&](size_t at, uint32_t length) {
    std::string s = good;
    for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(length >> (24 - 8 * i));
    return s;
  };
  struct Case {
    const char* Name;
    std::string Png;
    std::string After;  // bytes that follow the file
    bool WellFormed;
  } cases[] = {
      {"intact", good, "", true},
      {"bytes after IEND", good, "trailing", true},
      {"unknown ancillary chunk", signature + ihdr + unknown + middle + iend, "", true},
      {"damaged signature", flipped(1, 0x20), "", false},
      {"damaged picture data", flipped(idat + 10, 0x01), "", false},
      {"damaged chunk type", flipped(idat + 4, 0x20), "", false},
      {"damaged CRC", flipped(good.size() - 1, 0x01), "", false},
      {"length past the picture", withLength(idat, static_cast<uint32_t>(good.size())), "", false},
      {"length beyond 2^31", withLength(idat, 0x80000010u), "", false},
      {"cut before IEND", good.substr(0, good.size() - iend.size()), "", false},
      {"cut inside a chunk", good.substr(0, idat + 20), "", false},
      {"IHDR not first", signature + middle + ihdr + iend, "", false},
      {"second IHDR", signature + ihdr + ihdr + middle + iend, "", false},
      {"type with a digit", signature + ihdr + digit + middle + iend, "", false},
      {"IEND with data", signature + ihdr + middle + fullIend, "", false},
      {"signature alone", signature, "", false},
  };
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  const std::wstring file = std::wstring(dir) + L"talvik-damaged-" + std::to_wstring(GetCurrentProcessId()) + L".png";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string bytes = c.Png + c.After;
    EXPECT_EQ(PngFileLength(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()),
              c.WellFormed ? c.Png.size() : 0u);
    // A standalone file through the picture registry, as any program would open one.
    {
      TFileStream out(file, fmCreate);
      out.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    }
    std::unique_ptr<TGraphic> loaded(LoadGraphicFromFile(file));
    EXPECT_EQ(loaded->Width(), c.WellFormed ? 9 : 0);
    EXPECT_EQ(loaded->Height(), c.WellFormed ? 5 : 0);
  }
  DeleteFileW(file.c_str());
}

uint32_t Crc32(const std::string& ABytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (char c : ABytes) {
    crc ^= static_cast<uint8_t>(c);
    for (int k = 0; k < 8; ++k) crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
  }
  return ~crc;
}

// Pictures are decoded when first needed, not when loaded: what the decoder then
// refuses is as empty as before, and a copy made before decoding stands alone.
TEST(PngImage, DecodedOnFirstUseAsIfAtLoad) {
  auto source = MakePicture(9, 5, Gradient);
  const std::string good = Encode(*source);
  {
    auto loaded = Decode(good);
    TdxPNGImage copy;
    copy.Assign(loaded.get());
    loaded.reset();  // the copy must not lean on the original's bytes
    EXPECT_EQ(copy.Width(), 9);
    EXPECT_EQ(copy.Height(), 5);
    EXPECT_TRUE(copy.Compare(source.get()));
  }
  // Every chunk whole with a right CRC, but the picture data is no zlib stream.
  std::string bad;
  for (const std::string& chunk : ChunksOf(good)) {
    if (chunk.substr(4, 4) != "IDAT") {
      bad += chunk;
      continue;
    }
    std::string typeAndData = "IDAT" + std::string(chunk.size() - 12, '\x5A');
    const uint32_t crc = Crc32(typeAndData);
    bad += chunk.substr(0, 4) + typeAndData;
    for (int i = 0; i < 4; ++i) bad += static_cast<char>(crc >> (24 - 8 * i));
  }
  bad = good.substr(0, 8) + bad;
  ASSERT_EQ(PngFileLength(reinterpret_cast<const uint8_t*>(bad.data()), bad.size()), bad.size());
  auto undecodable = Decode(bad);
  TdxPNGImage copy;
  copy.Assign(undecodable.get());
  for (TdxPNGImage* image : {undecodable.get(), &copy}) {
    EXPECT_TRUE(image->Empty());
    EXPECT_EQ(Encode(*image).size(), 0u);
  }
}

TEST(PngImage, WindowsBitmapsKeepAlphaOnlyAt32Bits) {
  auto with32 = Decode(BitmapFile(5, 4, pf32bit, HalfTransparent));
  EXPECT_EQ(with32->Width(), 5);
  EXPECT_EQ(with32->Height(), 4);
  EXPECT_FALSE(with32->Handle()->Bits().empty());
  EXPECT_EQ(with32->Handle()->Bits()[0].rgbReserved, 0x80);
  EXPECT_TRUE(with32->IsAlphaUsed());

  auto with24 = Decode(BitmapFile(5, 4, pf24bit, HalfTransparent));
  EXPECT_EQ(with24->Width(), 5);
  EXPECT_FALSE(with24->IsAlphaUsed());
  EXPECT_EQ(with24->Handle()->Bits()[0].rgbReserved, 255);
}

TEST(PngImage, AlphaAnswerFollowsThePicture) {
  auto image = MakePicture(6, 6, Opaque);
  EXPECT_FALSE(image->IsAlphaUsed());
  auto oneTranslucent = MakePicture(6, 6, [](int x, int y) -> uint32_t {
    return x == 5 && y == 5 ? 0xFE000000u : 0xFF336699u;
  });
  EXPECT_TRUE(oneTranslucent->IsAlphaUsed());
  // Loading a new picture must not leave the old answer behind.
  TBytesStream s(Encode(*oneTranslucent));
  image->LoadFromStream(s);
  EXPECT_TRUE(image->IsAlphaUsed());
  TdxPNGImage empty;
  EXPECT_FALSE(empty.IsAlphaUsed());
}

TEST(PngImage, Compare) {
  TdxPNGImage emptyA, emptyB;
  EXPECT_TRUE(emptyA.Compare(&emptyB));
  auto a = MakePicture(4, 4, Gradient);
  auto same = MakePicture(4, 4, Gradient);
  auto taller = MakePicture(4, 5, Gradient);
  auto onePixel = MakePicture(4, 4, [](int x, int y) { return x == 3 && y == 0 ? 0xFF000000u : Gradient(x, y); });
  EXPECT_TRUE(a->Compare(same.get()));
  EXPECT_FALSE(a->Compare(taller.get()));
  EXPECT_FALSE(a->Compare(onePixel.get()));
  EXPECT_FALSE(a->Compare(&emptyA));
}

TEST(PngImage, AssignCopiesOrEmpties) {
  auto source = MakePicture(8, 3, Gradient);
  TdxPNGImage copy;
  copy.Assign(source.get());
  EXPECT_TRUE(copy.Compare(source.get()));
  EXPECT_NE(copy.Handle(), source->Handle());

  TdxPNGImage empty;
  copy.Assign(&empty);
  EXPECT_TRUE(copy.Empty());
  EXPECT_EQ(copy.Handle(), nullptr);

  TFont font;
  EXPECT_THROW(copy.Assign(&font), EConvertError);
  EXPECT_THROW(font.Assign(source.get()), EConvertError);
}

TEST(PngImage, ConvertsToAndFromPlatformBitmaps) {
  auto source = MakePicture(6, 5, HalfTransparent);
  TBitmap bitmap;
  bitmap.Assign(source.get());
  ASSERT_EQ(bitmap.Width(), 6);
  ASSERT_EQ(bitmap.Height(), 5);
  TdxRGBColors bits = TdxGPImage::GetBitmapBits(&bitmap);
  EXPECT_EQ(bits[0].rgbReserved, 0x80);

  TdxPNGImage back;
  back.Assign(&bitmap);
  EXPECT_EQ(back.Width(), 6);
  EXPECT_TRUE(back.IsAlphaUsed());

  TdxPNGImage empty;
  bitmap.Assign(&empty);
  EXPECT_TRUE(bitmap.Empty());
}

// Colour of (x, y) after drawing APicture stretched into ADest on white.
struct Drawn {
  TBitmap Target{40, 40, pf32bit};
  Drawn(TdxPNGImage& APicture, RECT ADest, RECT ASource) {
    Target.Canvas().Brush().SetColor(clWhite);
    Target.Canvas().FillRect(RECT{0, 0, 40, 40});
    APicture.StretchDraw(Target.Canvas().Handle(), ADest, ASource);
  }
  COLORREF At(int x, int y) { return static_cast<COLORREF>(Target.Canvas().Pixel(x, y)); }
};

TEST(PngImage, EnlargingNeverBlendsInThePixelsBeyondTheSource) {
  // Blue except a red last column and row; the source is only the blue 10 x 10 part.
  auto picture = MakePicture(11, 11, [](int x, int y) { return x == 10 || y == 10 ? 0xFFFF0000u : 0xFF0000FFu; });
  Drawn d(*picture, RECT{0, 0, 20, 20}, RECT{0, 0, 10, 10});
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(GetRValue(d.At(19, i)), 0) << "row " << i;
    EXPECT_EQ(GetRValue(d.At(i, 19)), 0) << "column " << i;
  }
  EXPECT_EQ(d.At(20, 5), RGB(255, 255, 255));
}

TEST(PngImage, StretchDrawSizes) {
  auto red = MakePicture(1, 1, [](int, int) { return 0xFFFF0000u; });
  struct Case {
    const char* Name;
    RECT Dest, Source;
    bool Drawn;
  } cases[] = {
      {"1 x 1 enlarged", {0, 0, 20, 20}, {0, 0, 1, 1}, true},
      {"zero-width destination", {0, 0, 0, 20}, {0, 0, 1, 1}, false},
      {"zero-width source", {0, 0, 20, 20}, {0, 0, 0, 1}, false},
      {"outside the target", {100, 100, 120, 120}, {0, 0, 1, 1}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Drawn d(*red, c.Dest, c.Source);
    // GDI+ blends the edges of an enlarged single pixel, so "drawn" is "not white".
    EXPECT_EQ(d.At(0, 0) != RGB(255, 255, 255), c.Drawn);
  }
  TdxPNGImage empty;
  Drawn none(empty, RECT{0, 0, 20, 20}, RECT{0, 0, 1, 1});
  EXPECT_EQ(none.At(0, 0), RGB(255, 255, 255));
}

TEST(PngImage, ClipboardRoundTripOverWhite) {
  auto source = MakePicture(7, 3, Opaque);
  UINT format = 0;
  HANDLE data = nullptr;
  HPALETTE palette = nullptr;
  source->SaveToClipboardFormat(format, data, palette);
  ASSERT_EQ(format, static_cast<UINT>(CF_DIB));
  ASSERT_NE(data, nullptr);
  TdxPNGImage back;
  back.LoadFromClipboardFormat(format, data, palette);
  GlobalFree(data);
  EXPECT_TRUE(back.Compare(source.get()));
  EXPECT_THROW(back.LoadFromClipboardFormat(CF_TEXT, nullptr, nullptr), EInvalidGraphic);
}

// Clipboard blocks come from other programs: a header that does not fit its block, or that
// GDI cannot read, is refused, the block is left unlocked and the picture kept as it was.
TEST(PngImage, ClipboardRefusesDamagedBlocks) {
  struct Case {
    const char* What;
    size_t Size;
    LONG Width, Height;
    WORD Depth;
    DWORD Compression;
    DWORD HeaderSize;
  } cases[] = {
      {"shorter than its header", 16, 2, 2, 32, BI_RGB, 40},
      {"pixels one byte short", 40 + 15, 2, 2, 32, BI_RGB, 40},
      {"depth GDI does not know", 40 + 64, 2, 2, 128, BI_RGB, 40},
      {"run-length pixels", 40 + 1024 + 64, 2, 2, 8, BI_RLE8, 40},
      {"header size of zero", 40 + 16, 2, 2, 32, BI_RGB, 0},
      {"no height", 40 + 16, 2, 0, 32, BI_RGB, 40},
      {"lowest height", 40 + 16, 2, LONG(0x80000000), 32, BI_RGB, 40},
  };
  auto source = MakePicture(3, 2, Gradient);
  TdxPNGImage image;
  image.Assign(source.get());
  for (const Case& c : cases) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, c.Size);
    ASSERT_NE(block, nullptr);
    BITMAPINFOHEADER h{c.HeaderSize, c.Width, c.Height, 1, c.Depth, c.Compression};
    std::memcpy(GlobalLock(block), &h, std::min(c.Size, sizeof h));
    GlobalUnlock(block);
    EXPECT_THROW(image.LoadFromClipboardFormat(CF_DIB, block, nullptr), EInvalidGraphic) << c.What;
    EXPECT_EQ(GlobalFlags(block) & GMEM_LOCKCOUNT, 0u) << c.What;
    GlobalFree(block);
    EXPECT_TRUE(image.Compare(source.get())) << c.What;
  }
}

// Clipboard bitmaps with colour masks: after the short header, or inside a longer one.
TEST(PngImage, ClipboardBitmapsWithColourMasks) {
  const DWORD masks[3] = {0x00FF0000, 0x0000FF00, 0x000000FF};
  const uint32_t pixels[2] = {0x00102030, 0x00C0B0A0};
  for (DWORD headerSize : {DWORD(sizeof(BITMAPINFOHEADER)), DWORD(sizeof(BITMAPV5HEADER))}) {
    BITMAPV5HEADER h{};
    h.bV5Size = headerSize;
    h.bV5Width = 2;
    h.bV5Height = 1;
    h.bV5Planes = 1;
    h.bV5BitCount = 32;
    h.bV5Compression = BI_BITFIELDS;
    h.bV5RedMask = masks[0];
    h.bV5GreenMask = masks[1];
    h.bV5BlueMask = masks[2];
    std::string block(reinterpret_cast<const char*>(&h), headerSize);
    if (headerSize == sizeof(BITMAPINFOHEADER)) block.append(reinterpret_cast<const char*>(masks), sizeof masks);
    block.append(reinterpret_cast<const char*>(pixels), sizeof pixels);
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, block.size());
    ASSERT_NE(data, nullptr);
    std::memcpy(GlobalLock(data), block.data(), block.size());
    GlobalUnlock(data);
    TdxPNGImage image;
    EXPECT_NO_THROW(image.LoadFromClipboardFormat(CF_DIB, data, nullptr)) << headerSize;
    GlobalFree(data);
    ASSERT_EQ(image.Width(), 2) << headerSize;
    std::unique_ptr<TBitmap> b(image.GetAsBitmap());
    EXPECT_EQ(GetPixel(b->Canvas().Handle(), 0, 0), RGB(0x10, 0x20, 0x30)) << headerSize;
    EXPECT_EQ(GetPixel(b->Canvas().Handle(), 1, 0), RGB(0xC0, 0xB0, 0xA0)) << headerSize;
  }
}

TEST(PngImage, RegisteredAsAPictureFormat) {
  EXPECT_EQ(FileFormatDescription(L"png"), L"PNG graphics from Orvandel");
  wchar_t dir[MAX_PATH], file[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  GetTempFileNameW(dir, L"png", 0, file);
  std::wstring name = std::wstring(file) + L".png";
  MakePicture(3, 2, Gradient)->SaveToFile(name);
  std::unique_ptr<TGraphic> loaded(LoadGraphicFromFile(name));
  DeleteFileW(name.c_str());
  DeleteFileW(file);
  ASSERT_NE(dynamic_cast<TdxPNGImage*>(loaded.get()), nullptr);
  EXPECT_EQ(loaded->Width(), 3);
  EXPECT_EQ(loaded->Height(), 2);
}

TEST(PngImage, Composition) {
  auto a = MakePicture(2, 1, [](int, int) { return 0x64646464u; });
  auto b = MakePicture(2, 1, [](int, int) { return 0xC8C8C8C8u; });
  struct Case {
    uint8_t Alpha;
    uint8_t Expected;
  } cases[] = {{0, 100}, {255, 200}, {51, 120}, {128, 150}};
  for (const Case& c : cases) {
    std::unique_ptr<TdxGPImage> mix(a->Handle()->MakeComposition(b->Handle(), c.Alpha));
    ASSERT_NE(mix, nullptr);
    const RGBQUAD& q = mix->Bits()[1];
    EXPECT_EQ(q.rgbBlue, c.Expected) << int(c.Alpha);
    EXPECT_EQ(q.rgbReserved, c.Expected) << int(c.Alpha);
  }
  auto other = MakePicture(3, 1, Gradient);
  EXPECT_EQ(a->Handle()->MakeComposition(other->Handle(), 10), nullptr);
}

}  // namespace
