// The user's login on the wire: where it goes, and how it looks there.
#include "net/login_cookies.h"
#include "net/tests/site_fixture.h"

using namespace talvik;
using namespace talvik::net;
using namespace talvik::net::testing;

namespace {

std::string CookieLine(const std::string& raw) {
  size_t at = raw.find("\r\nCookie: ");
  if (at == std::string::npos) return "<none>";
  return raw.substr(at + 2, raw.find("\r\n", at + 2) - at - 2);
}

}  // namespace

TEST_F(SiteTest, LoginGoesOutOnItsSiteAsACustomCookieLineDid) {
  std::wstring cookie;
  for (int i = 0; i < 8; ++i) cookie += L"cookie" + std::to_wstring(i) + L"=value" + std::to_wstring(i) + L"; ";
  cookie += L"last=\"quoted, with blanks\"";
  auto walk = [&](TIdHTTP& http) {
    Site.Reset();
    Site.Route("/album/", {SiteReply::Ok("page")}, true);
    Site.Route("/album/set", SiteReply::Ok("set").Header("Set-Cookie", "sess=42; Path=/album"));
    http.SetCustomHeader(L"X-Extra", L"e");
    for (const char* path : {"/album/1", "/album/set", "/album/next", "/elsewhere"}) http.Get(Url(path));
    std::vector<std::string> raw;
    for (const auto& r : Requests()) raw.push_back(r.raw);
    return raw;
  };
  TIdHTTP custom;
  custom.SetCustomHeader(L"Cookie", cookie);
  const auto expected = walk(custom);
  Http.SetLoginCookies(LoginCookiesFor(cookie, Url("/album/1")));
  const auto login = walk(Http);
  ASSERT_EQ(login.size(), 4u);
  EXPECT_EQ(login, expected);
  EXPECT_NE(login[0].find("\r\nCookie: cookie0=value0; cookie1=value1; cookie2=value2; cookie3=value3;\r\n "),
            std::string::npos) << login[0];
  EXPECT_EQ(CookieLine(login[2]), "Cookie: sess=42");
  EXPECT_EQ(CookieLine(login[3]).substr(0, 16), "Cookie: cookie0=");
}

TEST_F(SiteTest, LoginStaysOffOtherHostsWhoseOwnCookiesStillGoThere) {
  // One server under two names: 127.0.0.1, the album's site, and localhost, another.
  const std::wstring other = L"http://localhost:" + std::to_wstring(Site.Port());
  Site.Route("/to-other", SiteReply::Redirect(302, WideToUtf8(other) + "/landing"));
  Site.Route("/pic/set", SiteReply::Ok("p").Header("Set-Cookie", "pic=1; Path=/"));
  Site.Album("a", 1, 1, 100);
  Http.SetLoginCookies(LoginCookiesFor(L"sid=1; u=a", Url("/album/a")));
  Http.Get(Url("/album/a"));
  Http.Get(other + L"/pic/x.jpg");
  Http.Get(Url("/to-other"));
  Http.Get(other + L"/pic/set");
  Http.Get(other + L"/pic/y.jpg");
  Http.Get(Url("/album/a/photo/1"));
  const auto requests = Requests();
  ASSERT_EQ(requests.size(), 7u);
  const char* expected[] = {
      "Cookie: sid=1; u=a",  // the album
      "<none>",              // a picture host of another name
      "Cookie: sid=1; u=a",  // a redirect on the site ...
      "<none>",              // ... to another
      "<none>",
      "Cookie: pic=1",  // the other host's own cookie, after User-Agent as always
      "Cookie: sid=1; u=a",
  };
  for (size_t i = 0; i < requests.size(); ++i) EXPECT_EQ(CookieLine(requests[i].raw), expected[i]) << requests[i].raw;
  EXPECT_NE(requests[5].raw.find("User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\nCookie: pic=1\r\n"),
            std::string::npos);
}
