#!/usr/bin/env python3
"""Builds the seed corpus fuzz/corpus/<target>/ from the repository's own
files: the host's sample files, the whole-run folders, the record lines of
the reader's tests, and a few hand-picked hostile inputs. Files are named by
the SHA-1 of their bytes, as libFuzzer names them; running it again only adds
what is missing."""
import glob
import hashlib
import os
import re
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "fuzz", "corpus")


def put(target, data):
    if isinstance(data, str):
        data = data.encode("latin-1")
    folder = os.path.join(OUT, target)
    os.makedirs(folder, exist_ok=True)
    name = hashlib.sha1(data).hexdigest()
    path = os.path.join(folder, name)
    if not os.path.exists(path):
        with open(path, "wb") as f:
            f.write(data)


def c_literals(path):
    """The plain C string literals of a source file, unescaped to bytes."""
    text = open(path, encoding="utf-8").read()
    out = []
    for m in re.finditer(r'"((?:[^"\\\n]|\\.)*)"', text):
        raw = m.group(1)
        b = bytearray()
        i = 0
        while i < len(raw):
            c = raw[i]
            if c != "\\":
                b += c.encode("utf-8")
                i += 1
                continue
            n = raw[i + 1]
            if n == "x":
                j = i + 2
                while j < len(raw) and raw[j] in "0123456789abcdefABCDEF":
                    j += 1
                b.append(int(raw[i + 2:j], 16) & 0xFF)
                i = j
            else:
                b += {"n": b"\n", "r": b"\r", "t": b"\t", "0": b"\0",
                      "\\": b"\\", '"': b'"', "'": b"'"}.get(n, n.encode())
                i += 2
        out.append(bytes(b))
    return out


def main():
    host_files = sorted(glob.glob(os.path.join(ROOT, "tests/data/host-samples/*.TXT")))
    host_files += sorted(glob.glob(os.path.join(ROOT, "tests/runs/*/in/JWC_TEMP.TXT")))
    for p in host_files:
        put("jwc_reader", open(p, "rb").read())
    # Record lines from the reader's tests, one file each and all together.
    lines = []
    for p in sorted(glob.glob(os.path.join(ROOT, "tests/interchange/reader_*_test.cpp"))):
        for lit in c_literals(p):
            if 0 < len(lit) < 400:
                lines.append(lit)
    for lit in lines:
        put("jwc_reader", lit)
    put("jwc_reader", b"\r\n".join(lines))
    hostile = [
        b"", b"\n", b"\r\r\r", b"hk 1\rhk 2\r", b"hk 3\x00\x00\n", b"hk 4\x1ahk 5\n",
        b"ch 0 0 1 0 \"\x82", b"hp1 1e999 -0\nhp2 nan inf\nhp3 0x $\nhp4 --5 1",
        b"hp1 1e300 -1e300\nhp2 1e-300 -1e-300\n1e300 1e300 -1e300 -1e300\n",
        b"hs 1e-300 1e300 1 1 1 1 1 1 1 1 1 1 1 1 1 1\n",
        b"msg\n1e308 0 -1e308 0\ncs 0 0 1 0 \" \n",
        b"hp1 " + b" ".join([b"1"] * 40) + b"\n",
        b"\x81\x40\"\x82\n=\"=\n\xfe\xff\x80",
    ]
    for h in hostile:
        put("jwc_reader", h)

    settings = sorted(glob.glob(os.path.join(ROOT, "tests/runs/*/in/t207.dat")))
    base = open(settings[0], "rb").read() if settings else b""
    for p in settings:
        put("settings_run", open(p, "rb").read())
    lines31 = base.split(b"\r\n")
    for n, value in [(24, b"1e-300"), (24, b"1e300"), (26, b"1e300"), (28, b"-1e300"),
                     (30, b"1e-300"), (25, b"1e999"), (3, b"-5"), (17, b"9"),
                     (14, b"nan"), (11, b"inf"), (23, b"16")]:
        changed = list(lines31)
        if len(changed) > n - 1:
            changed[n - 1] = value
            put("settings_run", b"\r\n".join(changed))
    for extra in [b"hp1 1e300 0\nhp2 -1e300 1e300\n", b"hp1 1e-300 0\nhp2 0 1e-300\n",
                  b"hs 1e-300 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\n",
                  b"hs 1e300 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\n", b"hk 89.999999\n",
                  b"hk 1e300\n"]:
        put("settings_run", base + b"\n@@JWC\n" + extra)
    put("settings_run", b"")
    put("settings_run", b"\r".join(lines31))
    put("settings_run", b"\x00\xff" * 100)

    for t in [b"", b"0", b"-0", b"1e999", b"-1e999", b"nan", b"inf", b"0x", b"$",
              b"--5", b"$F", b"$a", b"  12", b"12 ", b"12a", b"-2147483648",
              b"2147483648", b"0x7fffffff", b"1.5e3", b".5", b"2.", b"1,5",
              b"1.7976931348623157e308", b"1.79769313486232E308", b"4.9e-324",
              b"2.2250738585072014e-308", b"1e-400", b"0.30000000000000004"]:
        put("numbers", t)
    for x in [1.7976931348623157e308, -1.7976931348623157e308, 5e-324, 2.2250738585072014e-308,
              2.225073858507201e-308, 0.1, 1e15, 1e-5, 999999999999999.9, 1 / 3,
              123456789012345678.0, -0.0, 30.000000000000004, 9.999999999999999e22]:
        put("numbers", struct.pack("<d", x))

    for t in [b"", b"\x81\x40 \x81\x40", b"A\x81\x40B C", b"\x82", b"abc\x82",
              b"\xb6\xde\xca\xdf\xdc\xde", b"\x82\xa0\x82\xf1\x81\x54",
              b"12,345.678", b"\t\x00\x1f\x7f\x80\xfd\xfe\xff", b"\x81" * 130,
              "１２３ｍｍ".encode("cp932"), "寸法値 ﾊﾙｶｾﾞ".encode("cp932")]:
        put("sjis", t)
        put("sjis", struct.pack("<ii", 2, 5) + t)
        put("sjis", struct.pack("<dd", 3.0, 0.5) + t)
    return 0


if __name__ == "__main__":
    sys.exit(main())
