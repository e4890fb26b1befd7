#include "browsers/chromium_cookies.h"

#include <memory>

#include "browsers/browser_error.h"
#include "browsers/chromium_crypto.h"
#include "browsers/cookie_database.h"
#include "browsers/cookie_match.h"
#include "browsers/database_copy.h"
#include "browsers/sqlite_file.h"

namespace talvik::browsers {

namespace {

// From this version on, an encrypted value starts with the SHA-256 of its host key.
constexpr int kHostHashVersion = 24;
constexpr size_t kHostHash = 32;

int DatabaseVersion(TSqliteFile& db) {
  int version = 0;
  if (!db.HasTable("meta")) return version;
  db.ForEachRow("SELECT value FROM meta WHERE key='version'",
                [&](const TSqliteRow& row) { version = static_cast<int>(row.Int(0)); });
  return version;
}

class TValueDecrypter {
public:
  TValueDecrypter(std::wstring browser, std::wstring userData, std::wstring file)
      : FBrowser(std::move(browser)), FUserData(std::move(userData)), FFile(std::move(file)) {}

  std::string Decrypt(const std::string& encrypted, int version) {
    if (encrypted.compare(0, 3, "v20") == 0)
      throw EBrowserCookies(FBrowser + L": the cookies in " + FFile +
                            L" are sealed to the browser itself (app-bound encryption, Chrome 127 and later) and no "
                            L"other program can read them: export them to a cookies.txt and use --cookie-file, or "
                            L"log in with Firefox or Edge");
    std::string plain;
    if (encrypted.compare(0, 3, "v10") == 0) {
      std::optional<std::string> opened = Aes().Decrypt(std::string_view(encrypted).substr(3));
      if (!opened) throw Unreadable(L"a value does not match the key of " + LocalState());
      plain = std::move(*opened);
    } else {
      // Before version 80 the value itself was a DPAPI blob.
      try {
        plain = UnprotectForUser(encrypted);
      } catch (const ECookieCrypto& e) {
        throw Unreadable(L"a value is in an unknown format");
      }
    }
    if (version >= kHostHashVersion && plain.size() >= kHostHash) plain.erase(0, kHostHash);
    return plain;
  }

private:
  std::wstring LocalState() const { return FUserData + L"\\Local State"; }

  EBrowserCookies Unreadable(const std::wstring& why) const {
    return EBrowserCookies(FBrowser + L": the cookies in " + FFile + L" cannot be decrypted: " + why);
  }

  TAesGcm& Aes() {
    if (FAes) return *FAes;
    std::string text;
    try {
      text = ReadWholeFile(LocalState());
    } catch (const Exception&) {
      throw EBrowserCookies(FBrowser + L": the key file " + LocalState() + L" cannot be read");
    }
    try {
      FAes = std::make_unique<TAesGcm>(ChromiumKeyFromLocalState(text));
    } catch (const ECookieCrypto& e) {
      throw EBrowserCookies(FBrowser + L": the key in " + LocalState() + L" cannot be used: " + e.Message());
    }
    return *FAes;
  }

  std::wstring FBrowser, FUserData, FFile;
  std::unique_ptr<TAesGcm> FAes;
};

}  // namespace

int64_t ChromiumTimeToUnix(int64_t AMicroseconds) { return AMicroseconds / 1000000 - 11644473600LL; }

std::wstring ChromiumCookieFile(const std::wstring& AProfileFolder) {
  const std::wstring network = AProfileFolder + L"\\Network\\Cookies";
  return FileExists(network) || !FileExists(AProfileFolder + L"\\Cookies") ? network : AProfileFolder + L"\\Cookies";
}

std::vector<net::TCookie> ReadChromiumCookies(const std::wstring& ABrowser, const std::wstring& AUserData,
                                              const std::wstring& AProfileFolder, const std::string& AHost) {
  const std::wstring file = ChromiumCookieFile(AProfileFolder);
  if (!FileExists(file)) throw EBrowserCookies(ABrowser + L": the profile has no cookie database " + file);
  std::vector<net::TCookie> cookies;
  TValueDecrypter decrypter(ABrowser, AUserData, file);
  ReadCookieDatabase(ABrowser, file, [&](TSqliteFile& db) {
    const int version = DatabaseVersion(db);
    // Older versions name the column "secure".
    const std::string secure = db.HasColumn("cookies", "is_secure") ? "is_secure" : "secure";
    std::string sql = "SELECT host_key, name, value, encrypted_value, path, expires_utc, " + secure + " FROM cookies";
    if (!AHost.empty()) sql += " WHERE host_key IN " + SqlList(HostKeysFor(AHost));
    db.ForEachRow(sql, [&](const TSqliteRow& row) {
                    net::TCookie c;
                    c.Domain = row.Text(0);
                    if (!AHost.empty() && !DomainMatches(c, AHost)) return;  // another site's: not decrypted
                    c.Name = row.Text(1);
                    const std::string encrypted = row.Blob(3);
                    c.Value = encrypted.empty() ? row.Text(2) : decrypter.Decrypt(encrypted, version);
                    c.Path = row.Text(4);
                    const int64_t expires = row.Int(5);
                    c.HasExpiry = expires != 0;  // 0: a session cookie
                    c.Expires = c.HasExpiry ? ChromiumTimeToUnix(expires) : 0;
                    c.Secure = row.Int(6) != 0;
                    cookies.push_back(std::move(c));
                  });
  });
  return cookies;
}

}  // namespace talvik::browsers
