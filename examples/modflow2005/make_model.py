#!/usr/bin/env python3
"""Writes a small MODFLOW-2005 model of the example basin for one year, and its five runs.

    make_model.py OUT_DIR --ibound IBOUND --year YEAR

The model lies on the system's grid: 326 columns by 165 rows of one-mile cells, one confined
layer, active where corvane's active-cell grid IBOUND is nonzero (so the model takes every cell
of corvane's recharge). A stream (STR package) crosses the basin from west to east, one segment
of one reach per cell, with 1,000,000 cubic feet per day flowing in at its head; HYDMOD records
the outflow of three reaches and the head at two wells. The year is 12 monthly stress periods of
2 time steps each, in days: the 24 time steps the accounting integrates.

Written under OUT_DIR:
  model/            the files the five runs share (the recharge package file is left to
                    `gridkit rch`, as model/recharge.rch; model/no-recharge.rch has none)
  base/ a/ b/ c/ d/ one directory per run, with its name file and its wells; each run writes
                    its HYDMOD file to runs/YEAR.sfi, runs/YEARa.sfi and so on
  data0/            the accounting-point lists tallisk reads from runs/../data0/
The runs differ as an accounting's runs do: a, b and c switch off the pumping of Colorado, Kansas
and Nebraska; d leaves out corvane's recharge (the mound).
"""
import argparse
import calendar
import os

NCOL, NROW = 326, 165
CELL = 5280.0
TOP, BOTTOM, START_HEAD = 2100.0, 1500.0, 1996.0
STREAM_ROW = 85
STREAM_INFLOW = 1000000.0  # cubic feet per day at the stream's head; tallisk takes it off "SO"
STAGE, STREAMBED_TOP, STREAMBED_BOTTOM, STREAMBED_COND = 1995.0, 1994.0, 1990.0, 20000.0
PUMPING = -200000.0  # cubic feet per day of each well, May to September
PUMPING_MONTHS = range(5, 10)
# (state, row, column) of the basin's wells.
WELLS = [
    ("CO", 80, 25), ("CO", 90, 35), ("CO", 78, 45), ("CO", 92, 55),
    ("KS", 90, 120), ("KS", 94, 160), ("KS", 91, 200), ("KS", 95, 240),
    ("NE", 80, 110), ("NE", 76, 150), ("NE", 79, 190), ("NE", 75, 230),
]
RUNS = {"base": "", "a": "a", "b": "b", "c": "c", "d": "d"}
SWITCHED_OFF = {"a": "CO", "b": "KS", "c": "NE"}
# Gaged reaches, counted from the stream's head, and their 12-character HYDMOD names.
GAGES = [(60, "CO_STATELINE"), (160, "KS_MIDDLE"), (None, "LOWER_END")]
HEADS = [(78, 45, "CO_WELL_FIELD"), (80, 110, "NE_WELL_FIELD")]


def read_ibound(path):
    """Corvane's active-cell grid: 165 lines of 326 two-character integers."""
    rows = []
    with open(path) as grid:
        for line in grid:
            line = line.rstrip("\n").rstrip("\r")
            if not line.strip():
                continue
            line = line.ljust(2 * NCOL)
            rows.append([int(line[2 * c:2 * c + 2] or 0) != 0 for c in range(NCOL)])
    if len(rows) != NROW:
        raise SystemExit(f"{path}: {len(rows)} rows, not {NROW}")
    return rows


def stream_cells(active):
    """The longest run of active cells along the stream's row, west to east (columns from 1)."""
    best, start = (0, 0), None
    for c in range(NCOL + 1):
        on = c < NCOL and active[STREAM_ROW - 1][c]
        if on and start is None:
            start = c
        elif not on and start is not None:
            if c - start > best[1] - best[0]:
                best = (start, c)
            start = None
    return list(range(best[0] + 1, best[1] + 1))


def write(path, text):
    with open(path, "w") as out:
        out.write(text)


def month_days(year):
    return [calendar.monthrange(year, m)[1] for m in range(1, 13)]


def dis_text(year):
    lines = ["# Example basin: one layer on the system's grid, 12 monthly periods of 2 steps, days",
             f"1 {NROW} {NCOL} 12 4 1", "0", f"CONSTANT {CELL}", f"CONSTANT {CELL}",
             f"CONSTANT {TOP}", f"CONSTANT {BOTTOM}"]
    lines += [f"{days} 2 1.0 TR" for days in month_days(year)]
    return "\n".join(lines) + "\n"


def bas_text():
    return ("# Active cells where corvane's are; heads start level\nFREE\n"
            "OPEN/CLOSE ../model/ibound.txt 1 (FREE) -1\n-999.0\n"
            f"CONSTANT {START_HEAD}\n")


def ibound_text(active):
    return "".join(" ".join("1" if on else "0" for on in row) + "\n" for row in active)


def lpf_text():
    # Confined: transmissivity 100 x 600 = 60,000 square feet per day, storativity 0.003.
    return ("# One confined layer\n0 -1.0E30 0\n0\n0\n1.0\n0\n0\n"
            "CONSTANT 100.0\nCONSTANT 100.0\nCONSTANT 5.0E-6\n")


