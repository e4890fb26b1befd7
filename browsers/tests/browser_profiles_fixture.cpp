#include "browsers/tests/browser_profiles_fixture.h"

#include <windows.h>
#include <bcrypt.h>
#include <wincrypt.h>
#include <sqlite3.h>

#include <algorithm>
#include <ctime>
#include <stdexcept>

#include "browsers/browser_error.h"
#include "framework/sysutils.h"
#include "tests/support/folders.h"

namespace talvik::browserstest {

namespace {

const wchar_t kUserChoice[] =
    L"Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\https\\UserChoice";

void Check(bool ok, const std::string& what) {
  if (!ok) throw std::runtime_error(what);
}

int64_t ToChromiumTime(int64_t seconds) { return (seconds + 11644473600LL) * 1000000; }

std::string Base64(const std::string& bytes) {
  static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const unsigned v = (static_cast<unsigned char>(bytes[i]) << 16) | (static_cast<unsigned char>(bytes[i + 1]) << 8) |
                       static_cast<unsigned char>(bytes[i + 2]);
    for (int s = 18; s >= 0; s -= 6) out += digits[(v >> s) & 63];
  }
  if (i < bytes.size()) {
    unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    out += digits[(v >> 18) & 63];
    out += digits[(v >> 12) & 63];
    out += i + 1 < bytes.size() ? digits[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

std::string Quote(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("''") : std::string(1, c);
  return out + "'";
}

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out = "X'";
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out + "'";
}

// A database written anew replaces the old one.
void Fresh(const std::wstring& database) {
  for (const wchar_t* suffix : {L"", L"-wal", L"-shm", L"-journal"}) DeleteFileW((database + suffix).c_str());
}

}  // namespace

std::wstring Environment(const wchar_t* AName) {
  wchar_t value[MAX_PATH];
  const DWORD n = GetEnvironmentVariableW(AName, value, MAX_PATH);
  return std::wstring(value, n < MAX_PATH ? n : 0);
}

std::wstring FirefoxRoot() { return Environment(L"APPDATA") + L"\\Mozilla\\Firefox"; }

std::wstring ChromiumRoot(const std::wstring& AName) {
  if (AName == L"opera") return Environment(L"APPDATA") + L"\\Opera Software\\Opera Stable";
  const std::wstring local = Environment(L"LOCALAPPDATA");
  if (AName == L"edge") return local + L"\\Microsoft\\Edge\\User Data";
  if (AName == L"chrome") return local + L"\\Google\\Chrome\\User Data";
  if (AName == L"brave") return local + L"\\BraveSoftware\\Brave-Browser\\User Data";
  if (AName == L"vivaldi") return local + L"\\Vivaldi\\User Data";
  return local + L"\\Chromium\\User Data";
}

void MakeFolders(const std::wstring& APath) {
  for (size_t at = APath.find(L'\\', 3); at != std::wstring::npos; at = APath.find(L'\\', at + 1))
    CreateDirectoryW(APath.substr(0, at).c_str(), nullptr);
  CreateDirectoryW(APath.c_str(), nullptr);
}

void WriteBytes(const std::wstring& APath, const std::string& ABytes) {
  MakeFolders(APath.substr(0, APath.find_last_of(L'\\')));
  HANDLE h = CreateFileW(APath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  Check(h != INVALID_HANDLE_VALUE, "cannot create " + WideToUtf8(APath));
  DWORD written = 0;
  WriteFile(h, ABytes.data(), static_cast<DWORD>(ABytes.size()), &written, nullptr);
  CloseHandle(h);
}

void RunSql(const std::wstring& ADatabase, const std::string& ASql) {
  MakeFolders(ADatabase.substr(0, ADatabase.find_last_of(L'\\')));
  sqlite3* db = nullptr;
  Check(sqlite3_open(WideToUtf8(ADatabase).c_str(), &db) == SQLITE_OK, "cannot open " + WideToUtf8(ADatabase));
  char* error = nullptr;
  const int code = sqlite3_exec(db, ASql.c_str(), nullptr, nullptr, &error);
  const std::string message = error ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  Check(code == SQLITE_OK, "SQL failed: " + message);
}

int64_t Now() { return static_cast<int64_t>(std::time(nullptr)); }

std::string Sha256(const std::string& ABytes) {
  BCRYPT_ALG_HANDLE alg = nullptr;
  BCRYPT_HASH_HANDLE hash = nullptr;
  std::string digest(32, '\0');
  Check(BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&alg, BCRYPT_SHA256_ALGORITHM, nullptr, 0)), "no SHA-256");
  BCryptCreateHash(alg, &hash, nullptr, 0, nullptr, 0, 0);
  BCryptHashData(hash, reinterpret_cast<PUCHAR>(const_cast<char*>(ABytes.data())), static_cast<ULONG>(ABytes.size()), 0);
  const NTSTATUS status = BCryptFinishHash(hash, reinterpret_cast<PUCHAR>(digest.data()), 32, 0);
  BCryptDestroyHash(hash);
  BCryptCloseAlgorithmProvider(alg, 0);
  Check(BCRYPT_SUCCESS(status), "SHA-256 failed");
  return digest;
}

std::string ProtectForUser(const std::string& ABytes) {
  DATA_BLOB in{static_cast<DWORD>(ABytes.size()), reinterpret_cast<BYTE*>(const_cast<char*>(ABytes.data()))};
  DATA_BLOB out{};
  Check(CryptProtectData(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out),
        "CryptProtectData failed");
  std::string blob(reinterpret_cast<const char*>(out.pbData), out.cbData);
  LocalFree(out.pbData);
  return blob;
}

std::string AesGcmSeal(const std::string& AKey, const std::string& APlain) {
  BCRYPT_ALG_HANDLE alg = nullptr;
  BCRYPT_KEY_HANDLE key = nullptr;
  Check(BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&alg, BCRYPT_AES_ALGORITHM, nullptr, 0)), "no AES");
  BCryptSetProperty(alg, BCRYPT_CHAINING_MODE, reinterpret_cast<PUCHAR>(const_cast<wchar_t*>(BCRYPT_CHAIN_MODE_GCM)),
                    sizeof(BCRYPT_CHAIN_MODE_GCM), 0);
  Check(BCRYPT_SUCCESS(BCryptGenerateSymmetricKey(alg, &key, nullptr, 0,
                                                  reinterpret_cast<PUCHAR>(const_cast<char*>(AKey.data())),
                                                  static_cast<ULONG>(AKey.size()), 0)),
        "no AES key");
  std::string nonce(12, '\0'), tag(16, '\0'), cipher(APlain.size(), '\0');
  BCryptGenRandom(nullptr, reinterpret_cast<PUCHAR>(nonce.data()), 12, BCRYPT_USE_SYSTEM_PREFERRED_RNG);
  BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info;
  BCRYPT_INIT_AUTH_MODE_INFO(info);
  info.pbNonce = reinterpret_cast<PUCHAR>(nonce.data());
  info.cbNonce = 12;
  info.pbTag = reinterpret_cast<PUCHAR>(tag.data());
  info.cbTag = 16;
  ULONG written = 0;
  const NTSTATUS status = BCryptEncrypt(key, reinterpret_cast<PUCHAR>(const_cast<char*>(APlain.data())),
                                        static_cast<ULONG>(APlain.size()), &info, nullptr, 0,
                                        reinterpret_cast<PUCHAR>(cipher.data()), static_cast<ULONG>(cipher.size()),
                                        &written, 0);
  BCryptDestroyKey(key);
  BCryptCloseAlgorithmProvider(alg, 0);
  Check(BCRYPT_SUCCESS(status), "AES-GCM failed");
  return nonce + cipher + tag;
}

