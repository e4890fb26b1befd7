// Skinned push buttons: the look follows focus, default, press, hover and
// enabled state, the caption and focus rectangle are drawn over the skin's
// face, and every change shows on the screen at once.
#include <functional>
#include <string>

#include "skinforms/tests/skinnedcontrols_fixture.h"

using namespace talvik;
using namespace talvik::test;

namespace {

const char* StateName(TcxButtonState AState) {
  static const char* const kNames[] = {"default", "normal", "hot", "pressed", "disabled"};
  return kNames[AState];
}

// The state is stored, and the screen shows it already (nothing is pumped).
void ExpectLook(const char* AName, TButton* AButton, TcxButtonState AState) {
  SCOPED_TRACE(std::string(AName) + " expected " + StateName(AState));
  EXPECT_EQ(StateName(SkinnedControls::StateOf(AButton)), std::string(StateName(AState)));
  EXPECT_TRUE(FaceRingShows(ScreenPicture(AButton->Handle()), AState));
}
void ExpectLook(TButton* AButton, TcxButtonState AState) { ExpectLook("button", AButton, AState); }

// Records the text drawn into an enhanced metafile and the colour of each.
struct TTextRecord {
  COLORREF Color;
  POINT Origin;
};

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* ARecord, int, LPARAM AData) {
  auto* state = reinterpret_cast<std::pair<COLORREF, std::vector<TTextRecord>>*>(AData);
  if (ARecord->iType == EMR_SETTEXTCOLOR)
    state->first = reinterpret_cast<const EMRSETTEXTCOLOR*>(ARecord)->crColor;
  else if (ARecord->iType == EMR_EXTTEXTOUTW) {
    const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(ARecord);
    if (text->emrtext.nChars > 0)
      state->second.push_back({state->first, POINT{text->emrtext.ptlReference.x, text->emrtext.ptlReference.y}});
  }
  return 1;
}

}  // namespace

TEST_F(SkinnedControls, FocusedButtonOrElseTheDefaultOneTakesTheDefaultLook) {
  struct Step {
    const char* name;
    TWinControl* focus;
    TcxButtonState plain, deflt;
  };
  const Step steps[] = {
      {"edit box focused", Edit, cxbsNormal, cxbsDefault},
      {"plain button focused", Plain, cxbsDefault, cxbsNormal},
      {"default button focused", Default, cxbsNormal, cxbsDefault},
      {"plain button focused again", Plain, cxbsDefault, cxbsNormal},
      {"edit box focused again", Edit, cxbsNormal, cxbsDefault},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    step.focus->SetFocus();
    ExpectLook("plain button", Plain, step.plain);
    ExpectLook("default button", Default, step.deflt);
  }
}

TEST_F(SkinnedControls, PushedButtonLooksPressedWhileTheSystemHoldsIt) {
  Edit->SetFocus();
  HWND wnd = Plain->Handle();
  const LPARAM centre = MAKELPARAM(40, 13);
  struct Step {
    const char* name;
    std::function<void()> act;
    TcxButtonState expected;
  };
  const Step steps[] = {
      {"BM_SETSTATE pushed", [&] { SendMessageW(wnd, BM_SETSTATE, TRUE, 0); }, cxbsPressed},
      {"BM_SETSTATE released", [&] { SendMessageW(wnd, BM_SETSTATE, FALSE, 0); }, cxbsNormal},
      // A press takes the focus too: the look would be the default one once released.
      {"mouse button down", [&] { SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, centre); }, cxbsPressed},
      {"mouse button up", [&] { SendMessageW(wnd, WM_LBUTTONUP, 0, centre); }, cxbsDefault},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    step.act();
    ExpectLook(Plain, step.expected);
  }
}

