// OLE for the window's thread, started when first needed: the browser control and
// the folder dialog need it, and starting it costs tens of milliseconds under Wine
// that the window's first appearance need not wait for.
#pragma once

namespace talvik::app {

void EnsureOleInitialized();
// At the program's end; nothing when OLE was never started.
void OleUninitializeIfStarted();

}  // namespace talvik::app
