#include <gtest/gtest.h>

#include <cstring>

#include "framework/sysutils.h"
#include "graphics/bitmap32.h"

using namespace talvik;

namespace {
using Bytes = std::vector<uint8_t>;

// A picture with long runs and a noisy corner, so both run kinds occur.
void Paint(TBitmap& b) {
  b.Canvas().Brush().SetColor(static_cast<TColor>(RGB(10, 200, 30)));
  b.Canvas().FillRect(RECT{0, 0, b.Width(), b.Height()});
  for (int i = 0; i < 40; ++i) SetPixel(b.Canvas().Handle(), i % 7, i / 7, RGB(i * 6, 255 - i, i * 3));
}

Bytes StreamBytes(TMemoryStream& m) { return Bytes(m.Memory(), m.Memory() + m.Size()); }

bool SamePixels(TBitmap& a, TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (GetPixel(a.Canvas().Handle(), x, y) != GetPixel(b.Canvas().Handle(), x, y)) return false;
  return true;
}

void ReadFrom(TcxBitmap& b, const Bytes& data) {
  TMemoryStream m;
  m.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
  m.SetPosition(0);
  b.ReadData(m);
}

// The compressed form: the 10-byte header, then Rest.
Bytes Compressed(uint16_t version, const Bytes& rest) {
  Bytes h(10 + rest.size());
  uint32_t length = static_cast<uint32_t>(rest.size());
  std::memcpy(h.data(), &length, 4);
  std::memcpy(h.data() + 4, "XDBM", 4);
  std::memcpy(h.data() + 8, &version, 2);
  std::copy(rest.begin(), rest.end(), h.begin() + 10);
  return h;
}
}  // namespace

TEST(CompressedStorage, RunsFollowTheEncodingRules) {
  auto bytes = [](const char* s) { return Bytes(s, s + std::strlen(s)); };
  struct Case {
    const char* name;
    Bytes data;
    int k;
    Bytes want;
  } cases[] = {
      {"repeat then literal then repeat", bytes("AAABCC"), 1, {1, 0, 0x03, 'A', 0x81, 'B', 0x02, 'C'}},
      {"literal stops before an equal pair", bytes("ABCC"), 1, {1, 0, 0x82, 'A', 'B', 0x02, 'C'}},
      {"single block", bytes("A"), 1, {1, 0, 0x81, 'A'}},
      {"two-byte blocks with a loose first byte", bytes("xABAB"), 2, {2, 1, 'x', 0x02, 'A', 'B'}},
      {"unequal blocks", bytes("ABAC"), 2, {2, 0, 0x82, 'A', 'B', 'A', 'C'}},
  };
  for (auto& c : cases) EXPECT_EQ(cxCompressBitmapData(c.data, c.k), c.want) << c.name;

  Bytes same(130, 'A');
  EXPECT_EQ(cxCompressBitmapData(same, 1), (Bytes{1, 0, 125, 'A', 5, 'A'}));
  Bytes ramp;
  for (int i = 0; i < 130; ++i) ramp.push_back(static_cast<uint8_t>(i));
  Bytes packed = cxCompressBitmapData(ramp, 1);
  ASSERT_EQ(packed.size(), 2u + 1 + 125 + 1 + 5);
  EXPECT_EQ(packed[2], 0x80 | 125);
  EXPECT_EQ(packed[128], 0x80 | 5);
  EXPECT_EQ(cxDecompressBitmapData(packed.data(), packed.size(), 2), ramp);
}

