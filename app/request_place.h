// Errors of the run's requests say which photo or page they concern and at
// which address, on one line: "7.jpg (http://host/img/7.jpg): HTTP/1.1 404 Not Found".
#pragma once
#include <functional>
#include <string>

namespace talvik::app {

// Runs ARequest; a failure of the exchange leaves with its type and the place
// put before its message. Other failures (a file that cannot be written names
// its file already) leave as they came.
void SayWhere(const std::wstring& AWhat, const std::wstring& AAddress, const std::function<void()>& ARequest);

}  // namespace talvik::app
