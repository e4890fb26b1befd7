// What a skinned form's frame looks like, read back through WM_PRINT and
// compared with the skin's own drawing of its elements.
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "lookandfeel/painterregistry.h"
#include "skinforms/formpainter.h"
#include "skinforms/tests/nonclient_fixture.h"
#include "skins/pictures/pngimage.h"
#include "skins/painter/skinpainter.h"
#include "skins/painter/skinpainterinfo.h"

using namespace talvik;
using namespace talvik::test;

namespace {

using Info = TdxSkinFormNonClientAreaInfo;
constexpr COLORREF kMarker = RGB(0, 128, 0);

// The strips as the frame lays them out: the sides run between caption and bottom strip.
RECT StripOf(const Info& I, TcxBorder ASide) {
  RECT r = I.BorderBounds(ASide);
  if (ASide == bLeft || ASide == bRight) {
    r.top = I.BorderBounds(bTop).bottom;
    r.bottom = I.BorderBounds(bBottom).top;
  }
  return r;
}

// Pixels of R that differ from the reference: what was drawn over it.
std::vector<COLORREF> DrawnOver(TDrawSurface& APrinted, TDrawSurface& AReference, const RECT& R) {
  std::vector<COLORREF> result;
  for (int y = R.top; y < R.bottom; ++y)
    for (int x = R.left; x < R.right; ++x)
      if (APrinted.At(x, y) != AReference.At(x, y)) result.push_back(APrinted.At(x, y));
  return result;
}

bool Has(const std::vector<COLORREF>& APixels, TColor AColor) {
  return std::find(APixels.begin(), APixels.end(), ColorToRGB(AColor)) != APixels.end();
}

// The caption band printed with its text, and with no text for reference.
struct CaptionInk {
  RECT Band;
  std::vector<std::vector<bool>> Ink;  // [row][column] of Band
  int Left = -1, Right = -1;           // columns with ink, window coordinates
};

CaptionInk InkOf(KindWindow& AWindow, const std::wstring& ACaption) {
  const HWND wnd = AWindow.Handle();
  const SIZE size = WindowSize(wnd);
  AWindow.Form()->SetCaption(L"");
  TDrawSurface empty(size.cx, size.cy);
  PrintWindowInto(wnd, empty);
  AWindow.Form()->SetCaption(ACaption);
  TDrawSurface printed(size.cx, size.cy);
  PrintWindowInto(wnd, printed);
  CaptionInk result;
  result.Band = AWindow.Info().BorderBounds(bTop);
  for (int y = result.Band.top; y < result.Band.bottom; ++y) {
    auto& row = result.Ink.emplace_back();
    for (int x = result.Band.left; x < result.Band.right; ++x) {
      row.push_back(printed.At(x, y) != empty.At(x, y));
      if (!row.back()) continue;
      if (result.Left < 0 || x < result.Left) result.Left = x;
      result.Right = std::max(result.Right, x);
    }
  }
  return result;
}

int TextWidth(Info& I, const std::wstring& AText) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, I.CaptionFont()->Handle());
  SIZE s{};
  GetTextExtentPoint32W(dc, AText.c_str(), static_cast<int>(AText.size()), &s);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return s.cx;
}

}  // namespace

