"""Generates the four skins into skins/ (folder form and module sources).
The results are committed like res/; the build only links them. Rerun
after changing a design:  python3 -B tools/skins/make_skins.py [--out DIR]"""
import argparse
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', 'art'))

import designs  # noqa: E402
import skinfiles  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument('--out', default=os.path.join(HERE, '..', '..', 'skins'))
    parser.add_argument('--only', help='one skin by its file stem (red, Office, apple, black)')
    args = parser.parse_args()
    for design in designs.DESIGNS:
        if args.only in (None, design.stem):
            skinfiles.write_skin(design, args.out)
    return 0


if __name__ == '__main__':
    sys.exit(main())
