// Cookies that replies set, kept for later requests under the RFC 2109/2965 rules.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace talvik::net {

struct TCookie {
  std::string Name, Value;
  std::string Domain;  // lower case, with a leading "."
  bool HostOnly = false;  // for the host of Domain itself, not for its subdomains
  std::string Path;    // requests whose path begins with this get the cookie
  bool Secure = false;
  bool HasExpiry = false;
  int64_t Expires = 0;     // seconds since 1970, UTC
  std::vector<int> Ports;  // empty: any port
};

// Seconds since 1970 of an HTTP date ("Wdy, DD Mon YYYY HH:MM:SS GMT", the
// "DD-Mon-YY" form or the asctime form); false when the text is no date.
bool ParseHttpDate(const std::string& AText, int64_t& ASeconds);

class TCookieStore {
public:
  // Where a request went: host, port, whether over HTTPS, and its path with document.
  struct Origin {
    std::string Host;
    int Port = 80;
    std::string Path = "/";
    bool Secure = false;
  };

  // Stores the cookies of one "Set-Cookie" (ACookie2 false) or "Set-Cookie2" header
  // value; cookies the origin may not set are rejected.
  void SetCookieHeader(const std::string& AValue, bool ACookie2, const Origin& AOrigin, int64_t ANow);
  // "name=value; name2=value2" for a request, or empty. Drops expired cookies first.
  std::string CookieHeaderFor(const Origin& ARequest, int64_t ANow);

  const std::vector<TCookie>& Cookies() const { return FCookies; }
  void Clear() { FCookies.clear(); }

private:
  void Store(TCookie ACookie, int64_t ANow);
  // A cookie from plain http may not take the place of one that only https may see.
  bool ShadowsSecureCookie(const TCookie& ACookie) const;
  std::vector<TCookie> FCookies;
};

// Whether a request to ARequest gets ACookie: host within its domain, path under
// its path, over https when it is secure, an allowed port, and not expired at ANow.
bool CookieApplies(const TCookie& ACookie, const TCookieStore::Origin& ARequest, int64_t ANow);

}  // namespace talvik::net
