#!/usr/bin/env python3
"""Measures one program run against the I/O floor on the same files.

Used by the bench/run_*.sh scripts. For a command run in a working directory, it reports the
median over REPEAT runs of wall time, CPU time (user + system), peak resident memory, the bytes
of the input files and of the output files, and the I/O floor: the time to read every input file
once and to write the same number of files of the same sizes, measured in the same repetitions.
"""
import argparse
import os
import resource
import shutil
import statistics
import subprocess
import time


def tree_files(path):
    found = []
    for root, _, files in os.walk(path):
        found.extend(os.path.join(root, f) for f in files)
    return sorted(found)


def read_all(paths):
    for path in paths:
        with open(path, "rb", buffering=0) as f:
            while f.read(1 << 20):
                pass


def write_like(sizes, directory):
    os.makedirs(directory, exist_ok=True)
    block = b"\0" * (1 << 20)
    for i, size in enumerate(sizes):
        with open(os.path.join(directory, f"floor{i}"), "wb", buffering=0) as f:
            left = size
            while left > 0:
                left -= f.write(block[:min(left, len(block))])


def median_ms(argv, cwd, runs):
    """Median wall time of `runs` runs of `argv` in `cwd`, in milliseconds; stops on a failure."""
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        done = subprocess.run(argv, cwd=cwd, stdout=subprocess.DEVNULL)
        times.append(time.perf_counter() - start)
        if done.returncode != 0:
            raise SystemExit("%s failed" % argv[0])
    return statistics.median(times) * 1000.0


def build_and_repeat(repeat, add_arguments=None):
    """The benchmarks' command line: the build directory (default build/) and --repeat, with any
    more that `add_arguments(parser)` adds; returns the parsed arguments and the build's
    absolute path."""
    parser = argparse.ArgumentParser()
    parser.add_argument("build", nargs="?", default="build")
    parser.add_argument("--repeat", type=int, default=repeat)
    if add_arguments is not None:
        add_arguments(parser)
    args = parser.parse_args()
    return args, os.path.abspath(args.build)


def run_once(command, workdir):
    start = time.perf_counter()
    process = subprocess.Popen(command, cwd=workdir, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.perf_counter() - start
    if status != 0:
        raise SystemExit(f"{command} failed with status {status} in {workdir}")
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024.0


def peak_rss_mb(command, workdir):
    """Peak resident memory of one run of `command`, in MB.

    A process started from Python inherits Python's own high-water mark across exec, so the
    program is started by GNU time (a small process) where it exists; otherwise the figure is
    an upper bound taken from wait4.
    """
    gnu_time = shutil.which("time", path="/usr/bin:/bin")
    if gnu_time is None:
        return run_once(command, workdir)[2]
    done = subprocess.run([gnu_time, "-f", "%M"] + command, cwd=workdir, check=True,
                          stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    return int(done.stderr.strip().splitlines()[-1]) / 1024.0


def measure(label, command, workdir, inputs, outputs, repeat=5):
    """`inputs`: files read; `outputs`: directories emptied before each run and measured after."""
    walls, cpus, rsses, floors = [], [], [], []
    written = []
    for _ in range(repeat):
        for out in outputs:
            shutil.rmtree(out, ignore_errors=True)
            os.makedirs(out)
        wall, cpu, rss = run_once(command, workdir)
        walls.append(wall), cpus.append(cpu), rsses.append(rss)
        written = [os.path.getsize(f) for out in outputs for f in tree_files(out)]
        floor_dir = os.path.join(workdir, "_floor")
        start = time.perf_counter()
        read_all(inputs)
        write_like(written, floor_dir)
        floors.append(time.perf_counter() - start)
        shutil.rmtree(floor_dir)
    for out in outputs:
        shutil.rmtree(out, ignore_errors=True)
        os.makedirs(out)
    peak = peak_rss_mb(command, workdir)
    wall, floor = statistics.median(walls), statistics.median(floors)
    row = {
        "run": label,
        "wall_s": wall,
        "cpu_s": statistics.median(cpus),
        "rss_mb": peak,
        "read_mb": sum(os.path.getsize(f) for f in inputs) / 1e6,
        "written_mb": sum(written) / 1e6,
        "files_written": len(written),
        "floor_s": floor,
        "ratio": wall / floor if floor > 0 else float("nan"),
    }
    return row


def print_table(rows):
    header = ("run", "wall s", "cpu s", "peak MB", "read MB", "written MB", "files", "floor s",
              "wall/floor")
    print("| " + " | ".join(header) + " |")
    print("|" + "---|" * len(header))
    for r in rows:
        print(f"| {r['run']} | {r['wall_s']:.3f} | {r['cpu_s']:.3f} | {r['rss_mb']:.1f} | "
              f"{r['read_mb']:.1f} | {r['written_mb']:.1f} | {r['files_written']} | "
              f"{r['floor_s']:.3f} | {r['ratio']:.2f} |")
