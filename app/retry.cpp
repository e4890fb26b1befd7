#include "app/retry.h"

#include <windows.h>

#include <algorithm>

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
};

constexpr int kHostNotFound = 11001;  // WSAHOST_NOT_FOUND: asking again gives the same answer
constexpr int kNoAddress = 11004;     // WSANO_DATA

std::wstring OneLine(const std::wstring& text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' || text[i] == L'\n') {
      if (!out.empty() && out.back() != L' ') out += L' ';
    } else {
      out += text[i];
    }
  }
  return out;
}

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

int RetryDelayMs(int AFailedTries, const std::string& ARetryAfter, int64_t ANowUnix) {
  std::string value = ARetryAfter;
  while (!value.empty() && value.back() == ' ') value.pop_back();
  while (!value.empty() && value.front() == ' ') value.erase(0, 1);
  if (!value.empty() && value.find_first_not_of("0123456789") == std::string::npos)
    return value.size() > 6 ? kMaxRetryAfterMs : std::min(std::stoi(value) * 1000, kMaxRetryAfterMs);
  int64_t date = 0;
  if (!value.empty() && net::ParseHttpDate(value, date))
    return static_cast<int>(std::clamp<int64_t>((date - ANowUnix) * 1000, 0, kMaxRetryAfterMs));
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
      const int delay = RetryDelayMs(failed, status ? status->RetryAfter() : std::string(), APlan.Clock->UnixNow());
      ANote(ALabel + L"....retry " + std::to_wstring(failed) + L" of " + std::to_wstring(APlan.Retries) + L" in " +
            std::to_wstring((delay + 999) / 1000) + L" s: " + MessageOf(e));
      if (!APlan.Clock->Wait(delay, AWait)) throw;
    }
  }
}

}  // namespace talvik::app
