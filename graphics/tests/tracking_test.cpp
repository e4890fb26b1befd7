#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "framework/forms.h"
#include "framework/sysutils.h"
#include "graphics/mousetracking.h"
#include "graphics/objectlinks.h"

using namespace talvik;

namespace {
struct Caller : IcxMouseTrackingCaller {
  int leaves = 0;
  bool restartInside = false;
  void NotifyMouseLeave() override {
    ++leaves;
    if (restartInside) StartLeaveTracking(nullptr, RECT{}, this);  // timer still exists: ignored
  }
};

// Runs the message loop until done() or the time is up.
template <class F>
void PumpUntil(F done, DWORD ms = 2000) {
  DWORD start = GetTickCount();
  while (!done() && GetTickCount() - start < ms) {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    Sleep(2);
  }
}

const RECT kEverywhere{-100000, -100000, 100000, 100000};

int gMouseLeaves = 0;
LPARAM gMouseLeaveParam = 0;
LRESULT CALLBACK RecordingProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == CM_MOUSELEAVE) {
    ++gMouseLeaves;
    gMouseLeaveParam = lp;
    return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

struct Windows {
  HWND parent, child;
  Windows() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TrackingTestWindow";
    RegisterClassW(&wc);
    parent = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, wc.hInstance, nullptr);
    child = CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD, 10, 10, 50, 50, parent, nullptr, wc.hInstance, nullptr);
    gMouseLeaves = 0;
  }
  ~Windows() { DestroyWindow(parent); }
};
}  // namespace

TEST(MouseTracking, WithoutControlTheFirstTickNotifiesEvenInside) {
  Caller c;
  StartLeaveTracking(nullptr, kEverywhere, &c);
  EXPECT_TRUE(IsLeaveTracking(&c));
  PumpUntil([&] { return c.leaves > 0; });
  EXPECT_EQ(c.leaves, 1);
  EXPECT_FALSE(IsLeaveTracking(&c));
}

TEST(MouseTracking, RestartFromInsideTheNotificationIsIgnored) {
  Caller c;
  c.restartInside = true;
  StartLeaveTracking(nullptr, kEverywhere, &c);
  PumpUntil([&] { return c.leaves > 0; });
  EXPECT_EQ(c.leaves, 1);
  EXPECT_FALSE(IsLeaveTracking(&c));
  PumpUntil([] { return false; }, 60);
  EXPECT_EQ(c.leaves, 1);
}

TEST(MouseTracking, DisabledParentChainSendsMouseLeaveAndNotifies) {
  Windows w;
  EnableWindow(w.parent, FALSE);
  Caller c;
  TObject controlObject;
  StartLeaveTracking(TcxTrackedControl{w.child, &controlObject}, kEverywhere, &c);
  PumpUntil([&] { return c.leaves > 0; });
  EXPECT_EQ(c.leaves, 1);
  EXPECT_EQ(gMouseLeaves, 1);
  EXPECT_EQ(gMouseLeaveParam, reinterpret_cast<LPARAM>(&controlObject));
  EXPECT_FALSE(IsLeaveTracking(&c));
}

TEST(MouseTracking, EnabledControlWithCursorInsideKeepsWaiting) {
  Windows w;
  Caller c;
  StartLeaveTracking(w.child, kEverywhere, &c);
  PumpUntil([] { return false; }, 80);
  EXPECT_EQ(c.leaves, 0);
  EXPECT_TRUE(IsLeaveTracking(&c));
  // Disabling the control ends it at the next tick.
  EnableWindow(w.child, FALSE);
  PumpUntil([&] { return c.leaves > 0; });
  EXPECT_EQ(c.leaves, 1);
  EXPECT_EQ(gMouseLeaves, 1);
}

TEST(MouseTracking, StartingTwiceKeepsTheFirstTimerAndRectangle) {
  Windows w;
  Caller c;
  StartLeaveTracking(w.parent, kEverywhere, &c);
  RECT first{};
  ASSERT_TRUE(GetLeaveTrackingBounds(&c, first));
  StartLeaveTracking(w.parent, RECT{0, 0, 0, 0}, &c);  // would fire at once if it replaced the first
  RECT now{};
  ASSERT_TRUE(GetLeaveTrackingBounds(&c, now));
  EXPECT_EQ(now.left, first.left);
  EXPECT_EQ(now.right, first.right);
  PumpUntil([] { return false; }, 80);
  EXPECT_EQ(c.leaves, 0);
  StopLeaveTracking(&c);
  EXPECT_FALSE(IsLeaveTracking(&c));
  StopLeaveTracking(&c);  // twice is harmless
}

