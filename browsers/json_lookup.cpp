#include "browsers/json_lookup.h"

#include <cctype>

namespace talvik::browsers {

namespace {

// A reader that walks the text once, skipping what is off the path. Depth is
// bounded so that a hostile file cannot exhaust the stack.
class TJsonWalk {
public:
  explicit TJsonWalk(std::string_view text) : T(text) {}

  bool Find(const std::vector<std::string_view>& path, size_t depth, std::optional<std::string>& out) {
    Space();
    if (depth == path.size()) {
      std::string s;
      if (!String(s)) return false;
      out = std::move(s);
      return true;
    }
    if (!Take('{')) return false;
    Space();
    if (Take('}')) return true;
    for (;;) {
      std::string key;
      Space();
      if (!String(key)) return false;
      Space();
      if (!Take(':')) return false;
      if (key == path[depth] && !out) {
        Space();
        if (depth + 1 < path.size() ? Peek() == '{' : Peek() == '"') {
          if (!Find(path, depth + 1, out)) return false;
        } else if (!Skip(0)) {
          return false;
        }
      } else if (!Skip(0)) {
        return false;
      }
      Space();
      if (Take('}')) return true;
      if (!Take(',')) return false;
    }
  }

private:
  static constexpr int kMaxDepth = 64;

  char Peek() const { return P < T.size() ? T[P] : '\0'; }
  bool Take(char c) {
    if (Peek() != c) return false;
    ++P;
    return true;
  }
  void Space() {
    while (P < T.size() && (T[P] == ' ' || T[P] == '\t' || T[P] == '\n' || T[P] == '\r')) ++P;
  }

  static void AppendUtf8(std::string& s, unsigned c) {
    if (c < 0x80) {
      s += static_cast<char>(c);
    } else if (c < 0x800) {
      s += static_cast<char>(0xC0 | (c >> 6));
      s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      s += static_cast<char>(0xE0 | (c >> 12));
      s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      s += static_cast<char>(0xF0 | (c >> 18));
      s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      s += static_cast<char>(0x80 | (c & 0x3F));
    }
  }

  bool Hex4(unsigned& v) {
    if (P + 4 > T.size()) return false;
    v = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = T[P++];
      v <<= 4;
      if (c >= '0' && c <= '9') v |= c - '0';
      else if (c >= 'a' && c <= 'f') v |= c - 'a' + 10;
      else if (c >= 'A' && c <= 'F') v |= c - 'A' + 10;
      else return false;
    }
    return true;
  }

  bool String(std::string& s) {
    if (!Take('"')) return false;
    while (P < T.size()) {
      const char c = T[P++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c != '\\') {
        s += c;
        continue;
      }
      if (P >= T.size()) return false;
      const char e = T[P++];
      switch (e) {
        case '"': case '\\': case '/': s += e; break;
        case 'b': s += '\b'; break;
        case 'f': s += '\f'; break;
        case 'n': s += '\n'; break;
        case 'r': s += '\r'; break;
        case 't': s += '\t'; break;
        case 'u': {
          unsigned v;
          if (!Hex4(v)) return false;
          if (v >= 0xD800 && v < 0xDC00 && T.substr(P, 2) == "\\u") {
            P += 2;
            unsigned low;
            if (!Hex4(low) || low < 0xDC00 || low > 0xDFFF) return false;
            v = 0x10000 + ((v - 0xD800) << 10) + (low - 0xDC00);
          }
          AppendUtf8(s, v);
          break;
        }
        default: return false;
      }
    }
    return false;
  }

  bool Skip(int depth) {
    if (depth > kMaxDepth) return false;
    Space();
    const char c = Peek();
    if (c == '"') {
      std::string ignored;
      return String(ignored);
    }
    if (c == '{' || c == '[') {
      const char close = c == '{' ? '}' : ']';
      ++P;
      Space();
      if (Take(close)) return true;
      for (;;) {
        Space();
        if (c == '{') {
          std::string key;
          if (!String(key)) return false;
          Space();
          if (!Take(':')) return false;
        }
        if (!Skip(depth + 1)) return false;
        Space();
        if (Take(close)) return true;
        if (!Take(',')) return false;
      }
    }
    // A number, true, false or null.
    const size_t start = P;
    while (P < T.size() && (std::isalnum(static_cast<unsigned char>(T[P])) || T[P] == '-' || T[P] == '+' || T[P] == '.'))
      ++P;
    return P > start;
  }

  std::string_view T;
  size_t P = 0;
};

}  // namespace

std::optional<std::string> JsonStringAt(std::string_view AText, const std::vector<std::string_view>& APath) {
  if (AText.substr(0, 3) == "\xEF\xBB\xBF") AText.remove_prefix(3);
  std::optional<std::string> out;
  TJsonWalk walk(AText);
  if (!walk.Find(APath, 0, out)) return std::nullopt;
  return out;
}

}  // namespace talvik::browsers
