// The failure of taking a login from a browser: one line naming the browser and the file.
#pragma once
#include "framework/sysutils.h"

namespace talvik::browsers {

TALVIK_EXCEPTION(EBrowserCookies, Exception)

}  // namespace talvik::browsers
