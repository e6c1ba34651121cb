#!/usr/bin/env python3
"""Extracts the TEXTFILE resources of a Windows module as 8-bit property text.

The resources are UTF-16LE; the property reader takes 8-bit lines, so each
resource is converted here to the ANSI code page the program assumes
(Windows-1252), characters outside it becoming "?".
"""
import struct
import sys
from pathlib import Path


class PeImage:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("not an MZ executable")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        sections, = struct.unpack_from("<H", data, pe + 6)
        optional_size, = struct.unpack_from("<H", data, pe + 20)
        optional = pe + 24
        magic, = struct.unpack_from("<H", data, optional)
        directories = optional + (96 if magic == 0x10B else 112)
        self.resource_rva, _ = struct.unpack_from("<II", data, directories + 2 * 8)
        self.sections = []
        table = optional + optional_size
        for index in range(sections):
            virtual_size, rva, raw_size, raw_offset = struct.unpack_from(
                "<IIII", data, table + index * 40 + 8)
            self.sections.append((rva, max(virtual_size, raw_size), raw_offset))

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError("address %#x outside every section" % rva)

    def _name(self, base, field):
        if field & 0x80000000:
            at = base + (field & 0x7FFFFFFF)
            length, = struct.unpack_from("<H", self.data, at)
            return self.data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
        return field

    def _entries(self, base, directory):
        named, numbered = struct.unpack_from("<HH", self.data, directory + 12)
        for index in range(named + numbered):
            name, target = struct.unpack_from("<II", self.data, directory + 16 + 8 * index)
            yield self._name(base, name), target

    def resources(self, wanted_type):
        """Yields (name, bytes) for every resource of the given type."""
        base = self.offset(self.resource_rva)
        for type_name, type_target in self._entries(base, base):
            if type_name != wanted_type:
                continue
            for name, name_target in self._entries(base, base + (type_target & 0x7FFFFFFF)):
                for _, lang_target in self._entries(base, base + (name_target & 0x7FFFFFFF)):
                    rva, size = struct.unpack_from("<II", self.data, base + lang_target)
                    start = self.offset(rva)
                    yield name, self.data[start:start + size]


def to_property_text(raw):
    raw = raw[:len(raw) & ~1]
    text = raw.decode("utf-16-le", errors="replace")
    if text.startswith("\ufeff"):
        text = text[1:]
    return text.encode("cp1252", errors="replace")


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: pe_textfiles.py MODULE OUTDIR")
    image = PeImage(Path(sys.argv[1]).read_bytes())
    out = Path(sys.argv[2])
    out.mkdir(parents=True, exist_ok=True)
    for name, raw in image.resources("TEXTFILE"):
        (out / str(name)).write_bytes(to_property_text(raw))
        print(name)


if __name__ == "__main__":
    main()
