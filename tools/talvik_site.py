#!/usr/bin/env python3
"""A sample Talvik photo site on 127.0.0.1, for tests and demonstrations; over
https with --tls.

Serves albums whose list pages and photo pages carry the markers the downloader
looks for, and real JPEG photos. Tests script its behaviour (redirects, error
statuses, framing, cookies, charsets, slow or raw replies) through a control
port and read back the raw bytes of every request it received, with the id of
the connection that carried it. Control traffic never shows in that record.

Pages:
  /album/NAME?curpage=N      list page N of album NAME (empty past the last page,
                             and for a visitor without the login of --login)
  /album/NAME/photo/K        photo page of photo K (1-based)
  /photo/NAME-K.jpg          the photo itself, a valid baseline JPEG
  anything else              200 with a small home page

Control protocol (one TCP connection per client, any number of commands):
  the client sends one JSON object per line; the site answers
  "OK <n>\\n" or "ERR <n>\\n" followed by n bytes.
  {"cmd":"reset"}                         forget routes and records, restore albums
  {"cmd":"album","name":N,"photos":P,"per_page":Q,"size":S}
  {"cmd":"login","cookie":"NAME=VALUE"}   as --login (an empty cookie: no login needed)
  {"cmd":"route","target":T,"replies":[R...],"prefix":false}
        requests whose target (path and query) is T (or starts with T when
        prefix is true) get the replies in turn; the last one repeats.
  {"cmd":"records"}  answer: for each request "<conn> <len>\\n" + raw bytes
  {"cmd":"server_names"}  answer: over https, the server name each handshake
        asked for ("-" for none), one per line
  {"cmd":"tls_closes"}  answer: over https, for each connection the site closed,
        "notify" when the client answered the site's closing message, "none"
        when it did not, one per line
  {"cmd":"fail","target":T,"times":K,"status":503,"reason":R,"retry_after":A,"prefix":false}
        the next K requests for T fail with that status (and "Retry-After: A"
        when given); later ones get their usual reply
  {"cmd":"cut","after_photos":N,"times":M}
        once N photos have been served whole, the next M photo replies (all
        when M is left out) stop halfway through the body and the connection closes
  {"cmd":"quit"}
A reply R is an object with any of:
  status, reason (default 200 OK), status_line (replaces both),
  headers [[name, value], ...], body (text), encoding (for body, default utf-8),
  body_hex, framing: "length" (default) | "chunked" | "close" (no length, close
  after) | "early" (announce more than is sent, then close) | "none" (no length
  header, no body), chunk (chunk size, default 1000), missing (bytes that "early"
  leaves out, default 100), continue (send "100 Continue" first), delay and
  body_delay (seconds), close (close the connection after the reply),
  raw_hex (send these bytes as the whole reply; closes unless keep is true),
  cut_record (over https: after the reply, send part of a TLS record and close),
  tls_end (over https, for a reply after which the site closes: "notify", the
  default, sends TLS's closing message and waits up to 2 s for the client's;
  "wait" sends it and waits up to 30 s; "abrupt" closes the connection at a
  record boundary without it; "notify_open" sends it right after the reply and
  keeps the connection open for the client to leave),
  forever_hex (after raw_hex, send these bytes again and again until the peer
  goes away).
"""
import argparse
import base64
import json
import os
import socket
import socketserver
import ssl
import sys
import threading
import time

# A 16x16 baseline JPEG; every photo is this picture with its own comment segments.
BASE_JPEG = base64.b64decode(
    "/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDAA0JCgsKCA0LCgsODg0PEyAVExISEyccHhcgLikxMC4pLSwzOko+"
    "MzZGNywtQFdBRkxOUlNSMj5aYVpQYEpRUk//2wBDAQ4ODhMREyYVFSZPNS01T09PT09PT09PT09PT09PT09P"
    "T09PT09PT09PT09PT09PT09PT09PT09PT09PT09PT0//wAARCAAQABADASIAAhEBAxEB/8QAFgABAQEAAAAA"
    "AAAAAAAAAAAAAAUG/8QAFhAAAwAAAAAAAAAAAAAAAAAAABRh/8QAFQEBAQAAAAAAAAAAAAAAAAAAAgP/xAAV"
    "EQEBAAAAAAAAAAAAAAAAAAAAFP/aAAwDAQACEQMRAD8AnpwJw0CcCcI1nM//2Q==")

