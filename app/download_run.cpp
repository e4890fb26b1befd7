#include "app/download_run.h"

#include <windows.h>

#include "framework/streams.h"
#include "framework/sysutils.h"

namespace talvik::app {

TPicUrls TDownloadRun::GetPicUrls(const std::wstring& AUrl) {
  return ParsePicUrls(FHTTP.Get(AUrl));
}

std::wstring TDownloadRun::GetPic(const std::wstring& AUrl) {
  return ParsePic(FHTTP.Get(AUrl));
}

void TDownloadRun::DownPic(const std::wstring& AUrl, const std::wstring& AFileName, const std::wstring& AReferer) {
  FHTTP.SetReferer(AReferer);
  // One buffer for every photo: it keeps its size, so a photo is not copied as it grows.
  TMemoryStream& body = FBody;
  body.Clear();
  FHTTP.Get(AUrl, body);
  // A photo saved earlier under this name is only replaced once the new one is
  // written whole: a full disk or a failed write must not cost the old one. A new
  // name needs no detour (a rename is dear on some file systems).
  const bool replacing = GetFileAttributesW(AFileName.c_str()) != INVALID_FILE_ATTRIBUTES;
  const std::wstring target = replacing ? AFileName + L".part" : AFileName;
  auto cannotCreate = [&](const std::wstring& reason) {
    return EFCreateError(Format(L"Cannot create file \"%s\". %s", {AFileName, reason}));
  };
  try {
    TFileStream file(target, fmCreate);
    if (body.Size() > 0) file.WriteBuffer(body.Memory(), body.Size());
  } catch (const EFCreateError& e) {
    // Name the photo's file, not the scratch one; keep the system's reason.
    const std::wstring scratch = Format(L"Cannot create file \"%s\". ", {target});
    throw cannotCreate(e.Message().substr(scratch.size()));
  } catch (const EStreamError& e) {
    DeleteFileW(target.c_str());
    throw EWriteError(Format(L"Cannot write file \"%s\". %s", {AFileName, e.Message()}));
  }
  if (replacing && !MoveFileExW(target.c_str(), AFileName.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    const DWORD reason = GetLastError();
    DeleteFileW(target.c_str());
    throw cannotCreate(SysErrorMessage(reason));
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
  TPicUrls links = GetPicUrls(ListPageUrl(base, page));
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
    links = GetPicUrls(ListPageUrl(base, page));
  }
  FFrontEnd.AppendLog(L"下载完毕。");
  FFrontEnd.SetButton(true, L"下载");
}

}  // namespace talvik::app
