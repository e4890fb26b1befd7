#include "net/connection.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstring>

#include "net/idhttp.h"
#include "net/socket_errors.h"

namespace talvik::net {

namespace {

constexpr size_t kBufferSize = 256 * 1024;

struct WinsockStartup {
  WinsockStartup() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  }
  ~WinsockStartup() { WSACleanup(); }
};

void EnsureWinsock() { static WinsockStartup startup; }

}  // namespace

TTcpConnection::TTcpConnection() : FBuffer(kBufferSize) { EnsureWinsock(); }

TTcpConnection::~TTcpConnection() { Close(); }

void TTcpConnection::Fail(int code) {
  Close();
  RaiseSocketError(code);
}

void TTcpConnection::Open(const std::string& AHost, int APort) {
  Close();
  if (AHost.empty()) RaiseSocketError(WSAHOST_NOT_FOUND);
  addrinfo hints{};
  hints.ai_family = AF_INET;
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
    if (connect(s, a->ai_addr, static_cast<int>(a->ai_addrlen)) == 0) {
      FSocket = s;
      break;
    }
    code = WSAGetLastError();
    closesocket(s);
  }
  freeaddrinfo(found);
  if (FSocket == kNoSocket) RaiseSocketError(code ? code : WSAECONNREFUSED);
  // Requests go out in one piece; waiting for more to send only delays them.
  BOOL on = TRUE;
  setsockopt(FSocket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
  int size = static_cast<int>(kBufferSize);
  setsockopt(FSocket, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&size), sizeof size);
  FPos = FEnd = 0;
}

void TTcpConnection::Close() {
  if (FSocket != kNoSocket) {
    closesocket(FSocket);
    FSocket = kNoSocket;
  }
  FPos = FEnd = 0;
}

bool TTcpConnection::IsStale() {
  if (!IsOpen()) return true;
  if (FPos < FEnd) return true;
  // Under Wine FIONREAD costs fewer round trips to its server than select does.
  u_long pending = 0;
  return ioctlsocket(FSocket, FIONREAD, &pending) != 0 || pending != 0;
}

void TTcpConnection::Send(const std::string& AData) {
  FReceived = 0;
  size_t sent = 0;
  while (sent < AData.size()) {
    int n = send(FSocket, AData.data() + sent, static_cast<int>(AData.size() - sent), 0);
    if (n == SOCKET_ERROR) Fail(WSAGetLastError());
    sent += n;
  }
}

size_t TTcpConnection::Fill() {
  FPos = 0;
  FEnd = 0;
  int n = recv(FSocket, FBuffer.data(), static_cast<int>(FBuffer.size()), 0);
  if (n == SOCKET_ERROR) Fail(WSAGetLastError());
  FEnd = n;
  FReceived += n;
  return n;
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
      throw EIdException(L"HTTP reply header line longer than " + std::to_wstring(AMaxLength) + L" bytes");
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

size_t TTcpConnection::Read(char* ABuffer, size_t ACount) {
  if (FPos < FEnd) {
    size_t n = std::min(ACount, FEnd - FPos);
    std::memcpy(ABuffer, FBuffer.data() + FPos, n);
    FPos += n;
    return n;
  }
  if (!IsOpen()) return 0;
  // Large reads go straight to the caller's buffer.
  if (ACount >= FBuffer.size() / 2) {
    int n = recv(FSocket, ABuffer, static_cast<int>(std::min<size_t>(ACount, 1 << 30)), 0);
    if (n == SOCKET_ERROR) Fail(WSAGetLastError());
    FReceived += n;
    return n;
  }
  if (Fill() == 0) return 0;
  return Read(ABuffer, ACount);
}

bool TTcpConnection::WaitReadable(int AMilliseconds) {
  if (FPos < FEnd) return true;
  if (!IsOpen()) return false;
  fd_set set;
  FD_ZERO(&set);
  FD_SET(FSocket, &set);
  timeval limit{AMilliseconds / 1000, (AMilliseconds % 1000) * 1000};
  return select(0, &set, nullptr, nullptr, &limit) > 0;
}

}  // namespace talvik::net
