// Drives talvik-album.exe as a person would: finds its window, types into it,
// presses the button, answers the real folder dialog and message boxes, and
// checks what the window shows, the files and the requests the site received.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <algorithm>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/sample_site.h"

using talvik::testsupport::SampleSite;
using talvik::testsupport::SiteReply;
using talvik::testsupport::SiteRequest;

namespace {

std::string Narrow(const std::wstring& s) {
  int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring Widen(const std::string& s) {
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
  return out;
}

bool WaitFor(const std::function<bool()>& done, int ms = 20000) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return done();
}

std::wstring ClassOf(HWND w) {
  wchar_t name[128] = {};
  GetClassNameW(w, name, 128);
  return name;
}

// Window texts cross the process boundary through WM_GETTEXT.
std::wstring TextOf(HWND w) {
  DWORD_PTR len = 0;
  if (!SendMessageTimeoutW(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &len)) return L"<hung>";
  std::wstring text(len + 1, L'\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutW(w, WM_GETTEXT, len + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000, &got);
  text.resize(got);
  return text;
}

std::vector<std::wstring> SplitLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// Top-level windows of one process, of one class (all classes when empty).
std::vector<HWND> TopWindows(DWORD pid, const std::wstring& cls) {
  struct Ctx {
    DWORD pid;
    std::wstring cls;
    std::vector<HWND> found;
  } ctx{pid, cls, {}};
  EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        auto* c = reinterpret_cast<Ctx*>(p);
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == c->pid && IsWindowVisible(w) && (c->cls.empty() || ClassOf(w) == c->cls)) c->found.push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&ctx));
  return ctx.found;
}

std::vector<HWND> Children(HWND parent, const std::wstring& cls) {
  std::vector<HWND> found;
  for (HWND w = FindWindowExW(parent, nullptr, cls.c_str(), nullptr); w; w = FindWindowExW(parent, w, cls.c_str(), nullptr))
    found.push_back(w);
  return found;
}

