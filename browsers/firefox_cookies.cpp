#include "browsers/firefox_cookies.h"

#include "browsers/browser_error.h"
#include "browsers/cookie_database.h"
#include "browsers/cookie_match.h"
#include "browsers/database_copy.h"
#include "browsers/sqlite_file.h"

namespace talvik::browsers {

int64_t FirefoxExpirySeconds(int64_t AExpiry) {
  constexpr int64_t kLargestSeconds = 100000000000;  // the year 5138
  return AExpiry > kLargestSeconds ? AExpiry / 1000 : AExpiry;
}

std::vector<net::TCookie> ReadFirefoxCookies(const std::wstring& ABrowser, const std::wstring& AProfileFolder,
                                             const std::string& AHost) {
  const std::wstring file = AProfileFolder + L"\\cookies.sqlite";
  if (!FileExists(file)) throw EBrowserCookies(ABrowser + L": the profile has no cookie database " + file);
  std::vector<net::TCookie> cookies;
  ReadCookieDatabase(ABrowser, file, [&](TSqliteFile& db) {
    std::string sql = "SELECT host, name, value, path, expiry, isSecure FROM moz_cookies";
    if (!AHost.empty()) sql += " WHERE host IN " + SqlList(HostKeysFor(AHost));
    db.ForEachRow(sql, [&](const TSqliteRow& row) {
      net::TCookie c;
      c.Domain = row.Text(0);
      if (!AHost.empty() && !DomainMatches(c, AHost)) return;
      c.Name = row.Text(1);
      c.Value = row.Text(2);
      c.Path = row.Text(3);
      c.Secure = row.Int(5) != 0;
      c.HasExpiry = true;
      c.Expires = FirefoxExpirySeconds(row.Int(4));
      cookies.push_back(std::move(c));
    });
  });
  return cookies;
}

}  // namespace talvik::browsers
