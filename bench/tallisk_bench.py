#!/usr/bin/env python3
"""Median wall time of tallisk on five HYDMOD files of 256 items and a list of 32 accounting
points, against the I/O floor: a process that only reads the same input files (cat), and one
that does nothing at all (true).

  bench/tallisk_bench.py [BUILD_DIR] [--runs 51] [--records 25 [--records 2000 ...]]
"""
import argparse
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import measure  # noqa: E402

GENERATOR = os.path.join(HERE, "..", "examples", "tallisk", "make_example.py")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("build", nargs="?", default=os.path.join(HERE, "..", "build"))
    ap.add_argument("--runs", type=int, default=51)
    ap.add_argument("--records", type=int, action="append")
    a = ap.parse_args()
    exe = os.path.abspath(os.path.join(a.build, "tallisk", "tallisk"))
    print("tallisk: 5 HYDMOD files of 256 items, 32 accounting points; median of %d runs"
          % a.runs)
    print("%8s %12s %12s %12s %12s" % ("records", "file bytes", "tallisk ms", "cat ms", "true ms"))
    for records in a.records or [25, 2000]:
        with tempfile.TemporaryDirectory() as tmp:
            subprocess.run([sys.executable, GENERATOR, "--out", tmp, "--items", "256",
                            "--points", "32", "--records", str(records), "--year", "2000"],
                           check=True)
            work = os.path.join(tmp, "runs")
            inputs = ["../data0/tallisk.12s"] + ["2000%s.sfi" % s for s in ["", "a", "b", "c", "d"]]
            size = os.path.getsize(os.path.join(work, "2000.sfi"))
            t_prog = measure.median_ms([exe, "2000"], work, a.runs)
            with open(os.path.join(work, "2000.htm")) as page, \
                    open(os.path.join(tmp, "expected", "2000.htm")) as expected:
                if page.read() != expected.read():
                    sys.exit("tallisk's page differs from the generator's")
            t_cat = measure.median_ms(["cat"] + inputs, work, a.runs)
            t_true = measure.median_ms(["true"], work, a.runs)
            print("%8d %12d %12.2f %12.2f %12.2f" % (records, size, t_prog, t_cat, t_true))


if __name__ == "__main__":
    main()
