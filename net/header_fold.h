// Folding of long request header lines.
#pragma once
#include <string>
#include <vector>

namespace talvik::net {

// Width for lines taken from the custom header list, and for the client's own lines.
constexpr size_t kCustomFoldWidth = 78;
constexpr size_t kOwnFoldWidth = 1024;

// Breaks ALine, when longer than AWidth, after a space, tab or comma outside double
// quotes so that pieces stay within AWidth where such a break exists. Pieces lose
// trailing blanks; every piece after the first starts with one space.
std::vector<std::string> FoldHeaderLine(const std::string& ALine, size_t AWidth);

}  // namespace talvik::net
