#!/usr/bin/env python3
"""Writes the example basin's MODFLOW 6 model into model/ beside this script.

One confined layer on the system's grid (326 columns by 165 rows of one-mile cells, feet and
days), active where the basin's IBOUND grid (../corvane/ibound.txt) is nonzero, with constant
heads where it is negative; a stream (SFR) along row 81 from the west edge of the basin to the
constant-head boundary and a tributary down column 150 that joins it; three pumping wells, one
for each state; and the observations of stream outflow at the accounting points (tallisk.mf6).
The five runs of a year differ only in their wells and recharge:

  base  recharge and every well          a  without the Colorado well
  b     without the Kansas well          c  without the Nebraska well
  d     every well, without recharge

The recharge and time discretization come from the corvane run (gridkit mf6-rcha), which
run.sh writes beside these files. Run this script again after changing it; the files are kept
under version control so that the example needs no Python.
"""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
NCOL, NROW = 326, 165
CELL = 5280.0
TOP, BOTTOM = 2000.0, 1700.0
START_HEAD = 1900.0

MAIN_ROW = 81
MAIN_FIRST_COL, MAIN_LAST_COL = 20, 278
TRIB_COL = 150
TRIB_FIRST_ROW = 30

WELLS = {  # state: (row, column, cubic feet per day, negative for pumping)
    "CO": (79, 60, -2.0e6),
    "KS": (84, 130, -2.0e6),
    "NE": (78, 230, -2.0e6),
}
RUNS = {"base": ("CO", "KS", "NE"), "a": ("KS", "NE"), "b": ("CO", "NE"),
        "c": ("CO", "KS"), "d": ("CO", "KS", "NE")}

# Observation names: MODFLOW 6 writes them upper-cased; one has the full 40 characters.
# OUTFLOW is the flow to the downstream reach; the last reach sends its flow out of the model
# (EXT-OUTFLOW). Both are negative, as flows out of a reach.
OBS = {
    "MAIN_UPPER_OUTFLOW": ("main", 120, "OUTFLOW"),
    "MAIN_ABOVE_TRIBUTARY_OUTFLOW": ("main", TRIB_COL - 1, "OUTFLOW"),
    "MAIN_LOWER_OUTFLOW": ("main", MAIN_LAST_COL, "EXT-OUTFLOW"),
    "Tributary_outflow_at_its_mouth_on_main_1": ("trib", MAIN_ROW - 1, "OUTFLOW"),
}


def read_ibound():
    lines = (HERE.parent / "corvane" / "ibound.txt").read_text().splitlines()
    return [[int(line[2 * c:2 * c + 2]) for c in range(NCOL)] for line in lines[:NROW]]


def write(name, text):
    (HERE / "model" / name).write_text(text)


def reaches():
    """The reaches in order: (row, column, downstream reach or 0), numbered from 1."""
    main = [(MAIN_ROW, c) for c in range(MAIN_FIRST_COL, MAIN_LAST_COL + 1)]
    trib = [(r, TRIB_COL) for r in range(TRIB_FIRST_ROW, MAIN_ROW)]
    return main, trib


