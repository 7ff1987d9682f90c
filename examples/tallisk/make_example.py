#!/usr/bin/env python3
"""Writes an example year for tallisk: the accounting-point lists, the five HYDMOD run files and
the page tallisk is expected to write for the default list, computed here independently.

Layout under OUT: data0/tallisk.12s, data0/tallisk.12p, runs/YEAR{,a,b,c,d}.sfi and
expected/YEAR.htm. Run tallisk in OUT/runs, so that the lists are at ../data0/.

  make_example.py [--out DIR] [--year 1995] [--items N --points P --records R --seed S]

Without --items the hand-made example basin is written; with it, N generated items and P
generated points (the benchmark's files).
"""
import argparse
import os
import random
import struct

ACRE_FOOT = 43560.0          # cubic feet
SO_OFFSET = 1000000.0        # subtracted from items whose label begins with "SO"
SECONDS_PER_DAY = 86400.0
RUNS = ["", "a", "b", "c", "d"]

# The example basin: a main stem with five gaged reaches, three tributaries, a canal diversion
# and two drain returns carried with the model's offset. Flows in cubic feet per second.
BASIN_ITEMS = [
    ("MAIN_REACH_01", 120.0), ("MAIN_REACH_02", 150.0), ("MAIN_REACH_03", 185.0),
    ("MAIN_REACH_04", 210.0), ("MAIN_REACH_05", 260.0), ("TRIB_NORTH_FORK", 35.0),
    ("TRIB_SOUTH_FORK", 28.0), ("TRIB_WILLOW_CREEK", 9.0), ("CANAL_DIVERSION_1", 40.0),
    ("SO_DRAIN_WEST", 6.0), ("SO_DRAIN_EAST", 4.0),
]
# Each run lowers or raises every flow by a share of its own (pumping lowers, mound raises).
RUN_SHARES = [0.0, -0.012, -0.021, -0.034, 0.008]

LIST_12S = [
    '"*Main stem, upper reach" +MAIN_REACH_02 -MAIN_REACH_01',
    '"*Main stem, middle reach" +MAIN_REACH_04 -MAIN_REACH_02 -TRIB_NORTH_FORK',
    '"*Main stem, lower reach" +MAIN_REACH_05 -MAIN_REACH_04 +CANAL_DIVERSION_1',
    '" North Fork" +TRIB_NORTH_FORK',
    '" South Fork" +TRIB_SOUTH_FORK +TRIB_WILLOW_CREEK',
    '" Willow Creek" +TRIB_WILLOW_CREEK',
    '" Drain returns" +SO_DRAIN_WEST +SO_DRAIN_EAST',
]
LIST_12P = [
    '"*Whole main stem" +MAIN_REACH_05 -MAIN_REACH_01',
    '" Tributaries" +TRIB_NORTH_FORK +TRIB_SOUTH_FORK +TRIB_WILLOW_CREEK',
]


