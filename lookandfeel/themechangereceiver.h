// The hidden window that hears visual-style switches, and the list of
// notificators it tells. Both exist only while UxTheme.dll is loaded.
#pragma once
#include <windows.h>

namespace talvik {

void CreateThemeChangedReceiver();
// Visual styles count as inactive from then on.
void DestroyThemeChangedReceiver();
HWND ThemeChangedReceiverWindow();  // 0 without a receiver

void CreateThemeChangedNotificatorList();
void FreeThemeChangedNotificatorList();

}  // namespace talvik
