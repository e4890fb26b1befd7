#include <gtest/gtest.h>

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

}  // namespace
