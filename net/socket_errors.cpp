#include "net/socket_errors.h"

#include "net/idhttp.h"

namespace talvik::net {

namespace {

struct ErrorText {
  int code;
  const wchar_t* text;
};

const ErrorText kTexts[] = {
    {10004, L"Interrupted system call."},
    {10009, L"Bad file number."},
    {10013, L"Access denied."},
    {10014, L"Bad address."},
    {10022, L"Invalid argument."},
    {10024, L"Too many open files."},
    {10035, L"Operation would block."},
    {10036, L"Operation now in progress."},
    {10037, L"Operation already in progress."},
    {10038, L"Socket operation on non-socket."},
    {10039, L"Destination address required."},
    {10040, L"Message too long."},
    {10041, L"Protocol wrong type for socket."},
    {10042, L"Bad protocol option."},
    {10043, L"Protocol not supported."},
    {10044, L"Socket type not supported."},
    {10045, L"Operation not supported on socket."},
    {10046, L"Protocol family not supported."},
    {10047, L"Address family not supported by protocol family."},
    {10048, L"Address already in use."},
    {10049, L"Cannot assign requested address."},
    {10050, L"Network is down."},
    {10051, L"Network is unreachable."},
    {10052, L"Net dropped connection or reset."},
    {10053, L"Software caused connection abort."},
    {10054, L"Connection reset by peer."},
    {10055, L"No buffer space available."},
    {10056, L"Socket is already connected."},
    {10057, L"Socket is not connected."},
    {10058, L"Cannot send or receive after socket is closed."},
    {10059, L"Too many references, cannot splice."},
    {10060, L"Connection timed out."},
    {10061, L"Connection refused."},
    {10062, L"Too many levels of symbolic links."},
    {10063, L"File name too long."},
    {10064, L"Host is down."},
    {10065, L"No route to host."},
    {10066, L"Directory not empty."},
    {10067, L"Too many processes."},
    {10068, L"Too many users."},
    {10069, L"Disk quota exceeded."},
    {10070, L"Stale NFS file handle."},
    {10071, L"Too many levels of remote in path."},
    {10091, L"Network subsystem is unavailable."},
    {10092, L"Winsock version not supported."},
    {10093, L"Winsock not initialized."},
    {10101, L"Graceful shutdown in progress."},
    {11001, L"Host not found."},
    {11002, L"Non-authoritative response (try again or check DNS setup)."},
    {11003, L"Non-recoverable errors: FORMERR, REFUSED, NOTIMP."},
    {11004, L"Valid name, no data record (check DNS setup)."},
};

}  // namespace

std::wstring SocketErrorText(int ACode) {
  for (const auto& e : kTexts)
    if (e.code == ACode) return e.text;
  return SysErrorMessage(static_cast<unsigned long>(ACode));
}

void RaiseSocketError(int ACode) {
  throw EIdSocketError(L"Socket Error # " + std::to_wstring(ACode) + L"\r\n" + SocketErrorText(ACode), ACode);
}

void RaiseConnectionClosed() { throw EIdSocketError(L"Connection Closed Gracefully."); }

void RaiseReplyCut(uint64_t AReceived, uint64_t AAnnounced) {
  std::wstring what = std::to_wstring(AReceived) + (AAnnounced ? L" of " + std::to_wstring(AAnnounced) : L"") +
                      (AReceived == 1 && !AAnnounced ? L" byte" : L" bytes");
  throw EIdSocketError(L"Connection Closed Gracefully. The server stopped in the middle of the reply, after " + what +
                       L".");
}

void RaiseReadTimeout(int AMilliseconds) {
  std::wstring seconds = std::to_wstring(AMilliseconds / 1000);
  if (AMilliseconds % 1000) {
    std::wstring fraction = std::to_wstring(1000 + AMilliseconds % 1000).substr(1);
    seconds += L"." + fraction.substr(0, fraction.find_last_not_of(L'0') + 1);
  }
  throw EIdReadTimeout(L"Read timed out: the server sent nothing for " + seconds +
                       (AMilliseconds == 1000 ? L" second." : L" seconds."));
}

}  // namespace talvik::net
