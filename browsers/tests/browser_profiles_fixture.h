// Browser profiles as the browsers write them, made where they keep them for
// the Windows user (%APPDATA%, %LOCALAPPDATA%), and removed again.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "net/cookie_store.h"

namespace talvik::browserstest {

std::wstring Environment(const wchar_t* AName);
std::wstring FirefoxRoot();                           // %APPDATA%\Mozilla\Firefox
std::wstring ChromiumRoot(const std::wstring& AName);  // "edge", "chrome", ... : its User Data folder

void MakeFolders(const std::wstring& APath);
void WriteBytes(const std::wstring& APath, const std::string& ABytes);
void RunSql(const std::wstring& ADatabase, const std::string& ASql);

int64_t Now();
std::string Sha256(const std::string& ABytes);
std::string ProtectForUser(const std::string& ABytes);                  // DPAPI, this Windows user
std::string AesGcmSeal(const std::string& AKey, const std::string& APlain);  // nonce + cipher + tag

struct TCookieRow {
  std::string Host, Name, Value, Path = "/";
  int64_t Expires = 0;  // seconds since 1970; 0: a session cookie
  bool Secure = false;
};

// cookies.sqlite with Firefox's moz_cookies table; AMilliseconds: expiry as
// version 135 and later write it.
void WriteFirefoxCookies(const std::wstring& AProfileFolder, const std::vector<TCookieRow>& ARows,
                         bool AMilliseconds = true);

// A Chromium profile's Network\Cookies (cookies and meta tables) of database
// version AVersion, values encrypted with AKey ("v10"; from version 24 with the
// host's hash in front). APrefix "v20" writes app-bound values instead.
void WriteChromiumCookies(const std::wstring& AProfileFolder, const std::string& AKey, int AVersion,
                          const std::vector<TCookieRow>& ARows, const std::string& APrefix = "v10");
// Local State with os_crypt.encrypted_key protected for this user (and profile.last_used when given).
void WriteLocalState(const std::wstring& AUserData, const std::string& AKey, const std::string& ALastUsed = {});

// "name=value" of each cookie, sorted, joined by spaces.
std::string CookieList(const std::vector<net::TCookie>& ACookies);
// The message of the EBrowserCookies that AAction raises, or "(no error)".
std::wstring BrowserError(const std::function<void()>& AAction);

// Removes every browser folder and the https association the tests make, on
// construction and destruction.
class TCleanBrowsers {
public:
  TCleanBrowsers();
  ~TCleanBrowsers();
  static void Clean();
};

// The shell's https association of this user (HKCU UserChoice ProgId); empty removes it.
void SetHttpsProgId(const std::wstring& AProgId);

}  // namespace talvik::browserstest
