#include "framework/icon.h"

#include <cstdlib>
#include <cstring>

#include "framework/sysutils.h"

namespace talvik {

TIcon::~TIcon() {
  if (FHandle) DestroyIcon(FHandle);
}

void TIcon::Adopt(HICON Value) {
  if (FHandle && FHandle != Value) DestroyIcon(FHandle);
  FHandle = Value;
  FWidth = FHeight = 0;
  ICONINFO info{};
  if (Value && GetIconInfo(Value, &info)) {
    BITMAP bm{};
    HBITMAP shape = info.hbmColor ? info.hbmColor : info.hbmMask;
    GetObjectW(shape, sizeof bm, &bm);
    FWidth = bm.bmWidth;
    FHeight = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;  // a mask-only icon stacks AND over XOR
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
  }
  Changed(this);
}

void TIcon::SetHandle(HICON Value) {
  FData.clear();
  Adopt(Value);
}

HICON TIcon::ReleaseHandle() {
  HICON h = FHandle;
  FHandle = nullptr;
  FWidth = FHeight = 0;
  FData.clear();
  return h;
}

void TIcon::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TIcon*>(Source)) {
    if (other == this) return;
    FData = other->FData;
    Adopt(other->FHandle ? CopyIcon(other->FHandle) : nullptr);
    return;
  }
  TGraphic::Assign(Source);
}

void TIcon::SetWidth(int) { throw EInvalidGraphic(L"Changing the size of an icon is not supported"); }
void TIcon::SetHeight(int) { throw EInvalidGraphic(L"Changing the size of an icon is not supported"); }

void TIcon::Draw(TCanvas& Canvas, const RECT& Rect) {
  if (!FHandle) return;
  DrawIconEx(Canvas.Handle(), Rect.left, Rect.top, FHandle, Rect.right - Rect.left, Rect.bottom - Rect.top, 0,
             nullptr, DI_NORMAL);
}

namespace {
#pragma pack(push, 1)
struct IconDirEntry {
  BYTE Width, Height, Colors, Reserved;
  WORD Planes, BitCount;
  DWORD Size, Offset;
};
#pragma pack(pop)
}  // namespace

void TIcon::LoadFromStream(TStream& Stream) {
  int64_t size = Stream.Size() - Stream.Position();
  if (size < 6 || size > (64 << 20)) throw EInvalidGraphic(L"Invalid icon");
  std::string data(static_cast<size_t>(size), '\0');
  Stream.ReadBuffer(data.data(), size);
  WORD header[3];
  std::memcpy(header, data.data(), sizeof header);
  const size_t count = header[2];
  if (header[0] != 0 || header[1] != 1 || count == 0 || 6 + count * sizeof(IconDirEntry) > data.size())
    throw EInvalidGraphic(L"Invalid icon");
  // The image whose size is nearest to the system's icon size.
  const int want = GetSystemMetrics(SM_CXICON);
  IconDirEntry best{};
  int bestDistance = 1 << 30;
  for (size_t i = 0; i < count; ++i) {
    IconDirEntry e;
    std::memcpy(&e, data.data() + 6 + i * sizeof e, sizeof e);
    int w = e.Width ? e.Width : 256;
    int distance = std::abs(w - want) * 64 - e.BitCount;  // nearer first, then deeper colour
    if (static_cast<uint64_t>(e.Offset) + e.Size > data.size() || e.Size == 0) continue;
    if (distance < bestDistance) bestDistance = distance, best = e;
  }
  if (best.Size == 0) throw EInvalidGraphic(L"Invalid icon");
  auto* bits = reinterpret_cast<BYTE*>(data.data() + best.Offset);
  int w = best.Width ? best.Width : 256, h = best.Height ? best.Height : 256;
  HICON icon = CreateIconFromResourceEx(bits, best.Size, TRUE, 0x00030000, w, h, LR_DEFAULTCOLOR);
  if (!icon) throw EInvalidGraphic(L"Invalid icon");
  Adopt(icon);
  FData = std::move(data);
}

void TIcon::SaveToStream(TStream& Stream) {
  if (FData.empty()) throw EInvalidGraphic(L"An icon made from a handle cannot be saved");
  Stream.WriteBuffer(FData.data(), static_cast<int64_t>(FData.size()));
}

void TIcon::LoadFromResourceName(HINSTANCE Instance, const std::wstring& Name) {
  HICON icon = static_cast<HICON>(LoadImageW(Instance, Name.c_str(), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  if (!icon) throw EResNotFound(Format(L"Resource %s not found", {Name}));
  FData.clear();
  Adopt(icon);
}

}  // namespace talvik
