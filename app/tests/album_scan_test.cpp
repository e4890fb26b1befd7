#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/album_scan.h"
#include "app/error_text.h"

using namespace talvik::app;
using Links = std::vector<std::wstring>;

namespace {

Links Scan(std::wstring_view page) {
  TPicUrls links = ParsePicUrls(std::wstring(page));
  return Links(links.begin(), links.end());
}

// An image marker followed (after some filler) by an anchor to LINK.
std::wstring Item(const std::wstring& link, const std::wstring& between = L"<img src=\"t.jpg\"></span>") {
  return L"<li><span class=\"img\">" + between + L"<a href=\"" + link + L"\" title=\"x\">p</a></li>\n";
}

TEST(AlbumAddress, CutsAtFirstQueryOrFragment) {
  struct Case { std::wstring typed, base; } cases[] = {
      {L"a?x=1#top", L"a"},
      {L"a#top?x=1", L"a"},
      {L"http://t.cn/album.do?id=5&curpage=3", L"http://t.cn/album.do"},
      {L"http://t.cn/album/7", L"http://t.cn/album/7"},
      {L"", L""},
      {L"?x", L""},
      {L"  a b ?", L"  a b "},  // trimming is the caller's job
  };
  for (const Case& c : cases) EXPECT_EQ(GetOrignalAlbumUrl(c.typed), c.base) << c.typed;
}

TEST(AlbumAddress, ListPagesCountFromZero) {
  EXPECT_EQ(ListPageUrl(L"http://h/al", 0), L"http://h/al?curpage=0");
  EXPECT_EQ(ListPageUrl(L"http://h/al", 1), L"http://h/al?curpage=1");
  EXPECT_EQ(ListPageUrl(L"B", 120), L"B?curpage=120");
}

TEST(ListPage, Links) {
  const std::wstring far(5000, L'x');
  struct Case { const char* what; std::wstring page; Links links; } cases[] = {
      {"empty text", L"", {}},
      {"no image marker", L"<html><a href=\"/p/1\">1</a></html>", {}},
      {"three in page order", Item(L"/p/3") + Item(L"/p/1") + Item(L"/p/2"), {L"/p/3", L"/p/1", L"/p/2"}},
      {"duplicates kept", Item(L"/p/1") + Item(L"/p/1"), {L"/p/1", L"/p/1"}},
      {"marker in other case", L"<SPAN class=\"img\"><a href=\"/p/1\">", {}},
      {"blank before bracket", L"<span class=\"img\" ><a href=\"/p/1\">", {}},
      {"single quotes", L"<span class='img'><a href=\"/p/1\">", {}},
      {"anchor in single quotes", L"<span class=\"img\"><a href='/p/1'>", {}},
      {"anchor with extra blank", L"<span class=\"img\"><a  href=\"/p/1\">", {}},
      {"entity kept", Item(L"photo.do?id=1&amp;owner=2"), {L"photo.do?id=1&amp;owner=2"}},
      {"relative kept", Item(L"../p/1 "), {L"../p/1 "}},
      {"anchor far from its marker", Item(L"/p/far", far), {L"/p/far"}},
      // The search for the next marker resumes after the link's closing quote:
      // a marker cut by that quote is not found again.
      {"anchor before marker is not taken", L"<a href=\"/p/0\"><span class=\"img\"><a href=\"/p/1\">", {L"/p/1"}},
      {"marker inside a link", L"<span class=\"img\"><a href=\"a<span class=\"img\">b\"<a href=\"/p/2\">",
       {L"a<span class="}},
      {"next item right after the quote", L"<span class=\"img\"><a href=\"/p/1\"<span class=\"img\"><a href=\"/p/2\">",
       {L"/p/1", L"/p/2"}},
      {"no quote after anchor", Item(L"/p/1") + L"<span class=\"img\"><a href=\"/p/open", {L"/p/1", L""}},
      {"no anchor after marker", Item(L"/p/1") + L"<span class=\"img\"><img src=\"x\">", {L"/p/1"}},
      {"no anchor after two markers", Item(L"/p/1") + L"<span class=\"img\">x<span class=\"img\">y", {L"/p/1"}},
      {"non-ASCII link", Item(L"/相册/照片 1"), {L"/相册/照片 1"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Scan(c.page), c.links) << c.what;
}

TEST(PhotoPage, LargeImageAddress) {
  struct Case { const char* what; std::wstring page; std::wstring address; } cases[] = {
      {"empty text", L"", L""},
      {"no large marker", L"{\"small\":\"/s.jpg\"}", L""},
      {"marker without quote after it", L"x\"large\":\"/img/p.jpg", L""},
      {"escaped slashes", L"{\"large\":\"\\/img\\/p.jpg\",\"w\":1}", L"/img/p.jpg"},
      {"plain address", L"var p={\"large\":\"http://i.t.cn/a.jpg\"};", L"http://i.t.cn/a.jpg"},
      {"escaped quote ends it", L"\"large\":\"/a\\\"b.jpg\"", L"/a"},
      {"every backslash removed", L"\"large\":\"\\\\h\\\\x\\y\"", L"hxy"},
      {"only the first marker", L"\"large\":\"/1.jpg\" \"large\":\"/2.jpg\"", L"/1.jpg"},
      {"empty value", L"\"large\":\"\"", L""},
      {"marker in other case", L"\"Large\":\"/1.jpg\"", L""},
      {"blank after colon", L"\"large\": \"/1.jpg\"", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(ParsePic(c.page), c.address) << c.what;
}

TEST(ErrorReport, FullStopRule) {
  struct Case { std::wstring message, shown; } cases[] = {
      {L"Socket Error # 10061\r\nConnection refused.", L"Socket Error # 10061\r\nConnection refused."},
      {L"HTTP/1.1 404 Not Found", L"HTTP/1.1 404 Not Found."},
      {L"code 7", L"code 7."},
      {L"ends with a blank ", L"ends with a blank "},
      {L"ends with a comma,", L"ends with a comma,"},
      {L"ends with a slash/", L"ends with a slash/."},
      {L"下载失败", L"下载失败."},
      {L"", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(ErrorReportText(c.message), c.shown) << c.message.size();
}

// The rules as plain text cutting, one copy per step: slow but obviously right.
Links CuttingLinks(std::wstring t) {
  Links links;
  for (;;) {
    size_t p = t.find(L"<span class=\"img\">");
    if (p == std::wstring::npos) return links;
    t = t.substr(p + 18);
    size_t q = t.find(L"<a href=\"");
    if (q == std::wstring::npos) return links;  // no anchor left: stop
    t = t.substr(q + 9);
    size_t r = t.find(L'"');
    links.push_back(t.substr(0, r == std::wstring::npos ? 0 : r));
    if (r == std::wstring::npos) return links;
    t = t.substr(r + 1);
  }
}

std::wstring CuttingPic(std::wstring t) {
  size_t p = t.find(L"\"large\":\"");
  if (p == std::wstring::npos) return L"";
  t = t.substr(p + 9);
  size_t r = t.find(L'"');
  if (r == std::wstring::npos) return L"";
  std::wstring address;
  for (wchar_t c : t.substr(0, r))
    if (c != L'\\') address += c;
  return address;
}

// Random text made mostly of marker pieces and near-misses: the scan must end
// and agree with the plain cutting of the page.
TEST(ListPage, RandomTextScansAsPlainCutting) {
  const std::wstring pieces[] = {L"<span class=\"img\">", L"<a href=\"", L"\"", L"\\", L"\"large\":\"",
                                 L"<span class=\"im", L"span class=\"img\">", L"href=\"", L"<a hre", L"large\":",
                                 L"x", L"/p/", L"<", L">", L"g\">", L" ", L"照", L"\x80", L"\xFF3C"};
  std::mt19937 rng(20261209);
  for (int round = 0; round < 5000; ++round) {
    std::wstring page;
    int n = rng() % 80;
    for (int i = 0; i < n; ++i) {
      if (rng() % 5 == 0) page += static_cast<wchar_t>(rng() % 0x10000);
      else page += pieces[rng() % std::size(pieces)];
    }
    ASSERT_EQ(Scan(page), CuttingLinks(page)) << "round " << round;
    ASSERT_EQ(ParsePic(page), CuttingPic(page)) << "round " << round;
  }
}

}  // namespace
