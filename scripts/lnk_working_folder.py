#!/usr/bin/env python3
"""Prints the working folder a Windows shortcut (.lnk) names.

The shell link format: a 76-byte header whose link flags (offset 20) say
which parts follow; the item-ID list (a 16-bit size) and the link info (a
32-bit size that counts itself) come first, then the counted strings in
the order name, relative path, working folder, arguments, icon location.
"""
import struct
import sys

HAS_ID_LIST, HAS_LINK_INFO, HAS_NAME, HAS_RELATIVE_PATH, HAS_WORKING_DIR = 0x1, 0x2, 0x4, 0x8, 0x10
IS_UNICODE = 0x80


def working_folder(data: bytes) -> str:
    if len(data) < 76 or struct.unpack_from("<I", data, 0)[0] != 0x4C:
        raise ValueError("not a shell link")
    flags = struct.unpack_from("<I", data, 20)[0]
    offset = 76
    if flags & HAS_ID_LIST:
        offset += 2 + struct.unpack_from("<H", data, offset)[0]
    if flags & HAS_LINK_INFO:
        offset += struct.unpack_from("<I", data, offset)[0]
    unit = 2 if flags & IS_UNICODE else 1
    for part in (HAS_NAME, HAS_RELATIVE_PATH, HAS_WORKING_DIR):
        if not flags & part:
            continue
        count = struct.unpack_from("<H", data, offset)[0]
        text = data[offset + 2 : offset + 2 + count * unit]
        offset += 2 + count * unit
        if part == HAS_WORKING_DIR:
            return text.decode("utf-16-le" if unit == 2 else "latin-1").rstrip("\0")
    raise ValueError("the link names no working folder")


if __name__ == "__main__":
    with open(sys.argv[1], "rb") as link:
        print(working_folder(link.read()))
