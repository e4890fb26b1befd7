// The proxy and bypass lists of Windows' Internet settings.
#include <gtest/gtest.h>

#include "net/proxy_list.h"

using namespace talvik::net;

TEST(ProxyList, TheEntryForTheProtocolElseTheGeneralOne) {
  const struct {
    const wchar_t* List;
    const wchar_t* Protocol;
    const wchar_t* Expected;  // host:port, or empty for none
  } cases[] = {
      {L"proxy.example:3128", L"http", L"proxy.example:3128"},
      {L"proxy.example:3128", L"https", L"proxy.example:3128"},
      {L"proxy.example", L"http", L"proxy.example:80"},
      {L"http://proxy.example:8080/", L"http", L"proxy.example:8080"},
      {L"http=a.example:80;https=b.example:443", L"http", L"a.example:80"},
      {L"http=a.example:80;https=b.example:443", L"https", L"b.example:443"},
      {L"HTTPS=b.example:443", L"https", L"b.example:443"},
      {L"http=a.example:80", L"https", L""},
      {L"ftp=f.example:21 general.example:8000", L"https", L"general.example:8000"},
      {L"socks=s.example:1080", L"http", L""},
      {L"", L"http", L""},
      {L"proxy.example:notaport", L"http", L""},
  };
  for (const auto& c : cases) {
    const TProxy proxy = ProxyFromList(c.List, c.Protocol);
    EXPECT_EQ(proxy.Enabled() ? proxy.HostPort() : L"", c.Expected) << c.List << " for " << c.Protocol;
  }
}

TEST(ProxyList, BypassEntries) {
  const struct {
    const wchar_t* Bypass;
    const wchar_t* Address;
    bool Bypassed;
  } cases[] = {
      {L"<local>", L"http://intranet/album/1", true},
      {L"<local>", L"http://www.talvik.com/album/1", false},
      {L"<local>", L"http://127.0.0.1/album/1", false},
      {L"*.talvik.com", L"http://www.talvik.com/album/1", true},
      {L"*.talvik.com", L"http://talvik.com/album/1", false},
      {L"*.TALVIK.com", L"http://Photos.Talvik.COM/a", true},
      {L"10.*; 192.168.*", L"http://192.168.1.7/a", true},
      {L"10.*,192.168.*", L"http://172.16.0.1/a", false},
      {L"www.talvik.com:8080", L"http://www.talvik.com:8080/a", true},
      {L"www.talvik.com:8080", L"http://www.talvik.com/a", false},
      {L"https://www.talvik.com", L"https://www.talvik.com/a", true},
      {L"https://www.talvik.com", L"http://www.talvik.com/a", false},
      {L"", L"http://intranet/a", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(BypassesProxy(c.Bypass, ParseUrl(c.Address)), c.Bypassed) << c.Bypass << " for " << c.Address;
}
