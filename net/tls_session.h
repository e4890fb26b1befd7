// The client side of one TLS session, through the system's Schannel. It moves no
// bytes itself: its transport reads and writes the connection's socket, so that
// a proxy's tunnel, timeouts and aborts stay the connection's business.
#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace talvik::net {

class TTrustedRoots;

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
  // Tells the peer the session ends (best effort: the connection may be gone).
  void Shutdown();

private:
  struct Handles;
  // Feeds handshake tokens until the session is up; AInitial: the first call
  // makes the client's hello.
  void Negotiate(bool AInitial);
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
  std::vector<char> FOutgoing;
};

}  // namespace talvik::net
