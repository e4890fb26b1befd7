// How a skin info finds what it needs: by name, marking what it found through
// Tag and adding what a skin lacks as a placeholder.
#pragma once
#include "skins/model/skin.h"

namespace talvik::skininfo {

constexpr int TagUsed = 1;
constexpr int TagPlaceholder = 2;

// The group, added as an empty placeholder when the skin lacks it; none without a skin.
TdxSkinControlGroup* Group(TdxSkin* ASkin, const wchar_t* AName);
// The element; when the group lacks it, a red-cross placeholder unless APlaceholder is false.
TdxSkinElement* Element(TdxSkinControlGroup* AGroup, const wchar_t* AName, bool APlaceholder = true);
TdxSkinColor* ColorProperty(TdxSkinPersistent* AOwner, const wchar_t* AName);
TdxSkinIntegerProperty* IntegerProperty(TdxSkinPersistent* AOwner, const wchar_t* AName);
TdxSkinBooleanProperty* BooleanProperty(TdxSkinPersistent* AOwner, const wchar_t* AName);
// clDefault without the owner or the property.
TColor ColorValue(TdxSkinPersistent* AOwner, const wchar_t* AName);
int IntegerValue(TdxSkinPersistent* AOwner, const wchar_t* AName, int ADefault);
// The element's TextColor, clDefault without the element.
TColor TextColorOf(TdxSkinElement* AElement);
TdxSkinColor* SkinColor(TdxSkin* ASkin, const wchar_t* AName);

}  // namespace talvik::skininfo
