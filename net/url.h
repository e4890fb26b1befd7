// Request addresses: parsing and resolution against the previous request.
#pragma once
#include <string>

namespace talvik::net {

struct TUrl {
  std::wstring Protocol;  // lower case; empty in a relative address
  std::wstring Host;      // an IPv6 address without its brackets
  int Port = 0;           // 0: the protocol's default
  std::wstring Path;      // the directory, from "/" to the last "/" inclusive
  std::wstring Document;  // after the last "/"
  std::wstring Query;     // after "?", without the fragment
  bool HasQuery = false;

  bool IsRelative() const { return Host.empty() && Protocol.empty(); }
  int EffectivePort() const { return Port ? Port : Protocol == L"https" ? 443 : 80; }
  // Path, document and "?query": what follows "GET ".
  std::wstring Target() const;
  // The host as it stands in an address: an IPv6 one in brackets.
  std::wstring BracketedHost() const;
  // The "Host" value: the host, with ":port" unless it is the protocol's default.
  std::wstring HostHeader() const;
  std::wstring ToString() const;
};

// Splits an address into its parts; the fragment is dropped. A bad port fails with EIdException.
TUrl ParseUrl(const std::wstring& AAddress);

// An address without protocol and host takes them from APrevious, and a path not
// starting with "/" is taken relative to APrevious's directory.
TUrl ResolveUrl(const std::wstring& AAddress, const TUrl& APrevious);

// Letters, digits, "-", "." and "_", or an IPv6 literal: anything else (a control
// character, a blank, "%", "@", non-ASCII) is no host to connect to or to send cookies for.
bool IsValidHostName(const std::wstring& AHost);

// AAddress as a whole address, taken relative to the page at ABase where it is
// not one already: a link as a browser reads it on that page.
std::wstring ResolveAddress(const std::wstring& AAddress, const std::wstring& ABase);

// 7-bit text for the wire: each character outside ASCII becomes "?", and so do CR
// and LF, which would let a link or a redirect split the request.
std::string ToAscii7(const std::wstring& AText);

}  // namespace talvik::net
