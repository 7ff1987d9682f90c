#!/usr/bin/env python3
"""A year of the example basin through MODFLOW-2005, checked from the model's own files.

    check_mf2005.py BUILD_DIR SOURCE_DIR

Runs corvane and the example chain (examples/modflow2005/run.sh) with the model that
RECHARGE_MF2005 names, then checks:
  - tallisk's page and gridkit's impacts CSV against an integration of the five HYDMOD files
    done here, as the accounting defines it;
  - the base run fed by gridkit's binary array files against the one fed by the text grids:
    the same HYDMOD file, byte for byte;
  - the model's recharge budget of every month against corvane's water balance;
  - gridkit explain of a run with 3 time steps a month, which the accounting does not fit.
Exit status 77 (skipped) without RECHARGE_MF2005, unless RECHARGE_REQUIRE_MODELS=1.
"""
import calendar
import csv
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "examples", "tallisk"))
from make_example import point_volume  # noqa: E402

YEAR = 1998
SO_OFFSET = 1000000.0
CUBIC_FEET_PER_ACRE_FOOT = 43560.0
CELL_AREA = 5280.0 * 5280.0
RUN_SUFFIXES = ["", "a", "b", "c", "d"]
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message)


def records(path):
    """The framed records of a sequential binary file."""
    data = open(path, "rb").read()
    at, out = 0, []
    while at < len(data):
        (size,) = struct.unpack_from("<I", data, at)
        out.append(data[at + 4:at + 4 + size])
        at += 8 + size
    return out


def read_hydmod(path):
    """Labels and time records (time, values) of a double-precision HYDMOD file."""
    recs = records(path)
    (count,) = struct.unpack_from("<i", recs[0])
    items = abs(count)
    labels = [recs[1][4 + 20 * i:24 + 20 * i].decode().rstrip() for i in range(items)]
    rows = [struct.unpack_from("<%dd" % (items + 1), r) for r in recs[2:]]
    return labels, rows


def integrate(path):
    """Acre-feet of every item over the 24 time records after the first, values at the end of
    each interval standing for it, 1,000,000 taken off the items labelled "SO"."""
    labels, rows = read_hydmod(path)
    check(len(rows) == 25, f"{path}: {len(rows)} time records, not 25")
    volumes = [0.0] * len(labels)
    offsets = [SO_OFFSET if label.startswith("SO") else 0.0 for label in labels]
    previous = rows[0][0]
    for row in rows[1:25]:
        factor = (row[0] - previous) / CUBIC_FEET_PER_ACRE_FOOT
        previous = row[0]
        for i in range(len(labels)):
            volumes[i] = volumes[i] + factor * (row[i + 1] - offsets[i])
    return dict(zip(labels, volumes))


def read_list(path):
    points = []
    for line in open(path):
        fields = line.split()
        points.append((fields[0], [(f[0], f[1:]) for f in fields[1:]]))
    return points


def irep(value):
    if abs(value) < 10:
        return 0
    return int(value + 0.5) if value > 0 else int(value - 0.5)


def expected_impacts(runs_dir, points):
    volumes = [integrate(os.path.join(runs_dir, f"{YEAR}{s}.sfi")) for s in RUN_SUFFIXES]
    per_point = []
    for name, entries in points:
        run_volumes = [point_volume(entries, items) for items in volumes]
        base = run_volumes[0]
        impacts = [run_volumes[1] - base, run_volumes[2] - base, run_volumes[3] - base,
                   base - run_volumes[4]]
        per_point.append((name, impacts, run_volumes))
    return per_point


def check_page_and_csv(runs_dir, points):
    expected = expected_impacts(runs_dir, points)
    page = open(os.path.join(runs_dir, f"{YEAR}.htm")).read()
    cells = [int(v) for v in re.findall(r"<t[dh]>\s*(-?\d+)</t[dh]>", page)]
    mainstem, total, wanted = [0.0] * 4, [0.0] * 4, []
    for name, impacts, _ in expected:
        wanted += [irep(v) for v in impacts]
        for k in range(4):
            if name.startswith("*"):
                mainstem[k] += impacts[k]
            total[k] += impacts[k]
    wanted += [irep(v) for v in mainstem] + [irep(v) for v in total]
    check(cells == wanted, f"page cells {cells} are not the integration's {wanted}")
    check(any(c != 0 for c in cells), "every impact on the page is 0: the variants do nothing")

    rows = list(csv.DictReader(open(os.path.join(runs_dir, f"{YEAR}.csv"))))
    columns = ["colorado_pumping", "kansas_pumping", "nebraska_pumping", "nebraska_mound"]
    runs = ["base", "run_a", "run_b", "run_c", "run_d"]
    for row, (name, impacts, run_volumes) in zip(rows, expected):
        check(row["location"] == name[1:], f"CSV location {row['location']} is not {name[1:]}")
        for column, impact in zip(columns, impacts):
            check(float(row[column]) == impact,
                  f"CSV {name} {column} {row[column]} is not {impact!r}")
        for column, volume in zip(runs, run_volumes):
            check(float(row[column]) == volume,
                  f"CSV {name} {column} {row[column]} is not {volume!r}")


