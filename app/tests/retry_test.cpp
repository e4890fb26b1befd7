#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "app/retry.h"
#include "net/idhttp.h"

using namespace talvik;
using namespace talvik::app;

namespace {

TEST(Retry, BackOffDoublesUpToItsCap) {
  const int expected[] = {1000, 2000, 4000, 8000, 16000, 30000, 30000};
  for (int tries = 1; tries <= 7; ++tries) EXPECT_EQ(RetryDelayMs(tries, "", 0), expected[tries - 1]) << tries;
  EXPECT_EQ(RetryDelayMs(1000, "", 0), 30000);
  EXPECT_EQ(RetryDelayMs(1, " 12 ", 0), 12000);
  EXPECT_EQ(RetryDelayMs(1, "99999999999", 0), 300000);
  EXPECT_EQ(RetryDelayMs(3, "-5", 0), 4000);
}

TEST(Retry, OnlyPassingFailures) {
  struct Case {
    std::exception_ptr error;
    bool passing;
  } cases[] = {
      {std::make_exception_ptr(net::EIdSocketError(L"refused", 10061)), true},
      {std::make_exception_ptr(net::EIdSocketError(L"reset", 10054)), true},
      {std::make_exception_ptr(net::EIdSocketError(L"Connection Closed Gracefully.")), true},
      {std::make_exception_ptr(net::EIdSocketError(L"no such host", 11001)), false},
      {std::make_exception_ptr(net::EIdReadTimeout(L"silent")), true},
      {std::make_exception_ptr(net::EIdBrokenReply(L"bad chunk")), true},
      {std::make_exception_ptr(net::EIdReplyTooLarge(L"too large")), false},
      {std::make_exception_ptr(net::EIdTlsError(L"The certificate of x is not trusted: it has expired.")), false},
      {std::make_exception_ptr(net::EIdException(L"Too many redirects.")), false},
      {std::make_exception_ptr(net::EIdHTTPProtocolException(L"408", 408)), true},
      {std::make_exception_ptr(net::EIdHTTPProtocolException(L"429", 429)), true},
      {std::make_exception_ptr(net::EIdHTTPProtocolException(L"500", 500)), true},
      {std::make_exception_ptr(net::EIdHTTPProtocolException(L"599", 599)), true},
      {std::make_exception_ptr(net::EIdHTTPProtocolException(L"404", 404)), false},
      {std::make_exception_ptr(net::EIdHTTPProtocolException(L"Proxy refused: 407", 407)), false},
      {std::make_exception_ptr(EWriteError(L"disk full")), false},
  };
  for (const auto& c : cases) {
    try {
      std::rethrow_exception(c.error);
    } catch (const std::exception& e) {
      EXPECT_EQ(IsPassingFailure(e), c.passing) << e.what();
    }
  }
}

TEST(Retry, BackOffIsSpreadAndRetryAfterIsNot) {
  // Photos that met a rate limit together must not come back together.
  std::set<int> seen;
  for (int i = 0; i < 200; ++i) {
    const int wait = SystemBackoffClock().Spread(2000);
    EXPECT_GE(wait, 1500);
    EXPECT_LT(wait, 2500);
    seen.insert(wait);
  }
  EXPECT_GT(seen.size(), 20u);

  class TShiftingClock : public IBackoffClock {
  public:
    std::vector<int> Waits;
    int64_t UnixNow() override { return 0; }
    bool Wait(int AMs, const std::function<bool(int)>&) override { return Waits.push_back(AMs), true; }
    int Spread(int ABackoffMs) override { return ABackoffMs + 123; }
  } clock;
  struct Case {
    std::string retryAfter;
    std::vector<int> waits;
  } cases[] = {{"", {1123, 2123}}, {"3", {3000, 3000}}, {"soon", {1123, 2123}}};
  for (const Case& c : cases) {
    clock.Waits.clear();
    int tries = 0;
    std::vector<std::wstring> notes;
    WithRetries({2, &clock}, L"1.jpg", [&] {
      if (++tries < 3) throw net::EIdHTTPProtocolException(L"HTTP/1.1 503 Service Unavailable", 503, c.retryAfter);
    }, [&](const std::wstring& note) { notes.push_back(note); }, [](int) { return true; });
    EXPECT_EQ(clock.Waits, c.waits) << c.retryAfter;
    EXPECT_EQ(notes.front(), std::wstring(L"1.jpg....retry 1 of 2 in ") + (c.retryAfter == "3" ? L"3" : L"1") +
                                 L" s: HTTP/1.1 503 Service Unavailable");
  }
  // The spread never passes the cap.
  clock.Waits.clear();
  int failures = 0;
  WithRetries({6, &clock}, L"x", [&] {
    if (++failures <= 6) throw net::EIdHTTPProtocolException(L"503", 503);
  }, [](const std::wstring&) {}, [](int) { return true; });
  EXPECT_EQ(clock.Waits, (std::vector<int>{1123, 2123, 4123, 8123, 16123, kMaxBackoffMs}));
}

}  // namespace
