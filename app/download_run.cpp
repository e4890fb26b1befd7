#include "app/download_run.h"

#include <windows.h>

#include <map>

#include "app/photo_pool.h"
#include "framework/sysutils.h"

namespace talvik::app {

namespace {

// How far finished photos may run ahead of the next log line, which waits for its
// number: bounds what is kept for the log, whatever the album's length.
constexpr int kLogWindow = 256;
constexpr int kReportWaitMs = 1000;

std::wstring PhotoName(int ANumber) { return std::to_wstring(ANumber) + L".jpg"; }

}  // namespace

void IRunFrontEnd::WaitFor(void* AEvent, int AMs) { WaitForSingleObject(AEvent, static_cast<DWORD>(AMs)); }

TDownloadRun::TDownloadRun(net::TIdHTTP& AHTTP, IRunFrontEnd& AFrontEnd)
    : FHTTP(AHTTP), FFrontEnd(AFrontEnd), FFetch(AHTTP), FNeverSet(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

TDownloadRun::~TDownloadRun() { CloseHandle(FNeverSet); }

void TDownloadRun::GetPicUrls(const std::wstring& AUrl, TPicUrls& ALinks) {
  ParsePicUrls(FHTTP.Get(AUrl), ALinks);
}

void TDownloadRun::Retrying(const std::wstring& ALabel, const std::function<void()>& AAttempt) {
  if (FOptions.Retries <= 0) return AAttempt();
  WithRetries(
      Plan(), ALabel, AAttempt, [this](const std::wstring& line) { FFrontEnd.AppendLog(line); },
      [this](int ms) {
        FFrontEnd.WaitFor(FNeverSet, ms);
        return !FFrontEnd.Closing();
      });
}

void TDownloadRun::ReadListPage(const std::wstring& ABase, int APage, TPicUrls& ALinks) {
  Retrying(L"?curpage=" + std::to_wstring(APage), [&] { GetPicUrls(ListPageUrl(ABase, APage), ALinks); });
}

void TDownloadRun::Button1Click() {
  if (Trim(FSavePath).empty()) {
    FFrontEnd.BrowseForFolder(L"请选择输出目录", FSavePath);
    if (Trim(FSavePath).empty()) return;
    FFrontEnd.AppendLog(L"你的图片将保存到：" + FSavePath);
  }
  const std::wstring album = Trim(FFrontEnd.AlbumAddress());
  if (album.empty()) return;

  FFrontEnd.SetButton(false, L"下载中");
  const std::wstring base = GetOrignalAlbumUrl(album);
  const net::TProxy proxy = FHTTP.ProxyFor(base);
  if (proxy.Enabled())
    FFrontEnd.AppendLog(L"Proxy: " + proxy.HostPort() + (proxy.Origin.empty() ? L"" : L" (" + proxy.Origin + L")"));
  try {
    if (!(FOptions.Jobs > 1 ? WalkSideBySide(base) : WalkInOrder(base))) return;
  } catch (...) {
    // A retry wait that the closing window cut short: nobody is left to tell.
    if (FFrontEnd.Closing()) return;
    throw;
  }
  FFrontEnd.AppendLog(L"下载完毕。");
  FFrontEnd.SetButton(true, L"下载");
}

bool TDownloadRun::WalkInOrder(const std::wstring& ABase) {
  int page = 0;
  int counter = 0;
  TPicUrls links;
  ReadListPage(ABase, page, links);
  while (!links.empty()) {
    for (std::wstring_view view : links) {
      const std::wstring link(view);
      ++counter;
      const std::wstring name = PhotoName(counter), path = FSavePath + L"\\" + name;
      if (FOptions.SkipExisting && PhotoExists(path)) {
        FFrontEnd.AppendLog(name + L"....exists");
      } else {
        std::wstring image;
        Retrying(name, [&] { image = GetPic(link); });
        Retrying(name, [&] { DownPic(image, path, link); });
        FFrontEnd.AppendLog(name + L"....over...");
      }
      FFrontEnd.ProcessMessages();
      // The window may have closed meanwhile and taken the HTTP client with it.
      if (FFrontEnd.Closing()) return false;
    }
    ++page;
    ReadListPage(ABase, page, links);
  }
  return true;
}

bool TDownloadRun::WalkSideBySide(const std::wstring& ABase) {
  TPhotoPool pool(FOptions.Jobs, FHTTP, Plan());
  std::map<int, std::wstring> lines;  // finished photos' log lines, "" for a failed one
  int nextLine = 1;
  std::exception_ptr error;  // the first one: it stops the run

  auto takeReports = [&] {
    for (auto& report : pool.TakeReports()) {
      if (!report.Finished) {
        FFrontEnd.AppendLog(report.Note);
      } else if (report.Error) {
        if (!error) error = report.Error;
        pool.Stop();
        lines[report.Number].clear();
      } else {
        lines[report.Number] = PhotoName(report.Number) + L"....over...";
      }
    }
    for (auto it = lines.find(nextLine); it != lines.end(); it = lines.find(++nextLine)) {
      if (!it->second.empty()) FFrontEnd.AppendLog(it->second);
      lines.erase(it);
    }
  };
  // Answers the window meanwhile; false once it is closing, with every request ended.
  auto waitUntil = [&](const std::function<bool()>& ready) {
    for (;;) {
      takeReports();
      if (ready()) return true;
      FFrontEnd.WaitFor(pool.Signal(), kReportWaitMs);
      if (FFrontEnd.Closing()) {
        pool.Abort();
        return false;
      }
    }
  };

  int page = 0;
  int counter = 0;
  std::wstring pageReferer = FHTTP.Referer();
  TPicUrls links;
  ReadListPage(ABase, page, links);
  while (!links.empty() && !error) {
    for (std::wstring_view view : links) {
      ++counter;
      const std::wstring name = PhotoName(counter), path = FSavePath + L"\\" + name;
      const bool exists = FOptions.SkipExisting && PhotoExists(path);
      if (!waitUntil([&] { return error || (counter - nextLine < kLogWindow && (exists || pool.HasRoom())); }))
        return false;
      if (error) break;
      if (exists) {
        lines[counter] = name + L"....exists";
        continue;
      }
      // Each photo page carries the photo before it as "Referer", as one after the other would.
      pool.Submit({counter, std::wstring(view), path, pageReferer});
      pageReferer = view;
    }
    if (error) break;
    FHTTP.SetReferer(pageReferer);
    ++page;
    try {
      ReadListPage(ABase, page, links);
    } catch (...) {
      if (FFrontEnd.Closing()) return false;
      error = std::current_exception();
      pool.Stop();
    }
  }
  if (!waitUntil([&] { return pool.Busy() == 0; })) return false;
  takeReports();
  if (error) std::rethrow_exception(error);
  return true;
}

}  // namespace talvik::app
