#include "browsers/default_browser.h"

#include <windows.h>
#include <shlwapi.h>

#include "framework/sysutils.h"

namespace talvik::browsers {

namespace {

const wchar_t kUserChoice[] =
    L"Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\https\\UserChoice";

bool StartsWithNoCase(const std::wstring& text, const wchar_t* prefix) {
  const size_t n = wcslen(prefix);
  return text.size() >= n && AnsiSameText(text.substr(0, n), prefix);
}

std::wstring UserChoiceProgId() {
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserChoice, 0, KEY_READ, &key) != ERROR_SUCCESS) return L"";
  wchar_t value[256];
  DWORD type = 0, size = sizeof value - sizeof(wchar_t);
  std::wstring progId;
  if (RegQueryValueExW(key, L"ProgId", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
      type == REG_SZ) {
    progId.assign(value, size / sizeof(wchar_t));
    while (!progId.empty() && progId.back() == L'\0') progId.pop_back();
  }
  RegCloseKey(key);
  return progId;
}

std::wstring HttpsProgram() {
  wchar_t path[MAX_PATH * 2];
  DWORD size = static_cast<DWORD>(std::size(path));
  constexpr ASSOCF kIsProtocol = static_cast<ASSOCF>(0x1000);  // ASSOCF_IS_PROTOCOL, hidden by the headers' IE level
  return AssocQueryStringW(kIsProtocol, ASSOCSTR_EXECUTABLE, L"https", nullptr, path, &size) == S_OK
             ? std::wstring(path)
             : std::wstring();
}

}  // namespace

const TBrowserKind* BrowserOfProgId(const std::wstring& AProgId) {
  static const std::pair<const wchar_t*, const wchar_t*> prefixes[] = {
      {L"FirefoxURL", L"firefox"}, {L"FirefoxHTML", L"firefox"}, {L"MSEdgeHTM", L"edge"},
      {L"ChromeHTML", L"chrome"},  {L"ChromiumHTM", L"chromium"}, {L"BraveHTML", L"brave"},
      {L"VivaldiHTM", L"vivaldi"}, {L"OperaStable", L"opera"},
  };
  for (const auto& [prefix, name] : prefixes)
    if (StartsWithNoCase(AProgId, prefix)) return FindBrowser(name);
  return nullptr;
}

const TBrowserKind* BrowserOfProgram(const std::wstring& APath) {
  const std::wstring file = APath.substr(APath.find_last_of(L"\\/") + 1);
  static const std::pair<const wchar_t*, const wchar_t*> programs[] = {
      {L"firefox.exe", L"firefox"}, {L"msedge.exe", L"edge"}, {L"chrome.exe", L"chrome"},
      {L"brave.exe", L"brave"},     {L"vivaldi.exe", L"vivaldi"}, {L"opera.exe", L"opera"},
  };
  for (const auto& [program, name] : programs)
    if (AnsiSameText(file, program)) {
      // Chromium's program file is chrome.exe too, in its own folder.
      if (AnsiSameText(file, L"chrome.exe") && APath.find(L"\\Chromium\\") != std::wstring::npos)
        return FindBrowser(L"chromium");
      return FindBrowser(name);
    }
  // Opera starts through launcher.exe in its own folder.
  if (AnsiSameText(file, L"launcher.exe") && APath.find(L"Opera") != std::wstring::npos) return FindBrowser(L"opera");
  return nullptr;
}

const TBrowserKind* DefaultBrowser(std::wstring* AHow) {
  const std::wstring progId = UserChoiceProgId();
  if (!progId.empty()) {
    if (AHow) *AHow = L"the https links of this user open with " + progId;
    return BrowserOfProgId(progId);
  }
  const std::wstring program = HttpsProgram();
  if (AHow) *AHow = program.empty() ? L"nothing opens https links" : L"https links open with " + program;
  return program.empty() ? nullptr : BrowserOfProgram(program);
}

}  // namespace talvik::browsers
