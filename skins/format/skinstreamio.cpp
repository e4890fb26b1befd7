#include "skins/format/skinstreamio.h"

#include <windows.h>

#include "framework/sysutils.h"

namespace talvik {

void dxCheckRemaining(TStream& AStream, int64_t ABytes) {
  if (ABytes < 0 || ABytes > AStream.Size() - AStream.Position()) throw EReadError(L"Stream read error");
}

int32_t dxReadInt32(TStream& AStream) { return AStream.ReadValue<int32_t>(); }
void dxWriteInt32(TStream& AStream, int32_t AValue) { AStream.WriteValue(AValue); }
uint8_t dxReadByte(TStream& AStream) { return AStream.ReadValue<uint8_t>(); }
void dxWriteByte(TStream& AStream, uint8_t AValue) { AStream.WriteValue(AValue); }

std::wstring dxReadStr(TStream& AStream) {
  int32_t n = dxReadInt32(AStream);
  if (n <= 0) return {};
  dxCheckRemaining(AStream, n);
  std::string bytes(static_cast<size_t>(n), '\0');
  AStream.ReadBuffer(bytes.data(), n);
  int wide = MultiByteToWideChar(CP_ACP, 0, bytes.data(), n, nullptr, 0);
  std::wstring result(static_cast<size_t>(wide), L'\0');
  if (wide > 0) MultiByteToWideChar(CP_ACP, 0, bytes.data(), n, result.data(), wide);
  return result;
}

void dxWriteStr(TStream& AStream, const std::wstring& AValue) {
  int n = AValue.empty() ? 0
                         : WideCharToMultiByte(CP_ACP, 0, AValue.data(), static_cast<int>(AValue.size()), nullptr, 0,
                                               nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n), '\0');
  if (n > 0)
    WideCharToMultiByte(CP_ACP, 0, AValue.data(), static_cast<int>(AValue.size()), bytes.data(), n, nullptr,
                        nullptr);
  dxWriteInt32(AStream, n);
  AStream.WriteBuffer(bytes.data(), n);
}

}  // namespace talvik
