#include "net/http_reply.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <memory>

#include "net/connection.h"
#include "net/idhttp.h"
#include "net/socket_errors.h"

namespace talvik::net {

namespace {

bool EqualsNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

std::string TrimBlanks(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

// Printable form of hostile bytes for an error message.
std::wstring Shown(const std::string& s) {
  std::wstring out;
  for (size_t i = 0; i < s.size() && i < 60; ++i) {
    unsigned char c = s[i];
    out += c >= 32 && c < 127 ? static_cast<wchar_t>(c) : L'?';
  }
  if (s.size() > 60) out += L"...";
  return out;
}

// Smaller pieces go through the read buffer: a call to the system costs more than the copy.
constexpr size_t kMinDirectReceive = 64 * 1024;

[[noreturn]] void BadReply(TTcpConnection& connection, const std::wstring& message) {
  connection.Close();
  throw EIdBrokenReply(message);
}

// Parses a chunk-size line: hex digits, then optional extensions after ";".
bool ParseChunkSize(const std::string& line, uint64_t& size) {
  size = 0;
  size_t i = 0, digits = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  for (; i < line.size() && std::isxdigit(static_cast<unsigned char>(line[i])); ++i, ++digits) {
    if (size >> 56) return false;  // would not fit
    char c = static_cast<char>(std::tolower(static_cast<unsigned char>(line[i])));
    size = size * 16 + (c <= '9' ? c - '0' : c - 'a' + 10);
  }
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  return digits > 0 && (i == line.size() || line[i] == ';');
}

}  // namespace

std::string THttpReplyHead::Value(const std::string& AName) const {
  for (const auto& h : Headers)
    if (EqualsNoCase(h.first, AName)) return h.second;
  return {};
}

bool THttpReplyHead::Has(const std::string& AName) const {
  for (const auto& h : Headers)
    if (EqualsNoCase(h.first, AName)) return true;
  return false;
}

bool THttpReplyHead::ExpectsBody() const {
  if (HasNoBody()) return false;
  std::string length = Value("Content-Length");
  return length.find_first_not_of('0') != std::string::npos || length.empty() || Has("Transfer-Encoding");
}

bool THttpReplyHead::ContentLength(uint64_t& ALength) const {
  bool found = false;
  for (const auto& [name, value] : Headers) {
    if (!EqualsNoCase(name, "Content-Length")) continue;
    // Anything but plain digits (a sign, a blank, a fraction) or a count past 64
    // bits leaves the body's end unknown: no part of it can be trusted.
    uint64_t length = 0;
    bool valid = !value.empty();
    for (char c : value) {
      if (!std::isdigit(static_cast<unsigned char>(c)) || length > (UINT64_MAX - (c - '0')) / 10) {
        valid = false;
        break;
      }
      length = length * 10 + (c - '0');
    }
    if (!valid || (found && length != ALength))
      throw EIdBrokenReply(L"Invalid Content-Length in HTTP reply: " + Shown(value));
    ALength = length;
    found = true;
  }
  return found;
}

bool ParseStatusLine(const std::string& ALine, int& ACode) {
  // HTTP/d.d SP ddd [SP reason]
  if (ALine.size() < 12 || ALine.compare(0, 5, "HTTP/") != 0) return false;
  size_t sp = ALine.find(' ', 5);
  if (sp == std::string::npos || sp == 5) return false;
  for (size_t i = 5; i < sp; ++i)
    if (!std::isdigit(static_cast<unsigned char>(ALine[i])) && ALine[i] != '.') return false;
  if (sp + 4 > ALine.size()) return false;
  int code = 0;
  for (size_t i = sp + 1; i < sp + 4; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(ALine[i]))) return false;
    code = code * 10 + (ALine[i] - '0');
  }
  if (sp + 4 < ALine.size() && ALine[sp + 4] != ' ') return false;
  if (code < 100) return false;
  ACode = code;
  return true;
}

