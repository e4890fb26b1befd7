// The cookie store's rules, without sockets.
#include <gtest/gtest.h>

#include "net/cookie_store.h"

using namespace talvik::net;

namespace {

const int64_t kNow = 1800000000;  // 2027-01-15

TCookieStore::Origin At(const std::string& host, const std::string& path, int port = 80) {
  TCookieStore::Origin o;
  o.Host = host;
  o.Path = path;
  o.Port = port;
  return o;
}

}  // namespace

TEST(CookieStore, DomainAndPathDefaultsAndRejection) {
  struct Case {
    const char* header;
    TCookieStore::Origin from;
    bool stored;
    const char* domain;
    const char* path;
  } cases[] = {
      {"a=1", At("www.example.com", "/dir/page.html"), true, ".www.example.com", "/dir"},
      {"a=1", At("127.0.0.1", "/album/sample"), true, ".127.0.0.1", "/album"},
      {"a=1", At("h.example.com", "/page"), true, ".h.example.com", ""},
      {"a=1; Domain=.example.com; Path=/", At("www.example.com", "/x"), true, ".example.com", "/"},
      {"a=1; domain=example.com", At("www.example.com", "/x"), true, ".example.com", ""},
      {"a=1; Path=/dir", At("h.example.com", "/dir/x"), true, ".h.example.com", "/dir"},
      // Rejected: foreign domain, no embedded dot, too deep a host, path not a prefix, IP domains.
      {"a=1; Domain=.other.com", At("www.example.com", "/"), false, "", ""},
      {"a=1; Domain=.com", At("www.example.com", "/"), false, "", ""},
      {"a=1; Domain=.example.com", At("a.b.example.com", "/"), false, "", ""},
      {"a=1; Path=/other", At("www.example.com", "/dir/x"), false, "", ""},
      {"a=1; Domain=.0.0.1", At("127.0.0.1", "/"), false, "", ""},
      {"a=1; Domain=127.0.0.1", At("127.0.0.1", "/"), true, ".127.0.0.1", ""},
      {"a=1; Port=\"81,82\"", At("www.example.com", "/", 80), false, "", ""},
      // Not a cookie at all.
      {"novalue", At("www.example.com", "/"), false, "", ""},
      {"=1", At("www.example.com", "/"), false, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.header);
    TCookieStore store;
    store.SetCookieHeader(c.header, false, c.from, kNow);
    ASSERT_EQ(store.Cookies().size(), c.stored ? 1u : 0u);
    if (c.stored) {
      EXPECT_EQ(store.Cookies()[0].Domain, c.domain);
      EXPECT_EQ(store.Cookies()[0].Path, c.path);
    }
  }
}

TEST(CookieStore, WhichRequestsGetTheCookies) {
  TCookieStore store;
  store.SetCookieHeader("site=1; Domain=.example.com; Path=/", false, At("www.example.com", "/"), kNow);
  store.SetCookieHeader("deep=2; Path=/album/x", false, At("www.example.com", "/album/x/1"), kNow);
  store.SetCookieHeader("empty=; Path=/", false, At("www.example.com", "/"), kNow);
  TCookieStore::Origin secure = At("www.example.com", "/");
  secure.Secure = true;
  store.SetCookieHeader("safe=3; Path=/; Secure", false, secure, kNow);
  store.SetCookieHeader("ported=4; Path=/; Port=\"80\"", false, At("www.example.com", "/"), kNow);
  struct Case {
    TCookieStore::Origin to;
    const char* line;
  } cases[] = {
      {At("www.example.com", "/album/x/2"), "deep=2; site=1; ported=4"},
      {At("www.example.com", "/album/y"), "site=1; ported=4"},
      {At("img.example.com", "/album/x/2"), "site=1"},
      {At("WWW.Example.com", "/", 8080), "site=1"},
      {At("example.com", "/"), "site=1"},
      {At("example.org", "/"), ""},
      {At("badexample.com", "/"), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.to.Host + c.to.Path);
    EXPECT_EQ(store.CookieHeaderFor(c.to, kNow), c.line);
  }
  EXPECT_EQ(store.CookieHeaderFor(secure, kNow), "site=1; safe=3; ported=4");
}

TEST(CookieStore, WithoutDomainForItsOwnHostOnly) {
  TCookieStore store;
  store.SetCookieHeader("own=1; Path=/", false, At("example.com", "/"), kNow);
  store.SetCookieHeader("wide=2; Path=/; Domain=example.com", false, At("example.com", "/"), kNow);
  EXPECT_EQ(store.CookieHeaderFor(At("example.com", "/"), kNow), "own=1; wide=2");
  EXPECT_EQ(store.CookieHeaderFor(At("www.example.com", "/"), kNow), "wide=2");
  // The same name with a Domain attribute is the same cookie, now for the subdomains too.
  store.SetCookieHeader("own=3; Path=/; Domain=example.com", false, At("example.com", "/"), kNow);
  EXPECT_EQ(store.CookieHeaderFor(At("www.example.com", "/"), kNow), "own=3; wide=2");
}

