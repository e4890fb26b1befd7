// Text rules shared by the cookies a site sets and the login a user gives.
#pragma once
#include <string>

namespace talvik::net {

// Without the blanks and tabs at either end, as cookie pairs are written.
inline std::string TrimCookieBlanks(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

// ASCII letters in lower case; host names and attribute names compare so.
inline std::string LowerAscii(std::string s) {
  for (auto& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

}  // namespace talvik::net
