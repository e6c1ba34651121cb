"""The frames of a GIF as ImageMagick decodes them, for checks that must not
trust the program's own decoding."""
import subprocess


def frames_of(path):
    """(width, height, [delay per frame in 1/100 s], [RGB bytes per frame, top-down])."""
    info = subprocess.run(['identify', '-format', '%w %h %T\n', path], capture_output=True, text=True, check=True)
    rows = [line.split() for line in info.stdout.splitlines() if line.strip()]
    width, height = int(rows[0][0]), int(rows[0][1])
    raw = subprocess.run(['convert', path, '-coalesce', '-depth', '8', 'rgb:-'], capture_output=True,
                         check=True).stdout
    size = width * height * 3
    return width, height, [int(r[2]) for r in rows], [raw[i:i + size] for i in range(0, len(raw), size)]


def picture_of(path):
    """(width, height, RGB bytes) of any picture ImageMagick reads."""
    width, height = subprocess.run(['identify', '-format', '%w %h', path], capture_output=True, text=True,
                                   check=True).stdout.split()
    raw = subprocess.run(['convert', path, '-depth', '8', 'rgb:-'], capture_output=True, check=True).stdout
    return int(width), int(height), raw
