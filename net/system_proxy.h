// The proxy the user set in Windows (the current user's Internet settings): a
// fixed proxy with its bypass list, or an automatic configuration script or
// automatic detection, resolved by WinHTTP for each address.
#pragma once
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "net/proxy.h"

namespace talvik::net {

class TSystemProxy : public IProxyChooser {
public:
  TSystemProxy();
  ~TSystemProxy() override;
  // The settings are read at the first call: a process that sends nothing never loads WinHTTP.
  TProxy ProxyFor(const TUrl& AUrl) override;

private:
  struct Settings;
  void ReadSettings();
  TProxy Resolve(const TUrl& AUrl);

  std::mutex FLock;
  std::unique_ptr<Settings> FSettings;
  std::map<std::wstring, TProxy> FKnown;  // by protocol, host and port: a script is run once per site
};

}  // namespace talvik::net
