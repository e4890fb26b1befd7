#include "tests/support/sample_site.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace talvik::testsupport {
namespace {

struct WinsockUp {
  WinsockUp() { WSADATA d; WSAStartup(MAKEWORD(2, 2), &d); }
} winsockUp;

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* v = std::getenv(name);
  return v && *v ? v : fallback;
}

std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

std::string Quote(const std::string& arg) { return "\"" + arg + "\""; }

bool ReadFileText(const std::wstring& path, std::string& out) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  char buf[256];
  DWORD n = 0;
  out.clear();
  while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n) out.append(buf, n);
  CloseHandle(h);
  return true;
}

}  // namespace

std::wstring UnixToWindowsPath(const std::string& unixPath) {
  std::wstring out = L"Z:";
  for (char c : unixPath) out += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
  return out;
}

int ValueAfter(const std::string& text, const std::string& key) {
  size_t at = text.find(key + " ");
  return at == std::string::npos ? 0 : std::atoi(text.c_str() + at + key.size() + 1);
}

namespace {

SOCKET ConnectLoopback(int port) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<u_short>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (s == INVALID_SOCKET || connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    if (s != INVALID_SOCKET) closesocket(s);
    throw std::runtime_error("sample site: cannot reach the control port");
  }
  return s;
}

}  // namespace

std::string JsonString(const std::string& bytes) {
  static const char* hex = "0123456789abcdef";
  std::string out = "\"";
  for (unsigned char c : bytes) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7f) {
      out += "\\u00";
      out += hex[c >> 4];
      out += hex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

static std::string Hex(const std::string& bytes) {
  static const char* hex = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    out += hex[c >> 4];
    out += hex[c & 15];
  }
  return out;
}

SiteReply SiteReply::Status(int code, std::string reason, std::string body) {
  SiteReply r;
  r.status = code;
  r.reason = std::move(reason);
  r.body = std::move(body);
  return r;
}

SiteReply SiteReply::Ok(std::string body, std::string contentType) {
  SiteReply r;
  r.body = std::move(body);
  if (!contentType.empty()) r.Header("Content-Type", std::move(contentType));
  return r;
}

SiteReply SiteReply::Redirect(int code, std::string location) {
  SiteReply r = Status(code, code == 301 ? "Moved Permanently" : code == 303 ? "See Other" : "Found");
  r.Header("Location", std::move(location));
  return r;
}

SiteReply SiteReply::Raw(std::string bytes, bool keepOpen) {
  SiteReply r;
  r.isRaw = true;
  r.raw = std::move(bytes);
  r.keep = keepOpen;
  return r;
}

SiteReply& SiteReply::Header(std::string name, std::string value) {
  headers.emplace_back(std::move(name), std::move(value));
  return *this;
}

std::string SiteReply::ToJson() const {
  std::string j = "{";
  auto num = [&](const char* key, double v) { j += "\"" + std::string(key) + "\":" + std::to_string(v) + ","; };
  if (isRaw) {
    j += "\"raw_hex\":\"" + Hex(raw) + "\",";
    if (!forever.empty()) j += "\"forever_hex\":\"" + Hex(forever) + "\",";
    if (keep) j += "\"keep\":true,";
  } else {
    j += "\"status\":" + std::to_string(status) + ",\"reason\":" + JsonString(reason) + ",";
    if (!statusLine.empty()) j += "\"status_line\":" + JsonString(statusLine) + ",";
    j += "\"headers\":[";
    for (size_t i = 0; i < headers.size(); ++i)
      j += (i ? "," : "") + std::string("[") + JsonString(headers[i].first) + "," + JsonString(headers[i].second) + "]";
    j += "],\"body_hex\":\"" + Hex(body) + "\",\"framing\":" + JsonString(framing) + ",";
    if (chunk) j += "\"chunk\":" + std::to_string(chunk) + ",";
    if (missing) j += "\"missing\":" + std::to_string(missing) + ",";
    if (sendContinue) j += "\"continue\":true,";
    if (bodyDelay > 0) num("body_delay", bodyDelay);
    if (close) j += "\"close\":true,";
    if (cutRecord) j += "\"cut_record\":true,";
    if (!tlsEnd.empty()) j += "\"tls_end\":" + JsonString(tlsEnd) + ",";
  }
  if (delay > 0) num("delay", delay);
  j.back() = '}';
  return j;
}

std::string SiteRequest::Target() const {
  size_t a = raw.find(' ');
  size_t b = a == std::string::npos ? a : raw.find(' ', a + 1);
  return b == std::string::npos ? std::string() : raw.substr(a + 1, b - a - 1);
}

void* StartTool(const std::string& script, const std::vector<std::string>& args, const std::string& lastKey,
                std::string& ports) {
  static int serial = 0;
  std::string source = EnvOr("TALVIK_SOURCE_DIR", "");
  if (source.empty()) throw std::runtime_error(script + ": TALVIK_SOURCE_DIR is not set");
  std::string python = EnvOr("TALVIK_PYTHON", "/usr/bin/python3");
  std::string portFile = "/tmp/talvik-tool-" + std::to_string(GetCurrentProcessId()) + "-" +
                         std::to_string(++serial) + ".txt";
  std::wstring portFileWin = UnixToWindowsPath(portFile);
  DeleteFileW(portFileWin.c_str());

  // Wine starts a Unix program named by its Z: path; the arguments reach it as they are.
  std::string cmd = Quote(python) + " " + Quote(source + "/tools/" + script) + " --port-file " + Quote(portFile) +
                    " --lifetime 900";
  for (const auto& a : args) cmd += " " + Quote(a);
  std::wstring app = UnixToWindowsPath(python), wcmd = Widen(cmd);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(app.c_str(), wcmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    throw std::runtime_error(script + ": cannot start " + python + " (error " + std::to_string(GetLastError()) + ")");
  if (pi.hThread) CloseHandle(pi.hThread);

  for (int i = 0; i < 300 && !(ReadFileText(portFileWin, ports) && ports.find(lastKey + " ") != std::string::npos);
       ++i)
    Sleep(20);
  DeleteFileW(portFileWin.c_str());
  return pi.hProcess;
}

SampleSite::SampleSite(const std::vector<std::string>& args) {
  std::string scheme = "http://", name = "127.0.0.1";
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--tls") scheme = "https://";
    if (args[i] == "--name" && i + 1 < args.size()) name = args[i + 1];
  }
  FOrigin = scheme + name;
  std::string text;
  FProcess = StartTool("talvik_site.py", args, "CONTROL", text);
  FPort = ValueAfter(text, "PORT");
  int control = ValueAfter(text, "CONTROL");
  if (!FPort || !control) {
    Stop();
    throw std::runtime_error("sample site: did not report its ports");
  }
  FControl = ConnectLoopback(control);
}

