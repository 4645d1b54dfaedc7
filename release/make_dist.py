#!/usr/bin/env python3
"""Builds the release zip.

usage: make_dist.py ZIP VERSION NAME=PATH...

Each NAME=PATH puts the file PATH into the zip as NAME, in the order given.
Text files (.txt, .sample) must be ASCII, so that Notepad shows them alike
on every code page; they get CRLF line ends and @VERSION@ replaced by
VERSION. Everything else goes in byte for byte."""

import os
import sys
import zipfile

TEXT_SUFFIXES = (".txt", ".sample")


def content(name, path, version):
    with open(path, "rb") as source:
        data = source.read()
    if not name.endswith(TEXT_SUFFIXES):
        return data
    try:
        text = data.decode("ascii")
    except UnicodeDecodeError as error:
        sys.exit("make_dist: %s is not ASCII: %s" % (path, error))
    text = text.replace("\r\n", "\n").replace("@VERSION@", version)
    return text.replace("\n", "\r\n").encode("ascii")


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    target, version, entries = sys.argv[1], sys.argv[2], sys.argv[3:]
    os.makedirs(os.path.dirname(os.path.abspath(target)), exist_ok=True)
    partial = target + ".part"
    with zipfile.ZipFile(partial, "w") as archive:
        for entry in entries:
            name, _, path = entry.partition("=")
            if not name or not path:
                sys.exit("make_dist: expected NAME=PATH, got %r" % entry)
            info = zipfile.ZipInfo.from_file(path, name)
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, content(name, path, version), compresslevel=9)
    # Never a half-written package under the final name.
    os.replace(partial, target)
    print("make_dist: %s (%d bytes)" % (target, os.path.getsize(target)))


main()
