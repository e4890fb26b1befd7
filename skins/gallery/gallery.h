// The painter gallery's picture: one row per painter, each showing that
// painter's buttons, arrows, check boxes, size grip, panels and scroll bars.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "graphics/canvas.h"
#include "lookandfeel/painter.h"

namespace talvik::gallery {

struct TGalleryRow {
  const wchar_t* Name;   // as --painter takes it
  const wchar_t* Title;  // as the row shows it
  TcxCustomLookAndFeelPainterClass (*Painter)();
};

// Standard, flat, ultra-flat, Office 2003, native, DarkSide, user skin.
const std::vector<TGalleryRow>& GalleryRows();
// The row of that name, ignoring letter case; nullptr when there is none.
const TGalleryRow* FindGalleryRow(const std::wstring& AName);

SIZE GallerySize(size_t ARowCount);
// The rows one below the other from the top-left corner of ACanvas.
void PaintGallery(TcxCanvas* ACanvas, const std::vector<const TGalleryRow*>& ARows);

}  // namespace talvik::gallery
