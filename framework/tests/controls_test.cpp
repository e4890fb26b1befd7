#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/forms.h"
#include "framework/stdctrls.h"
#include "framework/utilitywindow.h"
#include "framework/sysutils.h"

using namespace talvik;

namespace {

std::wstring WindowClass(HWND wnd) {
  wchar_t name[64] = {};
  GetClassNameW(wnd, name, 64);
  return name;
}

RECT ChildRect(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// A form of 504 x 350 client pixels with a button, an edit box and a memo on a panel.
struct Fixture : ::testing::Test {
  void SetUp() override {
    form = std::make_unique<TForm>();
    form->SetClientSize(504, 350);
    form->SetBorderIcons(biSystemMenu | biMinimize);
    button = new TButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(423, 26, 71, 25);
    button->SetCaption(L"下载");
    memo = new TMemo(form.get());
    memo->SetParent(form.get());
    memo->SetHeight(293);
    memo->SetScrollBars(ssVertical);
    memo->SetAlign(alBottom);
  }
  void TearDown() override {
    form.reset();
    Application()->OnException = nullptr;
  }
  std::unique_ptr<TForm> form;
  TButton* button = nullptr;
  TMemo* memo = nullptr;
};

}  // namespace

TEST_F(Fixture, WindowsCarryTheControlClassNamesAndMapBackToTheirControls) {
  HWND wnd = button->Handle();
  EXPECT_EQ(WindowClass(wnd), L"TButton");
  EXPECT_EQ(WindowClass(memo->Handle()), L"TMemo");
  EXPECT_EQ(WindowClass(form->Handle()), L"TForm");
  EXPECT_EQ(FindControl(wnd), button);
  EXPECT_EQ(FindControl(form->Handle()), form.get());
  EXPECT_EQ(GetParent(wnd), form->Handle());
  // A window the framework did not make has no control object.
  HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(FindControl(plain), nullptr);
  DestroyWindow(plain);
  delete button;
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(FindControl(wnd), nullptr);
}

TEST_F(Fixture, FormHasTheAskedClientSizeAndBorderIcons) {
  HWND wnd = form->Handle();
  RECT client;
  GetClientRect(wnd, &client);
  EXPECT_EQ(client.right, 504);
  EXPECT_EQ(client.bottom, 350);
  LONG style = GetWindowLongW(wnd, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST_F(Fixture, CentredFormSitsInTheMiddleOfTheScreen) {
  form->SetPosition(poScreenCenter);
  RECT r;
  GetWindowRect(form->Handle(), &r);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2);
}

TEST_F(Fixture, BottomAlignedMemoFillsTheBottomOfTheClientArea) {
  form->Show();
  RECT r = ChildRect(memo->Handle());
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 57);
  EXPECT_EQ(r.right, 504);
  EXPECT_EQ(r.bottom, 350);
  EXPECT_TRUE(GetWindowLongW(memo->Handle(), GWL_STYLE) & WS_VSCROLL);
  RECT b = ChildRect(button->Handle());
  EXPECT_EQ(b.left, 423);
  EXPECT_EQ(b.top, 26);
  EXPECT_EQ(b.right - b.left, 71);
  EXPECT_EQ(b.bottom - b.top, 25);
}

TEST_F(Fixture, CanResizeHandlerKeepsTheSize) {
  int asked = 0;
  form->OnCanResize = [&](TObject*, int& w, int& h, bool& resize) {
    ++asked;
    resize = false;
  };
  HWND wnd = form->Handle();
  RECT before;
  GetWindowRect(wnd, &before);
  SetWindowPos(wnd, nullptr, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER);
  RECT after;
  GetWindowRect(wnd, &after);
  EXPECT_GE(asked, 1);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

// Limits the description sets reach the system's tracking sizes; 0 leaves the system's own.
TEST_F(Fixture, SizeConstraintsLimitTheTrackingSize) {
  EXPECT_TRUE(form->ReadProperty(L"Constraints.MinWidth", L"300"));
  EXPECT_TRUE(form->ReadProperty(L"Constraints.MaxHeight", L"500"));
  // What the system proposes: minimum 100 x 40, maximum 2000 x 1500.
  MINMAXINFO info{};
  info.ptMinTrackSize = {100, 40};
  info.ptMaxTrackSize = info.ptMaxSize = {2000, 1500};
  SendMessageW(form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 300);
  EXPECT_EQ(info.ptMinTrackSize.y, 40);
  EXPECT_EQ(info.ptMaxTrackSize.x, 2000);
  EXPECT_EQ(info.ptMaxTrackSize.y, 500);
  EXPECT_EQ(info.ptMaxSize.y, 500);
}

TEST_F(Fixture, MinimizedFormThatCannotResizeComesBackWhole) {
  form->OnCanResize = [](TObject*, int&, int&, bool& resize) { resize = false; };
  form->Show();
  HWND wnd = form->Handle();
  RECT window, memoRect = ChildRect(memo->Handle());
  GetWindowRect(wnd, &window);
  struct Way {
    const char* name;
    std::function<void()> minimize, restore;
  } ways[] = {
      {"system commands", [&] { SendMessageW(wnd, WM_SYSCOMMAND, SC_MINIMIZE, 0); },
       [&] { SendMessageW(wnd, WM_SYSCOMMAND, SC_RESTORE, 0); }},
      {"ShowWindow", [&] { ShowWindow(wnd, SW_MINIMIZE); }, [&] { ShowWindow(wnd, SW_RESTORE); }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    way.minimize();
    ASSERT_TRUE(IsIconic(wnd));
    way.restore();
    ASSERT_FALSE(IsIconic(wnd));
    RECT after, memoAfter = ChildRect(memo->Handle());
    GetWindowRect(wnd, &after);
    EXPECT_TRUE(EqualRect(&after, &window)) << after.left << "," << after.top << " " << after.right << ","
                                            << after.bottom;
    EXPECT_TRUE(EqualRect(&memoAfter, &memoRect)) << memoAfter.top << " " << memoAfter.bottom;
    EXPECT_EQ(form->Width(), window.right - window.left);
  }
}

TEST_F(Fixture, EnterPressesAFocusedButtonOnceAndOnlyWhenEnabled) {
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  struct Case {
    const char* name;
    bool enabled;
    LPARAM keyData;  // bit 30: the key was already down
    int clicks;
  } cases[] = {
      {"first stroke", true, 1, 1},
      {"held key", true, 1 | (1 << 30), 0},
      {"disabled", false, 1, 0},
  };
  for (const Case& c : cases) {
    clicks = 0;
    button->SetEnabled(c.enabled);
    SendMessageW(button->Handle(), WM_KEYDOWN, VK_RETURN, c.keyData);
    EXPECT_EQ(clicks, c.clicks) << c.name;
  }
  button->SetEnabled(true);
  SendMessageW(button->Handle(), WM_KEYDOWN, VK_SPACE, 1);
  EXPECT_EQ(clicks, 0) << "only Enter";
}

TEST_F(Fixture, KeyPressHandlerSeesTypedCharactersAndCanSwallowThem) {
  std::wstring seen;
  memo->OnKeyPress = [&](TObject* sender, wchar_t& key) {
    EXPECT_EQ(sender, memo);
    seen += key;
    if (key == L'x') key = 0;
    else if (key == L'a') key = L'b';
  };
  for (wchar_t c : std::wstring(L"xay")) SendMessageW(memo->Handle(), WM_CHAR, c, 1);
  EXPECT_EQ(seen, L"xay");
  EXPECT_EQ(memo->Text(), L"by");
}

TEST_F(Fixture, ActiveControlHasTheKeyboardWheneverTheFormIsActivated) {
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  form->SetActiveControl(edit);
  form->Show();
  SetForegroundWindow(form->Handle());
  EXPECT_TRUE(edit->Focused());
  // The control that last had the keyboard gets it back after another window was active.
  button->SetFocus();
  EXPECT_EQ(form->ActiveControl(), button);
  HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                               nullptr);
  SetActiveWindow(other);
  EXPECT_FALSE(button->Focused());
  SetActiveWindow(form->Handle());
  EXPECT_TRUE(button->Focused());
  // A control that cannot take it leaves the keyboard with the form, and a freed one is forgotten.
  SetActiveWindow(other);
  button->SetEnabled(false);
  SetActiveWindow(form->Handle());
  EXPECT_EQ(GetFocus(), form->Handle());
  delete button;
  button = nullptr;
  EXPECT_EQ(form->ActiveControl(), nullptr);
  DestroyWindow(other);
}

TEST_F(Fixture, ButtonClickReachesOnClickAndErrorsGoToTheReport) {
  std::vector<std::wstring> reports;
  Application()->OnException = [&](TObject*, const std::wstring& m) { reports.push_back(m); };
  int clicks = 0;
  button->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, button);
    if (++clicks == 2) throw EFCreateError(L"disk full");
  };
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(reports.empty());
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 2);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0], L"disk full");
  // The window goes on after the report.
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 3);
}

