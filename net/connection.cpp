#include "net/connection.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <cstring>

#include "net/idhttp.h"
#include "net/socket_errors.h"

namespace talvik::net {

namespace {

constexpr size_t kBufferSize = 256 * 1024;
// Bytes that arrive while a connection sits idle are what FIONREAD is asked about;
// right after a reply there was no time for any, and the question costs a round trip.
constexpr uint64_t kIdleCheckMs = 1000;
// How soon an abort from another thread ends a wait: under Wine neither shutdown
// nor closesocket wakes a thread blocked in recv.
constexpr int kAbortCheckMs = 100;

struct WinsockStartup {
  WinsockStartup() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  }
  ~WinsockStartup() { WSACleanup(); }
};

void EnsureWinsock() { static WinsockStartup startup; }

}  // namespace

TTcpConnection::TTcpConnection() : FBuffer(kBufferSize) {}

TTcpConnection::~TTcpConnection() { Close(); }

void TTcpConnection::Fail(int code) {
  Close();
  RaiseSocketError(code);
}

// Winsock starts with the first connection, not with the client: a window that
// sends nothing at start does not load it.
void TTcpConnection::Open(const std::string& AHost, int APort) {
  Close();
  FSpentTls.reset();
  EnsureWinsock();
  if (FAborted) RaiseSocketError(WSAECONNABORTED);
  if (AHost.empty()) RaiseSocketError(WSAHOST_NOT_FOUND);
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  addrinfo* found = nullptr;
  int rc = getaddrinfo(AHost.c_str(), std::to_string(APort).c_str(), &hints, &found);
  if (rc != 0 || !found) {
    int code = WSAGetLastError();
    RaiseSocketError(code ? code : rc ? rc : WSAHOST_NOT_FOUND);
  }
  int code = 0;
  for (addrinfo* a = found; a; a = a->ai_next) {
    SOCKET s = socket(a->ai_family, a->ai_socktype, a->ai_protocol);
    if (s == INVALID_SOCKET) {
      code = WSAGetLastError();
      continue;
    }
    code = ConnectWithin(s, a->ai_addr, static_cast<int>(a->ai_addrlen));
    if (code == 0) {
      std::lock_guard<std::mutex> hold(FSocketLock);
      if (FAborted) code = WSAECONNABORTED;
      else FSocket = s;
    }
    if (FSocket == s) break;
    closesocket(s);
  }
  freeaddrinfo(found);
  if (FSocket == kNoSocket) RaiseSocketError(code ? code : WSAECONNREFUSED);
  // Requests go out in one piece; waiting for more to send only delays them.
  // The receive buffer keeps its size unset: a fixed one stops the system's tuning.
  BOOL on = TRUE;
  setsockopt(FSocket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
  if (FTimeoutMs > 0) ApplyReceiveTimeout();
  FPos = FEnd = 0;
  FLastReceiveTick = GetTickCount64();
}

void TTcpConnection::SetTimeout(int AMilliseconds) {
  FTimeoutMs = std::max(AMilliseconds, 0);
  if (IsOpen()) ApplyReceiveTimeout();
}

void TTcpConnection::ApplyReceiveTimeout() {
  DWORD limit = static_cast<DWORD>(FTimeoutMs);
  setsockopt(FSocket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&limit), sizeof limit);
}

int TTcpConnection::ConnectWithin(uintptr_t ASocket, const void* AAddress, int ALength) {
  const auto* address = static_cast<const sockaddr*>(AAddress);
  if (FTimeoutMs <= 0 && !FAbortable) return connect(ASocket, address, ALength) == 0 ? 0 : WSAGetLastError();
  u_long nonBlocking = 1;
  ioctlsocket(ASocket, FIONBIO, &nonBlocking);
  int code = connect(ASocket, address, ALength) == 0 ? 0 : WSAGetLastError();
  const uint64_t start = GetTickCount64();
  while (code == WSAEWOULDBLOCK) {
    int slice = FAbortable ? kAbortCheckMs : FTimeoutMs;
    if (FTimeoutMs > 0) {
      const int64_t left = FTimeoutMs - static_cast<int64_t>(GetTickCount64() - start);
      if (left <= 0) {
        code = WSAETIMEDOUT;
        break;
      }
      slice = static_cast<int>(std::min<int64_t>(slice, left));
    }
    if (FAborted) {
      code = WSAECONNABORTED;
      break;
    }
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(ASocket, &writable);
    FD_SET(ASocket, &failed);
    timeval limit{slice / 1000, (slice % 1000) * 1000};
    int ready = select(0, nullptr, &writable, &failed, &limit);
    if (ready < 0) {
      code = WSAGetLastError();
    } else if (ready > 0) {
      int error = 0, size = sizeof error;
      getsockopt(ASocket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size);
      code = error ? error : FD_ISSET(ASocket, &failed) ? WSAECONNREFUSED : 0;
    }
  }
  nonBlocking = 0;
  ioctlsocket(ASocket, FIONBIO, &nonBlocking);
  return code;
}

void TTcpConnection::AwaitReadable() {
  const uint64_t start = GetTickCount64();
  for (;;) {
    if (FAborted) Fail(WSAECONNABORTED);
    int slice = kAbortCheckMs;
    if (FTimeoutMs > 0) {
      const int64_t left = FTimeoutMs - static_cast<int64_t>(GetTickCount64() - start);
      if (left <= 0) {
        Close();
        RaiseReadTimeout(FTimeoutMs);
      }
      slice = static_cast<int>(std::min<int64_t>(slice, left));
    }
    fd_set set;
    FD_ZERO(&set);
    FD_SET(FSocket, &set);
    timeval limit{0, slice * 1000};
    const int ready = select(0, &set, nullptr, nullptr, &limit);
    if (ready > 0) return;
    if (ready < 0) Fail(WSAGetLastError());
  }
}

