// One photo's two requests over one client: its page, then its picture into its file.
#pragma once
#include <string>

#include "app/photo_file.h"
#include "net/idhttp.h"

namespace talvik::app {

class TPhotoFetcher {
public:
  explicit TPhotoFetcher(net::TIdHTTP& AHTTP) : FHTTP(AHTTP) {}

  // The large picture's address on the photo page at AUrl, as a whole address
  // read against the page (after its redirects).
  std::wstring GetPic(const std::wstring& AUrl);
  // The file takes the photo's name only once the whole body has arrived.
  void DownPic(const std::wstring& AUrl, const std::wstring& AFileName, const std::wstring& AReferer);

private:
  net::TIdHTTP& FHTTP;
  TPhotoFile FBody;
};

// True when a photo already stands under AFileName: files are only ever saved whole.
bool PhotoExists(const std::wstring& AFileName);

}  // namespace talvik::app
