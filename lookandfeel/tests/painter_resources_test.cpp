// The painters' shared resources and the system-colour notifier they hook into.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "lookandfeel/painter.h"
#include "lookandfeel/systempalette.h"
#include "lookandfeel/tests/painter_fixture.h"

using namespace talvik;
using namespace talvik::test;

namespace {
class PainterResources : public PainterTest {};

void BroadcastColourChange() {
  ASSERT_NE(PaletteListener(), nullptr);
  SendMessageW(PaletteListener()->WindowHandle(), WM_SYSCOLORCHANGE, 0, 0);
}
}  // namespace

TEST_F(PainterResources, IndicatorImages) {
  HIMAGELIST images = cxIndicatorImages();
  ASSERT_NE(images, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(images), ikFilter - ikArrow + 1);
  int w = 0, h = 0;
  ImageList_GetIconSize(images, &w, &h);
  EXPECT_EQ(w, 11);
  EXPECT_EQ(h, 11);

  // Black shapes on a transparent ground, centred in the rectangle given.
  struct Case {
    TcxIndicatorKind kind;
    POINT black, clear;
  };
  const Case cases[] = {
      {ikArrow, {3, 5}, {9, 5}},   {ikEdit, {5, 5}, {3, 5}},       {ikInsert, {5, 5}, {1, 1}},
      {ikMultiDot, {5, 5}, {1, 5}}, {ikMultiArrow, {9, 5}, {6, 5}}, {ikFilter, {1, 1}, {1, 8}},
  };
  const TcxCustomLookAndFeelPainterClass painter = TcxCustomLookAndFeelPainter::Instance();
  for (const Case& c : cases) {
    Surface s(15, 15);
    painter->DrawIndicatorImage(&s.cx, RECT{2, 2, 13, 13}, c.kind);
    EXPECT_EQ(s.At(c.black.x + 2, c.black.y + 2), RGB(0, 0, 0)) << "kind " << c.kind;
    EXPECT_EQ(s.At(c.clear.x + 2, c.clear.y + 2), kUntouched) << "kind " << c.kind;
    EXPECT_EQ(s.Count(RGB(255, 255, 255)), 0) << "kind " << c.kind;
  }
  Surface none(15, 15);
  painter->DrawIndicatorImage(&none.cx, RECT{2, 2, 13, 13}, ikNone);
  EXPECT_EQ(none.Count(kUntouched), 15 * 15);
}

TEST_F(PainterResources, CheckBoxAndRadioSizes) {
  SIZE check = cxCheckBoxSize();
  HBITMAP system = LoadBitmapW(nullptr, MAKEINTRESOURCEW(32759));
  BITMAP info{};
  ASSERT_TRUE(GetObjectW(system, sizeof info, &info));
  DeleteObject(system);
  EXPECT_EQ(check.cx, info.bmWidth / 4);
  EXPECT_EQ(check.cy, info.bmHeight / 3);
  const TcxCustomLookAndFeelPainterClass painter = TcxCustomLookAndFeelPainter::Instance();
  EXPECT_EQ(painter->CheckButtonSize().cx, check.cx);
  EXPECT_FALSE(RadioButtonImageListExists());
  EXPECT_EQ(painter->RadioButtonSize().cx, check.cx);
  EXPECT_TRUE(RadioButtonImageListExists());
}

TEST_F(PainterResources, RadioButtonsShowTheBackgroundAroundThem) {
  const TcxCustomLookAndFeelPainterClass painter = TcxCustomLookAndFeelPainter::Instance();
  SIZE size = painter->RadioButtonSize();
  Surface unchecked(size.cx, size.cy), checked(size.cx, size.cy);
  painter->DrawRadioButton(&unchecked.cx, 0, 0, cxbsNormal, false, false, clRed);
  painter->DrawRadioButton(&checked.cx, 0, 0, cxbsNormal, true, false, clRed);
  EXPECT_EQ(unchecked.At(0, 0), Rgb(clRed));
  EXPECT_EQ(unchecked.At(size.cx / 2, size.cy / 2), Rgb(clWindow));
  EXPECT_NE(checked.At(size.cx / 2, size.cy / 2), Rgb(clWindow));
  EXPECT_EQ(unchecked.Count(kUntouched), 0);
}

TEST_F(PainterResources, ColourChangeDropsTheRadioImages) {
  TcxCustomLookAndFeelPainter::Instance()->RadioButtonSize();
  ASSERT_TRUE(RadioButtonImageListExists());
  BroadcastColourChange();
  EXPECT_FALSE(RadioButtonImageListExists());
}

TEST_F(PainterResources, StartAndStopAgain) {
  InitializePainters();  // a second start changes nothing
  HIMAGELIST images = cxIndicatorImages();
  InitializePainters();
  EXPECT_EQ(cxIndicatorImages(), images);
  FinalizePainters();
  EXPECT_EQ(cxIndicatorImages(), nullptr);
  EXPECT_EQ(cxScrollBarPageBitmap(false), nullptr);
  EXPECT_EQ(PaletteListener(), nullptr);
  // Parts that need the resources draw nothing rather than fail.
  Surface s(16, 16);
  TcxCustomLookAndFeelPainter::Instance()->DrawIndicatorImage(&s.cx, RECT{0, 0, 16, 16}, ikArrow);
  EXPECT_EQ(s.Count(kUntouched), 256);
  InitializePainters();
  EXPECT_NE(cxIndicatorImages(), nullptr);
  EXPECT_NE(PaletteListener(), nullptr);
}

// Primary notifiers hear first, each group from the last added to the first,
// and one that is freed during the round is not told.
TEST_F(PainterResources, SystemColourChangeOrder) {
  std::vector<int> heard;
  std::vector<std::unique_ptr<TcxSystemPaletteChangedNotifier>> notifiers;
  const bool primary[] = {true, false, true, false, false};
  for (int i = 0; i < 5; ++i) {
    notifiers.push_back(std::make_unique<TcxSystemPaletteChangedNotifier>(primary[i]));
    notifiers.back()->OnSystemPaletteChanged = [&heard, i] { heard.push_back(i); };
  }
  // Notifier 4 frees notifier 1 before 1's turn comes.
  notifiers[4]->OnSystemPaletteChanged = [&] {
    heard.push_back(4);
    notifiers[1].reset();
  };
  BroadcastColourChange();
  EXPECT_EQ(heard, (std::vector<int>{2, 0, 4, 3}));
  notifiers.clear();
  EXPECT_NE(PaletteListener(), nullptr);  // the painters' own notifier keeps it
}
