#include "net/system_proxy.h"

#include <windows.h>
#include <winhttp.h>

#include "net/proxy_list.h"
#include "net/url.h"

namespace talvik::net {

namespace {

const wchar_t kFromWindows[] = L"set in Windows";

std::wstring Take(LPWSTR text) {
  if (!text) return {};
  std::wstring out = text;
  GlobalFree(text);
  return out;
}

}  // namespace

struct TSystemProxy::Settings {
  bool AutoDetect = false;
  std::wstring AutoConfigUrl, Proxy, Bypass;
  HINTERNET Session = nullptr;  // for the automatic configuration, opened on first need
  bool Automatic() const { return AutoDetect || !AutoConfigUrl.empty(); }
};

TSystemProxy::TSystemProxy() = default;

TSystemProxy::~TSystemProxy() {
  if (FSettings && FSettings->Session) WinHttpCloseHandle(FSettings->Session);
}

void TSystemProxy::ReadSettings() {
  FSettings = std::make_unique<Settings>();
  WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config{};
  if (!WinHttpGetIEProxyConfigForCurrentUser(&config)) return;  // nothing set: direct
  FSettings->AutoDetect = config.fAutoDetect;
  FSettings->AutoConfigUrl = Take(config.lpszAutoConfigUrl);
  FSettings->Proxy = Take(config.lpszProxy);
  FSettings->Bypass = Take(config.lpszProxyBypass);
}

TProxy TSystemProxy::Resolve(const TUrl& AUrl) {
  Settings& s = *FSettings;
  if (s.Automatic()) {
    if (!s.Session) s.Session = WinHttpOpen(L"talvik", WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                                            WINHTTP_NO_PROXY_BYPASS, 0);
    WINHTTP_AUTOPROXY_OPTIONS options{};
    if (!s.AutoConfigUrl.empty()) {
      options.dwFlags |= WINHTTP_AUTOPROXY_CONFIG_URL;
      options.lpszAutoConfigUrl = s.AutoConfigUrl.c_str();
    }
    if (s.AutoDetect) {
      options.dwFlags |= WINHTTP_AUTOPROXY_AUTO_DETECT;
      options.dwAutoDetectFlags = WINHTTP_AUTO_DETECT_TYPE_DHCP | WINHTTP_AUTO_DETECT_TYPE_DNS_A;
    }
    options.fAutoLogonIfChallenged = TRUE;
    WINHTTP_PROXY_INFO info{};
    const std::wstring address = AUrl.ToString();
    if (s.Session && WinHttpGetProxyForUrl(s.Session, address.c_str(), &options, &info)) {
      const std::wstring list = Take(info.lpszProxy), bypass = Take(info.lpszProxyBypass);
      if (info.dwAccessType != WINHTTP_ACCESS_TYPE_NAMED_PROXY || BypassesProxy(bypass, AUrl)) return {};
      TProxy proxy = ProxyFromList(list, AUrl.Protocol);
      proxy.Origin = s.AutoConfigUrl.empty() ? L"found by Windows' automatic detection"
                                             : L"from Windows' configuration script " + s.AutoConfigUrl;
      return proxy;
    }
    // No script to be had: Windows falls back to the fixed proxy, if one is set.
  }
  if (s.Proxy.empty() || BypassesProxy(s.Bypass, AUrl)) return {};
  TProxy proxy = ProxyFromList(s.Proxy, AUrl.Protocol);
  proxy.Origin = kFromWindows;
  return proxy;
}

TProxy TSystemProxy::ProxyFor(const TUrl& AUrl) {
  std::lock_guard<std::mutex> hold(FLock);
  if (!FSettings) ReadSettings();
  if (!FSettings->Automatic() && FSettings->Proxy.empty()) return {};
  const std::wstring site = AUrl.Protocol + L"://" + AUrl.Host + L":" + std::to_wstring(AUrl.EffectivePort());
  auto known = FKnown.find(site);
  if (known == FKnown.end()) known = FKnown.emplace(site, Resolve(AUrl)).first;
  return known->second;
}

}  // namespace talvik::net
