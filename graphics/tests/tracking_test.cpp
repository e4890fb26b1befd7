#include <gtest/gtest.h>

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
