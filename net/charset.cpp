#include "net/charset.h"

#include <windows.h>

#include <cctype>
#include <cstring>

namespace talvik::net {

namespace {

std::string LowerTrim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  std::string out = s.substr(b, e - b);
  for (auto& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

struct CharsetName {
  const char* name;
  unsigned codePage;
};

const CharsetName kCharsets[] = {
    {"utf-8", 65001}, {"utf8", 65001}, {"utf-7", 65000},
    {"utf-16", 1200}, {"utf-16le", 1200}, {"unicode", 1200}, {"utf-16be", 1201},
    {"iso-8859-1", 28591}, {"iso8859-1", 28591}, {"iso_8859-1", 28591}, {"latin1", 28591},
    {"l1", 28591}, {"cp819", 28591}, {"ibm819", 28591},
    {"us-ascii", 20127}, {"ascii", 20127},
    {"iso-8859-2", 28592}, {"iso-8859-3", 28593}, {"iso-8859-4", 28594}, {"iso-8859-5", 28595},
    {"iso-8859-6", 28596}, {"iso-8859-7", 28597}, {"iso-8859-8", 28598}, {"iso-8859-9", 28599},
    {"iso-8859-13", 28603}, {"iso-8859-15", 28605},
    {"windows-1250", 1250}, {"windows-1251", 1251}, {"windows-1252", 1252}, {"windows-1253", 1253},
    {"windows-1254", 1254}, {"windows-1255", 1255}, {"windows-1256", 1256}, {"windows-1257", 1257},
    {"windows-1258", 1258}, {"cp1250", 1250}, {"cp1251", 1251}, {"cp1252", 1252},
    {"windows-874", 874}, {"tis-620", 874}, {"ibm866", 866}, {"cp866", 866},
    {"koi8-r", 20866}, {"koi8-u", 21866}, {"macintosh", 10000},
    {"gb2312", 936}, {"gbk", 936}, {"cp936", 936}, {"x-gbk", 936}, {"euc-cn", 936}, {"gb18030", 54936},
    {"big5", 950}, {"big5-hkscs", 950}, {"cp950", 950},
    {"shift_jis", 932}, {"shift-jis", 932}, {"sjis", 932}, {"x-sjis", 932}, {"ms_kanji", 932},
    {"windows-31j", 932}, {"cp932", 932}, {"euc-jp", 20932}, {"iso-2022-jp", 50220},
    {"euc-kr", 949}, {"ks_c_5601-1987", 949}, {"cp949", 949},
};

std::wstring Latin1(const std::string& bytes) {
  std::wstring out(bytes.size(), L'\0');
  for (size_t i = 0; i < bytes.size(); ++i) out[i] = static_cast<unsigned char>(bytes[i]);
  return out;
}

std::wstring Utf16(const std::string& bytes, bool bigEndian) {
  std::wstring out(bytes.size() / 2, L'\0');
  for (size_t i = 0; i < out.size(); ++i) {
    unsigned char a = bytes[2 * i], b = bytes[2 * i + 1];
    out[i] = static_cast<wchar_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
  }
  return out;
}

}  // namespace

std::string CharsetOfContentType(const std::string& AContentType) {
  std::string lower = LowerTrim(AContentType);
  size_t at = 0;
  while ((at = lower.find(';', at)) != std::string::npos) {
    size_t b = ++at;
    while (b < lower.size() && (lower[b] == ' ' || lower[b] == '\t')) ++b;
    if (lower.compare(b, 8, "charset=") != 0) continue;
    b += 8;
    size_t e = lower.find(';', b);
    std::string value = LowerTrim(lower.substr(b, e == std::string::npos ? std::string::npos : e - b));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    return value;
  }
  return {};
}

unsigned CodePageOfCharset(const std::string& AName) {
  std::string name = LowerTrim(AName);
  for (const auto& c : kCharsets)
    if (name == c.name) return c.codePage;
  return 0;
}

std::wstring DecodeText(const std::string& ABytes, const std::string& ACharset) {
  unsigned cp = CodePageOfCharset(ACharset);
  if (cp == 0 || cp == 28591 || ABytes.empty()) return Latin1(ABytes);
  if (cp == 1200 || cp == 1201) return Utf16(ABytes, cp == 1201);
  int n = MultiByteToWideChar(cp, 0, ABytes.data(), static_cast<int>(ABytes.size()), nullptr, 0);
  if (n <= 0) return Latin1(ABytes);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(cp, 0, ABytes.data(), static_cast<int>(ABytes.size()), out.data(), n);
  return out;
}

}  // namespace talvik::net
