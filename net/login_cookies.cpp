#include "net/login_cookies.h"

#include <algorithm>

#include "net/cookie_text.h"
#include "net/idhttp.h"
#include "net/registrable_domain.h"
#include "net/url.h"

namespace talvik::net {

std::vector<TCookie> LoginCookiesFor(const std::wstring& ACookieText, const std::wstring& AAddress) {
  TUrl url;
  try {
    url = ParseUrl(AAddress);
  } catch (const EIdException&) {
    return {};  // no request can go there either
  }
  const std::string host = LowerAscii(ToAscii7(url.Host));
  if (host.empty()) return {};
  const std::string site = RegistrableDomain(host);
  std::vector<TCookie> cookies;
  const std::string text = ToAscii7(ACookieText);
  for (size_t start = 0; start <= text.size();) {
    size_t end = std::min(text.find(';', start), text.size());
    std::string pair = TrimCookieBlanks(text.substr(start, end - start));
    start = end + 1;
    if (pair.empty()) continue;
    TCookie c;
    // A browser shows a cookie without a name as its value alone.
    size_t eq = pair.find('=');
    if (eq != std::string::npos) {
      c.Name = TrimCookieBlanks(pair.substr(0, eq));
      c.Value = TrimCookieBlanks(pair.substr(eq + 1));
    } else {
      c.Value = pair;
    }
    c.Domain = "." + (site.empty() ? host : site);
    c.HostOnly = site.empty();
    c.Path = "/";
    c.Secure = url.Protocol == L"https";
    cookies.push_back(std::move(c));
  }
  return cookies;
}

std::string LoginLineFor(const std::vector<TCookie>& ACookies, const TCookieStore::Origin& ARequest, int64_t ANow) {
  std::vector<const TCookie*> chosen;
  for (const auto& c : ACookies)
    if (CookieApplies(c, ARequest, ANow)) chosen.push_back(&c);
  std::stable_sort(chosen.begin(), chosen.end(),
                   [](const TCookie* a, const TCookie* b) { return a->Path.size() > b->Path.size(); });
  std::string line;
  for (const TCookie* c : chosen) {
    if (!line.empty()) line += "; ";
    line += c->Name.empty() ? c->Value : c->Name + "=" + c->Value;
  }
  return line;
}

}  // namespace talvik::net
