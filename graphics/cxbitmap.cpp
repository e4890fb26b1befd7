#include "graphics/cxbitmap.h"

#include <cstring>

#include "framework/sysutils.h"

namespace talvik {

namespace {
constexpr int kMaxRun = 125;
const char kSignature[4] = {'X', 'D', 'B', 'M'};
[[noreturn]] void Damaged() { throw EInvalidGraphic(L"Compressed bitmap data is damaged"); }
}  // namespace

TcxBitmap::TcxBitmap(int AWidth, int AHeight, TPixelFormat APixelFormat) {
  FcxCanvas = std::make_unique<TcxCanvas>(&Canvas());
  BeginUpdate();
  SetPixelFormat(APixelFormat);
  SetSize(AWidth, AHeight);
  EndUpdate(true);
}

TcxBitmap::~TcxBitmap() = default;

void TcxBitmap::EndUpdate(bool AForceUpdate) {
  if (FLockCount > 0) --FLockCount;
  if (FLockCount == 0 && (AForceUpdate || FModified)) Changed(this);
}

void TcxBitmap::Changed(TObject* Sender) {
  if (FLockCount > 0) {
    FModified = true;
    return;
  }
  TBitmap::Changed(Sender);
  CheckAfterChange();
  FModified = false;
}

void TcxBitmap::SetSize(int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == Width() && AHeight == Height()) return;
  BeginUpdate();
  try {
    TBitmap::SetSize(AWidth, AHeight);
  } catch (...) {
    CancelUpdate();
    throw;
  }
  EndUpdate(false);
}

void TcxBitmap::CopyBitmap(TBitmap* ABitmap, DWORD ACopyMode) {
  if (!ABitmap) return;
  CopyBitmap(ABitmap, ClientRect(), POINT{0, 0}, ACopyMode);
}

void TcxBitmap::CopyBitmap(TBitmap* ABitmap, const RECT& D, POINT S, DWORD ACopyMode) {
  if (!ABitmap || Empty()) return;
  // Raster operations that use a pattern take this bitmap's canvas brush.
  Canvas().RequireAll();
  BitBlt(Canvas().Handle(), D.left, D.top, RectWidth(D), RectHeight(D), ABitmap->Canvas().Handle(), S.x, S.y, ACopyMode);
  Changed(this);
}

void TcxBitmap::Rotate(TcxRotationAngle ARotationAngle, bool AFlipVertically) {
  FcxCanvas->RotateBitmap(this, ARotationAngle, AFlipVertically);
}

// ---- stored form

std::vector<uint8_t> cxCompressBitmapData(const std::vector<uint8_t>& Data, int k) {
  k = std::max(k, 1);
  size_t r = Data.size() % k, n = (Data.size() - r) / k;
  std::vector<uint8_t> out(2 + r);
  out[0] = static_cast<uint8_t>(k);
  out[1] = static_cast<uint8_t>(r);
  std::copy_n(Data.begin(), r, out.begin() + 2);
  out.reserve(out.size() + Data.size() + Data.size() / 64 + 2);
  const uint8_t* blocks = Data.data() + r;
  auto same = [&](size_t a, size_t b) { return std::memcmp(blocks + a * k, blocks + b * k, k) == 0; };
  auto emit = [&](bool literal, size_t from, size_t count) {
    out.push_back(static_cast<uint8_t>((literal ? 0x80 : 0) | count));
    out.insert(out.end(), blocks + from * k, blocks + (from + (literal ? count : 1)) * k);
  };
  size_t i = 0;
  while (i < n) {
    if (i + 1 >= n) {
      emit(true, i, 1);
      ++i;
    } else if (same(i, i + 1)) {
      size_t count = 2;
      while (i + count < n && count < kMaxRun && same(i + count, i)) ++count;
      emit(false, i, count);
      i += count;
    } else {
      size_t count = 2;
      while (i + count < n && count < kMaxRun) {
        if (same(i + count, i + count - 1)) {
          --count;  // the equal pair starts the next run
          break;
        }
        ++count;
      }
      emit(true, i, count);
      i += count;
    }
  }
  return out;
}

