#include "framework/sysutils.h"

#include <windows.h>

namespace talvik {

Exception::Exception(std::wstring message) : FMessage(std::move(message)), FUtf8(WideToUtf8(FMessage)) {}

std::wstring Format(std::wstring_view pattern, std::initializer_list<std::wstring_view> args) {
  std::wstring out;
  auto next = args.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] == L's' && next != args.end()) {
      out += *next++;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

namespace {
int CompareLocale(DWORD flags, std::wstring_view a, std::wstring_view b) {
  return CompareStringW(LOCALE_USER_DEFAULT, flags, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) - CSTR_EQUAL;
}
}  // namespace

int AnsiCompareStr(std::wstring_view a, std::wstring_view b) { return CompareLocale(0, a, b); }
bool AnsiSameText(std::wstring_view a, std::wstring_view b) { return CompareLocale(NORM_IGNORECASE, a, b) == 0; }

std::wstring SysErrorMessage(unsigned long code) {
  wchar_t* buffer = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer ? buffer : L"", n);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
  return text;
}

std::wstring Trim(std::wstring_view s) {
  size_t b = 0, e = s.size();
  while (b < e && s[b] <= L' ') ++b;
  while (e > b && s[e - 1] <= L' ') --e;
  return std::wstring(s.substr(b, e - b));
}

std::wstring Utf8ToWide(std::string_view s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
  return out;
}

std::string WideToUtf8(std::wstring_view s) {
  if (s.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring AnsiUpperCase(std::wstring_view s) {
  std::wstring out(s);
  // Through kernel32, not user32's CharUpperBuffW: the console downloader uses this
  // and would otherwise load user32, which costs every start.
  if (!out.empty())
    LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, out.data(), static_cast<int>(out.size()), out.data(),
                 static_cast<int>(out.size()));
  return out;
}

unsigned Win32MajorVersion() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  return GetVersionExW(&info) ? info.dwMajorVersion : 0;
}

unsigned Win32MinorVersion() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  return GetVersionExW(&info) ? info.dwMinorVersion : 0;
}

}  // namespace talvik
