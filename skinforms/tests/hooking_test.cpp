// Which windows get a controller, how they are taken over and given back, and
// the hook's handling of creation and destruction.
#include <functional>
#include <thread>
#include <vector>

#include "graphics/objectlinks.h"
#include "skinforms/skincontrolcontrollers.h"
#include "skinforms/tests/skinforms_fixture.h"

using namespace talvik;
using namespace talvik::test;

namespace {

class TMyButton : public TButton {
public:
  TALVIK_CLASS_NAME(TMyButton)
  using TButton::TButton;
};
class TMyPanel : public TPanel {
public:
  TALVIK_CLASS_NAME(TMyPanel)
  using TPanel::TPanel;
};
class TMyFrame : public TFrame {
public:
  TALVIK_CLASS_NAME(TMyFrame)
  using TFrame::TFrame;
};
// A windowed control of a class the selection does not know, as the browser control is.
class TWebBrowser : public TWinControl {
public:
  TALVIK_CLASS_NAME(TWebBrowser)
  using TWinControl::TWinControl;
};

struct SelectionCase {
  const char* name;
  std::function<TWinControl*(TComponent* AOwner)> make;
  const wchar_t* controller;
};

template <class T>
std::function<TWinControl*(TComponent*)> Make() {
  return [](TComponent* owner) { return new T(owner); };
}

}  // namespace

TEST_F(SkinnedWindows, EachKindOfWindowGetsItsControllerOrNone) {
  const SelectionCase cases[] = {
      {"push button", Make<TButton>(), L"TdxSkinButtonController"},
      {"panel", Make<TPanel>(), L"TdxSkinPanelController"},
      {"frame", Make<TFrame>(), L"TdxSkinFrameController"},
      {"frame subclass", Make<TMyFrame>(), L"TdxSkinFrameController"},
      {"form inside the form", Make<TForm>(), L"TdxSkinFormController"},
      {"form subclass inside the form", Make<TTestForm>(), L"TdxSkinFormController"},
      {"push button subclass", Make<TMyButton>(), L"none"},
      {"panel subclass", Make<TMyPanel>(), L"none"},
      {"edit box", Make<TEdit>(), L"none"},
      {"memo", Make<TMemo>(), L"none"},
      {"browser control", Make<TWebBrowser>(), L"none"},
  };
  EXPECT_EQ(ControllerClassOf(Form.get()), L"TdxSkinFormController");
  EXPECT_TRUE(Hooked(Form.get()));
  for (const SelectionCase& tc : cases) {
    SCOPED_TRACE(tc.name);
    TWinControl* control = tc.make(Form.get());
    control->SetBounds(100, 40, 60, 30);
    control->SetParent(Form.get());
    ASSERT_TRUE(control->HandleAllocated());
    EXPECT_EQ(ControllerClassOf(control), tc.controller);
    if (TdxSkinWinController* c = ControllerOf(control)) {
      // Controls follow the form's skin; forms choose their own.
      bool follower = dynamic_cast<TdxSkinFrameController*>(c) || dynamic_cast<TdxSkinCustomController*>(c);
      EXPECT_EQ(c->Master(), follower ? ControllerOf(Form.get()) : nullptr);
      EXPECT_EQ(c->LookAndFeelPainter(), SkinPainter());
      EXPECT_TRUE(c->IsHooked());
    }
    delete control;
  }
}

TEST_F(SkinnedWindows, WindowsWithoutControlObjectsOrOfOtherThreadsGetNone) {
  HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, Form->Handle(), nullptr, nullptr, nullptr);
  EXPECT_EQ(FindControllerByHandle(plain), nullptr);
  DestroyWindow(plain);

  // The hook watches the starting thread only.
  HWND otherThreads = nullptr;
  bool hadController = true;
  std::thread([&] {
    otherThreads = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    hadController = FindControllerByHandle(otherThreads) != nullptr || IsForeignWindow(otherThreads);
    DestroyWindow(otherThreads);
  }).join();
  ASSERT_NE(otherThreads, nullptr);
  EXPECT_FALSE(hadController);
  EXPECT_TRUE(IsForeignWindow(nullptr));
}

TEST_F(SkinnedWindows, ControllersGoWithTheirWindowAndInvalidateTheirLinks) {
  TdxSkinWinController* button = ControllerOf(Button);
  ASSERT_NE(button, nullptr);
  TcxObjectLink* link = LinkObject(button);
  size_t count = WinControllerList()->size();
  delete Button;
  EXPECT_EQ(link->Ref, nullptr);
  EXPECT_EQ(WinControllerList()->size(), count - 1);
  UnlinkObject(link);
}

