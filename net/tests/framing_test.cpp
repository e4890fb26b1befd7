// Body framing, interim replies, charsets and the life of the connection.
#include <chrono>

#include "net/tests/site_fixture.h"

using namespace talvik;
using namespace talvik::net;
using namespace talvik::net::testing;

namespace {

SiteReply Framed(const std::string& body, const std::string& framing, int chunk = 0) {
  SiteReply r = SiteReply::Ok(body, "application/octet-stream");
  r.framing = framing;
  r.chunk = chunk;
  return r;
}

std::string Binary(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 131 + i / 251) & 0xFF);
  return s;
}

}  // namespace

TEST_F(SiteTest, BodyFramings) {
  const std::string big = Binary(700 * 1024 + 3);
  struct Case {
    const char* name;
    SiteReply reply;
    std::string body;
  } cases[] = {
      {"length", Framed(big, "length"), big},
      {"chunked", Framed(big, "chunked", 100000), big},
      {"tiny chunks", Framed("0123456789abcdef", "chunked", 3), "0123456789abcdef"},
      {"until close", Framed(big, "close"), big},
      {"empty", Framed("", "length"), ""},
      {"empty chunked", Framed("", "chunked"), ""},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    Site.Route("/body", c.reply);
    EXPECT_EQ(StreamGet("/body"), c.body);
  }
  SiteReply extensions = SiteReply::Raw(
      "HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip, Chunked\r\n\r\n"
      "4;name=value\r\nabcd\r\nA \r\n0123456789\r\n0\r\nTrailer: x\r\n\r\n", true);
  Site.Route("/body", extensions);
  EXPECT_EQ(StreamGet("/body"), "abcd0123456789");
}

TEST_F(SiteTest, EarlyCloseIsAnErrorNotAShortPhoto) {
  SiteReply early = Framed(Binary(5000), "early");
  early.missing = 1000;
  Site.Route("/early", early);
  TMemoryStream stream;
  try {
    Http.Get(Url("/early"), stream);
    ADD_FAILURE() << "a truncated body was reported as complete";
  } catch (const EIdSocketError& e) {
    // Says that the server stopped mid-way, not only that it closed.
    EXPECT_EQ(e.Message(),
              L"Connection Closed Gracefully. The server stopped in the middle of the reply, after 5000 of 6000 bytes.");
  }
  SiteReply cut = SiteReply::Raw("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n10\r\nonly", false);
  Site.Route("/early", cut);
  EXPECT_EQ(FailureOf(Url("/early")),
            L"Connection Closed Gracefully. The server stopped in the middle of the reply, after 4 bytes.");
  // Nothing at all: closed while the status line is awaited.
  Site.Route("/early", SiteReply::Raw(""));
  EXPECT_EQ(FailureOf(Url("/early")), L"Connection Closed Gracefully.");
  Site.Route("/early", SiteReply::Raw("HTTP/1.1 200 OK\r\nContent-"));
  EXPECT_EQ(FailureOf(Url("/early")), L"Connection Closed Gracefully.");
  EXPECT_EQ(Http.Get(Url("/fine")).substr(0, 6), L"<html>");
}

TEST_F(SiteTest, ContinueRepliesAreSkipped) {
  SiteReply r = SiteReply::Ok("after continue");
  r.sendContinue = true;
  Site.Route("/c", r);
  EXPECT_EQ(Http.Get(Url("/c")), L"after continue");
  Site.Route("/c", SiteReply::Raw("HTTP/1.1 100 Continue\r\nX: y\r\n\r\nHTTP/1.1 100 Continue\r\n\r\n"
                                  "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok", true));
  EXPECT_EQ(Http.Get(Url("/c")), L"ok");
}

TEST_F(SiteTest, TextIsDecodedByTheReplyOrTheLastNamedCharset) {
  const std::string zhongwenGbk = "\xd6\xd0\xce\xc4", zhongwenUtf8 = "\xe4\xb8\xad\xe6\x96\x87";
  Site.Route("/plain", SiteReply::Ok("caf\xe9", ""));
  Site.Route("/gbk", SiteReply::Ok(zhongwenGbk, "text/html; charset=GBK"));
  Site.Route("/gbk-bare", SiteReply::Ok(zhongwenGbk, "text/html"));
  Site.Route("/utf8-quoted", SiteReply::Ok(zhongwenUtf8, "text/html;charset=\"utf-8\""));
  Site.Route("/unknown", SiteReply::Ok("caf\xe9", "text/html; charset=x-martian"));
  EXPECT_EQ(Http.Get(Url("/plain")), L"caf\u00e9");             // none named yet: ISO-8859-1
  EXPECT_EQ(Http.Get(Url("/gbk")), L"\u4e2d\u6587");
  EXPECT_EQ(Http.Get(Url("/gbk-bare")), L"\u4e2d\u6587");         // the last named one
  StreamGet("/utf8-quoted");                                      // stream replies name charsets too
  EXPECT_EQ(Http.Get(Url("/plain")), L"caf\ufffd");              // "caf\xe9" read as UTF-8
  EXPECT_EQ(Http.Get(Url("/utf8-quoted")), L"\u4e2d\u6587");
  EXPECT_EQ(Http.Get(Url("/unknown")), L"caf\u00e9");
  EXPECT_EQ(Http.Get(Url("/plain")), L"caf\u00e9");               // the unknown name was the last named
}

