#include "lookandfeel/uxthemebinding.h"
#include "framework/system_libraries.h"


namespace talvik {

namespace {
HMODULE UxThemeModule = nullptr;
TUxThemeEntryPoints Entries;

template <typename F>
void Resolve(F& Entry, const char* Name) {
  Entry = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(UxThemeModule, Name)));
}

// A missing entry answers as the platform would for a call it cannot serve,
// so that a forwarder called out of turn does not jump to address 0.
template <typename F, typename R, typename... A>
R Call(F Entry, R Missing, A... Args) {
  return Entry ? Entry(Args...) : Missing;
}
}  // namespace

TUxThemeEntryPoints& UxThemeEntryPoints() { return Entries; }

// No InitCommonControls first: no window here is a common control, and loading their
// library is a large part of a start under Wine.
void LoadUxTheme(const wchar_t* ALibraryName) {
  UxThemeModule = LoadSystemLibrary(ALibraryName);
  if (!UxThemeModule) return;
#define TALVIK_RESOLVE(Name) Resolve(Entries.Name, #Name);
  TALVIK_UXTHEME_ENTRY_POINTS(TALVIK_RESOLVE)
#undef TALVIK_RESOLVE
}

void FreeUxTheme() {
  Entries = {};
  if (UxThemeModule) FreeLibrary(UxThemeModule);
  UxThemeModule = nullptr;
}

bool IsUxThemeLoaded() { return UxThemeModule != nullptr; }

bool IsThemeActive() { return Call(Entries.IsThemeActive, FALSE) != FALSE; }

HTHEME OpenThemeData(HWND hwnd, LPCWSTR pszClassList) {
  return Call(Entries.OpenThemeData, HTHEME{}, hwnd, pszClassList);
}

HRESULT SetWindowTheme(HWND hwnd, LPCWSTR pszSubAppName, LPCWSTR pszSubIdList) {
  return Call(Entries.SetWindowTheme, E_NOTIMPL, hwnd, pszSubAppName, pszSubIdList);
}

HRESULT CloseThemeData(HTHEME hTheme) { return Call(Entries.CloseThemeData, E_NOTIMPL, hTheme); }

HRESULT DrawThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                            const RECT* pClipRect) {
  return Call(Entries.DrawThemeBackground, E_NOTIMPL, hTheme, hdc, iPartId, iStateId, pRect, pClipRect);
}

HRESULT DrawThemeText(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCWSTR pszText, int iCharCount,
                      DWORD dwTextFlags, DWORD dwTextFlags2, const RECT* pRect) {
  return Call(Entries.DrawThemeText, E_NOTIMPL, hTheme, hdc, iPartId, iStateId, pszText, iCharCount, dwTextFlags,
              dwTextFlags2, pRect);
}

HRESULT DrawThemeText(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const std::wstring& AText,
                      DWORD dwTextFlags, DWORD dwTextFlags2, const RECT* pRect) {
  return DrawThemeText(hTheme, hdc, iPartId, iStateId, AText.c_str(), static_cast<int>(AText.size()), dwTextFlags,
                       dwTextFlags2, pRect);
}

HRESULT DrawThemeEdge(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pDestRect, UINT uEdge,
                      UINT uFlags, RECT* pContentRect) {
  return Call(Entries.DrawThemeEdge, E_NOTIMPL, hTheme, hdc, iPartId, iStateId, pDestRect, uEdge, uFlags,
              pContentRect);
}

HRESULT GetThemeBackgroundContentRect(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pBoundingRect,
                                      RECT* pContentRect) {
  return Call(Entries.GetThemeBackgroundContentRect, E_NOTIMPL, hTheme, hdc, iPartId, iStateId, pBoundingRect,
              pContentRect);
}

HRESULT GetThemeBackgroundRegion(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                                 HRGN* pRegion) {
  return Call(Entries.GetThemeBackgroundRegion, E_NOTIMPL, hTheme, hdc, iPartId, iStateId, pRect, pRegion);
}

HRESULT GetThemePartSize(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* prc, THEMESIZE eSize,
                         SIZE* psz) {
  // The platform's declaration takes a non-const rectangle that it only reads.
  return Call(Entries.GetThemePartSize, E_NOTIMPL, hTheme, hdc, iPartId, iStateId, const_cast<RECT*>(prc), eSize,
              psz);
}

HRESULT GetThemePartSize(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, THEMESIZE eSize, SIZE* psz) {
  return GetThemePartSize(hTheme, hdc, iPartId, iStateId, nullptr, eSize, psz);
}

HRESULT GetThemeColor(HTHEME hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor) {
  return Call(Entries.GetThemeColor, E_NOTIMPL, hTheme, iPartId, iStateId, iPropId, pColor);
}

BOOL IsThemeBackgroundPartiallyTransparent(HTHEME hTheme, int iPartId, int iStateId) {
  return Call(Entries.IsThemeBackgroundPartiallyTransparent, FALSE, hTheme, iPartId, iStateId);
}

HRESULT GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff, int cchMaxColorChars,
                            LPWSTR pszSizeBuff, int cchMaxSizeChars) {
  return Call(Entries.GetCurrentThemeName, E_NOTIMPL, pszThemeFileName, cchMaxNameChars, pszColorBuff,
              cchMaxColorChars, pszSizeBuff, cchMaxSizeChars);
}

}  // namespace talvik