def sfr_text(ibound):
    main, trib = reaches()
    cells = main + trib
    for row, col in cells:
        assert ibound[row - 1][col - 1] > 0, (row, col)
    junction = main.index((MAIN_ROW, TRIB_COL)) + 1
    lines = ["BEGIN OPTIONS", "  LENGTH_CONVERSION 3.28081", "  TIME_CONVERSION 86400.0",
             "  OBS6 FILEIN ../model/basin.sfr.obs", "END OPTIONS", "",
             "BEGIN DIMENSIONS", f"  NREACHES {len(cells)}", "END DIMENSIONS", "",
             "BEGIN PACKAGEDATA",
             "# reach layer row col length width gradient top thickness K manning ncon ustrf ndv"]
    for n, (row, col) in enumerate(cells, start=1):
        ncon = 1 if n in (1, len(main), len(main) + 1) else 2
        if n == junction:
            ncon = 3
        top = 1895.0 - 0.001 * (col - MAIN_FIRST_COL) if n <= len(main) else 1895.5
        lines.append(f"  {n} 1 {row} {col} {CELL} 50.0 0.0005 {top:.3f} 2.0 0.5 0.035 "
                     f"{ncon} 1.0 0")
    lines += ["END PACKAGEDATA", "", "BEGIN CONNECTIONDATA"]
    for n in range(1, len(main) + 1):
        links = []
        if n > 1:
            links.append(n - 1)
        if n == junction:
            links.append(len(cells))
        if n < len(main):
            links.append(-(n + 1))
        lines.append("  " + " ".join(str(x) for x in [n] + links))
    first_trib = len(main) + 1
    for n in range(first_trib, len(cells) + 1):
        links = [n - 1] if n > first_trib else []
        links.append(-(n + 1) if n < len(cells) else -junction)
        lines.append("  " + " ".join(str(x) for x in [n] + links))
    lines += ["END CONNECTIONDATA", "", "BEGIN PERIOD 1",
              "  1 INFLOW 1000000.0", f"  {first_trib} INFLOW 200000.0", "END PERIOD", ""]
    obs = ["# Stream outflow at the accounting points: MODFLOW 6 writes outflows as negative",
           "BEGIN CONTINUOUS FILEOUT basin.sfr.obs.csv"]
    binary = ["BEGIN CONTINUOUS FILEOUT basin.sfr.obs.bsv BINARY"]
    for name, (stream, where, kind) in OBS.items():
        if stream == "main":
            reach = main.index((MAIN_ROW, where)) + 1
        else:
            reach = first_trib + trib.index((where, TRIB_COL))
        obs.append(f"  {name} {kind} {reach}")
        binary.append(f"  {name} {kind} {reach}")
    obs.append("END CONTINUOUS")
    binary.append("END CONTINUOUS")
    write("basin.sfr.obs", "BEGIN OPTIONS\n  DIGITS 17\nEND OPTIONS\n\n" + "\n".join(obs) +
          "\n\n" + "\n".join(binary) + "\n")
    return "\n".join(lines)


def array_text(values):
    return "\n".join(" ".join(str(v) for v in row) for row in values) + "\n"


def main():
    ibound = read_ibound()
    (HERE / "model").mkdir(exist_ok=True)
    write("idomain.txt", array_text([[1 if v != 0 else 0 for v in row] for row in ibound]))
    write("basin.dis", f"""BEGIN OPTIONS
  LENGTH_UNITS feet
END OPTIONS

BEGIN DIMENSIONS
  NLAY 1
  NROW {NROW}
  NCOL {NCOL}
END DIMENSIONS

BEGIN GRIDDATA
  DELR
    CONSTANT {CELL}
  DELC
    CONSTANT {CELL}
  TOP
    CONSTANT {TOP}
  BOTM
    CONSTANT {BOTTOM}
  IDOMAIN
    OPEN/CLOSE ../model/idomain.txt
END GRIDDATA
""")
    write("basin.ic", f"BEGIN GRIDDATA\n  STRT\n    CONSTANT {START_HEAD}\nEND GRIDDATA\n")
    write("basin.npf", "BEGIN GRIDDATA\n  ICELLTYPE\n    CONSTANT 0\n  K\n    CONSTANT 200.0\n"
          "END GRIDDATA\n")
    write("basin.sto", "BEGIN GRIDDATA\n  ICONVERT\n    CONSTANT 0\n  SS\n    CONSTANT 0.0001\n"
          "  SY\n    CONSTANT 0.1\nEND GRIDDATA\n\nBEGIN PERIOD 1\n  TRANSIENT\nEND PERIOD\n")
    heads = [(r + 1, c + 1) for r in range(NROW) for c in range(NCOL) if ibound[r][c] < 0]
    write("basin.chd", f"BEGIN DIMENSIONS\n  MAXBOUND {len(heads)}\nEND DIMENSIONS\n\n"
          "BEGIN PERIOD 1\n" + "".join(f"  1 {r} {c} {START_HEAD}\n" for r, c in heads) +
          "END PERIOD\n")
    write("basin.ims", "BEGIN OPTIONS\n  COMPLEXITY MODERATE\nEND OPTIONS\n")
    write("basin.oc", "BEGIN OPTIONS\nEND OPTIONS\n\nBEGIN PERIOD 1\n  PRINT BUDGET ALL\n"
          "END PERIOD\n")
    write("basin.sfr", sfr_text(ibound) + "\n")
    for run, states in RUNS.items():
        for state in states:
            assert ibound[WELLS[state][0] - 1][WELLS[state][1] - 1] > 0, state
        write(f"basin-{run}.wel", "BEGIN OPTIONS\n  BOUNDNAMES\nEND OPTIONS\n\n"
              f"BEGIN DIMENSIONS\n  MAXBOUND {len(states)}\nEND DIMENSIONS\n\n"
              "BEGIN PERIOD 1\n" +
              "".join(f"  1 {WELLS[s][0]} {WELLS[s][1]} {WELLS[s][2]} {s}\n"
                      for s in states) + "END PERIOD\n")


if __name__ == "__main__":
    main()
