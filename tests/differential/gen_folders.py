#!/usr/bin/env python3
"""Writes seeded, varied tool folders (JWC_TEMP.TXT and t207.dat) for the
comparison of the native and the Windows batch runner.

    gen_folders.py OUT_DIR [--count N] [--seed S]

Folder OUT_DIR/NNNN holds one run's input. The same seed gives the same
bytes. Covered: chains continued to the right, to the left and points
inside them; points a few 1e-10 past a chain end; zero-length chains; axis
angles 0, 90, 180, 270, -360, 90.5 and random ones, changed or not since the
saved run; scales that changed since the saved run; all 12 marker kinds at
both ends, reversed or not, with and without overhang; every value option
and the dimension figure; missing and odd records in both files.
"""
import argparse
import math
import os
import random

MARKERS = 12
SPECIAL_AXES = [0, 90, 180, 270, -360, 90.5, 360, -90, 45, 30, 135, 225, 315]
NUMBER_TEXTS = ["0", "1", "-1", "abc", "", "1e400", "  2", "0x10", "1,5"]


def fmt(v):
    """A number as a host or a sibling tool would write it."""
    if isinstance(v, int):
        return str(v)
    text = repr(float(v))
    if text.endswith(".0"):
        text = text[:-2]
    return text


def pick_axis(r):
    if r.random() < 0.6:
        return r.choice(SPECIAL_AXES)
    if r.random() < 0.5:
        return round(r.uniform(-720, 720), r.choice([0, 1, 3, 10]))
    return r.uniform(-720, 720)


def rotate(x, y, degrees):
    a = math.radians(degrees)
    c, s = math.cos(a), math.sin(a)
    return x * c - y * s, x * s + y * c


def pick_scale(r):
    return r.choice([1, 1, 1, 2, 5, 10, 20, 50, 100, 0.5, 0.25, 1 / 3, 30.5])


def chain(r, saved_axis, saved_scale):
    """The stored chain (start, end, level point) at the saved scale, and
    its length along the axis."""
    length = r.choice([0.0, 1e-10, 3e-10, 0.001, 5.79, 5.8, 10, 37.5, 100,
                       r.uniform(0, 2000), r.uniform(0, 20)])
    start = r.uniform(-1000, 1000) if r.random() < 0.7 else 0.0
    across = r.uniform(-80, 80) if r.random() < 0.8 else r.choice([0.0, 20.0])
    base_v = r.uniform(-500, 500) if r.random() < 0.5 else 0.0
    pts = [(start, base_v), (start + length, base_v), (start, base_v + across)]
    out = []
    for u, v in pts:
        x, y = rotate(u * saved_scale, v * saved_scale, saved_axis)
        out.append((x, y))
    return out, start, length, base_v


def picked_point(r, start, length, base_v, axis, ratio_scale):
    """Picked point 1 in the current frame: past either end, inside, just
    past an end, or on an end."""
    kind = r.random()
    if kind < 0.35:
        u = start + length + r.choice([r.uniform(0.001, 500), 5.8, 10])
    elif kind < 0.6:
        u = start - r.choice([r.uniform(0.001, 500), 5.79, 10])
    elif kind < 0.7:
        u = start + length * r.random()
    elif kind < 0.85:
        u = start + length + r.choice([1, 2, 3, 5, -1, -2]) * 1e-10
    elif kind < 0.95:
        u = start - r.choice([1, 2, 3, 5, -1]) * 1e-10
    else:
        u = r.choice([start, start + length])
    v = base_v + r.uniform(-100, 100) if r.random() < 0.7 else base_v
    return rotate(u * ratio_scale, v * ratio_scale, axis)


def host_file(r, p):
    lines = ["hq"]
    axis = p["axis"]
    odd = r.random() < 0.08
    if odd and r.random() < 0.3:
        lines.append("hk")  # too few fields: the axis stays 0
    elif not (odd and r.random() < 0.3):
        lines.append("hk " + fmt(axis))
    scales = [pick_scale(r) if r.random() < 0.2 else 1 for _ in range(16)]
    scales[p["group"]] = p["scale"]
    if odd and r.random() < 0.3:
        lines.append("hs " + " ".join(fmt(s) for s in scales[:15]))
    else:
        lines.append("hs " + " ".join(fmt(s) for s in scales))
    widths = [2, 2.5, 3, 4, 5, 6, 7, 8, 9, 10]
    if r.random() < 0.3:
        widths = [round(r.uniform(0.5, 12), 2) for _ in range(10)]
    lines.append("hcw " + " ".join(fmt(w) for w in widths))
    lines.append("hch " + " ".join(fmt(w) for w in widths))
    spacing = [0, 0, 0, 0.5, 0.5, 1, 1, 1, 1, 1]
    if r.random() < 0.3:
        spacing = [round(r.uniform(0, 2), 1) for _ in range(10)]
    lines.append("hcd " + " ".join(fmt(s) for s in spacing))
    lines.append("hcc      1      1      2      2      3      3      4      4"
                 "      5      2")
    lines.append("hn 0 0 0 0")
    marker = r.choice(["", "", "", "-", "ln", "ci", "ch"])
    if not (odd and r.random() < 0.4):
        lines.append("hp1%s  %s %s" % (marker, fmt(p["p1"][0]),
                                       fmt(p["p1"][1])))
    if not (odd and r.random() < 0.4):
        lines.append("hp2  %s %s" % (fmt(p["p2"][0]), fmt(p["p2"][1])))
    if odd and r.random() < 0.5:
        lines.append(r.choice(["hp1", "hp0 1 2", "hp100 1 2", "zz 1 2 3",
                               "hp2 x y", "lg", "hk 1 2 3"]))
    lines.append("lg%x" % p["group"])
    lines.append("ly%x" % r.randrange(16))
    lines.append("lc%d" % r.randrange(1, 10))
    lines.append("lt%d" % r.randrange(1, 10))
    if r.random() < 0.3:
        lines.append("cn%d" % r.randrange(1, 11))
    if r.random() < 0.3:
        lines.append("cn0 %s %s 0 1" % (fmt(r.uniform(1, 9)),
                                        fmt(r.uniform(1, 9))))
    if r.random() < 0.5:
        lines.append('cn"ＭＳ ゴシック')
    if r.random() < 0.3:
        lines.append("z3")
        lines.append("0 20 100 20")
    lines.append("#")
    text = "\r\n".join(lines) + "\r\n"
    if odd and r.random() < 0.2:
        text = text.replace("\r\n", "\n")
    return text.encode("cp932")


