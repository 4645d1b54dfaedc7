#!/usr/bin/env python3
"""Stores a window description the way the unpacker's resources hold it:
the signature "TPF0" ahead of the readable text, and every byte raised by 1
(modulo 256). The stored description thus begins with the bytes 55 51 47 31,
which the program's reader takes as the sign of a scrambled description.

usage: scramble_description.py INPUT OUTPUT
"""
import sys

SIGNATURE = b"TPF0"


def scramble(data: bytes) -> bytes:
    return bytes((b + 1) & 0xFF for b in SIGNATURE + data)


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    with open(argv[1], "rb") as source:
        data = source.read()
    with open(argv[2], "wb") as target:
        target.write(scramble(data))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
