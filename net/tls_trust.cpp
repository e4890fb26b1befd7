#include "net/tls_trust.h"

#include <windows.h>
#include <wincrypt.h>

#include <cstddef>
#include <cstdio>

#include "framework/classes.h"
#include "framework/streams.h"
#include "framework/sysutils.h"
#include "net/idhttp.h"

namespace talvik::net {

namespace {

const char kBegin[] = "-----BEGIN CERTIFICATE-----";
const char kEnd[] = "-----END CERTIFICATE-----";

// Why a chain or the policy turned the certificate down, in a user's words.
std::wstring RejectionText(DWORD error) {
  switch (static_cast<HRESULT>(error)) {
    case CERT_E_UNTRUSTEDROOT:
    case CERT_E_CHAINING:
    case TRUST_E_CERT_SIGNATURE:
      return L"it was not issued by a trusted authority";
    case CERT_E_EXPIRED:
      return L"it has expired or is not valid yet";
    case CERT_E_CN_NO_MATCH:
      return L"it was issued for another host name";
    case CERT_E_REVOKED:
      return L"it has been revoked";
    case CERT_E_WRONG_USAGE:
      return L"it is not meant for web servers";
    default: {
      wchar_t code[16];
      std::swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(error));
      return L"the system turned it down (" + std::wstring(code) + L")";
    }
  }
}

bool NoTrustedRoot(DWORD error) {
  const auto code = static_cast<HRESULT>(error);
  return code == CERT_E_UNTRUSTEDROOT || code == CERT_E_CHAINING || code == TRUST_E_CERT_SIGNATURE;
}

// The chain's own verdict, as the policy would word it. The policy alone is not
// enough: some systems pass a chain that ends before any root.
DWORD ChainError(DWORD status) {
  // Revocation is not asked for; a chain without that answer is no worse for it.
  status &= ~DWORD(CERT_TRUST_REVOCATION_STATUS_UNKNOWN | CERT_TRUST_IS_OFFLINE_REVOCATION);
  if (status & (CERT_TRUST_IS_PARTIAL_CHAIN | CERT_TRUST_IS_UNTRUSTED_ROOT)) return DWORD(CERT_E_UNTRUSTEDROOT);
  if (status & CERT_TRUST_IS_NOT_SIGNATURE_VALID) return DWORD(TRUST_E_CERT_SIGNATURE);
  if (status & CERT_TRUST_IS_NOT_TIME_VALID) return DWORD(CERT_E_EXPIRED);
  if (status & CERT_TRUST_IS_REVOKED) return DWORD(CERT_E_REVOKED);
  if (status & CERT_TRUST_IS_NOT_VALID_FOR_USAGE) return DWORD(CERT_E_WRONG_USAGE);
  return status ? DWORD(CERT_E_CHAINING) : 0;
}

// 0 when the chain from ACertificate through AEngine passes the SSL policy for AHost.
DWORD CheckChain(PCCERT_CONTEXT certificate, HCERTCHAINENGINE engine, const std::wstring& host) {
  char serverAuth[] = szOID_PKIX_KP_SERVER_AUTH;
  LPSTR usages[] = {serverAuth};
  CERT_CHAIN_PARA para{};
  para.cbSize = sizeof para;
  para.RequestedUsage.dwType = USAGE_MATCH_TYPE_OR;
  para.RequestedUsage.Usage.cUsageIdentifier = 1;
  para.RequestedUsage.Usage.rgpszUsageIdentifier = usages;
  PCCERT_CHAIN_CONTEXT chain = nullptr;
  if (!CertGetCertificateChain(engine, certificate, nullptr, certificate->hCertStore, &para, 0, nullptr, &chain))
    return GetLastError();
  SSL_EXTRA_CERT_CHAIN_POLICY_PARA ssl{};
  ssl.cbSize = sizeof ssl;
  ssl.dwAuthType = AUTHTYPE_SERVER;
  ssl.pwszServerName = const_cast<wchar_t*>(host.c_str());
  CERT_CHAIN_POLICY_PARA policy{};
  policy.cbSize = sizeof policy;
  policy.pvExtraPolicyPara = &ssl;
  CERT_CHAIN_POLICY_STATUS status{};
  status.cbSize = sizeof status;
  DWORD error = ChainError(chain->TrustStatus.dwErrorStatus);
  if (!error)
    error = CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, chain, &policy, &status) ? status.dwError
                                                                                             : GetLastError();
  CertFreeCertificateChain(chain);
  return error;
}

}  // namespace

