// The text rules that lead through an album: base address, list pages,
// photo-page links and the large image's address. Pure functions.
#pragma once
#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace talvik::app {

// The typed address up to, not including, the first "?" or "#".
std::wstring GetOrignalAlbumUrl(std::wstring_view AUrl);

// BaseUrl + "?curpage=" + APage.
std::wstring ListPageUrl(std::wstring_view ABaseUrl, int APage);

// The photo-page links of one list page, in page order, duplicates kept. They share
// one buffer, so a scan allocates in proportion to the page, not once per link.
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

  void Add(std::wstring_view ALink) {
    FText.append(ALink);
    FEnds.push_back(FText.size());
  }
  size_t size() const { return FEnds.size(); }
  bool empty() const { return FEnds.empty(); }
  std::wstring_view operator[](size_t AIndex) const {
    const size_t start = AIndex ? FEnds[AIndex - 1] : 0;
    return std::wstring_view(FText).substr(start, FEnds[AIndex] - start);
  }
  const_iterator begin() const { return {*this, 0}; }
  const_iterator end() const { return {*this, size()}; }

private:
  std::wstring FText;
  std::vector<size_t> FEnds;
};

TPicUrls ParsePicUrls(std::wstring_view APage);

// The large image's address on a photo page, backslashes removed; empty when absent.
std::wstring ParsePic(std::wstring_view APage);

}  // namespace talvik::app