// Frame strips and the caption's background are the skin's elements in the
// frame's state; the caption text has the state's colour, and a shadow only
// while active.
TEST_F(FormGeometry, PrintedFrameIsTheSkinsElementsInTheFramesState) {
  const struct {
    WindowKind kind;
    bool active;
  } cases[] = {{WindowKind::Sizeable, true}, {WindowKind::Sizeable, false}, {WindowKind::ToolWindow, true}};
  for (const auto& tc : cases) {
    SCOPED_TRACE(std::string(KindName(tc.kind)) + (tc.active ? ", active" : ", inactive"));
    KindWindow window(tc.kind);
    const HWND wnd = window.Handle();
    SendMessageW(wnd, WM_NCACTIVATE, tc.active, 0);
    Info& info = window.Calculated();
    const bool ordinary = tc.kind != WindowKind::ToolWindow;
    const TdxSkinElementState state = tc.active ? esActive : esActiveDisabled;
    const SIZE size = WindowSize(wnd);
    TDrawSurface printed(size.cx, size.cy, kMarker), reference(size.cx, size.cy, kMarker),
        otherState(size.cx, size.cy, kMarker);
    PrintWindowInto(wnd, printed);

    for (TcxBorder side : {bLeft, bRight, bBottom}) {
      TdxSkinElement* element = info.PainterInfo()->FormFrames[ordinary][side];
      element->Draw(reference.DC(), StripOf(info, side), 0, state);
      element->Draw(otherState.DC(), StripOf(info, side), 0, tc.active ? esActiveDisabled : esActive);
      EXPECT_EQ(FirstDifference(printed, reference, StripOf(info, side)), "") << "side " << side;
    }
    ASSERT_NE(FirstDifference(reference, otherState, StripOf(info, bLeft)), "") << "the states look alike";

    const RECT caption = info.BorderBounds(bTop);
    info.PainterInfo()->FormFrames[ordinary][bTop]->Draw(reference.DC(), caption, 0, state);
    // Above the buttons and the text only the background shows.
    int clearRows = info.CaptionTextBounds().top - 1;
    for (int i = 0; i < dxSkinFormIconCount; ++i)
      if (Contains(info.Icons(), TdxSkinFormIcon(i))) clearRows = std::min<int>(clearRows, info.IconBounds(TdxSkinFormIcon(i)).top);
    EXPECT_EQ(FirstDifference(printed, reference, RECT{caption.left, caption.top, caption.right, clearRows}), "");

    const std::vector<COLORREF> text = DrawnOver(printed, reference, InflateRectBy(info.CaptionTextBounds(), 1, 1));
    EXPECT_TRUE(Has(text, info.CaptionTextColor()));
    EXPECT_EQ(Has(text, info.CaptionTextShadowColor()), tc.active && ordinary);
    if (!tc.active) EXPECT_FALSE(Has(text, info.PainterInfo()->FormFrames[true][bTop]->TextColor())) << "active colour";
  }
}

TEST_F(FormGeometry, PrintPaintsTheFrameOnlyWhenAskedAndVisible) {
  const struct {
    LPARAM flags;
    bool visible;
    bool painted;
  } cases[] = {
      {PRF_NONCLIENT, false, true},
      {PRF_NONCLIENT | PRF_CHECKVISIBLE, true, true},
      {PRF_NONCLIENT | PRF_CHECKVISIBLE, false, false},
      {PRF_CLIENT, false, false},
  };
  for (const auto& tc : cases) {
    SCOPED_TRACE(std::to_string(tc.flags) + (tc.visible ? ", visible" : ", hidden"));
    KindWindow window(WindowKind::Sizeable);
    if (tc.visible) ShowWindow(window.Handle(), SW_SHOWNOACTIVATE);
    const SIZE size = WindowSize(window.Handle());
    TDrawSurface printed(size.cx, size.cy, kMarker);
    PrintWindowInto(window.Handle(), printed, tc.flags);
    EXPECT_EQ(printed.At(1, size.cy / 2) != kMarker, tc.painted);
  }
}

// The caption covers the band but its last line, which is the bottom frame's.
TEST_F(FormGeometry, MinimizedWindowShowsOneLineOfItsBottomFrame) {
  KindWindow window(WindowKind::Minimized);
  Info& info = window.Calculated();
  ASSERT_TRUE(info.IsIconic());
  const SIZE size = WindowSize(window.Handle());
  TDrawSurface printed(size.cx, size.cy), bottom(size.cx, size.cy), caption(size.cx, size.cy);
  PrintWindowInto(window.Handle(), printed);
  const RECT band = info.BorderBounds(bTop);
  ASSERT_EQ(band.bottom, size.cy);
  const TdxSkinElementState state = info.Active() ? esActive : esActiveDisabled;
  info.PainterInfo()->FormFrames[true][bBottom]->Draw(bottom.DC(), band, 0, state);
  info.PainterInfo()->FormFrames[true][bTop]->Draw(caption.DC(), band, 0, state);
  const RECT lastLine{band.left, band.bottom - 1, band.right, band.bottom};
  ASSERT_NE(FirstDifference(bottom, caption, lastLine), "") << "caption and bottom frame look alike there";
  EXPECT_EQ(FirstDifference(printed, bottom, lastLine), "");
}