TEST_F(SkinnedWindows, ASecondCreateMessageChangesNothing) {
  TdxSkinWinController* form = ControllerOf(Form.get());
  TdxSkinWinController* button = ControllerOf(Button);
  size_t count = WinControllerList()->size();
  for (TWinControl* c : std::initializer_list<TWinControl*>{Form.get(), Button}) {
    CREATESTRUCTW cs{};
    SendMessageW(c->Handle(), WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs));
  }
  EXPECT_EQ(WinControllerList()->size(), count);
  EXPECT_EQ(ControllerOf(Form.get()), form);
  EXPECT_EQ(ControllerOf(Button), button);
  // Taken over once only: a message still reaches the form's own handling and returns.
  int before = Form->NcCalcSizes;
  SetWindowPos(Form->Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
  EXPECT_EQ(Form->NcCalcSizes, before + 1);
}

namespace {
// An MDI frame: a form holding an MDI client window, which has no control object.
struct MdiFrame {
  HWND client = nullptr;
  explicit MdiFrame(TCustomForm& form) {
    CLIENTCREATESTRUCT ccs{nullptr, 0xFF00};
    client = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN, 0, 0, 200, 150, form.Handle(),
                             nullptr, GetModuleHandleW(nullptr), &ccs);
  }
  HWND AddChild() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefMDIChildProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SkinFormsTestMdiChild";
    RegisterClassW(&wc);  // fails harmlessly once registered
    MDICREATESTRUCTW mcs{L"SkinFormsTestMdiChild", L"child", GetModuleHandleW(nullptr), 0, 0, 80, 60, 0, 0};
    return reinterpret_cast<HWND>(SendMessageW(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
  }
};
}  // namespace

TEST_F(SkinnedWindows, MdiClientGetsItsControllerLaterAndLosesItOnlyToItsOwnDestroy) {
  WNDPROC own = nullptr;
  MdiFrame frame(*Form);
  ASSERT_NE(frame.client, nullptr);
  own = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(frame.client, GWLP_WNDPROC));
  EXPECT_EQ(FindControllerByHandle(frame.client), nullptr);  // posted, not yet made
  PumpMessages();
  TdxSkinWinController* client = FindControllerByHandle(frame.client);
  ASSERT_NE(client, nullptr);
  EXPECT_STREQ(client->ClassName(), L"TdxSkinFormController");
  EXPECT_EQ(client->Master(), ControllerOf(Form.get()));
  EXPECT_TRUE(client->IsMDIClient());
  // No control object: the window procedure itself is replaced.
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(frame.client, GWLP_WNDPROC)), client->ProcInstance());

  HWND child = frame.AddChild();
  ASSERT_NE(child, nullptr);
  int changes = Form->ChildChanges;
  SendMessageW(frame.client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(FindControllerByHandle(frame.client), client);
  // The frame heard of its child's going; while skinned its controller takes the message.
  EXPECT_EQ(Form->ChildChanges, changes);

  Controller->SetUseSkins(false);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(frame.client, GWLP_WNDPROC)), own);
  child = frame.AddChild();
  SendMessageW(frame.client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
  EXPECT_GT(Form->ChildChanges, changes);

  DestroyWindow(frame.client);
  EXPECT_EQ(FindControllerByHandle(frame.client), nullptr);
}

TEST_F(SkinnedWindows, SelfSkinningFormKeepsItsOwnControllerAndItsControlsFollowIt) {
  auto form = std::make_unique<TdxSkinForm>();
  auto* button = new TButton(form.get());
  button->SetParent(form.get());
  form->HandleNeeded();
  PumpMessages();
  TdxSkinFormController* own = form->Controller();
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(ControllerOf(form.get()), own);
  EXPECT_EQ(own->SkinForm(), form.get());
  EXPECT_TRUE(own->IsSkinUsed());
  EXPECT_FALSE(own->IsHooked());  // the form hands its messages over itself
  EXPECT_EQ(ControllerOf(button)->Master(), own);
  EXPECT_TRUE(Hooked(button));
  EXPECT_EQ(SendMessageW(form->Handle(), WM_HASOWNSKINENGINE, 0, 0), 1);

  // Freed by the form before its window goes.
  size_t count = WinControllerList()->size();
  form.reset();
  EXPECT_EQ(WinControllerList()->size(), count - 2);
}