def settings_file(r, p):
    def kind():
        if r.random() < 0.03:
            return r.choice(["12", "-1", "x"])
        return str(r.randrange(MARKERS))

    def real(choices, odd_rate=0.03):
        if r.random() < odd_rate:
            return r.choice(NUMBER_TEXTS)
        return fmt(r.choice(choices))

    texts = ["", "", "", "約", "L=", "φ", "(", "ＡＢ", "x" * 20]
    lines = [
        str(r.randrange(-50, 1200)), str(r.randrange(-50, 900)),
        kind(), kind(),
        str(r.choice([0, 0, 1, 2, 3, 5, 9, 10]) if r.random() < 0.98 else 11),
        str(r.randrange(9) if r.random() < 0.97 else r.choice([9, -1])),
        str(r.randrange(3) if r.random() < 0.97 else r.choice([3, -1])),
        real([1, 1, 0.5, 2, 1.5, 3]),
        r.choice(texts), r.choice(texts),
        real([0.5, 0.5, 1, 0, 2]),
        real([2, 2, 0, 1, 3.5]),
        real([2, 2, 0, 1, 5]),
        real([3, 3, 1, 5, 10, 0.5, 1000]),
        real([15, 15, 30, 45, 90, 10, 179, 1]),
        real([2, 2, 0, 1e-11, 5, 0.5]),
        str(r.randrange(2) if r.random() < 0.95 else 5),
        str(r.randrange(2)),
    ]
    lines += [str(int(r.random() < rate)) for rate in (0.3, 0.3, 0.25, 0.3)]
    lines.append(str(p["saved_group"]))
    lines.append(fmt(p["saved_scale"]) if r.random() < 0.97 else
                 r.choice(["0", "-2", ""]))
    lines.append(fmt(p["saved_axis"]))
    for x, y in p["chain"]:
        lines += [fmt(x), fmt(y)]
    if r.random() < 0.03:
        lines = lines[:r.choice([0, 7, 22, 25, 30])]
    text = "".join(line + "\r\n" for line in lines)
    if r.random() < 0.02:
        text = text.rstrip("\r\n")  # no line end after the last line
    return text.encode("cp932")


def one_folder(r):
    saved_axis = pick_axis(r)
    axis = saved_axis if r.random() < 0.65 else pick_axis(r)
    if r.random() < 0.1:
        axis = saved_axis + r.choice([360, -360, 720])
    saved_scale = pick_scale(r)
    scale = saved_scale if r.random() < 0.7 else pick_scale(r)
    group = r.randrange(16) if r.random() < 0.3 else 0
    pts, start, length, base_v = chain(r, saved_axis, saved_scale)
    p1 = picked_point(r, start, length, base_v, axis, scale)
    p2 = rotate(r.uniform(-1500, 1500) * scale, r.uniform(-1500, 1500) * scale,
                axis if r.random() < 0.8 else 0)
    if r.random() < 0.05:
        p2 = p1
    p = dict(axis=axis, saved_axis=saved_axis, scale=scale,
             saved_scale=saved_scale, group=group,
             saved_group=group if r.random() < 0.9 else r.randrange(-1, 17),
             chain=pts, p1=p1, p2=p2)
    files = {}
    if r.random() > 0.01:
        files["JWC_TEMP.TXT"] = host_file(r, p)
    if r.random() > 0.01:
        files["t207.dat"] = settings_file(r, p)
    return files


def generate(out_dir, count, seed):
    r = random.Random(seed)
    names = []
    for i in range(count):
        name = "%04d" % i
        folder = os.path.join(out_dir, name)
        os.makedirs(folder, exist_ok=True)
        for file_name, data in one_folder(r).items():
            with open(os.path.join(folder, file_name), "wb") as f:
                f.write(data)
        names.append(name)
    return names


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("out_dir")
    parser.add_argument("--count", type=int, default=2000)
    parser.add_argument("--seed", type=int, default=482)
    args = parser.parse_args()
    generate(args.out_dir, args.count, args.seed)


if __name__ == "__main__":
    main()
