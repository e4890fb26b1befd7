// The sample site as the other tests rely on it: pages with the album markers,
// scripted replies in turn, and the record of raw requests per connection.
#include <winsock2.h>

#include <gtest/gtest.h>

#include "tests/support/sample_site.h"

using talvik::testsupport::SampleSite;
using talvik::testsupport::SiteReply;

namespace {

// Sends the requests on one connection and returns everything read until the site closes it.
std::string Exchange(int port, const std::string& requests) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<u_short>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  EXPECT_EQ(connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
  send(s, requests.data(), static_cast<int>(requests.size()), 0);
  std::string out;
  char buf[65536];
  for (int n; (n = recv(s, buf, sizeof buf, 0)) > 0;) out.append(buf, n);
  closesocket(s);
  return out;
}

std::string Get(const std::string& target, bool last = true) {
  return "GET " + target + " HTTP/1.1\r\nHost: x\r\n" + (last ? "Connection: close\r\n" : "") + "\r\n";
}

}  // namespace

TEST(SampleSite, AlbumPagesCarryTheMarkers) {
  SampleSite site({"--album", "two:5:3:3000"});
  std::string list = Exchange(site.Port(), Get("/album/two?curpage=1"));
  EXPECT_NE(list.find("<span class=\"img\"><a href=\"" + site.Url("/album/two/photo/4") + "\""), std::string::npos);
  EXPECT_NE(list.find(site.Url("/album/two/photo/5")), std::string::npos);
  EXPECT_EQ(list.find("/album/two/photo/3\""), std::string::npos);
  EXPECT_EQ(Exchange(site.Port(), Get("/album/two?curpage=2")).find("<span class=\"img\">"), std::string::npos);

  std::string photo = Exchange(site.Port(), Get("/album/two/photo/4"));
  std::string port = std::to_string(site.Port());
  EXPECT_NE(photo.find("\"large\":\"http:\\/\\/127.0.0.1:" + port + "\\/photo\\/two-4.jpg\""), std::string::npos);

  std::string jpeg = Exchange(site.Port(), Get("/photo/two-4.jpg"));
  std::string body = jpeg.substr(jpeg.find("\r\n\r\n") + 4);
  ASSERT_EQ(body.size(), 3000u);
  EXPECT_EQ(body.substr(0, 4), "\xff\xd8\xff\xfe");
  EXPECT_EQ(body.substr(body.size() - 2), "\xff\xd9");
  std::string other = Exchange(site.Port(), Get("/photo/two-5.jpg"));
  EXPECT_NE(other.substr(other.find("\r\n\r\n") + 4), body);
  EXPECT_NE(Exchange(site.Port(), Get("/photo/two-6.jpg")).find(" 404 "), std::string::npos);
}

TEST(SampleSite, ScriptedRepliesComeInTurnAndTheLastRepeats) {
  SampleSite site;
  site.Route("/r", {SiteReply::Redirect(302, "/next"), SiteReply::Status(404, "Not Found", "gone")});
  SiteReply chunked = SiteReply::Ok("abcdefghij");
  chunked.framing = "chunked";
  chunked.chunk = 4;
  site.Route("/c", chunked);
  std::string out = Exchange(site.Port(), Get("/r", false) + Get("/r", false) + Get("/r", false) + Get("/c"));
  size_t first = out.find("HTTP/1.1 302 Found\r\nLocation: /next\r\n");
  size_t second = out.find("HTTP/1.1 404 Not Found\r\n");
  size_t third = out.find("HTTP/1.1 404 Not Found\r\n", second + 1);
  EXPECT_NE(first, std::string::npos);
  EXPECT_LT(first, second);
  EXPECT_NE(third, std::string::npos);
  EXPECT_NE(out.find("Transfer-Encoding: chunked\r\n\r\n4\r\nabcd\r\n4\r\nefgh\r\n2\r\nij\r\n0\r\n\r\n"),
            std::string::npos);

  site.Route("/raw", SiteReply::Raw(std::string("\x00\xff junk\r\n", 8)));
  EXPECT_EQ(Exchange(site.Port(), Get("/raw")), std::string("\x00\xff junk\r\n", 8));
}

TEST(SampleSite, RecordsRawRequestsWithTheirConnection) {
  SampleSite site;
  Exchange(site.Port(), Get("/a", false) + Get("/b?x=1"));
  Exchange(site.Port(), Get("/c"));
  auto requests = site.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].raw, Get("/a", false));
  EXPECT_EQ(requests[1].Target(), "/b?x=1");
  EXPECT_EQ(requests[0].connection, requests[1].connection);
  EXPECT_NE(requests[1].connection, requests[2].connection);
  site.Reset();
  EXPECT_TRUE(site.Requests().empty());
}

TEST(SampleSite, BadControlCommandsAreReported) {
  SampleSite site;
  EXPECT_THROW(site.Command("{\"cmd\":\"nonsense\"}"), std::runtime_error);
  EXPECT_THROW(site.Route("/x", std::vector<SiteReply>{}), std::runtime_error);
}
