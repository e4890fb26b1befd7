#!/usr/bin/env python3
"""Makes a throwaway certificate authority and server certificates for tests of
https, with the openssl command line. Nothing it makes is meant to be kept.

In --out DIR:
  ca.pem, ca.key            the test root ("Talvik Test Root")
  other-ca.pem              a second, unrelated root
  bundle.pem                other-ca.pem and ca.pem in one file
  server.key                the key of every server certificate below
  site.pem                  for localhost and 127.0.0.1, valid for ten years
  expired.pem               the same names, valid only during 2020
  otherhost.pem             for photos.example only
  huge-chain.pem            site.pem followed by 300 copies of other-ca.pem: a
                            server's certificate message of about 400 KB
  done                      made last
Once done, writes "DONE 1" to the --port-file (or standard output).
"""
import argparse
import os
import subprocess
import sys

CA_CONFIG = """\
[ca]
default_ca = test
[test]
dir = {dir}
database = {dir}/index.txt
new_certs_dir = {dir}
serial = {dir}/serial
default_md = sha256
policy = any_name
unique_subject = no
[any_name]
commonName = supplied
[server]
basicConstraints = CA:FALSE
keyUsage = digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth
subjectAltName = {names}
"""


def openssl(*args, cwd):
    subprocess.run(["openssl", *args], cwd=cwd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)


def make_root(out, name, stem):
    openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", stem + ".key", "-out", stem + ".pem",
            "-days", "3650", "-subj", "/CN=" + name, "-addext", "basicConstraints=critical,CA:TRUE",
            "-addext", "keyUsage=critical,keyCertSign,cRLSign", cwd=out)


def sign_server(out, stem, common_name, names, dates):
    config = os.path.join(out, stem + ".cnf")
    with open(config, "w") as f:
        f.write(CA_CONFIG.format(dir=out, names=names))
    openssl("req", "-new", "-key", "server.key", "-subj", "/CN=" + common_name, "-out", stem + ".csr", cwd=out)
    openssl("ca", "-config", config, "-batch", "-notext", "-cert", "ca.pem", "-keyfile", "ca.key",
            "-extensions", "server", "-in", stem + ".csr", "-out", stem + ".pem", *dates, cwd=out)


def main(argv=None):
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--out", required=True, help="folder for the files (made when missing)")
    p.add_argument("--port-file", help='write "DONE 1" here once the files are made')
    p.add_argument("--lifetime", type=float, default=0, help="ignored: the tool ends once done")
    args = p.parse_args(argv)

    out = os.path.abspath(args.out)
    os.makedirs(out, exist_ok=True)
    open(os.path.join(out, "index.txt"), "w").close()
    with open(os.path.join(out, "serial"), "w") as f:
        f.write("1000\n")
    make_root(out, "Talvik Test Root", "ca")
    make_root(out, "Talvik Other Root", "other-ca")
    openssl("genrsa", "-out", "server.key", "2048", cwd=out)
    sign_server(out, "site", "localhost", "DNS:localhost, IP:127.0.0.1", ["-days", "3650"])
    sign_server(out, "expired", "localhost", "DNS:localhost, IP:127.0.0.1",
                ["-startdate", "20200101000000Z", "-enddate", "20201231000000Z"])
    sign_server(out, "otherhost", "photos.example", "DNS:photos.example", ["-days", "3650"])
    with open(os.path.join(out, "bundle.pem"), "w") as f:
        for name in ("other-ca.pem", "ca.pem"):
            with open(os.path.join(out, name)) as part:
                f.write(part.read())

    with open(os.path.join(out, "huge-chain.pem"), "w") as f:
        with open(os.path.join(out, "site.pem")) as part:
            f.write(part.read())
        with open(os.path.join(out, "other-ca.pem")) as part:
            f.write(part.read() * 300)

    open(os.path.join(out, "done"), "w").close()
    if args.port_file:
        tmp = args.port_file + ".tmp"
        with open(tmp, "w") as f:
            f.write("DONE 1\n")
        os.replace(tmp, args.port_file)
    else:
        print("DONE 1")
    return 0


if __name__ == "__main__":
    sys.exit(main())
