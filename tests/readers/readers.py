"""What the reader checks share: the skip rule, the example run and the grid files' forms."""
import os
import shutil
import struct
import subprocess
import sys

NCOL, NROW = 326, 165
SKIP = 77  # CTest's skip status for these tests


def missing(what):
    """Ends the check as skipped, or as failed when CI requires the readers."""
    if os.environ.get("RECHARGE_REQUIRE_READERS") == "1":
        print(f"required reader missing: {what}")
        sys.exit(1)
    print(f"skipped: {what} not installed")
    sys.exit(SKIP)


def run(args, cwd):
    result = subprocess.run(args, cwd=cwd, capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit(f"{' '.join(map(str, args))} failed ({result.returncode}):\n"
                 f"{result.stdout}{result.stderr}")
    return result.stdout


def example_run(corvane, source, work):
    """The example basin's corvane run, as text and as binary grids, in `work`."""
    basin = os.path.join(work, "corvane")
    shutil.copytree(os.path.join(source, "examples", "corvane"), basin)
    for form in ("text", "binary"):
        os.makedirs(os.path.join(basin, "grids", form))
    run([corvane, "params.txt"], basin)
    run([corvane, "params-bin.txt"], basin)
    return basin


def read_binary_grid(path):
    """The doubles of a binary grid file: one framed record, row 1 (north) first."""
    with open(path, "rb") as f:
        data = f.read()
    (size,) = struct.unpack_from("<I", data, 0)
    assert size == NCOL * NROW * 8 and len(data) == size + 8, path
    return list(struct.unpack_from(f"<{NCOL * NROW}d", data, 4))


def read_text_grid(path):
    """The values of a text grid file, read as Python reads decimal numbers."""
    with open(path) as f:
        values = [float(v) for v in f.read().replace(",", " ").split()]
    assert len(values) == NCOL * NROW, path
    return values


def read_ibound(path):
    """Active-cell flags: 165 lines of 326 fields two characters wide."""
    with open(path) as f:
        lines = f.read().splitlines()
    return [int(line[2 * c:2 * c + 2]) for line in lines[:NROW] for c in range(NCOL)]
