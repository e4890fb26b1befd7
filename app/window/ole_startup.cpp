#include "app/window/ole_startup.h"

#include <windows.h>
#include <ole2.h>

namespace talvik::app {

namespace {
bool gStarted = false;
}  // namespace

void EnsureOleInitialized() {
  if (gStarted) return;
  // Also when it fails: each caller then meets the failure as its own error.
  gStarted = true;
  OleInitialize(nullptr);
}

void OleUninitializeIfStarted() {
  if (!gStarted) return;
  gStarted = false;
  OleUninitialize();
}

}  // namespace talvik::app
