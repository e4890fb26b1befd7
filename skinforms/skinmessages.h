// Registered window messages of skinned windows. Zero until registered.
#pragma once
#include <windows.h>

namespace talvik {

// Redraw a skinned form, its frame and its children.
extern UINT WM_POSTREDRAW;
// Sent to an MDI frame when one of its children was created, activated, retitled or destroyed.
extern UINT WM_CHILDCHANGED;
// Posted to the helper window, LPARAM an MDI client window: make its controller now.
extern UINT WM_POSTCREATE;
// Posted to a window that has just got its controller: finish the form's region and size state.
extern UINT WM_POSTCHECKRGN;
// Posted to a message dialog that has just got its controller: its labels become transparent.
extern UINT WM_POSTMSGFORMINIT;
// Sent to every window being created; a non-zero answer means it skins itself.
extern UINT WM_HASOWNSKINENGINE;

// Sent to a form before a skin is chosen for it; an answer of 1 declines skinning.
extern UINT SkinDeclineMessage;
// A skinned form that receives it chooses its skin again.
extern UINT SkinRefreshMessage;

// Registers all of them; registering again gives the same numbers.
void RegisterSkinMessages();

inline bool IsRegisteredMessage(UINT AMsg, UINT ARegistered) { return ARegistered != 0 && AMsg == ARegistered; }

}  // namespace talvik
