#include <gtest/gtest.h>

#include <algorithm>

#include "browsers/chromium_crypto.h"
#include "browsers/cookie_match.h"
#include "browsers/firefox_cookies.h"
#include "browsers/json_lookup.h"

using namespace talvik;
using namespace talvik::browsers;

namespace {

constexpr int64_t kNow = 1800000000;

net::TCookie Cookie(std::string domain, std::string path = "/", bool secure = false, int64_t expires = 0) {
  net::TCookie c;
  c.Name = "n";
  c.Value = "v";
  c.Domain = std::move(domain);
  c.Path = std::move(path);
  c.Secure = secure;
  c.HasExpiry = expires != 0;
  c.Expires = expires;
  return c;
}

TEST(CookieRules, ARequestCarriesTheCookiesOfItsHostPathAndScheme) {
  struct Case {
    net::TCookie cookie;
    const wchar_t* url;
    bool sent;
  } cases[] = {
      {Cookie(".talvik.com"), L"http://www.talvik.com/album/1", true},
      {Cookie(".talvik.com"), L"http://talvik.com/", true},
      {Cookie(".talvik.com"), L"http://WWW.Talvik.COM:8080/a", true},
      {Cookie(".talvik.com"), L"http://nottalvik.com/", false},
      {Cookie(".talvik.com"), L"http://talvik.com.evil.net/", false},
      {Cookie("www.talvik.com"), L"http://www.talvik.com/", true},      // host-only: that host
      {Cookie("talvik.com"), L"http://www.talvik.com/", false},         // host-only: not its subdomains
      {Cookie("."), L"http://com/", false},
      {Cookie(".talvik.com", "/album"), L"http://talvik.com/album", true},
      {Cookie(".talvik.com", "/album"), L"http://talvik.com/album/7?curpage=0", true},
      {Cookie(".talvik.com", "/album"), L"http://talvik.com/albums", false},
      {Cookie(".talvik.com", "/album/"), L"http://talvik.com/album/7", true},
      {Cookie(".talvik.com", "/album"), L"http://talvik.com/", false},
      {Cookie(".talvik.com", "/", true), L"http://talvik.com/", false},  // Secure only over https
      {Cookie(".talvik.com", "/", true), L"https://talvik.com/", true},
      {Cookie(".talvik.com", "/", false, kNow - 1), L"http://talvik.com/", false},
      {Cookie(".talvik.com", "/", false, kNow + 1), L"http://talvik.com/", true},
      {Cookie(".talvik.com"), L"http://user:pw@talvik.com/", true},
  };
  for (const Case& c : cases) {
    const auto sent = CookiesForAddress({c.cookie}, c.url, kNow);
    EXPECT_EQ(sent.size(), c.sent ? 1u : 0u) << c.cookie.Domain << c.cookie.Path << " for " << WideToUtf8(c.url);
  }
}

TEST(CookieRules, TheHostKeysOfAHostAreThoseThatMatchIt) {
  for (const char* host : {"www.talvik.com", "talvik.com", "127.0.0.1", "localhost"}) {
    const std::vector<std::string> keys = HostKeysFor(host);
    for (const char* key : {"www.talvik.com", ".www.talvik.com", ".talvik.com", "talvik.com", ".com", "127.0.0.1",
                            ".0.0.1", "localhost", ".localhost", "w.talvik.com"}) {
      const bool listed = std::find(keys.begin(), keys.end(), key) != keys.end();
      EXPECT_EQ(listed, DomainMatches(Cookie(key), host)) << key << " for " << host;
    }
  }
  EXPECT_EQ(SqlList({"a", "o'k"}), "('a', 'o''k')");
}

TEST(CookieRules, FirefoxExpiryInSecondsOrMilliseconds) {
  EXPECT_EQ(FirefoxExpirySeconds(1800000000), 1800000000);
  EXPECT_EQ(FirefoxExpirySeconds(1800000000123), 1800000000);
  EXPECT_EQ(FirefoxExpirySeconds(0), 0);
}

TEST(LocalStateJson, FindsTheStringOnItsPathAndNothingInBrokenText) {
  const std::string text =
      "\xEF\xBB\xBF{\"a\":[1,{\"os_crypt\":\"no\"}],\"os_crypt\":{\"x\":null,\"encrypted_key\":\"RFBB\\u0050I\\/+\"},"
      "\"profile\":{\"last_used\":\"Profile \\u00e9\\ud83d\\ude00\"}}";
  EXPECT_EQ(JsonStringAt(text, {"os_crypt", "encrypted_key"}).value_or("?"), "RFBBPI/+");
  EXPECT_EQ(JsonStringAt(text, {"profile", "last_used"}).value_or("?"), "Profile \xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_FALSE(JsonStringAt(text, {"profile", "missing"}));
  EXPECT_FALSE(JsonStringAt(text, {"a"}));  // not a string
  for (const char* broken : {"", "{", "{\"os_crypt\":{\"encrypted_key\":\"abc", "[\"os_crypt\"]",
                             "{\"os_crypt\":{\"encrypted_key\":\"\\uZZZZ\"}}", "{\"a\":tru\"e}"})
    EXPECT_FALSE(JsonStringAt(broken, {"os_crypt", "encrypted_key"})) << broken;
  std::string deep = "{\"x\":" + std::string(100000, '[') + "}";
  EXPECT_FALSE(JsonStringAt(deep, {"os_crypt", "encrypted_key"}));
}

TEST(LocalStateJson, Base64) {
  EXPECT_EQ(Base64Decode("RFBBUEk=").value_or("?"), "DPAPI");
  EXPECT_EQ(Base64Decode("AAEC\r\n/w==").value_or("?"), std::string("\0\1\2\xFF", 4));
  EXPECT_FALSE(Base64Decode("RFB*QUk="));
  EXPECT_FALSE(Base64Decode("RF==BB"));
}

}  // namespace
