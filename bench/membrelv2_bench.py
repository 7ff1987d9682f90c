#!/usr/bin/env python3
"""Median wall time of a full-scale membrelv2 run against the I/O floor.

Usage: bench/membrelv2_bench.py [BUILD_DIR] [RUNS]   (defaults: build, 11)

Generates the full-scale tree of membrelv2_generate.py in a scratch directory, runs membrelv2
RUNS times and reports the median wall time (and CPU time, steadier on a shared machine). The I/O floor is the median time to read every
input file whole and write output files of the same sizes as membrelv2's, from this process.
"""
import os
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
YEAR = "2000"


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "build"))
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 11
    exe = os.path.join(build, "membrelv2", "membrelv2")
    root = tempfile.mkdtemp(prefix="membrelv2_bench_")
    try:
        subprocess.run([sys.executable, os.path.join(HERE, "membrelv2_generate.py"), root],
                       check=True)
        work = os.path.join(root, "work")
        times, cpu = [], []
        for _ in range(runs):
            before = resource.getrusage(resource.RUSAGE_CHILDREN)
            start = time.perf_counter()
            subprocess.run([exe, YEAR], cwd=work, check=True, stdout=subprocess.DEVNULL)
            times.append(time.perf_counter() - start)
            after = resource.getrusage(resource.RUSAGE_CHILDREN)
            cpu.append(after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime)

        inputs = [os.path.join(root, p) for p in (
            "data/ks/sw/membrel.par", "static/02.ibound", "data0/cty.flg",
            "data/ks/sw/monthlyfactorsbycounty%s.txt" % YEAR, "data/ks/sw/authacres%s.txt" % YEAR,
            "data/ks/40coords.dat", "data/ks/sw/membrel%s.txt" % YEAR)]
        outputs = [os.path.join(work, "ks", n) for n in sorted(os.listdir(os.path.join(work, "ks")))]
        sizes = [os.path.getsize(p) for p in outputs]
        scratch = os.path.join(root, "floor")
        os.makedirs(scratch)
        floor = []
        for _ in range(runs):
            start = time.perf_counter()
            for p in inputs:
                with open(p, "rb") as f:
                    f.read()
            for k, size in enumerate(sizes):
                with open(os.path.join(scratch, str(k)), "wb") as f:
                    f.write(b" " * size)
            floor.append(time.perf_counter() - start)

        run_ms = 1000 * statistics.median(times)
        floor_ms = 1000 * statistics.median(floor)
        print("input bytes %d, output bytes %d" % (sum(os.path.getsize(p) for p in inputs),
                                                   sum(sizes)))
        print("membrelv2 median %.1f ms over %d runs (CPU, user + system: %.1f ms)"
              % (run_ms, runs, 1000 * statistics.median(cpu)))
        print("I/O floor median %.1f ms (read inputs, write outputs of the same sizes)" % floor_ms)
        print("ratio %.1f" % (run_ms / floor_ms))
    finally:
        shutil.rmtree(root)


if __name__ == "__main__":
    main()