TEST(CompressedStorage, RoundTripKeepsTheBitmap) {
  struct Case {
    TPixelFormat format;
    uint8_t blockSize;
  } cases[] = {{pf24bit, 3}, {pf32bit, 4}};
  for (auto& c : cases) {
    TcxBitmap a(23, 9, c.format);
    Paint(a);
    a.SetCompressData(true);
    TMemoryStream m;
    a.WriteData(m);
    Bytes data = StreamBytes(m);
    ASSERT_GT(data.size(), 12u);
    EXPECT_EQ(std::memcmp(data.data() + 4, "XDBM", 4), 0);
    EXPECT_EQ(data[8], 2);
    EXPECT_EQ(data[10], c.blockSize);
    uint32_t length;
    std::memcpy(&length, data.data(), 4);
    EXPECT_EQ(length, data.size() - 10);

    TMemoryStream plain;
    TcxBitmap uncompressed(23, 9, c.format);
    Paint(uncompressed);
    uncompressed.WriteData(plain);
    EXPECT_LT(data.size(), static_cast<size_t>(plain.Size()));  // the runs pay off

    TcxBitmap b;
    ReadFrom(b, data);
    EXPECT_TRUE(SamePixels(a, b)) << c.format;
  }
}

TEST(CompressedStorage, DataWithoutSignatureIsReadUncompressed) {
  TcxBitmap a(5, 4);
  Paint(a);
  TMemoryStream m;
  a.WriteData(m);
  Bytes data = StreamBytes(m);
  EXPECT_NE(std::memcmp(data.data() + 4, "XDBM", 4), 0);
  TcxBitmap b;
  ReadFrom(b, data);
  EXPECT_TRUE(SamePixels(a, b));
  // Reading continues right after the data.
  TMemoryStream two;
  a.WriteData(two);
  two.WriteValue<uint32_t>(0xABCDEF01);
  two.SetPosition(0);
  b.ReadData(two);
  EXPECT_EQ(two.ReadValue<uint32_t>(), 0xABCDEF01u);
}

TEST(CompressedStorage, VersionOneUsesRunsOfSingleBytes) {
  TcxBitmap a(6, 3);
  Paint(a);
  TMemoryStream m;
  a.WriteData(m);
  Bytes plain = StreamBytes(m);
  Bytes runs = cxCompressBitmapData(plain, 1);
  runs.erase(runs.begin(), runs.begin() + 2);  // version 1 has no block size and no loose bytes
  Bytes data = Compressed(1, runs);
  TcxBitmap b;
  ReadFrom(b, data);
  EXPECT_TRUE(SamePixels(a, b));
}

TEST(CompressedStorage, DamagedDataFailsClearly) {
  TcxBitmap a(6, 3);
  Paint(a);
  a.SetCompressData(true);
  TMemoryStream m;
  a.WriteData(m);
  Bytes good = StreamBytes(m);

  Bytes truncatedRun = good;
  truncatedRun.resize(truncatedRun.size() - 2);
  uint32_t shorter = static_cast<uint32_t>(truncatedRun.size() - 10);
  std::memcpy(truncatedRun.data(), &shorter, 4);

  Bytes zeroCount = Compressed(2, {1, 0, 0x00});

  Bytes looseTooLong = Compressed(2, {1, 5, 0x81});

  Bytes badVersion = good;
  badVersion[8] = 3;

  Bytes lengthPastEnd = good;
  uint32_t huge = 0x7FFFFFF0;
  std::memcpy(lengthPastEnd.data(), &huge, 4);

  Bytes notABitmap = Compressed(1, {0x81, 7});

  struct Case {
    const char* name;
    const Bytes& data;
  } cases[] = {{"truncated run", truncatedRun}, {"zero count", zeroCount},   {"loose bytes past block", looseTooLong},
               {"unknown version", badVersion}, {"length past end", lengthPastEnd}, {"decodes to junk", notABitmap}};
  for (auto& c : cases) {
    TcxBitmap b(2, 2);
    EXPECT_THROW(ReadFrom(b, c.data), EInvalidGraphic) << c.name;
  }
}

TEST(CompressedStorage, RepeatRunsCannotBlowUpTheDecodedSize) {
  Bytes bomb{255, 0};  // blocks of 255 bytes
  for (int run = 0; run < 40; ++run) {
    bomb.push_back(125);
    bomb.insert(bomb.end(), 255, 0xAB);
  }
  EXPECT_EQ(cxDecompressBitmapData(bomb.data(), bomb.size(), 2).size(), 40u * 125 * 255);
  EXPECT_THROW(cxDecompressBitmapData(bomb.data(), bomb.size(), 2, 100000), EInvalidGraphic);
}
