#!/usr/bin/env python3
"""openssl's own TLS 1.2 server (openssl s_server) on 127.0.0.1, driven so that
it asks the client to renegotiate (a HelloRequest) as soon as a request has
arrived, and then waits: for tests of a server's renegotiation.

Writes "PORT n" to the --port-file (or standard output) once it listens. Ends
after one connection, or after --lifetime seconds.
"""
import argparse
import os
import socket
import subprocess
import sys
import threading
import time


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def main(argv=None):
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--cert", required=True)
    p.add_argument("--key", required=True)
    p.add_argument("--port-file")
    p.add_argument("--lifetime", type=float, default=60)
    args = p.parse_args(argv)

    port = free_port()
    server = subprocess.Popen(
        ["openssl", "s_server", "-tls1_2", "-accept", "127.0.0.1:%d" % port, "-cert", args.cert, "-key", args.key,
         "-naccept", "1"],
        stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    listening = threading.Event()

    def watch():
        for line in server.stdout:
            if line.startswith(b"ACCEPT"):
                listening.set()
            elif line.startswith(b"GET "):
                # The request is in: "r" makes s_server send its HelloRequest.
                server.stdin.write(b"r\n")
                server.stdin.flush()
    threading.Thread(target=watch, daemon=True).start()
    listening.wait(20)

    text = "PORT %d\n" % port
    if args.port_file:
        with open(args.port_file + ".tmp", "w") as f:
            f.write(text)
        os.replace(args.port_file + ".tmp", args.port_file)
    else:
        sys.stdout.write(text)
        sys.stdout.flush()
    try:
        server.wait(args.lifetime)
    except subprocess.TimeoutExpired:
        server.kill()
    return 0


if __name__ == "__main__":
    sys.exit(main())
