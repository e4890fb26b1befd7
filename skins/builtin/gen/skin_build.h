// Turns a skin source into the skin object model, every picture drawn from
// its recipe, ready to be written in the binary skin format.
#pragma once
#include <memory>

#include "skins/builtin/gen/skin_source.h"
#include "skins/model/skin.h"

namespace talvik::skingen {

std::unique_ptr<TdxSkin> BuildSkin(const SkinSource& source);

// skintool pack: reads the source file and writes the skin file.
void PackSkin(const std::wstring& sourceFile, const std::wstring& outFile);

}  // namespace talvik::skingen
