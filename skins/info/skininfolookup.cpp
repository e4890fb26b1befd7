#include "skins/info/skininfolookup.h"

#include "framework/sysutils.h"

namespace talvik::skininfo {

namespace {

constexpr int PlaceholderSize = 32;

// Marks a found object as used; a placeholder found again (by a nested or later
// resolution) stays a placeholder, so that what a skin lacks remains visible.
template <class T>
T* MarkUsed(T* AObject) {
  if (AObject && AObject->Tag() != TagPlaceholder) AObject->SetTag(TagUsed);
  return AObject;
}

// A red cross, corner to corner, two pixels wide on white. Written as pixels rather
// than drawn with GDI lines, which would leave the alpha of a 32-bit bitmap at 0.
TdxGPImage* CreateRedCross() {
  TdxRGBColors bits(PlaceholderSize * PlaceholderSize, RGBQUAD{255, 255, 255, 255});
  const RGBQUAD red{0, 0, 255, 255};
  for (int y = 0; y < PlaceholderSize; ++y) {
    RGBQUAD* row = &bits[static_cast<size_t>(y) * PlaceholderSize];
    for (int x : {y, y + 1, PlaceholderSize - 1 - y, PlaceholderSize - 2 - y})
      if (x >= 0 && x < PlaceholderSize) row[x] = red;
  }
  return GPImageClass->CreateFromPattern(PlaceholderSize, PlaceholderSize, bits, false);
}

TdxSkinElement* AddPlaceholder(TdxSkinControlGroup* AGroup, const wchar_t* AName) {
  // One notification for the finished element, so that a resolution it starts never
  // meets a half-made one.
  AGroup->BeginUpdate();
  TdxSkinElement* element;
  try {
    element = AGroup->AddElement(AName);
    element->SetTag(TagPlaceholder);
    TdxSkinImage* image = element->Image();
    image->SetStates(dxSkinStateBit(esNormal));
    image->SetStretch(smStretch);
    image->Texture()->SetHandle(CreateRedCross());
    image->Changed();
  } catch (...) {
    AGroup->CancelUpdate();
    throw;
  }
  AGroup->EndUpdate();
  return element;
}

std::wstring OwnerName(TdxSkinPersistent* AOwner) {
  auto* element = dynamic_cast<TdxSkinElement*>(AOwner);
  return element && element->Group() ? element->Group()->Name() + L"/" + element->Name() : AOwner->Name();
}

// The property as T; one of another class under that name is a fault of the skin,
// told with enough detail for its author to find it.
template <class T>
T* PropertyOf(TdxSkinPersistent* AOwner, const wchar_t* AName, const wchar_t* AExpected) {
  if (!AOwner) return nullptr;
  TdxSkinProperty* property = AOwner->GetPropertyByName(AName);
  if (!property) return nullptr;
  if (auto* result = dynamic_cast<T*>(property)) return result;
  throw EInvalidCast(Format(L"Invalid class typecast: property %s of %s is %s, not %s",
                            {AName, OwnerName(AOwner), property->Description(), AExpected}));
}

}  // namespace

TdxSkinControlGroup* Group(TdxSkin* ASkin, const wchar_t* AName) {
  if (!ASkin) return nullptr;
  if (TdxSkinControlGroup* group = ASkin->GetGroupByName(AName)) return MarkUsed(group);
  TdxSkinControlGroup* group = ASkin->AddGroup(AName);
  group->SetTag(TagPlaceholder);
  return group;
}

TdxSkinElement* Element(TdxSkinControlGroup* AGroup, const wchar_t* AName, bool APlaceholder) {
  if (!AGroup) return nullptr;
  if (TdxSkinElement* element = AGroup->GetElementByName(AName)) return MarkUsed(element);
  return APlaceholder ? AddPlaceholder(AGroup, AName) : nullptr;
}

TdxSkinColor* ColorProperty(TdxSkinPersistent* AOwner, const wchar_t* AName) {
  return MarkUsed(PropertyOf<TdxSkinColor>(AOwner, AName, L"Color"));
}

TdxSkinIntegerProperty* IntegerProperty(TdxSkinPersistent* AOwner, const wchar_t* AName) {
  return MarkUsed(PropertyOf<TdxSkinIntegerProperty>(AOwner, AName, L"Integer"));
}

TdxSkinBooleanProperty* BooleanProperty(TdxSkinPersistent* AOwner, const wchar_t* AName) {
  return PropertyOf<TdxSkinBooleanProperty>(AOwner, AName, L"Boolean");
}

TColor ColorValue(TdxSkinPersistent* AOwner, const wchar_t* AName) {
  TdxSkinColor* color = ColorProperty(AOwner, AName);
  return color ? color->Value() : clDefault;
}

int IntegerValue(TdxSkinPersistent* AOwner, const wchar_t* AName, int ADefault) {
  TdxSkinIntegerProperty* value = IntegerProperty(AOwner, AName);
  return value ? value->Value() : ADefault;
}

TColor TextColorOf(TdxSkinElement* AElement) { return AElement ? AElement->TextColor() : clDefault; }

TdxSkinColor* SkinColor(TdxSkin* ASkin, const wchar_t* AName) {
  return ASkin ? ASkin->GetColorByName(AName) : nullptr;
}

}  // namespace talvik::skininfo