def half_month_times():
    """25 record times in days: the start of the year, then the end of every half month."""
    days = [31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31]
    times, t = [0.0], 0.0
    for d in days:
        first = float(d // 2)
        times += [t + first, t + d]
        t += d
    return times


def record(data):
    return struct.pack("<I", len(data)) + data + struct.pack("<I", len(data))


def hydmod_file(labels, times, values):
    """The model's layout: the count written as -N (double precision), a directory record, then
    one time record per time: the time and every item's value."""
    out = record(struct.pack("<ii", -len(labels), 0))
    out += record(struct.pack("<i", 0) + b"".join(l.ljust(20).encode() for l in labels))
    for r, t in enumerate(times):
        out += record(struct.pack("<d", t) + struct.pack("<%dd" % len(labels), *values[r]))
    return out


def volumes(labels, times, values):
    """Acre-feet of each item: right-end steps over the 24 records after the first."""
    vol = [0.0] * len(labels)
    offsets = [SO_OFFSET if l[:2] == "SO" else 0.0 for l in labels]
    for r in range(1, 25):
        f = (times[r] - times[r - 1]) / ACRE_FOOT
        for i in range(len(labels)):
            vol[i] = vol[i] + f * (values[r][i] - offsets[i])
    return dict(zip(labels, vol))  # a label listed twice: the later item wins


def parse_list(lines):
    """(name, [(sign, label)]) per line; names may be quoted, labels are plain here."""
    points = []
    for line in lines:
        if line.startswith('"'):
            end = line.index('"', 1)
            name, rest = line[1:end], line[end + 1:]
        else:
            name, _, rest = line.partition(" ")
        points.append((name[:24], [(e[0], e[1:]) for e in rest.split()[:16]]))
    return points


def irep_field(x):
    if abs(x) < 10.0:
        n = 0
    else:
        n = int(x + 0.5) if x > 0.0 else int(x - 0.5)
    text = str(n)
    return "*" * 10 if len(text) > 10 else text.rjust(10)


def point_volume(entries, run):
    """An accounting point's volume in one run: its items' volumes added or taken away in the
    list's order, as tallisk sums them."""
    volume = 0.0
    for sign, label in entries:
        volume = volume + run[label] if sign == "+" else volume - run[label]
    return volume


def page(year, points, runs):
    lines = ["<html>", "<head><title>Impacts %s</title></head>" % year,
             '<body bgcolor="#FFFFFF">', "<table border>",
             '<tr><th align=center colspan=5><font size="+4">Impacts %s (acre-feet)</font>'
             "</th></tr>" % year,
             '<tr align="center"><th>Location</th><th>Colorado<br>Pumping</th>'
             "<th>Kansas<br>Pumping</th><th>Nebraska<br>Pumping</th>"
             "<th>Nebraska<br>Mound</th></tr>"]
    mainstem, total = [0.0] * 4, [0.0] * 4
    for name, entries in points:
        vol = [point_volume(entries, run) for run in runs]
        lines.append('<tr align="right"><td align=left>%s</td>' % name[1:].rstrip(" "))
        for k in range(4):
            x = vol[k + 1] - vol[0] if k < 3 else vol[0] - vol[4]
            if name[:1] == "*":
                mainstem[k] = mainstem[k] + x
            total[k] = total[k] + x
            lines.append("<td>%s</td>" % irep_field(x))
        lines.append("</tr>")
    for title, sums in (("Mainstem", mainstem), ("Total", total)):
        lines.append('<tr align="right"><th align=left>%s</th>' % title)
        lines += ["<th>%s</th>" % irep_field(s) for s in sums]
        lines.append("</tr>")
    lines += ["</table>", "</body>", "</html>"]
    return "".join(l + "\n" for l in lines)


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode())


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", default=os.path.dirname(os.path.abspath(__file__)))
    ap.add_argument("--year", default="1995")
    ap.add_argument("--items", type=int)
    ap.add_argument("--points", type=int, default=32)
    ap.add_argument("--records", type=int, default=25)
    ap.add_argument("--seed", type=int, default=1)
    a = ap.parse_args()
    rng = random.Random(a.seed)

    if a.items is None:
        items, list_12s, list_12p = BASIN_ITEMS, LIST_12S, LIST_12P
    else:
        items = [("GAGE_%04d" % i, 10.0 + 500.0 * rng.random()) for i in range(a.items)]
        list_12s = []
        for p in range(a.points):
            picks = rng.sample(range(a.items), min(16, a.items))
            entries = " ".join(rng.choice("+-") + items[i][0] for i in picks)
            list_12s.append("%sPoint_%02d %s" % ("*" if p % 3 == 0 else "-", p + 1, entries))
        list_12p = list_12s[: a.points // 2]

    labels = [name for name, _ in items]
    times = half_month_times()
    times += [times[-1] + 15.0 * k for k in range(1, a.records - 24)]
    # Flows in cubic feet per day, varying by season alike in every run.
    seasons = [[1.0 + 0.3 * rng.random() for _ in items] for _ in times]
    runs = []
    for r, suffix in enumerate(RUNS):
        values = [[(SO_OFFSET if label[:2] == "SO" else 0.0)
                   + cfs * SECONDS_PER_DAY * season[i] * (1.0 + RUN_SHARES[r])
                   for i, (label, cfs) in enumerate(items)] for season in seasons]
        order = list(range(len(labels)))
        if suffix == "d":
            order.reverse()  # each run file is matched by label on its own
        write(os.path.join(a.out, "runs", a.year + suffix + ".sfi"),
              hydmod_file([labels[i] for i in order], times,
                          [[row[i] for i in order] for row in values]))
        runs.append(volumes(labels, times, values))

    write(os.path.join(a.out, "data0", "tallisk.12s"), "".join(l + "\n" for l in list_12s))
    write(os.path.join(a.out, "data0", "tallisk.12p"), "".join(l + "\n" for l in list_12p))
    write(os.path.join(a.out, "expected", a.year + ".htm"),
          page(a.year, parse_list(list_12s), runs))


if __name__ == "__main__":
    main()
