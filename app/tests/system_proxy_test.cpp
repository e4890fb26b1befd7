// Without --proxy both programs take the proxy set in Windows: the test sets
// the current user's Internet settings in the test prefix (and puts them back),
// then runs talvik-dl.exe through the test proxy.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/tests/console_runner.h"
#include "app/tests/run_fixture.h"
#include "tests/support/sample_proxy.h"

using namespace talvik;
using namespace talvik::apptest;
using talvik::testsupport::SampleProxy;
using talvik::testsupport::SampleSite;
using talvik::testsupport::SiteReply;

namespace {

const wchar_t kSettings[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const wchar_t kConnections[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections";

struct TValue {
  const wchar_t* Key;
  const wchar_t* Name;
};
const TValue kValues[] = {{kSettings, L"ProxyEnable"},
                          {kSettings, L"ProxyServer"},
                          {kSettings, L"ProxyOverride"},
                          {kSettings, L"AutoConfigURL"},
                          {kConnections, L"DefaultConnectionSettings"}};

struct TSaved {
  DWORD Type = 0;
  std::string Data;
};

std::optional<TSaved> ReadValue(const TValue& v) {
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, v.Key, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  TSaved saved;
  DWORD size = 0;
  std::optional<TSaved> result;
  if (RegQueryValueExW(key, v.Name, nullptr, &saved.Type, nullptr, &size) == ERROR_SUCCESS) {
    saved.Data.resize(size);
    RegQueryValueExW(key, v.Name, nullptr, &saved.Type, reinterpret_cast<BYTE*>(saved.Data.data()), &size);
    result = saved;
  }
  RegCloseKey(key);
  return result;
}

void WriteValue(const TValue& v, const std::optional<TSaved>& value) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, v.Key, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS);
  if (value)
    RegSetValueExW(key, v.Name, 0, value->Type, reinterpret_cast<const BYTE*>(value->Data.data()),
                   static_cast<DWORD>(value->Data.size()));
  else
    RegDeleteValueW(key, v.Name);
  RegCloseKey(key);
}

TSaved Text(const std::wstring& text) {
  return {REG_SZ, std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(wchar_t))};
}

// What Windows' own settings dialog writes: the switch values and the connection's record.
struct TWindowsProxy {
  std::wstring Server, Bypass, AutoConfigUrl;
};

void AppendCounted(std::string& blob, const std::wstring& text) {
  const std::string narrow(text.begin(), text.end());
  const uint32_t n = static_cast<uint32_t>(narrow.size());
  blob.append(reinterpret_cast<const char*>(&n), 4);
  blob += narrow;
}

void SetWindowsProxy(const TWindowsProxy& p) {
  const uint32_t flags = 1 | (p.Server.empty() ? 0 : 2) | (p.AutoConfigUrl.empty() ? 0 : 4);
  std::string blob;
  for (uint32_t n : {0x46u, 1u, flags}) blob.append(reinterpret_cast<const char*>(&n), 4);
  AppendCounted(blob, p.Server);
  AppendCounted(blob, p.Bypass);
  AppendCounted(blob, p.AutoConfigUrl);
  blob.append(32, '\0');
  const DWORD enable = p.Server.empty() ? 0 : 1;
  WriteValue(kValues[0], TSaved{REG_DWORD, std::string(reinterpret_cast<const char*>(&enable), 4)});
  WriteValue(kValues[1], p.Server.empty() ? std::nullopt : std::optional(Text(p.Server)));
  WriteValue(kValues[2], p.Bypass.empty() ? std::nullopt : std::optional(Text(p.Bypass)));
  WriteValue(kValues[3], p.AutoConfigUrl.empty() ? std::nullopt : std::optional(Text(p.AutoConfigUrl)));
  WriteValue(kValues[4], TSaved{REG_BINARY, blob});
}

class SystemProxy : public ::testing::Test {
protected:
  void SetUp() override {
    for (const auto& v : kValues) FSaved.push_back(ReadValue(v));
    Site.Album("two", 5, 3, 2000);
  }
  void TearDown() override {
    for (size_t i = 0; i < FSaved.size(); ++i) WriteValue(kValues[i], FSaved[i]);
  }
  SampleSite Site;
  SampleProxy Proxy;
  TScratchFolder Work;

private:
  std::vector<std::optional<TSaved>> FSaved;
};

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

}  // namespace

TEST_F(SystemProxy, TheProxySetInWindowsCarriesTheRunUnlessBypassedOrDirect) {
  const std::wstring proxy = L"127.0.0.1:" + std::to_wstring(Proxy.Port());
  const std::string localhost = "http://localhost:" + std::to_string(Site.Port()) + "/album/two";
  const std::string pac = "function FindProxyForURL(url, host) { return \"PROXY " + std::string(proxy.begin(), proxy.end()) +
                          "\"; }";
  Site.Route("/proxy.pac", SiteReply::Ok(pac, "application/x-ns-proxy-autoconfig"));
  const struct {
    const char* Name;
    TWindowsProxy Settings;
    std::vector<std::wstring> Args;
    std::string Album;
    std::string Named;  // the run's proxy line; empty: the album's address goes direct
    size_t ViaProxy;    // requests that went through the proxy
  } cases[] = {
      {"fixed proxy", {proxy, L"", L""}, {}, Site.Url("/album/two"),
       "Proxy: " + std::string(proxy.begin(), proxy.end()) + " (set in Windows)\n", 13},
      {"host on the bypass list", {proxy, L"*.example; 127.0.0.*", L""}, {}, Site.Url("/album/two"), "", 0},
      // The list pages at localhost go direct; their links name 127.0.0.1, which does not bypass.
      {"<local> bypasses a dotless host", {proxy, L"*.example;<local>", L""}, {}, localhost, "", 10},
      {"--proxy direct", {proxy, L"", L""}, {L"--proxy", L"direct"}, Site.Url("/album/two"), "", 0},
      {"configuration script", {L"", L"", Wide(Site.Url("/proxy.pac"))}, {}, Site.Url("/album/two"),
       "Proxy: " + std::string(proxy.begin(), proxy.end()) + " (from Windows' configuration script " +
           Site.Url("/proxy.pac") + ")\n",
       13},
  };
  for (const auto& c : cases) {
    SetWindowsProxy(c.Settings);
    const size_t before = Proxy.Requests().size();
    std::vector<std::wstring> args = c.Args;
    args.push_back(Wide(c.Album));
    TToolResult r = RunTool(args, Work.Path());
    EXPECT_EQ(r.exitCode, 0u) << c.Name << ": " << r.err;
    EXPECT_EQ(r.out, c.Named + OverLines(5) + "下载完毕。\n") << c.Name;
    EXPECT_EQ(Proxy.Requests().size() - before, c.ViaProxy) << c.Name;
  }
}

TEST_F(SystemProxy, AnUnreachableProxyOfWindowsIsNamed) {
  SetWindowsProxy({L"127.0.0.1:1", L"", L""});
  TToolResult r = RunTool({Wide(Site.Url("/album/two"))}, Work.Path());
  EXPECT_EQ(r.exitCode, 1u);
  EXPECT_EQ(r.out, "Proxy: 127.0.0.1:1 (set in Windows)\n");
  EXPECT_EQ(r.err, "list page 0 (" + Site.Url("/album/two?curpage=0") +
                       "): Proxy 127.0.0.1:1 (set in Windows): Socket Error # 10061 Connection refused.\n");
  EXPECT_TRUE(Site.Requests().empty());
}
