#!/usr/bin/env python3
"""The shipped program: stripped, its debug information in the file that its
debug link names (with the right checksum, and still turning an address into
a source line), hardened (ASLR, DEP, stack canaries), and the version of its
resource the one its download is named by.
  check-release.py OBJDUMP OBJCOPY ADDR2LINE NM PROGRAM.exe DEBUG_FILE PACKAGE_SCRIPT TARGET"""
import os
import re
import subprocess
import sys
import tempfile
import zlib


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def debug_link(objcopy, program):
    with tempfile.TemporaryDirectory() as folder:
        dump = os.path.join(folder, "link")
        run(objcopy, "--dump-section", ".gnu_debuglink=" + dump, program, os.path.join(folder, "copy"))
        data = open(dump, "rb").read()
    name = data[: data.index(b"\0")].decode()
    return name, int.from_bytes(data[-4:], "little")


def version_resource(image):
    """ProductVersion string and the fixed file version numbers, read from the
    VS_VERSIONINFO block as the file stores it (UTF-16 strings, 32-bit aligned
    values, VS_FIXEDFILEINFO after its signature FEEF04BD)."""
    fixed = image.find(b"\xbd\x04\xef\xfe")
    numbers = None
    if fixed >= 0:
        most, least = int.from_bytes(image[fixed + 8 : fixed + 12], "little"), int.from_bytes(image[fixed + 12 : fixed + 16], "little")
        numbers = (most >> 16, most & 0xFFFF, least >> 16, least & 0xFFFF)
    key = "ProductVersion\0".encode("utf-16-le")
    at = image.find(key, max(fixed, 0))
    if at < 0:
        return None, numbers
    value = at + len(key)
    value += (-value) % 4
    end = image.find(b"\0\0", value)
    while end >= 0 and (end - value) % 2:
        end = image.find(b"\0\0", end + 1)
    return image[value:end].decode("utf-16-le"), numbers


def hardening(objdump, nm, program, debug_file, target):
    """ASLR (with high-entropy addresses on 64-bit) and DEP in the PE header;
    stack canaries checked by the program's own functions."""
    failures = []
    header = re.search(r"^DllCharacteristics\s+([0-9a-fA-F]+)", run(objdump, "-p", program), re.M)
    flags = int(header.group(1), 16) if header else 0
    wanted = {"DYNAMIC_BASE": 0x40, "NX_COMPAT": 0x100}
    if target == "x86_64":
        wanted["HIGH_ENTROPY_VA"] = 0x20
    failures += [f"{program} is not marked {name}" for name, bit in wanted.items() if not flags & bit]
    # The canary's failure handler is linked only when compiled code calls it.
    if not re.search(r" _{2,3}stack_chk_fail$", run(nm, debug_file), re.M):
        failures.append(f"{program} was built without the stack protector")
    return failures


def main(objdump, objcopy, addr2line, nm, program, debug_file, package_script, target):
    failures = []
    zip_name = run("bash", package_script, "--name", target).strip()
    sections = run(objdump, "-h", program)
    if ".debug_" in sections:
        failures.append(f"{program} still carries debug sections")
    if ".gnu_debuglink" not in sections:
        return [f"{program} has no debug link"]
    name, crc = debug_link(objcopy, program)
    if name != os.path.basename(debug_file):
        failures.append(f"debug link names {name}, not {os.path.basename(debug_file)}")
    if crc != zlib.crc32(open(debug_file, "rb").read()):
        failures.append("debug link checksum does not match the debug file")

    # An address of the program's own code turns into one of our source files.
    symbol = re.search(r"^([0-9a-f]+) T _?WinMain\b", run(nm, debug_file), re.M)
    where = run(addr2line, "-e", debug_file, "0x" + symbol.group(1)) if symbol else ""
    if ".cpp:" not in where:
        failures.append(f"the debug file does not locate WinMain ({where.strip() or 'no symbol'})")

    failures += hardening(objdump, nm, program, debug_file, target)

    product, numbers = version_resource(open(program, "rb").read())
    zipped = re.fullmatch(r"Tavrelin-([0-9.]+)-win(32|64)\.zip", zip_name)
    if not (product and numbers and zipped):
        return failures + [f"no version found: resource {product}/{numbers}, zip name {zip_name}"]
    if product != zipped.group(1):
        failures.append(f"version resource says {product}, the zip {zip_name}")
    if ".".join(map(str, numbers[:3])) != product:
        failures.append(f"fixed file version {numbers} differs from {product}")
    return failures


if __name__ == "__main__":
    problems = main(*sys.argv[1:9])
    for problem in problems:
        print(problem)
    if not problems:
        print("stripped, debug link to a matching file, hardened, version agrees with the zip name")
    sys.exit(1 if problems else 0)
