#include "browsers/browser_login.h"

#include "browsers/browser_error.h"
#include "browsers/chromium_cookies.h"
#include "browsers/cookie_match.h"
#include "browsers/default_browser.h"
#include "browsers/firefox_cookies.h"

namespace talvik::browsers {

const wchar_t kBrowserNames[] = L"firefox, edge, chrome, chromium, brave, vivaldi, opera or default";

namespace {

std::vector<net::TCookie> ReadProfile(const TBrowserKind& kind, const std::wstring& profile, const std::wstring& url,
                                      int64_t now, TCookieSource* from = nullptr) {
  const TBrowserProfile found = FindProfile(kind, profile);
  if (from)
    *from = {kind.Title, kind.Family == TBrowserFamily::Firefox ? found.Folder + L"\\cookies.sqlite"
                                                                : ChromiumCookieFile(found.Folder)};
  const std::string host = CookieAddressOf(url).Host;
  std::vector<net::TCookie> cookies =
      kind.Family == TBrowserFamily::Firefox ? ReadFirefoxCookies(kind.Title, found.Folder, host)
                                             : ReadChromiumCookies(kind.Title, found.UserData, found.Folder, host);
  std::erase_if(cookies, [&](const net::TCookie& c) { return c.HasExpiry && c.Expires <= now; });
  return cookies;
}

}  // namespace

bool ParseBrowserRequest(const std::wstring& AText, TBrowserRequest& ARequest, std::wstring& AProblem) {
  const size_t colon = AText.find(L':');
  ARequest.Name = AText.substr(0, colon);
  ARequest.Profile = colon == std::wstring::npos ? L"" : AText.substr(colon + 1);
  for (wchar_t& c : ARequest.Name) c = static_cast<wchar_t>(towlower(c));
  if (ARequest.Name != L"default" && !FindBrowser(ARequest.Name)) {
    AProblem = L"--cookies-from-browser: no browser \"" + ARequest.Name + L"\" (" + kBrowserNames + L")";
    return false;
  }
  if (colon != std::wstring::npos && Trim(ARequest.Profile).empty()) {
    AProblem = L"--cookies-from-browser: the profile after \":\" is empty";
    return false;
  }
  return true;
}

std::vector<net::TCookie> SiteCookiesFromBrowser(const TBrowserRequest& ARequest, const std::wstring& AUrl,
                                                 int64_t ANow, TCookieSource* AFrom) {
  const TBrowserKind* kind = FindBrowser(ARequest.Name);
  if (ARequest.Name == L"default") {
    std::wstring how;
    kind = DefaultBrowser(&how);
    if (!kind)
      throw EBrowserCookies(L"default: " + how + L", which is not one of the browsers read here: name the browser (" +
                            kBrowserNames + L")");
  }
  if (!kind) throw EBrowserCookies(L"no browser \"" + ARequest.Name + L"\"");
  return ReadProfile(*kind, ARequest.Profile, AUrl, ANow, AFrom);
}

TFoundLogin FindSiteLogin(const std::wstring& AUrl, int64_t ANow) {
  std::vector<const TBrowserKind*> order;
  if (const TBrowserKind* preferred = DefaultBrowser()) order.push_back(preferred);
  for (const TBrowserKind& kind : KnownBrowsers())
    if (order.empty() || order[0] != &kind) order.push_back(&kind);
  TFoundLogin found;
  for (const TBrowserKind* kind : order) {
    if (!IsInstalled(*kind)) continue;
    try {
      std::vector<net::TCookie> cookies = ReadProfile(*kind, L"", AUrl, ANow);
      if (CookiesForAddress(cookies, AUrl, ANow).empty()) continue;
      found.Browser = kind->Title;
      found.Cookies = std::move(cookies);
      return found;
    } catch (const EBrowserCookies& e) {
      found.Problems.push_back(e.Message());
    }
  }
  return found;
}

}  // namespace talvik::browsers
