// The text rules that lead through an album: base address, list pages,
// photo-page links and the large image's address. Pure functions.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace talvik::app {

// The typed address up to, not including, the first "?" or "#".
std::wstring GetOrignalAlbumUrl(std::wstring_view AUrl);

// BaseUrl + "?curpage=" + APage.
std::wstring ListPageUrl(std::wstring_view ABaseUrl, int APage);

// The photo-page links of one list page, in page order, duplicates kept.
std::vector<std::wstring> ParsePicUrls(std::wstring_view APage);

// The large image's address on a photo page, backslashes removed; empty when absent.
std::wstring ParsePic(std::wstring_view APage);

}  // namespace talvik::app
