#include "app/error_text.h"

namespace talvik::app {

std::wstring ErrorReportText(std::wstring_view AMessage) {
  std::wstring text(AMessage);
  if (!text.empty() && text.back() > L'.') text += L'.';
  return text;
}

}  // namespace talvik::app
