// An HTTP proxy between the client and the sites: its address and login, the
// login's header line, and the CONNECT step that opens a tunnel through it.
#pragma once
#include <string>

namespace talvik::net {

class TTcpConnection;
struct TUrl;

struct TProxy {
  std::wstring Host;
  int Port = 0;
  std::wstring User, Password;
  std::wstring Origin;  // where the proxy came from when not from --proxy, such as "set in Windows"
  bool Enabled() const { return !Host.empty(); }
  bool HasLogin() const { return !User.empty() || !Password.empty(); }
  std::wstring HostPort() const { return Host + L":" + std::to_wstring(Port); }
};

// Chooses the proxy of each address (none: direct); called from any thread.
class IProxyChooser {
public:
  virtual ~IProxyChooser() = default;
  virtual TProxy ProxyFor(const TUrl& AUrl) = 0;
};

// Parses "http://[user:password@]host:port" (the scheme may be left out; "%XX"
// in the login stands for that byte). False, with the reason, when it is no such address.
bool ParseProxyUrl(const std::wstring& AText, TProxy& AProxy, std::wstring& AReason);

// The proxy's address as messages may show it: a password in it becomes "***".
std::wstring ProxyTextForMessages(const std::wstring& AText);

// "Proxy-Authorization: Basic ..." CR LF for a proxy with a login; empty otherwise.
std::string ProxyAuthorizationLine(const TProxy& AProxy);

// On a fresh connection to the proxy: asks it for a tunnel to AHost:APort and
// reads its answer. Anything but 2xx raises "Proxy refused: " + status and reason.
void OpenTunnel(TTcpConnection& AConnection, const TProxy& AProxy, const std::string& AHost, int APort);

// "Proxy refused: 407 Proxy Authentication Required" from the proxy's status line.
std::wstring ProxyRefusal(const std::string& AStatusLine);

}  // namespace talvik::net
