#!/usr/bin/env python3
"""Benchmarks membrelv2 on a full-scale year against the I/O floor.

Usage: bench/membrelv2_bench.py [BUILD_DIR] [--repeat N]
The tree of membrelv2_generate.py is generated once under BUILD_DIR/bench-basins/membrelv2.
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import measure  # noqa: E402

YEAR = "2000"


def main():
    args, build = measure.build_and_repeat(11)
    here = os.path.dirname(os.path.abspath(__file__))
    tree = os.path.join(build, "bench-basins", "membrelv2")
    if not os.path.exists(os.path.join(tree, "data", "ks", "40coords.dat")):
        subprocess.run([sys.executable, os.path.join(here, "membrelv2_generate.py"), tree],
                       check=True)
    inputs = [os.path.join(tree, p) for p in (
        "data/ks/sw/membrel.par", "static/02.ibound", "data0/cty.flg",
        f"data/ks/sw/monthlyfactorsbycounty{YEAR}.txt", f"data/ks/sw/authacres{YEAR}.txt",
        "data/ks/40coords.dat", f"data/ks/sw/membrel{YEAR}.txt")]
    work = os.path.join(tree, "work")
    row = measure.measure(f"membrelv2 full {YEAR}", [os.path.join(build, "membrelv2", "membrelv2"),
                                                     YEAR],
                          work, inputs, [os.path.join(work, "ks")], args.repeat)
    print(f"cores: {os.cpu_count()}")
    measure.print_table([row])


if __name__ == "__main__":
    main()
