// Whether a server's certificate is to be trusted: the system's chain engine and
// SSL policy, with the roots of a --ca-file trusted besides the system's.
#pragma once
#include <memory>
#include <string>

namespace talvik::net {

// Certificates trusted as roots for one run.
class TTrustedRoots {
public:
  ~TTrustedRoots();
  TTrustedRoots(const TTrustedRoots&) = delete;
  TTrustedRoots& operator=(const TTrustedRoots&) = delete;

  // The certificates of a PEM file. Null, with the reason, when the file cannot
  // be read or holds no certificate.
  static std::shared_ptr<const TTrustedRoots> FromPemFile(const std::wstring& APath, std::wstring& AProblem);
  // The same from the file's bytes.
  static std::shared_ptr<const TTrustedRoots> FromPem(const std::string& AText, std::wstring& AProblem);

  int Count() const { return FCount; }
  void* Engine() const { return FEngine; }  // HCERTCHAINENGINE trusting only these roots

private:
  TTrustedRoots() = default;
  void* FStore = nullptr;
  void* FEngine = nullptr;
  int FCount = 0;
};

// Raises EIdTlsError "The certificate of AHost is not trusted: <reason>" unless the
// certificate (a PCCERT_CONTEXT, with the chain the server sent in its store)
// leads to a trusted root, is valid today and names AHost.
void VerifyServerCertificate(const void* ACertificate, const std::wstring& AHost, const TTrustedRoots* AExtraRoots);

}  // namespace talvik::net