namespace {

// DarkSide with a left frame element 2 pixels wide of one colour.
class TThinFramePainter : public TdxSkinLookAndFeelPainter {
public:
  static TThinFramePainter* Instance() {
    static TThinFramePainter painter;
    return &painter;
  }
  TdxSkinLookAndFeelPainterInfo* GetSkinInfo() const override { return Info; }
  std::wstring InternalUnitName() const override { return L"ThinFrame"; }
  TdxSkinLookAndFeelPainterInfo* Info = nullptr;
};

constexpr COLORREF kThinFrame = RGB(200, 30, 40);

void RegisterThinFrameSkin() {
  auto skin = std::make_unique<TdxSkin>(L"DarkSide", true, GetModuleHandleW(nullptr));
  TdxSkinImage* image = skin->GetGroupByName(L"Form")->GetElementByName(L"FormFrameLeft")->Image();
  image->SetStates(1u << esActive | 1u << esActiveDisabled);
  image->SetImageLayout(ilHorizontal);
  image->Margins()->SetRect(RECT{});
  const RGBQUAD pixel{GetBValue(kThinFrame), GetGValue(kThinFrame), GetRValue(kThinFrame), 255};
  TdxPNGImage picture;
  picture.SetHandle(GPImageClass->CreateFromPattern(4, 6, TdxRGBColors(4 * 6, pixel), true));
  image->Texture()->Assign(&picture);
  auto* info = new TdxSkinLookAndFeelPainterInfo(std::move(skin));
  TThinFramePainter::Instance()->Info = info;
  GetPainterRegistry()->Register(L"ThinFrame", TThinFramePainter::Instance(), info);
}

}  // namespace

// A thin frame element keeps its thickness on the outer edge; the side
// strips, laid over the form content, stop above the bottom frame.
TEST_F(FormGeometry, ThinFrameSidesAreComposedOverTheContentAboveTheBottomFrame) {
  RegisterThinFrameSkin();
  Controller->SetSkinName(L"ThinFrame");
  {
    KindWindow window(WindowKind::Sizeable);
    Info& info = window.Calculated();
    ASSERT_EQ(info.GetFrameSize(bLeft), 2);
    ASSERT_TRUE(window.Controller()->Painter()->IsBordersThin());
    const SIZE size = WindowSize(window.Handle());
    TDrawSurface printed(size.cx, size.cy, kMarker), reference(size.cx, size.cy, kMarker);
    PrintWindowInto(window.Handle(), printed);

    const int bottomFrame = info.GetFrameSize(bBottom);
    const RECT left{0, info.BorderBounds(bTop).bottom, 2, info.WindowBounds().bottom - bottomFrame};
    const RECT bottom = info.BorderBounds(bBottom);
    ASSERT_FALSE(RectIsEmpty(left));
    ASSERT_EQ(RectHeight(bottom), bottomFrame);
    for (int y = left.top; y < left.bottom; ++y)
      for (int x = left.left; x < left.right; ++x) ASSERT_EQ(printed.At(x, y), kThinFrame) << x << ", " << y;
    info.PainterInfo()->FormFrames[true][bBottom]->Draw(reference.DC(), bottom, 0, esActive);
    EXPECT_EQ(FirstDifference(printed, reference, bottom), "");
  }
  Controller->SetSkinName(L"DarkSide");
  GetPainterRegistry()->Unregister(L"ThinFrame");
}

// The caption is plain text: an ampersand is a character, and what does not
// fit ends in an ellipsis before the buttons.
TEST_F(FormGeometry, CaptionTextIsPlainAndEndsInAnEllipsis) {
  KindWindow window(WindowKind::Sizeable);
  Info& info = window.Calculated();
  const RECT text = info.CaptionTextBounds();

  const std::wstring ampersands(8, L'&');
  const CaptionInk amp = InkOf(window, ampersands);
  const int width = amp.Right - amp.Left + 1;
  // With prefixes, every second ampersand would be gone; ink lacks the outer bearings.
  EXPECT_GT(width, TextWidth(info, std::wstring(6, L'&')));
  EXPECT_LE(width, TextWidth(info, ampersands) + 1);
  EXPECT_GE(amp.Left, text.left - 1);

  const CaptionInk tooLong = InkOf(window, std::wstring(200, L'W'));
  EXPECT_LE(tooLong.Right, text.right);
  // The last dots stand on the baseline: nothing in the upper half of the band.
  const int dots = TextWidth(info, L"..") - 1;
  for (int row = 0; row < RectHeight(tooLong.Band) / 2; ++row)
    for (int x = tooLong.Right - dots; x <= tooLong.Right; ++x)
      EXPECT_FALSE(tooLong.Ink[row][x - tooLong.Band.left]) << x << ", " << row;
}

