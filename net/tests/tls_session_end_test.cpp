// How a TLS session ends, what a server may ask of it after the handshake, and
// how a failed handshake is told: the session's own rules beside the exchange.
#define SECURITY_WIN32
#define SCHANNEL_USE_BLACKLISTS
#include <winsock2.h>
#include <windows.h>
#include <subauth.h>
#include <schannel.h>
#include <security.h>

#include <memory>

#include "net/tests/site_fixture.h"
#include "net/tls_session.h"
#include "tests/support/test_certificates.h"

using namespace talvik;
using namespace talvik::net;
using namespace talvik::net::testing;
using talvik::testsupport::HttpsSiteArgs;
using talvik::testsupport::StartTool;
using talvik::testsupport::TestCertificate;
using talvik::testsupport::TestCertificateFile;
using talvik::testsupport::ValueAfter;

namespace {

std::shared_ptr<const TTrustedRoots> TestRoots() {
  std::wstring problem;
  auto roots = TTrustedRoots::FromPemFile(TestCertificateFile("ca.pem"), problem);
  EXPECT_TRUE(roots) << Utf8(problem);
  return roots;
}

// The body, or the failure's message.
std::string Outcome(TIdHTTP& http, const std::wstring& url) {
  try {
    TMemoryStream stream;
    http.Get(url, stream);
    return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
  } catch (const Exception& e) {
    return Utf8(e.Message());
  }
}

class TlsSessionTest : public ::testing::Test {
protected:
  SampleSite Site{HttpsSiteArgs()};
  TIdHTTP Http;
  TlsSessionTest() {
    Http.SetTrustedRoots(TestRoots());
    // Long enough for a loaded machine, short beside the 30 s a waiting server gives.
    Http.SetReadTimeout(10000);
  }
};

TEST_F(TlsSessionTest, OnlyTheServersCloseNoticeEndsABodyThatRunsToTheClose) {
  const std::string body(50000, 'b');
  struct Case {
    const char* tlsEnd;
    std::string outcome;
    const char* siteHeard;  // whether the site got our close notice in answer to its own
  } cases[] = {
      // A TLS terminator that ends the session and then waits for the client to leave.
      {"wait", body, "notify"},
      // The connection closed at a record boundary: only the notice could have told the end.
      {"abrupt", "The connection to localhost closed without the end of its TLS session: the reply may be cut.",
       nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tlsEnd);
    Site.Reset();
    SiteReply reply = SiteReply::Ok(body, "image/jpeg");
    reply.framing = "close";
    reply.tlsEnd = c.tlsEnd;
    Site.Route("/photo", reply);
      const std::string outcome = Outcome(Http, Site.WUrl("/photo"));
    EXPECT_EQ(outcome == body ? "the whole body" : outcome, c.outcome == body ? "the whole body" : c.outcome);
    if (c.siteHeard) EXPECT_EQ(Site.TlsCloses(), std::vector<std::string>{c.siteHeard});
  }
}

TEST_F(TlsSessionTest, ASessionTheServerEndedCarriesNoFurtherRequest) {
  // The whole reply, then the server's close notice at once, the connection left open.
  SiteReply ended = SiteReply::Ok(std::string(300000, 'e'), "image/jpeg");
  ended.tlsEnd = "notify_open";
  Site.Route("/ended", ended);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Outcome(Http, Site.WUrl("/ended")).size(), 300000u);
  }
  const auto requests = Site.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_NE(requests[0].connection, requests[1].connection);
  EXPECT_NE(requests[1].connection, requests[2].connection);
  Http.Disconnect();
  // Each ended session got our close notice in answer.
  for (int i = 0; i < 50 && Site.TlsCloses().size() < 3; ++i) Sleep(100);
  EXPECT_EQ(Site.TlsCloses(), std::vector<std::string>(3, "notify"));
}

