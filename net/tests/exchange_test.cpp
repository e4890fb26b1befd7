// The request bytes the site receives, cookies, redirects and statuses.
#include "net/tests/site_fixture.h"

using namespace talvik;
using namespace talvik::net;
using namespace talvik::net::testing;

namespace {
const std::string kTail =
    "Accept: text/html, */*\r\n"
    "Accept-Encoding: identity\r\n";
const std::string kAgent = "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n";
}  // namespace

TEST_F(SiteTest, RequestBytesInOrder) {
  std::wstring page = Http.Get(Url("/album/sample?curpage=0#photos"));
  EXPECT_NE(page.find(L"\u76f8\u518c sample"), std::wstring::npos);  // the UTF-8 title, decoded
  Http.SetReferer(L"http://feedback.example/?key=DownTalvikAlbum");
  Http.SetCustomHeader(L"Cookie", L"sid=abc; user=\u5f20");
  Http.Get(Url("/") + L"a b/\u7167\u7247?x=\u00e9");
  Http.SetCustomHeader(L"Cookie", L"");
  Http.Get(Url("/"));
  auto requests = Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].raw, "GET /album/sample?curpage=0 HTTP/1.1\r\n" + HostLine() + kTail + kAgent + "\r\n");
  EXPECT_EQ(requests[1].raw, "GET /a b/???x=? HTTP/1.1\r\nCookie: sid=abc; user=?\r\n" + HostLine() + kTail +
                                 "Referer: http://feedback.example/?key=DownTalvikAlbum\r\n" + kAgent + "\r\n");
  EXPECT_EQ(requests[2].raw, "GET / HTTP/1.1\r\n" + HostLine() + kTail +
                                 "Referer: http://feedback.example/?key=DownTalvikAlbum\r\n" + kAgent + "\r\n");
  EXPECT_EQ(Http.Referer(), L"http://feedback.example/?key=DownTalvikAlbum");
}

TEST_F(SiteTest, AlbumWalkRefererSequenceOnOneConnection) {
  Site.Album("two", 2, 3, 5000);
  Http.Get(Url("/album/two?curpage=0"));
  std::wstring photo = Url("/album/two/photo/1");
  std::wstring page = Http.Get(photo);
  EXPECT_NE(page.find(L"\"large\":\"http:\\/\\/127.0.0.1:"), std::wstring::npos);
  Http.SetReferer(photo);
  std::string jpeg = StreamGet("/photo/two-1.jpg");
  EXPECT_EQ(jpeg.size(), 5000u);
  EXPECT_EQ(jpeg.substr(0, 2), "\xff\xd8");
  Http.Get(Url("/album/two/photo/2"));
  auto requests = Requests();
  ASSERT_EQ(requests.size(), 4u);
  const std::string referer = "Referer: " + Utf8(photo) + "\r\n";
  EXPECT_EQ(requests[1].raw.find("Referer"), std::string::npos);
  EXPECT_NE(requests[2].raw.find(referer), std::string::npos);
  EXPECT_NE(requests[3].raw.find(referer), std::string::npos);
  for (const auto& r : requests) EXPECT_EQ(r.connection, requests[0].connection);
}

