#!/usr/bin/env python3
"""Writes a deterministic corvane basin for benchmarks.

Usage: bench/corvane_basin.py PRESET DIR
  PRESET: small (16 areas, 1 year), medium (64 areas, 10 years), full (256 areas, 1940-2020)

DIR receives ibound.dat (about 60% active cells), one free-format acreage grid per area
(irregular contiguous blobs of 20 to 3000 cells, "0.00" for empty cells, one row per line, a
header line), a few point areas, returns.txt (monthly return flows, flow mostly April to
October), and two parameter files: text.par (text grids) and bin.par (binary grids).
"""
import os
import random
import sys

NCOL, NROW = 326, 165
X0, Y0, CELL = 266023, 14092806, 5280
PRESETS = {"small": (16, 2000, 2000), "medium": (64, 1990, 1999), "full": (256, 1940, 2020)}
RIVERS = ["Platte", "Republican", "Frenchman", "Beaver", "Sappa", "Prairie_Dog", "Medicine",
          "Arikaree", "Buffalo", "Driftwood", "Red_Willow", "Stinking_Water", "Rock", "Sand"]
WORKS = ["Canal", "Ditch", "Irr_District", "Lateral", "Pump_Unit", "Reservoir_Lands"]


def ibound(rng):
    """Active cells: an irregular basin outline covering about 60% of the grid."""
    grid = [[0] * NCOL for _ in range(NROW)]
    for r in range(NROW):
        wobble = 18 * rng.random()
        west = int(40 + 20 * abs(((r * 7) % 50) - 25) / 25 + wobble)
        east = int(NCOL - 55 - 15 * abs(((r * 5) % 60) - 30) / 30 - wobble)
        for c in range(west, east):
            grid[r][c] = 0 if rng.random() < 0.03 else 1
    return grid


def blob(rng, size):
    """A contiguous set of about `size` cells grown from a random seed cell."""
    start = (rng.randrange(20, NROW - 20), rng.randrange(30, NCOL - 30))
    cells, frontier = {start}, [start]
    while len(cells) < size and frontier:
        r, c = frontier[rng.randrange(len(frontier))]
        dr, dc = rng.choice([(0, 1), (1, 0), (0, -1), (-1, 0)])
        n = (r + dr, c + dc)
        if 0 <= n[0] < NROW and 0 <= n[1] < NCOL and n not in cells:
            cells.add(n)
            frontier.append(n)
    return cells


def write_area_grid(path, name, cells, rng):
    acres = {cell: round(rng.uniform(1.0, 640.0), 2) for cell in cells}
    with open(path, "w") as out:
        out.write(f"acreage of {name} by cell\n")
        for r in range(NROW):
            out.write(" ".join(f"{acres[(r, c)]:.2f}" if (r, c) in acres else "0.00"
                               for c in range(NCOL)))
            out.write("\n")


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in PRESETS:
        sys.exit(__doc__)
    narea, first, last = PRESETS[sys.argv[1]]
    target = sys.argv[2]
    os.makedirs(os.path.join(target, "areas"), exist_ok=True)
    rng = random.Random(20261207)

    with open(os.path.join(target, "ibound.dat"), "w") as out:
        for row in ibound(rng):
            out.write("".join(f"{v:2d}" for v in row) + "\n")

    names, commands = [], []
    for k in range(narea):
        name = f"{rng.choice(RIVERS)}_{rng.choice(WORKS)}_{k + 1:03d}"
        names.append(name)
        if k % 64 == 7:  # a few point areas
            x = X0 + rng.uniform(0, NCOL * CELL)
            y = Y0 + rng.uniform(0, NROW * CELL)
            commands.append(f"AREA {name} * {x:.1f} {y:.1f} {rng.uniform(40, 600):.2f}")
            continue
        path = f"areas/{name.lower()}.dat"
        write_area_grid(os.path.join(target, path), name, blob(rng, rng.randint(20, 3000)), rng)
        commands.append(f"AREA {name} {path}")

    with open(os.path.join(target, "returns.txt"), "w") as out:
        out.write("YearMo " + " ".join(names) + "\n")
        out.write("# return flows in acre-feet per month\n")
        for year in range(first, last + 1):
            for month in range(1, 13):
                season = month in range(4, 11)
                values = [rng.uniform(5, 4000) if season and rng.random() < 0.9 else 0.0
                          for _ in names]
                out.write(f"{year * 100 + month} " +
                          " ".join(f"{v:.1f}" if v else "0" for v in values) + "\n")

    for variant, option in (("text", ""), ("bin", " BIN")):
        with open(os.path.join(target, f"{variant}.par"), "w") as out:
            out.write(f"# {sys.argv[1]} benchmark basin, {variant} grids\n")
            out.write(f"FILE out_{variant} rch are{option}\n")
            out.write(f"TRANSIENT {first} {last}\n")
            out.write("IBOUND ibound.dat\n")
            out.write("\n".join(commands) + "\n")
            out.write("RETURN returns.txt\n")
        os.makedirs(os.path.join(target, f"out_{variant}"), exist_ok=True)


if __name__ == "__main__":
    main()
