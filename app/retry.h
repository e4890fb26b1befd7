// Trying a request again after a failure that may pass: which failures those
// are, how long to wait before the next try, and the loop that does it.
#pragma once
#include <cstdint>
#include <exception>
#include <functional>
#include <string>

namespace talvik::app {

// The time that the back-off reads and waits; tests put one in that only notes the waits.
class IBackoffClock {
public:
  virtual ~IBackoffClock() = default;
  // Seconds since 1970, UTC: a "Retry-After" date is measured against it.
  virtual int64_t UnixNow() = 0;
  // Waits AMs milliseconds through ARealWait, which returns false when the run is
  // stopping; returns what it returned.
  virtual bool Wait(int AMs, const std::function<bool(int)>& ARealWait) = 0;
  // A back-off wait with a random share of its own, so that photos that met a
  // rate limit together do not come back together; as it is unless overridden.
  virtual int Spread(int ABackoffMs) { return ABackoffMs; }
};

IBackoffClock& SystemBackoffClock();

// Refused or reset connections, timeouts, broken or cut replies, 408, 429 and 5xx.
bool IsPassingFailure(const std::exception& AError);

constexpr int kMaxBackoffMs = 30 * 1000;
constexpr int kMaxRetryAfterMs = 5 * 60 * 1000;

// The wait before the next try after AFailedTries failures: the server's
// "Retry-After" (seconds or an HTTP date) when it gave a usable one, else 1, 2, 4, ... s.
int RetryDelayMs(int AFailedTries, const std::string& ARetryAfter, int64_t ANowUnix);
// The wait a usable "Retry-After" asks for, into AMs; false when it gave none.
bool RetryAfterMs(const std::string& ARetryAfter, int64_t ANowUnix, int& AMs);

struct TRetryPlan {
  int Retries = 0;  // tries after the first
  IBackoffClock* Clock = &SystemBackoffClock();
};

// Runs AAttempt; after a passing failure, while the plan allows, notes one line
// ("ALABEL....retry 1 of 3 in 2 s: reason"), waits (a back-off spread by the
// clock, a server's "Retry-After" as asked) and runs it again. The last
// failure, or one that does not pass, or one whose wait was cut short, leaves as it came.
void WithRetries(const TRetryPlan& APlan, const std::wstring& ALabel, const std::function<void()>& AAttempt,
                 const std::function<void(const std::wstring&)>& ANote, const std::function<bool(int)>& AWait);

}  // namespace talvik::app
