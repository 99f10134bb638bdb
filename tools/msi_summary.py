#!/usr/bin/env python3
"""Gives an installer database the package code and times of the build, in place.

wixl writes a new random package code and the time of the run into the summary information of
every .msi it makes; a reproducible installer takes both from what it was built from.

    msi_summary.py INSTALLER.msi PACKAGE-CODE SECONDS-SINCE-1970

The package code is a GUID ("12345678-1234-5234-9234-123456789ABC", braces optional). The
stream keeps its size: only the code (always 38 characters) and the two times change.
"""
import struct
import sys

import olefile

SUMMARY = "\x05SummaryInformation"
REVISION_NUMBER, CREATED, LAST_SAVED = 9, 12, 13
VT_LPSTR, VT_FILETIME = 0x1E, 0x40
# FILETIME counts 100 ns steps since 1601.
FILETIME_1970 = 116444736000000000


def stamped(stream, package_code, seconds):
    data = bytearray(stream)
    (sections,) = struct.unpack_from("<I", data, 24)
    if sections < 1:
        raise ValueError("no property section")
    (section,) = struct.unpack_from("<I", data, 44)
    _, count = struct.unpack_from("<II", data, section)
    changed = set()
    for index in range(count):
        pid, offset = struct.unpack_from("<II", data, section + 8 + 8 * index)
        at = section + offset
        (kind,) = struct.unpack_from("<I", data, at)
        if pid in (CREATED, LAST_SAVED) and kind == VT_FILETIME:
            struct.pack_into("<Q", data, at + 4, FILETIME_1970 + seconds * 10_000_000)
            changed.add(pid)
        elif pid == REVISION_NUMBER and kind == VT_LPSTR:
            (length,) = struct.unpack_from("<I", data, at + 4)
            text = ("{" + package_code.strip("{}").upper() + "}").encode("ascii") + b"\0"
            if len(text) != length:
                raise ValueError("the package code holds %d bytes, not %d" % (length, len(text)))
            data[at + 8:at + 8 + length] = text
            changed.add(pid)
    if changed != {REVISION_NUMBER, CREATED, LAST_SAVED}:
        raise ValueError("the summary lacks its package code or times")
    return bytes(data)


def main():
    if len(sys.argv) != 4:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    path, package_code, seconds = sys.argv[1], sys.argv[2], int(sys.argv[3])
    with olefile.OleFileIO(path, write_mode=True) as database:
        database.write_stream(SUMMARY, stamped(database.openstream(SUMMARY).read(),
                                               package_code, seconds))
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except (OSError, ValueError, struct.error) as error:
        print("msi_summary.py: %s: %s" % (sys.argv[1], error), file=sys.stderr)
        sys.exit(1)