TEST_F(SiteTest, LongBrowserCookieIsFoldedAt78) {
  std::wstring cookie;
  for (int i = 0; i < 8; ++i) cookie += L"cookie" + std::to_wstring(i) + L"=value" + std::to_wstring(i) + L"; ";
  cookie += L"last=\"quoted, with blanks\"";
  Http.SetCustomHeader(L"Cookie", cookie);
  Http.Get(Url("/"));
  EXPECT_EQ(Requests().at(0).raw,
            "GET / HTTP/1.1\r\n"
            "Cookie: cookie0=value0; cookie1=value1; cookie2=value2; cookie3=value3;\r\n"
            " cookie4=value4; cookie5=value5; cookie6=value6; cookie7=value7;\r\n"
            " last=\"quoted, with blanks\"\r\n" +
                HostLine() + kTail + kAgent + "\r\n");

  // The boundary: a 78-character line stays whole, a longer one breaks at its last fitting blank.
  const std::wstring v62(62, L'v');
  Site.Reset();
  Http.SetCustomHeader(L"Cookie", L"a=1; b=" + v62 + L"v");
  Http.Get(Url("/"));
  Http.SetCustomHeader(L"Cookie", L"a=1; b=" + v62 + L"; c=2");
  Http.Get(Url("/"));
  Http.SetCustomHeader(L"Cookie", L"a=1; b=" + v62 + L"v; c=2");
  Http.Get(Url("/"));
  auto requests = Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_NE(requests[0].raw.find("\r\nCookie: a=1; b=" + Utf8(v62) + "v\r\nHost: "), std::string::npos);
  EXPECT_NE(requests[1].raw.find("\r\nCookie: a=1; b=" + Utf8(v62) + ";\r\n c=2\r\nHost: "), std::string::npos);
  EXPECT_NE(requests[2].raw.find("\r\nCookie: a=1;\r\n b=" + Utf8(v62) + "v; c=2\r\nHost: "), std::string::npos);
}

TEST_F(SiteTest, OwnLinesFoldOnlyBeyond1024) {
  std::wstring referer = L"http://r.example/";
  while (referer.size() < 1000) referer += L"segment, ";
  referer += L"end";
  Http.SetReferer(referer);
  Http.Get(Url("/"));
  std::string raw = Requests().at(0).raw;
  std::string line = "Referer: " + Utf8(referer);
  ASSERT_GT(line.size(), 1000u);
  ASSERT_LE(line.size(), 1024u);
  EXPECT_NE(raw.find(line + "\r\n" + kAgent), std::string::npos);

  Site.Reset();
  referer += std::wstring(100, L'x') + L", tail";
  Http.SetReferer(referer);
  Http.Get(Url("/"));
  raw = Requests().at(0).raw;
  size_t start = raw.find("Referer: ");
  size_t end = raw.find("\r\n", start);
  EXPECT_LE(end - start, 1024u);
  EXPECT_NE(raw.find("segment,\r\n endxxx", start), std::string::npos);
  EXPECT_NE(raw.find(", tail\r\n" + kAgent), std::string::npos);
}

TEST_F(SiteTest, StoredCookiesReplaceTheBrowserCookie) {
  Site.Route("/album/set", SiteReply::Ok("set").Header("Set-Cookie", "sess=42; Path=/album")
                                                .Header("set-cookie", "other=7; Path=/"));
  Site.Route("/album/next", SiteReply::Ok("next"));
  Http.SetCustomHeader(L"Cookie", L"browser=1");
  Http.SetCustomHeader(L"X-Extra", L"e");
  Http.Get(Url("/album/set"));
  Http.Get(Url("/album/next"));
  Http.Get(Url("/elsewhere"));
  auto requests = Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].raw.substr(requests[0].raw.find("\r\n") + 2, 19), "Cookie: browser=1\r\n");
  EXPECT_EQ(requests[1].raw, "GET /album/next HTTP/1.1\r\nCookie: sess=42; other=7\r\nX-Extra: e\r\n" + HostLine() +
                                 kTail + kAgent + "Cookie2: $Version=\"1\"\r\n\r\n");
  EXPECT_EQ(requests[2].raw, "GET /elsewhere HTTP/1.1\r\nCookie: other=7\r\nX-Extra: e\r\n" + HostLine() + kTail +
                                 kAgent + "Cookie2: $Version=\"1\"\r\n\r\n");
  // Without a browser cookie the stored one follows User-Agent.
  Site.Reset();
  Http.SetCustomHeader(L"Cookie", L"");
  Http.Get(Url("/x"));
  EXPECT_EQ(Requests().at(0).raw, "GET /x HTTP/1.1\r\nX-Extra: e\r\n" + HostLine() + kTail + kAgent +
                                      "Cookie: other=7\r\nCookie2: $Version=\"1\"\r\n\r\n");
}

