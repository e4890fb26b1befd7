// A login handed over as a Cookie line reaches its own site only.
#include <gtest/gtest.h>

#include <cstring>

#include "net/login_cookies.h"
#include "net/registrable_domain.h"

using namespace talvik::net;

namespace {

const int64_t kNow = 1800000000;

TCookieStore::Origin To(const std::string& host, bool https = false, const std::string& path = "/") {
  TCookieStore::Origin o;
  o.Host = host;
  o.Secure = https;
  o.Port = https ? 443 : 80;
  o.Path = path;
  return o;
}

}  // namespace

TEST(RegistrableDomain, SiteOfAHost) {
  struct Case {
    const char* host;
    const char* site;
  } cases[] = {
      {"www.talvik.com", "talvik.com"},
      {"img.photos.Talvik.COM", "talvik.com"},
      {"talvik.com", "talvik.com"},
      {"talvik.com.", "talvik.com"},
      {"www.talvik.com.cn", "talvik.com.cn"},
      {"bbc.co.uk", "bbc.co.uk"},
      {"a.b.ne.jp", "b.ne.jp"},
      {"www.talvik.cn", "talvik.cn"},
      {"news.co", "news.co"},  // "co" alone is a top level, not a country's second level
      {"localhost", "localhost"},
      {"a.localhost", "a.localhost"},
      // Nothing beyond the host itself.
      {"co.uk", ""},
      {"com.cn", ""},
      {"intranet", ""},
      {"127.0.0.1", ""},
      {"::1", ""},
      {"[::1]", ""},
      {"", ""},
      {"a..b.com", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(RegistrableDomain(c.host), c.site) << c.host;
}

TEST(LoginCookies, GoToTheirOwnSiteOnly) {
  struct Case {
    const char* login;  // where the login was given for
    TCookieStore::Origin to;
    const char* line;
  } cases[] = {
      {"http://www.talvik.com/album/1", To("www.talvik.com"), "sid=1; u=a"},
      {"http://www.talvik.com/album/1", To("img.talvik.com"), "sid=1; u=a"},
      {"http://www.talvik.com/album/1", To("talvik.com"), "sid=1; u=a"},
      {"http://www.talvik.com/album/1", To("WWW.TALVIK.COM", true), "sid=1; u=a"},
      {"http://www.talvik.com/album/1", To("pics.cdn.example"), ""},
      {"http://www.talvik.com/album/1", To("badtalvik.com"), ""},
      {"http://www.talvik.com/album/1", To("talvik.com.evil.example"), ""},
      // From https: never over plain http, also on its own site.
      {"https://www.talvik.com/album/1", To("www.talvik.com", true), "sid=1; u=a"},
      {"https://www.talvik.com/album/1", To("www.talvik.com"), ""},
      {"https://www.talvik.com/album/1", To("img.talvik.com"), ""},
      // Country second levels: the sites beside it under com.cn are others.
      {"http://www.talvik.com.cn/a", To("img.talvik.com.cn"), "sid=1; u=a"},
      {"http://www.talvik.com.cn/a", To("www.other.com.cn"), ""},
      // An address is its own site only; localhost and 127.0.0.1 are two hosts.
      {"http://127.0.0.1:8080/a", To("127.0.0.1"), "sid=1; u=a"},
      {"http://127.0.0.1:8080/a", To("localhost"), ""},
      {"http://127.0.0.1:8080/a", To("x.127.0.0.1"), ""},
      {"http://localhost:8080/a", To("127.0.0.1"), ""},
      {"http://localhost:8080/a", To("a.localhost"), "sid=1; u=a"},
      {"http://com.cn/a", To("com.cn"), "sid=1; u=a"},
      {"http://com.cn/a", To("talvik.com.cn"), ""},
      // No host, no site.
      {"/album/1", To("www.talvik.com"), ""},
      {"http://h:99999/a", To("h"), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.login) + " to " + (c.to.Secure ? "https://" : "http://") + c.to.Host);
    EXPECT_EQ(LoginLineFor(LoginCookiesFor(L"sid=1; u=a", std::wstring(c.login, c.login + strlen(c.login))), c.to,
                           kNow),
              c.line);
  }
}

TEST(LoginCookies, TheLineKeepsWhatTheUserGave) {
  const auto line = [](const std::wstring& text) {
    return LoginLineFor(LoginCookiesFor(text, L"http://h.example/"), To("h.example"), kNow);
  };
  EXPECT_EQ(line(L"a=1;b=2 ;  c = x y ; "), "a=1; b=2; c=x y");
  EXPECT_EQ(line(L"a=; nameless"), "a=; nameless");
  EXPECT_EQ(line(L"user=\u5f20"), "user=?");
  EXPECT_EQ(line(L""), "");
  EXPECT_EQ(line(L" ; ;"), "");
}

TEST(LoginCookies, KeepTheirOwnAttributes) {
  // As a browser or a cookies.txt gives them.
  TCookie hostOnly{"h", "1", ".www.talvik.com", true, "/"};
  TCookie album{"p", "2", ".talvik.com", false, "/album"};
  TCookie secure{"s", "3", ".talvik.com", false, "/"};
  secure.Secure = true;
  TCookie old{"o", "4", ".talvik.com", false, "/"};
  old.HasExpiry = true;
  old.Expires = kNow;
  const std::vector<TCookie> login = {hostOnly, album, secure, old};
  struct Case {
    TCookieStore::Origin to;
    const char* line;
  } cases[] = {
      {To("www.talvik.com", false, "/album/7"), "p=2; h=1"},
      {To("www.talvik.com", true, "/photo/1.jpg"), "h=1; s=3"},
      {To("img.talvik.com", true, "/album/7"), "p=2; s=3"},
      {To("img.talvik.com", false, "/x"), ""},
  };
  for (const auto& c : cases) EXPECT_EQ(LoginLineFor(login, c.to, kNow), c.line) << c.to.Host << c.to.Path;
  EXPECT_EQ(LoginLineFor(login, To("www.talvik.com"), kNow - 1), "h=1; o=4");
}
