#include "app/photo_fetch.h"

#include <windows.h>

#include "app/album_scan.h"
#include "net/url.h"

namespace talvik::app {

std::wstring TPhotoFetcher::GetPic(const std::wstring& AUrl) {
  const std::wstring page = FHTTP.Get(AUrl);
  return net::ResolveAddress(ParsePic(page), FHTTP.Address());
}

void TPhotoFetcher::DownPic(const std::wstring& AUrl, const std::wstring& AFileName, const std::wstring& AReferer) {
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

bool PhotoExists(const std::wstring& AFileName) {
  const DWORD attributes = GetFileAttributesW(AFileName.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace talvik::app
