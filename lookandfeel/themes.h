// Visual styles binding and the theme handle cache. UxTheme.dll is optional:
// without it every usability test fails and nothing here calls into it.
#pragma once
#include <windows.h>
#include <uxtheme.h>

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

// Start-up and shut-down of the theme services (visual styles, theme cache with its
// change receiver, gradient binding, desktop composition), in that order and in reverse.
void InitializeThemeServices();
void FinalizeThemeServices();

}  // namespace talvik
