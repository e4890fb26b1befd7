// What the tests of a skinned form's non-client messages and painting share:
// a form that records what reaches its own handling, printing a window's frame
// into a bitmap, the skin's own drawing of an element to compare with, and a
// count of the process's GDI objects.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "skinforms/formnonclientinfo.h"
#include "skinforms/skinformcontroller.h"
#include "skinforms/tests/formgeometry_fixture.h"
#include "skinforms/tests/gdiobjects.h"
#include "skins/model/skin.h"
#include "skins/tests/draw_surface.h"

namespace talvik::test {

using talvik::testing::TDrawSurface;

// Records the messages its own handling sees; system commands stop here, so
// that a click on close or minimize leaves the window as it is.
class TRecordingForm : public TForm {
public:
  TALVIK_CLASS_NAME(TRecordingForm)
  using TForm::TForm;
  std::vector<std::pair<UINT, WPARAM>> Seen;
  std::vector<WPARAM> Commands;
  bool SawMessage(UINT AMsg) const {
    for (const auto& m : Seen)
      if (m.first == AMsg) return true;
    return false;
  }

protected:
  void WndProc(TMessage& Message) override {
    Seen.emplace_back(Message.Msg, Message.WParam);
    if (Message.Msg == WM_SYSCOMMAND) {
      Commands.push_back(Message.WParam & 0xFFF0);
      return;
    }
    TForm::WndProc(Message);
  }
};

inline TdxSkinFormController* FormControllerOf(HWND AWnd) {
  return dynamic_cast<TdxSkinFormController*>(FindControllerByHandle(AWnd));
}

// What WM_PRINT with these flags paints into the surface.
inline void PrintWindowInto(HWND AWnd, TDrawSurface& ASurface, LPARAM AFlags = PRF_NONCLIENT) {
  SendMessageW(AWnd, WM_PRINT, reinterpret_cast<WPARAM>(ASurface.DC()), AFlags);
}

inline SIZE WindowSize(HWND AWnd) {
  RECT r;
  GetWindowRect(AWnd, &r);
  return {r.right - r.left, r.bottom - r.top};
}

// The first pixel of R where the two bitmaps differ, as text; empty when none.
inline std::string FirstDifference(TDrawSurface& A, TDrawSurface& B, const RECT& R) {
  for (int y = R.top; y < R.bottom; ++y)
    for (int x = R.left; x < R.right; ++x)
      if (A.At(x, y) != B.At(x, y)) {
        char text[96];
        snprintf(text, sizeof text, "(%d, %d): %06lx against %06lx", x, y, A.At(x, y), B.At(x, y));
        return text;
      }
  return {};
}

}  // namespace talvik::test
