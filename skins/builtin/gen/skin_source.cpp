#include "skins/builtin/gen/skin_source.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "framework/sysutils.h"

namespace talvik::skingen {

const char* const kStateNames[11] = {"normal", "hot", "pressed", "disabled", "active", "focused",
                                     "droppeddown", "checked", "hotcheck", "activedisabled",
                                     "checkpressed"};

int StateIndex(const std::string& name) {
  for (int i = 0; i < 11; ++i)
    if (name == kStateNames[i]) return i;
  return -1;
}

namespace {

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
  throw Exception(Utf8ToWide(where + ": " + what));
}

std::string Where(const std::string& file, int line) { return file + ":" + std::to_string(line); }

bool ParseInt(const std::string& s, int32_t& out) {
  if (s.empty()) return false;
  char* end = nullptr;
  long v = std::strtol(s.c_str(), &end, 10);
  if (*end) return false;
  out = static_cast<int32_t>(v);
  return true;
}

bool ParseHexColor(const std::string& s, Rgba& out) {
  std::string rgb = s, alpha;
  auto slash = s.find('/');
  if (slash != std::string::npos) { rgb = s.substr(0, slash); alpha = s.substr(slash + 1); }
  auto hex = [](const std::string& h, int digits, unsigned& v) {
    if (static_cast<int>(h.size()) != digits) return false;
    char* end = nullptr;
    v = static_cast<unsigned>(std::strtoul(h.c_str(), &end, 16));
    return *end == 0;
  };
  unsigned v = 0, a = 255;
  if (!hex(rgb, 6, v)) return false;
  if (!alpha.empty() && !hex(alpha, 2, a)) return false;
  out = {static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v),
         static_cast<uint8_t>(a)};
  return true;
}

// Looks a palette entry up for a state: "state=token" pairs, "*=" for the rest.
std::string PaletteToken(const SkinSource& skin, const std::string& name, int state, int depth) {
  auto it = skin.palette.find(name);
  if (it == skin.palette.end()) throw Exception(Utf8ToWide("unknown palette colour @" + name));
  const auto& tokens = it->second;
  if (tokens.size() == 1 && tokens[0].find('=') == std::string::npos) return tokens[0];
  std::string fallback;
  for (const auto& t : tokens) {
    auto eq = t.find('=');
    if (eq == std::string::npos) throw Exception(Utf8ToWide("palette @" + name + ": expected state=colour, got " + t));
    std::string key = t.substr(0, eq);
    if (key == "*") fallback = t.substr(eq + 1);
    else if (state >= 0 && key == kStateNames[state]) return t.substr(eq + 1);
  }
  if (fallback.empty()) throw Exception(Utf8ToWide("palette @" + name + " has no colour for state " + kStateNames[state < 0 ? 0 : state]));
  return fallback;
}

std::string Dereference(const SkinSource& skin, std::string token, int state) {
  for (int depth = 0; !token.empty() && token[0] == '@'; ++depth) {
    if (depth > 16) throw Exception(Utf8ToWide("palette loop at " + token));
    token = PaletteToken(skin, token.substr(1), state, depth);
  }
  return token;
}

}  // namespace

Rgba ResolveRgba(const SkinSource& skin, const std::string& token, int state) {
  std::string t = Dereference(skin, token, state);
  Rgba c;
  if (t == "none") return c;
  if (!ParseHexColor(t, c)) throw Exception(Utf8ToWide("not a colour: " + token));
  return c;
}

int32_t ResolveColorValue(const SkinSource& skin, const std::string& token, int state) {
  std::string t = Dereference(skin, token, state);
  if (t == "none") return kNoColor;
  if (t == "default") return kDefaultColor;
  Rgba c;
  if (!ParseHexColor(t, c)) throw Exception(Utf8ToWide("not a colour: " + token));
  return c.r | (c.g << 8) | (c.b << 16);
}

namespace {

// Skin pictures are small; a larger one is a typing mistake, not a picture.
constexpr int kMaxPictureSide = 2048;

const std::set<std::string> kOps = {"fill", "rect", "box", "line", "circle", "poly", "mark", "dots"};

struct Style {
  std::map<std::string, std::string> defaults;
  std::vector<DrawOp> ops;
};

class Parser {
public:
  explicit Parser(SkinSource& skin) : FSkin(skin) {}

  void ParseFile(const std::wstring& fileName) {
    std::ifstream in(fileName.c_str(), std::ios::binary);
    if (!in) throw Exception(L"Cannot open skin source \"" + fileName + L"\"");
    std::stringstream ss;
    ss << in.rdbuf();
    Parse(ss.str(), fileName);
  }