TEST_F(Fixture, ReplacedWindowProcSeesMessagesFirstAndCanPassThemOn) {
  HWND wnd = button->Handle();
  std::vector<UINT> seen;
  TWndMethodProc saved = button->WindowProc;
  button->WindowProc = [&](TMessage& m) {
    seen.push_back(m.Msg);
    if (m.Msg == WM_GETTEXTLENGTH) {
      m.Result = 99;  // swallowed: the button never sees it
      return;
    }
    saved(m);
  };
  EXPECT_EQ(SendMessageW(wnd, WM_GETTEXTLENGTH, 0, 0), 99);
  SetWindowTextW(wnd, L"abc");
  wchar_t text[8] = {};
  SendMessageW(wnd, WM_GETTEXT, 8, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"abc");
  EXPECT_EQ(button->Perform(CM_COLORCHANGED), 0);
  EXPECT_EQ(seen.back(), CM_COLORCHANGED);
  EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_SETTEXT)), seen.end());
  button->WindowProc = saved;
}

TEST_F(Fixture, ColorChangeIsAnnouncedToTheControl) {
  memo->HandleNeeded();
  int announced = 0;
  TWndMethodProc saved = memo->WindowProc;
  memo->WindowProc = [&](TMessage& m) {
    if (m.Msg == CM_COLORCHANGED) ++announced;
    saved(m);
  };
  memo->SetColor(static_cast<TColor>(0x112233));
  memo->SetColor(static_cast<TColor>(0x112233));
  EXPECT_EQ(announced, 1);
  memo->WindowProc = saved;
}