TEST_F(SkinnedWindows, LabelsOfSkinnedMessageDialogsBecomeTransparent) {
  const struct {
    const char* name;
    std::function<TCustomForm*()> make;
    bool useSkins;
    bool transparent;
  } cases[] = {
      {"message dialog class, skinned", [] { return new TForm(); }, true, true},
      {"message dialog class, skins off", [] { return new TForm(); }, false, false},
      {"other form class", [] { return new TTestForm(); }, true, false},
  };
  for (const auto& tc : cases) {
    SCOPED_TRACE(tc.name);
    Controller->SetUseSkins(tc.useSkins);
    std::unique_ptr<TCustomForm> form(tc.make());
    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    form->HandleNeeded();
    PumpMessages();
    EXPECT_EQ(label->Transparent(), tc.transparent);
  }
}

namespace {
// Stands in front of a form's own handler, so that a test can see whether
// the handler in place is still this one.
struct OwnHandler {
  TWndMethodProc inner;
  void operator()(TMessage& M) const { inner(M); }
};

int gScrollRedraws = 0;
int WINAPI RecordScrollPos(HWND, int, int, BOOL Redraw) { return gScrollRedraws = Redraw ? 1 : 0; }
int WINAPI RecordScrollInfo(HWND, int, LPCSCROLLINFO, BOOL Redraw) { return gScrollRedraws = Redraw ? 1 : 0; }
}  // namespace

TEST(SkinFormsShutDown, GivesEveryWindowItsOwnProcedureBackAndUnhooks) {
  FinalizeSkinForms();
  talvik::FlatSB_SetScrollPos = RecordScrollPos;
  talvik::FlatSB_SetScrollInfo = RecordScrollInfo;
  InitializeSkinForms();
  EXPECT_EQ(talvik::FlatSB_SetScrollPos, SkinAwareSetScrollPos);

  auto controller = std::make_unique<TdxSkinController>();
  controller->SetSkinName(kSkin);
  TdxSkinForm selfSkinning;
  selfSkinning.HandleNeeded();
  ASSERT_NE(selfSkinning.Controller(), nullptr);
  TForm form;
  form.WindowProc = OwnHandler{form.WindowProc};
  auto* button = new TButton(&form);
  button->WindowProc = OwnHandler{button->WindowProc};
  button->SetParent(&form);
  form.HandleNeeded();
  MdiFrame frame(form);
  WNDPROC clientOwn = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(frame.client, GWLP_WNDPROC));
  PumpMessages();
  ASSERT_TRUE(Hooked(&form));
  ASSERT_TRUE(Hooked(button));
  ASSERT_NE(FindControllerByHandle(frame.client), nullptr);
  EXPECT_EQ(form.WindowProc.target<OwnHandler>(), nullptr);

  // Skinned windows never let the system draw their scroll bars.
  struct ScrollCase {
    HWND wnd;
    BOOL redraw;
    int passed;
  };
  HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, form.Handle(), nullptr, nullptr, nullptr);
  for (const ScrollCase& sc : {ScrollCase{form.Handle(), TRUE, 0}, ScrollCase{form.Handle(), FALSE, 0},
                               ScrollCase{plain, TRUE, 1}, ScrollCase{plain, FALSE, 0}}) {
    SCROLLINFO si{sizeof(si)};
    EXPECT_EQ(talvik::FlatSB_SetScrollPos(sc.wnd, SB_VERT, 3, sc.redraw), sc.passed);
    EXPECT_EQ(talvik::FlatSB_SetScrollInfo(sc.wnd, SB_VERT, &si, sc.redraw), sc.passed);
  }

  FinalizeSkinForms();
  EXPECT_FALSE(SkinFormsHookInstalled());
  EXPECT_EQ(WinControllerList(), nullptr);
  EXPECT_NE(form.WindowProc.target<OwnHandler>(), nullptr);
  EXPECT_NE(button->WindowProc.target<OwnHandler>(), nullptr);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(frame.client, GWLP_WNDPROC)), clientOwn);
  // The self-skinning form outlives its controller and handles its messages alone.
  EXPECT_EQ(selfSkinning.Controller(), nullptr);
  selfSkinning.SetCaption(L"still here");
  EXPECT_EQ(selfSkinning.Caption(), L"still here");
  EXPECT_EQ(talvik::FlatSB_SetScrollPos, RecordScrollPos);
  EXPECT_EQ(talvik::FlatSB_SetScrollInfo, RecordScrollInfo);
  // Nothing is hooked any more: a new window gets no controller.
  TButton later(&form);
  later.SetParent(&form);

  talvik::FlatSB_SetScrollPos = ::SetScrollPos;
  talvik::FlatSB_SetScrollInfo = ::SetScrollInfo;
  InitializeSkinForms();
  EXPECT_EQ(ControllerOf(&later), nullptr);
  controller.reset();
}