  void Parse(const std::string& text, const std::wstring& fileName) {
    std::wstring dir = fileName;
    auto cut = dir.find_last_of(L"/\\");
    dir = cut == std::wstring::npos ? L"" : dir.substr(0, cut + 1);
    std::string file = WideToUtf8(fileName);
    cut = file.find_last_of("/\\");
    if (cut != std::string::npos) file = file.substr(cut + 1);
    std::istringstream lines(text);
    std::string raw;
    int lineNo = 0;
    while (std::getline(lines, raw)) {
      ++lineNo;
      auto hash = raw.find('#');
      if (hash != std::string::npos) raw.resize(hash);
      std::istringstream words(raw);
      std::vector<std::string> w;
      for (std::string t; words >> t;) w.push_back(t);
      if (w.empty()) continue;
      FWhere = Where(file, lineNo);
      if (w[0] == "include") {
        Need(w, 2);
        Parser sub(FSkin);
        sub.FStyles = FStyles;
        sub.ParseFile(dir + Utf8ToWide(w[1]));
        FStyles = sub.FStyles;
        FGroup = -1; FElement = nullptr; FPicture = nullptr; FStyle = nullptr;
        continue;
      }
      Line(w, file, lineNo);
    }
  }

private:
  void Need(const std::vector<std::string>& w, size_t n) {
    if (w.size() < n) Fail(FWhere, "\"" + w[0] + "\" needs " + std::to_string(n - 1) + " value(s)");
  }

  int32_t Int(const std::string& s) {
    int32_t v;
    if (!ParseInt(s, v)) Fail(FWhere, "not a whole number: " + s);
    return v;
  }

  uint8_t Byte(const std::string& s) {
    int32_t v = Int(s);
    if (v < 0 || v > 255) Fail(FWhere, "alpha must be 0 to 255");
    return static_cast<uint8_t>(v);
  }

  int32_t ColorValue(const std::string& s) {
    try {
      return ResolveColorValue(FSkin, s, 0);
    } catch (const Exception& e) {
      Fail(FWhere, e.what());
    }
  }

  ElementSpec& Element(const std::string& key) {
    if (!FElement) Fail(FWhere, "\"" + key + "\" outside an element");
    return *FElement;
  }

  void Line(const std::vector<std::string>& w, const std::string& file, int lineNo) {
    const std::string& k = w[0];
    if (kOps.count(k)) {
      DrawOp op{file, lineNo, w};
      if (FStyle) FStyle->ops.push_back(op);
      else if (FPicture) FPicture->ops.push_back(op);
      else Fail(FWhere, "drawing step \"" + k + "\" outside a picture or style");
      return;
    }
    FStyle = nullptr;
    if (k == "skin") { Need(w, 2); FSkin.name = w[1]; }
    else if (k == "flag") { Need(w, 2); FSkin.flags.insert(w[1]); }
    else if (k == "let") { Need(w, 3); FSkin.palette[w[1]] = {w.begin() + 2, w.end()}; }
    else if (k == "skincolor") { Need(w, 3); FSkin.colors.emplace_back(w[1], ColorValue(w[2])); }
    else if (k == "style") {
      Need(w, 2);
      Style& s = FStyles[w[1]];
      s = Style{};
      for (size_t i = 2; i < w.size(); ++i) {
        auto eq = w[i].find('=');
        if (eq == std::string::npos) Fail(FWhere, "style parameter needs name=default: " + w[i]);
        s.defaults[w[i].substr(0, eq)] = w[i].substr(eq + 1);
      }
      FStyle = &s;
      FPicture = nullptr;
    } else if (k == "group") {
      Need(w, 2);
      FSkin.groups.push_back(GroupSpec{w[1], {}, {}});
      FGroup = static_cast<int>(FSkin.groups.size()) - 1;
      FElement = nullptr; FPicture = nullptr;
    } else if (k == "element") {
      Need(w, 2);
      if (FGroup < 0) Fail(FWhere, "element outside a group");
      auto& elements = FSkin.groups[FGroup].elements;
      elements.push_back(ElementSpec{});
      FElement = &elements.back();
      FElement->name = w[1];
      FElement->file = file;
      FElement->line = lineNo;
      FPicture = nullptr;
    } else if (k == "property") {
      Need(w, 4);
      auto& list = FElement ? FElement->properties
                   : FGroup >= 0 ? FSkin.groups[FGroup].properties : FSkin.properties;
      list.push_back(Property(w));
    } else if (k == "color") {
      Need(w, 2);
      Element(k).color = ColorValue(w[1]);
      if (w.size() >= 4 && w[2] == "alpha") Element(k).alpha = Byte(w[3]);
    } else if (k == "alpha") { Need(w, 2); Element(k).alpha = Byte(w[1]); }
    else if (k == "imagecount") {
      Need(w, 2);
      Element(k).imageCount = Int(w[1]);
      if (Element(k).imageCount < 1 || Element(k).imageCount > 64) Fail(FWhere, "imagecount must be 1 to 64");
    }
    else if (k == "textcolor") { Need(w, 2); Element(k).textColor = ColorValue(w[1]); }
    else if (k == "content") {
      Need(w, 5);
      for (int i = 0; i < 4; ++i) Element(k).contentOffset[i] = Int(w[1 + i]);
    } else if (k == "minsize") {
      Need(w, 3);
      Element(k).minSize[0] = Int(w[1]);
      Element(k).minSize[1] = Int(w[2]);
    } else if (k == "border") {
      Need(w, 3);
      static const char* sides[] = {"left", "top", "right", "bottom"};
      int side = -1;
      for (int i = 0; i < 4; ++i) if (w[1] == sides[i]) side = i;
      if (side < 0) Fail(FWhere, "border side must be left, top, right or bottom");
      Element(k).borders[side].color = ColorValue(w[2]);
      if (w.size() > 3) Element(k).borders[side].thickness = Int(w[3]);
    } else if (k == "image" || k == "glyph") {
      Picture(Element(k), k == "image" ? Element(k).image : Element(k).glyph, w);
    } else if (k == "use") {
      Need(w, 2);
      if (!FPicture) Fail(FWhere, "\"use\" outside a picture");
      Use(*FPicture, w, 1);
    } else {
      Fail(FWhere, "unknown keyword \"" + k + "\"");
    }
  }