TEST_F(Fixture, MemoAppendsLinesAtTheEnd) {
  memo->HandleNeeded();
  memo->AddLine(L"程序升级、问题反馈：");
  memo->AddLine(L"http://a/b");
  EXPECT_EQ(memo->Lines(), (std::vector<std::wstring>{L"程序升级、问题反馈：", L"http://a/b"}));
  memo->SetText(L"typed");  // a user's text without a final line break
  memo->AddLine(L"1.jpg....over...");
  EXPECT_EQ(memo->Lines(), (std::vector<std::wstring>{L"typed", L"1.jpg....over..."}));
  memo->ClearLines();
  EXPECT_TRUE(memo->Lines().empty());
}

TEST_F(Fixture, ParentFormLookupFindsTheOutermostOrNearestForm) {
  auto* panel = new TPanel(form.get());
  panel->SetParent(form.get());
  auto* frame = new TFrame(form.get());
  frame->SetParent(panel);
  auto* inner = new TForm(form.get());
  inner->SetParent(frame);
  auto* edit = new TEdit(form.get());
  edit->SetParent(inner);
  EXPECT_EQ(GetParentForm(edit), form.get());
  EXPECT_EQ(GetParentForm(edit, false), inner);
  EXPECT_EQ(GetParentForm(panel), form.get());
  TButton loose;
  EXPECT_EQ(GetParentForm(&loose), nullptr);
  EXPECT_EQ(WindowClass(panel->Handle()), L"TPanel");
  EXPECT_EQ(WindowClass(frame->Handle()), L"TFrame");
  EXPECT_EQ(GetParent(inner->Handle()), frame->Handle());
  EXPECT_TRUE(GetWindowLongW(inner->Handle(), GWL_STYLE) & WS_CHILD);
}

