// A client and a sample site, with short ways to script replies and read requests.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/streams.h"
#include "net/idhttp.h"
#include "tests/support/sample_site.h"

namespace talvik::net::testing {

using testsupport::SampleSite;
using testsupport::SiteReply;
using testsupport::SiteRequest;

class SiteTest : public ::testing::Test {
protected:
  SampleSite Site;
  TIdHTTP Http;

  std::wstring Url(const std::string& path) { return Site.WUrl(path); }
  std::string HostLine() { return "Host: 127.0.0.1:" + std::to_string(Site.Port()) + "\r\n"; }
  std::vector<SiteRequest> Requests() { return Site.Requests(); }
  std::vector<std::string> Targets() {
    std::vector<std::string> out;
    for (const auto& r : Site.Requests()) out.push_back(r.Target());
    return out;
  }
  std::string StreamGet(const std::string& path) {
    TMemoryStream stream;
    Http.Get(Url(path), stream);
    return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
  }
  // The message of the failure of a text GET, or "no error".
  std::wstring FailureOf(const std::wstring& url) {
    try {
      Http.Get(url);
    } catch (const Exception& e) {
      return e.Message();
    }
    return L"no error";
  }
};

inline std::string Utf8(const std::wstring& s) { return WideToUtf8(s); }

}  // namespace talvik::net::testing
