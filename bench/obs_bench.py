#!/usr/bin/env python3
"""Median wall time of the accounting of five MODFLOW 6 observation files of 256 names and
2,000 records each (gridkit obs-impacts, 32 accounting points) against the I/O floor: cat of the
same files, true for the cost of starting a process, and gridkit --version for the cost of
starting gridkit (its NetCDF libraries). Both file forms, text and binary.

  bench/obs_bench.py [BUILD_DIR] [--runs 51] [--records 2000]
"""
import argparse
import os
import random
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import measure  # noqa: E402

NAMES = 256
POINTS = 32


def write_files(work, records, form):
    """Five runs of daily steps, with values like MODFLOW 6's (17 significant digits)."""
    rng = random.Random(form)
    names = ["REACH_%04d_OUTFLOW_OF_THE_SOUTH_FORK_GAG" % i for i in range(NAMES)]
    files = []
    for run in range(5):
        path = os.path.join(work, "run%d.%s" % (run, "csv" if form == "text" else "bsv"))
        rows = [[float(t + 1)] + [-rng.uniform(1e5, 1e7) for _ in names] for t in range(records)]
        if form == "text":
            with open(path, "w") as out:
                out.write("time," + ",".join(names) + "\n")
                for row in rows:
                    out.write(",".join("%.17g" % x for x in row) + "\n")
        else:
            with open(path, "wb") as out:
                out.write(b"cont double  40".ljust(100))
                out.write(struct.pack("<i", len(names)))
                out.write(b"".join(n.encode().ljust(40) for n in names))
                for row in rows:
                    out.write(struct.pack("<%dd" % len(row), *row))
        files.append(os.path.basename(path))
    with open(os.path.join(work, "points"), "w") as out:
        for j in range(POINTS):
            entries = " ".join("-" + names[(8 * j + k) % NAMES].lower() for k in range(8))
            out.write("P%02d %s\n" % (j, entries))
    return files


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("build", nargs="?", default=os.path.join(HERE, "..", "build"))
    ap.add_argument("--runs", type=int, default=51)
    ap.add_argument("--records", type=int, default=2000)
    a = ap.parse_args()
    exe = os.path.abspath(os.path.join(a.build, "gridkit", "gridkit"))
    print("gridkit obs-impacts: 5 files of %d names and %d records, %d points; median of %d runs"
          % (NAMES, a.records, POINTS, a.runs))
    print("%8s %12s %12s %12s %12s %14s %12s" % ("form", "file bytes", "gridkit ms", "cat ms",
                                                 "true ms", "--version ms", "gridkit/cat"))
    for form in ("text", "binary"):
        with tempfile.TemporaryDirectory() as work:
            files = write_files(work, a.records, form)
            size = os.path.getsize(os.path.join(work, files[0]))
            argv = [exe, "obs-impacts", "2000"] + files + ["--list", "points", "-o", "out.csv"]
            t_prog = measure.median_ms(argv, work, a.runs)
            t_cat = measure.median_ms(["cat", "points"] + files, work, a.runs)
            t_true = measure.median_ms(["true"], work, a.runs)
            t_start = measure.median_ms([exe, "--version"], work, a.runs)
            print("%8s %12d %12.2f %12.2f %12.2f %14.2f %12.2f"
                  % (form, size, t_prog, t_cat, t_true, t_start, t_prog / t_cat))


if __name__ == "__main__":
    main()
