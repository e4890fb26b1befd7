#!/usr/bin/env python3
"""A small forwarding HTTP proxy on 127.0.0.1, for tests and demonstrations.

Plain-http requests come in absolute form ("GET http://host:port/path HTTP/1.1")
and go on to their site in origin form, without the proxy's own header lines;
"CONNECT host:port" opens a tunnel. With --auth USER:PASSWORD every request
must carry "Proxy-Authorization: Basic ..." with that login, or it gets
"407 Proxy Authentication Required".

--log FILE records the head of every request the proxy received, each as a
line "<len>" followed by that many bytes. A request "QUIT / HTTP/1.1" ends the proxy.
"""
import argparse
import base64
import os
import socket
import socketserver
import sys
import threading

MAX_HEAD = 1 << 20
DROPPED = (b"proxy-authorization", b"proxy-connection", b"connection", b"keep-alive")


def read_head(sock, buf):
    """(head, rest) of the next request or reply head; head is None at the close."""
    while b"\r\n\r\n" not in buf:
        data = sock.recv(65536)
        if not data or len(buf) > MAX_HEAD:
            return None, buf
        buf += data
    end = buf.index(b"\r\n\r\n") + 4
    return buf[:end], buf[end:]


def header(head, name):
    for line in head.split(b"\r\n")[1:]:
        key, _, value = line.partition(b":")
        if key.strip().lower() == name:
            return value.strip()
    return None


def pipe(src, dst):
    try:
        while True:
            data = src.recv(65536)
            if not data:
                break
            dst.sendall(data)
    except OSError:
        pass
    for s in (dst,):
        try:
            s.shutdown(socket.SHUT_WR)
        except OSError:
            pass


class ProxyHandler(socketserver.BaseRequestHandler):
    def handle(self):
        client = self.request
        client.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        buf = b""
        while True:
            try:
                head, buf = read_head(client, buf)
            except OSError:
                return
            if head is None:
                return
            self.server.record(head)
            words = head.split(b"\r\n", 1)[0].split(b" ")
            if len(words) != 3:
                return self.answer(client, b"400 Bad Request", close=True)
            if words[0] == b"QUIT":
                self.answer(client, b"200 OK", close=True)
                self.server.done.set()
                return
            if not self.server.allowed(header(head, b"proxy-authorization")):
                self.answer(client, b"407 Proxy Authentication Required",
                            [b'Proxy-Authenticate: Basic realm="talvik proxy"'])
                continue
            method, target, version = words
            if method == b"CONNECT":
                return self.tunnel(client, target, buf)
            if not target.startswith(b"http://"):
                return self.answer(client, b"400 Bad Request", close=True)
            if not self.forward(client, method, target, version, head):
                return

    @staticmethod
    def answer(client, status, headers=(), close=False):
        body = status + b"\n"
        lines = [b"HTTP/1.1 " + status] + list(headers) + [b"Content-Length: %d" % len(body)]
        if close:
            lines.append(b"Connection: close")
        try:
            client.sendall(b"\r\n".join(lines) + b"\r\n\r\n" + body)
        except OSError:
            pass

    def tunnel(self, client, target, early):
        host, _, port = target.decode("latin-1").rpartition(":")
        try:
            upstream = socket.create_connection((host, int(port)), timeout=10)
            upstream.settimeout(None)
        except (OSError, ValueError):
            return self.answer(client, b"502 Bad Gateway", close=True)
        client.sendall(b"HTTP/1.1 200 Connection established\r\n\r\n")
        if early:
            upstream.sendall(early)
        back = threading.Thread(target=pipe, args=(upstream, client), daemon=True)
        back.start()
        pipe(client, upstream)
        back.join()
        upstream.close()

    def forward(self, client, method, target, version, head):
        """Sends one request on to its site and its reply back; False when the client connection must close."""
        rest = target[len(b"http://"):]
        hostport, slash, path = rest.partition(b"/")
        host, _, port = hostport.partition(b":")
        lines = [method + b" /" + path + b" " + version]
        for line in head.split(b"\r\n")[1:]:
            if line and line.partition(b":")[0].strip().lower() not in DROPPED:
                lines.append(line)
        # One connection per request: the reply then ends where the site closes.
        lines.append(b"Connection: close")
        try:
            upstream = socket.create_connection((host.decode("latin-1"), int(port or b"80")), timeout=30)
            upstream.sendall(b"\r\n".join(lines) + b"\r\n\r\n")
            reply, body = read_head(upstream, b"")
        except (OSError, ValueError):
            self.answer(client, b"502 Bad Gateway", close=True)
            return False
        if reply is None:
            self.answer(client, b"502 Bad Gateway", close=True)
            return False
        length = header(reply, b"content-length")
        chunked = b"chunked" in (header(reply, b"transfer-encoding") or b"").lower()
        client.sendall(reply + body)
        sent = len(body)
        try:
            while True:
                data = upstream.recv(65536)
                if not data:
                    break
                client.sendall(data)
                sent += len(data)
                body = (body + data)[-16:]
        except OSError:
            return False
        upstream.close()
        # The client keeps its connection only when the reply ended where its framing says.
        if length is not None:
            return length.isdigit() and sent == int(length)
        return chunked and body.endswith(b"0\r\n\r\n")


class Proxy(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True

    def __init__(self, address, login, log):
        super().__init__(address, ProxyHandler)
        self.expected = b"Basic " + base64.b64encode(login.encode("utf-8")) if login else None
        self.log = log
        self.lock = threading.Lock()
        self.done = threading.Event()

    def allowed(self, credentials):
        return self.expected is None or credentials == self.expected

    def record(self, head):
        if not self.log:
            return
        with self.lock, open(self.log, "ab") as f:
            f.write(b"%d\n" % len(head) + head)


def main(argv=None):
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--port", type=int, default=0, help="port (0: any free port)")
    p.add_argument("--port-file", help='write "PORT n" to this file once listening (else to standard output)')
    p.add_argument("--auth", metavar="USER:PASSWORD", help="require this Basic login")
    p.add_argument("--log", help="append the head of every request received to this file")
    p.add_argument("--lifetime", type=float, default=0, help="exit after this many seconds (0: never)")
    args = p.parse_args(argv)

    proxy = Proxy(("127.0.0.1", args.port), args.auth, args.log)
    threading.Thread(target=proxy.serve_forever, daemon=True).start()
    line = "PORT %d\n" % proxy.server_address[1]
    if args.port_file:
        with open(args.port_file + ".tmp", "w") as f:
            f.write(line)
        os.replace(args.port_file + ".tmp", args.port_file)
    else:
        sys.stdout.write(line)
        sys.stdout.flush()
    try:
        proxy.done.wait(args.lifetime if args.lifetime > 0 else None)
    except KeyboardInterrupt:
        pass
    proxy.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
