// Character-set names, code pages and decoding, without sockets.
#include <gtest/gtest.h>

#include "net/charset.h"

using namespace talvik::net;

TEST(Charset, FromContentType) {
  struct Case {
    const char* contentType;
    const char* charset;
  } cases[] = {
      {"text/html; charset=UTF-8", "utf-8"},
      {"text/html;charset=\"gbk\"", "gbk"},
      {"text/html; q=1; CHARSET=big5 ; x=y", "big5"},
      {"text/html", ""},
      {"text/charset=utf-8", ""},
      // Leading blanks and control bytes must not shift where the name is read.
      {"  \x01text/html; charset=gbk", "gbk"},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.contentType);
    EXPECT_EQ(CharsetOfContentType(c.contentType), c.charset);
  }
}

TEST(Charset, CodePages) {
  struct Case {
    const char* name;
    unsigned codePage;
  } cases[] = {
      {"UTF-8", 65001}, {"gb2312", 936}, {"GBK", 936},        {"gb18030", 54936}, {"big5", 950},
      {"Shift_JIS", 932}, {"euc-kr", 949}, {"windows-1251", 1251}, {"iso-8859-1", 28591},
      {"iso-8859-2", 28592}, {"koi8-r", 20866}, {"utf-16be", 1201}, {"x-unknown", 0}, {"", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CodePageOfCharset(c.name), c.codePage);
  }
}

TEST(Charset, Decoding) {
  struct Case {
    std::string bytes;
    const char* charset;
    std::wstring text;
  } cases[] = {
      {"\xe4\xb8\xad\xe6\x96\x87", "utf-8", L"\u4e2d\u6587"},
      {"\xd6\xd0\xce\xc4", "gbk", L"\u4e2d\u6587"},
      {"\xa4\xa4\xa4\xe5", "big5", L"\u4e2d\u6587"},
      {"\xc0\xe1", "windows-1251", L"\u0410\u0431"},
      {"caf\xe9", "iso-8859-1", L"caf\u00e9"},
      {"caf\xe9", "", L"caf\u00e9"},
      {"\xe4\xb8\xad", "no-such-set", L"\u00e4\u00b8\u00ad"},
      {std::string("\x4e\x2d", 2), "utf-16le", L"\u2d4e"},
      {std::string("\x4e\x2d", 2), "utf-16be", L"\u4e2d"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.charset);
    EXPECT_EQ(DecodeText(c.bytes, c.charset), c.text);
  }
}
