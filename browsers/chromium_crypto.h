// The Chromium family's cookie encryption on Windows: the profile key that
// DPAPI keeps for the Windows user, and AES-256-GCM values.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "framework/sysutils.h"

namespace talvik::browsers {

// A key or value that this user cannot open; the message says why.
TALVIK_EXCEPTION(ECookieCrypto, Exception)

// Bytes of base64 text; nothing when it is not base64.
std::optional<std::string> Base64Decode(std::string_view AText);

// Opens a DPAPI blob made for the current Windows user.
std::string UnprotectForUser(const std::string& ABlob);

// The AES key of "Local State"'s os_crypt.encrypted_key: base64 of "DPAPI" and a blob.
std::string ChromiumKeyFromLocalState(std::string_view ALocalStateText);

class TAesGcm {
public:
  explicit TAesGcm(const std::string& AKey);
  ~TAesGcm();
  TAesGcm(const TAesGcm&) = delete;
  TAesGcm& operator=(const TAesGcm&) = delete;
  // The plain text of nonce (12 bytes), cipher text and tag (16 bytes) one after
  // the other; nothing when the tag does not match.
  std::optional<std::string> Decrypt(std::string_view ANonceCipherTag);

private:
  void Close();
  void* FAlgorithm = nullptr;
  void* FKey = nullptr;
};

}  // namespace talvik::browsers
