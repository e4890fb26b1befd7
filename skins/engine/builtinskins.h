// The two skins the program carries as resources of type "DXSKINS": DarkSide,
// which the main window uses, and the light user skin. Each module loads its
// skin when it starts, wraps it in an info object and registers it, with its
// painter class, in the painter registry; shutting down unregisters it, which
// frees the info and the skin.
#pragma once
#include "skins/painter/skinpainter.h"

namespace talvik {

class TdxDarkSidePainter : public TdxSkinLookAndFeelPainter {
public:
  static TcxCustomLookAndFeelPainterClass Instance();
  TdxSkinLookAndFeelPainterInfo* GetSkinInfo() const override;
  std::wstring InternalUnitName() const override;

protected:
  constexpr TdxDarkSidePainter() = default;
};

class TdxSkinsUserSkinPainter : public TdxSkinLookAndFeelPainter {
public:
  static TcxCustomLookAndFeelPainterClass Instance();
  TdxSkinLookAndFeelPainterInfo* GetSkinInfo() const override;
  std::wstring InternalUnitName() const override;

protected:
  constexpr TdxSkinsUserSkinPainter() = default;
};

// Without GDI+ the modules register nothing. A missing resource fails the start-up
// with EResNotFound, a damaged one with the skin reader's error.
void dxSkinDarkSideUnitInitialize();
void dxSkinDarkSideUnitFinalize();
void dxSkinsUserSkinUnitInitialize();
void dxSkinsUserSkinUnitFinalize();

}  // namespace talvik
