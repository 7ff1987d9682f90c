"""What the reader checks share: the skip rule, the example run and the grid files' forms."""
import atexit
import os
import shutil
import struct
import subprocess
import sys
import tempfile

NCOL, NROW = 326, 165


def missing(what):
    """Ends the check as skipped (CTest's status 77), or failed when CI requires the readers."""
    required = os.environ.get("RECHARGE_REQUIRE_READERS") == "1"
    print(f"{'required reader missing' if required else 'skipped, not installed'}: {what}")
    sys.exit(1 if required else 77)


def scratch():  # a fresh directory, removed when the check ends
    work = tempfile.mkdtemp()
    atexit.register(shutil.rmtree, work, True)
    return work


def run(args, cwd):
    result = subprocess.run(args, cwd=cwd, capture_output=True, text=True)
    assert result.returncode == 0, f"{args} failed: {result.stdout}{result.stderr}"
    return result.stdout


def example_run(corvane, source, work):  # the example basin's run, text and binary grids
    basin = os.path.join(work, "corvane")
    shutil.copytree(os.path.join(source, "examples", "corvane"), basin)
    for form, params in (("text", "params.txt"), ("binary", "params-bin.txt")):
        os.makedirs(os.path.join(basin, "grids", form))
        run([corvane, params], basin)
    return basin


def read_binary_grid(path):  # the doubles of one framed record, row 1 (north) first
    with open(path, "rb") as f:
        data = f.read()
    assert struct.unpack_from("<I", data)[0] == NCOL * NROW * 8 == len(data) - 8, path
    return list(struct.unpack_from(f"<{NCOL * NROW}d", data, 4))


def read_text_grid(path):  # free-format values, read as Python reads decimal numbers
    with open(path) as f:
        return [float(v) for v in f.read().split()]


def read_ibound(path):  # active-cell flags: 165 lines of 326 fields two characters wide
    with open(path) as f:
        lines = f.read().splitlines()
    return [int(line[2 * c:2 * c + 2]) for line in lines[:NROW] for c in range(NCOL)]
