// The text with which an error that ends a handler is reported to the user.
#pragma once
#include <string>
#include <string_view>

namespace talvik::app {

// The message, with "." appended when its last character's code is above that of ".".
std::wstring ErrorReportText(std::wstring_view AMessage);

}  // namespace talvik::app
