// Start-up cost of the skins: both built-in skins loaded from their resources (every
// picture decoded) against GDI+ decoding the same PNG bytes directly.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "skins/bench/bench_statistics.h"
#include "skins/model/skin.h"
#include "skins/engine/skinengine.h"

using namespace talvik;
using talvik::bench::Best;
using talvik::bench::Median;

namespace {

struct Builtin {
  const wchar_t* Resource;
  std::string Bytes;
};

std::string ResourceBytes(const wchar_t* AName) {
  HMODULE self = GetModuleHandleW(nullptr);
  HRSRC r = FindResourceW(self, AName, L"DXSKINS");
  if (!r) return {};
  const char* p = static_cast<const char*>(LockResource(LoadResource(self, r)));
  return std::string(p, SizeofResource(self, r));
}

// The embedded pictures: each PNG signature follows its int32 byte count.
std::vector<std::string> Pictures(const std::string& ASkin) {
  static const char signature[] = "\x89PNG\r\n\x1a\n";
  std::vector<std::string> result;
  for (size_t at = ASkin.find(signature, 0, 8); at != std::string::npos; at = ASkin.find(signature, at + 8, 8)) {
    if (at < 4) continue;
    int32_t size;
    std::memcpy(&size, ASkin.data() + at - 4, 4);
    if (size > 8 && at + size <= ASkin.size()) result.push_back(ASkin.substr(at, size));
  }
  return result;
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Loads both skins as the program does at start-up; frees them afterwards, outside the clock.
double LoadSkins(const std::vector<Builtin>& ASkins) {
  std::vector<std::unique_ptr<TdxSkin>> loaded;
  auto start = std::chrono::steady_clock::now();
  for (const Builtin& b : ASkins) loaded.push_back(std::make_unique<TdxSkin>(b.Resource, true, GetModuleHandleW(nullptr)));
  return Seconds(std::chrono::steady_clock::now() - start);
}

// The same pictures decoded straight through GDI+, each from its own memory block.
double DecodeRaw(const std::vector<std::string>& APictures) {
  std::vector<GpImage*> images;
  std::vector<IStream*> streams;
  auto start = std::chrono::steady_clock::now();
  for (const std::string& png : APictures) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, png.size());
    std::memcpy(GlobalLock(block), png.data(), png.size());
    GlobalUnlock(block);
    IStream* s = nullptr;
    CreateStreamOnHGlobal(block, TRUE, &s);
    GpImage* image = nullptr;
    GdiPlus.GdipCreateBitmapFromStream(s, &image);
    images.push_back(image);
    streams.push_back(s);
  }
  double seconds = Seconds(std::chrono::steady_clock::now() - start);
  for (GpImage* i : images)
    if (i) GdiPlus.GdipDisposeImage(i);
  for (IStream* s : streams) s->Release();
  return seconds;
}

}  // namespace

int main() {
  TSkinEngineScope engine;
  if (!GdiPlusAvailable()) {
    std::printf("skins: GDI+ is not available\n");
    return 1;
  }
  std::vector<Builtin> skins = {{L"DarkSide", ResourceBytes(L"DARKSIDE")},
                                {L"DefaultUserSkinData", ResourceBytes(L"DEFAULTUSERSKINDATA")}};
  std::vector<std::string> pictures;
  size_t bytes = 0;
  for (const Builtin& b : skins) {
    if (b.Bytes.empty()) {
      std::printf("skins: resource %ls is missing from the bench\n", b.Resource);
      return 1;
    }
    bytes += b.Bytes.size();
    for (std::string& p : Pictures(b.Bytes)) pictures.push_back(std::move(p));
  }
  // Alternating runs, so that a busy machine slows both sides alike; the best run is the
  // least disturbed one.
  const int repeat = 21;
  LoadSkins(skins);  // warm-up: first use of the codecs
  DecodeRaw(pictures);
  std::vector<double> model, raw;
  for (int i = 0; i < repeat; ++i) {
    model.push_back(LoadSkins(skins));
    raw.push_back(DecodeRaw(pictures));
  }
  std::printf(
      "skins start-up: 2 skins, %zu bytes, %zu pictures, best of %d: load %.2f ms, raw GDI+ decode %.2f ms, "
      "ratio %.2f (goal <= 1.2); medians %.2f ms and %.2f ms, ratio %.2f\n",
      bytes, pictures.size(), repeat, Best(model) * 1000, Best(raw) * 1000, Best(model) / Best(raw),
      Median(model) * 1000, Median(raw) * 1000, Median(model) / Median(raw));
  return 0;
}