void WriteFirefoxCookies(const std::wstring& AProfileFolder, const std::vector<TCookieRow>& ARows,
                         bool AMilliseconds) {
  std::string sql =
      "PRAGMA journal_mode=WAL;"
      "CREATE TABLE moz_cookies (id INTEGER PRIMARY KEY, originAttributes TEXT NOT NULL DEFAULT '', name TEXT, "
      "value TEXT, host TEXT, path TEXT, expiry INTEGER, lastAccessed INTEGER, creationTime INTEGER, "
      "isSecure INTEGER, isHttpOnly INTEGER, inBrowserElement INTEGER DEFAULT 0, sameSite INTEGER DEFAULT 0, "
      "rawSameSite INTEGER DEFAULT 0, schemeMap INTEGER DEFAULT 0, isPartitionedAttributeSet INTEGER DEFAULT 0, "
      "CONSTRAINT moz_uniqueid UNIQUE (name, host, path, originAttributes));BEGIN;";
  const int64_t now = Now() * 1000000;
  for (const TCookieRow& r : ARows) {
    // Firefox keeps session cookies on disk only for session restore, with an expiry far ahead.
    const int64_t expiry = r.Expires ? r.Expires : Now() + 86400;
    sql += "INSERT INTO moz_cookies (name, value, host, path, expiry, lastAccessed, creationTime, isSecure, "
           "isHttpOnly) VALUES (" + Quote(r.Name) + "," + Quote(r.Value) + "," + Quote(r.Host) + "," +
           Quote(r.Path) + "," + std::to_string(AMilliseconds ? expiry * 1000 : expiry) + "," + std::to_string(now) +
           "," + std::to_string(now) + "," + (r.Secure ? "1" : "0") + ",1);";
  }
  Fresh(AProfileFolder + L"\\cookies.sqlite");
  RunSql(AProfileFolder + L"\\cookies.sqlite", sql + "COMMIT;");
}