TEST(ObjectInstance, PlainWindowProcedureCallsTheBoundMethod) {
  HWND wnd = CreateWindowExW(0, L"STATIC", L"x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(wnd, nullptr);
  std::vector<UINT> seen;
  WNDPROC old = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC));
  WNDPROC instance = MakeObjectInstance([&](TMessage& m) {
    seen.push_back(m.Msg);
    if (m.Msg == WM_USER + 1) m.Result = static_cast<LRESULT>(m.WParam + m.LParam);
    else m.Result = CallWindowProcW(old, wnd, m.Msg, m.WParam, m.LParam);
  });
  SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(instance));
  EXPECT_EQ(SendMessageW(wnd, WM_USER + 1, 40, 2), 42);
  EXPECT_EQ(SendMessageW(wnd, WM_GETTEXTLENGTH, 0, 0), 1);
  EXPECT_EQ(seen.size(), 2u);
  SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
  FreeObjectInstance(instance);
  DestroyWindow(wnd);
}

TEST(ObjectInstance, EachInstanceIsBoundToItsOwnMethodAndSlotsAreReused) {
  std::vector<WNDPROC> made;
  for (int i = 0; i < 3; ++i)
    made.push_back(MakeObjectInstance([i](TMessage& m) { m.Result = 100 + i; }));
  EXPECT_NE(made[0], made[1]);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(made[i](nullptr, WM_NULL, 0, 0), 100 + i);
  FreeObjectInstance(made[1]);
  WNDPROC again = MakeObjectInstance([](TMessage& m) { m.Result = 7; });
  EXPECT_EQ(again, made[1]);
  EXPECT_EQ(again(nullptr, WM_NULL, 0, 0), 7);
  for (WNDPROC p : {made[0], again, made[2]}) FreeObjectInstance(p);
}

TEST(ObjectInstance, ExhaustedPoolFailsClearly) {
  std::vector<WNDPROC> made;
  try {
    for (int i = 0; i < 10000; ++i) made.push_back(MakeObjectInstance([](TMessage&) {}));
    ADD_FAILURE() << "the pool never ran out";
  } catch (const EOutOfResources&) {
  }
  EXPECT_GT(made.size(), 64u);
  for (WNDPROC p : made) FreeObjectInstance(p);
  EXPECT_NO_THROW(FreeObjectInstance(MakeObjectInstance([](TMessage&) {})));
}

TEST(ApplicationLoop, ProcessMessagesHandlesPendingMessagesAndStopsAtQuit) {
  int handled = 0;
  HWND wnd = AllocateHWnd([&](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m == WM_USER) ++handled;
    return DefWindowProcW(w, m, wp, lp);
  });
  PostMessageW(wnd, WM_USER, 0, 0);
  PostMessageW(wnd, WM_USER, 0, 0);
  TApplication app;
  app.ProcessMessages();
  EXPECT_EQ(handled, 2);
  EXPECT_FALSE(app.Terminated());
  app.Terminate();
  PostMessageW(wnd, WM_USER, 0, 0);
  app.ProcessMessages();
  EXPECT_TRUE(app.Terminated());
  DeallocateHWnd(wnd);
  // The quit message went first; leave nothing for the next test.
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
}

