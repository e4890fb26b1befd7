// Writes two browser profiles of N cookies each into DIR for scripts/bench:
// DIR\firefox (a Firefox profile) and DIR\chromium\User Data\Default (a
// Chromium profile with its key). One cookie of each, sid=bench, is for
// 127.0.0.1; the others belong to other sites.
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "browsers/tests/browser_profiles_fixture.h"

using namespace talvik::browserstest;

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fputs("usage: cookie_profiles DIR N\n", stderr);
    return 2;
  }
  const std::wstring dir = argv[1];
  const int n = std::wcstol(argv[2], nullptr, 10);
  std::vector<TCookieRow> rows;
  for (int i = 1; i < n; ++i)
    rows.push_back({".site" + std::to_string(i) + ".example", "id", "value-" + std::to_string(i), "/", Now() + 86400});
  rows.push_back({"127.0.0.1", "sid", "bench"});
  const std::string key = "0123456789abcdef0123456789ABCDEF";
  WriteFirefoxCookies(dir + L"\\firefox", rows);
  WriteLocalState(dir + L"\\chromium\\User Data", key);
  WriteChromiumCookies(dir + L"\\chromium\\User Data\\Default", key, 24, rows);
  return 0;
}