std::vector<uint8_t> cxDecompressBitmapData(const uint8_t* Data, size_t Size, int Version, size_t AMaxSize) {
  std::vector<uint8_t> out;
  size_t pos = 0, k = 1;
  if (Version == 2) {
    if (Size < 2) Damaged();
    k = Data[0];
    size_t r = Data[1];
    pos = 2;
    if (k == 0 || r >= k || Size - pos < r) Damaged();
    if (r > AMaxSize) Damaged();
    out.assign(Data + pos, Data + pos + r);
    pos += r;
  } else if (Version != 1) {
    throw EInvalidGraphic(Format(L"Unsupported compressed bitmap version %s", {std::to_wstring(Version)}));
  }
  while (pos < Size) {
    uint8_t control = Data[pos++];
    size_t count = control & 0x7F;
    bool literal = (control & 0x80) != 0;
    if (count == 0 || count > kMaxRun) Damaged();
    size_t need = (literal ? count : 1) * k;
    if (Size - pos < need) Damaged();
    // A few bytes of repeat runs can claim gigabytes.
    if (out.size() + count * k > AMaxSize) Damaged();
    if (literal) out.insert(out.end(), Data + pos, Data + pos + need);
    else
      for (size_t j = 0; j < count; ++j) out.insert(out.end(), Data + pos, Data + pos + k);
    pos += need;
  }
  return out;
}

void TcxBitmap::WriteData(TStream& Stream) {
  TMemoryStream image;
  TBitmap::SaveToStream(image);
  uint32_t length = static_cast<uint32_t>(image.Size());
  if (!FCompressData) {
    Stream.WriteValue(length);
    Stream.WriteBuffer(image.Memory(), length);
    return;
  }
  // The platform's stored form (length, then the file) is what gets compressed.
  std::vector<uint8_t> plain(sizeof length + length);
  std::memcpy(plain.data(), &length, sizeof length);
  if (length) std::memcpy(plain.data() + sizeof length, image.Memory(), length);
  std::vector<uint8_t> packed = cxCompressBitmapData(plain, std::max(BitmapBitsPerPixel(this) / 8, 1));
  Stream.WriteValue(static_cast<uint32_t>(packed.size()));
  Stream.WriteBuffer(kSignature, 4);
  Stream.WriteValue(static_cast<uint16_t>(2));
  Stream.WriteBuffer(packed.data(), static_cast<int64_t>(packed.size()));
}

namespace {
// The platform's stored form: a 32-bit length, then that many bytes of bitmap file.
void ReadPlatformData(TBitmap& B, TStream& S) {
  uint32_t length = S.ReadValue<uint32_t>();
  if (length > S.Size() - S.Position()) throw EInvalidGraphic(L"Bitmap image is not valid");
  if (length == 0) {
    B.SetSize(0, 0);
    return;
  }
  TMemoryStream image;
  image.CopyFrom(S, length);
  image.SetPosition(0);
  B.LoadFromStream(image);
}
}  // namespace

void TcxBitmap::ReadData(TStream& Stream) {
  int64_t start = Stream.Position();
  uint8_t header[10];
  if (Stream.Read(header, sizeof header) != sizeof header || std::memcmp(header + 4, kSignature, 4) != 0) {
    Stream.SetPosition(start);
    ReadPlatformData(*this, Stream);
    return;
  }
  uint32_t length;
  uint16_t version;
  std::memcpy(&length, header, 4);
  std::memcpy(&version, header + 8, 2);
  if (length > Stream.Size() - Stream.Position()) Damaged();
  std::vector<uint8_t> packed(length);
  Stream.ReadBuffer(packed.data(), length);
  std::vector<uint8_t> plain = cxDecompressBitmapData(packed.data(), packed.size(), version);
  TMemoryStream decoded;
  decoded.WriteBuffer(plain.data(), static_cast<int64_t>(plain.size()));
  decoded.SetPosition(0);
  try {
    ReadPlatformData(*this, decoded);
  } catch (const EStreamError&) {
    Damaged();
  }
}

}  // namespace talvik
