// Scanning speed: ParsePicUrls over a large list page against one plain
// substring search over the same text.
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/album_scan.h"

namespace {

std::wstring MakeListPage(size_t bytes, int links) {
  std::wstring page;
  page.reserve(bytes / 2 + 1024);
  const size_t perLink = bytes / 2 / links;
  for (int i = 0; i < links; ++i) {
    std::wstring item = L"<li class=\"photo\"><span class=\"img\"><img src=\"/t/" + std::to_wstring(i) +
                        L".jpg\" alt=\"\"></span><a href=\"http://talvik.example/photo.do?id=" + std::to_wstring(i) +
                        L"\">photo</a><p class=\"d\">";
    page += item;
    if (perLink > item.size() + 10) page.append(perLink - item.size() - 10, L'x');
    page += L"</p></li>\n";
  }
  return page;
}

// The best of several runs; F returns its own measured duration.
template <class F>
double BestSeconds(F f) {
  double best = 1e9;
  for (int r = 0; r < 15; ++r) {
    double s = std::chrono::duration<double>(f()).count();
    if (s < best) best = s;
  }
  return best;
}

void Measure(size_t bytes, int linkCount) {
  const std::wstring page = MakeListPage(bytes, linkCount);
  const double mb = page.size() * sizeof(wchar_t) / 1e6;
  // The list is freed outside the timing: that cost is the caller's, later.
  talvik::app::TPicUrls links;
  double scan = BestSeconds([&] {
    links = {};
    auto t0 = std::chrono::steady_clock::now();
    links = talvik::app::ParsePicUrls(page);
    return std::chrono::steady_clock::now() - t0;
  });
  const size_t found = links.size();
  size_t hits = 0;
  // The plain pass: every occurrence of the image marker, nothing else.
  double plain = BestSeconds([&] {
    auto t0 = std::chrono::steady_clock::now();
    hits = 0;
    std::wstring_view text(page);
    for (size_t p = text.find(L"<span class=\"img\">"); p != text.npos; p = text.find(L"<span class=\"img\">", p + 18))
      ++hits;
    return std::chrono::steady_clock::now() - t0;
  });
  std::printf("scan %5.1f MB page, %zu links: ParsePicUrls %7.0f MB/s, plain search %7.0f MB/s (%zu hits), ratio %.2f\n",
              mb, found, mb / scan, mb / plain, hits, scan / plain);
}

}  // namespace

int main() {
  Measure(20'000'000, 50'000);
  Measure(40'000'000, 100'000);
  return 0;
}
