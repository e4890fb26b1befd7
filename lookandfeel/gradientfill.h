// The binding of msimg32's GradientFill. Without it gradients are drawn in bands.
#pragma once

namespace talvik {

void LoadGradientFill(const wchar_t* ALibraryName);
void FreeGradientFill();

}  // namespace talvik
