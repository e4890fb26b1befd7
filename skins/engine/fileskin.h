// A skin read from a file at start, for people who make skins: registered next
// to the built-in skins under the name it carries, so that a look-and-feel
// selects it by name like any other.
#pragma once
#include <memory>
#include <string>

#include "framework/streams.h"
#include "skins/model/skin.h"
#include "skins/painter/skinpainter.h"

namespace talvik {

// Draws with the skin registered by RegisterSkinFile.
class TdxSkinFilePainter : public TdxSkinLookAndFeelPainter {
public:
  static TcxCustomLookAndFeelPainterClass Instance();
  TdxSkinLookAndFeelPainterInfo* GetSkinInfo() const override;
  std::wstring InternalUnitName() const override;

protected:
  constexpr TdxSkinFilePainter() = default;
};

// A whole skin from the stream. Without GDI+ nothing could be read, which would
// pass for an empty skin: that fails with EdxSkin instead.
std::unique_ptr<TdxSkin> ReadSkin(TStream& AStream);

// Loads the file and registers its skin under the name inside it; returns that
// name. A missing or damaged file fails with the reader's error, a nameless skin
// or a name another skin holds with EdxSkin; nothing changes then. A second
// file replaces the first. The skin is unregistered when the skin modules shut
// down, before GDI+ goes.
std::wstring RegisterSkinFile(const std::wstring& AFileName);
void UnregisterSkinFile();

}  // namespace talvik
