#!/usr/bin/env python3
"""Benchmarks gridkit's model inputs on the full benchmark basin's binary run.

Usage: bench/modflow_bench.py [BUILD_DIR] [--repeat N]

- `gridkit mfarray` of the run's 648 binary grids into MODFLOW binary array files, against the
  floor of copying the same grids (reading them and writing files of the same sizes), and
  against `cp -r` of the grid directory;
- `gridkit rch` of its 81 years: one command for all (--years), and one command a year.
The basin is generated under BUILD_DIR/bench-basins/full (as bench/run_corvane.py does) and run
once with a water balance.
"""
import os
import shutil
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import measure  # noqa: E402


def prepare(build, here):
    basin = os.path.join(build, "bench-basins", "full")
    if not os.path.exists(os.path.join(basin, "bin.par")):
        subprocess.run([sys.executable, os.path.join(here, "corvane_basin.py"), "full", basin],
                       check=True)
    params = os.path.join(basin, "bin-balance.par")
    with open(os.path.join(basin, "bin.par")) as source, open(params, "w") as out:
        out.write(source.read().replace("FILE out_bin", "FILE grids_bin") +
                  "BALANCE balance.csv\n")
    shutil.rmtree(os.path.join(basin, "grids_bin"), ignore_errors=True)
    os.makedirs(os.path.join(basin, "grids_bin"))
    subprocess.run([os.path.join(build, "corvane", "corvane"), "bin-balance.par"], cwd=basin,
                   check=True, stdout=subprocess.DEVNULL)
    return basin


def time_copy(basin, repeat):
    walls = []
    for _ in range(repeat):
        target = os.path.join(basin, "_copy")
        shutil.rmtree(target, ignore_errors=True)
        start = time.perf_counter()
        subprocess.run(["cp", "-r", "grids_bin", "_copy"], cwd=basin, check=True)
        walls.append(time.perf_counter() - start)
        shutil.rmtree(target)
    return statistics.median(walls)


def time_rch(gridkit, basin, repeat):
    years = sorted({line.split(",")[0] for line in open(os.path.join(basin, "balance.csv"))
                    if line[:1].isdigit()})
    first, last = int(years[0]), int(years[-1])
    out = os.path.join(basin, "_rch")
    walls, alls = [], []
    for _ in range(repeat):
        shutil.rmtree(out, ignore_errors=True)
        start = time.perf_counter()
        subprocess.run([gridkit, "rch", "balance.csv", "--years", f"{first}-{last}", "--grids",
                        "arrays", "--binary", "-o", "_rch"], cwd=basin, check=True,
                       stdout=subprocess.DEVNULL)
        alls.append(time.perf_counter() - start)
        start = time.perf_counter()
        for year in range(first, last + 1):
            subprocess.run([gridkit, "rch", "balance.csv", "--year", str(year), "--grids",
                            "arrays", "--binary", "-o", f"_rch/{year}.rch"], cwd=basin,
                           check=True, stdout=subprocess.DEVNULL)
        walls.append(time.perf_counter() - start)
    shutil.rmtree(out)
    return last - first + 1, statistics.median(alls), statistics.median(walls)


def main():
    args, build = measure.build_and_repeat(5)
    here = os.path.dirname(os.path.abspath(__file__))
    gridkit = os.path.join(build, "gridkit", "gridkit")
    basin = prepare(build, here)
    grids = measure.tree_files(os.path.join(basin, "grids_bin"))
    row = measure.measure(f"gridkit mfarray full binary ({len(grids)} grids)",
                          [gridkit, "mfarray", "grids_bin", "-o", "arrays"], basin, grids,
                          [os.path.join(basin, "arrays")], args.repeat)
    print(f"cores: {os.cpu_count()}")
    measure.print_table([row])
    copy = time_copy(basin, args.repeat)
    print(f"cp -r of the same grids: {copy:.3f} s (mfarray / cp: {row['wall_s'] / copy:.2f})")
    start = time.perf_counter()
    subprocess.run([gridkit, "--version"], check=True, stdout=subprocess.DEVNULL)
    print(f"gridkit --version (starting the program): {time.perf_counter() - start:.3f} s")
    years, together, one_by_one = time_rch(gridkit, basin, args.repeat)
    print(f"gridkit rch of {years} years: {together:.3f} s with --years, "
          f"{one_by_one:.3f} s one command a year")


if __name__ == "__main__":
    main()
