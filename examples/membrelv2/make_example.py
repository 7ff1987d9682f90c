#!/usr/bin/env python3
"""Writes the membrelv2 example tree for the year 1995 beside this script.

Deterministic: the same tree every time. Layout, relative to this directory:
  data/ks/sw/membrel.par, monthlyfactorsbycounty1995.txt, authacres1995.txt, membrel1995.txt
  data/ks/40coords.dat, static/02.ibound, data0/cty.flg, and the working directory work/ks/.
A few tracts lie off the grid or on inactive cells, one has no coordinates, one group has no
authorized acres and one diversion serves a group without acreage records.
"""
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))
NROW, NCOL = 165, 326
WEST, NORTH, CELL = 266023, 14964006, 5280
YEAR = "1995"


def write_file(root, relative, text):
    """Writes `text` to ROOT/RELATIVE with line feeds alone, making its directories."""
    path = os.path.join(root, relative)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", newline="\n") as f:
        f.write(text)


def write(relative, text):
    write_file(HERE, relative, text)


def grid_lines(value_of):
    return "".join("".join("%2d" % value_of(c, r) for c in range(1, NCOL + 1)) + "\n"
                   for r in range(1, NROW + 1))


def active(c, r):
    """The state's part of the grid: the eastern block, with a lake of inactive cells."""
    if not (180 <= c <= 320 and 40 <= r <= 130):
        return 0
    if 240 <= c <= 244 and 80 <= r <= 83:
        return 0
    return -1 if c == 180 else 1


def county(c, r):
    if not active(c, r) or (c >= 300 and r >= 120):
        return 0  # no county: the monthly factors of county 1 apply
    return 1 + (((c - 180) // 15) * 7 + (r - 40) // 14) % 44


def centre(c, r, rng):
    """A point inside cell (c, r), away from its edges."""
    x = WEST + (c - 1) * CELL + rng.randint(200, CELL - 200)
    y = NORTH - (r - 1) * CELL - rng.randint(200, CELL - 200)
    return x, y


def main():
    rng = random.Random(1995)

    # Return-flow factors of the system types 0 to 11.
    write("data/ks/sw/membrel.par",
          "12\n" + "".join("%.2f\n" % (0.10 + 0.03 * k) for k in range(12)))

    write("static/02.ibound", grid_lines(active))
    write("data0/cty.flg", "county flags of the Kansas cells\n" + grid_lines(county))

    # May to October factors of each county; county 7's record spans two lines.
    lines = []
    for i in range(1, 45):
        shift = (i % 5) * 0.01
        f = [0.05 + shift, 0.15, 0.30 - shift, 0.25, 0.15, 0.10]
        text = "%d %s" % (i, " ".join("%.2f" % v for v in f))
        if i == 7:
            text = "%d %s,\n   %s" % (i, " ".join("%.2f" % v for v in f[:3]),
                                      " ".join("%.2f" % v for v in f[3:]))
        lines.append(text + "\n")
    write("data/ks/sw/monthlyfactorsbycounty" + YEAR + ".txt", "".join(lines))

    # Groups 1 to 40 with 1 to 5 tracts each, one tract per section.
    auth, coords, diversions = [], [], []
    tract_no = 0
    for g in range(1, 41):
        for _ in range(rng.randint(1, 5)):
            tract_no += 1
            t, rr = 1 + tract_no // 180, 1 + (tract_no // 36) % 45
            s, q = 1 + tract_no % 36, 1 + (tract_no * 7) % 16
            acres = 40.0 if g % 3 else rng.choice([10.0, 20.0, 35.5])
            auth.append((g, t, rr, s, q, acres))
            c, r = rng.randint(185, 315), rng.randint(45, 125)
            while not active(c, r):
                c, r = rng.randint(185, 315), rng.randint(45, 125)
            coords.append((t, rr, s, q) + centre(c, r, rng))
        n = 2 if g % 4 == 0 else 1
        for k in range(n):
            diversions.append((g, 0.0, round(rng.uniform(50, 900), 1),
                               round(rng.uniform(20, 160), 1), (g + k) % 12))
    # Tracts that cannot reach the grid: east of it, south of it, on the lake, no coordinates.
    odd = [(5, 9, 1, 1, 1, 40.0, (1987303 + 100, 14500000)),
           (12, 9, 1, 1, 2, 40.0, (900000, 14092806 - 2640)),
           (20, 9, 1, 1, 3, 30.0, centre(242, 81, rng)),
           (33, 9, 1, 1, 4, 25.0, None)]
    for g, t, rr, s, q, acres, xy in odd:
        auth.append((g, t, rr, s, q, acres))
        if xy:
            coords.append((t, rr, s, q) + xy)
    # Group 41 holds no authorized acres; group 42 has diversions but no acreage records.
    auth.append((41, 9, 2, 1, 1, 0.0))
    coords.append((9, 2, 1, 1) + centre(200, 60, rng))
    diversions.append((41, 0.0, 120.0, 30.0, 3))
    diversions.append((42, 0.0, 80.0, 15.0, 0))
    # Group 43: one big tract, so that its cell's July recharge does not fit a grid field.
    auth.append((43, 9, 3, 1, 1, 640.0))
    coords.append((9, 3, 1, 1) + centre(300, 100, rng))
    diversions.append((43, 0.0, 150000.0, 12000.0, 11))

    order = list(range(len(auth)))
    rng.shuffle(order)
    write("data/ks/sw/authacres" + YEAR + ".txt",
          "".join("%5d %3d %3d %3d %3d %9.1f\n" % auth[k] for k in order))
    write("data/ks/40coords.dat",
          "".join("%3d %3d %3d %3d %12.1f %12.1f\n" % c for c in coords))
    write("data/ks/sw/membrel" + YEAR + ".txt",
          "".join("%5d %6.1f %10.1f %8.1f %3d\n" % d for d in diversions))
    write("work/ks/.keep", "")


if __name__ == "__main__":
    main()