THttpReplyHead ReadReplyHead(TTcpConnection& AConnection) {
  THttpReplyHead head;
  size_t bytes = 0;
  std::string line;
  auto next = [&] {
    if (!AConnection.ReadLine(line, kMaxHeaderLine)) {
      AConnection.Close();
      RaiseConnectionClosed();
    }
    bytes += line.size() + 2;
    if (bytes > kMaxHeaderBytes || head.Headers.size() > kMaxHeaderLines)
      BadReply(AConnection, L"HTTP reply header larger than " + std::to_wstring(kMaxHeaderBytes) + L" bytes");
  };
  for (int interim = 0;; ++interim) {
    if (interim > kMaxInterimReplies) BadReply(AConnection, L"Too many interim HTTP replies");
    do next(); while (line.empty());  // blank lines left by a sloppy earlier reply
    head = THttpReplyHead();
    head.StatusLine = line;
    if (!ParseStatusLine(line, head.Code)) BadReply(AConnection, L"Invalid HTTP status line: " + Shown(line));
    for (next(); !line.empty(); next()) {
      // A NUL or a lone CR would let a value mean one thing here and another to
      // whatever reads it next (a host name, a cookie's domain).
      if (line.find_first_of(std::string("\0\r", 2)) != std::string::npos)
        BadReply(AConnection, L"Control character in HTTP reply header: " + Shown(line));
      if ((line[0] == ' ' || line[0] == '\t') && !head.Headers.empty()) {
        head.Headers.back().second += " " + TrimBlanks(line);
        continue;
      }
      size_t colon = line.find(':');
      if (colon == std::string::npos || colon == 0) continue;  // not a header; ignored
      head.Headers.emplace_back(TrimBlanks(line.substr(0, colon)), TrimBlanks(line.substr(colon + 1)));
    }
    if (head.Code != 100) return head;
  }
}

bool ReadReplyBody(TTcpConnection& AConnection, const THttpReplyHead& AHead, const TBodySink& ASink, bool AStrict,
                   uint64_t ALimit) {
  if (AHead.HasNoBody()) return false;
  uint64_t delivered = 0;  // chunk lines included, for the limit
  uint64_t received = 0;   // body bytes alone
  auto tooLarge = [&] {
    AConnection.Close();
    throw EIdReplyTooLarge(L"HTTP reply body larger than " + std::to_wstring(ALimit) + L" bytes");
  };
  // Hands on up to count bytes; what it returns is short only when the connection closed.
  auto copy = [&](uint64_t count) {
    const uint64_t wanted = count;
    while (count > 0) {
      const size_t want = static_cast<size_t>(std::min<uint64_t>(count, SIZE_MAX));
      size_t room = 0;
      char* space = ASink.Space && !AConnection.HasBuffered() && want >= kMinDirectReceive
                        ? ASink.Space->BodySpace(want, room)
                        : nullptr;
      if (space && room >= kMinDirectReceive) {
        const size_t n = AConnection.ReceiveInto(space, std::min(want, room));
        if (n == 0) break;
        if (delivered + n > ALimit) tooLarge();
        delivered += n;
        received += n;
        ASink.Space->BodySpaceFilled(n);
        count -= n;
        continue;
      }
      const char* data;
      const size_t n = AConnection.Take(data, want);
      if (n == 0) break;
      if (delivered + n > ALimit) tooLarge();
      delivered += n;
      received += n;
      ASink.Write(data, n);
      count -= n;
    }
    return wanted - count;
  };
  uint64_t announced = 0;  // 0: a chunked body, whose whole length is never told
  auto closedEarly = [&] {
    AConnection.Close();
    if (AStrict) RaiseReplyCut(received, announced);
    return true;
  };

  std::string te = AHead.Value("Transfer-Encoding");
  for (auto& c : te) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (te.find("chunked") != std::string::npos) {
    std::string line;
    for (;;) {
      if (!AConnection.ReadLine(line, kMaxHeaderLine)) return closedEarly();
      uint64_t size;
      if (!ParseChunkSize(line, size)) BadReply(AConnection, L"Invalid chunk size in HTTP reply: " + Shown(line));
      if (size == 0) break;
      // Chunk lines count too: endless tiny chunks with long extensions are no way around the limit.
      delivered += line.size() + 4;
      if (delivered > ALimit || size > ALimit - delivered) tooLarge();
      if (copy(size) != size) return closedEarly();
      if (!AConnection.ReadLine(line, kMaxHeaderLine)) return closedEarly();
      if (!line.empty()) BadReply(AConnection, L"Invalid chunk end in HTTP reply: " + Shown(line));
    }
    // Trailer lines up to the empty line.
    size_t trailer = 0;
    do {
      if (!AConnection.ReadLine(line, kMaxHeaderLine)) return closedEarly();
      trailer += line.size() + 2;
      if (trailer > kMaxHeaderBytes) BadReply(AConnection, L"HTTP reply trailer too large");
    } while (!line.empty());
    return false;
  }

  uint64_t length = 0;
  bool framed;
  try {
    framed = AHead.ContentLength(length);
  } catch (const EIdException&) {
    AConnection.Close();
    throw;
  }
  if (framed) {
    if (length > ALimit) tooLarge();
    announced = length;
    return copy(length) == length ? false : closedEarly();
  }
  // No length: the body runs to the close. Over TLS only the server's close
  // notice tells the end from a cut.
  copy(UINT64_MAX);
  std::wstring cut;
  const bool wasCut = AConnection.ClosedWithoutTlsNotice(cut);
  AConnection.Close();
  if (wasCut && AStrict) throw EIdBrokenReply(cut);
  return true;
}

}  // namespace talvik::net
