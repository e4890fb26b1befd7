// Visual styles binding and the theme handle cache. UxTheme.dll is optional:
// without it every usability test fails and nothing here calls into it.
#pragma once
#include <windows.h>

// The platform header declares the forwarders' names as imports of UxTheme.dll.
// They enter renamed, so that a call (argument-dependent lookup included) can
// only reach the forwarders below, which work without the library.
#ifdef _UXTHEME_H_
#error "include lookandfeel/themes.h before <uxtheme.h> or <dwmapi.h>"
#endif
#define OpenThemeData UxThemeImport_OpenThemeData
#define CloseThemeData UxThemeImport_CloseThemeData
#define DrawThemeBackground UxThemeImport_DrawThemeBackground
#define DrawThemeText UxThemeImport_DrawThemeText
#define DrawThemeEdge UxThemeImport_DrawThemeEdge
#define GetThemeBackgroundContentRect UxThemeImport_GetThemeBackgroundContentRect
#define GetThemeBackgroundRegion UxThemeImport_GetThemeBackgroundRegion
#define GetThemePartSize UxThemeImport_GetThemePartSize
#define GetThemeColor UxThemeImport_GetThemeColor
#define IsThemeBackgroundPartiallyTransparent UxThemeImport_IsThemeBackgroundPartiallyTransparent
#define IsThemeActive UxThemeImport_IsThemeActive
#define GetCurrentThemeName UxThemeImport_GetCurrentThemeName
#define SetWindowTheme UxThemeImport_SetWindowTheme
#include <uxtheme.h>
#undef OpenThemeData
#undef CloseThemeData
#undef DrawThemeBackground
#undef DrawThemeText
#undef DrawThemeEdge
#undef GetThemeBackgroundContentRect
#undef GetThemeBackgroundRegion
#undef GetThemePartSize
#undef GetThemeColor
#undef IsThemeBackgroundPartiallyTransparent
#undef IsThemeActive
#undef GetCurrentThemeName
#undef SetWindowTheme

#include <cstdint>
#include <functional>
#include <string>

namespace talvik {

enum TdxThemedObjectType {
  totButton, totClock, totComboBox, totEdit, totExplorerBar, totHeader, totListBox, totListView,
  totMenu, totPage, totProgress, totRebar, totScrollBar, totSpin, totStartPanel, totStatus, totTab,
  totTaskBand, totTaskBar, totToolBar, totToolTip, totTrackBar, totTrayNotify, totTreeview, totWindow
};
constexpr int dxThemedObjectTypeCount = 25;
using TdxThemedObjectTypes = uint32_t;  // bit n = TdxThemedObjectType n
constexpr TdxThemedObjectTypes ThemedTypes(TdxThemedObjectType AType) { return 1u << AType; }

using TdxTheme = HTHEME;

struct TdxThemeData {
  TdxTheme Theme = nullptr;
  std::wstring ClassNameList;
};

// Visual styles binding
bool IsUxThemeLoaded();
bool IsThemeActive();  // false without the library
HTHEME OpenThemeData(HWND hwnd, LPCWSTR pszClassList);
// Empty names take the window out of the visual style; null ones give it back.
HRESULT SetWindowTheme(HWND hwnd, LPCWSTR pszSubAppName, LPCWSTR pszSubIdList);
HRESULT CloseThemeData(HTHEME hTheme);
HRESULT DrawThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect, const RECT* pClipRect);
HRESULT DrawThemeText(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCWSTR pszText, int iCharCount,
                      DWORD dwTextFlags, DWORD dwTextFlags2, const RECT* pRect);
HRESULT DrawThemeText(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const std::wstring& AText,
                      DWORD dwTextFlags, DWORD dwTextFlags2, const RECT* pRect);
HRESULT DrawThemeEdge(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pDestRect, UINT uEdge,
                      UINT uFlags, RECT* pContentRect);
HRESULT GetThemeBackgroundContentRect(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pBoundingRect,
                                      RECT* pContentRect);
HRESULT GetThemeBackgroundRegion(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect, HRGN* pRegion);
HRESULT GetThemePartSize(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* prc, THEMESIZE eSize, SIZE* psz);
HRESULT GetThemePartSize(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, THEMESIZE eSize, SIZE* psz);
HRESULT GetThemeColor(HTHEME hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor);
BOOL IsThemeBackgroundPartiallyTransparent(HTHEME hTheme, int iPartId, int iStateId);
HRESULT GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff, int cchMaxColorChars,
                            LPWSTR pszSizeBuff, int cchMaxSizeChars);

// Theme handle cache
bool VisualStylesActive();
bool AreVisualStylesUsable(TdxThemedObjectTypes ATypes);
bool IsVisualStyleUsable(TdxThemedObjectType AType);
TdxTheme OpenThemeHandle(TdxThemedObjectType AType, const std::wstring* AClassList = nullptr);
HRESULT CloseThemeHandle(TdxThemedObjectType AType);
void CloseAllThemeHandles();
const TdxThemeData& ThemeData(TdxThemedObjectType AType);

// Told after the user switches visual styles; adds itself to the process list while alive.
class TdxThemeChangedNotificator {
public:
  TdxThemeChangedNotificator();
  ~TdxThemeChangedNotificator();
  TdxThemeChangedNotificator(const TdxThemeChangedNotificator&) = delete;
  TdxThemeChangedNotificator& operator=(const TdxThemeChangedNotificator&) = delete;
  std::function<void()> OnThemeChanged;
};

// Desktop composition (dwmapi.dll, optional)
bool DesktopCompositionEnabled();

// The optional libraries the theme services load. A name that does not load
// stands for a system without that library.
struct TThemeServicesLibraries {
  const wchar_t* UxTheme = L"UxTheme.dll";
  const wchar_t* GradientFill = L"msimg32.dll";
  const wchar_t* DesktopComposition = L"dwmapi.dll";
};

// Start-up and shut-down of the theme services (visual styles, theme cache with its
// change receiver, gradient binding, desktop composition), in that order and in reverse.
// Start-up twice without a shut-down between does nothing more.
void InitializeThemeServices(const TThemeServicesLibraries& ALibraries = {});
void FinalizeThemeServices();

}  // namespace talvik
