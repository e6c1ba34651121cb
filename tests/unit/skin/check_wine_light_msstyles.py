#!/usr/bin/env python3
"""Loads the property files of Wine's light visual style with skintool.

Every line that stores nothing must be explained: comments, blank lines,
sections and properties whose names the schema does not have (the listed
newer names). Lines cut off at the end, lines without "=", lines before the
first section and integer lists would be surprises and fail the test.

usage: check_wine_light_msstyles.py MODULE SKINTOOL EXPECTED_IGNORED_SECTIONS
Exit 77 (skipped) when the module is not installed.
"""
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from pe_textfiles import PeImage, to_property_text  # noqa: E402

# Properties of newer style files that the schema does not have.
EXPLAINED_UNKNOWN_PROPERTIES = {
    "IMAGEFILE6", "IMAGEFILE7", "MINDPI6", "MINDPI7", "MINSIZE6", "MINSIZE7", "TRANSITIONDURATIONS",
}
EXPLAINED_LINE_KINDS = {"ignored-section", "in-ignored-section", "unknown-property"}
EXPECTED_STORED = {"BLUE_INI": (113, 1027), "THEMES_INI": (1, 2)}
SPOT_CHECKS = [
    "SYSMETRICS\t-\t-\tSCROLLBARWIDTH\tinteger\t17",
    "SYSMETRICS\t-\t-\tFLATMENUS\tboolean\tTRUE",
    "SYSMETRICS\t-\t-\tBACKGROUND\tcolor\t37 111 149",
    "BUTTON\tPUSHBUTTON\t-\tSIZINGMARGINS\trectangle\t8, 8, 8, 8",
    "BUTTON\tPUSHBUTTON\t-\tIMAGELAYOUT\tenum\tVERTICAL (0)",
    "BUTTON\tPUSHBUTTON\t-\tMINSIZE\tpoint\t10, 5",
    "BUTTON\tPUSHBUTTON\tPRESSED\tTEXTCOLOR\tcolor\t255 255 255",
    "REBAR\t-\t-\tFONT\tfont\tTAHOMA, height -11, weight 400, charset 0",
    "DOCUMENTATION\t-\t-\tDISPLAYNAME\tstring\tLIGHT",
]


def run_skintool(skintool, command, path):
    result = subprocess.run([skintool, command, str(path)], capture_output=True, text=True, timeout=60)
    if result.returncode != 0:
        raise SystemExit("skintool %s %s failed: %s" % (command, path, result.stderr))
    return result.stdout.splitlines()


def check_file(skintool, path, failures):
    """Returns the ignored section headers; adds unexplained lines to failures."""
    counts, ignored_sections = {}, []
    for row in run_skintool(skintool, "check", path):
        fields = row.split("\t")
        if fields[0] == "count":
            counts[fields[1]] = int(fields[2])
        elif fields[0] in ("stored", "unread-tail-bytes"):
            counts[fields[0]] = int(fields[1])
        elif fields[0].startswith("line"):
            kind, text = fields[1], fields[2]
            if kind.startswith("ignored-section"):
                ignored_sections.append("%s\t%s" % (kind, text))
            elif kind not in EXPLAINED_LINE_KINDS:
                failures.append("%s %s: %s %s" % (path.name, fields[0], kind, text))
            elif kind == "unknown-property":
                name = text.split("=")[0].strip().upper()
                if name not in EXPLAINED_UNKNOWN_PROPERTIES:
                    failures.append("%s %s: unknown property %s" % (path.name, fields[0], name))
    if counts.get("unread-tail-bytes", 0) != 0:
        failures.append("%s: text after the last line end" % path.name)
    sections, stored = counts.get("section", 0), counts.get("stored", 0)
    print("%s: %d sections accepted, %d ignored, %d properties stored" %
          (path.name, sections, counts.get("ignored-section", 0), stored))
    if EXPECTED_STORED.get(path.name, (sections, stored)) != (sections, stored):
        failures.append("%s: %d sections and %d properties, expected %s" %
                        (path.name, sections, stored, EXPECTED_STORED[path.name]))
    return ignored_sections


def main():
    module, skintool, expected_path = sys.argv[1:4]
    if not Path(module).is_file():
        print("skipped: %s is not installed" % module)
        return 77
    failures, ignored, dumped = [], [], []
    with tempfile.TemporaryDirectory() as folder:
        for name, raw in PeImage(Path(module).read_bytes()).resources("TEXTFILE"):
            path = Path(folder) / str(name)
            path.write_bytes(to_property_text(raw))
            ignored += check_file(skintool, path, failures)
            dumped += run_skintool(skintool, "dump", path)
    expected = Path(expected_path).read_text().splitlines()
    if sorted(ignored) != sorted(expected):
        failures.append("ignored sections differ: new %s, gone %s" %
                        (sorted(set(ignored) - set(expected)), sorted(set(expected) - set(ignored))))
    failures += ["missing in dump: %s" % line for line in SPOT_CHECKS if line not in dumped]
    for failure in failures:
        print("FAIL", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
