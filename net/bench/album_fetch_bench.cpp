// Fetches photo pages and photos of an album of the sample site, the way the
// downloader walks it, and prints how long that took.
// Usage: album_fetch_bench BASE-URL ALBUM PHOTOS [RUNS]   (prints the best run: the machine is shared)
#include <chrono>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/streams.h"
#include "net/idhttp.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: album_fetch_bench BASE-URL ALBUM PHOTOS\n");
    return 2;
  }
  std::wstring base = talvik::Utf8ToWide(argv[1]), album = talvik::Utf8ToWide(argv[2]);
  int photos = std::atoi(argv[3]);
  int runs = argc > 4 ? std::atoi(argv[4]) : 1;
  double best = 1e9;
  int64_t bytes = 0;
  for (int run = 0; run < runs; ++run) {
    talvik::net::TIdHTTP http;
    // One stream for every photo, as the run keeps one body buffer: a fresh one
    // per photo would time the system's page mapping, not the client.
    talvik::TMemoryStream stream;
    bytes = 0;
    auto start = std::chrono::steady_clock::now();
    try {
      for (int i = 1; i <= photos; ++i) {
        std::wstring page = base + L"/album/" + album + L"/photo/" + std::to_wstring(i);
        http.Get(page);
        http.SetReferer(page);
        stream.Clear();
        http.Get(base + L"/photo/" + album + L"-" + std::to_wstring(i) + L".jpg", stream);
        bytes += stream.Size();
      }
    } catch (const talvik::Exception& e) {
      std::fprintf(stderr, "failed: %s\n", e.what());
      return 1;
    }
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::printf("client: %d photos, %lld bytes, best of %d runs %.3f s (%.1f MB/s)\n", photos,
              static_cast<long long>(bytes), runs, best, bytes / best / 1e6);
  std::printf("%.4f\n", best);
  return 0;
}
