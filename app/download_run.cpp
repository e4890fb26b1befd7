#include "app/download_run.h"

#include "framework/sysutils.h"

namespace talvik::app {

void TDownloadRun::GetPicUrls(const std::wstring& AUrl, TPicUrls& ALinks) {
  ParsePicUrls(FHTTP.Get(AUrl), ALinks);
}

std::wstring TDownloadRun::GetPic(const std::wstring& AUrl) {
  return ParsePic(FHTTP.Get(AUrl));
}

void TDownloadRun::DownPic(const std::wstring& AUrl, const std::wstring& AFileName, const std::wstring& AReferer) {
  FHTTP.SetReferer(AReferer);
  FBody.Start(AFileName);
  try {
    FHTTP.Get(AUrl, FBody);
    FBody.Save();
  } catch (...) {
    FBody.Discard();
    throw;
  }
}

void TDownloadRun::Button1Click() {
  if (Trim(FSavePath).empty()) {
    FFrontEnd.BrowseForFolder(L"请选择输出目录", FSavePath);
    if (Trim(FSavePath).empty()) return;
    FFrontEnd.AppendLog(L"你的图片将保存到：" + FSavePath);
  }
  const std::wstring album = Trim(FFrontEnd.AlbumAddress());
  if (album.empty()) return;

  int page = 0;
  int counter = 0;
  FFrontEnd.SetButton(false, L"下载中");
  const std::wstring base = GetOrignalAlbumUrl(album);
  TPicUrls links;
  GetPicUrls(ListPageUrl(base, page), links);
  while (!links.empty()) {
    for (std::wstring_view view : links) {
      const std::wstring link(view);
      std::wstring image = GetPic(link);
      ++counter;
      const std::wstring name = std::to_wstring(counter) + L".jpg";
      DownPic(image, FSavePath + L"\\" + name, link);
      FFrontEnd.AppendLog(name + L"....over...");
      FFrontEnd.ProcessMessages();
      // The window may have closed meanwhile and taken the HTTP client with it.
      if (FFrontEnd.Closing()) return;
    }
    ++page;
    GetPicUrls(ListPageUrl(base, page), links);
  }
  FFrontEnd.AppendLog(L"下载完毕。");
  FFrontEnd.SetButton(true, L"下载");
}

}  // namespace talvik::app
