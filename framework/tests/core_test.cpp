#include <windows.h>

#include <gtest/gtest.h>

#include "framework/classes.h"
#include "framework/streams.h"
#include "framework/sysutils.h"

using namespace talvik;

namespace {

class TPoint3 : public TPersistent {
public:
  TALVIK_CLASS_NAME(TPoint3)
  int X = 0;
  void Assign(TPersistent* Source) override {
    if (auto* p = dynamic_cast<TPoint3*>(Source)) X = p->X;
    else TPersistent::Assign(Source);
  }
};

class TTracked : public TComponent {
public:
  TALVIK_CLASS_NAME(TTracked)
  TTracked(TComponent* owner, std::vector<std::wstring>* log, std::wstring name) : TComponent(owner), FLog(log) {
    SetName(name);
  }
  ~TTracked() override { FLog->push_back(L"free " + Name()); }
  TComponent* Watched = nullptr;

protected:
  void Notification(TComponent* c, TOperation op) override {
    if (op == opRemove && c == Watched) {
      FLog->push_back(Name() + L" saw " + c->Name() + L" go");
      Watched = nullptr;
    }
  }

private:
  std::vector<std::wstring>* FLog;
};

}  // namespace

TEST(Persistent, AssignCopiesItsKindAndRejectsOthers) {
  TPoint3 a, b;
  b.X = 7;
  a.Assign(&b);
  EXPECT_EQ(a.X, 7);
  TComponent other;
  try {
    a.Assign(&other);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), L"Cannot assign a TComponent to a TPoint3");
  }
  EXPECT_THROW(a.Assign(nullptr), EConvertError);
}

TEST(Component, OwnerFreesOwnedInReverseAndNotifies) {
  std::vector<std::wstring> log;
  auto* root = new TTracked(nullptr, &log, L"root");
  auto* a = new TTracked(root, &log, L"a");
  auto* b = new TTracked(root, &log, L"b");
  auto* watcher = new TTracked(nullptr, &log, L"w");
  watcher->Watched = a;
  a->FreeNotification(watcher);
  EXPECT_EQ(root->FindComponent(L"B"), b);
  EXPECT_EQ(a->Owner(), root);
  delete root;
  EXPECT_EQ(watcher->Watched, nullptr);
  // Derived destructors run before the base frees what it owns.
  std::vector<std::wstring> want{L"free root", L"free b", L"free a", L"w saw a go"};
  EXPECT_EQ(log, want);
  delete watcher;
}

TEST(ClassRegistry, CreatesByNameAndReportsUnknownNames) {
  RegisterClassOf<TPoint3>();
  std::unique_ptr<TPersistent> p(CreateClassByName(L"TPoint3"));
  EXPECT_NE(dynamic_cast<TPoint3*>(p.get()), nullptr);
  UnRegisterPersistentClass(L"TPoint3");
  EXPECT_EQ(CreateRegisteredClass(L"TPoint3"), nullptr);
  try {
    CreateClassByName(L"TPoint3");
    FAIL();
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message(), L"Class TPoint3 not found");
  }
}

TEST(Streams, MemoryStreamReadsWritesAndFailsShortReads) {
  TMemoryStream m;
  m.WriteValue<int32_t>(0x01020304);
  m.WriteBuffer("ab", 2);
  EXPECT_EQ(m.Size(), 6);
  m.SetPosition(0);
  EXPECT_EQ(m.ReadValue<int32_t>(), 0x01020304);
  char two[3]{};
  EXPECT_THROW(m.ReadBuffer(two, 3), EReadError);
  m.SetPosition(4);
  m.ReadBuffer(two, 2);
  EXPECT_STREQ(two, "ab");
  try {
    m.ReadValue<char>();
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), L"Stream read error");
  }
}

TEST(Streams, FileStreamRoundTripAndErrorMessages) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  std::wstring path = std::wstring(dir) + L"talvik-core-test.bin";
  {
    TFileStream f(path, fmCreate);
    f.WriteBuffer("hello", 5);
  }
  {
    TFileStream f(path, fmOpenRead | fmShareDenyWrite);
    EXPECT_EQ(f.Size(), 5);
    // Share mode holds: nobody may write while it is open.
    EXPECT_THROW(TFileStream(path, fmOpenWrite), EFOpenError);
  }
  DeleteFileW(path.c_str());
  std::wstring bad = std::wstring(dir) + L"no-such-dir\\x.bin";
  try {
    TFileStream f(bad, fmCreate);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message().rfind(L"Cannot create file \"" + bad + L"\". ", 0), 0u) << e.what();
    EXPECT_GT(e.Message().size(), bad.size() + 24);
  }
}

TEST(Streams, MissingResourceIsReported) {
  try {
    TResourceStream r(GetModuleHandleW(nullptr), L"NOSUCH", L"DXSKINS");
    FAIL();
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), L"Resource NOSUCH not found");
  }
}

TEST(SysUtils, TrimAndFormat) {
  EXPECT_EQ(Trim(L" \t\x01 a b \r\n"), L"a b");
  EXPECT_EQ(Trim(L"   "), L"");
  EXPECT_EQ(Format(L"Cannot create file \"%s\". %s", {L"C:\\x", L"Denied."}), L"Cannot create file \"C:\\x\". Denied.");
  EXPECT_EQ(Utf8ToWide(WideToUtf8(L"下载中")), L"下载中");
}

#include "framework/utilitywindow.h"

// Both kinds hear sent and posted messages and timers; only the top-level one
// is a window of the desktop, and so hears broadcasts.
TEST(UtilityWindow, DeliversMessagesToItsMethodUntilDeallocated) {
  const struct {
    const char* kind;
    HWND (*allocate)(TWndMethod);
    bool onDesktop;
  } kinds[] = {{"top-level", AllocateHWnd, true}, {"message-only", AllocateMessageHWnd, false}};
  const UINT broadcast = RegisterWindowMessageW(L"TalvikUtilityWindowTest");
  for (const auto& k : kinds) {
    SCOPED_TRACE(k.kind);
    int seen = 0;
    bool timer = false;
    HWND w = k.allocate([&](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
      if (m == WM_USER + 1 || m == broadcast) return seen += static_cast<int>(wp);
      if (m == WM_TIMER && wp == 7) timer = true;
      return DefWindowProcW(h, m, wp, lp);
    });
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_EQ(GetAncestor(w, GA_PARENT) == GetDesktopWindow(), k.onDesktop);
    EXPECT_EQ(SendMessageW(w, WM_USER + 1, 5, 0), 5);
    PostMessageW(w, WM_USER + 1, 2, 0);
    SetTimer(w, 7, 1, nullptr);
    MSG msg;
    while (!timer && GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    KillTimer(w, 7);
    SendMessageTimeoutW(HWND_BROADCAST, broadcast, 100, 0, SMTO_ABORTIFHUNG, 1000, nullptr);
    DeallocateHWnd(w);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(seen, k.onDesktop ? 107 : 7);
  }
}