  PropertySpec Property(const std::vector<std::string>& w) {
    PropertySpec p;
    p.name = w[1];
    const std::string& kind = w[2];
    auto ints = [&](int n) {
      Need(w, 3 + n);
      for (int i = 0; i < n; ++i) p.values[i] = Int(w[3 + i]);
    };
    if (kind == "integer") { p.kind = PropertyKind::Integer; ints(1); }
    else if (kind == "boolean") {
      p.kind = PropertyKind::Boolean;
      if (w[3] != "true" && w[3] != "false") Fail(FWhere, "boolean must be true or false");
      p.values[0] = w[3] == "true";
    } else if (kind == "color") { p.kind = PropertyKind::Color; p.values[0] = ColorValue(w[3]); }
    else if (kind == "rect") { p.kind = PropertyKind::Rect; ints(4); }
    else if (kind == "size") { p.kind = PropertyKind::Size; ints(2); }
    else if (kind == "string") {
      p.kind = PropertyKind::String;
      for (size_t i = 3; i < w.size(); ++i) p.text += (i > 3 ? " " : "") + w[i];
    } else Fail(FWhere, "property kind must be integer, boolean, color, rect, size or string");
    return p;
  }

  void Picture(ElementSpec& e, PictureSpec& p, const std::vector<std::string>& w) {
    p = PictureSpec{};
    p.hasPicture = true;
    FPicture = &p;
    bool include = true;
    for (size_t i = 1; i < w.size(); ++i) {
      const std::string& t = w[i];
      auto x = t.find('x');
      if (t == "none") p.hasPicture = false;
      else if (x != std::string::npos && x > 0 && isdigit(static_cast<unsigned char>(t[0]))) {
        p.width = Int(t.substr(0, x));
        p.height = Int(t.substr(x + 1));
      } else if (t == "vertical") p.vertical = true;
      else if (t == "horizontal") p.vertical = false;
      else if (t == "stretch") p.stretch = 0;
      else if (t == "tile") p.stretch = 1;
      else if (t == "noresize") p.stretch = 2;
      else if (t == "states") {
        if (++i >= w.size()) Fail(FWhere, "states needs a list");
        p.states = 0;
        std::istringstream list(w[i]);
        for (std::string s; std::getline(list, s, ',');) {
          if (s.empty()) continue;
          int idx = StateIndex(s);
          if (idx < 0) Fail(FWhere, "unknown state \"" + s + "\"");
          p.states |= static_cast<uint16_t>(1u << idx);
        }
      } else if (t == "margins") {
        if (i + 4 >= w.size()) Fail(FWhere, "margins needs four numbers");
        for (int m = 0; m < 4; ++m) p.margins[m] = Int(w[++i]);
      } else if (t == "gradient") {
        if (i + 3 >= w.size()) Fail(FWhere, "gradient needs two colours and a mode");
        p.gradientBegin = ColorValue(w[++i]);
        p.gradientEnd = ColorValue(w[++i]);
        static const char* modes[] = {"horizontal", "vertical", "forwarddiagonal", "backwarddiagonal"};
        const std::string& m = w[++i];
        int mode = -1;
        for (int k = 0; k < 4; ++k) if (m == modes[k]) mode = k;
        if (mode < 0) Fail(FWhere, "unknown gradient mode \"" + m + "\"");
        p.gradientMode = static_cast<uint8_t>(mode);
      } else if (t == "only" || t == "except") {
        if (++i >= w.size()) Fail(FWhere, t + " needs a flag");
        bool has = FSkin.flags.count(w[i]) > 0;
        if (has != (t == "only")) include = false;
      } else if (t == "use") {
        i = Use(p, w, i + 1) - 1;
      } else Fail(FWhere, "unknown picture word \"" + t + "\"");
    }
    if (p.hasPicture) {
      if (p.width <= 0 || p.height <= 0) Fail(FWhere, "picture needs a size WxH");
      if (p.width > kMaxPictureSide || p.height > kMaxPictureSide)
        Fail(FWhere, "picture larger than " + std::to_string(kMaxPictureSide) + " pixels on a side");
      if (!p.states) Fail(FWhere, "picture needs at least one state");
      int frames = 0;
      for (int s = 0; s < 11; ++s) if (p.states & (1u << s)) ++frames;
      int extent = p.vertical ? p.height : p.width;
      int perFrame = frames ? extent / (frames * std::max(1, e.imageCount)) : extent;
      if (frames && perFrame * frames * std::max(1, e.imageCount) != extent)
        Fail(FWhere, "picture extent " + std::to_string(extent) + " is not " + std::to_string(frames) +
                         " states x " + std::to_string(e.imageCount) + " images");
    }
    if (!include) { p.hasPicture = false; p.ops.clear(); }
  }

