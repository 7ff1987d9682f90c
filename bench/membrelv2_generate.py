#!/usr/bin/env python3
"""Writes a full-scale membrelv2 input tree for the year 2000 into DIR (deterministic).

Usage: bench/membrelv2_generate.py DIR

Every tract of the 20 x 45 x 36 x 16 frame has a coordinate record (518,400 records); about
37,000 authorized acreage records spread over groups 1 to 3000; 500 diversion records. The
working directory is DIR/work with its ks/.
"""
import os
import random
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples",
                                "membrelv2"))
from make_example import CELL, WEST, grid_lines as grid, write_file as write  # noqa: E402

SOUTH = 14092806
YEAR = "2000"


def tract_xy(t, r, s, q, rng):
    """Townships run north from row 155, ranges east from column 21; sections snake in
    rows of six, tracts are the 16 quarter-quarters of a section."""
    srow, scol = (s - 1) // 6, (s - 1) % 6
    if srow % 2:
        scol = 5 - scol
    qrow, qcol = (q - 1) // 4, (q - 1) % 4
    x = WEST + CELL * (20 + 6 * (r - 1) + scol) + 1320 * qcol + 660 + rng.uniform(-300, 300)
    y = SOUTH + CELL * (10 + 6 * (t - 1) + srow) + 1320 * qrow + 660 + rng.uniform(-300, 300)
    return x, y


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    root = sys.argv[1]
    rng = random.Random(20000)

    write(root, "data/ks/sw/membrel.par",
          "12\n" + "".join("%.3f\n" % (0.08 + 0.025 * k) for k in range(12)))
    active = lambda c, r: 1 if 15 <= c <= 315 and 20 <= r <= 160 and (c * 7 + r * 3) % 97 else 0
    write(root, "static/02.ibound", grid(active))
    write(root, "data0/cty.flg", "county flags\n" + grid(
        lambda c, r: 0 if not active(c, r) else 1 + ((c - 15) // 30 * 5 + (r - 20) // 32) % 44))
    write(root, "data/ks/sw/monthlyfactorsbycounty" + YEAR + ".txt", "".join(
        "%d %s\n" % (i, " ".join("%.3f" % (f + 0.002 * (i % 7)) for f in
                                 (0.06, 0.16, 0.28, 0.26, 0.14, 0.08)))
        for i in range(1, 45)))

    lines = []
    for t in range(1, 21):
        for r in range(1, 46):
            for s in range(1, 37):
                for q in range(1, 17):
                    x, y = tract_xy(t, r, s, q, rng)
                    lines.append("%d %d %d %d %.1f %.1f\n" % (t, r, s, q, x, y))
    write(root, "data/ks/40coords.dat", "".join(lines))

    auth = []
    for g in range(1, 3001):
        for _ in range(rng.randint(1, 24)):
            t, r, s, q = (rng.randint(1, 20), rng.randint(1, 45), rng.randint(1, 36),
                          rng.randint(1, 16))
            acres = 40.0 if rng.random() < 0.7 else round(rng.uniform(1, 40), 1)
            auth.append("%5d %3d %3d %3d %3d %8.1f\n" % (g, t, r, s, q, acres))
    rng.shuffle(auth)
    write(root, "data/ks/sw/authacres" + YEAR + ".txt", "".join(auth))

    write(root, "data/ks/sw/membrel" + YEAR + ".txt", "".join(
        "%5d %6.1f %10.1f %8.1f %3d\n" % (rng.randint(1, 3000), 0.0, round(rng.uniform(10, 5000), 1),
                                         round(rng.uniform(10, 800), 1), rng.randint(0, 11))
        for _ in range(500)))
    os.makedirs(os.path.join(root, "work", "ks"), exist_ok=True)
    print("%d authorized acreage records, %d tract coordinates" % (len(auth), len(lines)))


if __name__ == "__main__":
    main()