TEST(TlsRenegotiation, AServerThatAsksAndWaitsEndsTheRequestNamingTheHost) {
  // openssl's own server sends a HelloRequest once the request is in, and waits
  // for the client's hello. A system that cannot renegotiate ends at the timeout.
  std::string ports;
  HANDLE server = StartTool("renegotiating_server.py",
                            {"--cert", TestCertificate("site.pem"), "--key", TestCertificate("server.key")}, "PORT",
                            ports);
  CloseHandle(server);
  const int port = ValueAfter(ports, "PORT");
  ASSERT_NE(port, 0) << ports;
  TIdHTTP http;
  http.SetTrustedRoots(TestRoots());
  http.SetReadTimeout(2000);
  const std::string outcome = Outcome(http, L"https://localhost:" + std::to_wstring(port) + L"/");
  EXPECT_EQ(outcome.substr(0, outcome.find(':')), "TLS renegotiation with localhost failed") << outcome;
  EXPECT_EQ(outcome.find('\n'), std::string::npos) << outcome;
}

TEST(TlsHandshakeFailures, EachIsOneLineNamingTheHostAndNeverRetried) {
  struct Case {
    std::vector<std::string> siteArgs;
    std::string message;
  } cases[] = {
      {HttpsSiteArgs("huge-chain.pem"), "TLS handshake with localhost failed: the server's handshake grew past 128 KB"},
      {[] {
         auto args = HttpsSiteArgs();
         args.insert(args.end(), {"--tls-min", "1.3"});
         return args;
       }(),
       // This system (Wine) has TLS 1.2 only.
       "TLS handshake with localhost failed: the server accepts no TLS version that this system offers (it offers "
       "TLS 1.2)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    SampleSite site(c.siteArgs);
    TIdHTTP http;
    http.SetTrustedRoots(TestRoots());
    std::string message = "no error";
    try {
      http.Get(site.WUrl("/"));
    } catch (const EIdTlsError& e) {  // the kind that is never tried again
      message = Utf8(e.Message());
    } catch (const Exception& e) {
      message = "not a handshake failure: " + Utf8(e.Message());
    }
    EXPECT_EQ(message, c.message);
  }
}

TEST(TlsCredentials, TheNewerFormFirstAndTheOlderWhereTheSystemRefusesIt) {
  std::vector<unsigned long> asked;
  auto refusingTheNewer = [&](void* cred, CredHandle& handle) -> long {
    const DWORD version = *static_cast<const DWORD*>(cred);  // both structures start with it
    asked.push_back(version);
    if (version == SCH_CREDENTIALS_VERSION) return SEC_E_UNKNOWN_CREDENTIALS;
    TimeStamp expiry;
    return AcquireCredentialsHandleW(nullptr, const_cast<wchar_t*>(UNISP_NAME_W), SECPKG_CRED_OUTBOUND, nullptr, cred,
                                     nullptr, nullptr, &handle, &expiry);
  };
  TTlsCredentials fallback = AcquireTlsCredentials(refusingTheNewer);
  ASSERT_EQ(fallback.Status, SEC_E_OK);
  EXPECT_EQ(Utf8(fallback.Form), "SCHANNEL_CRED");
  EXPECT_EQ(asked.front(), unsigned(SCH_CREDENTIALS_VERSION));
  EXPECT_EQ(asked.back(), unsigned(SCHANNEL_CRED_VERSION));
  // The fallback's credential makes a client hello.
  CtxtHandle context;
  SecBuffer out{0, SECBUFFER_TOKEN, nullptr};
  SecBufferDesc outDesc{SECBUFFER_VERSION, 1, &out};
  DWORD attributes = 0;
  EXPECT_EQ(InitializeSecurityContextW(&fallback.Handle, nullptr, const_cast<wchar_t*>(L"localhost"),
                                       ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM, 0, 0, nullptr, 0, &context, &outDesc,
                                       &attributes, nullptr),
            SEC_I_CONTINUE_NEEDED);
  EXPECT_GT(out.cbBuffer, 0u);
  if (out.pvBuffer) FreeContextBuffer(out.pvBuffer);
  DeleteSecurityContext(&context);
  FreeCredentialsHandle(&fallback.Handle);

  // A system that knows the newer form is asked in it alone.
  asked.clear();
  auto accepting = [&](void* cred, CredHandle& handle) -> long {
    asked.push_back(*static_cast<const DWORD*>(cred));
    return SEC_E_OK;
  };
  EXPECT_EQ(Utf8(AcquireTlsCredentials(accepting).Form), "SCH_CREDENTIALS");
  EXPECT_EQ(asked, std::vector<unsigned long>{SCH_CREDENTIALS_VERSION});
}

}  // namespace
