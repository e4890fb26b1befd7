// Replies from a hostile or broken server end in a clear error, and the client
// goes on working with a new connection.
#include <chrono>

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

TEST_F(SiteTest, ControlCharactersAndBadHostsAreNeverFollowed) {
  const std::string after = ".evil.example:" + std::to_string(Site.Port()) + "/next";
  auto redirect = [](const std::string& location) {
    return SiteReply::Raw("HTTP/1.1 302 Found\r\nLocation: " + location + "\r\nContent-Length: 0\r\n\r\n");
  };
  struct Case {
    const char* name;
    SiteReply reply;
    std::wstring message;
  } cases[] = {
      // Cut at the NUL, the host would be 127.0.0.1, and the cookies those of evil.example.
      {"NUL in a redirect's host", redirect(std::string("http://127.0.0.1\0", 17) + after),
       L"Control character in HTTP reply header: Location: http://127.0.0.1?.evil.example"},
      {"CR inside a header value", SiteReply::Ok("x").Header("Set-Cookie", "a=1\rDomain=.example"),
       L"Control character in HTTP reply header: Set-Cookie: a=1?Domain=.example"},
      {"escaped NUL in a redirect's host", redirect("http://127.0.0.1%00" + after),
       L"Invalid host name in address: 127.0.0.1%00.evil.example"},
      {"blank in a redirect's host", redirect("http://127.0.0.1 .evil.example/"),
       L"Invalid host name in address: 127.0.0.1 .evil.example"},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    Site.Reset();
    Site.Route("/hostile", c.reply);
    std::wstring message = L"no error";
    try {
      Http.Get(Url("/hostile"));
    } catch (const EIdBrokenReply& e) {
      message = e.Message();
    }
    EXPECT_EQ(message.substr(0, c.message.size()), c.message) << Utf8(message);
    EXPECT_EQ(Targets(), std::vector<std::string>{"/hostile"});
  }
  // An address with a control character in its host is refused before any connection.
  Site.Reset();
  EXPECT_EQ(FailureOf(L"http://127.0.0.1\x01.evil.example:" + std::to_wstring(Site.Port()) + L"/"),
            L"Invalid host name in address: 127.0.0.1?.evil.example");
  EXPECT_TRUE(Targets().empty());
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
  } cases[] = {
      {"bare LF line ends", "HTTP/1.1 200 OK\nContent-Length: 2\n\nok", L"ok"},
      {"folded header", "HTTP/1.1 200 OK\r\nX-A: one\r\n two\r\nContent-Length: 2\r\n\r\nok", L"ok"},
      {"line without colon", "HTTP/1.1 200 OK\r\nnonsense\r\nContent-Length: 2\r\n\r\nok", L"ok"},
      {"the same length twice", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nContent-Length: 2\r\n\r\nok", L"ok"},
      {"extra bytes after the body", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nokJUNK", L"ok"},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    Site.Route("/odd", SiteReply::Raw(c.raw, true));
    EXPECT_EQ(Http.Get(Url("/odd")), c.body);
  }
}

TEST_F(SiteTest, InvalidContentLengthIsABrokenReply) {
  struct Case {
    const char* name;
    std::string lines;
    std::wstring shown;
  } cases[] = {
      {"negative", "Content-Length: -5", L"-5"},
      {"not a number", "Content-Length: five", L"five"},
      {"trailing junk", "Content-Length: 5x", L"5x"},
      {"two numbers", "Content-Length: 5 6", L"5 6"},
      {"signed", "Content-Length: +5", L"+5"},
      {"fraction", "Content-Length: 5.0", L"5.0"},
      {"empty", "Content-Length: ", L""},
      {"past 64 bits", "Content-Length: 18446744073709551616", L"18446744073709551616"},
      {"far past 64 bits", "Content-Length: 99999999999999999999999999", L"99999999999999999999999999"},
      {"two that differ", "Content-Length: 5\r\nContent-Length: 9", L"9"},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    // A short body the server then closes on: read to the close, it would pass for a whole one.
    Site.Route("/bad-length", SiteReply::Raw("HTTP/1.1 200 OK\r\n" + c.lines + "\r\n\r\nshort"));
    EXPECT_EQ(FailureOf(Url("/bad-length")), L"Invalid Content-Length in HTTP reply: " + c.shown);
    TMemoryStream stream;
    EXPECT_THROW(Http.Get(Url("/bad-length"), stream), EIdException);
    EXPECT_EQ(stream.Size(), 0);
  }
  EXPECT_EQ(Http.Get(Url("/after")).substr(0, 6), L"<html>");
}

namespace {
// Counts what arrives without keeping it, as a file on disk would.
class TCountingStream : public TStream {
public:
  int64_t Written = 0;
  int64_t Write(const void*, int64_t Count) override { return Written += Count, Count; }
  int64_t Read(void*, int64_t) override { return 0; }
  int64_t Seek(int64_t, TSeekOrigin) override { return Written; }
};
}  // namespace

TEST_F(SiteTest, BodiesStopAtTheirLimit) {
  const std::string ok = "HTTP/1.1 200 OK\r\n";
  SiteReply endlessClose = SiteReply::Raw(ok + "\r\n");
  endlessClose.forever = std::string(4096, 'x');
  SiteReply endlessChunks = SiteReply::Raw(ok + "Transfer-Encoding: chunked\r\n\r\n");
  endlessChunks.forever = "1000\r\n" + std::string(4096, 'y') + "\r\n";
  SiteReply endlessExtensions = SiteReply::Raw(ok + "Transfer-Encoding: chunked\r\n\r\n");
  endlessExtensions.forever = "1;" + std::string(60000, 'e') + "\r\nz\r\n";
  struct Case {
    const char* name;
    SiteReply reply;
    bool stream;
    std::wstring message;
  } cases[] = {
      {"endless chunks, mostly extensions", endlessExtensions, false, L"HTTP reply body larger than 16777216 bytes"},
      // A page is held whole: it stops at 16 MB.
      {"endless page to the close", endlessClose, false, L"HTTP reply body larger than 16777216 bytes"},
      {"endless chunked page", endlessChunks, false, L"HTTP reply body larger than 16777216 bytes"},
      {"page announced too long", SiteReply::Raw(ok + "Content-Length: 16777217\r\n\r\nxyz"), false,
       L"HTTP reply body larger than 16777216 bytes"},
      // A photo streams on; only a length past 1 GiB stops it, before anything is read.
      {"photo announced too long", SiteReply::Raw(ok + "Content-Length: 1073741825\r\n\r\nxyz"), true,
       L"HTTP reply body larger than 1073741824 bytes"},
      {"photo chunk too long", SiteReply::Raw(ok + "Transfer-Encoding: chunked\r\n\r\n40000001\r\nxyz"), true,
       L"HTTP reply body larger than 1073741824 bytes"},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    Site.Route("/huge", c.reply);
    TCountingStream sink;
    try {
      if (c.stream) Http.Get(Url("/huge"), sink);
      else Http.Get(Url("/huge"));
      ADD_FAILURE() << "no error";
    } catch (const EIdReplyTooLarge& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(sink.Written, 0);
  }
  // A photo beyond the page limit is fine.
  Site.Album("big", 1, 1, 17000000);
  TCountingStream sink;
  Http.Get(Url("/photo/big-1.jpg"), sink);
  EXPECT_EQ(sink.Written, 17000000);
  EXPECT_EQ(Http.Get(Url("/after")).substr(0, 6), L"<html>");
}

TEST_F(SiteTest, SilentServerEndsInATimeout) {
  Http.SetReadTimeout(1000);
  SiteReply silentBody = SiteReply::Ok("late");
  silentBody.bodyDelay = 30;
  SiteReply silentHead = SiteReply::Ok("late");
  silentHead.delay = 30;
  SiteReply slowButInTime = SiteReply::Ok("in time");
  slowButInTime.delay = 0.3;
  struct Case {
    const char* name;
    SiteReply reply;
    std::wstring result;
  } cases[] = {
      {"silent before the head", silentHead, L"Read timed out: the server sent nothing for 1 second."},
      {"silent inside the body", silentBody, L"Read timed out: the server sent nothing for 1 second."},
      {"slow but within the limit", slowButInTime, L"in time"},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    Site.Route("/slow", c.reply);
    auto start = std::chrono::steady_clock::now();
    std::wstring result;
    try {
      result = Http.Get(Url("/slow"));
    } catch (const EIdReadTimeout& e) {
      result = e.Message();
    }
    EXPECT_EQ(result, c.result);
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 10.0);
  }
  // A kept connection that times out is not tried again: one request each.
  EXPECT_EQ(Requests().size(), 3u);
  EXPECT_EQ(Http.Get(Url("/after")).substr(0, 6), L"<html>");
}
