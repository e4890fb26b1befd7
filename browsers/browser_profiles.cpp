#include "browsers/browser_profiles.h"

#include <windows.h>

#include <map>

#include "browsers/browser_error.h"
#include "browsers/chromium_cookies.h"
#include "browsers/database_copy.h"
#include "browsers/json_lookup.h"

namespace talvik::browsers {

namespace {

std::wstring Environment(const wchar_t* name) {
  wchar_t value[MAX_PATH + 1];
  const DWORD n = GetEnvironmentVariableW(name, value, MAX_PATH + 1);
  return n > 0 && n <= MAX_PATH ? std::wstring(value, n) : std::wstring();
}

bool IsAbsolute(const std::wstring& path) {
  return (path.size() > 1 && path[1] == L':') || (path.size() > 1 && path[0] == L'\\' && path[1] == L'\\');
}

std::wstring Backslashes(std::wstring path) {
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}

// Sections of an INI file, each a map of its keys (names as written).
using TIni = std::vector<std::pair<std::wstring, std::map<std::wstring, std::wstring>>>;

TIni ParseIni(const std::wstring& text) {
  TIni ini;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t eol = text.find(L'\n', pos);
    std::wstring line = Trim(text.substr(pos, eol == std::wstring::npos ? std::wstring::npos : eol - pos));
    pos = eol == std::wstring::npos ? text.size() : eol + 1;
    if (line.empty() || line[0] == L';' || line[0] == L'#') continue;
    if (line[0] == L'[' && line.back() == L']') {
      ini.push_back({line.substr(1, line.size() - 2), {}});
    } else if (size_t eq = line.find(L'='); eq != std::wstring::npos && !ini.empty()) {
      ini.back().second[Trim(line.substr(0, eq))] = Trim(line.substr(eq + 1));
    }
  }
  return ini;
}

std::wstring Get(const std::map<std::wstring, std::wstring>& keys, const wchar_t* name) {
  auto it = keys.find(name);
  return it == keys.end() ? std::wstring() : it->second;
}

std::wstring FirefoxFolder(const std::wstring& root, const std::wstring& written, bool relative) {
  const std::wstring path = Backslashes(written);
  if (path.empty()) return path;
  return !relative || IsAbsolute(path) ? path : root + L"\\" + path;
}

std::wstring FirefoxFolderOf(const std::wstring& root, const std::map<std::wstring, std::wstring>& section) {
  return FirefoxFolder(root, Get(section, L"Path"), Get(section, L"IsRelative") != L"0");
}

TBrowserProfile FirefoxProfile(const TBrowserKind& kind, const std::wstring& root, const std::wstring& wanted) {
  const std::wstring iniFile = root + L"\\profiles.ini";
  auto missing = [&](const std::wstring& what) { return EBrowserCookies(std::wstring(kind.Title) + L": " + what); };
  if (!FolderExists(root) && !IsAbsolute(wanted))
    throw missing(L"not installed for this user (no folder " + root + L")");
  // A folder given as the profile needs no profiles.ini.
  if (IsAbsolute(wanted)) return {root, Backslashes(wanted)};
  if (!wanted.empty()) {
    for (const std::wstring& folder : {Backslashes(wanted), root + L"\\" + Backslashes(wanted),
                                       root + L"\\Profiles\\" + Backslashes(wanted)})
      if ((IsAbsolute(folder) || folder != Backslashes(wanted)) && FileExists(folder + L"\\cookies.sqlite"))
        return {root, folder};
  }
  if (!FileExists(iniFile)) throw missing(L"no profile list " + iniFile);
  TIni ini;
  try {
    ini = ParseIni(Utf8ToWide(ReadWholeFile(iniFile)));
  } catch (const Exception& e) {
    throw missing(L"the profile list " + iniFile + L" cannot be read: " + e.Message());
  }
  std::wstring folder;
  if (!wanted.empty()) {
    for (const auto& [name, keys] : ini)
      if (name.rfind(L"Profile", 0) == 0 && AnsiSameText(Get(keys, L"Name"), wanted)) folder = FirefoxFolderOf(root, keys);
    if (folder.empty()) throw missing(L"no profile \"" + wanted + L"\" in " + iniFile);
    return {root, folder};
  }
  // The install's own default comes first: the "Default=1" profile is the old
  // choice that newer versions no longer keep up to date.
  for (const auto& [name, keys] : ini)
    if (folder.empty() && name.rfind(L"Install", 0) == 0 && !Get(keys, L"Default").empty())
      folder = FirefoxFolder(root, Get(keys, L"Default"), true);
  for (const auto& [name, keys] : ini)
    if (folder.empty() && name.rfind(L"Profile", 0) == 0 && Get(keys, L"Default") == L"1")
      folder = FirefoxFolderOf(root, keys);
  for (const auto& [name, keys] : ini)
    if (folder.empty() && name.rfind(L"Profile", 0) == 0) folder = FirefoxFolderOf(root, keys);
  if (folder.empty()) throw missing(L"no profile in " + iniFile);
  return {root, folder};
}

TBrowserProfile ChromiumProfile(const TBrowserKind& kind, const std::wstring& root, const std::wstring& wanted) {
  auto missing = [&](const std::wstring& what) { return EBrowserCookies(std::wstring(kind.Title) + L": " + what); };
  if (!FolderExists(root) && !IsAbsolute(wanted))
    throw missing(L"not installed for this user (no folder " + root + L")");
  if (!wanted.empty()) {
    const std::wstring folder = IsAbsolute(wanted) ? Backslashes(wanted) : root + L"\\" + Backslashes(wanted);
    if (!FolderExists(folder)) throw missing(L"no profile folder " + folder);
    if (!IsAbsolute(wanted)) return {root, folder};
    // A profile elsewhere (a copy, another user's data): its key sits beside it,
    // or in it for Opera's one-folder profile.
    if (FileExists(folder + L"\\Local State")) return {folder, folder};
    return {folder.substr(0, folder.find_last_of(L'\\')), folder};
  }
  std::wstring name;
  try {
    name = Utf8ToWide(JsonStringAt(ReadWholeFile(root + L"\\Local State"), {"profile", "last_used"}).value_or(""));
  } catch (const Exception&) {
    // No Local State: the default profile, and the missing key is reported when a value needs it.
  }
  if (!name.empty() && name.find_first_of(L"\\/:") == std::wstring::npos && name != L".." &&
      FolderExists(root + L"\\" + name))
    return {root, root + L"\\" + name};
  if (FolderExists(root + L"\\Default")) return {root, root + L"\\Default"};
  // Opera keeps its one profile in the data folder itself.
  if (FileExists(ChromiumCookieFile(root))) return {root, root};
  throw missing(L"no profile folder " + root + L"\\Default");
}

}  // namespace