RECT RectInParent(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Where the window and its controls are, as a person sees them.
struct Layout {
  RECT window{}, client{}, edit{}, button{}, memo{};
  bool operator==(const Layout& o) const {
    const RECT* a[] = {&window, &client, &edit, &button, &memo};
    const RECT* b[] = {&o.window, &o.client, &o.edit, &o.button, &o.memo};
    return std::equal(std::begin(a), std::end(a), std::begin(b), [](const RECT* x, const RECT* y) { return EqualRect(x, y); });
  }
};

std::ostream& operator<<(std::ostream& os, const Layout& l) {
  auto rect = [&](const char* name, const RECT& r) {
    os << name << " " << r.left << "," << r.top << " " << r.right << "," << r.bottom << "; ";
  };
  rect("window", l.window);
  rect("client", l.client);
  rect("edit", l.edit);
  rect("button", l.button);
  rect("memo", l.memo);
  return os;
}

// Key strokes as a person makes them: they go to whichever window has the keyboard.
void SendKeys(const std::vector<std::pair<WORD, bool>>& strokes, DWORD flags = 0) {
  std::vector<INPUT> input;
  for (auto [key, up] : strokes) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    if (flags & KEYEVENTF_UNICODE) i.ki.wScan = key;
    else i.ki.wVk = key;
    i.ki.dwFlags = flags | (up ? KEYEVENTF_KEYUP : 0);
    input.push_back(i);
  }
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

void PressKey(WORD key, bool shift = false) {
  std::vector<std::pair<WORD, bool>> strokes{{key, false}, {key, true}};
  if (shift) {
    strokes.insert(strokes.begin(), {VK_SHIFT, false});
    strokes.push_back({VK_SHIFT, true});
  }
  SendKeys(strokes);
}

void TypeText(const std::wstring& text) {
  std::vector<std::pair<WORD, bool>> strokes;
  for (wchar_t c : text) strokes.insert(strokes.end(), {{c, false}, {c, true}});
  SendKeys(strokes, KEYEVENTF_UNICODE);
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadFileBytes(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::string data(GetFileSize(h, nullptr), '\0');
  DWORD got = 0;
  if (!data.empty()) ReadFile(h, data.data(), static_cast<DWORD>(data.size()), &got, nullptr);
  CloseHandle(h);
  data.resize(got);
  return data;
}

std::string HeaderOf(const SiteRequest& r, const std::string& name) {
  std::string key = "\r\n" + name + ": ";
  size_t at = r.raw.find(key);
  if (at == std::string::npos) return {};
  at += key.size();
  return r.raw.substr(at, r.raw.find("\r\n", at) - at);
}

// With TALVIK_WINDOW_SHOTS set to a (Unix) folder, saves a screenshot of the
// screen there as window-NAME.png (tools/screenshot-window uses this).
void Shot(const char* name) {
  const char* dir = getenv("TALVIK_WINDOW_SHOTS");
  if (!dir || !*dir) return;
  Sleep(1000);  // let the windows reach the screen and paint
  std::wstring cmd = Widen("/usr/bin/import -window root \"" + std::string(dir) + "/window-" + name + ".png\"");
  STARTUPINFOW si{sizeof(si)};
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(L"Z:\\usr\\bin\\import", cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return;
  WaitForSingleObject(pi.hProcess, 20000);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
}

const wchar_t kTitle[] = L"Tolrike作品";
const wchar_t kCookie[] = L"sid=abc; user=tolrike";

// One copy of the program in a folder of its own (the marker file lives beside
// it), its output folder, and the sample site.
class WindowDriver : public ::testing::Test {
protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    FDir = std::wstring(temp) + L"talvik-window-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(GetTickCount());
    ASSERT_TRUE(CreateDirectoryW(FDir.c_str(), nullptr));
    OutDir = FDir + L"\\out";
    ASSERT_TRUE(CreateDirectoryW(OutDir.c_str(), nullptr));
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring exe = self;
    exe = exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"talvik-album.exe";
    Exe = FDir + L"\\talvik-album.exe";
    ASSERT_TRUE(CopyFileW(exe.c_str(), Exe.c_str(), FALSE)) << "no " << Narrow(exe);
  }

  void TearDown() override {
    if (FProcess.hProcess) {
      if (WaitForSingleObject(FProcess.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(FProcess.hProcess, 99);
      WaitForSingleObject(FProcess.hProcess, 5000);
      CloseHandle(FProcess.hProcess);
      CloseHandle(FProcess.hThread);
    }
    SHFILEOPSTRUCTW op{};
    std::wstring from = FDir + L'\0';
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationW(&op);
  }

  std::vector<std::wstring> SiteArgs() {
    return {L"--start-page", Site.WUrl("/profile.do?id=20120601"), L"--feedback", Site.WUrl("/bbs/feedback.html")};
  }

  void Start(std::vector<std::wstring> args, const wchar_t* env = nullptr) {
    std::wstring cmd = L"\"" + Exe + L"\"";
    for (const auto& a : args) cmd += L" \"" + a + L"\"";
    STARTUPINFOW si{sizeof(si)};
    // One more variable for the program only: it inherits ours.
    std::wstring name, value;
    if (env) {
      name = std::wstring(env).substr(0, std::wstring(env).find(L'='));
      value = std::wstring(env).substr(name.size() + 1);
      SetEnvironmentVariableW(name.c_str(), value.c_str());
    }
    BOOL started = CreateProcessW(Exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, FDir.c_str(), &si,
                                  &FProcess);
    if (env) SetEnvironmentVariableW(name.c_str(), nullptr);
    ASSERT_TRUE(started);
    ASSERT_TRUE(WaitFor([&] { return !TopWindows(FProcess.dwProcessId, L"TForm1").empty(); }))
        << "the main window did not appear";
    Main = TopWindows(FProcess.dwProcessId, L"TForm1")[0];
    Button = FindWindowExW(Main, nullptr, L"TButton", nullptr);
    Edit = FindWindowExW(Main, nullptr, L"TEdit", nullptr);
    Memo = FindWindowExW(Main, nullptr, L"TMemo", nullptr);
    ASSERT_TRUE(Button && Edit && Memo);
  }

  void StartReady() {
    auto args = SiteArgs();
    args.insert(args.begin(), {L"--cookie", kCookie});
    Start(args);
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(Button) && TextOf(Button) == L"下载"; }))
        << "the button never became ready: " << Narrow(TextOf(Button));
  }

  std::vector<std::wstring> Log() { return SplitLines(TextOf(Memo)); }

  Layout LayoutNow() {
    Layout l;
    GetWindowRect(Main, &l.window);
    GetClientRect(Main, &l.client);
    l.edit = RectInParent(Edit);
    l.button = RectInParent(Button);
    l.memo = RectInParent(Memo);
    return l;
  }

  // The window of the program that has the keyboard.
  HWND Focus() {
    GUITHREADINFO gui{sizeof gui};
    return GetGUIThreadInfo(FProcess.dwThreadId, &gui) ? gui.hwndFocus : nullptr;
  }

  void BringToFront() {
    SetForegroundWindow(Main);
    WaitFor([&] { return GetForegroundWindow() == Main; }, 2000);
  }

  bool LogEndsWith(const std::wstring& line) {
    auto lines = Log();
    return !lines.empty() && lines.back() == line;
  }

  // A person's click first brings the window to the front.
  void Click(const std::wstring& album) {
    BringToFront();
    SendMessageW(Edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(album.c_str()));
    PostMessageW(Button, BM_CLICK, 0, 0);
  }

  // The folder browser of the program, once it has filled its tree.
  HWND WaitForFolderDialog() {
    HWND found = nullptr;
    WaitFor([&] {
      for (HWND w : TopWindows(FProcess.dwProcessId, L"#32770")) {
        HWND tree = FindDescendant(w, L"SysTreeView32");
        DWORD_PTR items = 0;
        if (tree && SendMessageTimeoutW(tree, TVM_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &items) && items > 0)
          found = w;
      }
      return found != nullptr;
    });
    return found;
  }

  static HWND FindDescendant(HWND parent, const std::wstring& cls) {
    std::pair<std::wstring, HWND> ctx{cls, nullptr};
    EnumChildWindows(
        parent,
        [](HWND w, LPARAM p) -> BOOL {
          auto* c = reinterpret_cast<std::pair<std::wstring, HWND>*>(p);
          if (ClassOf(w) != c->first) return TRUE;
          c->second = w;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&ctx));
    return ctx.second;
  }

  static std::vector<std::wstring> DialogButtons(HWND dialog) {
    std::vector<std::wstring> texts;
    EnumChildWindows(
        dialog,
        [](HWND w, LPARAM p) -> BOOL {
          if (ClassOf(w) == L"Button" && IsWindowVisible(w))
            reinterpret_cast<std::vector<std::wstring>*>(p)->push_back(TextOf(w));
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
  }

  // Texts of the dialog's static controls, searched through nested children.
  static std::vector<std::wstring> StaticTexts(HWND dialog) {
    std::vector<std::wstring> texts;
    EnumChildWindows(
        dialog,
        [](HWND w, LPARAM p) -> BOOL {
          if (ClassOf(w) == L"Static") reinterpret_cast<std::vector<std::wstring>*>(p)->push_back(TextOf(w));
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
  }

  // The text of the tree's selected item, read through memory in the program.
  std::wstring SelectedItem(HWND tree, char* remote) {
    auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!item) return L"";
    TVITEMW tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = reinterpret_cast<LPWSTR>(remote + sizeof(TVITEMW));
    tv.cchTextMax = MAX_PATH;
    wchar_t text[MAX_PATH] = {};
    WriteProcessMemory(FProcess.hProcess, remote, &tv, sizeof tv, nullptr);
    WriteProcessMemory(FProcess.hProcess, remote + sizeof(TVITEMW), text, sizeof text, nullptr);
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(FProcess.hProcess, remote + sizeof(TVITEMW), text, sizeof text - sizeof(wchar_t), nullptr);
    return text;
  }

  // Selects AFolder in the dialog's tree as the dialog's own selection message
  // does (the path goes into the program's memory, where the dialog reads it),
  // checks that the tree shows it selected, and presses OK.
  void ChooseFolder(HWND dialog, const std::wstring& folder) {
    const std::wstring leaf = folder.substr(folder.find_last_of(L'\\') + 1);
    char* remote = static_cast<char*>(VirtualAllocEx(FProcess.hProcess, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(remote, nullptr);
    char* path = remote + 2048;
    ASSERT_TRUE(WriteProcessMemory(FProcess.hProcess, path, folder.c_str(), (folder.size() + 1) * sizeof(wchar_t), nullptr));
    HWND tree = FindDescendant(dialog, L"SysTreeView32");
    bool selected = false;
    for (int attempt = 0; attempt < 10 && !selected; ++attempt) {
      std::this_thread::sleep_for(std::chrono::milliseconds(300));  // let the tree settle
      SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path));
      selected = WaitFor([&] { return SelectedItem(tree, remote) == leaf; }, 1000);
    }
    ASSERT_TRUE(selected) << "the tree shows " << Narrow(SelectedItem(tree, remote)) << " selected";
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); })) << "the folder dialog stayed open";
    const std::wstring line = L"你的图片将保存到：" + folder;
    ASSERT_TRUE(WaitFor([&] {
      auto lines = Log();
      return std::find(lines.begin(), lines.end(), line) != lines.end();
    })) << "no folder line: " << Narrow(TextOf(Memo));
  }

  // Presses the button for the album and chooses the output folder in the dialog.
  void StartRun(const std::wstring& album) {
    Click(album);
    HWND dialog = WaitForFolderDialog();
    ASSERT_NE(dialog, nullptr);
    ChooseFolder(dialog, OutDir);
  }

  // An album on one page whose pictures each take a moment, so that a run lasts.
  void SlowAlbum(const std::string& name, int photos) {
    Site.Album(name, photos, photos, 500);
    SiteReply picture = SiteReply::Ok("\xFF\xD8 slow picture", "image/jpeg");
    picture.delay = 0.3;
    Site.Route("/photo/" + name + "-", {picture}, true);
  }

  HWND WaitForMessageBox() {
    HWND found = nullptr;
    WaitFor([&] {
      for (HWND w : TopWindows(FProcess.dwProcessId, L"#32770"))
        if (TextOf(w) == kTitle) found = w;
      return found != nullptr;
    });
    return found;
  }

  std::vector<SiteRequest> RequestsTo(const std::string& prefix) {
    std::vector<SiteRequest> out;
    for (auto& r : Site.Requests())
      if (r.Target().rfind(prefix, 0) == 0) out.push_back(r);
    return out;
  }

  void CloseProgramHandles() {
    CloseHandle(FProcess.hProcess);
    CloseHandle(FProcess.hThread);
    FProcess = {};
  }

  DWORD CloseAndWait() {
    PostMessageW(Main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(FProcess.hProcess, 20000), WAIT_OBJECT_0) << "the program did not end";
    DWORD code = 0;
    GetExitCodeProcess(FProcess.hProcess, &code);
    return code;
  }

  SampleSite Site;
  std::wstring Exe, OutDir;
  HWND Main = nullptr, Button = nullptr, Edit = nullptr, Memo = nullptr;
  PROCESS_INFORMATION FProcess{};

private:
  std::wstring FDir;
};

}  // namespace

