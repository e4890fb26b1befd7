// The text with which an error that ends a handler is reported to the user.
#pragma once
#include <string>
#include <string_view>

namespace talvik::app {

// The message, with "." appended when its last character's code is above that of ".".
std::wstring ErrorReportText(std::wstring_view AMessage);

// The text on one line: each line break becomes one space.
std::wstring OneLine(std::wstring_view AText);

}  // namespace talvik::app
