#!/usr/bin/env python3
"""Zips a folder so that the same files always give the same bytes: entries in
name order, every entry dated SOURCE_DATE_EPOCH (default 1980-01-01), fixed
permissions, one compression level.

    tools/reproducible_zip.py BASE FOLDER OUT.zip    (FOLDER relative to BASE)
"""
import os
import sys
import time
import zipfile


def main(base, folder, out):
    epoch = max(int(os.environ.get("SOURCE_DATE_EPOCH", "315532800")), 315532800)
    date = time.gmtime(epoch)[:6]
    paths = []
    for root, dirs, files in os.walk(os.path.join(base, folder)):
        for d in dirs:
            paths.append(os.path.join(root, d) + "/")
        for f in files:
            paths.append(os.path.join(root, f))
    tmp = out + ".tmp"
    with zipfile.ZipFile(tmp, "w") as z:
        for path in sorted(paths):
            name = os.path.relpath(path, base).replace(os.sep, "/") + ("/" if path.endswith("/") else "")
            info = zipfile.ZipInfo(name, date)
            info.create_system = 3
            if name.endswith("/"):
                info.external_attr = (0o40755 << 16) | 0x10
                z.writestr(info, b"")
                continue
            info.external_attr = 0o100644 << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as f:
                z.writestr(info, f.read(), compresslevel=9)
    os.replace(tmp, out)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
