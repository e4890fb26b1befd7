// Replies from a hostile or broken server end in a clear error, and the client
// goes on working with a new connection.
#include "net/tests/site_fixture.h"

using namespace talvik;
using namespace talvik::net;
using namespace talvik::net::testing;

TEST_F(SiteTest, HostileRepliesGiveClearErrors) {
  const std::string ok = "HTTP/1.1 200 OK\r\n";
  struct Case {
    const char* name;
    SiteReply reply;
    std::wstring messageStart;
  } cases[] = {
      {"huge header line", SiteReply::Raw(ok + "X-Big: " + std::string(300 * 1024, 'a') + "\r\n\r\n"),
       L"HTTP reply header line longer than 65536 bytes"},
      {"huge status line", SiteReply::Raw("HTTP/1.1 200 " + std::string(100 * 1024, 'b') + "\r\n\r\n"),
       L"HTTP reply header line longer than"},
      {"garbage status line", SiteReply::Raw(std::string("\x00\xff\x7f junk\r\n\r\n", 11)),
       L"Invalid HTTP status line: ??? junk"},
      {"not HTTP", SiteReply::Raw("ICY 200 OK\r\n\r\n"), L"Invalid HTTP status line: ICY 200 OK"},
      {"short code", SiteReply::Raw("HTTP/1.1 20 OK\r\n\r\n"), L"Invalid HTTP status line"},
      {"long code", SiteReply::Raw("HTTP/1.1 2000 OK\r\n\r\n"), L"Invalid HTTP status line"},
      {"bad chunk size", SiteReply::Raw(ok + "Transfer-Encoding: chunked\r\n\r\nzz\r\nabc\r\n0\r\n\r\n"),
       L"Invalid chunk size in HTTP reply: zz"},
      {"negative chunk size", SiteReply::Raw(ok + "Transfer-Encoding: chunked\r\n\r\n-5\r\nabc\r\n0\r\n\r\n"),
       L"Invalid chunk size"},
      {"overflowing chunk size",
       SiteReply::Raw(ok + "Transfer-Encoding: chunked\r\n\r\nfffffffffffffffffff\r\nabc\r\n0\r\n\r\n"),
       L"Invalid chunk size"},
      {"chunk longer than announced", SiteReply::Raw(ok + "Transfer-Encoding: chunked\r\n\r\n2\r\nabcdef\r\n0\r\n\r\n"),
       L"Invalid chunk end"},
      // The status is what matters when the body of an error reply is broken too.
      {"error status with a bad body", SiteReply::Raw("HTTP/1.1 404 Not Found\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n"),
       L"HTTP/1.1 404 Not Found"},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    Site.Route("/hostile", c.reply);
    std::wstring message = FailureOf(Url("/hostile"));
    EXPECT_EQ(message.substr(0, c.messageStart.size()), c.messageStart) << Utf8(message);
    EXPECT_EQ(Http.Get(Url("/after")).substr(0, 6), L"<html>");
  }
}

TEST_F(SiteTest, EndlessRepliesAreCutOff) {
  struct Case {
    const char* name;
    std::string start, repeated;
    std::wstring message;
  } cases[] = {
      {"endless header lines", "HTTP/1.1 200 OK\r\n", "X-Again: and again\r\n",
       L"HTTP reply header larger than 1048576 bytes"},
      {"endless continues", "", "HTTP/1.1 100 Continue\r\n\r\n", L"Too many interim HTTP replies"},
      {"endless blank lines", "", "\r\n", L"HTTP reply header larger than 1048576 bytes"},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    SiteReply r = SiteReply::Raw(c.start);
    r.forever = c.repeated;
    Site.Route("/endless", r);
    EXPECT_EQ(FailureOf(Url("/endless")), c.message);
  }
  EXPECT_EQ(Http.Get(Url("/after")).substr(0, 6), L"<html>");
}

TEST_F(SiteTest, OddButHarmlessReplies) {
  struct Case {
    const char* name;
    std::string raw;
    std::wstring body;
    bool keepOpen = true;
  } cases[] = {
      {"bare LF line ends", "HTTP/1.1 200 OK\nContent-Length: 2\n\nok", L"ok"},
      {"folded header", "HTTP/1.1 200 OK\r\nX-A: one\r\n two\r\nContent-Length: 2\r\n\r\nok", L"ok"},
      {"line without colon", "HTTP/1.1 200 OK\r\nnonsense\r\nContent-Length: 2\r\n\r\nok", L"ok"},
      {"bad length reads to close", "HTTP/1.1 200 OK\r\nContent-Length: -5\r\n\r\nall of it", L"all of it", false},
      {"extra bytes after the body", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nokJUNK", L"ok"},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    Site.Route("/odd", SiteReply::Raw(c.raw, c.keepOpen));
    EXPECT_EQ(Http.Get(Url("/odd")), c.body);
  }
}
