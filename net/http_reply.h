// Reading a reply from the wire: status line, header lines and the framed body.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace talvik::net {

class TTcpConnection;

// Limits against hostile servers; beyond them the reply fails with EIdException.
constexpr size_t kMaxHeaderLine = 64 * 1024;      // one status, header or chunk-size line
constexpr size_t kMaxHeaderBytes = 1024 * 1024;   // all header lines of one reply
constexpr size_t kMaxHeaderLines = 10000;
constexpr int kMaxInterimReplies = 100;           // "100 Continue" replies before the real one

struct THttpReplyHead {
  std::string StatusLine;  // as received, without CR LF
  int Code = 0;
  std::vector<std::pair<std::string, std::string>> Headers;

  // The first value of the header (name in any letter case); empty when absent.
  std::string Value(const std::string& AName) const;
  bool Has(const std::string& AName) const;
  // Statuses that never carry a body.
  bool HasNoBody() const { return (Code >= 100 && Code < 200) || Code == 204 || Code == 304; }
  // Whether a body follows the head: chunks, a positive length, or data up to the close.
  bool ExpectsBody() const;
  // The body's length from "Content-Length": false when there is none; a value
  // that is no decimal count or that differs between lines raises EIdException.
  bool ContentLength(uint64_t& ALength) const;
};

// The status code of "HTTP/x.y NNN reason"; false when the line is no status line.
bool ParseStatusLine(const std::string& ALine, int& ACode);

// Reads the status line and the header lines up to the empty line, skipping
// "100" replies. A close before the head is complete raises "Connection Closed Gracefully.".
THttpReplyHead ReadReplyHead(TTcpConnection& AConnection);

class IBodySpace;

// Where a body goes: every piece is written, unless Space lends memory at the end
// of the destination for a large piece to be received into, without a copy.
struct TBodySink {
  std::function<void(const char* AData, size_t ACount)> Write;
  IBodySpace* Space = nullptr;
};

// Reads the body as the head frames it: chunked, by Content-Length, or up to the
// close. With AStrict, a close before the announced end raises "Connection Closed
// Gracefully."; without, it just ends the body. A body longer than ALimit (chunk
// lines included) raises EIdReplyTooLarge before the sink sees more than ALimit
// bytes. Returns true when the connection can carry no further request (the
// body ran to its close).
bool ReadReplyBody(TTcpConnection& AConnection, const THttpReplyHead& AHead, const TBodySink& ASink, bool AStrict,
                   uint64_t ALimit);

}  // namespace talvik::net
