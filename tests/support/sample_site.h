// Starts the sample Talvik site (tools/talvik_site.py) for a test, scripts its
// replies and reads back the raw requests it received.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace talvik::testsupport {

// One scripted reply. Bodies and raw replies are bytes, sent exactly.
struct SiteReply {
  int status = 200;
  std::string reason = "OK";
  std::string statusLine;  // replaces "HTTP/1.1 status reason" when set
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;
  std::string framing = "length";  // length, chunked, close, early, none
  int chunk = 0;                   // chunk size for "chunked"
  int missing = 0;                 // bytes that "early" announces but never sends
  bool sendContinue = false;       // a "100 Continue" reply first
  double delay = 0;                // seconds before the reply
  double bodyDelay = 0;            // seconds between the header and the body
  bool close = false;              // close the connection after the reply
  bool isRaw = false;              // send `raw` (then `forever` endlessly) as the whole reply
  std::string raw;
  std::string forever;
  bool keep = false;               // a raw reply keeps the connection open
  bool cutRecord = false;          // over https: then part of a TLS record, and the close
  // Over https, when the site closes after the reply: "notify" (default: TLS's
  // closing message, then up to 2 s for the client's), "wait" (the same, 30 s),
  // "abrupt" (no closing message), "notify_open" (the closing message, and the
  // connection left open for the client to close).
  std::string tlsEnd;

  static SiteReply Status(int code, std::string reason, std::string body = {});
  static SiteReply Ok(std::string body, std::string contentType = "text/html");
  static SiteReply Redirect(int code, std::string location);
  static SiteReply Raw(std::string bytes, bool keepOpen = false);
  SiteReply& Header(std::string name, std::string value);
  std::string ToJson() const;
};

struct SiteRequest {
  int connection = 0;  // requests on the same connection share this id
  std::string raw;     // the request line and header lines, CR LF included
  std::string Target() const;  // the request line's target
};

class SampleSite {
public:
  // Extra command-line arguments go to the site (e.g. "--album", "a:3:2:1000").
  explicit SampleSite(const std::vector<std::string>& args = {});
  ~SampleSite();
  SampleSite(const SampleSite&) = delete;
  SampleSite& operator=(const SampleSite&) = delete;

  int Port() const { return FPort; }
  // http://127.0.0.1:PORT + path; https and the name of "--name" for a site with "--tls".
  std::string Url(const std::string& path = "/") const;
  std::wstring WUrl(const std::string& path = "/") const;

  void Reset();  // forget routes and the record, restore the albums
  void Album(const std::string& name, int photos, int perPage, int size);
  // Album list pages show photos only to requests carrying this cookie
  // ("name=value"); empty: to everybody.
  void RequireLogin(const std::string& cookie);
  // Requests for target (path and query; a prefix when prefix is true) get the
  // replies in turn; the last one repeats.
  void Route(const std::string& target, const std::vector<SiteReply>& replies, bool prefix = false);
  void Route(const std::string& target, const SiteReply& reply) { Route(target, std::vector<SiteReply>{reply}); }
  std::vector<SiteRequest> Requests();
  // Over https: the server name each handshake asked for, "-" for none.
  std::vector<std::string> ServerNames();
  // Over https, for each connection the site closed: "notify" when the client
  // answered the site's closing message with its own, "none" when it did not.
  std::vector<std::string> TlsCloses();

  // The next `times` requests for target fail with the status (and a
  // "Retry-After" when retryAfter is not empty); later ones get their usual reply.
  void Fail(const std::string& target, int times, int status, const std::string& reason,
            const std::string& retryAfter = {});
  // Once `photos` photos have been served whole, the next `times` photo replies
  // (all when negative) stop halfway through the body and the connection closes.
  void CutAfterPhotos(int photos, int times = -1);

  // Sends one control command (a JSON object) and returns its answer; fails the test on error.
  std::string Command(const std::string& json);

  // A port on 127.0.0.1 on which nothing listens.
  static int UnusedPort();

private:
  void Stop();
  void* FProcess = nullptr;
  unsigned long long FControl = ~0ull;
  int FPort = 0;
  std::string FOrigin;
  std::string FPending;
};

// Starts tools/SCRIPT with ARGS and a port file, and waits until that file names
// LASTKEY; the file's "KEY n" lines land in PORTS. Returns the process handle.
void* StartTool(const std::string& script, const std::vector<std::string>& args, const std::string& lastKey,
                std::string& ports);
// The Windows name of a Unix path (Wine maps the Unix root to drive Z:).
std::wstring UnixToWindowsPath(const std::string& unixPath);

// n of a "KEY n" line, or 0.
int ValueAfter(const std::string& text, const std::string& key);

// JSON string literal for bytes: every byte outside printable ASCII as \u00XX.
std::string JsonString(const std::string& bytes);

}  // namespace talvik::testsupport
