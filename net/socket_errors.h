// Texts of Winsock errors as the client reports them.
#pragma once
#include <cstdint>
#include <string>

namespace talvik::net {

// The text for a Winsock error number ("Connection refused." for 10061).
std::wstring SocketErrorText(int ACode);

// "Socket Error # " + number + CR LF + text, as an EIdSocketError.
[[noreturn]] void RaiseSocketError(int ACode);

// The peer closed the connection where more was expected.
[[noreturn]] void RaiseConnectionClosed();

// The peer closed the connection in the middle of a body: AReceived bytes of
// AAnnounced came (0: a chunked body, whose length is not known).
[[noreturn]] void RaiseReplyCut(uint64_t AReceived, uint64_t AAnnounced);

// Nothing arrived for AMilliseconds, as an EIdReadTimeout.
[[noreturn]] void RaiseReadTimeout(int AMilliseconds);

}  // namespace talvik::net