TEST(CookieStore, PlainHttpCannotSetOrReplaceSecureCookies) {
  TCookieStore::Origin https = At("www.example.com", "/", 443);
  https.Secure = true;
  const auto plain = At("www.example.com", "/");
  struct Case {
    const char* header;  // over plain http, after "sid=good; Secure" came over https
    const char* plainLine, *httpsLine;
  } cases[] = {
      {"new=1; Path=/; Secure", "", "sid=good"},
      {"sid=evil; Path=/; Secure", "", "sid=good"},
      {"sid=evil; Path=/", "", "sid=good"},
      {"sid=evil; Path=/; Domain=.example.com", "", "sid=good"},
      {"sid=evil; Path=/album", "", "sid=good"},
      {"sid=gone; Path=/; Max-Age=0", "", "sid=good"},
      {"other=1; Path=/", "other=1", "sid=good; other=1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.header);
    TCookieStore store;
    store.SetCookieHeader("sid=good; Path=/; Secure", false, https, kNow);
    store.SetCookieHeader(c.header, false, plain, kNow);
    EXPECT_EQ(store.CookieHeaderFor(plain, kNow), c.plainLine);
    EXPECT_EQ(store.CookieHeaderFor(https, kNow), c.httpsLine);
  }
  // Over https the secure cookie may be replaced, and its name taken by a plain one.
  TCookieStore store;
  store.SetCookieHeader("sid=good; Path=/; Secure", false, https, kNow);
  store.SetCookieHeader("sid=next; Path=/", false, https, kNow);
  EXPECT_EQ(store.CookieHeaderFor(plain, kNow), "sid=next");
}

TEST(CookieStore, ReplacementAndExpiry) {
  TCookieStore store;
  auto from = At("h.example.com", "/");
  store.SetCookieHeader("a=1; Path=/", false, from, kNow);
  store.SetCookieHeader("b=2; Path=/; Max-Age=60", false, from, kNow);
  store.SetCookieHeader("c=3; Path=/; expires=Wed, 09-Jun-2021 10:18:14 GMT", false, from, kNow);
  store.SetCookieHeader("d=4; Path=/; expires=Fri, 01 Jan 2100 00:00:00 GMT", false, from, kNow);
  EXPECT_EQ(store.CookieHeaderFor(from, kNow), "a=1; b=2; d=4");
  store.SetCookieHeader("a=new; Path=/", false, from, kNow);
  EXPECT_EQ(store.CookieHeaderFor(from, kNow), "a=new; b=2; d=4");
  // Max-Age outlasts Expires; an expired cookie removes its namesake.
  store.SetCookieHeader("d=5; Path=/; Max-Age=0; expires=Fri, 01 Jan 2100 00:00:00 GMT", false, from, kNow);
  EXPECT_EQ(store.CookieHeaderFor(from, kNow + 59), "a=new; b=2");
  EXPECT_EQ(store.CookieHeaderFor(from, kNow + 61), "a=new");
  EXPECT_EQ(store.Cookies().size(), 1u);
  // A lifetime past the end of the clock keeps the cookie instead of wrapping into the past.
  store.SetCookieHeader("e=6; Path=/; Max-Age=9223372036854775807", false, from, kNow);
  store.SetCookieHeader("f=7; Path=/; Max-Age=99999999999999999999", false, from, kNow);
  EXPECT_EQ(store.CookieHeaderFor(from, kNow + 61), "a=new; e=6; f=7");
}

TEST(CookieStore, SetCookie2ListsSeveralCookies) {
  TCookieStore store;
  auto from = At("h.example.com", "/a/b");
  store.SetCookieHeader("x=\"1,2\"; Version=\"1\"; Path=\"/a\", y=2; Version=\"1\"", true, from, kNow);
  EXPECT_EQ(store.CookieHeaderFor(from, kNow), "x=\"1,2\"; y=2");
  // An old-style header with a date keeps its comma.
  store.SetCookieHeader("z=3; expires=Fri, 01 Jan 2100 00:00:00 GMT", false, from, kNow);
  EXPECT_EQ(store.Cookies().size(), 3u);
}

TEST(CookieStore, HttpDates) {
  struct Case {
    const char* text;
    bool ok;
    int64_t seconds;
  } cases[] = {
      {"Thu, 01 Jan 1970 00:00:00 GMT", true, 0},
      {"Wed, 09-Jun-2021 10:18:14 GMT", true, 1623233894},
      {"Wednesday, 09-Jun-21 10:18:14 GMT", true, 1623233894},
      {"Wed Jun  9 10:18:14 2021", true, 1623233894},
      {"Sat, 29 Feb 2020 23:59:59 GMT", true, 1583020799},
      {"yesterday", false, 0},
      {"Wed, 32 Jun 2021 10:18:14 GMT", false, 0},
      {"", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    int64_t s = -1;
    EXPECT_EQ(ParseHttpDate(c.text, s), c.ok);
    if (c.ok) EXPECT_EQ(s, c.seconds);
  }
}
