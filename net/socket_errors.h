// Texts of Winsock errors as the client reports them.
#pragma once
#include <string>

namespace talvik::net {

// The text for a Winsock error number ("Connection refused." for 10061).
std::wstring SocketErrorText(int ACode);

// "Socket Error # " + number + CR LF + text, as an EIdSocketError.
[[noreturn]] void RaiseSocketError(int ACode);

// The peer closed the connection where more was expected.
[[noreturn]] void RaiseConnectionClosed();

// Nothing arrived for AMilliseconds, as an EIdReadTimeout.
[[noreturn]] void RaiseReadTimeout(int AMilliseconds);

}  // namespace talvik::net
