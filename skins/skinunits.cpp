// Start-up and shut-down of the GDI+, picture and skin modules, in that order;
// shut-down runs backwards, so GDI+ goes last.
#include <windows.h>

#include "framework/sysutils.h"
#include "skins/pngimage.h"
#include "skins/skin.h"
#include "skins/unitsloader.h"

namespace talvik {

void DestroyUnitsLoader();

const TdxGPImageFactory* GPImageClass = &GPImageClassNull;

namespace {
TdxSkinEmptyElement* EmptyElement = nullptr;
TdxSkinPartStream* PartStream = nullptr;

const TdxSkinPropertyClass StandardProperties[] = {
    &PropertyClassOf<TdxSkinIntegerProperty>, &PropertyClassOf<TdxSkinColor>,
    &PropertyClassOf<TdxSkinRectProperty>,    &PropertyClassOf<TdxSkinSizeProperty>,
    &PropertyClassOf<TdxSkinBooleanProperty>, &PropertyClassOf<TdxSkinStringProperty>};
}  // namespace

TdxSkinElement* ElementOrEmpty(TdxSkinElement* AElement) {
  if (AElement) return AElement;
  if (!EmptyElement) EmptyElement = new TdxSkinEmptyElement(nullptr, L"");
  return EmptyElement;
}

TdxSkinPartStream& dxSkinPartStream() {
  if (!PartStream) PartStream = new TdxSkinPartStream(nullptr);
  return *PartStream;
}

void dxSkinsUnitInitialize() {
  ElementOrEmpty(nullptr);
  dxSkinPartStream();
  RegisterPersistentClass(L"TdxSkinControlGroup", [] { return new TdxSkinControlGroup(nullptr, L""); });
  RegisterPersistentClass(L"TdxSkinElement", [] { return new TdxSkinElement(nullptr, L""); });
  RegisterPersistentClass(L"TdxSkinImage", [] { return new TdxSkinImage(nullptr); });
  for (TdxSkinPropertyClass c : StandardProperties) TdxSkinProperty::Register(c);
  CheckPngCodec();
}

void dxSkinsUnitFinalize() {
  for (TdxSkinPropertyClass c : StandardProperties) TdxSkinProperty::Unregister(c);
  UnRegisterPersistentClass(L"TdxSkinImage");
  UnRegisterPersistentClass(L"TdxSkinElement");
  UnRegisterPersistentClass(L"TdxSkinControlGroup");
  delete PartStream;
  PartStream = nullptr;
  delete EmptyElement;
  EmptyElement = nullptr;
}

namespace {

struct GdiPlusUnit {
  GdiPlusUnit() { UnitsLoaderInstance().AddUnit(dxGdiPlusUnitInitialize, dxGdiPlusUnitFinalize); }
  ~GdiPlusUnit() {
    try {
      if (dxIsLibrary() && GdiPlusLoaded() && UnitsLoaderInstance().HasFinalizers())
        throw EdxException(L"Need call dxFinalizeGDIPlus before free library!");
      DestroyUnitsLoader();
    } catch (const Exception& e) {
      // Nothing may leave a module's shut-down; the host is told through the debugger.
      OutputDebugStringW(e.Message().c_str());
    }
  }
};

struct PictureUnit {
  PictureUnit() { UnitsLoaderInstance().AddUnit(dxPNGImageUnitInitialize, dxPNGImageUnitFinalize); }
  ~PictureUnit() { UnitsLoaderInstance().RemoveUnit(dxPNGImageUnitFinalize); }
};

struct SkinUnit {
  SkinUnit() { UnitsLoaderInstance().AddUnit(dxSkinsUnitInitialize, dxSkinsUnitFinalize); }
  ~SkinUnit() { UnitsLoaderInstance().RemoveUnit(dxSkinsUnitFinalize); }
};

// Declaration order is start-up order within this file.
GdiPlusUnit TheGdiPlusUnit;
PictureUnit ThePictureUnit;
SkinUnit TheSkinUnit;

}  // namespace

}  // namespace talvik
