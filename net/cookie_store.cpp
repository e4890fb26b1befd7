#include "net/cookie_store.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "net/cookie_text.h"

namespace talvik::net {

namespace {

std::string Unquote(std::string s) {
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
  return s;
}

// Splits at ASep outside double quotes.
std::vector<std::string> SplitOutsideQuotes(const std::string& s, char sep) {
  std::vector<std::string> parts(1);
  bool quoted = false;
  for (char c : s) {
    if (c == '"') quoted = !quoted;
    if (c == sep && !quoted) parts.emplace_back();
    else parts.back() += c;
  }
  return parts;
}

bool IsIpAddress(const std::string& host) {
  int dots = 0;
  for (char c : host) {
    if (c == '.') ++dots;
    else if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  return dots == 3;
}

// Whether host lies within domain (which starts with ".").
bool DomainMatches(const std::string& host, const std::string& domain) {
  if (host == domain.substr(1)) return true;
  if (IsIpAddress(host)) return false;
  return host.size() > domain.size() && host.compare(host.size() - domain.size(), domain.size(), domain) == 0;
}

bool PathMatches(const std::string& requestPath, const std::string& cookiePath) {
  return requestPath.compare(0, cookiePath.size(), cookiePath) == 0;
}

bool PortAllowed(const std::vector<int>& ports, int port) {
  return ports.empty() || std::find(ports.begin(), ports.end(), port) != ports.end();
}

int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

}  // namespace

bool ParseHttpDate(const std::string& AText, int64_t& ASeconds) {
  static const char* months[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                 "jul", "aug", "sep", "oct", "nov", "dec"};
  std::vector<std::string> tokens(1);
  for (char c : AText) {
    if (c == ' ' || c == '-' || c == ',' || c == '\t') {
      if (!tokens.back().empty()) tokens.emplace_back();
    } else {
      tokens.back() += c;
    }
  }
  int day = -1, month = -1, hour = -1, minute = 0, second = 0;
  int64_t year = -1;
  for (const auto& raw : tokens) {
    std::string t = LowerAscii(raw);
    if (t.empty()) continue;
    if (t.find(':') != std::string::npos) {
      if (std::sscanf(t.c_str(), "%d:%d:%d", &hour, &minute, &second) < 2) return false;
      continue;
    }
    bool digits = std::all_of(t.begin(), t.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
    if (digits && t.size() <= 2 && day < 0) {
      day = std::atoi(t.c_str());
    } else if (digits && (t.size() == 2 || t.size() == 4) && year < 0) {
      year = std::atoi(t.c_str());
      if (t.size() == 2) year += year < 70 ? 2000 : 1900;
    } else if (!digits && t.size() >= 3 && month < 0) {
      for (int m = 0; m < 12 && month < 0; ++m)
        if (t.compare(0, 3, months[m]) == 0) month = m + 1;
    }
  }
  if (day < 1 || day > 31 || month < 1 || year < 1601 || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
      second < 0 || second > 60)
    return false;
  ASeconds = DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
  return true;
}

void TCookieStore::SetCookieHeader(const std::string& AValue, bool ACookie2, const Origin& AOrigin, int64_t ANow) {
  // Old-style values hold dates with commas, so only "Set-Cookie2" lists several cookies.
  std::vector<std::string> cookies = ACookie2 ? SplitOutsideQuotes(AValue, ',') : std::vector<std::string>{AValue};
  std::string host = LowerAscii(AOrigin.Host);
  for (const auto& text : cookies) {
    auto parts = SplitOutsideQuotes(text, ';');
    size_t eq = parts[0].find('=');
    if (eq == std::string::npos) continue;
    TCookie c;
    c.Name = TrimCookieBlanks(parts[0].substr(0, eq));
    c.Value = TrimCookieBlanks(parts[0].substr(eq + 1));
    if (c.Name.empty() || c.Name[0] == '$') continue;
    bool hasMaxAge = false, reject = false;
    int64_t maxAge = 0;
    std::string domain, path;
    bool hasPath = false;
    for (size_t i = 1; i < parts.size(); ++i) {
      size_t e = parts[i].find('=');
      std::string key = LowerAscii(TrimCookieBlanks(parts[i].substr(0, e)));
      std::string value = e == std::string::npos ? std::string() : Unquote(TrimCookieBlanks(parts[i].substr(e + 1)));
      if (key == "domain") {
        domain = LowerAscii(value);
      } else if (key == "path") {
        path = value;
        hasPath = true;
      } else if (key == "secure") {
        c.Secure = true;
      } else if (key == "max-age") {
        char* end = nullptr;
        long long v = std::strtoll(value.c_str(), &end, 10);
        if (!value.empty() && end && *end == 0) {
          hasMaxAge = true;
          maxAge = v;
        }
      } else if (key == "expires" && !hasMaxAge) {
        int64_t when;
        if (ParseHttpDate(value, when)) {
          c.HasExpiry = true;
          c.Expires = when;
        }
      } else if (key == "port") {
        if (e == std::string::npos) c.Ports.push_back(AOrigin.Port);
        for (const auto& p : SplitOutsideQuotes(value, ','))
          if (!TrimCookieBlanks(p).empty()) c.Ports.push_back(std::atoi(TrimCookieBlanks(p).c_str()));
        if (!PortAllowed(c.Ports, AOrigin.Port)) reject = true;
      }
    }
    if (hasMaxAge) {
      c.HasExpiry = true;
      // Saturate: a lifetime past the end of the clock must not wrap into the past.
      c.Expires = maxAge <= 0 ? ANow - 1
                  : maxAge > std::numeric_limits<int64_t>::max() - ANow ? std::numeric_limits<int64_t>::max()
                                                                        : ANow + maxAge;
    }
    // Over plain http anyone on the way could have set it, and it would pass for an https one.
    if (c.Secure && !AOrigin.Secure) continue;
    if (domain.empty()) {
      c.Domain = "." + host;
      c.HostOnly = true;
    } else {
      if (domain[0] != '.') domain = "." + domain;
      std::string inner = domain.substr(1);
      if (IsIpAddress(host)) {
        // An address sets cookies for itself only.
        reject |= inner != host;
      } else {
        reject |= inner.find('.') == std::string::npos && inner != "local";
        reject |= !DomainMatches(host, domain);
        // "a.b.example.com" may not set a cookie for ".example.com".
        if (!reject && host.size() > domain.size()) {
          std::string prefix = host.substr(0, host.size() - domain.size());
          reject |= prefix.find('.') != std::string::npos;
        }
      }
      c.Domain = domain;
    }
    if (hasPath) {
      c.Path = path;
      reject |= !PathMatches(AOrigin.Path, path);
    } else {
      std::string dir = AOrigin.Path.substr(0, AOrigin.Path.rfind('/') + 1);
      c.Path = dir.empty() ? dir : dir.substr(0, dir.size() - 1);
    }
    if (!AOrigin.Secure) reject |= ShadowsSecureCookie(c);
    if (!reject) Store(std::move(c), ANow);
  }
}

bool TCookieStore::ShadowsSecureCookie(const TCookie& ACookie) const {
  auto within = [](const std::string& a, const std::string& b) {
    return a.size() >= b.size() && a.compare(a.size() - b.size(), b.size(), b) == 0;
  };
  return std::any_of(FCookies.begin(), FCookies.end(), [&](const TCookie& c) {
    return c.Secure && c.Name == ACookie.Name && (within(c.Domain, ACookie.Domain) || within(ACookie.Domain, c.Domain)) &&
           PathMatches(ACookie.Path, c.Path);
  });
}

void TCookieStore::Store(TCookie ACookie, int64_t ANow) {
  auto same = std::find_if(FCookies.begin(), FCookies.end(), [&](const TCookie& c) {
    return c.Name == ACookie.Name && c.Domain == ACookie.Domain && c.Path == ACookie.Path;
  });
  bool expired = ACookie.HasExpiry && ACookie.Expires <= ANow;
  if (same != FCookies.end()) {
    if (expired) FCookies.erase(same);
    else *same = std::move(ACookie);
  } else if (!expired) {
    FCookies.push_back(std::move(ACookie));
  }
}

std::string TCookieStore::CookieHeaderFor(const Origin& ARequest, int64_t ANow) {
  FCookies.erase(std::remove_if(FCookies.begin(), FCookies.end(),
                                [&](const TCookie& c) { return c.HasExpiry && c.Expires <= ANow; }),
                 FCookies.end());
  std::vector<const TCookie*> chosen;
  for (const auto& c : FCookies)
    if (!c.Value.empty() && CookieApplies(c, ARequest, ANow)) chosen.push_back(&c);
  // More specific paths first.
  std::stable_sort(chosen.begin(), chosen.end(),
                   [](const TCookie* a, const TCookie* b) { return a->Path.size() > b->Path.size(); });
  std::string line;
  for (const TCookie* c : chosen) line += (line.empty() ? "" : "; ") + c->Name + "=" + c->Value;
  return line;
}

bool CookieApplies(const TCookie& ACookie, const TCookieStore::Origin& ARequest, int64_t ANow) {
  if (ACookie.Domain.size() < 2 || ACookie.Domain[0] != '.') return false;
  const std::string host = LowerAscii(ARequest.Host);
  const bool domainMatches = ACookie.HostOnly ? host == ACookie.Domain.substr(1) : DomainMatches(host, ACookie.Domain);
  return domainMatches && PathMatches(ARequest.Path, ACookie.Path) && (!ACookie.Secure || ARequest.Secure) &&
         PortAllowed(ACookie.Ports, ARequest.Port) && !(ACookie.HasExpiry && ACookie.Expires <= ANow);
}

}  // namespace talvik::net