void TTcpConnection::Abort() {
  std::lock_guard<std::mutex> hold(FSocketLock);
  FAborted = true;
  if (FSocket != kNoSocket) shutdown(FSocket, SD_BOTH);
}

void TTcpConnection::Close() {
  if (auto tls = std::move(FTls)) {
    // A send that fails here comes back to Close, which then finds no session.
    if (!FAborted && IsOpen()) tls->Shutdown();
    // A failure inside one of the session's calls closes the connection: the
    // session outlives that call and goes at the next Open.
    FSpentTls = std::move(tls);
  }
  std::lock_guard<std::mutex> hold(FSocketLock);
  if (FSocket != kNoSocket) {
    closesocket(FSocket);
    FSocket = kNoSocket;
  }
  FPos = FEnd = 0;
}

void TTcpConnection::StartTls(const std::string& AHost, const TTrustedRoots* AExtraRoots) {
  auto session = std::make_unique<TTlsSession>(static_cast<TTlsSession::Transport&>(*this));
  try {
    session->Handshake(AHost, AExtraRoots);
  } catch (...) {
    Close();
    throw;
  }
  FTls = std::move(session);
}

bool TTcpConnection::ClosedWithoutTlsNotice(std::wstring& AMessage) const {
  if (!FTls || !FTls->ClosedWithoutNotice()) return false;
  AMessage = L"The connection to " + FTls->Host() + L" closed without the end of its TLS session: the reply may be cut.";
  return true;
}

bool TTcpConnection::IsStale() {
  if (!IsOpen()) return true;
  if (FPos < FEnd || (FTls && (FTls->HasPending() || FTls->Ended()))) return true;
  if (GetTickCount64() - FLastReceiveTick < kIdleCheckMs) return false;
  // Under Wine FIONREAD costs fewer round trips to its server than select does.
  u_long pending = 0;
  return ioctlsocket(FSocket, FIONREAD, &pending) != 0 || pending != 0;
}

void TTcpConnection::Send(const std::string& AData) {
  if (FAborted) Fail(WSAECONNABORTED);
  FReceived = 0;
  if (FTls) FTls->Send(AData.data(), AData.size());
  else WriteRaw(AData.data(), AData.size());
}

void TTcpConnection::WriteRaw(const char* AData, size_t ACount) {
  size_t sent = 0;
  while (sent < ACount) {
    int n = send(FSocket, AData + sent, static_cast<int>(std::min<size_t>(ACount - sent, 1 << 30)), 0);
    if (n == SOCKET_ERROR) Fail(WSAGetLastError());
    sent += n;
  }
}

size_t TTcpConnection::Receive(char* ABuffer, size_t ACount) {
  const size_t n = FTls ? FTls->Receive(ABuffer, ACount) : ReadRaw(ABuffer, ACount);
  FReceived += n;
  return n;
}

size_t TTcpConnection::ReadRaw(char* ABuffer, size_t ACount) {
  if (FAbortable) AwaitReadable();
  int n = recv(FSocket, ABuffer, static_cast<int>(std::min<size_t>(ACount, 1 << 30)), 0);
  if (n == SOCKET_ERROR) {
    const int code = WSAGetLastError();
    if (code != WSAETIMEDOUT) Fail(code);
    Close();
    RaiseReadTimeout(FTimeoutMs);
  }
  FLastReceiveTick = GetTickCount64();
  return n;
}

size_t TTcpConnection::Fill() {
  FPos = 0;
  FEnd = 0;
  FEnd = Receive(FBuffer.data(), FBuffer.size());
  return FEnd;
}

size_t TTcpConnection::ReceiveInto(char* ABuffer, size_t ACount) {
  return IsOpen() ? Receive(ABuffer, ACount) : 0;
}

bool TTcpConnection::ReadLine(std::string& ALine, size_t AMaxLength) {
  ALine.clear();
  for (;;) {
    if (FPos == FEnd && (!IsOpen() || Fill() == 0)) return false;
    const char* start = FBuffer.data() + FPos;
    const char* nl = static_cast<const char*>(std::memchr(start, '\n', FEnd - FPos));
    size_t take = nl ? nl - start : FEnd - FPos;
    if (ALine.size() + take > AMaxLength + 1) {
      Close();
      throw EIdBrokenReply(L"HTTP reply header line longer than " + std::to_wstring(AMaxLength) + L" bytes");
    }
    ALine.append(start, take);
    FPos += take;
    if (nl) {
      ++FPos;
      if (!ALine.empty() && ALine.back() == '\r') ALine.pop_back();
      return true;
    }
  }
}

size_t TTcpConnection::Take(const char*& AData, size_t AMax) {
  if (FPos == FEnd && (!IsOpen() || Fill() == 0)) return 0;
  const size_t n = std::min(AMax, FEnd - FPos);
  AData = FBuffer.data() + FPos;
  FPos += n;
  return n;
}

bool TTcpConnection::WaitReadable(int AMilliseconds) {
  if (FPos < FEnd || (FTls && FTls->HasPending())) return true;
  if (!IsOpen()) return false;
  fd_set set;
  FD_ZERO(&set);
  FD_SET(FSocket, &set);
  timeval limit{AMilliseconds / 1000, (AMilliseconds % 1000) * 1000};
  return select(0, &set, nullptr, nullptr, &limit) > 0;
}

}  // namespace talvik::net