TEST_F(SiteTest, ConnectionReuseAndClosing) {
  SiteReply closing = SiteReply::Ok("bye").Header("Connection", " Close ");
  SiteReply proxyClosing = SiteReply::Ok("bye").Header("Proxy-Connection", "close");
  SiteReply dropped = SiteReply::Ok("dropped");
  dropped.close = true;  // the server closes without saying so
  Site.Route("/close", closing);
  Site.Route("/proxy-close", proxyClosing);
  Site.Route("/dropped", dropped);
  Site.Route("/keep", SiteReply::Ok("keep").Header("Connection", "keep-alive"));
  for (const char* path : {"/keep", "/keep", "/close", "/keep", "/proxy-close", "/keep", "/dropped", "/keep",
                           "/dropped", "/keep"})
    Http.Get(Url(path));
  auto r = Requests();
  ASSERT_EQ(r.size(), 10u);
  std::vector<int> expected = {1, 1, 1, 2, 2, 3, 3, 4, 4, 5};
  for (size_t i = 0; i < r.size(); ++i) EXPECT_EQ(r[i].connection - r[0].connection + 1, expected[i]) << i;
  Http.Disconnect();
  Http.Get(Url("/keep"));
  EXPECT_NE(Requests().back().connection, r.back().connection);
}

TEST_F(SiteTest, BytesNobodyAskedForRetireTheConnection) {
  // A reply longer than it said: what follows must not pass for the next reply.
  Site.Route("/long", SiteReply::Raw("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok"
                                     "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nstale",
                                     true));
  EXPECT_EQ(Http.Get(Url("/long")), L"ok");
  EXPECT_EQ(Http.Get(Url("/next")).substr(0, 6), L"<html>");
  auto r = Requests();
  ASSERT_EQ(r.size(), 2u);
  EXPECT_NE(r[0].connection, r[1].connection);
}

TEST_F(SiteTest, AnotherHostOrPortClosesTheConnection) {
  SampleSite other;
  Http.Get(Url("/1"));
  Http.Get(Url("/2"));
  Http.Get(other.WUrl("/elsewhere"));
  Http.Get(Url("/3"));
  auto r = Requests();
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[0].connection, r[1].connection);
  EXPECT_NE(r[1].connection, r[2].connection);
  EXPECT_EQ(other.Requests().size(), 1u);
  // A relative address goes to the host of the previous request.
  Http.Get(L"/4");
  EXPECT_EQ(Requests().back().Target(), "/4");
  EXPECT_EQ(Requests().back().connection, r[2].connection);
}

TEST_F(SiteTest, RedirectBodyIsAwaitedAtMostFiveSeconds) {
  SiteReply slow = SiteReply::Redirect(302, "/there");
  slow.body = "late body";
  slow.bodyDelay = 30;
  Site.Route("/slow", slow);
  Site.Route("/there", SiteReply::Ok("there"));
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Http.Get(Url("/slow")), L"there");
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_GE(seconds, 4.5);
  EXPECT_LT(seconds, 20.0);
  auto r = Requests();
  ASSERT_EQ(r.size(), 2u);
  EXPECT_NE(r[0].connection, r[1].connection);  // the half-read connection is given up
}

TEST_F(SiteTest, AKeptConnectionTheServerDroppedIsReplacedOnce) {
  Site.Route("/flaky", std::vector<SiteReply>{SiteReply::Raw(""), SiteReply::Ok("second try")});
  Http.Get(Url("/keep"));
  EXPECT_EQ(Http.Get(Url("/flaky")), L"second try");
  auto r = Requests();
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[1].connection, r[0].connection);
  EXPECT_NE(r[2].connection, r[1].connection);
  EXPECT_EQ(r[2].raw, r[1].raw);
  // A new connection that fails is not tried again.
  Site.Reset();
  Http.Disconnect();
  Site.Route("/flaky", SiteReply::Raw(""));
  EXPECT_EQ(FailureOf(Url("/flaky")), L"Connection Closed Gracefully.");
  EXPECT_EQ(Requests().size(), 1u);
}

namespace {
// A stream that fails once it holds more than a few bytes, as a full disk would.
class TFullStream : public TMemoryStream {
public:
  int64_t Write(const void* Buffer, int64_t Count) override {
    if (Size() + Count > 1000) throw EWriteError(L"Stream write error");
    return TMemoryStream::Write(Buffer, Count);
  }
};
}  // namespace

TEST_F(SiteTest, AFailingStreamLeavesNoHalfReadReply) {
  Site.Route("/big", Framed(Binary(600000), "length"));
  TFullStream full;
  EXPECT_THROW(Http.Get(Url("/big"), full), EWriteError);
  EXPECT_EQ(Http.Get(Url("/after")).substr(0, 6), L"<html>");
  auto r = Requests();
  ASSERT_EQ(r.size(), 2u);
  EXPECT_NE(r[0].connection, r[1].connection);
}
