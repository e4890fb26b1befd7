// The text rules that lead through an album: base address, list pages,
// photo-page links and the large image's address. Pure functions.
#pragma once
#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace talvik::app {

// The typed address up to, not including, the first "?" or "#".
std::wstring GetOrignalAlbumUrl(std::wstring_view AUrl);

// BaseUrl + "?curpage=" + APage.
std::wstring ListPageUrl(std::wstring_view ABaseUrl, int APage);

// The photo-page links of one list page, in page order, duplicates kept. The
// list keeps the page and where each link starts in it (a link runs to the next
// quotation mark): a scan copies no text, and a list scanned into again keeps
// its memory, so a walk through an album allocates nothing per link.
class TPicUrls {
public:
  class const_iterator {
  public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::wstring_view;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::wstring_view;
    const_iterator(const TPicUrls& AList, size_t AIndex) : FList(&AList), FIndex(AIndex) {}
    std::wstring_view operator*() const { return (*FList)[FIndex]; }
    const_iterator& operator++() { return ++FIndex, *this; }
    const_iterator operator++(int) { const_iterator was = *this; ++FIndex; return was; }
    bool operator==(const const_iterator& AOther) const { return FIndex == AOther.FIndex; }

  private:
    const TPicUrls* FList;
    size_t FIndex;
  };

  // Empties the list and takes APage as the page its links stand in.
  void Reset(std::wstring APage) {
    FPage = std::move(APage);
    FStarts.clear();
  }
  const std::wstring& Page() const { return FPage; }
  void Add(size_t AStart) { FStarts.push_back(AStart); }

  size_t size() const { return FStarts.size(); }
  bool empty() const { return FStarts.empty(); }
  // Without a closing quotation mark the link is empty.
  std::wstring_view operator[](size_t AIndex) const {
    const std::wstring_view rest = std::wstring_view(FPage).substr(FStarts[AIndex]);
    const size_t quote = rest.find(L'"');
    return quote == std::wstring_view::npos ? std::wstring_view() : rest.substr(0, quote);
  }
  const_iterator begin() const { return {*this, 0}; }
  const_iterator end() const { return {*this, size()}; }

private:
  std::wstring FPage;
  std::vector<size_t> FStarts;
};

// The links of one list page, into ALinks, which keeps the page's text.
void ParsePicUrls(std::wstring APage, TPicUrls& ALinks);
TPicUrls ParsePicUrls(std::wstring APage);

// The large image's address on a photo page, backslashes removed; empty when absent.
std::wstring ParsePic(std::wstring_view APage);

}  // namespace talvik::app