TEST_F(WindowDriver, OpensAsTheTableSaysAndVisitsTheFeedbackSiteOnce) {
  StartReady();
  Shot("ready");
  EXPECT_EQ(TextOf(Main), kTitle);
  RECT client;
  GetClientRect(Main, &client);
  EXPECT_EQ(client.right, 504);
  EXPECT_EQ(client.bottom, 350);
  RECT outer;
  GetWindowRect(Main, &outer);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);
  LONG style = GetWindowLongW(Main, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);

  struct Expected {
    HWND wnd;
    RECT rect;
  } controls[] = {
      {Edit, {63, 29, 63 + 354, 29 + 21}},
      {Button, {423, 26, 423 + 71, 26 + 25}},
      {Memo, {0, 57, 504, 350}},
      {FindWindowExW(Main, nullptr, L"TWebBrowser", nullptr), {512, 288, 512 + 41, 288 + 25}},
  };
  for (const auto& c : controls) {
    ASSERT_NE(c.wnd, nullptr);
    RECT r = RectInParent(c.wnd);
    EXPECT_TRUE(EqualRect(&r, &c.rect)) << Narrow(ClassOf(c.wnd)) << " at " << r.left << "," << r.top << " "
                                        << r.right << "," << r.bottom;
  }
  EXPECT_TRUE(GetWindowLongW(Memo, GWL_STYLE) & WS_VSCROLL);
  EXPECT_EQ(TextOf(Edit), L"");
  EXPECT_EQ(Log(), (std::vector<std::wstring>{L"程序升级、问题反馈：", Site.WUrl("/bbs/feedback.html")}));

  // Dragging the border, or anyone else, cannot change the size.
  SetWindowPos(Main, nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT after;
  GetWindowRect(Main, &after);
  EXPECT_EQ(after.right - after.left, outer.right - outer.left);
  EXPECT_EQ(after.bottom - after.top, outer.bottom - outer.top);

  auto requests = Site.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].Target(), "/");
  EXPECT_EQ(HeaderOf(requests[0], "Referer"), Site.Url("/") + "?key=DownTalvikAlbum");
  EXPECT_EQ(HeaderOf(requests[0], "Cookie"), "");  // made before the browser brought the login
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(WindowDriver, MarkerFileBesideTheProgramSuppressesTheVisit) {
  std::wstring marker = Exe.substr(0, Exe.find_last_of(L'\\') + 1) + L"idhttp.txt";
  HANDLE h = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  Site.Album("one", 1, 5, 300);
  StartReady();
  EXPECT_TRUE(Site.Requests().empty());
  ASSERT_NO_FATAL_FAILURE(StartRun(Site.WUrl("/album/one")));
  ASSERT_TRUE(WaitFor([&] { return LogEndsWith(L"下载完毕。"); }));
  // With no visit, the first album request carries no Referer.
  auto requests = Site.Requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests[0].Target(), "/album/one?curpage=0");
  EXPECT_EQ(HeaderOf(requests[0], "Referer"), "");
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(WindowDriver, DownloadsThroughTheFolderDialogAndRunsAgainWithoutAsking) {
  Site.Album("two", 5, 3, 2000);  // pages of 3 and 2 photos, then an empty page
  StartReady();
  Click(Site.WUrl("/album/two?from=home#top"));
  HWND dialog = WaitForFolderDialog();
  ASSERT_NE(dialog, nullptr);
  auto texts = StaticTexts(dialog);
  EXPECT_NE(std::find(texts.begin(), texts.end(), L"请选择输出目录"), texts.end()) << "caption missing";
  Shot("folder-dialog");
  // No button for making a folder: only OK and Cancel.
  EXPECT_EQ(DialogButtons(dialog), (std::vector<std::wstring>{L"OK", L"Cancel"}));
  EXPECT_FALSE(IsWindowEnabled(Main)) << "the window takes input while the dialog is open";
  // Centred on the monitor (the only one here).
  RECT d;
  GetWindowRect(dialog, &d);
  EXPECT_EQ(d.left, (GetSystemMetrics(SM_CXSCREEN) - (d.right - d.left)) / 2);
  EXPECT_EQ(d.top, (GetSystemMetrics(SM_CYSCREEN) - (d.bottom - d.top)) / 2);
  ChooseFolder(dialog, OutDir);

  ASSERT_TRUE(WaitFor([&] { return LogEndsWith(L"下载完毕。"); })) << Narrow(TextOf(Memo));
  std::vector<std::wstring> expected{L"程序升级、问题反馈：", Site.WUrl("/bbs/feedback.html"),
                                     L"你的图片将保存到：" + OutDir};
  for (int i = 1; i <= 5; ++i) expected.push_back(std::to_wstring(i) + L".jpg....over...");
  expected.push_back(L"下载完毕。");
  EXPECT_EQ(Log(), expected);
  Shot("downloaded");
  EXPECT_TRUE(IsWindowEnabled(Button));
  EXPECT_EQ(TextOf(Button), L"下载");
  EXPECT_TRUE(IsWindowEnabled(Main));
  for (int i = 1; i <= 5; ++i) {
    std::string data = ReadFileBytes(OutDir + L"\\" + std::to_wstring(i) + L".jpg");
    ASSERT_GE(data.size(), 4u) << i;
    EXPECT_EQ(data.substr(0, 2), "\xFF\xD8") << i;
    EXPECT_NE(data.find("talvik photo two-" + std::to_string(i)), std::string::npos) << i;
  }
  auto album = RequestsTo("/album/two");
  ASSERT_EQ(album.size(), 8u);  // 3 list pages and 5 photo pages
  EXPECT_EQ(album[0].Target(), "/album/two?curpage=0");
  for (auto& r : Site.Requests())
    if (r.Target() != "/") EXPECT_EQ(HeaderOf(r, "Cookie"), Narrow(kCookie)) << r.Target();

  // The second run asks for no folder and numbers from 1 again.
  for (int i = 1; i <= 5; ++i) DeleteFileW((OutDir + L"\\" + std::to_wstring(i) + L".jpg").c_str());
  size_t before = Log().size();
  Click(Site.WUrl("/album/two"));
  ASSERT_TRUE(WaitFor([&] { return Log().size() == before + 6 && LogEndsWith(L"下载完毕。"); }))
      << Narrow(TextOf(Memo));
  EXPECT_EQ(Log()[before], L"1.jpg....over...");
  for (int i = 1; i <= 5; ++i) EXPECT_TRUE(FileExists(OutDir + L"\\" + std::to_wstring(i) + L".jpg")) << i;
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(WindowDriver, LoginFromTheCommandLineGoesWithTheAlbumRequests) {
  std::wstring cookies = OutDir + L"\\..\\cookies.txt";
  std::string text =
      "# Netscape HTTP Cookie File\n"
      "127.0.0.1\tFALSE\t/\tFALSE\t0\tsid\tfromfile\n"
      "127.0.0.1\tFALSE\t/\tFALSE\t1\told\texpired\n"
      ".elsewhere.example\tTRUE\t/\tFALSE\t0\tother\tno\n";
  HANDLE h = CreateFileW(cookies.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(h);

  struct Case {
    std::vector<std::wstring> login;
    std::string cookieLine;  // "" when no Cookie line may go out
  } cases[] = {
      {{L"--cookie-file", cookies}, "sid=fromfile"},
      {{L"--cookie", L""}, ""},  // an empty document cookie sends none
  };
  for (const Case& c : cases) {
    Site.Reset();
    Site.Album("one", 1, 5, 300);
    auto args = SiteArgs();
    args.insert(args.begin(), c.login.begin(), c.login.end());
    Start(args);
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(Button) && TextOf(Button) == L"下载"; }));
    ASSERT_NO_FATAL_FAILURE(StartRun(Site.WUrl("/album/one")));
    ASSERT_TRUE(WaitFor([&] { return LogEndsWith(L"下载完毕。"); }));
    auto album = RequestsTo("/album/one");
    ASSERT_FALSE(album.empty());
    for (auto& r : album) {
      EXPECT_EQ(HeaderOf(r, "Cookie"), c.cookieLine) << r.Target();
      if (c.cookieLine.empty()) EXPECT_EQ(r.raw.find("Cookie"), std::string::npos) << r.raw;
    }
    EXPECT_EQ(CloseAndWait(), 0u);
    CloseProgramHandles();
  }
}

