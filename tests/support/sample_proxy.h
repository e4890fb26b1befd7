// Starts the test proxy (tools/talvik_proxy.py) and reads back the request heads it received.
#pragma once
#include <string>
#include <vector>

namespace talvik::testsupport {

class SampleProxy {
public:
  // With a login, the proxy answers 407 to requests that do not carry it.
  explicit SampleProxy(const std::string& login = {});
  ~SampleProxy();
  SampleProxy(const SampleProxy&) = delete;
  SampleProxy& operator=(const SampleProxy&) = delete;

  int Port() const { return FPort; }
  std::wstring Url(const std::wstring& login = {}) const;  // http://[login@]127.0.0.1:PORT
  // The head of every request received so far, in order.
  std::vector<std::string> Requests() const;

private:
  void* FProcess = nullptr;
  int FPort = 0;
  std::string FLog;
};

}  // namespace talvik::testsupport
