// The skin module: its shared objects and the classes that skin streams name.
// skinengine.cpp starts and stops it in its place among the other modules.
#include <windows.h>

#include "framework/sysutils.h"
#include "skins/pictures/pngimage.h"
#include "skins/model/skin.h"

namespace talvik {

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
  // Last: freed canvases above hand their bitmaps back to the spares.
  dxSkinCanvasFreeSpareSurfaces();
}

}  // namespace talvik