TEST_F(SiteTest, CookieDefaultsRejectionAndExpiry) {
  Site.Route("/dir/page", std::vector<SiteReply>{
      SiteReply::Ok("").Header("Set-Cookie", "d=1").Header("Set-Cookie", "bad=1; Domain=.example.com"),
      SiteReply::Ok("").Header("Set-Cookie", "d=1; Max-Age=0")});
  // Error replies set cookies too.
  Site.Route("/err", SiteReply::Status(404, "Not Found").Header("Set-Cookie2", "e=5; Version=1; Path=/"));
  Http.SetCustomHeader(L"Cookie", L"b=0");
  Http.Get(Url("/dir/page"));
  EXPECT_THROW(Http.Get(Url("/err")), EIdHTTPProtocolException);
  Http.Get(Url("/dir/other"));
  Http.Get(Url("/top"));
  Http.Get(Url("/dir/page"));  // deletes d
  Http.Get(Url("/dir/other"));
  auto requests = Requests();
  ASSERT_EQ(requests.size(), 6u);
  auto cookieLine = [](const std::string& raw) {
    size_t at = raw.find("Cookie: ");
    return at == std::string::npos ? std::string() : raw.substr(at, raw.find("\r\n", at) - at);
  };
  EXPECT_EQ(cookieLine(requests[2].raw), "Cookie: d=1; e=5");
  EXPECT_EQ(cookieLine(requests[3].raw), "Cookie: e=5");
  EXPECT_EQ(cookieLine(requests[5].raw), "Cookie: e=5");
}

TEST_F(SiteTest, RedirectsFollowRelativeLocations) {
  Site.Route("/a/start", SiteReply::Redirect(302, "next?x=1").Header("Set-Cookie", "hop=1; Path=/"));
  Site.Route("/a/next?x=1", SiteReply::Redirect(301, "/b/final"));
  Site.Route("/b/final", SiteReply::Ok("arrived"));
  Http.SetReferer(L"ref");
  EXPECT_EQ(Http.Get(Url("/a/start")), L"arrived");
  EXPECT_EQ(Targets(), (std::vector<std::string>{"/a/start", "/a/next?x=1", "/b/final"}));
  for (const auto& r : Requests()) EXPECT_NE(r.raw.find("Referer: ref\r\n"), std::string::npos);
  // The redirect's cookie goes with the requests that follow it.
  EXPECT_EQ(Requests()[0].raw.find("Cookie"), std::string::npos);
  EXPECT_NE(Requests()[1].raw.find("Cookie: hop=1\r\nCookie2:"), std::string::npos);
  // The empty address names the previous request's directory.
  Http.Get(L"");
  EXPECT_EQ(Targets().back(), "/b/");
}

TEST_F(SiteTest, FourteenRedirectsAreFollowedTheFifteenthFails) {
  std::vector<SiteReply> hops(14, SiteReply::Redirect(302, "/hop"));
  hops.back().body = "redirect body, discarded";
  hops.push_back(SiteReply::Ok("done"));
  Site.Route("/hop", hops);
  EXPECT_EQ(Http.Get(Url("/hop")), L"done");
  EXPECT_EQ(Requests().size(), 15u);

  // An empty page or photo must not pass for the real one.
  Site.Reset();
  Site.Route("/loop", SiteReply::Redirect(302, "/loop"));
  EXPECT_EQ(FailureOf(Url("/loop")), L"Too many redirects.");
  EXPECT_EQ(Requests().size(), 15u);
  TMemoryStream stream;
  EXPECT_THROW(Http.Get(Url("/loop"), stream), EIdException);
  EXPECT_EQ(stream.Size(), 0);
  EXPECT_EQ(Requests().size(), 30u);
}

