// The download run behind the window's button, shared by the window and the
// console downloader: walk an album page by page and save each photo as N.jpg.
#pragma once
#include <string>

#include "app/album_scan.h"
#include "app/photo_file.h"
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
};

class TDownloadRun {
public:
  TDownloadRun(net::TIdHTTP& AHTTP, IRunFrontEnd& AFrontEnd) : FHTTP(AHTTP), FFrontEnd(AFrontEnd) {}

  // The whole run. Failures leave as exceptions and the button stays "下载中";
  // a run left because the front end is closing returns quietly.
  void Button1Click();

  // The links of the list page at AUrl, into ALinks.
  void GetPicUrls(const std::wstring& AUrl, TPicUrls& ALinks);
  std::wstring GetPic(const std::wstring& AUrl);
  // The file takes the photo's name only once the whole body has arrived.
  void DownPic(const std::wstring& AUrl, const std::wstring& AFileName, const std::wstring& AReferer);

  // The output folder, asked for once and kept for every later run.
  const std::wstring& SavePath() const { return FSavePath; }
  void SetSavePath(const std::wstring& APath) { FSavePath = APath; }

private:
  net::TIdHTTP& FHTTP;
  IRunFrontEnd& FFrontEnd;
  std::wstring FSavePath;
  TPhotoFile FBody;
};

}  // namespace talvik::app
