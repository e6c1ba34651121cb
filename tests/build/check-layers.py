#!/usr/bin/env python3
"""Fails when a folder includes a header of a folder it must not depend on.

Dependencies point one way: the application on top, then the pages, then
what they record with, then the file formats; core/, win/ and res/ serve
everyone. Each folder lists the folders it may include besides its own.
"""
import pathlib
import re
import sys

BASE = {"core", "win", "res"}
ALLOWED = {
    "core": set(),
    "win": set(),
    "res": set(),
    "riff": set(),
    "avi": {"riff"},
    "imaging": set(),
    "gdiplus": set(),
    "skin": set(),
    "audio": {"riff"},
    "grab": set(),
    "aviwin": {"avi", "riff", "imaging"},
    "recording": {"aviwin", "audio", "grab", "avi", "riff", "imaging"},
    "snapshot": {"grab", "imaging"},
    "camera": {"recording", "snapshot", "aviwin", "audio", "grab", "avi", "riff", "imaging"},
    "rename": set(),
    "album": {"rename", "gdiplus", "imaging", "riff", "avi", "aviwin"},
    "design": {"rename", "gdiplus", "grab"},
    "app": {"camera", "album", "design", "rename", "gdiplus", "recording", "snapshot", "aviwin", "audio", "grab", "avi", "riff",
            "imaging", "skin"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/', re.M)


def violations(root):
    for folder, allowed in ALLOWED.items():
        for path in sorted((root / folder).glob("**/*")):
            if path.suffix not in (".h", ".cpp", ".rc"):
                continue
            for used in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
                if used in ALLOWED and used != folder and used not in BASE and used not in allowed:
                    yield f"{path.relative_to(root)} includes {used}/"
    known = set(ALLOWED) | {"tests", "tools", "scripts", "cmake", "docs", "build", "dist", "skins"}
    for child in sorted(root.iterdir()):
        if child.is_dir() and not child.name.startswith(".") and child.name not in known:
            yield f"{child.name}/ has no place in the layer list"


def main():
    root = pathlib.Path(sys.argv[1])
    found = list(violations(root))
    for line in found:
        print(line)
    print(f"{len(found)} include(s) against the layering")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