// The window's own scroll bars are the skin painter's, over the form content.
TEST_F(FormGeometry, ScrollBarsAndSizeGripAreTheSkinPaintersDrawing) {
  KindWindow window(WindowKind::ScrollBars);
  Info& info = window.Calculated();
  const SIZE size = WindowSize(window.Handle());
  TDrawSurface printed(size.cx, size.cy, kMarker), reference(size.cx, size.cy, kMarker);
  PrintWindowInto(window.Handle(), printed);
  TcxCanvas canvas(&reference.Bitmap().Canvas());
  for (TdxScrollAreaElement e : {saeHorzScroll, saeVertScroll, saeSizeGrip}) {
    const RECT r = info.ScrollAreaBounds(e);
    info.PainterInfo()->FormContent->Draw(reference.DC(), r, 0, esNormal);
    if (e == saeSizeGrip) {
      info.Painter()->DrawSizeGrip(&canvas, r, clNone);
      continue;
    }
    info.Painter()->DrawScrollBarBackground(&canvas, r, e == saeHorzScroll);
    for (int p = sbpNone; p <= sbpPageDown; ++p) {
      const auto part = TcxScrollBarPart(p);
      if (info.ScrollBarPartState(e, part) != cxbsDefault)
        info.Painter()->DrawScrollBarPart(&canvas, e == saeHorzScroll, info.ScrollBarPartBounds(e, part), part,
                                          info.ScrollBarPartState(e, part));
    }
  }
  for (TdxScrollAreaElement e : {saeHorzScroll, saeVertScroll, saeSizeGrip})
    EXPECT_EQ(FirstDifference(printed, reference, info.ScrollAreaBounds(e)), "") << "element " << e;
}

namespace {

// The ring between two rectangles, as four strips.
std::vector<RECT> Ring(const RECT& AOuter, const RECT& AInner) {
  return {{AOuter.left, AOuter.top, AOuter.right, AInner.top},
          {AOuter.left, AInner.bottom, AOuter.right, AOuter.bottom},
          {AOuter.left, AInner.top, AInner.left, AInner.bottom},
          {AInner.right, AInner.top, AOuter.right, AInner.bottom}};
}

}  // namespace

// The band of the form's border width and an MDI client's edge are the form content.
TEST_F(FormGeometry, RingsAroundTheClientAreaAreTheFormContent) {
  struct Window {
    std::unique_ptr<TForm> Form;
    HWND Handle = nullptr;
  };
  const struct {
    const char* name;
    std::function<Window(KindWindow&)> make;
    std::function<std::pair<RECT, RECT>(Info&)> ring;  // outer, inner
  } cases[] = {
      {"border width",
       [](KindWindow&) {
         Window w{std::make_unique<TForm>()};
         w.Form->SetBorderWidth(6);
         w.Form->SetBounds(40, 30, 300, 200);
         w.Handle = w.Form->Handle();
         return w;
       },
       [](Info& I) {
         const RECT client = RectContent(I.WindowBounds(), I.GetContentMargins());
         return std::pair{InflateRectBy(client, 6, 6), client};
       }},
      {"MDI client edge",
       [](KindWindow& AFrame) {
         CLIENTCREATESTRUCT create{nullptr, 1000};
         Window w;
         w.Handle = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 200, 150,
                                    AFrame.Handle(), nullptr, GetModuleHandleW(nullptr), &create);
         return w;
       },
       [](Info& I) {
         const SIZE edge = I.ClientEdgeSize();
         return std::pair{I.WindowBounds(), InflateRectBy(I.WindowBounds(), -edge.cx, -edge.cy)};
       }},
  };
  for (const auto& tc : cases) {
    SCOPED_TRACE(tc.name);
    KindWindow frame(WindowKind::Sizeable);
    Window window = tc.make(frame);
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    TdxSkinFormController* controller = FormControllerOf(window.Handle);
    ASSERT_NE(controller, nullptr);
    Info& info = *controller->ViewInfo();
    info.Calculate();
    const auto [outer, inner] = tc.ring(info);
    const SIZE size = WindowSize(window.Handle);
    TDrawSurface printed(size.cx, size.cy, kMarker), reference(size.cx, size.cy, kMarker);
    PrintWindowInto(window.Handle, printed);
    info.PainterInfo()->FormContent->Draw(reference.DC(), outer, 0, esNormal);
    for (const RECT& strip : Ring(outer, inner)) EXPECT_EQ(FirstDifference(printed, reference, strip), "");
    if (!window.Form) DestroyWindow(window.Handle);
  }
}

TEST_F(FormGeometry, MenuSeparatorIsTheMenuColour) {
  KindWindow window(WindowKind::MenuBar);
  Info& info = window.Calculated();
  const RECT line = info.MenuSeparatorBounds();
  ASSERT_FALSE(RectIsEmpty(line));
  const SIZE size = WindowSize(window.Handle());
  TDrawSurface printed(size.cx, size.cy, kMarker);
  PrintWindowInto(window.Handle(), printed);
  for (int x = line.left; x < line.right; ++x) ASSERT_EQ(printed.At(x, line.top), GetSysColor(COLOR_MENU)) << x;
}