// A failure inside the hook would unwind through the system in the middle of
// CreateWindowEx. It is reported as the application reports any other, and the
// window is made, unskinned; the controller begun for it is freed.
TEST_F(SkinnedWindows, FailuresWhileAWindowIsCreatedAreReportedAndTheWindowLives) {
  std::vector<std::wstring> reports;
  Application()->OnException = [&](TObject*, const std::wstring& AMessage) { reports.push_back(AMessage); };
  const size_t controllersBefore = WinControllerList()->size();
  Controller->SetOnSkinControl([](TObject*, TWinControl*, bool&) { throw Exception(L"control handler failed"); });
  auto* button = new TButton(Form.get());
  button->WindowProc = OwnHandler{button->WindowProc};
  button->SetParent(Form.get());
  Controller->SetOnSkinControl(nullptr);
  EXPECT_TRUE(button->HandleAllocated() && IsWindow(button->Handle()));
  EXPECT_EQ(ControllerOf(button), nullptr);
  EXPECT_EQ(WinControllerList()->size(), controllersBefore);
  EXPECT_NE(button->WindowProc.target<OwnHandler>(), nullptr) << "the button's own procedure must be back";

  Controller->SetOnSkinForm([](TObject*, TCustomForm*, std::wstring&, bool&) { throw Exception(L"form handler failed"); });
  TTestForm form;
  form.HandleNeeded();
  Controller->SetOnSkinForm(nullptr);
  EXPECT_TRUE(IsWindow(form.Handle()));
  EXPECT_FALSE(Hooked(&form));
  Application()->OnException = nullptr;
  EXPECT_EQ(reports, (std::vector<std::wstring>{L"control handler failed", L"form handler failed"}));
}

// A self-skinning form whose window is made while the skinned windows are not running
// has no controller and handles its messages alone.
TEST(SkinFormsShutDown, SelfSkinningFormMadeWhileStoppedWorksUnskinned) {
  FinalizeSkinForms();
  {
    TdxSkinForm form;
    form.HandleNeeded();
    EXPECT_EQ(form.Controller(), nullptr);
    form.SetCaption(L"alone");
    EXPECT_EQ(form.Caption(), L"alone");
    PumpMessages();  // its posted region check finds no controller either
  }
  InitializeSkinForms();
}

// The message hook runs only while a window needs following. A window made later is
// still followed and skinned; windows without a controller are let go at once, also
// those that never get a size message (message-only windows); one whose creation
// message fails after its controller was made leaves no controller behind (the
// system sends it no WM_DESTROY); a destroyed form takes its controls' controllers along.
TEST_F(SkinnedWindows, TheMessageHookRunsOnlyWhileAWindowNeedsFollowing) {
  EXPECT_FALSE(SkinFormsMessageHookInstalled());
  auto* later = new TButton(Form.get());
  later->SetParent(Form.get());
  EXPECT_NE(ControllerOf(later), nullptr);
  EXPECT_FALSE(SkinFormsMessageHookInstalled());
  auto* edit = new TEdit(Form.get());
  edit->SetParent(Form.get());
  EXPECT_FALSE(SkinFormsMessageHookInstalled());
  HWND messageOnly = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(messageOnly, nullptr);
  EXPECT_FALSE(SkinFormsMessageHookInstalled());
  DestroyWindow(messageOnly);
  EXPECT_FALSE(SkinFormsMessageHookInstalled());

  const size_t controllers = WinControllerList()->size();
  auto* failing = new TPanel(Form.get());
  failing->WindowProc = [own = failing->WindowProc](TMessage& M) {
    own(M);
    if (M.Msg == WM_CREATE) M.Result = -1;
  };
  EXPECT_THROW(failing->SetParent(Form.get()), EOSError);
  EXPECT_EQ(WinControllerList()->size(), controllers);
  EXPECT_FALSE(SkinFormsMessageHookInstalled());

  const HWND form = Form->Handle(), button = Button->Handle();
  Form.reset();
  EXPECT_EQ(FindControllerByHandle(form), nullptr);
  EXPECT_EQ(FindControllerByHandle(button), nullptr);
  EXPECT_FALSE(SkinFormsMessageHookInstalled());
}
