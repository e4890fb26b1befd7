#include "app/download_run.h"

#include <windows.h>

#include <map>

#include "app/photo_pool.h"
#include "app/request_place.h"
#include "framework/sysutils.h"
#include "net/url.h"

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
  auto attempt = [&] { FFrontEnd.Request(AAttempt); };
  if (FOptions.Retries <= 0) return attempt();
  WithRetries(
      Plan(), ALabel, attempt, [this](const std::wstring& line) { FFrontEnd.AppendLog(line); },
      [this](int ms) {
        FFrontEnd.WaitFor(FNeverSet, ms);
        return !FFrontEnd.Closing();
      });
}

void TDownloadRun::ReadListPage(const std::wstring& ABase, int APage, TPicUrls& ALinks, std::wstring& AAddress) {
  const std::wstring url = ListPageUrl(ABase, APage);
  SayWhere(L"list page " + std::to_wstring(APage), url, [&] {
    Retrying(L"?curpage=" + std::to_wstring(APage), [&] {
      GetPicUrls(url, ALinks);
      AAddress = FHTTP.Address();
    });
  });
}

bool TDownloadRun::BringsNewPhotos(const TPicUrls& ALinks, const std::wstring& AAddress, int APage) {
  bool anyNew = false;
  for (std::wstring_view link : ALinks)
    anyNew |= FTaken.insert(std::hash<std::wstring>{}(net::ResolveAddress(std::wstring(link), AAddress))).second;
  if (!anyNew && !ALinks.empty())
    FFrontEnd.AppendLog(L"?curpage=" + std::to_wstring(APage) + L"....no new photo: the album ends here");
  return anyNew;
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
  FTaken.clear();
  const net::TProxy proxy = FHTTP.ProxyFor(base);
  if (proxy.Enabled())
    FFrontEnd.AppendLog(L"Proxy: " + proxy.HostPort() + (proxy.Origin.empty() ? L"" : L" (" + proxy.Origin + L")"));
  try {
    if (!(FOptions.Jobs > 1 ? WalkSideBySide(base) : WalkInOrder(base))) return;
  } catch (...) {
    // A request or retry wait that the closing window cut short: nobody is left to tell.
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
  std::wstring pageAddress;
  ReadListPage(ABase, page, links, pageAddress);
  while (BringsNewPhotos(links, pageAddress, page)) {
    for (std::wstring_view view : links) {
      // Read as a browser reads it on its page, which later requests must not change.
      const std::wstring link = net::ResolveAddress(std::wstring(view), pageAddress);
      ++counter;
      const std::wstring name = PhotoName(counter), path = FSavePath + L"\\" + name;
      if (FOptions.SkipExisting && PhotoExists(path)) {
        FFrontEnd.AppendLog(name + L"....exists");
      } else {
        std::wstring image;
        SayWhere(name, link, [&] { Retrying(name, [&] { image = GetPic(link); }); });
        SayWhere(name, image, [&] { Retrying(name, [&] { DownPic(image, path, link); }); });
        FFrontEnd.AppendLog(name + L"....over...");
      }
      FFrontEnd.ProcessMessages();
      // The window may have closed meanwhile and taken the HTTP client with it.
      if (FFrontEnd.Closing()) return false;
    }
    ++page;
    ReadListPage(ABase, page, links, pageAddress);
  }
  return true;
}

bool TDownloadRun::WalkSideBySide(const std::wstring& ABase) {
  TPhotoPool pool(FOptions.Jobs, FHTTP, Plan());
  // What each photo has to say, kept until the photos before it have said theirs.
  struct TPhotoLines {
    std::vector<std::wstring> Retries;
    bool Finished = false;
    std::wstring Last;  // empty for a failed photo
  };
  std::map<int, TPhotoLines> lines;
  int nextLine = 1;
  std::exception_ptr error;  // the first one: it stops the run

  auto takeReports = [&] {
    for (auto& report : pool.TakeReports()) {
      TPhotoLines& photo = lines[report.Number];
      if (!report.Finished) {
        photo.Retries.push_back(report.Note);
        continue;
      }
      photo.Finished = true;
      if (report.Error) {
        if (!error) error = report.Error;
        pool.Stop();
      } else {
        photo.Last = PhotoName(report.Number) + L"....over...";
      }
    }
    for (auto it = lines.find(nextLine); it != lines.end(); it = lines.find(nextLine)) {
      for (const auto& line : it->second.Retries) FFrontEnd.AppendLog(line);
      it->second.Retries.clear();
      if (!it->second.Finished) break;
      if (!it->second.Last.empty()) FFrontEnd.AppendLog(it->second.Last);
      lines.erase(it);
      ++nextLine;
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
  std::wstring pageAddress;
  ReadListPage(ABase, page, links, pageAddress);
  while (!error && BringsNewPhotos(links, pageAddress, page)) {
    for (std::wstring_view view : links) {
      ++counter;
      const std::wstring name = PhotoName(counter), path = FSavePath + L"\\" + name;
      const bool exists = FOptions.SkipExisting && PhotoExists(path);
      if (!waitUntil([&] { return error || (counter - nextLine < kLogWindow && (exists || pool.HasRoom())); }))
        return false;
      if (error) break;
      if (exists) {
        lines[counter] = {{}, true, name + L"....exists"};
        continue;
      }
      // The workers' clients know nothing of the list page: they get whole addresses.
      const std::wstring link = net::ResolveAddress(std::wstring(view), pageAddress);
      // Each photo page carries the photo before it as "Referer", as one after the other would.
      pool.Submit({counter, link, path, pageReferer});
      pageReferer = link;
    }
    if (error) break;
    FHTTP.SetReferer(pageReferer);
    ++page;
    try {
      ReadListPage(ABase, page, links, pageAddress);
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