void WriteChromiumCookies(const std::wstring& AProfileFolder, const std::string& AKey, int AVersion,
                          const std::vector<TCookieRow>& ARows, const std::string& APrefix) {
  std::string sql =
      "CREATE TABLE meta(key LONGVARCHAR NOT NULL UNIQUE PRIMARY KEY, value LONGVARCHAR);"
      "INSERT INTO meta VALUES('mmap_status','-1'),('version','" + std::to_string(AVersion) +
      "'),('last_compatible_version','" + std::to_string(AVersion) + "');"
      "CREATE TABLE cookies(creation_utc INTEGER NOT NULL, host_key TEXT NOT NULL, top_frame_site_key TEXT NOT NULL, "
      "name TEXT NOT NULL, value TEXT NOT NULL, encrypted_value BLOB NOT NULL, path TEXT NOT NULL, "
      "expires_utc INTEGER NOT NULL, is_secure INTEGER NOT NULL, is_httponly INTEGER NOT NULL, "
      "last_access_utc INTEGER NOT NULL, has_expires INTEGER NOT NULL, is_persistent INTEGER NOT NULL, "
      "priority INTEGER NOT NULL, samesite INTEGER NOT NULL, source_scheme INTEGER NOT NULL, "
      "source_port INTEGER NOT NULL, last_update_utc INTEGER NOT NULL, source_type INTEGER NOT NULL, "
      "has_cross_site_ancestor INTEGER NOT NULL);BEGIN;";
  const int64_t now = ToChromiumTime(Now());
  int64_t created = now;
  for (const TCookieRow& r : ARows) {
    const std::string plain = AVersion >= 24 ? Sha256(r.Host) + r.Value : r.Value;
    const std::string sealed = APrefix + AesGcmSeal(AKey, plain);
    const int64_t expires = r.Expires ? ToChromiumTime(r.Expires) : 0;
    sql += "INSERT INTO cookies VALUES(" + std::to_string(++created) + "," + Quote(r.Host) + ",''," + Quote(r.Name) +
           ",''," + Hex(sealed) + "," + Quote(r.Path) + "," + std::to_string(expires) + "," + (r.Secure ? "1" : "0") +
           ",1," + std::to_string(now) + "," + (r.Expires ? "1,1" : "0,0") + ",1,0,2,443," + std::to_string(now) +
           ",0,0);";
  }
  Fresh(AProfileFolder + L"\\Network\\Cookies");
  RunSql(AProfileFolder + L"\\Network\\Cookies", sql + "COMMIT;");
}

void WriteLocalState(const std::wstring& AUserData, const std::string& AKey, const std::string& ALastUsed) {
  std::string json = "{\"browser\":{\"enabled_labs_experiments\":[],\"last_redirect_origin\":\"\"},"
                     "\"os_crypt\":{\"audit_enabled\":true,\"encrypted_key\":\"" +
                     Base64("DPAPI" + ProtectForUser(AKey)) + "\"}";
  if (!ALastUsed.empty())
    json += ",\"profile\":{\"info_cache\":{\"" + ALastUsed + "\":{\"name\":\"Person 1\"}},\"last_used\":\"" +
            ALastUsed + "\"}";
  WriteBytes(AUserData + L"\\Local State", json + "}");
}

std::string CookieList(const std::vector<net::TCookie>& ACookies) {
  std::vector<std::string> pairs;
  for (const auto& c : ACookies) pairs.push_back(c.Name + "=" + c.Value);
  std::sort(pairs.begin(), pairs.end());
  std::string joined;
  for (const auto& p : pairs) joined += (joined.empty() ? "" : " ") + p;
  return joined;
}

std::wstring BrowserError(const std::function<void()>& AAction) {
  try {
    AAction();
  } catch (const browsers::EBrowserCookies& e) {
    return e.Message();
  }
  return L"(no error)";
}

TCleanBrowsers::TCleanBrowsers() { Clean(); }
TCleanBrowsers::~TCleanBrowsers() { Clean(); }

void TCleanBrowsers::Clean() {
  testsupport::RemoveFolder(Environment(L"APPDATA") + L"\\Mozilla");
  testsupport::RemoveFolder(Environment(L"APPDATA") + L"\\Opera Software");
  for (const wchar_t* local : {L"\\Microsoft\\Edge", L"\\Google", L"\\BraveSoftware", L"\\Vivaldi", L"\\Chromium"})
    testsupport::RemoveFolder(Environment(L"LOCALAPPDATA") + local);
  SetHttpsProgId(L"");
}

void SetHttpsProgId(const std::wstring& AProgId) {
  if (AProgId.empty()) {
    RegDeleteKeyW(HKEY_CURRENT_USER, kUserChoice);
    return;
  }
  HKEY key;
  Check(RegCreateKeyExW(HKEY_CURRENT_USER, kUserChoice, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) ==
            ERROR_SUCCESS,
        "cannot write the https association");
  RegSetValueExW(key, L"ProgId", 0, REG_SZ, reinterpret_cast<const BYTE*>(AProgId.c_str()),
                 static_cast<DWORD>((AProgId.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

}  // namespace talvik::browserstest
