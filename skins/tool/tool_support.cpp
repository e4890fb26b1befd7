#include "skins/tool/tool_support.h"

#include <cwctype>

#include "framework/graphics.h"
#include "framework/streams.h"
#include "framework/sysutils.h"
#include "skins/builtin/gen/png_codec.h"
#include "skins/engine/fileskin.h"
#include "skins/tool/command.h"

namespace talvik {

const wchar_t* const ToolStateNames[dxSkinElementStateCount] = {
    L"normal",  L"hot",     L"pressed",  L"disabled",       L"active",      L"focused",
    L"droppeddown", L"checked", L"hotcheck", L"activedisabled", L"checkpressed"};

const std::wstring* TToolArguments::Option(const wchar_t* AName) const {
  auto it = Options.find(AName);
  return it == Options.end() ? nullptr : &it->second;
}

TToolArguments ParseToolArguments(const std::vector<std::wstring>& AArgs,
                                  const std::vector<const wchar_t*>& AOptions, size_t APositional,
                                  const std::wstring& AUsage) {
  TToolArguments result;
  for (size_t i = 0; i < AArgs.size(); ++i) {
    const std::wstring& a = AArgs[i];
    if (a.size() < 3 || a.compare(0, 2, L"--") != 0) {
      result.Positional.push_back(a);
      continue;
    }
    bool known = false;
    for (const wchar_t* name : AOptions) known = known || a == name;
    if (!known) throw Exception(L"Unknown option " + a + L"; usage: " + AUsage);
    if (i + 1 == AArgs.size()) throw Exception(a + L" needs a value; usage: " + AUsage);
    if (!result.Options.emplace(a, AArgs[++i]).second) throw Exception(a + L" is given twice");
  }
  size_t expected = APositional - (result.Option(L"--builtin") ? 1 : 0);
  if (result.Positional.size() != expected) throw Exception(L"usage: " + AUsage);
  return result;
}

std::unique_ptr<TdxSkin> LoadToolSkin(TToolArguments& AArgs) {
  std::unique_ptr<TStream> stream;
  if (const std::wstring* builtin = AArgs.Option(L"--builtin")) {
    stream = OpenBuiltinSkin(*builtin);
  } else {
    stream = std::make_unique<TFileStream>(AArgs.Positional.front(), fmOpenRead | fmShareDenyNone);
    AArgs.Positional.erase(AArgs.Positional.begin());
  }
  return ReadSkin(*stream);
}

namespace {

// Digits only, no sign or spaces, within AMax.
bool ParseBounded(const std::wstring& AText, int AMax, int& AValue) {
  if (AText.empty() || AText.size() > 9) return false;
  AValue = 0;
  for (wchar_t c : AText) {
    if (c < L'0' || c > L'9') return false;
    AValue = AValue * 10 + (c - L'0');
  }
  return AValue <= AMax;
}

}  // namespace

SIZE ParseToolSize(const std::wstring& AText) {
  // A few bitmaps of this size are held at once: keep them to some hundred megabytes.
  constexpr int MaxSide = 8192, MaxPixels = 4096 * 4096;
  size_t x = AText.find_first_of(L"xX");
  int w = 0, h = 0;
  if (x == std::wstring::npos || !ParseBounded(AText.substr(0, x), MaxSide, w) ||
      !ParseBounded(AText.substr(x + 1), MaxSide, h) || w == 0 || h == 0 || int64_t(w) * h > MaxPixels)
    throw Exception(L"Bad size " + AText + L": WIDTHxHEIGHT, each from 1 to 8192, at most 4096x4096 pixels in all");
  return SIZE{w, h};
}

TdxSkinElementState ParseToolState(const std::wstring& AText) {
  for (int s = 0; s < dxSkinElementStateCount; ++s)
    if (_wcsicmp(AText.c_str(), ToolStateNames[s]) == 0) return static_cast<TdxSkinElementState>(s);
  std::wstring names;
  for (const wchar_t* n : ToolStateNames) names += names.empty() ? n : std::wstring(L", ") + n;
  throw Exception(L"Bad state " + AText + L": one of " + names);
}

int ParseToolIndex(const std::wstring& AText) {
  int value = 0;
  if (!ParseBounded(AText, 1000000, value)) throw Exception(L"Bad image index " + AText + L": 0 or more");
  return value;
}

int ToolScaleDpi(const TToolArguments& AArgs) {
  const std::wstring* text = AArgs.Option(L"--scale");
  if (!text) return 96;
  int percent = 0;
  if (!ParseBounded(*text, 400, percent) || percent < 50)
    throw Exception(L"Bad scale " + *text + L": a percentage from 50 to 400");
  return MulDiv(percent, 96, 100);
}

TColor ParseToolColor(const std::wstring& AText) {
  std::wstring t = !AText.empty() && AText[0] == L'#' ? AText.substr(1) : AText;
  bool ok = t.size() == 6;
  for (wchar_t c : t) ok = ok && std::iswxdigit(c);
  if (!ok) throw Exception(L"Bad colour " + AText + L": RRGGBB in hexadecimal");
  unsigned long v = std::wcstoul(t.c_str(), nullptr, 16);
  return static_cast<TColor>(((v >> 16) & 0xFF) | (v & 0xFF00) | ((v & 0xFF) << 16));
}

std::wstring ToolColorText(TColor AColor) {
  if (AColor == clNone) return L"none";
  if (AColor == clDefault) return L"default";
  COLORREF c = ColorToRGB(AColor);
  wchar_t buffer[8];
  swprintf(buffer, 8, L"%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return buffer;
}

void SaveToolPng(const skingen::Pixels& APixels, const std::wstring& AFile) {
  std::vector<uint8_t> png = skingen::EncodePng(APixels);
  TMemoryStream file;
  file.WriteBuffer(png.data(), static_cast<int64_t>(png.size()));
  file.SaveToFile(AFile);
}

}  // namespace talvik
