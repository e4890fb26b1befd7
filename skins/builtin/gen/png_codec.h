// PNG files to and from pixels through GDI+, which the platform provides.
#pragma once
#include <cstdint>
#include <vector>

#include "skins/builtin/gen/picture_render.h"

namespace talvik::skingen {

// Starts GDI+ once for the process; fails with talvik::Exception when it cannot.
void EnsureGdiPlus();
// An 8-bit-per-channel PNG with alpha.
std::vector<uint8_t> EncodePng(const Pixels& pixels);
// Fails with talvik::Exception when GDI+ cannot decode the bytes.
Pixels DecodePng(const uint8_t* data, size_t size);

}  // namespace talvik::skingen
