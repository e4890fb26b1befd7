#include "app/console/login_cookies.h"

#include <ctime>

#include "browsers/cookie_match.h"
#include "framework/sysutils.h"

namespace talvik::app {

std::wstring LoginCookieLine(const std::vector<net::TCookie>& ACookies, const std::wstring& AUrl, int64_t ANow) {
  std::string line;
  for (const net::TCookie& c : browsers::CookiesForAddress(ACookies, AUrl, ANow))
    line += (line.empty() ? "" : "; ") + c.Name + "=" + c.Value;
  return Utf8ToWide(line);
}

void GiveLoginCookies(net::TIdHTTP& AHttp, const std::vector<net::TCookie>& ACookies, const std::wstring& AUrl) {
  AHttp.SetCustomHeader(L"Cookie", LoginCookieLine(ACookies, AUrl, std::time(nullptr)));
}

}  // namespace talvik::app
