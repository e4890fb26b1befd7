#include "app/album_scan.h"

namespace talvik::app {

namespace {
constexpr std::wstring_view kImageMarker = L"<span class=\"img\">";
constexpr std::wstring_view kAnchorMarker = L"<a href=\"";
constexpr std::wstring_view kLargeMarker = L"\"large\":\"";
constexpr wchar_t kQuote = L'"';
}  // namespace

std::wstring GetOrignalAlbumUrl(std::wstring_view AUrl) {
  return std::wstring(AUrl.substr(0, AUrl.find_first_of(L"?#")));
}

std::wstring ListPageUrl(std::wstring_view ABaseUrl, int APage) {
  return std::wstring(ABaseUrl) + L"?curpage=" + std::to_wstring(APage);
}

// Walks the page with one cursor instead of cutting off the rest for each
// link, so a page is scanned in a single pass.
std::vector<std::wstring> ParsePicUrls(std::wstring_view APage) {
  std::vector<std::wstring> links;
  size_t pos = 0;
  for (;;) {
    size_t image = APage.find(kImageMarker, pos);
    if (image == std::wstring_view::npos) break;
    size_t anchor = APage.find(kAnchorMarker, image + kImageMarker.size());
    // An image marker with no anchor after it can hold no link, and no later
    // marker can either: stop, keeping what was found.
    if (anchor == std::wstring_view::npos) break;
    size_t start = anchor + kAnchorMarker.size();
    size_t quote = APage.find(kQuote, start);
    if (quote == std::wstring_view::npos) {
      links.emplace_back();
      break;
    }
    links.emplace_back(APage.substr(start, quote - start));
    pos = quote + 1;
  }
  return links;
}

std::wstring ParsePic(std::wstring_view APage) {
  size_t marker = APage.find(kLargeMarker);
  if (marker == std::wstring_view::npos) return {};
  size_t start = marker + kLargeMarker.size();
  size_t quote = APage.find(kQuote, start);
  if (quote == std::wstring_view::npos) return {};
  std::wstring address;
  address.reserve(quote - start);
  for (wchar_t c : APage.substr(start, quote - start))
    if (c != L'\\') address += c;
  return address;
}

}  // namespace talvik::app
