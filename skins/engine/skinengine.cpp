#include "skins/engine/skinengine.h"

#include <windows.h>

#include <vector>

#include "framework/sysutils.h"
#include "graphics/bitmap32.h"
#include "graphics/canvas.h"
#include "lookandfeel/lookandfeel.h"
#include "lookandfeel/painterresources.h"
#include "lookandfeel/themes.h"
#include "skins/engine/builtinskins.h"
#include "skins/pictures/gdiplusapi.h"
#include "skins/pictures/pngimage.h"
#include "skins/model/skin.h"
#include "skins/painter/skinpaintercache.h"
#include "skins/engine/unitsloader.h"

namespace talvik {

namespace {

bool Started = false;
TSkinEngineOptions Options;
// The shut-down procedures of the steps started, in start-up order.
std::vector<void (*)()> Stops;

void StartThemeServices() { InitializeThemeServices(); }

// The graphics foundation lives until the process ends; touching it here makes
// it exist before anything paints.
void StartGraphics() {
  cxHalftoneBrush();
  cxSystemAlphaBlendAvailable();
}

// In a program each start-up procedure runs as it is added; a library host runs
// them through dxInitializeGDIPlus.
void StartSkinModules() {
  TdxUnitsLoader& loader = UnitsLoaderInstance();
  loader.AddUnit(dxGdiPlusUnitInitialize, dxGdiPlusUnitFinalize);
  loader.AddUnit(dxPNGImageUnitInitialize, dxPNGImageUnitFinalize);
  loader.AddUnit(dxSkinsUnitInitialize, dxSkinsUnitFinalize);
  loader.AddUnit(dxSkinsLookAndFeelPainterUnitInitialize, dxSkinsLookAndFeelPainterUnitFinalize);
  if (!Options.BuiltinSkins) return;
  loader.AddUnit(dxSkinDarkSideUnitInitialize, dxSkinDarkSideUnitFinalize);
  loader.AddUnit(dxSkinsUserSkinUnitInitialize, dxSkinsUserSkinUnitFinalize);
}

void StopSkinModules() {
  // A library host must have run dxFinalizeGDIPlus before unloading; nothing may
  // leave a shut-down, so it is told through the debugger.
  if (dxIsLibrary() && GdiPlusLoaded() && UnitsLoaderInstance().HasFinalizers())
    OutputDebugStringW(L"Need call dxFinalizeGDIPlus before free library!");
  DestroyUnitsLoader();  // runs what is left, last added first: GDI+ goes last
}

void Run(void (*AStart)(), void (*AStop)()) {
  if (AStart) AStart();
  Stops.push_back(AStop);
}

void StopAll() {
  while (!Stops.empty()) {
    void (*stop)() = Stops.back();
    Stops.pop_back();
    if (stop) stop();
  }
}

}  // namespace

void InitializeSkinEngine(const TSkinEngineOptions& AOptions) {
  if (Started) return;
  Options = AOptions;
  try {
    Run(StartThemeServices, FinalizeThemeServices);
    Run(StartGraphics, nullptr);
    Run(InitializePainters, FinalizePainters);
    Run(InitializeLookAndFeel, FinalizeLookAndFeel);
    // The loader keeps the modules that did start, so a failing one is undone too.
    Stops.push_back(StopSkinModules);
    StartSkinModules();
    Run(Options.SkinnedWindows.Start, Options.SkinnedWindows.Stop);
  } catch (...) {
    StopAll();
    throw;
  }
  Started = true;
}

void FinalizeSkinEngine() {
  if (!Started) return;
  StopAll();
  Started = false;
}

bool SkinEngineStarted() { return Started; }

}  // namespace talvik
