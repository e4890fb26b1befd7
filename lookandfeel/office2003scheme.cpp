#include <windows.h>

#include "framework/sysutils.h"
#include "lookandfeel/office2003colors.h"
#include "lookandfeel/themes.h"

namespace talvik {

int Office2003SchemeOf(std::wstring_view AThemeFileName, std::wstring_view AColorName, unsigned AMajorVersion) {
  size_t Separator = AThemeFileName.find_last_of(L"\\:");
  std::wstring_view FileName =
      Separator == std::wstring_view::npos ? AThemeFileName : AThemeFileName.substr(Separator + 1);
  // Before Vista only Luna had the three Office colour schemes.
  if (AnsiUpperCase(FileName) != L"LUNA.MSSTYLES" && AMajorVersion <= 5) return 0;
  std::wstring Color = AnsiUpperCase(AColorName);
  if (Color == L"NORMALCOLOR") return 1;
  if (Color == L"HOMESTEAD") return 2;
  if (Color == L"METALLIC") return 3;
  return 0;
}

int DetectOffice2003Scheme() {
  if (!AreVisualStylesUsable(0)) return 0;
  constexpr int Length = 1024;
  wchar_t FileName[Length] = {}, ColorName[Length] = {}, SizeName[Length] = {};
  if (FAILED(GetCurrentThemeName(FileName, Length, ColorName, Length, SizeName, Length))) return 0;
  return Office2003SchemeOf(FileName, ColorName, Win32MajorVersion());
}

}  // namespace talvik
