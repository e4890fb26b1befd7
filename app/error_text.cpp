#include "app/error_text.h"

namespace talvik::app {

std::wstring ErrorReportText(std::wstring_view AMessage) {
  std::wstring text(AMessage);
  if (!text.empty() && text.back() > L'.') text += L'.';
  return text;
}

std::wstring OneLine(std::wstring_view AText) {
  std::wstring out;
  for (wchar_t c : AText) {
    if (c == L'\r' || c == L'\n') {
      if (!out.empty() && out.back() != L' ') out += L' ';
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace talvik::app
