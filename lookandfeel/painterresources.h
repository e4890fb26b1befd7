// Resources the painters share: the row indicator images, the scroll bar
// page-area patterns, the check-box size and the radio-button images. They
// exist between InitializePainters and FinalizePainters, which the program's
// start-up sequence calls (after the theme services and the graphics layer).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "framework/graphics.h"
#include "lookandfeel/lookandfeeltypes.h"

namespace talvik {

class TcxCanvas;

// Loads the indicator bitmaps from the program's resources (failing with
// EResNotFound when one is missing), makes the page patterns, subscribes to
// system colour changes and measures the check box.
void InitializePainters();
void FinalizePainters();
bool PaintersInitialized();

// One image per indicator kind from ikArrow on; white is transparent.
HIMAGELIST cxIndicatorImages();
// 8 x 8 checkerboards: face and highlight for a normal page area, black and
// dark shadow for a pressed one.
TBitmap* cxScrollBarPageBitmap(bool APressed);
// A quarter of the width and a third of the height of the system's check-box bitmap.
SIZE cxCheckBoxSize();

// Radio buttons drawn by the system once per look and kept until system colours change.
class TcxRadioButtonImageList {
public:
  TcxRadioButtonImageList();
  ~TcxRadioButtonImageList();
  TcxRadioButtonImageList(const TcxRadioButtonImageList&) = delete;
  TcxRadioButtonImageList& operator=(const TcxRadioButtonImageList&) = delete;

  SIZE ImageSize() const { return FSize; }
  // The background shows around the round button.
  void Draw(TcxCanvas* ACanvas, int X, int Y, TColor ABrushColor, TcxButtonState AState, bool AChecked, bool AFocused);

private:
  SIZE FSize{};
  HIMAGELIST FImages = nullptr;
};

// Created on first use; nullptr after FinalizePainters.
TcxRadioButtonImageList* cxRadioButtonImageList();
// Drops the radio-button images; the next use draws them again.
void ResetRadioButtonImageList();
bool RadioButtonImageListExists();

}  // namespace talvik
