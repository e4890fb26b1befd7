#include <gtest/gtest.h>

#include <memory>

#include "framework/sysutils.h"
#include "graphics/geometry.h"

using namespace talvik;

namespace {
::testing::AssertionResult SameRect(const RECT& a, const RECT& b) {
  if (RectsEqual(a, b)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << a.left << "," << a.top << "," << a.right << "," << a.bottom
                                       << ") != (" << b.left << "," << b.top << "," << b.right << "," << b.bottom << ")";
}
}  // namespace

TEST(CxRect, ChangeFiresOnlyOnRealChanges) {
  TcxRect r;
  int changes = 0;
  r.OnChange = [&](TObject* s) { EXPECT_EQ(s, &r); ++changes; };
  r.SetRect(RECT{1, 2, 3, 4});
  EXPECT_EQ(changes, 1);
  r.SetRect(RECT{1, 2, 3, 4});
  EXPECT_EQ(changes, 1);
  r.SetBottom(9);
  EXPECT_EQ(changes, 2);
  r.SetValue(7, 100);  // outside 0..3: nothing changes
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(r.GetValue(7), 9);  // any other index reads the bottom
  EXPECT_TRUE(SameRect(r.Rect(), RECT{1, 2, 3, 9}));
}

TEST(CxRect, SizeAndCornerWritesMoveTheRightCoordinates) {
  struct Case {
    const char* name;
    RECT start;
    void (*write)(TcxRect&);
    RECT expected;
  } cases[] = {
      {"width", {5, 5, 8, 8}, [](TcxRect& r) { r.SetWidth(10); }, {5, 5, 15, 8}},
      {"height", {5, 5, 8, 8}, [](TcxRect& r) { r.SetHeight(2); }, {5, 5, 8, 7}},
      {"top-right", {0, 0, 10, 10}, [](TcxRect& r) { r.SetTopRight({20, 1}); }, {0, 1, 20, 10}},
      {"top-left", {0, 0, 10, 10}, [](TcxRect& r) { r.SetTopLeft({2, 3}); }, {2, 3, 10, 10}},
      {"bottom-left", {0, 0, 10, 10}, [](TcxRect& r) { r.SetBottomLeft({-1, 4}); }, {-1, 0, 10, 4}},
      {"bottom-right", {0, 0, 10, 10}, [](TcxRect& r) { r.SetBottomRight({7, 8}); }, {0, 0, 7, 8}},
  };
  for (auto& c : cases) {
    TcxRect r;
    r.SetRect(c.start);
    c.write(r);
    EXPECT_TRUE(SameRect(r.Rect(), c.expected)) << c.name;
  }
}

TEST(CxRect, AssignTakesOnlyRectsAndEqualityComparesAllFour) {
  TcxRect a, b;
  a.SetRect(RECT{1, 2, 3, 4});
  b.Assign(&a);
  EXPECT_TRUE(b.IsEqual(&a));
  TcxSize s;
  b.Assign(&s);  // ignored, no failure
  EXPECT_TRUE(b.IsEqual(RECT{1, 2, 3, 4}));
  EXPECT_FALSE(b.IsEqual(RECT{1, 2, 3, 5}));
  EXPECT_FALSE(b.IsEqual(static_cast<TcxRect*>(nullptr)));
  EXPECT_FALSE(a.IsEmpty());
  a.SetRight(1);
  EXPECT_TRUE(a.IsEmpty());
}

TEST(CxRect, ClassIsRegisteredForStreaming) {
  std::unique_ptr<TPersistent> p(CreateRegisteredClass(L"TcxRect"));
  EXPECT_NE(dynamic_cast<TcxRect*>(p.get()), nullptr);
}

TEST(CxSize, NegativeComponentsClampAndChangesNotifyOnce) {
  TcxSize s;
  int changes = 0;
  s.OnChange = [&](TObject*) { ++changes; };
  s.SetSize(SIZE{-3, 4});
  EXPECT_EQ(s.Width(), 0);
  EXPECT_EQ(s.Height(), 4);
  EXPECT_EQ(changes, 1);
  s.SetSize(SIZE{-8, 4});  // clamps to the same size
  EXPECT_EQ(changes, 1);
  s.SetWidth(6);
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(s.IsValueStored(1));
  EXPECT_TRUE(s.IsEqual(SIZE{6, 4}));
  s.SetSize(SIZE{0, 0});
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_FALSE(s.IsValueStored(0));
}

TEST(CxSize, AssignCopiesSizesAndRejectsOtherSources) {
  TcxSize a, b;
  a.SetSize(SIZE{3, 5});
  b.Assign(&a);
  EXPECT_TRUE(b.IsEqual(&a));
  TcxRect r;
  EXPECT_THROW(b.Assign(&r), EConvertError);
}

TEST(RectHelpers, Table) {
  struct Case {
    const char* name;
    RECT got, expected;
  } cases[] = {
      {"inflate", InflateRectBy({1, 2, 3, 4}, 1, 2), {0, 0, 4, 6}},
      {"inflate4", InflateRectBy4({1, 2, 3, 4}, 1, 2, 3, 4), {0, 0, 6, 8}},
      {"offset+", OffsetRectBy({1, 2, 3, 4}, 1, 2, true), {2, 4, 4, 6}},
      {"offset-", OffsetRectBy({1, 2, 3, 4}, POINT{1, 2}, false), {0, 0, 2, 2}},
      {"corners", RectFromCorners({1, 2, 3, 4}, {9, 8}), {1, 2, 9, 8}},
      {"withHeight", RectWithHeight({1, 2, 3, 4}, 5), {1, 2, 3, 7}},
      {"withLeft", RectWithLeft({1, 2, 3, 4}, 6, 2), {6, 2, 8, 4}},
      {"withTop", RectWithTop({1, 2, 3, 4}, 6, 2), {1, 6, 3, 8}},
      {"horzBounds", RectWithHorzBounds({1, 2, 3, 4}, 7, 9), {7, 2, 9, 4}},
      {"vertBounds", RectWithVertBounds({1, 2, 3, 4}, 7, 9), {1, 7, 3, 9}},
      {"center", CenterRect({0, 0, 11, 11}, 4, 4), {3, 3, 7, 7}},
      // (-5 + 0 - 0) / 2 truncates toward zero: -2, not -3.
      {"centerNegative", CenterRect({-5, 0, 0, 0}, 0, 0), {-2, 0, -2, 0}},
      {"content", RectContent({0, 0, 10, 10}, {1, 2, 3, 4}), {1, 2, 7, 6}},
  };
  for (auto& c : cases) EXPECT_TRUE(SameRect(c.got, c.expected)) << c.name;

  EXPECT_TRUE(RectIsEmpty({0, 0, 0, 10}));
  EXPECT_TRUE(RectIsEmpty({5, 5, 4, 10}));
  EXPECT_FALSE(RectIsEmpty({0, 0, 1, 1}));
  EXPECT_EQ(RectWidth({2, 3, 7, 11}), 5);
  EXPECT_EQ(RectHeight({2, 3, 7, 11}), 8);
  POINT p = OffsetPoint(InvertPoint({3, -4}), 1, 1, false);
  EXPECT_EQ(p.x, -4);
  EXPECT_EQ(p.y, 3);
  EXPECT_TRUE(SizesEqual(MakeSize(2, 3), SIZE{2, 3}));
  EXPECT_FALSE(SizesEqual(MakeSize(2, 3), SIZE{3, 2}));
}
