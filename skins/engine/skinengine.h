// The start-up and shut-down of everything that draws, in one place and in
// one order that does not depend on where the linker puts static objects:
//
//   1. theme services: visual styles, the theme-change receiver, gradients,
//      desktop composition
//   2. graphics: the shared brushes and the alpha-blend function
//   3. painters: their shared resources and the system-colour notifier
//   4. look-and-feel: the painter registry, then the root look-and-feel
//   5. skin modules, through the units loader: GDI+, PNG pictures, the skin
//      classes, the skin painter, then the DarkSide and user skins (these two
//      register themselves only when GDI+ is there)
//   6. skinned windows: the hook and its window messages (skinforms/, which
//      hands its step in as TSkinEngineOptions::SkinnedWindows)
//
// Shut-down runs the same list backwards: the hook goes first, the skins are
// unregistered and freed, GDI+ is unloaded last among the skin modules, then
// the root, the registry, the painters and the theme services.
#pragma once

namespace talvik {

struct TSkinEngineStep {
  void (*Start)() = nullptr;
  void (*Stop)() = nullptr;
};

struct TSkinEngineOptions {
  // Off only for the tool that packs those skins before any program carries them.
  bool BuiltinSkins = true;
  TSkinEngineStep SkinnedWindows;
};

// A failing step (a missing resource, a damaged built-in skin) stops the steps
// already started, in reverse, and the error goes on to the caller. Starting
// again while started does nothing.
void InitializeSkinEngine(const TSkinEngineOptions& AOptions = {});
void FinalizeSkinEngine();
bool SkinEngineStarted();

// Starts the engine for the lifetime of the object: what a program's entry point holds.
class TSkinEngineScope {
public:
  explicit TSkinEngineScope(const TSkinEngineOptions& AOptions = {}) { InitializeSkinEngine(AOptions); }
  ~TSkinEngineScope() { FinalizeSkinEngine(); }
  TSkinEngineScope(const TSkinEngineScope&) = delete;
  TSkinEngineScope& operator=(const TSkinEngineScope&) = delete;
};

}  // namespace talvik
