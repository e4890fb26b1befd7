#include "app/album_scan.h"

namespace talvik::app {

namespace {

constexpr wchar_t kQuote = L'"';

// Finds an ASCII marker by skipping ahead on the text character under the
// marker's end (Horspool), so a long page is not compared at every position.
class TMarker {
public:
  explicit constexpr TMarker(std::wstring_view AText) : FText(AText) {
    for (size_t& s : FSkip) s = FText.size();
    for (size_t i = 0; i + 1 < FText.size(); ++i) FSkip[FText[i]] = FText.size() - 1 - i;
  }
  size_t size() const { return FText.size(); }
  size_t FindIn(std::wstring_view AText, size_t AFrom) const {
    const size_t n = FText.size();
    const wchar_t last = FText[n - 1];
    for (size_t i = AFrom; n <= AText.size() && i <= AText.size() - n;) {
      const wchar_t c = AText[i + n - 1];
      if (c == last && AText.compare(i, n - 1, FText, 0, n - 1) == 0) return i;
      i += c < 128 ? FSkip[c] : n;
    }
    return std::wstring_view::npos;
  }

private:
  std::wstring_view FText;
  size_t FSkip[128] = {};
};

const TMarker kImageMarker(L"<span class=\"img\">");
const TMarker kAnchorMarker(L"<a href=\"");
const TMarker kLargeMarker(L"\"large\":\"");

}  // namespace

std::wstring GetOrignalAlbumUrl(std::wstring_view AUrl) {
  return std::wstring(AUrl.substr(0, AUrl.find_first_of(L"?#")));
}

std::wstring ListPageUrl(std::wstring_view ABaseUrl, int APage) {
  return std::wstring(ABaseUrl) + L"?curpage=" + std::to_wstring(APage);
}

// Walks the page with one cursor instead of cutting off the rest for each
// link, so a page is scanned in a single pass.
void ParsePicUrls(std::wstring APage, TPicUrls& ALinks) {
  ALinks.Reset(std::move(APage));
  const std::wstring_view page = ALinks.Page();
  size_t pos = 0;
  for (;;) {
    size_t image = kImageMarker.FindIn(page, pos);
    if (image == std::wstring_view::npos) break;
    size_t anchor = kAnchorMarker.FindIn(page, image + kImageMarker.size());
    // An image marker with no anchor after it can hold no link, and no later
    // marker can either: stop, keeping what was found.
    if (anchor == std::wstring_view::npos) break;
    size_t start = anchor + kAnchorMarker.size();
    size_t quote = page.find(kQuote, start);
    if (quote == std::wstring_view::npos) {
      ALinks.Add(start);
      break;
    }
    ALinks.Add(start);
    pos = quote + 1;
  }
}

TPicUrls ParsePicUrls(std::wstring APage) {
  TPicUrls links;
  ParsePicUrls(std::move(APage), links);
  return links;
}

std::wstring ParsePic(std::wstring_view APage) {
  size_t marker = kLargeMarker.FindIn(APage, 0);
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