TEST(ApplicationLoop, ClosingTheMainFormEndsTheLoopButKeepsTheFormAlive) {
  TApplication* app = Application();
  TForm form;
  app->SetMainForm(&form);
  bool asked = false;
  form.OnClose = [&](TObject*, TCloseAction& action) { asked = true; };
  form.Show();
  PostMessageW(form.Handle(), WM_CLOSE, 0, 0);
  app->Run();
  EXPECT_TRUE(asked);
  EXPECT_TRUE(app->Terminated());
  EXPECT_TRUE(IsWindow(form.Handle()));
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
  app->SetMainForm(nullptr);
}

TEST(ErrorReport, FullStopIsAddedAfterCharactersAboveIt) {
  struct Case {
    std::wstring in, out;
  } cases[] = {
      {L"HTTP/1.1 404 Not Found", L"HTTP/1.1 404 Not Found."},
      {L"Socket Error # 10061\r\nConnection refused.", L"Socket Error # 10061\r\nConnection refused."},
      {L"disk full!", L"disk full!"},        // '!' is below '.'
      {L"a/", L"a/."},                       // '/' is just above '.'
      {L"完毕", L"完毕."},
      {L"", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(ExceptionReportText(c.in), c.out) << WideToUtf8(c.in);
}

TEST_F(Fixture, ChildrenFollowTheFormFontUntilGivenTheirOwn) {
  form->Font().SetName(L"Arial");
  EXPECT_EQ(button->Font().Name(), L"Arial");
  memo->Font().SetHeight(-20);  // its own from now on
  form->Font().SetName(L"Tahoma");
  form->Font().SetHeight(-13);
  EXPECT_EQ(button->Font().Name(), L"Tahoma");
  EXPECT_EQ(button->Font().Height(), -13);
  EXPECT_EQ(memo->Font().Name(), L"Arial");
  EXPECT_EQ(memo->Font().Height(), -20);
  auto* late = new TEdit(form.get());
  late->SetParent(form.get());
  EXPECT_EQ(late->Font().Height(), -13);
  memo->SetParentFont(true);
  EXPECT_EQ(memo->Font().Height(), -13);
}

TEST(Label, PaintsItsTextInItsOwnFont) {
  TBitmap picture(120, 60, pf32bit);
  picture.Canvas().Brush().SetColor(clWhite);
  picture.Canvas().FillRect(RECT{0, 0, 120, 60});
  TLabel label;
  label.SetBounds(0, 0, 120, 60);
  label.SetTransparent(true);
  label.Font().SetHeight(-40);  // far taller than the device context's own font
  label.SetCaption(L"W");
  label.Paint(picture.Canvas());
  int lowestInk = -1;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 120; ++x)
      if (picture.Canvas().Pixel(x, y) != clWhite) lowestInk = y;
  EXPECT_GT(lowestInk, 24);
}

namespace {
// What a call-window-procedure hook sees of windows being created and destroyed.
std::vector<std::pair<UINT, TWinControl*>> gHookSeen;
LRESULT CALLBACK CallWndProcHook(int code, WPARAM wp, LPARAM lp) {
  auto* msg = reinterpret_cast<CWPSTRUCT*>(lp);
  if (msg->message == WM_CREATE || msg->message == WM_DESTROY) gHookSeen.emplace_back(msg->message, FindControl(msg->hwnd));
  return CallNextHookEx(nullptr, code, wp, lp);
}
}  // namespace

TEST_F(Fixture, HookFindsTheControlWhileItsWindowIsCreatedAndDestroyed) {
  // A controller attached at WM_CREATE must see every later message of the control.
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, CallWndProcHook, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  gHookSeen.clear();
  TWinControl* created = button;
  form->HandleNeeded();  // the form, the button and the memo
  delete button;
  UnhookWindowsHookEx(hook);
  std::vector<TWinControl*> createdSeen, destroyedSeen;
  // Windows the framework did not make (the system's own helpers) have no control.
  for (auto& [msg, control] : gHookSeen)
    if (control) (msg == WM_CREATE ? createdSeen : destroyedSeen).push_back(control);
  EXPECT_EQ(createdSeen, (std::vector<TWinControl*>{form.get(), created, memo}));
  EXPECT_EQ(destroyedSeen, (std::vector<TWinControl*>{created}));
}

namespace {
// Records the messages AControl's handler sees, then passes them on.
struct TMessageLog {
  explicit TMessageLog(TControl* AControl) : Control(AControl), Saved(AControl->WindowProc) {
    AControl->WindowProc = [this](TMessage& m) {
      Seen.push_back(m);
      Saved(m);
    };
  }
  ~TMessageLog() { Control->WindowProc = Saved; }
  std::vector<TMessage> Of(UINT AMsg) const {
    std::vector<TMessage> found;
    for (const TMessage& m : Seen)
      if (m.Msg == AMsg) found.push_back(m);
    return found;
  }
  TControl* Control;
  TWndMethodProc Saved;
  std::vector<TMessage> Seen;
};
}  // namespace

TEST_F(Fixture, EveryControlOnTheFormLearnsWhichOneHasTheKeyboard) {
  auto* panel = new TPanel(form.get());
  panel->SetParent(form.get());
  auto* inner = new TEdit(form.get());
  inner->SetParent(panel);
  form->Show();
  TMessageLog buttonLog(button), memoLog(memo), innerLog(inner);
  for (TWinControl* focused : std::initializer_list<TWinControl*>{memo, inner, button}) {
    for (TMessageLog* log : {&buttonLog, &memoLog, &innerLog}) log->Seen.clear();
    focused->SetFocus();
    for (TMessageLog* log : {&buttonLog, &memoLog, &innerLog}) {
      auto told = log->Of(CM_FOCUSCHANGED);
      ASSERT_EQ(told.size(), 1u) << log->Control->ClassName();
      EXPECT_EQ(told[0].LParam, reinterpret_cast<LPARAM>(focused));
    }
  }
  EXPECT_EQ(form->ActiveControl(), button);
}

TEST_F(Fixture, ControlIsToldWhenTheMouseLeavesIt) {
  form->SetBounds(100, 100, 300, 200);
  form->Show();
  TMessageLog log(button);
  RECT r;
  GetWindowRect(button->Handle(), &r);
  SetCursorPos(r.left + 5, r.top + 5);
  SendMessageW(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  SetCursorPos(1000, 740);
  // The system notices the leave on a timer of its own.
  for (int i = 0; i < 100 && log.Of(CM_MOUSELEAVE).empty(); ++i) {
    Sleep(10);
    Application()->ProcessMessages();
  }
  auto told = log.Of(CM_MOUSELEAVE);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0].LParam, reinterpret_cast<LPARAM>(button));
}

TEST_F(Fixture, PaintIntoAGivenDeviceContextDrawsTheLabelsThere) {
  auto* panel = new TPanel(form.get());
  panel->SetBounds(200, 100, 100, 60);
  panel->SetBevelOuter(bvNone);
  panel->SetParent(form.get());
  const TColor labelColor = static_cast<TColor>(0x2040C0);
  for (TWinControl* parent : std::initializer_list<TWinControl*>{form.get(), panel}) {
    SCOPED_TRACE(parent->ClassName());
    auto* label = new TLabel(form.get());
    label->SetBounds(10, 10, 40, 20);
    label->SetColor(labelColor);
    label->SetParent(parent);
    TBitmap target(100, 60, pf32bit);
    target.Canvas().Brush().SetColor(clWhite);
    target.Canvas().FillRect(RECT{0, 0, 100, 60});
    SendMessageW(parent->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.Canvas().Handle()), 0);
    EXPECT_EQ(target.Canvas().Pixel(12, 12), labelColor);
    EXPECT_EQ(target.Canvas().Pixel(80, 50), clWhite);
    delete label;
  }
}
