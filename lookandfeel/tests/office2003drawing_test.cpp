#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <ostream>
#include <vector>

#include "lookandfeel/office2003colors.h"
#include "lookandfeel/themes.h"

using namespace talvik;

namespace {
constexpr COLORREF kBackground = RGB(0, 128, 0);

// A 32-bit memory bitmap filled with kBackground.
struct Surface {
  HDC DC = CreateCompatibleDC(nullptr);
  HBITMAP Bitmap;
  HGDIOBJ Saved;
  Surface(int W, int H) {
    BITMAPINFO Info{};
    Info.bmiHeader = {sizeof(BITMAPINFOHEADER), W, -H, 1, 32, BI_RGB};
    void* Bits;
    Bitmap = CreateDIBSection(DC, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0);
    Saved = SelectObject(DC, Bitmap);
    RECT R{0, 0, W, H};
    FillRectWithColor(DC, R, static_cast<TColor>(kBackground));
  }
  ~Surface() {
    SelectObject(DC, Saved);
    DeleteObject(Bitmap);
    DeleteDC(DC);
  }
  COLORREF At(int X, int Y) const { return GetPixel(DC, X, Y); }
};

struct TFill {
  RECT Rect;
  COLORREF Color;
  bool operator==(const TFill& F) const { return EqualRect(&Rect, &F.Rect) && Color == F.Color; }
};

std::ostream& operator<<(std::ostream& S, const TFill& F) {
  return S << "(" << F.Rect.left << "," << F.Rect.top << "," << F.Rect.right << "," << F.Rect.bottom << ") #"
           << std::hex << F.Color << std::dec;
}

// The solid fills that Draw makes, in order, as a metafile records them.
std::vector<TFill> RecordFills(const std::function<void(HDC)>& Draw) {
  HDC Recorder = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  Draw(Recorder);
  HENHMETAFILE Recording = CloseEnhMetaFile(Recorder);
  struct TState {
    std::map<DWORD, COLORREF> Brushes;
    COLORREF Brush = CLR_INVALID;
    std::vector<TFill> Fills;
  } State;
  EnumEnhMetaFile(
      nullptr, Recording,
      [](HDC, HANDLETABLE*, const ENHMETARECORD* Record, int, LPARAM Param) -> int {
        auto& St = *reinterpret_cast<TState*>(Param);
        if (Record->iType == EMR_CREATEBRUSHINDIRECT) {
          auto* R = reinterpret_cast<const EMRCREATEBRUSHINDIRECT*>(Record);
          St.Brushes[R->ihBrush] = R->lb.lbColor;
        } else if (Record->iType == EMR_SELECTOBJECT) {
          auto It = St.Brushes.find(reinterpret_cast<const EMRSELECTOBJECT*>(Record)->ihObject);
          if (It != St.Brushes.end()) St.Brush = It->second;
        } else if (Record->iType == EMR_BITBLT) {
          auto* R = reinterpret_cast<const EMRBITBLT*>(Record);
          St.Fills.push_back({{R->xDest, R->yDest, R->xDest + R->cxDest, R->yDest + R->cyDest}, St.Brush});
        }
        return 1;
      },
      &State, nullptr);
  DeleteEnhMetaFile(Recording);
  return State.Fills;
}

class Gradient : public testing::Test {
protected:
  void TearDown() override { FinalizeThemeServices(); }
};

class BandedGradient : public Gradient {
protected:
  void SetUp() override { InitializeThemeServices({L"UxTheme.dll", L"missing-msimg32.dll"}); }
};

class GradientFillGradient : public Gradient {
protected:
  void SetUp() override { InitializeThemeServices(); }
};
}  // namespace

