// Reads one string out of a JSON text (the Chromium family's "Local State").
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvik::browsers {

// The string at APath (object keys from the top), decoded to UTF-8; nothing
// when the text is not JSON, the path is missing, or the value is no string.
std::optional<std::string> JsonStringAt(std::string_view AText, const std::vector<std::string_view>& APath);

}  // namespace talvik::browsers
