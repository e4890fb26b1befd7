#include "app/retry.h"

#include <windows.h>

#include <algorithm>
#include <random>

#include "app/error_text.h"
#include "framework/sysutils.h"
#include "net/cookie_store.h"
#include "net/idhttp.h"

namespace talvik::app {

namespace {

class TSystemBackoffClock : public IBackoffClock {
public:
  int64_t UnixNow() override {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    const uint64_t ticks = (uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return static_cast<int64_t>(ticks / 10000000 - 11644473600ull);
  }
  bool Wait(int AMs, const std::function<bool(int)>& ARealWait) override { return ARealWait(AMs); }
  // A quarter either way: a wait shown as "1 s" stays within what rounds to it.
  int Spread(int ABackoffMs) override {
    thread_local std::mt19937 random(std::random_device{}() ^ GetCurrentThreadId() ^ GetTickCount());
    return ABackoffMs * 3 / 4 + static_cast<int>(random() % std::max(1u, static_cast<unsigned>(ABackoffMs) / 2));
  }
};

constexpr int kHostNotFound = 11001;  // WSAHOST_NOT_FOUND: asking again gives the same answer
constexpr int kNoAddress = 11004;     // WSANO_DATA

std::wstring MessageOf(const std::exception& e) {
  if (auto* own = dynamic_cast<const Exception*>(&e)) return OneLine(own->Message());
  return OneLine(Utf8ToWide(e.what()));
}

}  // namespace

IBackoffClock& SystemBackoffClock() {
  static TSystemBackoffClock clock;
  return clock;
}

bool IsPassingFailure(const std::exception& AError) {
  if (auto* status = dynamic_cast<const net::EIdHTTPProtocolException*>(&AError)) {
    const int code = status->ErrorCode();
    return code == 408 || code == 429 || (code >= 500 && code <= 599);
  }
  if (auto* socket = dynamic_cast<const net::EIdSocketError*>(&AError))
    return socket->ErrorCode() != kHostNotFound && socket->ErrorCode() != kNoAddress;
  return dynamic_cast<const net::EIdReadTimeout*>(&AError) || dynamic_cast<const net::EIdBrokenReply*>(&AError);
}

bool RetryAfterMs(const std::string& ARetryAfter, int64_t ANowUnix, int& AMs) {
  std::string value = ARetryAfter;
  while (!value.empty() && value.back() == ' ') value.pop_back();
  while (!value.empty() && value.front() == ' ') value.erase(0, 1);
  if (!value.empty() && value.find_first_not_of("0123456789") == std::string::npos) {
    AMs = value.size() > 6 ? kMaxRetryAfterMs : std::min(std::stoi(value) * 1000, kMaxRetryAfterMs);
    return true;
  }
  int64_t date = 0;
  if (value.empty() || !net::ParseHttpDate(value, date)) return false;
  AMs = static_cast<int>(std::clamp<int64_t>((date - ANowUnix) * 1000, 0, kMaxRetryAfterMs));
  return true;
}

int RetryDelayMs(int AFailedTries, const std::string& ARetryAfter, int64_t ANowUnix) {
  int told = 0;
  if (RetryAfterMs(ARetryAfter, ANowUnix, told)) return told;
  const int doublings = std::clamp(AFailedTries - 1, 0, 15);
  return std::min(1000 << doublings, kMaxBackoffMs);
}

void WithRetries(const TRetryPlan& APlan, const std::wstring& ALabel, const std::function<void()>& AAttempt,
                 const std::function<void(const std::wstring&)>& ANote, const std::function<bool(int)>& AWait) {
  for (int failed = 0;; ) {
    try {
      AAttempt();
      return;
    } catch (const std::exception& e) {
      if (failed >= APlan.Retries || !IsPassingFailure(e)) throw;
      ++failed;
      auto* status = dynamic_cast<const net::EIdHTTPProtocolException*>(&e);
      int delay = 0;
      if (!status || !RetryAfterMs(status->RetryAfter(), APlan.Clock->UnixNow(), delay))
        delay = std::min(APlan.Clock->Spread(RetryDelayMs(failed, {}, 0)), kMaxBackoffMs);
      ANote(ALabel + L"....retry " + std::to_wstring(failed) + L" of " + std::to_wstring(APlan.Retries) + L" in " +
            std::to_wstring((delay + 500) / 1000) + L" s: " + MessageOf(e));
      if (!APlan.Clock->Wait(delay, AWait)) throw;
    }
  }
}

}  // namespace talvik::app
