// Start-up and shut-down of the skin modules in a fixed order, GDI+ last.
#pragma once
#include <vector>

namespace talvik {

using TdxUnitProc = void (*)();

class TdxUnitsLoader {
public:
  ~TdxUnitsLoader() { Finalize(); }
  // In an executable the start-up procedure runs at once; a library queues it for Initialize.
  void AddUnit(TdxUnitProc AInitializeProc, TdxUnitProc AFinalizeProc);
  // Runs AFinalizeProc if it was still registered.
  void RemoveUnit(TdxUnitProc AFinalizeProc);
  void Initialize();
  // Runs the remaining shut-down procedures, last added first.
  void Finalize();
  bool HasFinalizers() const { return !FinalizeList.empty(); }

  std::vector<TdxUnitProc> FinalizeList;
  std::vector<TdxUnitProc> InitializeList;

private:
  // Whether start-up procedures have run; only then do shut-down procedures run.
  bool FStarted = false;
};

TdxUnitsLoader& UnitsLoaderInstance();
// Runs the shut-down procedures still registered, last added first, and frees the loader.
void DestroyUnitsLoader();
// For a host that loads this code as a library: before first use and before unloading.
void dxInitializeGDIPlus();
void dxFinalizeGDIPlus();
// Whether this code runs inside a dynamic library rather than the executable.
bool dxIsLibrary();

}  // namespace talvik
