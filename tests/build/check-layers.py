#!/usr/bin/env python3
"""Fails when a folder includes a header of a folder it must not depend on.

Dependencies point one way: the application on top, then the pages, then
what they record with, then the file formats; core/, win/ and res/ serve
everyone. Each folder lists the folders it may include besides its own,
and the skin engine's rooms list the rooms they may include.
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

# The skin engine's rooms, each with the rooms it may include besides its
# own. The engine's loose files (the manager, its face to the program) may
# use every room; the rest of skin/ and the other folders use only that face.
ENGINE = "skin/engine"
ENGINE_ROOMS = {
    "draw": set(),
    "context": {"draw"},
    "takeover": {"context"},
    "frame": {"takeover", "context", "draw"},
    "controls": {"frame", "takeover", "context", "draw"},
    "hook": {"takeover", "context", "draw"},
}
ENGINE_INCLUDE = re.compile(r'^\s*#\s*include\s+"skin/engine/([^"]+)"', re.M)


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


def engine_violations(root):
    engine = root / ENGINE
    for room in sorted(child.name for child in engine.iterdir() if child.is_dir()) if engine.is_dir() else []:
        if room not in ENGINE_ROOMS:
            yield f"{ENGINE}/{room}/ has no place in the engine's room list"
    for folder in ALLOWED:
        for path in sorted((root / folder).glob("**/*")):
            if path.suffix not in (".h", ".cpp", ".rc"):
                continue
            relative = path.relative_to(root).as_posix()
            text = path.read_text(encoding="utf-8", errors="replace")
            for target in ENGINE_INCLUDE.findall(text):
                if not engine_include_allowed(relative, target):
                    yield f"{relative} includes {ENGINE}/{target}"


def engine_include_allowed(relative, target):
    """Whether the file at relative (from the tree's top) may include
    skin/engine/target."""
    target_room = target.split("/")[0] if "/" in target else None
    if not relative.startswith(ENGINE + "/"):
        return target_room is None and not relative.startswith("skin/")
    inside = relative[len(ENGINE) + 1:]
    room = inside.split("/")[0] if "/" in inside else None
    if room is None:
        return True
    return target_room is not None and (target_room == room or target_room in ENGINE_ROOMS.get(room, set()))


def main():
    root = pathlib.Path(sys.argv[1])
    found = list(violations(root)) + list(engine_violations(root))
    for line in found:
        print(line)
    print(f"{len(found)} include(s) against the layering")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
