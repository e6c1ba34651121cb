#!/usr/bin/env python3
"""The layer check on small trees: each case writes one file with one
include beside a clean engine and expects the check to name that include,
or to pass."""
import pathlib
import subprocess
import sys
import tempfile

CHECK = pathlib.Path(__file__).with_name("check-layers.py")

# A clean tree: every room includes what it may.
CLEAN = {
    "skin/engine/SkinManager.h": "skin/engine/hook/SkinApiHook.h",
    "skin/engine/hook/SkinApiHook.h": "skin/engine/takeover/SkinTakeover.h",
    "skin/engine/controls/Button.cpp": "skin/engine/frame/Frame.h",
    "skin/engine/frame/Frame.h": "skin/engine/takeover/SkinObject.h",
    "skin/engine/takeover/SkinObject.h": "skin/engine/context/SkinContext.h",
    "skin/engine/context/SkinContext.h": "skin/engine/draw/SkinClass.h",
    "skin/engine/draw/SkinClass.h": "skin/SkinSchema.h",
    "skin/SkinSchema.h": "",
    "app/Start.cpp": "skin/engine/SkinManager.h",
}

CASES = [
    # (file, its include, the line the check must print; None: passes)
    ("skin/engine/frame/Caption.cpp", "skin/engine/draw/SkinGdi.h", None),
    ("skin/engine/controls/Tab.cpp", "skin/engine/takeover/SkinObject.h", None),
    ("skin/engine/draw/SkinEdge.cpp", "skin/engine/frame/Frame.h",
     "skin/engine/draw/SkinEdge.cpp includes skin/engine/frame/Frame.h"),
    ("skin/engine/takeover/SkinTakeover.cpp", "skin/engine/hook/SkinApiHook.h",
     "skin/engine/takeover/SkinTakeover.cpp includes skin/engine/hook/SkinApiHook.h"),
    ("skin/engine/takeover/SkinTakeover.cpp", "skin/engine/draw/SkinGdi.h",
     "skin/engine/takeover/SkinTakeover.cpp includes skin/engine/draw/SkinGdi.h"),
    ("skin/engine/frame/Frame.cpp", "skin/engine/controls/Button.h",
     "skin/engine/frame/Frame.cpp includes skin/engine/controls/Button.h"),
    ("skin/engine/hook/Hooks.cpp", "skin/engine/SkinManager.h",
     "skin/engine/hook/Hooks.cpp includes skin/engine/SkinManager.h"),
    ("skin/SkinReader.cpp", "skin/engine/SkinManager.h", "skin/SkinReader.cpp includes skin/engine/SkinManager.h"),
    ("app/Style.cpp", "skin/engine/frame/Frame.h", "app/Style.cpp includes skin/engine/frame/Frame.h"),
    ("skin/engine/spare/Loose.cpp", "", "skin/engine/spare/ has no place in the engine's room list"),
]


def run_check(files):
    with tempfile.TemporaryDirectory() as folder:
        root = pathlib.Path(folder)
        for name, include in files.items():
            path = root / name
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text(f'#include "{include}"\n' if include else "")
        done = subprocess.run([sys.executable, str(CHECK), str(root)], capture_output=True, text=True)
        return done.returncode, [line for line in done.stdout.splitlines() if "include(s) against" not in line]


def main():
    failures = 0
    code, lines = run_check(CLEAN)
    if code != 0 or lines:
        print(f"clean tree: exit {code}, {lines}")
        failures += 1
    for name, include, expected in CASES:
        code, lines = run_check({**CLEAN, name: include})
        wanted = [expected] if expected else []
        if lines != wanted or (code != 0) != bool(expected):
            print(f"{name} including {include}: exit {code}, printed {lines}, wanted {wanted}")
            failures += 1
    print(f"{len(CASES) + 1 - failures} of {len(CASES) + 1} trees judged as expected")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