TEST(MouseTracking, ControlBoundsAreMappedToTheScreen) {
  Windows w;
  SetWindowPos(w.parent, nullptr, 100, 50, 200, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  Caller c;
  StartLeaveTracking(w.child, RECT{1, 2, 3, 4}, &c);
  RECT r{};
  ASSERT_TRUE(GetLeaveTrackingBounds(&c, r));
  POINT origin{0, 0};
  ClientToScreen(w.child, &origin);
  EXPECT_EQ(r.left, origin.x + 1);
  EXPECT_EQ(r.top, origin.y + 2);
  EXPECT_EQ(r.bottom, origin.y + 4);
  StopLeaveTracking(&c);
}

namespace {
// A control whose window can be swapped behind the tracker's back, as when the
// handle value it had is taken by a window that is no longer its own.
class TTrackedControl : public TWinControl {
public:
  using TWinControl::TWinControl;
  void TakeWindow(HWND Wnd) { FHandle = Wnd; }
  int MouseLeaves = 0;
  LPARAM MouseLeaveParam = 0;
  void WndProc(TMessage& M) override {
    if (M.Msg == CM_MOUSELEAVE) {
      ++MouseLeaves;
      MouseLeaveParam = M.LParam;
    }
    TWinControl::WndProc(M);
  }
};

struct ControlCase {
  const char* name;
  // Changes the tracked control after tracking started; answers the control to check (nullptr once freed).
  std::function<TTrackedControl*(TForm& form, TTrackedControl* control, HWND other)> change;
  int expectedLeaves;  // CM_MOUSELEAVE seen by the control's windows, old and new
};
}  // namespace

TEST(MouseTracking, ControlOverloadChecksTheControlStillHasItsWindowOnEveryTick) {
  const ControlCase cases[] = {
      {"keeps its window, disabled",
       [](TForm&, TTrackedControl* c, HWND) {
         c->SetEnabled(false);
         return c;
       },
       1},
      {"window recreated",
       [](TForm& form, TTrackedControl* c, HWND) {
         c->SetParent(nullptr);
         c->SetParent(&form);
         return c;
       },
       0},
      {"old handle value names a live window that is not the control's",
       [](TForm&, TTrackedControl* c, HWND other) {
         c->TakeWindow(other);
         return c;
       },
       0},
      {"control freed",
       [](TForm&, TTrackedControl* c, HWND) -> TTrackedControl* {
         delete c;
         return nullptr;
       },
       0},
  };
  for (const ControlCase& tc : cases) {
    SCOPED_TRACE(tc.name);
    TForm form;
    form.SetBounds(0, 0, 200, 200);
    form.HandleNeeded();
    auto* control = new TTrackedControl(&form);
    control->SetBounds(10, 10, 50, 50);
    control->SetParent(&form);
    HWND first = control->Handle();
    HWND other = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, form.Handle(), nullptr, nullptr, nullptr);
    Caller c;
    StartLeaveTracking(control, kEverywhere, &c);
    PumpUntil([] { return false; }, 40);
    ASSERT_EQ(c.leaves, 0);  // inside, enabled, same window
    TTrackedControl* still = tc.change(form, control, other);
    PumpUntil([&] { return c.leaves > 0; });
    EXPECT_EQ(c.leaves, 1);
    EXPECT_FALSE(IsLeaveTracking(&c));
    if (still) {
      EXPECT_EQ(still->MouseLeaves, tc.expectedLeaves);
      if (tc.expectedLeaves) {
        EXPECT_EQ(still->MouseLeaveParam, reinterpret_cast<LPARAM>(still));
      }
      if (still->Handle() == other) still->TakeWindow(first);
    }
    StopLeaveTracking(&c);
    DestroyWindow(other);
  }
}

TEST(ObjectLinks, LinksToDestroyedObjectsReadNil) {
  EXPECT_EQ(LinkObject(nullptr), nullptr);
  UnlinkObject(nullptr);
  auto* a = new TObject();
  TObject b;
  TcxObjectLink* la1 = LinkObject(a);
  TcxObjectLink* la2 = LinkObject(a);
  TcxObjectLink* lb = LinkObject(&b);
  EXPECT_TRUE(ObjectLinkControllerExists());
  InvalidateObjectLinks(a);
  delete a;
  EXPECT_EQ(la1->Ref, nullptr);
  EXPECT_EQ(la2->Ref, nullptr);
  EXPECT_EQ(lb->Ref, &b);
  UnlinkObject(la1);
  UnlinkObject(la2);
  EXPECT_TRUE(ObjectLinkControllerExists());  // lb still held
  // b's link still works after the others went.
  InvalidateObjectLinks(&b);
  EXPECT_EQ(lb->Ref, nullptr);
  UnlinkObject(lb);
  EXPECT_FALSE(ObjectLinkControllerExists());
}

TEST(MouseTrackingShutdown, FailsWithCallersLeftAndIgnoresLaterRequests) {
  Caller c;
  StartLeaveTracking(nullptr, kEverywhere, &c);
  EXPECT_THROW(
      {
        try {
          FinalizeMouseTracking();
        } catch (const EdxException& e) {
          EXPECT_EQ(e.Message(), L"MouseTrackingTimerList.Count <> 0");
          throw;
        }
      },
      EdxException);
  EXPECT_FALSE(IsLeaveTracking(&c));
  Caller d;
  StartLeaveTracking(nullptr, kEverywhere, &d);
  EXPECT_FALSE(IsLeaveTracking(&d));
  StopLeaveTracking(&c);
}

TEST(CxTimer, RunsOnlyWhileEnabledWithAHandler) {
  TcxTimer t;
  EXPECT_EQ(t.Interval(), 1000u);
  EXPECT_TRUE(t.Enabled());
  EXPECT_FALSE(t.Running());  // no handler yet
  int ticks = 0;
  t.SetInterval(5);
  t.SetInterval(0);  // ignored
  EXPECT_EQ(t.Interval(), 5u);
  t.SetOnTimer([&](TObject* s) {
    EXPECT_EQ(s, &t);
    ++ticks;
  });
  EXPECT_TRUE(t.Running());
  PumpUntil([&] { return ticks >= 2; });
  EXPECT_GE(ticks, 2);
  t.SetEnabled(false);
  EXPECT_FALSE(t.Running());
  int stopped = ticks;
  PumpUntil([] { return false; }, 50);
  EXPECT_EQ(ticks, stopped);
}
