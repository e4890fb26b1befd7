// One TCP connection with a read buffer, over Winsock. Blocking; a connection
// silent for longer than the read timeout fails with EIdReadTimeout.
#pragma once
#include <cstddef>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "net/tls_session.h"

namespace talvik::net {

class TTrustedRoots;

class TTcpConnection : private TTlsSession::Transport {
public:
  TTcpConnection();
  ~TTcpConnection();
  TTcpConnection(const TTcpConnection&) = delete;
  TTcpConnection& operator=(const TTcpConnection&) = delete;

  // Resolves AHost (a name, an IPv4 or an IPv6 address) and connects; failures raise EIdSocketError.
  void Open(const std::string& AHost, int APort);
  // Ends a TLS session with its close notice first.
  void Close();
  bool IsOpen() const { return FSocket != kNoSocket; }
  // On the open connection (through a proxy's tunnel, when there is one): the TLS
  // handshake with AHost, after which every byte sent and received goes through
  // the session. A failure closes the connection.
  void StartTls(const std::string& AHost, const TTrustedRoots* AExtraRoots);
  bool IsSecure() const { return FTls != nullptr; }
  // Over TLS: the connection closed without the server's close notice, so what
  // ran to the close may have been cut. The message names the host.
  bool ClosedWithoutTlsNotice(std::wstring& AMessage) const;
  // Lets Abort end a wait for the server: connecting and receiving then wait in
  // short slices. Without it only a later Open sees the abort.
  void EnableAbort() { FAbortable = true; }
  // From any thread: the exchange under way fails, and so does every later Open.
  void Abort();
  bool Aborted() const { return FAborted; }
  // How long connecting and each receive may wait, in milliseconds; 0 waits for
  // as long as the system lets it.
  void SetTimeout(int AMilliseconds);
  // True when the idle connection holds bytes nobody asked for: it is no use for a
  // new request. One the peer closed shows only when the next request fails, and
  // the client then sends that request again on a new connection.
  bool IsStale();
  // Drops unread bytes left over from an earlier reply.
  void DiscardBuffered() { FPos = FEnd = 0; }

  void Send(const std::string& AData);
  // One line without its CR LF. False when the peer closed the connection first.
  // A line longer than AMaxLength raises EIdException.
  bool ReadLine(std::string& ALine, size_t AMaxLength);
  // Up to AMax received bytes, in place in the read buffer and valid until the next
  // read; 0 when the peer closed the connection.
  size_t Take(const char*& AData, size_t AMax);
  bool HasBuffered() const { return FPos < FEnd; }
  // With nothing buffered: receives up to ACount bytes straight into ABuffer, in
  // one call; 0 when the peer closed the connection.
  size_t ReceiveInto(char* ABuffer, size_t ACount);
  // Waits at most AMilliseconds for something to read.
  bool WaitReadable(int AMilliseconds);
  // Bytes received since the last Send (decrypted ones, over TLS).
  uint64_t ReceivedSinceSend() const { return FReceived; }

private:
  static constexpr uintptr_t kNoSocket = ~uintptr_t(0);
  size_t Fill();
  size_t Receive(char* ABuffer, size_t ACount);
  size_t ReadRaw(char* ABuffer, size_t ACount) override;
  void WriteRaw(const char* AData, size_t ACount) override;
  // 0 or the Winsock error of connecting ASocket within the timeout.
  int ConnectWithin(uintptr_t ASocket, const void* AAddress, int ALength);
  void ApplyReceiveTimeout();
  // Waits until the socket has something to read, in slices that look for an abort.
  void AwaitReadable();
  [[noreturn]] void Fail(int code);

  uintptr_t FSocket = kNoSocket;
  std::vector<char> FBuffer;
  size_t FPos = 0, FEnd = 0;
  uint64_t FReceived = 0;
  uint64_t FLastReceiveTick = 0;
  int FTimeoutMs = 0;
  std::mutex FSocketLock;  // between Abort and the owner's Open and Close
  std::atomic<bool> FAborted{false};
  std::unique_ptr<TTlsSession> FTls, FSpentTls;
  bool FAbortable = false;
};

}  // namespace talvik::net