TTrustedRoots::~TTrustedRoots() {
  if (FEngine) CertFreeCertificateChainEngine(static_cast<HCERTCHAINENGINE>(FEngine));
  if (FStore) CertCloseStore(static_cast<HCERTSTORE>(FStore), 0);
}

std::shared_ptr<const TTrustedRoots> TTrustedRoots::FromPemFile(const std::wstring& APath, std::wstring& AProblem) {
  std::string text;
  try {
    TMemoryStream data;
    data.LoadFromFile(APath);
    text.assign(reinterpret_cast<const char*>(data.Memory()), static_cast<size_t>(data.Size()));
  } catch (const Exception& e) {
    AProblem = e.Message();
    return nullptr;
  }
  auto roots = FromPem(text, AProblem);
  if (!roots) AProblem = APath + L": " + AProblem;
  return roots;
}

std::shared_ptr<const TTrustedRoots> TTrustedRoots::FromPem(const std::string& AText, std::wstring& AProblem) {
  std::shared_ptr<TTrustedRoots> roots(new TTrustedRoots);
  HCERTSTORE store = CertOpenStore(CERT_STORE_PROV_MEMORY, 0, 0, 0, nullptr);
  if (!store) {
    AProblem = L"no certificate store: " + SysErrorMessage(GetLastError());
    return nullptr;
  }
  roots->FStore = store;
  for (size_t at = AText.find(kBegin); at != std::string::npos; at = AText.find(kBegin, at)) {
    const size_t body = at + sizeof kBegin - 1;
    const size_t end = AText.find(kEnd, body);
    if (end == std::string::npos) {
      AProblem = L"certificate " + std::to_wstring(roots->FCount + 1) + L" has no end line";
      return nullptr;
    }
    const std::string base64 = AText.substr(body, end - body);
    DWORD size = 0;
    std::string der;
    bool decoded = CryptStringToBinaryA(base64.data(), static_cast<DWORD>(base64.size()), CRYPT_STRING_BASE64,
                                        nullptr, &size, nullptr, nullptr) &&
                   (der.resize(size), CryptStringToBinaryA(base64.data(), static_cast<DWORD>(base64.size()),
                                                           CRYPT_STRING_BASE64, reinterpret_cast<BYTE*>(der.data()),
                                                           &size, nullptr, nullptr));
    if (!decoded || !CertAddEncodedCertificateToStore(store, X509_ASN_ENCODING,
                                                      reinterpret_cast<const BYTE*>(der.data()), size,
                                                      CERT_STORE_ADD_ALWAYS, nullptr)) {
      AProblem = L"certificate " + std::to_wstring(roots->FCount + 1) + L" is damaged";
      return nullptr;
    }
    ++roots->FCount;
    at = end + sizeof kEnd - 1;
  }
  if (roots->FCount == 0) {
    AProblem = L"holds no certificate";
    return nullptr;
  }
  CERT_CHAIN_ENGINE_CONFIG config{};
  // The layout that ends with the exclusive stores: every system that knows
  // exclusive roots takes it, and some take no longer one.
  config.cbSize = offsetof(CERT_CHAIN_ENGINE_CONFIG, hExclusiveTrustedPeople) + sizeof(HCERTSTORE);
  config.hExclusiveRoot = store;
  HCERTCHAINENGINE engine = nullptr;
  if (!CertCreateCertificateChainEngine(&config, &engine)) {
    AProblem = L"the system cannot trust these certificates: " + SysErrorMessage(GetLastError());
    return nullptr;
  }
  roots->FEngine = engine;
  return roots;
}

void VerifyServerCertificate(const void* ACertificate, const std::wstring& AHost, const TTrustedRoots* AExtraRoots) {
  auto certificate = static_cast<PCCERT_CONTEXT>(ACertificate);
  // The run's own roots first: they are few, while the system's store can take
  // long to load. Where they lead to no root, the system's roots decide.
  DWORD error = AExtraRoots ? CheckChain(certificate, static_cast<HCERTCHAINENGINE>(AExtraRoots->Engine()), AHost)
                            : DWORD(CERT_E_UNTRUSTEDROOT);
  if (error && NoTrustedRoot(error)) error = CheckChain(certificate, nullptr, AHost);
  if (error) throw EIdTlsError(L"The certificate of " + AHost + L" is not trusted: " + RejectionText(error) + L".");
}

}  // namespace talvik::net