  // "use STYLE name=value ..." appends the style's steps with its $names bound.
  size_t Use(PictureSpec& p, const std::vector<std::string>& w, size_t i) {
    if (i >= w.size()) Fail(FWhere, "use needs a style name");
    auto it = FStyles.find(w[i]);
    if (it == FStyles.end()) Fail(FWhere, "unknown style \"" + w[i] + "\"");
    auto bind = it->second.defaults;
    ++i;
    for (; i < w.size(); ++i) {
      auto eq = w[i].find('=');
      if (eq == std::string::npos || w[i][0] == '@') break;
      std::string key = w[i].substr(0, eq);
      if (!bind.count(key)) Fail(FWhere, "style \"" + it->first + "\" has no parameter " + key);
      bind[key] = w[i].substr(eq + 1);
    }
    for (DrawOp op : it->second.ops) {
      for (auto& a : op.args) {
        // Substitute "$name" wherever it stands, also after "key=".
        auto dollar = a.find('$');
        if (dollar == std::string::npos) continue;
        std::string key = a.substr(dollar + 1);
        auto b = bind.find(key);
        if (b == bind.end()) Fail(Where(op.file, op.line), "unbound $" + key);
        a = a.substr(0, dollar) + b->second;
      }
      p.ops.push_back(op);
    }
    return i;
  }

  SkinSource& FSkin;
  std::map<std::string, Style> FStyles;
  Style* FStyle = nullptr;
  int FGroup = -1;
  ElementSpec* FElement = nullptr;
  PictureSpec* FPicture = nullptr;
  std::string FWhere;
};

}  // namespace

SkinSource ParseSkinSource(const std::string& text, const std::wstring& fileName) {
  SkinSource skin;
  Parser(skin).Parse(text, fileName);
  if (skin.name.empty()) throw Exception(L"Skin source \"" + fileName + L"\" names no skin");
  return skin;
}

SkinSource LoadSkinSource(const std::wstring& fileName) {
  std::ifstream in(fileName.c_str(), std::ios::binary);
  if (!in) throw Exception(L"Cannot open skin source \"" + fileName + L"\"");
  std::stringstream ss;
  ss << in.rdbuf();
  return ParseSkinSource(ss.str(), fileName);
}

}  // namespace talvik::skingen
