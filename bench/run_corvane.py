#!/usr/bin/env python3
"""Benchmarks corvane on the generated basins, text and binary, against the I/O floor.

Usage: bench/run_corvane.py [BUILD_DIR] [--repeat N] [--presets small,medium,full]
Basins are generated under BUILD_DIR/bench-basins (once per preset).
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import measure  # noqa: E402


def main():
    args, build = measure.build_and_repeat(
        5, lambda parser: parser.add_argument("--presets", default="small,medium,full"))
    exe = os.path.join(build, "corvane", "corvane")
    here = os.path.dirname(os.path.abspath(__file__))
    rows = []
    for preset in args.presets.split(","):
        basin = os.path.join(build, "bench-basins", preset)
        if not os.path.exists(os.path.join(basin, "text.par")):
            subprocess.run([sys.executable, os.path.join(here, "corvane_basin.py"), preset, basin],
                           check=True)
        inputs = [os.path.join(basin, "ibound.dat"), os.path.join(basin, "returns.txt")]
        inputs += measure.tree_files(os.path.join(basin, "areas"))
        for mode in ("text", "bin"):
            rows.append(measure.measure(
                f"corvane {preset} {mode}", [exe, f"{mode}.par"], basin,
                inputs + [os.path.join(basin, f"{mode}.par")],
                [os.path.join(basin, f"out_{mode}")], args.repeat))
    print(f"cores: {os.cpu_count()}")
    measure.print_table(rows)


if __name__ == "__main__":
    main()
