// The options for real networks that both programs take: skipping photos
// already saved, retries, parallel downloads and a proxy.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "net/idhttp.h"
#include "net/proxy.h"
#include "net/tls_trust.h"

namespace talvik::app {

struct TNetArgs {
  bool SkipExisting = false;
  int Retries = 0;
  int Jobs = 1;
  net::TProxy Proxy;  // no host: the proxy set in Windows, unless ProxyDirect
  bool ProxyDirect = false;  // --proxy direct: no proxy whatever Windows says
  std::shared_ptr<const net::TTrustedRoots> TrustedRoots;  // from --ca-file; null: the system's alone
};

constexpr int kMaxJobs = 16;
constexpr int kMaxRetries = 100;

// Takes AArgs[AIndex] (and the value after it, or after "=") when it is one of
// these options, moving AIndex past what it took. A bad value leaves the reason in AProblem.
bool TakeNetArg(const std::vector<std::wstring>& AArgs, size_t& AIndex, TNetArgs& AInto, std::wstring& AProblem);

// Sets AHTTP's proxy as the options say: the one given, none, or the one set in Windows.
void UseProxy(net::TIdHTTP& AHTTP, const TNetArgs& AArgs);

// Literals, so that each program's usage text takes them in.
#define TALVIK_COOKIES_FROM_BROWSER_HELP                                                  \
  L"  --cookies-from-browser NAME[:PROFILE]\n"                                            \
  L"                      take the login from a browser of this Windows user:\n"          \
  L"                      firefox, edge, chrome, chromium, brave, vivaldi, opera,\n"      \
  L"                      or default (the one that opens https links); PROFILE is\n"      \
  L"                      a Firefox profile's name or folder, or a Chromium-family\n"      \
  L"                      profile folder such as \"Profile 1\" (default: the\n"            \
  L"                      browser's own default profile)\n"
#define TALVIK_NET_ARGS_USAGE L"[--skip-existing] [--retries N] [--jobs N] [--proxy URL|direct] [--ca-file FILE]"
#define TALVIK_NET_ARGS_HELP                                                             \
  L"  --skip-existing     leave out photos whose N.jpg is already in the folder\n"       \
  L"                      (files are only saved whole: an existing one is finished)\n"  \
  L"  --retries N         try a request again up to N times after a failure that\n"     \
  L"                      may pass (refused or reset connection, timeout, cut reply,\n" \
  L"                      status 408, 429 or 5xx), after 1, 2, 4, ... s (at most 30)\n" \
  L"                      or the server's Retry-After (at most 5 minutes); default 0\n" \
  L"  --jobs N            download up to N photos at once, each over its own\n"         \
  L"                      connection (1 to 16; default 1)\n"                            \
  L"  --proxy URL         send every request through the HTTP proxy at\n"               \
  L"                      http://[user:password@]host:port; without it the proxy\n"   \
  L"                      set in Windows is used, and --proxy direct uses none\n"      \
  L"  --ca-file FILE      trust the certificates of this PEM file as roots for https,\n" \
  L"                      besides the system's (for a self-hosted site)\n"

}  // namespace talvik::app
