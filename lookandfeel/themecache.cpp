#include "lookandfeel/themecache.h"

#include "framework/sysutils.h"
#include "lookandfeel/themes.h"

namespace talvik {

namespace {
constexpr const wchar_t* DefaultClassNames[dxThemedObjectTypeCount] = {
    L"Button",     L"Clock",   L"ComboBox", L"Edit",     L"ExplorerBar", L"Header",  L"ListBox",
    L"ListView",   L"Menu",    L"Page",     L"Progress", L"Rebar",       L"ScrollBar", L"Spin",
    L"StartPanel", L"Status",  L"Tab",      L"TaskBand", L"TaskBar",     L"ToolBar", L"ToolTip",
    L"TrackBar",   L"TrayNotify", L"TreeView", L"Window"};

TdxThemeData ThemeCache[dxThemedObjectTypeCount];
bool FVisualStylesActive = false;

bool SameClassList(const std::wstring& A, const std::wstring& B) { return AnsiUpperCase(A) == AnsiUpperCase(B); }
}  // namespace

void SetVisualStylesActive(bool Value) { FVisualStylesActive = Value; }

void ClearThemeCache() {
  for (TdxThemeData& Data : ThemeCache) Data = {};
}

bool VisualStylesActive() { return FVisualStylesActive; }

const TdxThemeData& ThemeData(TdxThemedObjectType AType) { return ThemeCache[AType]; }

bool AreVisualStylesUsable(TdxThemedObjectTypes ATypes) {
  if (!FVisualStylesActive || !IsUxThemeLoaded()) return false;
  for (int T = 0; T < dxThemedObjectTypeCount; ++T)
    if ((ATypes & ThemedTypes(TdxThemedObjectType(T))) && !OpenThemeHandle(TdxThemedObjectType(T))) return false;
  return true;
}

bool IsVisualStyleUsable(TdxThemedObjectType AType) {
  return FVisualStylesActive && IsUxThemeLoaded() && OpenThemeHandle(AType);
}

TdxTheme OpenThemeHandle(TdxThemedObjectType AType, const std::wstring* AClassList) {
  if (!AreVisualStylesUsable(0)) return nullptr;
  TdxThemeData& Data = ThemeCache[AType];
  if (Data.Theme) {
    if (!AClassList || SameClassList(*AClassList, Data.ClassNameList)) return Data.Theme;
    CloseThemeHandle(AType);
  }
  // A list kept from before a visual-style change wins over the default.
  std::wstring ClassList = AClassList            ? *AClassList
                           : !Data.ClassNameList.empty() ? Data.ClassNameList
                                                         : DefaultClassNames[AType];
  Data.Theme = OpenThemeData(nullptr, ClassList.c_str());
  Data.ClassNameList = Data.Theme ? std::move(ClassList) : std::wstring();
  return Data.Theme;
}

HRESULT CloseThemeHandle(TdxThemedObjectType AType) {
  if (!AreVisualStylesUsable(0)) return S_FALSE;
  TdxThemeData& Data = ThemeCache[AType];
  if (!Data.Theme) return S_OK;
  HRESULT Result = CloseThemeData(Data.Theme);
  Data = {};
  return Result;
}

void CloseAllThemeHandles() {
  for (TdxThemeData& Data : ThemeCache)
    if (Data.Theme) {
      CloseThemeData(Data.Theme);
      Data.Theme = nullptr;
    }
}

}  // namespace talvik
