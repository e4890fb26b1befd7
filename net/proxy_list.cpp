#include "net/proxy_list.h"

#include <cwctype>
#include <vector>

namespace talvik::net {

namespace {

std::wstring Lower(std::wstring text) {
  for (auto& c : text) c = static_cast<wchar_t>(towlower(c));
  return text;
}

std::vector<std::wstring> Entries(const std::wstring& AList) {
  std::vector<std::wstring> out;
  std::wstring entry;
  for (wchar_t c : AList + L";") {
    if (c == L';' || c == L',' || iswspace(c)) {
      if (!entry.empty()) out.push_back(entry);
      entry.clear();
    } else {
      entry += c;
    }
  }
  return out;
}

bool Wildcard(const wchar_t* pattern, const wchar_t* text) {
  if (*pattern == 0) return *text == 0;
  if (*pattern == L'*') return Wildcard(pattern + 1, text) || (*text != 0 && Wildcard(pattern, text + 1));
  return *text != 0 && *pattern == *text && Wildcard(pattern + 1, text + 1);
}

// "host:port" with the port left out meaning 80, as Windows reads it.
TProxy ProxyAt(std::wstring address) {
  const size_t scheme = address.find(L"://");
  if (scheme != std::wstring::npos) address = address.substr(scheme + 3);
  if (!address.empty() && address.back() == L'/') address.pop_back();
  if (address.find(L':') == std::wstring::npos) address += L":80";
  TProxy proxy;
  std::wstring reason;
  if (!ParseProxyUrl(address, proxy, reason)) return {};
  return proxy;
}

}  // namespace

TProxy ProxyFromList(const std::wstring& AList, const std::wstring& AProtocol) {
  TProxy general;
  for (const std::wstring& entry : Entries(AList)) {
    const size_t equals = entry.find(L'=');
    if (equals == std::wstring::npos) {
      if (!general.Enabled()) general = ProxyAt(entry);
    } else if (Lower(entry.substr(0, equals)) == AProtocol) {
      return ProxyAt(entry.substr(equals + 1));
    }
  }
  return general;
}

bool BypassesProxy(const std::wstring& ABypassList, const TUrl& AUrl) {
  const std::wstring host = Lower(AUrl.Host);
  for (std::wstring entry : Entries(Lower(ABypassList))) {
    if (entry == L"<local>") {
      if (host.find(L'.') == std::wstring::npos && host.find(L':') == std::wstring::npos) return true;
      continue;
    }
    const size_t scheme = entry.find(L"://");
    if (scheme != std::wstring::npos) {
      if (entry.substr(0, scheme) != AUrl.Protocol) continue;
      entry = entry.substr(scheme + 3);
    }
    const size_t colon = entry.rfind(L':');
    if (colon != std::wstring::npos && entry.find(L']') == std::wstring::npos) {
      if (entry.substr(colon + 1) != std::to_wstring(AUrl.EffectivePort())) continue;
      entry = entry.substr(0, colon);
    }
    if (Wildcard(entry.c_str(), host.c_str())) return true;
  }
  return false;
}

}  // namespace talvik::net
