#include "app/console/cookie_file.h"

#include <cwctype>
#include <vector>

#include "net/url.h"

namespace talvik::app {

namespace {

std::wstring Lower(std::wstring_view s) {
  std::wstring out(s);
  for (wchar_t& c : out) c = static_cast<wchar_t>(std::towlower(c));
  return out;
}

std::vector<std::wstring_view> SplitTabs(std::wstring_view line) {
  std::vector<std::wstring_view> fields;
  size_t start = 0;
  for (;;) {
    size_t tab = line.find(L'\t', start);
    fields.push_back(line.substr(start, tab == line.npos ? line.npos : tab - start));
    if (tab == line.npos) return fields;
    start = tab + 1;
  }
}

bool DomainMatches(std::wstring_view host, std::wstring domain, bool includeSubdomains) {
  if (!domain.empty() && domain[0] == L'.') {
    domain.erase(0, 1);
    includeSubdomains = true;
  }
  if (domain.empty()) return false;
  if (host == domain) return true;
  return includeSubdomains && host.size() > domain.size() &&
         host.compare(host.size() - domain.size(), domain.size(), domain) == 0 &&
         host[host.size() - domain.size() - 1] == L'.';
}

bool ParseInt64(std::wstring_view s, int64_t& value) {
  if (s.empty() || s.size() > 18) return false;
  value = 0;
  for (wchar_t c : s) {
    if (c < L'0' || c > L'9') return false;
    value = value * 10 + (c - L'0');
  }
  return true;
}

}  // namespace

std::wstring AddressHost(std::wstring_view AUrl) {
  size_t start = AUrl.find(L"://");
  start = start == AUrl.npos ? 0 : start + 3;
  size_t end = AUrl.find_first_of(L"/?#", start);
  std::wstring_view authority = AUrl.substr(start, end == AUrl.npos ? AUrl.npos : end - start);
  size_t at = authority.rfind(L'@');
  if (at != authority.npos) authority.remove_prefix(at + 1);
  authority = authority.substr(0, authority.find(L':'));
  return Lower(authority);
}

std::vector<net::TCookie> CookiesForAddress(std::wstring_view AText, std::wstring_view AUrl, int64_t ANow) {
  const std::wstring host = AddressHost(AUrl);
  std::vector<net::TCookie> cookies;
  size_t pos = 0;
  if (AText.substr(0, 1) == L"\xFEFF") pos = 1;
  while (pos < AText.size()) {
    size_t eol = AText.find(L'\n', pos);
    std::wstring_view line = AText.substr(pos, eol == AText.npos ? AText.npos : eol - pos);
    pos = eol == AText.npos ? AText.size() : eol + 1;
    if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);

    constexpr std::wstring_view httpOnly = L"#HttpOnly_";
    if (line.substr(0, httpOnly.size()) == httpOnly) line.remove_prefix(httpOnly.size());
    else if (line.empty() || line[0] == L'#') continue;

    std::vector<std::wstring_view> f = SplitTabs(line);
    if (f.size() < 7) continue;
    int64_t expiry = 0;
    if (!ParseInt64(f[4], expiry)) continue;
    if (expiry != 0 && expiry <= ANow) continue;  // 0 marks a session cookie
    std::wstring domain = Lower(f[0]);
    const bool subdomains = Lower(f[1]) == L"true" || (!domain.empty() && domain[0] == L'.');
    if (!DomainMatches(host, domain, subdomains)) continue;
    if (domain[0] == L'.') domain.erase(0, 1);
    net::TCookie c;
    c.Name = net::ToAscii7(std::wstring(f[5]));
    c.Value = net::ToAscii7(std::wstring(f[6]));
    c.Domain = "." + net::ToAscii7(domain);
    c.HostOnly = !subdomains;
    c.Path = f[2].empty() ? "/" : net::ToAscii7(std::wstring(f[2]));
    c.Secure = Lower(f[3]) == L"true";
    c.HasExpiry = expiry != 0;
    c.Expires = expiry;
    cookies.push_back(std::move(c));
  }
  return cookies;
}

}  // namespace talvik::app
