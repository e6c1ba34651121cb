#!/usr/bin/env python3
"""Each shipped skin draws the same pixels from its folder form (ANSI property
file and PNG files in skins/) as from the module the build links from them.

    check_skin_forms.py SKINS_DIR MODULE_DIR WORK_DIR WINE_RUN SKINTOOL"""
import concurrent.futures
import os
import subprocess
import sys

SKINS = ["red", "Office", "apple", "black"]
# class, part, state: a caption, a frame piece, a button in two states, a
# tab, a track bar thumb, a toolbar face and a scroll-bar arrow.
PARTS = [
    ("WINDOW", "CAPTION", "1"),
    ("WINDOW", "FRAMELEFT", "2"),
    ("BUTTON", "PUSHBUTTON", "3"),
    ("BUTTON", "RADIOBUTTON", "5"),
    ("TAB", "TOPTABITEM", "3"),
    ("TRACKBAR", "THUMB", "2"),
    ("TOOLBAR", "BUTTON", "2"),
    ("SCROLLBAR", "ARROWBTN", "6"),
]


def wine_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def render(wine_run, skintool, skin, properties, part, out):
    # Output goes to a file, not a pipe: a Wine process may start helpers
    # (the desktop process) that inherit a pipe and hold it open.
    if os.path.exists(out):
        os.remove(out)
    with open(out + ".log", "wb") as log:
        code = subprocess.call([wine_run, skintool, "render", wine_path(skin), properties, *part, "61", "37",
                                wine_path(out)], stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT)
    if code != 0 or not os.path.exists(out):
        return None
    with open(out, "rb") as f:
        return f.read()


def compare(job):
    wine_run, skintool, skins_dir, module_dir, work, skin, index, part = job
    stem = os.path.join(work, "%s-%d" % (skin, index))
    folder = render(wine_run, skintool, os.path.join(skins_dir, skin), "Normal.ini", part, stem + "-folder.bmp")
    module = render(wine_run, skintool, os.path.join(module_dir, skin + ".skin"), "-", part, stem + "-module.bmp")
    if folder is not None and module is not None and folder == module:
        return None
    return "%s %s: folder %s, module %s, %s" % (skin, " ".join(part), folder is not None, module is not None,
                                               "differ" if folder and module else "")


def main():
    skins_dir, module_dir, work, wine_run, skintool = sys.argv[1:6]
    os.makedirs(work, exist_ok=True)
    jobs = [(wine_run, skintool, skins_dir, module_dir, work, skin, index, part)
            for skin in SKINS for index, part in enumerate(PARTS)]
    # Each render is a Wine process that mostly waits to start: a few at once
    # keep both processors busy.
    with concurrent.futures.ThreadPoolExecutor(max_workers=4) as pool:
        failures = [failure for failure in pool.map(compare, jobs) if failure]
    for failure in failures:
        print(failure)
    print("%d of %d renders differ or failed" % (len(failures), len(jobs)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
