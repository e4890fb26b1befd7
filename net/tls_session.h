// The client side of one TLS session, through the system's Schannel. It moves no
// bytes itself: its transport reads and writes the connection's socket, so that
// a proxy's tunnel, timeouts and aborts stay the connection's business.
#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#ifndef SECURITY_WIN32
#define SECURITY_WIN32
#endif
#include <windows.h>
#include <sspi.h>

#include <functional>

namespace talvik::net {

class TTrustedRoots;

// The client's credentials for every TLS session of the process.
struct TTlsCredentials {
  CredHandle Handle{};
  long Status = -1;           // the system's answer; SEC_E_OK (0) when Handle is good
  std::wstring Form;          // "SCH_CREDENTIALS" or "SCHANNEL_CRED"
  std::wstring Versions;      // as the system reports them, "TLS 1.2 and 1.3"
};

// Asks AAcquire (AcquireCredentialsHandle for a structure) first for the newer
// form, which offers TLS 1.2 and 1.3, then for the older one where it is refused.
TTlsCredentials AcquireTlsCredentials(const std::function<long(void* ACred, CredHandle& AHandle)>& AAcquire);

class TTlsSession {
public:
  class Transport {
  public:
    // Up to ACount bytes as they arrive; 0 when the peer closed the connection.
    virtual size_t ReadRaw(char* ABuffer, size_t ACount) = 0;
    virtual void WriteRaw(const char* AData, size_t ACount) = 0;

  protected:
    ~Transport() = default;
  };

  explicit TTlsSession(Transport& ATransport);
  ~TTlsSession();
  TTlsSession(const TTlsSession&) = delete;
  TTlsSession& operator=(const TTlsSession&) = delete;

  // Negotiates the session with AHost (also its server name) and checks the
  // server's certificate, trusting AExtraRoots besides the system's. Failures
  // raise EIdTlsError, or the transport's own timeout or socket error with the
  // host named in front.
  void Handshake(const std::string& AHost, const TTrustedRoots* AExtraRoots);
  void Send(const char* AData, size_t ACount);
  // Up to ACount decrypted bytes; 0 when the peer ended the session or closed the
  // connection between records. A close in the middle of a record is a broken reply.
  size_t Receive(char* ABuffer, size_t ACount);
  // Bytes received but not yet handed out, decrypted or not.
  bool HasPending() const { return FPlainSize > 0 || FCipherSize > 0; }
  // The peer ended the session (its close notice, or the connection's close):
  // no further request can go over it.
  bool Ended() const { return FEnded; }
  // The connection closed without the peer's close notice, at a record boundary:
  // whatever ran to that close may have been cut.
  bool ClosedWithoutNotice() const { return FClosedWithoutNotice; }
  const std::wstring& Host() const { return FHost; }
  // The structure the system took the process's credentials in.
  static std::wstring CredentialsForm();
  // Tells the peer the session ends (best effort: the connection may be gone).
  void Shutdown();

private:
  struct Handles;
  // Feeds handshake tokens until the session is up; AInitial: the first call
  // makes the client's hello.
  void Negotiate(bool AInitial);
  // The same, with a timeout or a socket error named after the host, on one line.
  void NegotiateNamingHost(bool AInitial);
  // Record sizes and the server's certificate, checked unless it is the one
  // checked before; after the handshake and after every renegotiation.
  void TakeSessionState(const TTrustedRoots* AExtraRoots);
  size_t ReadMore();
  // Decrypts the record at the start of the cipher bytes in place; false when it
  // has not all arrived yet.
  bool Decrypt();
  void SendToken(void* ABuffer);

  Transport& FTransport;
  std::unique_ptr<Handles> FHandles;
  std::wstring FHost;  // also the target name that goes out as the server name
  // Received records, decrypted in place: the plain bytes not yet handed out,
  // then the cipher bytes not yet decrypted.
  std::vector<char> FRecords;
  size_t FPlainStart = 0, FPlainSize = 0;
  size_t FCipherStart = 0, FCipherSize = 0;
  bool FEnded = false;
  bool FClosedWithoutNotice = false;
  bool FShutdownSent = false;
  const TTrustedRoots* FExtraRoots = nullptr;
  std::shared_ptr<const void> FCertificate;  // the server's, as checked
  std::vector<char> FOutgoing;
};

}  // namespace talvik::net
