// The floor for the album walk: the least a Winsock client can do to make the
// downloader's requests (list pages, photo pages, images, in its order, over one
// kept-alive connection) and write the same files in the same safe way (a scratch
// name, flushed, then renamed). No parsing, no cookies, no
// checks beyond what keeps the bytes right; the walk is measured against it.
// Usage: walk_floor HOST PORT ALBUM PHOTOS PER-PAGE OUT-DIR
#include <winsock2.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

SOCKET Sock = INVALID_SOCKET;
std::vector<char> Head(256 * 1024);
size_t HeadUsed = 0;
std::vector<char> Body;

[[noreturn]] void Die(const char* what) {
  std::fprintf(stderr, "walk_floor: %s (%d)\n", what, WSAGetLastError());
  std::exit(1);
}

// Sends one GET and leaves its body in Body.
void Get(const std::string& host, const std::string& target, const std::string& referer) {
  std::string request = "GET " + target + " HTTP/1.1\r\nHost: " + host +
                        "\r\nAccept: text/html, */*\r\nAccept-Encoding: identity\r\n";
  if (!referer.empty()) request += "Referer: " + referer + "\r\n";
  request += "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n\r\n";
  if (send(Sock, request.data(), static_cast<int>(request.size()), 0) != static_cast<int>(request.size())) Die("send");

  size_t end;
  while ((end = std::string_view(Head.data(), HeadUsed).find("\r\n\r\n")) == std::string_view::npos) {
    int n = recv(Sock, Head.data() + HeadUsed, static_cast<int>(Head.size() - HeadUsed), 0);
    if (n <= 0) Die("recv head");
    HeadUsed += n;
  }
  const size_t headLength = end + 4;
  const size_t length = std::string_view(Head.data(), headLength).find("Content-Length: ");
  if (length == std::string_view::npos) Die("no Content-Length");
  const size_t size = std::strtoull(Head.data() + length + 16, nullptr, 10);
  if (Body.size() < size) Body.resize(size);
  size_t have = std::min(size, HeadUsed - headLength);
  std::memcpy(Body.data(), Head.data() + headLength, have);
  std::memmove(Head.data(), Head.data() + headLength + have, HeadUsed - headLength - have);
  HeadUsed -= headLength + have;
  while (have < size) {
    int n = recv(Sock, Body.data() + have, static_cast<int>(size - have), 0);
    if (n <= 0) Die("recv body");
    have += n;
  }
  Body.resize(size);
}

// As the downloader must: under a scratch name, flushed, then one rename, so that
// no short photo ever stands under its name.
void Save(const std::wstring& path) {
  HANDLE file = CreateFileW((path + L".part").c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) Die("create");
  DWORD written = 0;
  if (!WriteFile(file, Body.data(), static_cast<DWORD>(Body.size()), &written, nullptr)) Die("write");
  if (!FlushFileBuffers(file)) Die("flush");
  const std::wstring target = L"\\??\\" + path;
  std::vector<char> rename(sizeof(FILE_RENAME_INFO) + target.size() * sizeof(wchar_t));
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(rename.data());
  info->ReplaceIfExists = TRUE;
  info->FileNameLength = static_cast<DWORD>(target.size() * sizeof(wchar_t));
  std::memcpy(info->FileName, target.data(), info->FileNameLength);
  if (!SetFileInformationByHandle(file, FileRenameInfo, info, static_cast<DWORD>(rename.size()))) Die("rename");
  CloseHandle(file);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 7) {
    std::fprintf(stderr, "usage: walk_floor HOST PORT ALBUM PHOTOS PER-PAGE OUT-DIR\n");
    return 2;
  }
  auto narrow = [](const wchar_t* s) { return std::string(s, s + wcslen(s)); };
  const std::string hostName = narrow(argv[1]), port = narrow(argv[2]), album = narrow(argv[3]);
  const int photos = _wtoi(argv[4]), perPage = _wtoi(argv[5]);
  const std::wstring out = argv[6];
  const std::string host = hostName + ":" + port, base = "http://" + host;

  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(std::atoi(port.c_str())));
  address.sin_addr.s_addr = inet_addr(hostName.c_str());
  Sock = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (connect(Sock, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) Die("connect");
  BOOL on = TRUE;
  setsockopt(Sock, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);

  std::string referer;
  for (int page = 0, k = 1;; ++page) {
    Get(host, "/album/" + album + "?curpage=" + std::to_string(page), referer);
    if (k > photos) break;
    for (int i = 0; i < perPage && k <= photos; ++i, ++k) {
      const std::string link = base + "/album/" + album + "/photo/" + std::to_string(k);
      Get(host, link.substr(base.size()), referer);
      referer = link;
      Get(host, "/photo/" + album + "-" + std::to_string(k) + ".jpg", referer);
      Save(out + L"\\" + std::to_wstring(k) + L".jpg");
    }
  }
  closesocket(Sock);
  return 0;
}