DEFAULT_ALBUMS = {"sample": (12, 5, 20000)}
MAX_REQUEST_HEAD = 1 << 20


def make_jpeg(photo_id, size):
    """The base picture with COM segments naming the photo, padded to size bytes when possible."""
    tag = ("talvik photo " + photo_id).encode("utf-8")
    segments = [tag]
    room = size - len(BASE_JPEG) - (4 + len(tag))
    filler = (photo_id + " ").encode("utf-8") * 8
    while room >= 4:
        n = min(room - 4, 65533)
        segments.append((filler * (n // len(filler) + 1))[:n])
        room -= 4 + n
    out = bytearray(BASE_JPEG[:2])
    for s in segments:
        out += b"\xff\xfe" + (len(s) + 2).to_bytes(2, "big") + s
    out += BASE_JPEG[2:]
    return bytes(out)


class Site:
    def __init__(self, albums):
        self.lock = threading.Lock()
        self.default_albums = dict(albums)
        self.albums = dict(albums)
        self.routes = []  # (target, prefix, [replies])
        self.records = []  # (conn, raw)
        self.next_conn = 0
        self.server_names = []
        self.tls_closes = []
        self.port = 0
        self.origin = "http://127.0.0.1"
        self.jpeg_cache = {}
        self.trouble = Trouble()
        self.latency = 0
        self.require_referer = None
        self.login = None  # "name=value" a list page needs among the request's cookies
        self.default_login = None

    # --- state -------------------------------------------------------------
    def new_connection(self):
        with self.lock:
            self.next_conn += 1
            return self.next_conn

    def record(self, conn, raw):
        with self.lock:
            self.records.append((conn, raw))

    def reset(self):
        with self.lock:
            self.routes = []
            self.records = []
            self.server_names = []
            self.tls_closes = []
            self.albums = dict(self.default_albums)
            self.login = self.default_login
        self.trouble.reset()

    def scripted_reply(self, target):
        with self.lock:
            best = None
            for route in self.routes:
                t, prefix, replies = route
                if t == target or (prefix and target.startswith(t)):
                    if best is None or (not prefix and best[1]) or len(t) > len(best[0]):
                        best = route
            if best is None:
                return None
            replies = best[2]
            return replies.pop(0) if len(replies) > 1 else replies[0]

    # --- pages -------------------------------------------------------------
    def url(self, path):
        return "%s:%d%s" % (self.origin, self.port, path)

    def default_reply(self, target, cookies=()):
        path, _, query = target.partition("?")
        parts = path.strip("/").split("/")
        if len(parts) == 2 and parts[0] == "album" and parts[1] in self.albums:
            if self.login and self.login not in cookies:
                return self.list_page(parts[1], -1)  # what the site shows a visitor: no photos
            page = 0
            for kv in query.split("&"):
                k, _, v = kv.partition("=")
                if k == "curpage":
                    try:
                        page = int(v)
                    except ValueError:
                        return {"status": 400, "reason": "Bad Request", "body": "bad curpage"}
            return self.list_page(parts[1], page)
        if len(parts) == 4 and parts[0] == "album" and parts[2] == "photo" and parts[1] in self.albums:
            return self.photo_page(parts[1], parts[3])
        if len(parts) == 2 and parts[0] == "photo" and parts[1].endswith(".jpg"):
            photo_id = parts[1][:-4]
            name, _, k = photo_id.rpartition("-")
            if name in self.albums and k.isdigit() and 1 <= int(k) <= self.albums[name][0]:
                key = (photo_id, self.albums[name][2])
                if key not in self.jpeg_cache:
                    self.jpeg_cache[key] = make_jpeg(photo_id, key[1])
                return {"headers": [["Content-Type", "image/jpeg"]], "body_bytes": self.jpeg_cache[key]}
            return {"status": 404, "reason": "Not Found", "body": "no such photo"}
        if parts[0] in ("album", "photo"):
            return {"status": 404, "reason": "Not Found", "body": "not found"}
        return html_reply("<html><head><title>Talvik</title></head><body>Talvik 首页</body></html>")

    def list_page(self, name, page):
        photos, per_page, _ = self.albums[name]
        first = page * per_page + 1
        items = []
        for k in range(first, min(first + per_page, photos + 1)) if page >= 0 else []:
            link = self.url("/album/%s/photo/%d" % (name, k))
            items.append('<li><span class="img"><a href="%s"><img src="%s" alt="%d"></a></span></li>'
                         % (link, self.url("/photo/%s-%d.jpg" % (name, k)), k))
        body = ("<html><head><meta charset=\"utf-8\"><title>相册 %s</title></head><body>\n"
                "<ul class=\"photos\">\n%s\n</ul>\n<p>第 %d 页</p></body></html>\n"
                % (name, "\n".join(items), page + 1))
        return html_reply(body)

    def photo_page(self, name, k):
        if not k.isdigit() or not 1 <= int(k) <= self.albums[name][0]:
            return {"status": 404, "reason": "Not Found", "body": "no such photo"}
        large = self.url("/photo/%s-%s.jpg" % (name, k)).replace("/", "\\/")
        body = ("<html><head><meta charset=\"utf-8\"><title>照片 %s</title></head><body>\n"
                "<script>var photo = {\"id\":\"%s\",\"title\":\"照片\",\"large\":\"%s\"};</script>\n"
                "</body></html>\n" % (k, k, large))
        return html_reply(body)


def referer_of(raw):
    for line in raw.split(b"\r\n")[1:]:
        name, _, value = line.partition(b":")
        if name.strip().lower() == b"referer":
            return value.strip().decode("latin-1")
    return ""


def request_cookies(raw):
    """The name=value pairs of a request head's Cookie lines."""
    pairs = []
    for line in raw.decode("latin-1").split("\r\n")[1:]:
        name, _, value = line.partition(":")
        if name.strip().lower() == "cookie":
            pairs += [p.strip() for p in value.split(";") if p.strip()]
    return pairs


def html_reply(text):
    return {"headers": [["Content-Type", "text/html; charset=utf-8"]], "body": text}


def reply_body(reply):
    if "body_bytes" in reply:
        return reply["body_bytes"]
    if "body_hex" in reply:
        return bytes.fromhex(reply["body_hex"])
    return reply.get("body", "").encode(reply.get("encoding", "utf-8"))


def send_reply(sock, reply):
    """Sends one scripted reply; returns whether the connection stays open."""
    if reply.get("delay"):
        time.sleep(reply["delay"])
    if "raw_hex" in reply or "forever_hex" in reply:
        sock.sendall(bytes.fromhex(reply.get("raw_hex", "")))
        if "forever_hex" in reply:
            chunk = bytes.fromhex(reply["forever_hex"]) * 64
            try:
                while True:
                    sock.sendall(chunk)
            except OSError:
                return False
        return bool(reply.get("keep"))
    body = reply_body(reply)
    framing = reply.get("framing", "length")
    head = [reply.get("status_line") or "HTTP/1.1 %d %s" % (reply.get("status", 200), reply.get("reason", "OK"))]
    headers = [list(h) for h in reply.get("headers", [])]
    names = {h[0].lower() for h in headers}
    if framing == "length" and "content-length" not in names:
        headers.append(["Content-Length", str(len(body))])
    elif framing == "early":
        headers.append(["Content-Length", str(len(body) + reply.get("missing", 100))])
    elif framing == "chunked" and "transfer-encoding" not in names:
        headers.append(["Transfer-Encoding", "chunked"])
    head += ["%s: %s" % (n, v) for n, v in headers]
    data = b""
    if reply.get("continue"):
        data += b"HTTP/1.1 100 Continue\r\n\r\n"
    data += ("\r\n".join(head) + "\r\n\r\n").encode("latin-1", "replace")
    if reply.get("body_delay"):
        sock.sendall(data)
        data = b""
        time.sleep(reply["body_delay"])
    if framing == "chunked":
        step = max(1, reply.get("chunk", 1000))
        for i in range(0, len(body), step):
            piece = body[i:i + step]
            data += b"%x\r\n" % len(piece) + piece + b"\r\n"
        data += b"0\r\n\r\n"
    elif framing != "none":
        data += body
    sock.sendall(data)
    if reply.get("cut_record"):
        cut_tls_record(sock)
        return False
    return not reply.get("close") and framing not in ("close", "early")


def cut_tls_record(sock):
    """Sends the start of a TLS record (its header and a few bytes of a 16 KB
    payload) past the TLS layer, then closes: a peer gone mid-record."""
    raw = socket.socket(fileno=os.dup(sock.fileno()))
    try:
        raw.sendall(bytes([0x17, 0x03, 0x03, 0x40, 0x00]) + os.urandom(300))
        raw.shutdown(socket.SHUT_RDWR)
    finally:
        raw.close()


def end_tls_session(site, sock, wait):
    """Sends TLS's closing message and waits up to WAIT seconds for the client's."""
    answer = "none"
    try:
        sock.settimeout(wait)
        sock.unwrap()
        answer = "notify"
    except (OSError, ValueError):
        pass
    with site.lock:
        site.tls_closes.append(answer)


class PageHandler(socketserver.BaseRequestHandler):
    def handle(self):
        site = self.server.site
        sock = self.request
        sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        conn = site.new_connection()
        buf = b""
        while True:
            while b"\r\n\r\n" not in buf:
                try:
                    data = sock.recv(65536)
                except OSError:
                    return
                if not data or len(buf) > MAX_REQUEST_HEAD:
                    return
                buf += data
            end = buf.index(b"\r\n\r\n") + 4
            raw, buf = buf[:end], buf[end:]
            site.record(conn, raw)
            words = raw.split(b"\r\n", 1)[0].split(b" ")
            target = words[1].decode("latin-1") if len(words) > 1 else ""
            reply = site.trouble.reply(target, site.scripted_reply(target) or
                                       site.default_reply(target, request_cookies(raw)))
            if site.require_referer is not None and not referer_of(raw).startswith(site.require_referer):
                reply = {"status": 403, "reason": "Forbidden", "body": "no hotlinking"}
            if site.latency:
                time.sleep(site.latency)
            try:
                keep = send_reply(sock, reply)
            except OSError:
                return
            tls_end = reply.get("tls_end", "notify")
            if isinstance(sock, ssl.SSLSocket) and tls_end == "notify_open":
                # The session ends here, but the connection stays for the client to close.
                end_tls_session(site, sock, 30)
                return
            if not keep or b"\r\nconnection: close\r\n" in raw.lower():
                if isinstance(sock, ssl.SSLSocket) and tls_end != "abrupt" and not reply.get("cut_record"):
                    end_tls_session(site, sock, 30 if tls_end == "wait" else 2)
                    return
                try:
                    sock.shutdown(socket.SHUT_WR)
                except OSError:
                    pass
                return


class ControlHandler(socketserver.StreamRequestHandler):
    def handle(self):
        site = self.server.site
        for line in self.rfile:
            if not line.strip():
                continue
            try:
                ok, payload = True, self.command(site, json.loads(line))
            except Exception as e:  # report any bad command to the test
                ok, payload = False, ("%s: %s" % (type(e).__name__, e)).encode()
            self.wfile.write(b"%s %d\n" % (b"OK" if ok else b"ERR", len(payload)) + payload)
            self.wfile.flush()
            if ok and payload == b"bye":
                self.server.quit()
                return

    @staticmethod
    def command(site, c):
        cmd = c["cmd"]
        if cmd == "reset":
            site.reset()
        elif cmd == "login":
            with site.lock:
                site.login = c.get("cookie") or None
        elif cmd == "album":
            with site.lock:
                site.albums[c["name"]] = (int(c["photos"]), int(c.get("per_page", 5)), int(c.get("size", 20000)))
        elif cmd == "route":
            replies = c["replies"]
            if not replies:
                raise ValueError("a route needs at least one reply")
            with site.lock:
                site.routes = [r for r in site.routes if r[0] != c["target"]]
                site.routes.append((c["target"], bool(c.get("prefix")), list(replies)))
        elif cmd == "tls_closes":
            with site.lock:
                return "".join("%s\n" % n for n in site.tls_closes).encode()
        elif cmd == "server_names":
            with site.lock:
                return "".join("%s\n" % n for n in site.server_names).encode()
        elif cmd == "records":
            with site.lock:
                return b"".join(b"%d %d\n" % (conn, len(raw)) + raw for conn, raw in site.records)
        elif cmd in Trouble.COMMANDS:
            site.trouble.command(c)
        elif cmd == "quit":
            return b"bye"
        else:
            raise ValueError("unknown command " + cmd)
        return b""


class Trouble:
    """What a real network does to the site's replies: passing failures and cut connections."""
    COMMANDS = ("fail", "cut")

    def __init__(self):
        self.lock = threading.Lock()
        self.reset()

    def reset(self):
        with self.lock:
            self.failures = []  # [target, prefix, tries left, reply]
            self.cut_after = None
            self.cuts_left = 0
            self.photos_served = 0

    def command(self, c):
        with self.lock:
            if c["cmd"] == "fail":
                reply = {"status": int(c.get("status", 503)), "reason": c.get("reason", "Service Unavailable"),
                         "body": "try again later"}
                if "retry_after" in c:
                    reply["headers"] = [["Retry-After", str(c["retry_after"])]]
                self.failures = [f for f in self.failures if f[0] != c["target"]]
                self.failures.append([c["target"], bool(c.get("prefix")), int(c.get("times", 1)), reply])
            else:
                self.cut_after = int(c["after_photos"])
                self.cuts_left = int(c["times"]) if "times" in c else -1
                self.photos_served = 0

    def reply(self, target, reply):
        with self.lock:
            for f in self.failures:
                if f[2] > 0 and (target == f[0] or (f[1] and target.startswith(f[0]))):
                    f[2] -= 1
                    return f[3]
            is_photo = target.startswith("/photo/") and reply.get("status", 200) == 200 and "raw_hex" not in reply
            if not is_photo or self.cut_after is None:
                return reply
            if self.photos_served < self.cut_after or self.cuts_left == 0:
                self.photos_served += 1
                return reply
            self.cuts_left -= 1
        body = reply_body(reply)
        cut = dict(reply, framing="early", missing=len(body) - len(body) // 2)
        cut.pop("body_hex", None)
        cut.pop("body", None)
        cut["body_bytes"] = body[:len(body) // 2]
        return cut


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True
    tls = None  # an ssl.SSLContext: every connection starts with its handshake

    def finish_request(self, request, client_address):
        if self.tls:
            try:
                request.settimeout(30)
                request = self.tls.wrap_socket(request, server_side=True)
                request.settimeout(None)
            except (OSError, ssl.SSLError):
                request.close()
                return
        super().finish_request(request, client_address)


class Server6(Server):
    address_family = socket.AF_INET6


def parse_album(text):
    try:
        name, photos, per_page, size = text.split(":")
        return name, (int(photos), int(per_page), int(size))
    except ValueError:
        raise argparse.ArgumentTypeError("expected NAME:PHOTOS:PER_PAGE:SIZE, got " + text)


def main(argv=None):
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter,
                                epilog="The default album is /album/sample (12 photos, 5 per page, 20000 bytes each).")
    p.add_argument("--port", type=int, default=0, help="page port (0: any free port)")
    p.add_argument("--control-port", type=int, default=0, help="control port (0: any free port)")
    p.add_argument("--port-file", help='write "PORT n" and "CONTROL m" lines to this file once listening '
                   "(without it they go to standard output)")
    p.add_argument("--album", action="append", type=parse_album, default=[], metavar="NAME:PHOTOS:PER_PAGE:SIZE",
                   help="add or replace an album (repeatable)")
    p.add_argument("--lifetime", type=float, default=0, help="exit after this many seconds (0: never)")
    p.add_argument("--exit-with-parent", action="store_true", help="exit when the starting process goes away")
    p.add_argument("--latency", type=float, default=0, metavar="MS",
                   help="wait this many milliseconds before each reply, as a distant server would")
    p.add_argument("--login", metavar="NAME=VALUE",
                   help="serve album list pages only to requests carrying this cookie; others get a page with no "
                        "photos, as the real site shows a visitor who is not logged in")
    p.add_argument("--tls", nargs=2, metavar=("CERT", "KEY"),
                   help="serve the pages over https with this certificate chain and key (PEM files)")
    p.add_argument("--tls-min", choices=("1.2", "1.3"),
                   help="with --tls: the oldest TLS version the site accepts")
    p.add_argument("--name", default="127.0.0.1",
                   help="the host name in the site's own links (the certificate's name, with --tls)")
    p.add_argument("--require-referer", metavar="PREFIX",
                   help="answer 403 to every request whose Referer does not start with PREFIX, as a picture "
                   "server with hotlink protection does")
    p.add_argument("--bind", default="127.0.0.1",
                   help="the address the pages are served on (an IPv6 one such as ::1 too); the control port "
                   "stays on 127.0.0.1")
    args = p.parse_args(argv)

    albums = dict(DEFAULT_ALBUMS)
    albums.update(dict(args.album))
    site = Site(albums)
    site.latency = args.latency / 1000.0
    site.require_referer = args.require_referer
    site.login = site.default_login = args.login
    pages = (Server6 if ":" in args.bind else Server)((args.bind, args.port), PageHandler)
    control = Server(("127.0.0.1", args.control_port), ControlHandler)
    site.origin = ("https://" if args.tls else "http://") + args.name
    if args.tls:
        pages.tls = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        pages.tls.load_cert_chain(*args.tls)
        if args.tls_min:
            pages.tls.minimum_version = {"1.2": ssl.TLSVersion.TLSv1_2, "1.3": ssl.TLSVersion.TLSv1_3}[args.tls_min]

        def note_server_name(sslobj, name, context):
            with site.lock:
                site.server_names.append(name or "-")
        pages.tls.sni_callback = note_server_name
    done = threading.Event()
    for srv in (pages, control):
        srv.site = site
        srv.quit = done.set
    site.port = pages.server_address[1]
    for srv in (pages, control):
        threading.Thread(target=srv.serve_forever, daemon=True).start()

    lines = "PORT %d\nCONTROL %d\n" % (site.port, control.server_address[1])
    if args.port_file:
        tmp = args.port_file + ".tmp"
        with open(tmp, "w") as f:
            f.write(lines)
        os.replace(tmp, args.port_file)
    else:
        sys.stdout.write(lines)
        sys.stdout.flush()

    parent = os.getppid()
    deadline = time.monotonic() + args.lifetime if args.lifetime > 0 else None
    try:
        while not done.wait(0.5):
            if deadline and time.monotonic() > deadline:
                break
            if args.exit_with_parent and os.getppid() != parent:
                break
    except KeyboardInterrupt:
        pass
    pages.server_close()
    control.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