TEST_F(SkinnedControls, HoverLastsUntilTheMouseLeaves) {
  Edit->SetFocus();
  RECT r;
  GetWindowRect(Plain->Handle(), &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageW(Plain->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(40, 13));
  ExpectLook(Plain, cxbsHot);

  MoveCursorAway();
  // The system reports the leave on its own timer.
  for (int i = 0; i < 100 && StateOf(Plain) == cxbsHot; ++i) {
    Sleep(10);
    PumpMessages();
  }
  ExpectLook(Plain, cxbsNormal);
}

TEST_F(SkinnedControls, DisabledButtonLooksDisabledAndComesBack) {
  Edit->SetFocus();
  Plain->SetEnabled(false);
  ExpectLook(Plain, cxbsDisabled);
  // A disabled button keeps the disabled look whatever else happens to it.
  SendMessageW(Plain->Handle(), BM_SETSTATE, TRUE, 0);
  ExpectLook(Plain, cxbsDisabled);
  SendMessageW(Plain->Handle(), BM_SETSTATE, FALSE, 0);
  Plain->SetEnabled(true);
  ExpectLook(Plain, cxbsNormal);
}

TEST_F(SkinnedControls, CaptionColoursFollowTheStateAndDisabledCaptionsAreDrawnTwice) {
  TdxSkinCustomControlPainter* painter = ButtonController(Plain)->Painter();
  for (TcxButtonState state : {cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled}) {
    SCOPED_TRACE(StateName(state));
    RECT frame{0, 0, 80, 26};
    HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    painter->BeginDraw(dc);
    painter->DrawButton(L"Go", RECT{0, 0, 80, 26}, state, false, &Plain->Font());
    painter->EndDraw();
    HENHMETAFILE picture = CloseEnhMetaFile(dc);
    std::pair<COLORREF, std::vector<TTextRecord>> seen{CLR_INVALID, {}};
    EnumEnhMetaFile(nullptr, picture, CollectText, &seen, &frame);
    DeleteEnhMetaFile(picture);

    std::vector<COLORREF> expected;
    if (state == cxbsDisabled) expected.push_back(ColorToRGB(clBtnHighlight));
    expected.push_back(ColorToRGB(SkinPainter()->ButtonSymbolColor(state, clDefault)));
    ASSERT_EQ(seen.second.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(seen.second[i].Color, expected[i]);
      EXPECT_EQ(seen.second[i].Origin.x, seen.second[0].Origin.x);
      EXPECT_EQ(seen.second[i].Origin.y, seen.second[0].Origin.y);
    }
  }
}

TEST_F(SkinnedControls, FocusRectangleLiesFourPixelsInsideAndGoesWithTheFocus) {
  Edit->SetFocus();  // the default button keeps the default look without the focus
  const TPicture unfocused = ScreenPicture(Default->Handle());
  Default->SetFocus();
  const TPicture focused = ScreenPicture(Default->Handle());
  const int right = focused.Width - 5, bottom = focused.Height - 5;
  bool left = false, top = false, rightSide = false, bottomSide = false;
  for (POINT p : Differences(unfocused, focused)) {
    bool vertical = (p.x == 4 || p.x == right) && p.y >= 4 && p.y <= bottom;
    bool horizontal = (p.y == 4 || p.y == bottom) && p.x >= 4 && p.x <= right;
    EXPECT_TRUE(vertical || horizontal) << p.x << "," << p.y;
    left |= p.x == 4, rightSide |= p.x == right, top |= p.y == 4, bottomSide |= p.y == bottom;
  }
  EXPECT_TRUE(left && top && rightSide && bottomSide);
  Edit->SetFocus();
  EXPECT_EQ(ScreenPicture(Default->Handle()), unfocused);
}

TEST_F(SkinnedControls, OnlyMultiLineButtonsWrapTheirCaption) {
  struct Case {
    const char* name;
    bool wordWrap;
    int lines;
  };
  const Case cases[] = {{"multi-line", true, 3}, {"single line", false, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TButton* button = AddButton(L"one two three", 10, 90);
    button->SetBounds(10, 90, 40, 70);
    button->SetWordWrap(c.wordWrap);
    const TPicture text = PaintedPicture(button->Handle());
    button->SetCaption(L"");
    const TPicture face = PaintedPicture(button->Handle());
    // Bands of rows with ink, separated by rows without.
    std::vector<std::pair<int, int>> bands;
    for (int y = 0; y < text.Height; ++y) {
      bool ink = false;
      for (int x = 0; x < text.Width; ++x) ink |= text.At(x, y) != face.At(x, y);
      if (!ink) continue;
      if (!bands.empty() && bands.back().second == y - 1) bands.back().second = y;
      else bands.emplace_back(y, y);
    }
    ASSERT_EQ(static_cast<int>(bands.size()), c.lines);
    // The lines together sit in the middle.
    EXPECT_NEAR((bands.front().first + bands.back().second) / 2.0, (text.Height - 1) / 2.0, 3.0);
    delete button;
  }
}

TEST_F(SkinnedControls, CaptionChangeShowsAtOnce) {
  Edit->SetFocus();
  const TPicture before = ScreenPicture(Plain->Handle());
  // No message is handled in between: nothing waits for WM_PAINT.
  SendMessageW(Plain->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"下载中"));
  const TPicture shown = ScreenPicture(Plain->Handle());
  EXPECT_EQ(ButtonController(Plain)->ViewInfo()->Caption(), L"下载中");
  EXPECT_NE(shown, before);
  EXPECT_TRUE(NearlySame(shown, PaintedPicture(Plain->Handle())));
}

// Changed while its form is hidden, a button is not drawn then, but shows the
// change with the form.
TEST_F(SkinnedControls, CaptionChangedWhileHiddenShowsWithTheForm) {
  auto form = std::make_unique<TTestForm>();
  form->SetBounds(100, 320, 200, 80);
  auto* button = new TButton(form.get());
  button->SetBounds(10, 10, 80, 26);
  button->SetCaption(L"正在加载");
  button->SetParent(form.get());
  form->HandleNeeded();
  PumpMessages();
  ASSERT_FALSE(IsWindowVisible(button->Handle()));
  SendMessageW(button->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"下载"));
  EnableWindow(button->Handle(), FALSE);
  form->Show();
  PumpMessages();
  EXPECT_EQ(ButtonController(button)->ViewInfo()->Caption(), L"下载");
  const TPicture shown = ScreenPicture(button->Handle());
  EXPECT_TRUE(FaceRingShows(shown, cxbsDisabled));
  EXPECT_TRUE(NearlySame(shown, PaintedPicture(button->Handle())));
}

