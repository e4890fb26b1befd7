#include "skins/painter/skinpainterinfo.h"

#include "lookandfeel/lookandfeel.h"
#include "skins/painter/skinpaintercache.h"

namespace talvik {

void TdxSkinLookAndFeelPainterInfo::SkinUpdated(TdxSkin* Sender) {
  TdxSkinInfo::SkinUpdated(Sender);
  if (TdxSkinLookAndFeelPainterCacheManager* cache = SkinPainterCacheManager()) cache->Flush();
}

void TdxSkinUserLookAndFeelPainterInfo::SkinUpdated(TdxSkin* Sender) {
  TdxSkinLookAndFeelPainterInfo::SkinUpdated(Sender);
  if (TcxLookAndFeel* root = GetRootLookAndFeel()) root->Refresh();
}

}  // namespace talvik
