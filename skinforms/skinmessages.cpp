#include "skinforms/skinmessages.h"

namespace talvik {

UINT WM_POSTREDRAW = 0;
UINT WM_CHILDCHANGED = 0;
UINT WM_POSTCREATE = 0;
UINT WM_POSTCHECKRGN = 0;
UINT WM_POSTMSGFORMINIT = 0;
UINT WM_HASOWNSKINENGINE = 0;
UINT SkinDeclineMessage = 0;
UINT SkinRefreshMessage = 0;

// Other programs' skinned windows know these names: they must not change.
void RegisterSkinMessages() {
  SkinDeclineMessage = RegisterWindowMessageW(L"{B2CE3777-44D8-4998-9701-47BBBC10B656}");
  SkinRefreshMessage = RegisterWindowMessageW(L"{B2CE3777-44D8-1321-4656-12C54AA613BB}");
  WM_POSTREDRAW = RegisterWindowMessageW(L"WM_POSTREDRAW");
  WM_CHILDCHANGED = RegisterWindowMessageW(L"WM_CHILDCHANGED");
  WM_POSTCREATE = RegisterWindowMessageW(L"WM_POSTCREATE");
  WM_POSTCHECKRGN = RegisterWindowMessageW(L"WM_POSTCHECKRGN");
  WM_POSTMSGFORMINIT = RegisterWindowMessageW(L"WM_POSTMSGFORMINIT");
  WM_HASOWNSKINENGINE = RegisterWindowMessageW(L"WM_HASOWNSKINENGINE");
}

}  // namespace talvik
