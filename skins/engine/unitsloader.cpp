#include "skins/engine/unitsloader.h"

#include <windows.h>

#include <algorithm>

namespace talvik {

namespace {
TdxUnitsLoader* Loader = nullptr;
}  // namespace

bool dxIsLibrary() {
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&dxIsLibrary), &self);
  return self != nullptr && self != GetModuleHandleW(nullptr);
}

TdxUnitsLoader& UnitsLoaderInstance() {
  if (!Loader) Loader = new TdxUnitsLoader;
  return *Loader;
}

void DestroyUnitsLoader() {
  delete Loader;
  Loader = nullptr;
}

void TdxUnitsLoader::AddUnit(TdxUnitProc AInitializeProc, TdxUnitProc AFinalizeProc) {
  if (AInitializeProc) {
    if (dxIsLibrary()) {
      InitializeList.push_back(AInitializeProc);
    } else {
      FStarted = true;
      AInitializeProc();
    }
  }
  if (AFinalizeProc) FinalizeList.push_back(AFinalizeProc);
}

void TdxUnitsLoader::RemoveUnit(TdxUnitProc AFinalizeProc) {
  auto it = std::find(FinalizeList.begin(), FinalizeList.end(), AFinalizeProc);
  if (it == FinalizeList.end()) return;
  FinalizeList.erase(it);
  AFinalizeProc();
}

void TdxUnitsLoader::Initialize() {
  auto queue = std::move(InitializeList);
  InitializeList.clear();
  for (TdxUnitProc p : queue) p();
  FStarted = true;
}

void TdxUnitsLoader::Finalize() {
  if (FStarted) {
    while (!FinalizeList.empty()) {
      TdxUnitProc p = FinalizeList.back();
      FinalizeList.pop_back();
      p();
    }
  }
  FStarted = false;
  FinalizeList.clear();
}

void dxInitializeGDIPlus() { UnitsLoaderInstance().Initialize(); }
void dxFinalizeGDIPlus() { UnitsLoaderInstance().Finalize(); }

}  // namespace talvik