TEST_F(SiteTest, RedirectBodiesThatCannotBeReadAreLeftBehind) {
  // The body of a redirect is thrown away: past its limit or badly framed, the
  // connection is given up and the redirect still followed.
  SiteReply endless = SiteReply::Raw("HTTP/1.1 302 Found\r\nLocation: /there\r\n\r\n");
  endless.forever = std::string(4096, 'r');
  SiteReply badLength = SiteReply::Raw("HTTP/1.1 302 Found\r\nLocation: /there\r\nContent-Length: -1\r\n\r\nr");
  Site.Route("/there", SiteReply::Ok("there"));
  for (const SiteReply& r : {endless, badLength}) {
    Site.Route("/away", r);
    EXPECT_EQ(Http.Get(Url("/away")), L"there");
  }
  auto q = Requests();
  ASSERT_EQ(q.size(), 4u);
  EXPECT_NE(q[0].connection, q[1].connection);
  EXPECT_NE(q[2].connection, q[3].connection);
}

TEST_F(SiteTest, WhatCountsAsARedirect) {
  Site.Route("/ok-with-location", SiteReply::Ok("first").Header("Location", "/target"));
  Site.Route("/created", SiteReply::Status(201, "Created", "made").Header("Location", "/target"));
  Site.Route("/target", SiteReply::Ok("target"));
  Site.Route("/notmodified", SiteReply::Status(304, "Not Modified"));
  Site.Route("/nowhere", SiteReply::Status(302, "Found", "no location"));
  EXPECT_EQ(Http.Get(Url("/ok-with-location")), L"target");
  EXPECT_EQ(Http.Get(Url("/created")), L"made");
  // 304 has no body to wait for: the failure comes at once.
  SiteReply bare = SiteReply::Status(304, "Not Modified");
  bare.framing = "none";
  Site.Route("/notmodified", bare);
  EXPECT_EQ(FailureOf(Url("/notmodified")), L"HTTP/1.1 304 Not Modified");
  EXPECT_EQ(FailureOf(Url("/nowhere")), L"HTTP/1.1 302 Found");
  EXPECT_EQ(Http.Get(Url("/target")), L"target");
}

TEST_F(SiteTest, ErrorStatusesFailWithTheStatusLine) {
  struct Case {
    int code;
    const char* reason;
    std::wstring message;
  } cases[] = {
      {401, "Unauthorized", L"HTTP/1.1 401 Unauthorized"},
      {404, "Not Found", L"HTTP/1.1 404 Not Found"},
      {407, "Proxy Authentication Required", L"HTTP/1.1 407 Proxy Authentication Required"},
      {500, "Internal Server Error", L"HTTP/1.1 500 Internal Server Error"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    Site.Route("/status", SiteReply::Status(c.code, c.reason, "error page body"));
    try {
      TMemoryStream stream;
      Http.Get(Url("/status"), stream);
      ADD_FAILURE() << "no error";
    } catch (const EIdHTTPProtocolException& e) {
      EXPECT_EQ(e.Message(), c.message);
      EXPECT_EQ(e.ErrorCode(), c.code);
    }
  }
  SiteReply odd = SiteReply::Status(404, "");
  odd.statusLine = "HTTP/1.0 404";
  Site.Route("/status", odd);
  EXPECT_EQ(FailureOf(Url("/status")), L"HTTP/1.0 404");
  // The error bodies were read: the connection still serves.
  EXPECT_EQ(Http.Get(Url("/x")).substr(0, 6), L"<html>");
  auto requests = Requests();
  EXPECT_EQ(requests.front().connection, requests.back().connection);
}

TEST_F(SiteTest, AddressesThatCannotBeServed) {
  EXPECT_EQ(FailureOf(L"ftp://127.0.0.1/"), L"Protocol not supported: ftp");
  Site.Route("/to-ftp", SiteReply::Redirect(302, "ftp://127.0.0.1/"));
  EXPECT_EQ(FailureOf(Url("/to-ftp")), L"Protocol not supported: ftp");
  EXPECT_EQ(FailureOf(L"http://127.0.0.1:" + std::to_wstring(SampleSite::UnusedPort()) + L"/"),
            L"Socket Error # 10061\r\nConnection refused.");
  EXPECT_EQ(FailureOf(L"http://no-such-host.invalid/"), L"Socket Error # 11001\r\nHost not found.");
  EXPECT_EQ(Requests().size(), 1u);
}
