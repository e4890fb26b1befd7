#include "net/login_cookies.h"

#include <algorithm>

#include "net/idhttp.h"
#include "net/registrable_domain.h"
#include "net/url.h"

namespace talvik::net {

namespace {

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

std::string Lower(std::string s) {
  for (auto& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

}  // namespace

std::vector<TCookie> LoginCookiesFor(const std::wstring& ACookieText, const std::wstring& AAddress) {
  TUrl url;
  try {
    url = ParseUrl(AAddress);
  } catch (const EIdException&) {
    return {};  // no request can go there either
  }
  const std::string host = Lower(ToAscii7(url.Host));
  if (host.empty()) return {};
  const std::string site = RegistrableDomain(host);
  std::vector<TCookie> cookies;
  const std::string text = ToAscii7(ACookieText);
  for (size_t start = 0; start <= text.size();) {
    size_t end = std::min(text.find(';', start), text.size());
    std::string pair = Trim(text.substr(start, end - start));
    start = end + 1;
    if (pair.empty()) continue;
    TCookie c;
    // A browser shows a cookie without a name as its value alone.
    size_t eq = pair.find('=');
    if (eq != std::string::npos) {
      c.Name = Trim(pair.substr(0, eq));
      c.Value = Trim(pair.substr(eq + 1));
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
