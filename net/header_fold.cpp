#include "net/header_fold.h"

namespace talvik::net {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string TrimRightBlanks(std::string s) {
  while (!s.empty() && IsBlank(s.back())) s.pop_back();
  return s;
}

// The break to take in s (a position after which the piece ends), or npos.
// Positions up to `from` are not breaks: they belong to a continuation's leading space.
size_t FindBreak(const std::string& s, size_t width, size_t from) {
  size_t best = std::string::npos, first = std::string::npos;
  bool quoted = false;
  for (size_t i = 0; i + 1 < s.size(); ++i) {
    char c = s[i];
    if (c == '"') quoted = !quoted;
    if (quoted || i < from || !(IsBlank(c) || c == ',')) continue;
    size_t end = i + 1;
    if (first == std::string::npos) first = end;
    size_t kept = end;
    while (kept > 0 && IsBlank(s[kept - 1])) --kept;
    if (kept <= width) best = end;
    else break;
  }
  return best != std::string::npos ? best : first;
}

}  // namespace

std::vector<std::string> FoldHeaderLine(const std::string& ALine, size_t AWidth) {
  std::vector<std::string> out;
  std::string rest = ALine;
  // Never break between the header's name and its value.
  size_t colon = ALine.find(": ");
  size_t from = colon == std::string::npos ? 0 : colon + 2;
  while (rest.size() > AWidth) {
    size_t cut = FindBreak(rest, AWidth, from);
    if (cut == std::string::npos) break;
    std::string piece = TrimRightBlanks(rest.substr(0, cut));
    size_t next = cut;
    while (next < rest.size() && IsBlank(rest[next])) ++next;
    if (next == rest.size()) break;
    out.push_back(piece);
    rest = " " + rest.substr(next);
    from = 1;
  }
  out.push_back(TrimRightBlanks(rest));
  if (out.size() == 1) out[0] = ALine;
  return out;
}

}  // namespace talvik::net
