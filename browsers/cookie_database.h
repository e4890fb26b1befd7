// A browser's cookie database, read through a copy of it.
#pragma once
#include <functional>
#include <string>

#include "browsers/sqlite_file.h"

namespace talvik::browsers {

// Calls ARead with a copy of AFile (so that a running browser keeps its own);
// whatever goes wrong becomes one EBrowserCookies line naming ABrowser and AFile.
void ReadCookieDatabase(const std::wstring& ABrowser, const std::wstring& AFile,
                        const std::function<void(TSqliteFile&)>& ARead);

}  // namespace talvik::browsers
