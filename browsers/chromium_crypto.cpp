#include "browsers/chromium_crypto.h"

#include <windows.h>
#include <bcrypt.h>
#include <wincrypt.h>

#include "browsers/json_lookup.h"

namespace talvik::browsers {

namespace {
constexpr size_t kNonce = 12, kTag = 16;
}

std::optional<std::string> Base64Decode(std::string_view AText) {
  std::string out;
  unsigned bits = 0;
  int count = 0;
  size_t padding = 0;
  for (char c : AText) {
    int v;
    if (c >= 'A' && c <= 'Z') v = c - 'A';
    else if (c >= 'a' && c <= 'z') v = c - 'a' + 26;
    else if (c >= '0' && c <= '9') v = c - '0' + 52;
    else if (c == '+') v = 62;
    else if (c == '/') v = 63;
    else if (c == '=') {
      ++padding;
      continue;
    } else if (c == '\r' || c == '\n') continue;
    else return std::nullopt;
    if (padding) return std::nullopt;  // data after the padding
    bits = (bits << 6) | static_cast<unsigned>(v);
    count += 6;
    if (count >= 8) {
      count -= 8;
      out += static_cast<char>((bits >> count) & 0xFF);
    }
  }
  if (padding > 2) return std::nullopt;
  return out;
}

std::string UnprotectForUser(const std::string& ABlob) {
  DATA_BLOB in{static_cast<DWORD>(ABlob.size()), reinterpret_cast<BYTE*>(const_cast<char*>(ABlob.data()))};
  DATA_BLOB out{};
  if (!CryptUnprotectData(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out))
    throw ECookieCrypto(L"Windows does not open it for this user (" + SysErrorMessage(GetLastError()) + L")");
  std::string plain(reinterpret_cast<const char*>(out.pbData), out.cbData);
  SecureZeroMemory(out.pbData, out.cbData);
  LocalFree(out.pbData);
  return plain;
}

std::string ChromiumKeyFromLocalState(std::string_view ALocalStateText) {
  const std::optional<std::string> text = JsonStringAt(ALocalStateText, {"os_crypt", "encrypted_key"});
  if (!text) throw ECookieCrypto(L"it holds no os_crypt.encrypted_key");
  std::optional<std::string> blob = Base64Decode(*text);
  if (!blob || blob->compare(0, 5, "DPAPI") != 0) throw ECookieCrypto(L"its os_crypt.encrypted_key is not a DPAPI key");
  std::string key = UnprotectForUser(blob->substr(5));
  if (key.size() != 32) throw ECookieCrypto(L"its key is not an AES-256 key");
  return key;
}

TAesGcm::TAesGcm(const std::string& AKey) {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  BCRYPT_KEY_HANDLE key = nullptr;
  NTSTATUS status = BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_AES_ALGORITHM, nullptr, 0);
  if (BCRYPT_SUCCESS(status))
    status = BCryptSetProperty(algorithm, BCRYPT_CHAINING_MODE, reinterpret_cast<PUCHAR>(const_cast<wchar_t*>(BCRYPT_CHAIN_MODE_GCM)),
                               sizeof(BCRYPT_CHAIN_MODE_GCM), 0);
  if (BCRYPT_SUCCESS(status))
    status = BCryptGenerateSymmetricKey(algorithm, &key, nullptr, 0,
                                        reinterpret_cast<PUCHAR>(const_cast<char*>(AKey.data())),
                                        static_cast<ULONG>(AKey.size()), 0);
  FAlgorithm = algorithm;
  FKey = key;
  if (!BCRYPT_SUCCESS(status)) {
    Close();
    throw ECookieCrypto(L"the system offers no AES-GCM (BCrypt status " + std::to_wstring(status) + L")");
  }
}

TAesGcm::~TAesGcm() { Close(); }

void TAesGcm::Close() {
  if (FKey) BCryptDestroyKey(FKey);
  if (FAlgorithm) BCryptCloseAlgorithmProvider(FAlgorithm, 0);
  FKey = FAlgorithm = nullptr;
}

std::optional<std::string> TAesGcm::Decrypt(std::string_view ANonceCipherTag) {
  if (ANonceCipherTag.size() < kNonce + kTag) return std::nullopt;
  std::string nonce(ANonceCipherTag.substr(0, kNonce));
  std::string tag(ANonceCipherTag.substr(ANonceCipherTag.size() - kTag));
  std::string cipher(ANonceCipherTag.substr(kNonce, ANonceCipherTag.size() - kNonce - kTag));
  BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info;
  BCRYPT_INIT_AUTH_MODE_INFO(info);
  info.pbNonce = reinterpret_cast<PUCHAR>(nonce.data());
  info.cbNonce = kNonce;
  info.pbTag = reinterpret_cast<PUCHAR>(tag.data());
  info.cbTag = kTag;
  std::string plain(cipher.size(), '\0');
  ULONG written = 0;
  const NTSTATUS status =
      BCryptDecrypt(FKey, reinterpret_cast<PUCHAR>(cipher.data()), static_cast<ULONG>(cipher.size()), &info, nullptr, 0,
                    reinterpret_cast<PUCHAR>(plain.data()), static_cast<ULONG>(plain.size()), &written, 0);
  if (!BCRYPT_SUCCESS(status)) return std::nullopt;
  plain.resize(written);
  return plain;
}

}  // namespace talvik::browsers
