// The download run behind the window's button, shared by the window and the
// console downloader: walk an album page by page and save each photo as N.jpg.
#pragma once
#include <functional>
#include <string>
#include <unordered_set>

#include "app/album_scan.h"
#include "app/photo_fetch.h"
#include "app/retry.h"
#include "net/idhttp.h"

namespace talvik::app {

// What the run needs from whoever shows it.
struct IRunFrontEnd {
  virtual ~IRunFrontEnd() = default;
  virtual void AppendLog(const std::wstring& ALine) = 0;
  virtual void SetButton(bool AEnabled, const std::wstring& ACaption) = 0;
  // Lets the user pick a folder; leaves AFolder as it was on cancel.
  virtual void BrowseForFolder(const std::wstring& ACaption, std::wstring& AFolder) = 0;
  virtual std::wstring AlbumAddress() = 0;
  // Lets pending window messages be handled between photos.
  virtual void ProcessMessages() = 0;
  // True once the front end is going away; the run then makes no further request.
  virtual bool Closing() = 0;
  // Waits up to AMs milliseconds for the event AEvent (a window keeps answering
  // meanwhile and may return early once closing).
  virtual void WaitFor(void* AEvent, int AMs);
  // Makes one request of the run (its exchange only, not the waits between
  // tries); a window keeps answering meanwhile and ends the request when it closes.
  virtual void Request(const std::function<void()>& AExchange) { AExchange(); }
};

// How the run goes beyond one photo after the other.
struct TRunOptions {
  bool SkipExisting = false;  // a photo whose file exists is not requested
  int Retries = 0;            // tries after a passing failure of a request
  int Jobs = 1;               // photos downloaded side by side
};

class TDownloadRun {
public:
  TDownloadRun(net::TIdHTTP& AHTTP, IRunFrontEnd& AFrontEnd);
  ~TDownloadRun();

  // The whole run. Failures leave as exceptions and the button stays "下载中";
  // a run left because the front end is closing returns quietly.
  void Button1Click();

  // The links of the list page at AUrl, into ALinks.
  void GetPicUrls(const std::wstring& AUrl, TPicUrls& ALinks);
  // The large picture's address on the photo page at AUrl, read against that page.
  std::wstring GetPic(const std::wstring& AUrl) { return FFetch.GetPic(AUrl); }
  // The file takes the photo's name only once the whole body has arrived.
  void DownPic(const std::wstring& AUrl, const std::wstring& AFileName, const std::wstring& AReferer) {
    FFetch.DownPic(AUrl, AFileName, AReferer);
  }

  // The output folder, asked for once and kept for every later run.
  const std::wstring& SavePath() const { return FSavePath; }
  void SetSavePath(const std::wstring& APath) { FSavePath = APath; }

  void SetOptions(const TRunOptions& AOptions) { FOptions = AOptions; }
  // The clock that retry waits read and wait on.
  void SetBackoffClock(IBackoffClock& AClock) { FClock = &AClock; }

private:
  // Both walks return false when the front end closed on the way.
  bool WalkInOrder(const std::wstring& ABase);
  bool WalkSideBySide(const std::wstring& ABase);
  // List page APage into ALinks, and the address its links are read against.
  void ReadListPage(const std::wstring& ABase, int APage, TPicUrls& ALinks, std::wstring& AAddress);
  // False for a page that brings no photo not taken before in this run: a site
  // that answers past its last page with an earlier one would never end.
  bool BringsNewPhotos(const TPicUrls& ALinks, const std::wstring& AAddress, int APage);
  // AAttempt, tried again as the options allow; waits keep the front end answering.
  void Retrying(const std::wstring& ALabel, const std::function<void()>& AAttempt);
  TRetryPlan Plan() const { return {FOptions.Retries, FClock}; }

  net::TIdHTTP& FHTTP;
  IRunFrontEnd& FFrontEnd;
  std::wstring FSavePath;
  TPhotoFetcher FFetch;
  TRunOptions FOptions;
  IBackoffClock* FClock = &SystemBackoffClock();
  void* FNeverSet = nullptr;  // what a retry wait on this thread waits for
  std::unordered_set<size_t> FTaken;  // the photo links of this run, by their hash
};

}  // namespace talvik::app