TEST_F(SkinnedControls, ButtonWithoutMasterKeepsTheSystemLook) {
  struct Case {
    const char* name;
    LRESULT formDeclines;
    bool controlRefused;
    bool skinned;
  };
  const Case cases[] = {
      {"skinned form", 0, false, true},
      {"form declines the skin", 1, false, false},
      {"OnSkinControl refuses the button", 0, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Controller->SetOnSkinControl([&](TObject*, TWinControl* control, bool& use) {
      if (c.controlRefused && dynamic_cast<TButton*>(control)) use = false;
    });
    auto form = std::make_unique<TTestForm>();
    form->DeclineAnswer = c.formDeclines;
    form->SetBounds(100, 320, 200, 80);
    auto* button = new TButton(form.get());
    button->SetBounds(10, 10, 80, 26);
    button->SetParent(form.get());
    form->Show();
    PumpMessages();
    TdxSkinWinController* controller = ControllerOf(button);
    EXPECT_EQ(controller && controller->IsSkinUsed(), c.skinned);
    const TPicture painted = PaintedPicture(button->Handle());
    bool skinFace = false;
    for (TcxButtonState state : {cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled})
      skinFace |= FaceRingShows(painted, state);
    EXPECT_EQ(skinFace, c.skinned);
  }
  Controller->SetOnSkinControl(nullptr);
}

TEST_F(SkinnedControls, RepaintsHoversAndStateChangesKeepGdiObjectsFlat) {
  HWND wnd = Plain->Handle();
  RECT r;
  GetWindowRect(wnd, &r);
  auto cycle = [&](int i) {
    SetCursorPos(r.left + 5, r.top + 5);
    SendMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    MoveCursorAway();
    SendMessageW(wnd, WM_MOUSELEAVE, 0, 0);
    SendMessageW(wnd, BM_SETSTATE, TRUE, 0);
    SendMessageW(wnd, BM_SETSTATE, FALSE, 0);
    SendMessageW(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(i % 2 ? L"下载" : L"下载中"));
    (i % 2 ? Plain : Default)->SetFocus();
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpMessages();
  };
  for (int i = 0; i < 10; ++i) cycle(i);  // caches fill on first use
  const int before = CountGdiObjects();
  ASSERT_GT(before, 0);
  HBRUSH probe = CreateSolidBrush(RGB(1, 2, 3));
  ASSERT_EQ(CountGdiObjects(), before + 1);  // the count sees objects come
  DeleteObject(probe);
  for (int i = 0; i < 100; ++i) cycle(i);  // several hundred paints
  EXPECT_EQ(CountGdiObjects(), before);
}

TEST_F(SkinnedControls, ButtonFollowsItsFormWhenSkinsAreSwitchedOffAndOn) {
  Edit->SetFocus();
  struct Step {
    bool useSkins;
    bool skinned;
  };
  for (const Step& step : {Step{false, false}, Step{true, true}}) {
    SCOPED_TRACE(step.useSkins ? "on" : "off");
    Controller->SetUseSkins(step.useSkins);
    PumpMessages();
    EXPECT_EQ(ButtonController(Plain)->IsSkinUsed(), step.skinned);
    EXPECT_EQ(FaceRingShows(ScreenPicture(Plain->Handle()), cxbsNormal), step.skinned);
  }
}

TEST_F(SkinnedControls, ScreenPaintsAreComposedInMemoryBeforeTheyShow) {
  // The form is asked for the picture behind the button; its device context
  // tells where the button is being composed.
  std::vector<DWORD> targets;
  TWndMethodProc saved = Form->WindowProc;
  Form->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_PAINT && m.WParam) targets.push_back(GetObjectType(reinterpret_cast<HGDIOBJ>(m.WParam)));
    saved(m);
  };
  RedrawWindow(Plain->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  SendMessageW(Plain->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"下载中"));
  Form->WindowProc = saved;
  EXPECT_EQ(targets, (std::vector<DWORD>{OBJ_MEMDC, OBJ_MEMDC}));
}
