// What the tests that drive talvik-album.exe from outside share: starting
// the program in a folder of its own beside the sample site, finding its
// windows, reading their texts, typing and clicking as a person would.
#pragma once
#include <windows.h>
#include <psapi.h>
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

namespace talvik::windowtests {

using talvik::testsupport::SampleSite;
using talvik::testsupport::SiteReply;
using talvik::testsupport::SiteRequest;

inline std::string Narrow(const std::wstring& s) {
  int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
  return out;
}

inline std::wstring Widen(const std::string& s) {
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
  return out;
}

inline bool WaitFor(const std::function<bool()>& done, int ms = 20000) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return done();
}

inline std::wstring ClassOf(HWND w) {
  wchar_t name[128] = {};
  GetClassNameW(w, name, 128);
  return name;
}

// Window texts cross the process boundary through WM_GETTEXT.
inline std::wstring TextOf(HWND w) {
  DWORD_PTR len = 0;
  if (!SendMessageTimeoutW(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &len)) return L"<hung>";
  std::wstring text(len + 1, L'\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutW(w, WM_GETTEXT, len + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000, &got);
  text.resize(got);
  return text;
}

inline std::vector<std::wstring> SplitLines(const std::wstring& text) {
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
inline std::vector<HWND> TopWindows(DWORD pid, const std::wstring& cls) {
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

inline std::vector<HWND> Children(HWND parent, const std::wstring& cls) {
  std::vector<HWND> found;
  for (HWND w = FindWindowExW(parent, nullptr, cls.c_str(), nullptr); w; w = FindWindowExW(parent, w, cls.c_str(), nullptr))
    found.push_back(w);
  return found;
}

inline RECT RectInParent(HWND child) {
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

inline std::ostream& operator<<(std::ostream& os, const Layout& l) {
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
inline void SendKeys(const std::vector<std::pair<WORD, bool>>& strokes, DWORD flags = 0) {
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

inline void PressKey(WORD key, bool shift = false) {
  std::vector<std::pair<WORD, bool>> strokes{{key, false}, {key, true}};
  if (shift) {
    strokes.insert(strokes.begin(), {VK_SHIFT, false});
    strokes.push_back({VK_SHIFT, true});
  }
  SendKeys(strokes);
}

inline void TypeText(const std::wstring& text) {
  std::vector<std::pair<WORD, bool>> strokes;
  for (wchar_t c : text) strokes.insert(strokes.end(), {{c, false}, {c, true}});
  SendKeys(strokes, KEYEVENTF_UNICODE);
}

inline bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline std::string ReadFileBytes(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::string data(GetFileSize(h, nullptr), '\0');
  DWORD got = 0;
  if (!data.empty()) ReadFile(h, data.data(), static_cast<DWORD>(data.size()), &got, nullptr);
  CloseHandle(h);
  data.resize(got);
  return data;
}

inline std::string HeaderOf(const SiteRequest& r, const std::string& name) {
  std::string key = "\r\n" + name + ": ";
  size_t at = r.raw.find(key);
  if (at == std::string::npos) return {};
  at += key.size();
  return r.raw.substr(at, r.raw.find("\r\n", at) - at);
}

// With TALVIK_WINDOW_SHOTS set to a (Unix) folder, saves a screenshot of the
// screen there as window-NAME.bmp (tools/screenshot-window makes PNG files of
// them). The screen is read as the driver sees it: a screenshot program would
// grab the pointer, which the window takes for the mouse leaving it.
inline void Shot(const char* name) {
  const char* dir = getenv("TALVIK_WINDOW_SHOTS");
  if (!dir || !*dir) return;
  Sleep(1000);  // let the windows reach the screen and paint
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  BITMAPINFOHEADER info{sizeof info, w, h, 1, 24, BI_RGB};
  const DWORD stride = (w * 3 + 3) & ~3u, size = stride * h;
  std::string pixels(size, '\0');
  HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  GetDIBits(memory, bitmap, 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof info + size), 0, 0,
                        sizeof(BITMAPFILEHEADER) + sizeof info};
  std::string path = "Z:" + std::string(dir) + "/window-" + name + ".bmp";
  HANDLE out = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (out == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(out, &file, sizeof file, &written, nullptr);
  WriteFile(out, &info, sizeof info, &written, nullptr);
  WriteFile(out, pixels.data(), size, &written, nullptr);
  CloseHandle(out);
}

inline const wchar_t kTitle[] = L"Tolrike作品";
inline const wchar_t kCookie[] = L"sid=abc; user=tolrike";

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

  // Starts the program without waiting for its window.
  void Launch(const std::vector<std::wstring>& args, const wchar_t* env = nullptr) {
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
  }

  void Start(const std::vector<std::wstring>& args, const wchar_t* env = nullptr) {
    ASSERT_NO_FATAL_FAILURE(Launch(args, env));
    ASSERT_NO_FATAL_FAILURE(FindMainWindow());
  }

  void FindMainWindow() {
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

  // Whether the program has loaded the library of that file name (case ignored).
  bool HasLoaded(const wchar_t* ALibrary) {
    HMODULE modules[512];
    DWORD bytes = 0;
    if (!EnumProcessModules(FProcess.hProcess, modules, sizeof modules, &bytes)) {
      ADD_FAILURE() << "the program's modules cannot be listed";
      return false;
    }
    for (DWORD i = 0; i < std::min<DWORD>(bytes / sizeof(HMODULE), 512); ++i) {
      wchar_t name[MAX_PATH] = {};
      if (GetModuleBaseNameW(FProcess.hProcess, modules[i], name, MAX_PATH) && !lstrcmpiW(name, ALibrary))
        return true;
    }
    return false;
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

  // The program's own folder.
  const std::wstring& Dir() const { return FDir; }

private:
  std::wstring FDir;
};

}  // namespace talvik::windowtests
