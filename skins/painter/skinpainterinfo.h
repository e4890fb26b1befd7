// The info objects that skins register with their painters. The painter
// registry owns them; each owns its skin.
#pragma once
#include "framework/classes.h"
#include "skins/info/skininfo.h"

namespace talvik {

class TdxSkinLookAndFeelPainterInfo : public TObject, public TdxSkinInfo {
public:
  TALVIK_CLASS_NAME(TdxSkinLookAndFeelPainterInfo)
  using TdxSkinInfo::TdxSkinInfo;
  // The skin painter's cached renderings may show the old elements: they go too.
  void SkinUpdated(TdxSkin* Sender) override;
};

// After the skin changed, every look-and-feel is told, so that controls repaint.
class TdxSkinUserLookAndFeelPainterInfo : public TdxSkinLookAndFeelPainterInfo {
public:
  TALVIK_CLASS_NAME(TdxSkinUserLookAndFeelPainterInfo)
  using TdxSkinLookAndFeelPainterInfo::TdxSkinLookAndFeelPainterInfo;
  void SkinUpdated(TdxSkin* Sender) override;
};

}  // namespace talvik