def str_text(reaches):
    lines = ["# The stream: one segment of one reach per cell, stage given",
             f"{len(reaches)} 1 0 0 0 1.0 0 0", f"{len(reaches)} 0 0"]
    for number, column in enumerate(reaches, start=1):
        flow = STREAM_INFLOW if number == 1 else 0.0
        lines.append(f"1 {STREAM_ROW} {column} 1 {number} {flow} {STAGE} {STREAMBED_COND} "
                     f"{STREAMBED_BOTTOM} {STREAMBED_TOP}")
    lines += ["-1 0 0"] * 11
    return "\n".join(lines) + "\n"


def gage_reaches(reaches):
    return [(number or len(reaches), name) for number, name in GAGES]


def hyd_text(reaches):
    items = [f"STR SO C 1 1 {number} {name}" for number, name in gage_reaches(reaches)]
    for row, column, name in HEADS:
        x, y = (column - 0.5) * CELL, (NROW - row + 0.5) * CELL
        items.append(f"BAS HD C 1 {x} {y} {name}")
    return f"{len(items)} 40 -999.0\n" + "\n".join(items) + "\n"


def labels(reaches):
    stream = {name: f"SO001{number:03d}{name}" for number, name in gage_reaches(reaches)}
    return stream


def list_text(reaches):
    label = labels(reaches)
    return (f"*Stateline +{label['CO_STATELINE']}\n"
            f"*Lower_end +{label['LOWER_END']}\n"
            f"-Kansas_reaches +{label['KS_MIDDLE']} -{label['CO_STATELINE']}\n")


def pcg_text():
    return "# Solver\n100 50 1\n1.0E-6 10.0 1.0 2 1 0 1.0\n"


def oc_text():
    lines = ["# The budget of every time step, printed and saved", "HEAD PRINT FORMAT 0"]
    for period in range(1, 13):
        for step in (1, 2):
            lines += [f"PERIOD {period} STEP {step}", "    PRINT BUDGET", "    SAVE BUDGET"]
    return "\n".join(lines) + "\n"


def wel_text(active, off_state):
    wells = [(row, column) for state, row, column in WELLS
             if state != off_state and active[row - 1][column - 1]]
    lines = ["# Wells of the basin, pumping from May to September", f"{max(len(wells), 1)} 0"]
    for month in range(1, 13):
        if month in PUMPING_MONTHS and wells:
            lines.append(f"{len(wells)} 0")
            lines += [f"1 {row} {column} {PUMPING}" for row, column in wells]
        else:
            lines.append("0 0")
    return "\n".join(lines) + "\n"


def no_recharge_text():
    periods = "".join("         1\nCONSTANT 0.0\n" for _ in range(12))
    return "# No recharge: the run without the mound\n         1         0\n" + periods


def nam_text(run, suffix, year):
    recharge = "no-recharge.rch" if run == "d" else "recharge.rch"
    return (f"# Run {run} of the example basin's year {year}\n"
            "LIST 2 model.lst\n"
            "DIS 11 ../model/model.dis\nBAS6 12 ../model/model.bas\n"
            f"LPF 13 ../model/model.lpf\nRCH 14 ../model/{recharge}\nWEL 15 model.wel\n"
            "STR 16 ../model/model.str\nHYD 17 ../model/model.hyd\n"
            "PCG 18 ../model/model.pcg\nOC 19 ../model/model.oc\n"
            f"DATA(BINARY) 40 ../runs/{year}{suffix}.sfi\n"
            "DATA(BINARY) 50 budget.cbc\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out_dir")
    parser.add_argument("--ibound", required=True)
    parser.add_argument("--year", type=int, required=True)
    args = parser.parse_args()
    active = read_ibound(args.ibound)
    reaches = stream_cells(active)
    model = os.path.join(args.out_dir, "model")
    for directory in [model, os.path.join(args.out_dir, "runs"),
                      os.path.join(args.out_dir, "data0")] + \
            [os.path.join(args.out_dir, run) for run in RUNS]:
        os.makedirs(directory, exist_ok=True)
    write(os.path.join(model, "ibound.txt"), ibound_text(active))
    write(os.path.join(model, "model.dis"), dis_text(args.year))
    write(os.path.join(model, "model.bas"), bas_text())
    write(os.path.join(model, "model.lpf"), lpf_text())
    write(os.path.join(model, "model.str"), str_text(reaches))
    write(os.path.join(model, "model.hyd"), hyd_text(reaches))
    write(os.path.join(model, "model.pcg"), pcg_text())
    write(os.path.join(model, "model.oc"), oc_text())
    write(os.path.join(model, "no-recharge.rch"), no_recharge_text())
    for run, suffix in RUNS.items():
        write(os.path.join(args.out_dir, run, "model.nam"), nam_text(run, suffix, args.year))
        write(os.path.join(args.out_dir, run, "model.wel"),
              wel_text(active, SWITCHED_OFF.get(run)))
    for name in ("tallisk.12s", "tallisk.12p"):
        write(os.path.join(args.out_dir, "data0", name), list_text(reaches))


if __name__ == "__main__":
    main()
