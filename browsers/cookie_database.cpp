#include "browsers/cookie_database.h"

#include "browsers/browser_error.h"
#include "browsers/database_copy.h"

namespace talvik::browsers {

void ReadCookieDatabase(const std::wstring& ABrowser, const std::wstring& AFile,
                        const std::function<void(TSqliteFile&)>& ARead) {
  try {
    TDatabaseCopy copy(AFile);
    TSqliteFile db(copy.Path());
    ARead(db);
  } catch (const EDatabaseInUse&) {
    throw EBrowserCookies(ABrowser + L": the cookie database " + AFile +
                          L" is held open by the browser: close the browser, or use another one");
  } catch (const EBrowserCookies&) {
    throw;
  } catch (const Exception& e) {
    throw EBrowserCookies(ABrowser + L": the cookie database " + AFile + L" cannot be read: " + e.Message());
  }
}

}  // namespace talvik::browsers