def read_budget(path):
    """Acre-feet of recharge of every month from the cell-by-cell budget (two steps a month)."""
    recs = records(path)
    per_month = [0.0] * 12
    for header, array in zip(recs[0::2], recs[1::2]):
        kstp, kper = struct.unpack_from("<ii", header)
        text = header[8:24].decode().strip()
        if text != "RECHARGE":
            continue
        rates = struct.unpack("<%dd" % (len(array) // 8), array)
        step_days = calendar.monthrange(YEAR, kper)[1] / 2.0
        per_month[kper - 1] += sum(rates) * step_days / CUBIC_FEET_PER_ACRE_FOOT
    return per_month


def check_budget(model_dir, balance_path):
    balance = [0.0] * 12
    for row in csv.DictReader(open(balance_path)):
        if int(row["year"]) == YEAR:
            balance[int(row["month"]) - 1] = float(row["active_cells"])
    budget = read_budget(os.path.join(model_dir, "base", "budget.cbc"))
    for month in range(12):
        a, b = budget[month], balance[month]
        check(abs(a - b) <= 1e-9 * max(abs(b), 1.0),
              f"month {month + 1}: the model's recharge {a!r} af is not the balance's {b!r}")
    check(sum(balance) > 0, "the balance holds no recharge of the year")


def check_three_steps_a_month(model, build, model_dir):
    """The base run with 3 time steps a month writes 37 records: gridkit explain says that
    tallisk would integrate January to August only."""
    # Beside the example's model directory, so the grid paths of its recharge file still hold.
    three = os.path.join(os.path.dirname(model_dir), "three-steps")
    shutil.copytree(os.path.join(model_dir, "model"), os.path.join(three, "model"))
    shutil.copytree(os.path.join(model_dir, "base"), os.path.join(three, "base"))
    dis = os.path.join(three, "model", "model.dis")
    text = open(dis).read().replace(" 2 1.0 TR", " 3 1.0 TR")
    open(dis, "w").write(text)
    nam = os.path.join(three, "base", "model.nam")
    text = open(nam).read().replace(f"../runs/{YEAR}.sfi", "three.sfi")
    open(nam, "w").write(text)
    run = subprocess.run([model, "model.nam"], cwd=os.path.join(three, "base"),
                         capture_output=True, text=True)
    check("Normal termination" in run.stdout, "the run of 3 steps a month did not end normally")
    explain = subprocess.run([os.path.join(build, "gridkit", "gridkit"), "explain", "three.sfi",
                              "--list", os.path.join(model_dir, "data0", "tallisk.12s")],
                             cwd=os.path.join(three, "base"), capture_output=True, text=True)
    check(explain.returncode == 1, f"explain of 37 records: status {explain.returncode}")
    check("more records than the accounting window: 37 time records" in explain.stdout and
          "integrates only the first 25, times 0 to 243" in explain.stdout,
          f"explain of 37 records says: {explain.stdout}")


def check_stopped_model(source, build, work):
    """A model that stops on its own input error with status 0, as MODFLOW-2005 does, stops the
    chain before tallisk: no page from stale or missing HYDMOD files."""
    stopping = os.path.join(work, "stopping-model")
    with open(stopping, "w") as script:
        script.write("#!/bin/sh\necho ' Error in DIS input'\nexit 0\n")
    os.chmod(stopping, 0o755)
    result = subprocess.run([os.path.join(source, "examples", "modflow2005", "run.sh"), stopping,
                             build, work, str(YEAR)], capture_output=True, text=True)
    check(result.returncode != 0, "the chain went on after a model run that did not end normally")
    check("did not end normally" in result.stderr, f"no word of the failed run: {result.stderr}")
    check(not os.path.exists(os.path.join(work, "modflow2005", "runs", f"{YEAR}.htm")),
          "a page was written after a failed model run")


def main():
    build, source = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    # The model the environment names, else the one the build made (RECHARGE_MF2005_SOURCE).
    model = os.environ.get("RECHARGE_MF2005", "") or os.environ.get("RECHARGE_MF2005_BUILT", "")
    if not model:
        print("RECHARGE_MF2005 is not set: no MODFLOW-2005 to run (tools/build-mf2005 builds one)")
        sys.exit(1 if os.environ.get("RECHARGE_REQUIRE_MODELS") == "1" else 77)
    if not os.access(model, os.X_OK):
        print(f"RECHARGE_MF2005={model}: not an executable program")
        sys.exit(1)
    work = tempfile.mkdtemp(prefix="mf2005-chain-")
    try:
        corvane = os.path.join(work, "corvane")
        shutil.copytree(os.path.join(source, "examples", "corvane"), corvane)
        for kind in ("text", "binary"):
            os.makedirs(os.path.join(corvane, "grids", kind))
        for params in ("params.txt", "params-bin.txt"):
            subprocess.run([os.path.join(build, "corvane", "corvane"), params], cwd=corvane,
                           check=True)
        check_stopped_model(source, build, work)
        subprocess.run([os.path.join(source, "examples", "modflow2005", "run.sh"), model, build,
                        work, str(YEAR)], check=True)
        model_dir = os.path.join(work, "modflow2005")
        runs_dir = os.path.join(model_dir, "runs")
        check_page_and_csv(runs_dir, read_list(os.path.join(model_dir, "data0", "tallisk.12s")))
        text_run = open(os.path.join(runs_dir, f"{YEAR}.sfi"), "rb").read()
        binary_run = open(os.path.join(model_dir, "base-binary", "hydmod.sfi"), "rb").read()
        check(text_run == binary_run,
              "the base run from binary array files wrote another HYDMOD file")
        check_budget(model_dir, os.path.join(corvane, "balance.csv"))
        check_three_steps_a_month(model, build, model_dir)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    if failures:
        sys.exit(1)
    print("modflow2005 chain: page, CSV, binary arrays and recharge budget agree with the model")


if __name__ == "__main__":
    main()
