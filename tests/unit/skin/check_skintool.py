#!/usr/bin/env python3
"""Runs skintool on a UTF-16 sample and compares what it prints.

usage: check_skintool.py DATA_DIR COMMAND... (COMMAND runs skintool, perhaps through Wine)
"""
import subprocess
import sys
from pathlib import Path

EXPECTED_DUMP = (b"DOCUMENTATION\t-\t-\tAUTHOR\tstring\tREN\xe9 ?\n"
                 b"WINDOW\tCAPTION\tACTIVE\tCONTENTMARGINS\trectangle\t4, 3, 2, 1\n"
                 b"WINDOW\tCAPTION\tACTIVE\tTEXTCOLOR\tcolor\t16 8 8\n")
EXPECTED_CHECK = (b"count\tcomment\t1\n"
                  b"count\tsection\t2\n"
                  b"count\tproperty\t3\n"
                  b"stored\t3\n"
                  b"unread-tail-bytes\t14\n")


def run(command, *args):
    result = subprocess.run(command + list(args), capture_output=True, timeout=120)
    return result.returncode, result.stdout.replace(b"\r\n", b"\n")


def main():
    data, command = Path(sys.argv[1]), sys.argv[2:]
    sample = str(data / "sample_utf16.ini")
    failures = []
    for args, expected in (((("dump", sample)), (0, EXPECTED_DUMP)),
                           ((("check", sample)), (0, EXPECTED_CHECK))):
        got = run(command, *args)
        if got != expected:
            failures.append("%s: got %r, expected %r" % (" ".join(args), got, expected))
    for args, code in ((("dump", str(data / "no such file")), 1), (("list", sample), 2), (("dump",), 2)):
        got, _ = run(command, *args)
        if got != code:
            failures.append("%s: exit %d, expected %d" % (" ".join(args), got, code))
    for failure in failures:
        print("FAIL", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
