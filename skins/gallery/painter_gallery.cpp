// painter-gallery: every painter's parts side by side, in a window or, with
// --png OUT.png, in a picture file.
//   painter-gallery [--painter NAME] [--png OUT.png]
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "framework/streams.h"
#include "framework/sysutils.h"
#include "skins/gallery/gallery.h"
#include "skins/pictures/pngimage.h"
#include "skins/engine/skinengine.h"

using namespace talvik;
using namespace talvik::gallery;

namespace {

constexpr const wchar_t* kTitle = L"Painter gallery";

TALVIK_EXCEPTION(EGalleryUsage, Exception)

struct TOptions {
  std::vector<const TGalleryRow*> Rows;
  std::wstring PngFile;
};

std::wstring Usage() {
  std::wstring names;
  for (const TGalleryRow& row : GalleryRows()) names += (names.empty() ? L"" : L", ") + std::wstring(row.Name);
  return L"usage: painter-gallery [--painter NAME] [--png OUT.png]\nNAME: " + names;
}

std::vector<std::wstring> Arguments() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::wstring> args(argv + 1, argv + argc);
  LocalFree(argv);
  return args;
}

TOptions ParseOptions(const std::vector<std::wstring>& args) {
  TOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    bool hasValue = i + 1 < args.size();
    if (args[i] == L"--png" && hasValue) {
      options.PngFile = args[++i];
    } else if (args[i] == L"--painter" && hasValue) {
      const TGalleryRow* row = FindGalleryRow(args[++i]);
      if (!row) throw EGalleryUsage(L"unknown painter " + args[i] + L"\n" + Usage());
      options.Rows.push_back(row);
    } else {
      throw EGalleryUsage(Usage());
    }
  }
  if (options.Rows.empty())
    for (const TGalleryRow& row : GalleryRows()) options.Rows.push_back(&row);
  return options;
}

std::unique_ptr<TBitmap> Picture(const std::vector<const TGalleryRow*>& ARows) {
  SIZE size = GallerySize(ARows.size());
  auto bitmap = std::make_unique<TBitmap>(size.cx, size.cy, pf24bit);
  TcxCanvas canvas(&bitmap->Canvas());
  PaintGallery(&canvas, ARows);
  return bitmap;
}

void SavePng(TBitmap& ABitmap, const std::wstring& AFileName) {
  TdxPNGImage png;
  png.SetBitmap(&ABitmap);
  if (png.Empty()) throw Exception(L"cannot encode PNG pictures: GDI+ is not available");
  TFileStream file(AFileName, fmCreate);
  png.SaveToStream(file);
}

// The window shows the picture painted once: the painters draw nothing that changes.
LRESULT CALLBACK GalleryProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam) {
  auto* picture = reinterpret_cast<TBitmap*>(GetWindowLongPtrW(AWnd, GWLP_USERDATA));
  switch (AMsg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(AWnd, &ps);
      if (picture) BitBlt(dc, 0, 0, picture->Width(), picture->Height(), picture->Canvas().Handle(), 0, 0, SRCCOPY);
      EndPaint(AWnd, &ps);
      return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return DefWindowProcW(AWnd, AMsg, AWParam, ALParam);
}

int ShowWindowWith(TBitmap& APicture) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = GalleryProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"TalvikPainterGallery";
  RegisterClassW(&wc);
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, APicture.Width(), APicture.Height()};
  AdjustWindowRect(&frame, style, FALSE);
  HWND wnd = CreateWindowW(wc.lpszClassName, kTitle, style, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                           frame.bottom - frame.top, nullptr, nullptr, wc.hInstance, nullptr);
  if (!wnd) throw Exception(L"cannot create the window");
  SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&APicture));
  ShowWindow(wnd, SW_SHOWNORMAL);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  std::vector<std::wstring> args = Arguments();
  // A picture run has no one to answer a message box, even when its arguments are wrong.
  bool toFile = false;
  for (const std::wstring& a : args) toFile |= a == L"--png";
  try {
    TOptions options = ParseOptions(args);
    TSkinEngineScope engine;
    std::unique_ptr<TBitmap> picture = Picture(options.Rows);
    if (!toFile) return ShowWindowWith(*picture);
    SavePng(*picture, options.PngFile);
    return 0;
  } catch (const Exception& e) {
    std::fprintf(stderr, "%s\n", WideToUtf8(e.Message()).c_str());
    if (!toFile) MessageBoxW(nullptr, e.Message().c_str(), kTitle, MB_OK | MB_ICONERROR);
    return dynamic_cast<const EGalleryUsage*>(&e) ? 2 : 1;
  }
}