TEST_F(WindowDriver, CancelledFolderDialogEndsTheClickQuietly) {
  Site.Album("two", 5, 3, 500);
  StartReady();
  size_t requests = Site.Requests().size();
  Click(Site.WUrl("/album/two"));
  HWND dialog = WaitForFolderDialog();
  ASSERT_NE(dialog, nullptr);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(Log().size(), 2u);
  EXPECT_EQ(Site.Requests().size(), requests);
  EXPECT_TRUE(IsWindowEnabled(Button));
  EXPECT_EQ(TextOf(Button), L"下载");
  // The next click asks again.
  PostMessageW(Button, BM_CLICK, 0, 0);
  dialog = WaitForFolderDialog();
  ASSERT_NE(dialog, nullptr);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(WindowDriver, FailedDownloadIsReportedInAMessageBoxAndTheWindowGoesOn) {
  Site.Album("bad", 3, 5, 500);
  Site.Route("/photo/bad-2.jpg", SiteReply::Status(404, "Not Found", "gone"));
  StartReady();
  ASSERT_NO_FATAL_FAILURE(StartRun(Site.WUrl("/album/bad")));
  HWND box = WaitForMessageBox();
  ASSERT_NE(box, nullptr) << "no error report";
  Shot("error-report");
  auto texts = StaticTexts(box);
  EXPECT_NE(std::find(texts.begin(), texts.end(), L"HTTP/1.1 404 Not Found."), texts.end())
      << (texts.empty() ? "" : Narrow(texts.back()));
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));

  EXPECT_EQ(Log().back(), L"1.jpg....over...");
  EXPECT_TRUE(FileExists(OutDir + L"\\1.jpg"));
  EXPECT_FALSE(FileExists(OutDir + L"\\2.jpg"));
  // Once the report is closed the button is ready for another try.
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(Button) && TextOf(Button) == L"下载"; }))
      << Narrow(TextOf(Button));

  // The next try keeps the folder: no dialog, and the photos arrive.
  Site.Route("/photo/bad-2.jpg", SiteReply::Ok("\xFF\xD8 mended", "image/jpeg"));
  size_t before = Log().size();
  Click(Site.WUrl("/album/bad"));
  ASSERT_TRUE(WaitFor([&] { return LogEndsWith(L"下载完毕。"); })) << Narrow(TextOf(Memo));
  EXPECT_EQ(Log().size(), before + 4);
  EXPECT_TRUE(TopWindows(FProcess.dwProcessId, L"#32770").empty());
  for (int i = 1; i <= 3; ++i) EXPECT_TRUE(FileExists(OutDir + L"\\" + std::to_wstring(i) + L".jpg")) << i;
  EXPECT_TRUE(IsWindowEnabled(Button));
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(WindowDriver, UnreachableSitesAreQuietAtStartAndReportedUnchangedInARun) {
  const std::wstring nowhere = L"http://127.0.0.1:" + std::to_wstring(SampleSite::UnusedPort());
  // The start-up visit fails without a word.
  Start({L"--cookie", kCookie, L"--start-page", Site.WUrl("/profile.do?id=1"), L"--feedback", nowhere + L"/bbs/f.html"});
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(Button) && TextOf(Button) == L"下载"; }));
  EXPECT_TRUE(TopWindows(FProcess.dwProcessId, L"#32770").empty());
  EXPECT_EQ(Log().back(), nowhere + L"/bbs/f.html");

  ASSERT_NO_FATAL_FAILURE(StartRun(nowhere + L"/album/x"));
  HWND box = WaitForMessageBox();
  ASSERT_NE(box, nullptr) << "no error report";
  // It ends with a full stop already: nothing is added.
  auto texts = StaticTexts(box);
  EXPECT_NE(std::find(texts.begin(), texts.end(), L"Socket Error # 10061\r\nConnection refused."), texts.end())
      << (texts.empty() ? "" : Narrow(texts.back()));
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(Button) && TextOf(Button) == L"下载"; }));
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(WindowDriver, KeyboardAloneTypesTheAddressAndPressesTheButton) {
  Site.Album("keys", 3, 5, 300);
  StartReady();
  // The address box has the keyboard from the start.
  ASSERT_TRUE(WaitFor([&] { return Focus() == Edit; }, 5000)) << Narrow(ClassOf(Focus()));
  BringToFront();
  const std::wstring album = Site.WUrl("/album/keys");
  TypeText(album);
  ASSERT_TRUE(WaitFor([&] { return TextOf(Edit) == album; }, 5000)) << Narrow(TextOf(Edit));

  // Enter in the box presses the button; after the dialog the box has the keyboard again.
  PressKey(VK_RETURN);
  HWND dialog = WaitForFolderDialog();
  ASSERT_NE(dialog, nullptr) << "Enter in the address box did not press the button";
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  ASSERT_TRUE(WaitFor([&] { return Focus() == Edit; }, 5000)) << Narrow(ClassOf(Focus()));
  EXPECT_EQ(TextOf(Edit), album);

  // Shift+Tab goes back to the button, and Enter presses it.
  BringToFront();
  PressKey(VK_TAB, true);
  ASSERT_TRUE(WaitFor([&] { return Focus() == Button; }, 5000)) << Narrow(ClassOf(Focus()));
  PressKey(VK_RETURN);
  dialog = WaitForFolderDialog();
  ASSERT_NE(dialog, nullptr) << "Enter on the focused button did not press it";
  ChooseFolder(dialog, OutDir);
  ASSERT_TRUE(WaitFor([&] { return LogEndsWith(L"下载完毕。"); })) << Narrow(TextOf(Memo));
  for (int i = 1; i <= 3; ++i) EXPECT_TRUE(FileExists(OutDir + L"\\" + std::to_wstring(i) + L".jpg")) << i;
  EXPECT_EQ(RequestsTo("/album/keys?curpage=0").size(), 1u) << "one press, one run";
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(WindowDriver, MinimizeThenRestoreGivesBackTheWholeWindowBeforeAndDuringARun) {
  SlowAlbum("slow", 40);  // the run lasts until the window has been tried
  StartReady();
  const Layout opened = LayoutNow();

  struct Way {
    const char* name;
    std::function<void()> minimize, restore;
  } ways[] = {
      {"caption buttons", [&] { PostMessageW(Main, WM_SYSCOMMAND, SC_MINIMIZE, 0); },
       [&] { PostMessageW(Main, WM_SYSCOMMAND, SC_RESTORE, 0); }},
      {"ShowWindow", [&] { ShowWindow(Main, SW_MINIMIZE); }, [&] { ShowWindow(Main, SW_RESTORE); }},
  };
  auto minimizeAndRestore = [&](const Way& way, const char* when) {
    SCOPED_TRACE(std::string(way.name) + " " + when);
    way.minimize();
    ASSERT_TRUE(WaitFor([&] { return IsIconic(Main); }, 5000)) << "not minimized";
    way.restore();
    EXPECT_TRUE(WaitFor([&] { return !IsIconic(Main) && LayoutNow() == opened; }, 5000))
        << "opened: " << opened << "\nrestored: " << LayoutNow();
  };
  for (const Way& way : ways) minimizeAndRestore(way, "before a run");

  ASSERT_NO_FATAL_FAILURE(StartRun(Site.WUrl("/album/slow")));
  ASSERT_TRUE(WaitFor([&] { return LogEndsWith(L"1.jpg....over..."); }));
  for (const Way& way : ways) {
    minimizeAndRestore(way, "during a run");
    ASSERT_EQ(TextOf(Button), L"下载中") << "the run ended too soon to tell";
  }
  Site.Route("/photo/slow-", {SiteReply::Ok("\xFF\xD8 quick picture", "image/jpeg")}, true);
  ASSERT_TRUE(WaitFor([&] { return LogEndsWith(L"下载完毕。"); })) << Narrow(TextOf(Memo));
  EXPECT_EQ(LayoutNow(), opened);
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(WindowDriver, ClosingMidRunMakesNoFurtherRequestAndEndsCleanly) {
  SlowAlbum("slow", 20);  // the close lands while the run is going on
  StartReady();
  ASSERT_NO_FATAL_FAILURE(StartRun(Site.WUrl("/album/slow")));
  ASSERT_TRUE(WaitFor([&] { return Log().size() >= 5; }));  // two photos done
  PostMessageW(Main, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(FProcess.hProcess, 20000), WAIT_OBJECT_0) << "the program did not end";
  DWORD code = 99;
  GetExitCodeProcess(FProcess.hProcess, &code);
  EXPECT_EQ(code, 0u);

  int files = 0;
  while (FileExists(OutDir + L"\\" + std::to_wstring(files + 1) + L".jpg")) ++files;
  EXPECT_GE(files, 2);
  EXPECT_LT(files, 20) << "the run went on after the close";
  // Every photo page fetched was saved: nothing was asked for after the close.
  EXPECT_EQ(RequestsTo("/album/slow/photo/").size(), static_cast<size_t>(files));
  EXPECT_EQ(RequestsTo("/photo/slow-").size(), static_cast<size_t>(files));
}

TEST_F(WindowDriver, PlatformBrowserControlIsHostedAndLeavesTheButtonWaiting) {
  // No login on the command line: the real browser control loads the start
  // page. Wine here has no HTML engine, so the page never completes.
  Start(SiteArgs(), L"WINEDLLOVERRIDES=mshtml=");
  HWND host = FindWindowExW(Main, nullptr, L"TWebBrowser", nullptr);
  ASSERT_NE(host, nullptr);
  EXPECT_TRUE(WaitFor([&] { return FindWindowExW(host, nullptr, nullptr, nullptr) != nullptr; }, 5000))
      << "the browser control made no window in its host";
  std::this_thread::sleep_for(std::chrono::milliseconds(1000));
  EXPECT_FALSE(IsWindowEnabled(Button));
  EXPECT_EQ(TextOf(Button), L"正在加载");
  EXPECT_EQ(CloseAndWait(), 0u);
}
