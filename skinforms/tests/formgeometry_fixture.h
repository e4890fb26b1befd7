// Real windows of every kind whose frame the skin computes, skinned with
// DarkSide through the program's start-up order, and their view infos.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/forms.h"
#include "skinforms/formnonclientinfo.h"
#include "skinforms/skincontroller.h"

namespace talvik::test {

enum class WindowKind {
  Sizeable,           // all three border icons
  MainWindow,         // read from resources/TForm1.form
  Minimized,          // Sizeable, minimized
  MinimizedNoMaxBox,  // the main window, minimized
  Maximized,          // Sizeable, maximized
  ToolWindow,
  Dialog,
  NoCaption,
  MenuBar,
  Narrow,             // so narrow that the menu button and the close button overlap
  ScrollBars,         // both window scroll bars, thumbs at the start
};

const char* KindName(WindowKind AKind);

// Starts what the program starts before its first window; DarkSide is registered.
class FormGeometryEnvironment : public ::testing::Environment {
public:
  void SetUp() override;
  void TearDown() override;
};

// A window of one kind with its form controller's view info.
class KindWindow {
public:
  explicit KindWindow(WindowKind AKind);
  ~KindWindow();
  KindWindow(const KindWindow&) = delete;
  KindWindow& operator=(const KindWindow&) = delete;

  TCustomForm* Form() const { return FForm.get(); }
  HWND Handle() const { return FForm->Handle(); }
  TdxSkinFormController* Controller() const;
  // The view info after a fresh calculation.
  TdxSkinFormNonClientAreaInfo& Calculated();
  TdxSkinFormNonClientAreaInfo& Info();
  // Moves the cursor to a point of the window (window coordinates).
  void PutCursor(POINT AWindowPoint);

private:
  std::unique_ptr<TCustomForm> FForm;
};

// The skin controller of the program's main window, skin "DarkSide".
struct FormGeometry : ::testing::Test {
  void SetUp() override;
  void TearDown() override;
  std::unique_ptr<TdxSkinController> Controller;
};

// Screen pixels of "Wg" in a font of the system's non-client metrics.
int TextHeightOf(const LOGFONTW& AFont);
NONCLIENTMETRICSW SystemNonClientMetrics();
// "(left, top, right, bottom)", so that a failing comparison shows both rectangles.
std::string RectText(const RECT& R);
#define EXPECT_RECT(actual, expected) EXPECT_EQ(RectText(actual), RectText(expected))
inline POINT Center(const RECT& R) { return {(R.left + R.right) / 2, (R.top + R.bottom) / 2}; }

}  // namespace talvik::test