TEST_F(BandedGradient, FillsBandByBand) {
  struct Case {
    RECT Rect;
    TColor Color1, Color2;
    bool Horizontal;
    std::vector<TFill> Fills;
  };
  const TColor Grey200 = static_cast<TColor>(RGB(200, 200, 200)), Grey100 = static_cast<TColor>(RGB(100, 100, 100));
  const COLORREF Face = GetSysColor(COLOR_BTNFACE);
  const Case Cases[] = {
      {{0, 0, 2, 1}, clBlack, clWhite, false, {{{0, 0, 2, 1}, RGB(0, 0, 0)}}},
      {{0, 0, 1, 2}, clBlack, clWhite, true, {{{0, 0, 1, 2}, RGB(0, 0, 0)}}},
      {{0, 1, 2, 4}, Grey200, Grey100, false,
       {{{0, 1, 2, 2}, RGB(200, 200, 200)}, {{0, 2, 2, 3}, RGB(150, 150, 150)}, {{0, 3, 2, 4}, RGB(100, 100, 100)}}},
      {{1, 0, 4, 2}, Grey100, Grey200, true,
       {{{1, 0, 2, 2}, RGB(100, 100, 100)}, {{2, 0, 3, 2}, RGB(150, 150, 150)}, {{3, 0, 4, 2}, RGB(200, 200, 200)}}},
      {{0, 0, 2, 0}, clBlack, clWhite, false, {}},
      {{0, 0, 2, 3}, clBtnFace, static_cast<TColor>(Face), false, {{{0, 0, 2, 3}, Face}}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(testing::Message() << C.Rect.left << "," << C.Rect.top << "," << C.Rect.right << ","
                                    << C.Rect.bottom << (C.Horizontal ? " horizontal" : " vertical"));
    EXPECT_EQ(RecordFills([&](HDC DC) { FillGradientRect(DC, C.Rect, C.Color1, C.Color2, C.Horizontal); }),
              C.Fills);
  }
}

TEST_F(BandedGradient, TallRectangleIn256BandsFromFirstToSecondColour) {
  std::vector<TFill> Fills = RecordFills([](HDC DC) {
    FillGradientRect(DC, RECT{3, 0, 5, 300}, clBlack, static_cast<TColor>(RGB(255, 0, 0)), false);
  });
  ASSERT_EQ(Fills.size(), 256u);
  LONG Top = 0;
  for (int K = 0; K < 256; ++K) {
    SCOPED_TRACE(testing::Message() << "band " << K);
    const RECT& R = Fills[K].Rect;
    EXPECT_EQ(R.top, Top);
    EXPECT_TRUE(R.bottom - R.top == 1 || R.bottom - R.top == 2);
    EXPECT_EQ(R.left, 3);
    EXPECT_EQ(R.right, 5);
    EXPECT_EQ(Fills[K].Color, RGB(K, 0, 0));
    Top = R.bottom;
  }
  EXPECT_EQ(Top, 300);
}

TEST_F(GradientFillGradient, RunsAlongTheChosenAxis) {
  for (bool Horizontal : {true, false}) {
    SCOPED_TRACE(Horizontal ? "horizontal" : "vertical");
    Surface S(64, 64);
    FillGradientRect(S.DC, RECT{0, 0, 64, 64}, clBlack, clWhite, Horizontal);
    auto Along = [&](int I) { return GetGValue(Horizontal ? S.At(I, 10) : S.At(10, I)); };
    auto Across = [&](int I) { return GetGValue(Horizontal ? S.At(10, I) : S.At(I, 10)); };
    EXPECT_LE(Along(0), 8);
    EXPECT_GE(Along(63), 240);
    for (int I = 1; I < 64; ++I) {
      EXPECT_GE(Along(I), Along(I - 1)) << "at " << I;
      EXPECT_EQ(Across(I), Across(0)) << "at " << I;
    }
  }
}

TEST(Office2003SizeGrip, SixDotsInTheBottomRightCorner) {
  const COLORREF Dark = RGB(10, 20, 30), Light = RGB(250, 240, 230);
  const POINT Dots[] = {{8, 17}, {12, 17}, {16, 17}, {12, 13}, {16, 13}, {16, 9}};
  for (POINT Offset : {POINT{0, 0}, POINT{7, 3}}) {
    SCOPED_TRACE(testing::Message() << "offset " << Offset.x << "," << Offset.y);
    Surface S(30, 30);
    DrawOffice2003SizeGrip(S.DC, RECT{Offset.x, Offset.y, Offset.x + 20, Offset.y + 20}, static_cast<TColor>(Dark),
                           static_cast<TColor>(Light));
    std::vector<COLORREF> Expected(30 * 30, kBackground);
    auto Square = [&](int X, int Y, COLORREF C) {
      for (int DY = 0; DY < 2; ++DY)
        for (int DX = 0; DX < 2; ++DX) Expected[(Y + DY) * 30 + X + DX] = C;
    };
    for (POINT D : Dots) Square(D.x + Offset.x + 1, D.y + Offset.y + 1, Light);
    for (POINT D : Dots) Square(D.x + Offset.x, D.y + Offset.y, Dark);
    for (int Y = 0; Y < 30; ++Y)
      for (int X = 0; X < 30; ++X) ASSERT_EQ(S.At(X, Y), Expected[Y * 30 + X]) << "at " << X << "," << Y;
  }
}

TEST(Office2003SizeGrip, DefaultColoursAreTheSetsGripColours) {
  InitializeThemeServices({L"missing-uxtheme.dll"});
  Office2003ColorsReload();
  for (bool WithUsers : {true, false}) {
    SCOPED_TRACE(WithUsers ? "the set's brushes" : "no users");
    if (WithUsers) Office2003ColorsAddRef();
    Surface S(20, 20);
    DrawOffice2003SizeGrip(S.DC, RECT{0, 0, 20, 20});
    EXPECT_EQ(S.At(16, 9), static_cast<COLORREF>(Office2003GripDark()));
    EXPECT_EQ(S.At(18, 11), static_cast<COLORREF>(Office2003GripLight()));
    if (WithUsers) Office2003ColorsRelease();
  }
  FinalizeThemeServices();
}
