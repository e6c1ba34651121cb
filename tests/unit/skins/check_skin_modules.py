#!/usr/bin/env python3
"""Reads the built skin modules as the loader will: a PE file with no entry
point and no imported DLL, whose resources are the committed skin sources
byte for byte.  Usage: check_skin_modules.py PROGRAM_FOLDER SKINS_FOLDER"""
import os
import struct
import sys

STEMS = {'red': 'red.skin', 'Office': 'Office.skin', 'apple': 'apple.skin', 'black': 'black.skin'}
RT_STRING = 6


class PeFile:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from('<I', data, 0x3C)[0]
        if data[pe:pe + 4] != b'PE\0\0':
            raise ValueError('no PE signature')
        sections, optional_size = struct.unpack_from('<H12xH', data, pe + 6)
        optional = pe + 24
        magic = struct.unpack_from('<H', data, optional)[0]
        self.entry_point = struct.unpack_from('<I', data, optional + 16)[0]
        directories = optional + (96 if magic == 0x10B else 112)
        self.imports = struct.unpack_from('<II', data, directories + 8)
        self.resources = struct.unpack_from('<II', data, directories + 16)
        self.sections = []
        for i in range(sections):
            vsize, va, raw_size, raw = struct.unpack_from('<IIII', data, optional + optional_size + 40 * i + 8)
            self.sections.append((va, max(vsize, raw_size), raw))

    def offset(self, rva):
        for va, size, raw in self.sections:
            if va <= rva < va + size:
                return rva - va + raw
        raise ValueError('address %#x outside every section' % rva)

    def imported_dlls(self):
        rva, size = self.imports
        names, pos = [], self.offset(rva) if rva else None
        while pos is not None and size:
            descriptor = struct.unpack_from('<5I', self.data, pos)
            if not any(descriptor):
                break
            names.append(descriptor[3])
            pos += 20
        return names

    def _name(self, base, field):
        if not field & 0x80000000:
            return field
        pos = base + (field & 0x7FFFFFFF)
        length = struct.unpack_from('<H', self.data, pos)[0]
        return self.data[pos + 2:pos + 2 + 2 * length].decode('utf-16-le')

    def _entries(self, base, pos):
        named, ids = struct.unpack_from('<HH', self.data, pos + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from('<II', self.data, pos + 16 + 8 * i)
            yield self._name(base, name), target

    def resource_tree(self):
        """{(type, name): data} of the first language of each resource."""
        base = self.offset(self.resources[0])
        found = {}
        for kind, kind_dir in self._entries(base, base):
            for name, name_dir in self._entries(base, base + (kind_dir & 0x7FFFFFFF)):
                _, leaf = next(self._entries(base, base + (name_dir & 0x7FFFFFFF)))
                rva, size = struct.unpack_from('<II', self.data, base + leaf)
                found[(kind, name)] = self.data[self.offset(rva):self.offset(rva) + size]
        return found


def string_resource(tree, number):
    block = tree.get((RT_STRING, number // 16 + 1), b'')
    pos = 0
    for _ in range(number % 16):
        pos += 2 + 2 * struct.unpack_from('<H', block, pos)[0]
    length = struct.unpack_from('<H', block, pos)[0]
    return block[pos + 2:pos + 2 + 2 * length].decode('utf-16-le')


def expected_resources(skins, stem):
    expected = {}
    for name in ('THEMES_INI', 'NORMAL_INI'):
        with open(os.path.join(skins, 'module', '%s_%s.txt' % (stem, name)), 'rb') as f:
            expected[('TEXTFILE', name)] = f.read()
    folder = os.path.join(skins, stem)
    for dirpath, _, files in os.walk(folder):
        for file_name in files:
            if file_name.upper().endswith(('.PNG', '.BMP')):
                path = os.path.join(dirpath, file_name)
                name = os.path.relpath(path, folder).replace(os.sep, '\\').upper().replace('.', '_').replace('\\', '_')
                with open(path, 'rb') as f:
                    expected[('PNG', name)] = f.read()
    return expected


def check(program, skins):
    problems = []
    for stem, file_name in STEMS.items():
        path = os.path.join(program, 'Skin', file_name)
        if not os.path.isfile(path):
            problems.append('%s is missing' % path)
            continue
        with open(path, 'rb') as f:
            pe = PeFile(f.read())
        print('%s\t%d bytes' % (file_name, os.path.getsize(path)))
        if pe.entry_point:
            problems.append('%s has an entry point' % file_name)
        if pe.imported_dlls():
            problems.append('%s imports %d DLL(s)' % (file_name, len(pe.imported_dlls())))
        tree = pe.resource_tree()
        style = string_resource(tree, 5000)
        if (style.lower() == 'office 2007 style') != (stem == 'Office'):
            problems.append('%s: string 5000 reads "%s"' % (file_name, style))
        stored = {key: data for key, data in tree.items() if key[0] != RT_STRING}
        expected = expected_resources(skins, stem)
        for key in sorted(set(stored) | set(expected), key=str):
            if stored.get(key) != expected.get(key):
                problems.append('%s: resource %s/%s differs from the sources' % (file_name, key[0], key[1]))
    return problems


def main():
    problems = check(sys.argv[1], sys.argv[2])
    for line in problems:
        print(line)
    print('%d problem(s)' % len(problems))
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
