// Folding of long header lines, without sockets.
#include <gtest/gtest.h>

#include "net/header_fold.h"

using talvik::net::FoldHeaderLine;
using Lines = std::vector<std::string>;

TEST(HeaderFold, Cases) {
  const std::string long100(100, 'a');
  struct Case {
    std::string line;
    size_t width;
    Lines expected;
  } cases[] = {
      {"Cookie: a=1", 78, {"Cookie: a=1"}},
      {"Cookie: a=1; bb=22; ccc=333; dddd=4444", 38, {"Cookie: a=1; bb=22; ccc=333; dddd=4444"}},
      // The longest piece within the width, trailing blank dropped, one leading space.
      {"Cookie: a=1; bb=22; ccc=333; dddd=4444", 20, {"Cookie: a=1; bb=22;", " ccc=333; dddd=4444"}},
      {"Cookie: a=1; bb=22; ccc=333; dddd=4444", 14, {"Cookie: a=1;", " bb=22;", " ccc=333;", " dddd=4444"}},
      // Commas and tabs break too; blanks after the break are not carried over.
      {"X: aaaa,bbbb,cccc", 10, {"X: aaaa,", " bbbb,cccc"}},
      {"X: aaaa\t  bbbb", 10, {"X: aaaa", " bbbb"}},
      // No break inside double quotes: the first break after them is taken.
      {"Cookie: q=\"a b, c d e f\"; z=1", 20, {"Cookie: q=\"a b, c d e f\";", " z=1"}},
      // Nothing to break at: the line stays whole, also not after the name.
      {"Cookie: " + long100, 78, {"Cookie: " + long100}},
      {"Cookie: " + long100 + " b=1", 78, {"Cookie: " + long100, " b=1"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line + " / " + std::to_string(c.width));
    EXPECT_EQ(FoldHeaderLine(c.line, c.width), c.expected);
  }
}

TEST(HeaderFold, BrowserCookieAt78) {
  std::string cookie = "Cookie: ";
  for (int i = 0; i < 20; ++i) cookie += "name" + std::to_string(i) + "=value" + std::to_string(i) + "; ";
  cookie += "last=1";
  Lines lines = FoldHeaderLine(cookie, 78);
  ASSERT_GT(lines.size(), 3u);
  std::string joined;
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_LE(lines[i].size(), 78u) << lines[i];
    EXPECT_NE(lines[i].back(), ' ');
    if (i) EXPECT_TRUE(lines[i][0] == ' ' && lines[i][1] != ' ') << lines[i];
    joined += lines[i];
  }
  // Each fold stands where a "; " separator was: unfolding restores the line.
  EXPECT_EQ(joined, cookie);
}