const std::vector<TBrowserKind>& KnownBrowsers() {
  static const std::vector<TBrowserKind> kinds = {
      {L"firefox", L"Firefox", TBrowserFamily::Firefox},   {L"edge", L"Edge", TBrowserFamily::Chromium},
      {L"chrome", L"Chrome", TBrowserFamily::Chromium},    {L"brave", L"Brave", TBrowserFamily::Chromium},
      {L"vivaldi", L"Vivaldi", TBrowserFamily::Chromium},  {L"opera", L"Opera", TBrowserFamily::Chromium},
      {L"chromium", L"Chromium", TBrowserFamily::Chromium},
  };
  return kinds;
}

const TBrowserKind* FindBrowser(const std::wstring& AName) {
  for (const TBrowserKind& kind : KnownBrowsers())
    if (AnsiSameText(AName, kind.Name)) return &kind;
  return nullptr;
}

std::wstring BrowserDataFolder(const TBrowserKind& AKind) {
  const std::wstring name = AKind.Name;
  if (name == L"firefox") return Environment(L"APPDATA") + L"\\Mozilla\\Firefox";
  if (name == L"opera") return Environment(L"APPDATA") + L"\\Opera Software\\Opera Stable";
  const std::wstring local = Environment(L"LOCALAPPDATA");
  if (name == L"edge") return local + L"\\Microsoft\\Edge\\User Data";
  if (name == L"chrome") return local + L"\\Google\\Chrome\\User Data";
  if (name == L"brave") return local + L"\\BraveSoftware\\Brave-Browser\\User Data";
  if (name == L"vivaldi") return local + L"\\Vivaldi\\User Data";
  return local + L"\\Chromium\\User Data";
}

bool IsInstalled(const TBrowserKind& AKind) { return FolderExists(BrowserDataFolder(AKind)); }

TBrowserProfile FindProfile(const TBrowserKind& AKind, const std::wstring& AProfile) {
  const std::wstring root = BrowserDataFolder(AKind);
  return AKind.Family == TBrowserFamily::Firefox ? FirefoxProfile(AKind, root, AProfile)
                                                 : ChromiumProfile(AKind, root, AProfile);
}

}  // namespace talvik::browsers
