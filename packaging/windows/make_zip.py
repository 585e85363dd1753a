#!/usr/bin/env python3
"""Writes the Windows zip of Quorvane so that one commit always gives the
same bytes: the entries in the order given, each dated SOURCE_DATE_EPOCH
(in UTC), with fixed attributes; text files (.txt) get Windows' CRLF line
ends.

    make_zip.py OUT.zip FOLDER FILE...

puts each FILE at FOLDER/<its name> in OUT.zip.
"""

import os
import pathlib
import sys
import time
import zipfile


def main():
    if len(sys.argv) < 4:
        raise SystemExit("usage: make_zip.py OUT.zip FOLDER FILE...")
    out, folder, files = sys.argv[1], sys.argv[2], sys.argv[3:]
    # The zip's own dates begin in 1980.
    epoch = max(int(os.environ.get("SOURCE_DATE_EPOCH", "0")), 315532800)
    date = time.gmtime(epoch)[:6]
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for name in files:
            path = pathlib.Path(name)
            data = path.read_bytes()
            if path.suffix == ".txt":
                data = data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
            entry = zipfile.ZipInfo(f"{folder}/{path.name}", date)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 0  # MS-DOS: no Unix owner or mode bits
            entry.external_attr = 0
            archive.writestr(entry, data)


if __name__ == "__main__":
    main()