SampleSite::~SampleSite() { Stop(); }

void SampleSite::Stop() {
  if (FControl != ~0ull) {
    try {
      Command("{\"cmd\":\"quit\"}");
    } catch (...) {
    }
    closesocket(FControl);
    FControl = ~0ull;
  }
  if (FProcess) {
    CloseHandle(FProcess);
    FProcess = nullptr;
  }
}

std::string SampleSite::Url(const std::string& path) const {
  return FOrigin + ":" + std::to_string(FPort) + path;
}

std::wstring SampleSite::WUrl(const std::string& path) const { return Widen(Url(path)); }

std::string SampleSite::Command(const std::string& json) {
  std::string line = json + "\n";
  if (send(FControl, line.data(), static_cast<int>(line.size()), 0) != static_cast<int>(line.size()))
    throw std::runtime_error("sample site: control send failed");
  std::string head;
  char c;
  while (recv(FControl, &c, 1, 0) == 1 && c != '\n') head += c;
  size_t space = head.find(' ');
  if (space == std::string::npos) throw std::runtime_error("sample site: no answer to " + json.substr(0, 200));
  size_t n = std::strtoul(head.c_str() + space + 1, nullptr, 10);
  std::string payload(n, '\0');
  for (size_t got = 0; got < n;) {
    int r = recv(FControl, payload.data() + got, static_cast<int>(n - got), 0);
    if (r <= 0) throw std::runtime_error("sample site: control connection lost");
    got += r;
  }
  if (head.compare(0, 2, "OK") != 0) throw std::runtime_error("sample site: " + payload);
  return payload;
}

void SampleSite::Reset() { Command("{\"cmd\":\"reset\"}"); }

void SampleSite::RequireLogin(const std::string& cookie) {
  Command("{\"cmd\":\"login\",\"cookie\":" + JsonString(cookie) + "}");
}

void SampleSite::Album(const std::string& name, int photos, int perPage, int size) {
  Command("{\"cmd\":\"album\",\"name\":" + JsonString(name) + ",\"photos\":" + std::to_string(photos) +
          ",\"per_page\":" + std::to_string(perPage) + ",\"size\":" + std::to_string(size) + "}");
}

void SampleSite::Route(const std::string& target, const std::vector<SiteReply>& replies, bool prefix) {
  std::string j = "{\"cmd\":\"route\",\"target\":" + JsonString(target) + ",\"prefix\":" +
                  (prefix ? "true" : "false") + ",\"replies\":[";
  for (size_t i = 0; i < replies.size(); ++i) j += (i ? "," : "") + replies[i].ToJson();
  Command(j + "]}");
}

std::vector<SiteRequest> SampleSite::Requests() {
  std::string blob = Command("{\"cmd\":\"records\"}");
  std::vector<SiteRequest> out;
  size_t at = 0;
  while (at < blob.size()) {
    size_t nl = blob.find('\n', at);
    if (nl == std::string::npos) break;
    SiteRequest r;
    size_t len = 0;
    if (std::sscanf(blob.c_str() + at, "%d %zu", &r.connection, &len) != 2) break;
    r.raw = blob.substr(nl + 1, len);
    at = nl + 1 + len;
    out.push_back(std::move(r));
  }
  return out;
}

namespace {

std::vector<std::string> Lines(const std::string& blob) {
  std::vector<std::string> lines;
  for (size_t at = 0, nl; (nl = blob.find('\n', at)) != std::string::npos; at = nl + 1)
    lines.push_back(blob.substr(at, nl - at));
  return lines;
}

}  // namespace

std::vector<std::string> SampleSite::ServerNames() { return Lines(Command("{\"cmd\":\"server_names\"}")); }

std::vector<std::string> SampleSite::TlsCloses() { return Lines(Command("{\"cmd\":\"tls_closes\"}")); }

void SampleSite::Fail(const std::string& target, int times, int status, const std::string& reason,
                      const std::string& retryAfter) {
  std::string j = "{\"cmd\":\"fail\",\"target\":" + JsonString(target) + ",\"times\":" + std::to_string(times) +
                  ",\"status\":" + std::to_string(status) + ",\"reason\":" + JsonString(reason);
  if (!retryAfter.empty()) j += ",\"retry_after\":" + JsonString(retryAfter);
  Command(j + "}");
}

void SampleSite::CutAfterPhotos(int photos, int times) {
  Command("{\"cmd\":\"cut\",\"after_photos\":" + std::to_string(photos) +
          (times >= 0 ? ",\"times\":" + std::to_string(times) : std::string()) + "}");
}

int SampleSite::UnusedPort() {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  int len = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
  closesocket(s);
  return ntohs(a.sin_port);
}

}  // namespace talvik::testsupport
