#include "tests/support/sample_proxy.h"

#include <winsock2.h>
#include <windows.h>

#include <cstdlib>
#include <stdexcept>

#include "tests/support/sample_site.h"

namespace talvik::testsupport {

SampleProxy::SampleProxy(const std::string& login) {
  static int serial = 0;
  FLog = "/tmp/talvik-proxy-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial) + ".log";
  std::vector<std::string> args = {"--log", FLog};
  if (!login.empty()) args.insert(args.end(), {"--auth", login});
  std::string ports;
  FProcess = StartTool("talvik_proxy.py", args, "PORT", ports);
  FPort = ValueAfter(ports, "PORT");
  if (!FPort) throw std::runtime_error("test proxy: did not report its port");
}

SampleProxy::~SampleProxy() {
  // "QUIT" ends the proxy.
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<u_short>(FPort));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) {
    const char quit[] = "QUIT / HTTP/1.1\r\n\r\n";
    send(s, quit, sizeof quit - 1, 0);
    char buf[256];
    recv(s, buf, sizeof buf, 0);
  }
  closesocket(s);
  if (FProcess) CloseHandle(FProcess);
  std::wstring log = L"Z:";
  for (char c : FLog) log += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  DeleteFileW(log.c_str());
}

std::wstring SampleProxy::Url(const std::wstring& login) const {
  return L"http://" + (login.empty() ? L"" : login + L"@") + L"127.0.0.1:" + std::to_wstring(FPort);
}

std::vector<std::string> SampleProxy::Requests() const {
  std::wstring path = L"Z:";
  for (char c : FLog) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  std::string blob;
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    char buf[4096];
    DWORD n = 0;
    while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n) blob.append(buf, n);
    CloseHandle(h);
  }
  std::vector<std::string> heads;
  for (size_t at = 0; at < blob.size();) {
    const size_t nl = blob.find('\n', at);
    if (nl == std::string::npos) break;
    const size_t length = std::strtoul(blob.c_str() + at, nullptr, 10);
    heads.push_back(blob.substr(nl + 1, length));
    at = nl + 1 + length;
  }
  return heads;
}

}  // namespace talvik::testsupport
