// Start and end of the theme handle cache, for the theme services' start-up.
#pragma once

namespace talvik {

void SetVisualStylesActive(bool Value);
// Forgets every record, class lists included; closes nothing.
void ClearThemeCache();

}  // namespace talvik
