// A program built without the painters' bitmaps cannot start the painters,
// and the failed start leaves nothing behind.
#include <gtest/gtest.h>

#include "framework/sysutils.h"
#include "lookandfeel/painterresources.h"
#include "lookandfeel/systempalette.h"

using namespace talvik;

TEST(PaintersWithoutResources, StartFailsCleanly) {
  try {
    InitializePainters();
    FAIL() << "started without the indicator bitmaps";
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), L"Resource CX_ARROWBITMAP not found");
  }
  EXPECT_FALSE(PaintersInitialized());
  EXPECT_EQ(cxIndicatorImages(), nullptr);
  EXPECT_EQ(PaletteListener(), nullptr);
}
