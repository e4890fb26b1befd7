// The basic items of a skin stream: little-endian integers and 8-bit strings.
#pragma once
#include <cstdint>
#include <string>

#include "framework/streams.h"

namespace talvik {

// Fails with "Stream read error" unless ABytes more bytes are there; keeps damaged
// counts and lengths from allocating anything.
void dxCheckRemaining(TStream& AStream, int64_t ABytes);
int32_t dxReadInt32(TStream& AStream);
void dxWriteInt32(TStream& AStream, int32_t AValue);
uint8_t dxReadByte(TStream& AStream);
void dxWriteByte(TStream& AStream, uint8_t AValue);
// A byte count, then the bytes in the ANSI code page; a count of 0 or less is the empty string.
std::wstring dxReadStr(TStream& AStream);
void dxWriteStr(TStream& AStream, const std::wstring& AValue);

}  // namespace talvik
