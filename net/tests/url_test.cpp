// Address parsing and resolution against the previous request, without sockets.
#include <gtest/gtest.h>

#include "net/idhttp.h"
#include "net/url.h"

using namespace talvik::net;

TEST(Url, ParsesTheParts) {
  TUrl u = ParseUrl(L"HTTP://Example.com:8080/a/b/c.jpg?x=1&y=2#frag?no");
  EXPECT_EQ(u.Protocol, L"http");
  EXPECT_EQ(u.Host, L"Example.com");
  EXPECT_EQ(u.Port, 8080);
  EXPECT_EQ(u.Path, L"/a/b/");
  EXPECT_EQ(u.Document, L"c.jpg");
  EXPECT_EQ(u.Query, L"x=1&y=2");
  EXPECT_EQ(u.Target(), L"/a/b/c.jpg?x=1&y=2");
  EXPECT_EQ(u.HostHeader(), L"Example.com:8080");
}

TEST(Url, TargetAndHostLine) {
  struct Case {
    const wchar_t* address;
    const wchar_t* target;
    const wchar_t* host;
  } cases[] = {
      {L"http://h", L"/", L"h"},
      {L"http://h:80/x", L"/x", L"h"},
      {L"http://h:81/x?", L"/x", L"h:81"},
      {L"https://h/x", L"/x", L"h"},
      {L"https://h:443/x", L"/x", L"h"},
      {L"https://h:80/x", L"/x", L"h:80"},
      {L"http://h:443/x", L"/x", L"h:443"},
      {L"http://h/dir/#top", L"/dir/", L"h"},
      {L"http://h/album?curpage=0#x", L"/album?curpage=0", L"h"},
      {L"http://user@h/p", L"/p", L"h"},
      {L"http://[::1]:8080/album/1", L"/album/1", L"[::1]:8080"},
      {L"http://[2001:db8::1]/p?q", L"/p?q", L"[2001:db8::1]"},
      {L"https://[2001:db8::1]:443/", L"/", L"[2001:db8::1]"},
      {L"http://user:pw@[::1]:81/p", L"/p", L"[::1]:81"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.address);
    TUrl u = ResolveUrl(c.address, TUrl());
    EXPECT_EQ(u.Target(), c.target);
    EXPECT_EQ(u.HostHeader(), c.host);
  }
}

TEST(Url, ResolvesAgainstThePreviousRequest) {
  TUrl previous = ParseUrl(L"http://site:81/d/e/page?q=1");
  struct Case {
    const wchar_t* address;
    const wchar_t* expected;
  } cases[] = {
      {L"", L"http://site:81/d/e/"},
      {L"x.jpg", L"http://site:81/d/e/x.jpg"},
      {L"sub/z?k=v#f", L"http://site:81/d/e/sub/z?k=v"},
      {L"/abs/y", L"http://site:81/abs/y"},
      {L"?only", L"http://site:81/d/e/?only"},
      {L"http://other/p", L"http://other/p"},
      {L"//other2/p", L"http://other2/p"},
      {L"http://other", L"http://other/"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.address);
    EXPECT_EQ(ResolveUrl(c.address, previous).ToString(), c.expected);
  }
}

TEST(Url, Ipv6AddressesKeepTheirColonsApartFromThePort) {
  TUrl u = ParseUrl(L"http://[2001:db8::1]:8080/a/b.jpg");
  EXPECT_EQ(u.Host, L"2001:db8::1");
  EXPECT_EQ(u.Port, 8080);
  EXPECT_EQ(u.ToString(), L"http://[2001:db8::1]:8080/a/b.jpg");
  EXPECT_EQ(ResolveUrl(L"/c", u).ToString(), L"http://[2001:db8::1]:8080/c");
  EXPECT_EQ(ParseUrl(L"http://[::1]/").Port, 0);
}

// Links are read as a browser reads them on the page they stand in.
TEST(Url, LinksResolveAgainstTheirPage) {
  struct Case {
    const wchar_t* link;
    const wchar_t* page;
    const wchar_t* expected;
  } cases[] = {
      {L"/photo/7_1", L"http://site:81/album/3?curpage=2", L"http://site:81/photo/7_1"},
      {L"7_1", L"http://site/album/3/list?curpage=2", L"http://site/album/3/7_1"},
      {L"http://pics.example/x.jpg", L"http://site/p", L"http://pics.example/x.jpg"},
      {L"//pics.example/x.jpg", L"https://site/p", L"https://pics.example/x.jpg"},
      {L"", L"http://site/photo/7_1", L"http://site/photo/"},
      {L"/p", L"http://[::1]:9/a", L"http://[::1]:9/p"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.link);
    EXPECT_EQ(ResolveAddress(c.link, c.page), c.expected);
  }
}

TEST(Url, BadPortsFail) {
  for (const wchar_t* address : {L"http://h:99999/", L"http://h:abc/", L"http://h:/", L"http://h:0/", L"http://[::1]:x/"}) {
    SCOPED_TRACE(address);
    EXPECT_THROW(ParseUrl(address), EIdException);
  }
}

TEST(Url, WireTextIsSevenBit) {
  EXPECT_EQ(ToAscii7(L"/a\u00e9b\U0001F600c d"), "/a?b?c d");
  EXPECT_EQ(ToAscii7(L"/\u4e2d\u6587"), "/??");
  // A line break from a hostile page or redirect would split the request and add headers.
  EXPECT_EQ(ToAscii7(L"/a\r\nX-Injected: 1"), "/a??X-Injected: 1");
  EXPECT_EQ(ToAscii7(L"/a\rb\nc"), "/a?b?c");
}
