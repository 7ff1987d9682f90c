#!/usr/bin/env python3
"""Writes a working tree of the example basin for many years, for tools/recharge-year.

    make_tree.py TREE --years FIRST-LAST [--examples DIR]

TREE/corvane/        corvane's example (examples/corvane/) with a return-flow table of every
                     year: the example's two years of flows, the first for even years and the
                     second for odd ones, scaled by a factor of the year
TREE/model/YEAR/     the small MODFLOW-2005 model of the basin for the year and its five runs
                     (examples/modflow2005/make_model.py); its runs/ is tallisk's directory
The year driver then runs a year as docs/scale-out.md shows.
"""
import argparse
import os
import shutil
import subprocess
import sys

HEADER = 'YRMO "Frenchman Valley" Bostwick KBID Almena_Wells'
# The example's flows of 1998 and 1999, April to October, in acre-feet per month.
EVEN_YEAR = [(434.5, 525.8, 835.6, 0), (445.8, 481.7, 549.3, 0), (207.0, 485.1, 585.4, 724.0),
             (130.0, 307.9, 127.1, 738.2), (639.4, 85.6, 884.9, 870.0),
             (605.8, 573.2, 183.9, 0), (62.8, 499.1, 100.6, 0)]
ODD_YEAR = [(211.7, 0, 255.7, 0), (75.6, 0, 444.3, 0), (424.5, 0, 766.1, 491.3),
            (594.2, 0, 474.8, 613.1), (438.7, 0, 286.4, 898.0), (896.3, 0, 764.2, 0),
            (651.6, 0, 318.0, 0)]


def year_factor(year):
    return 0.6 + 0.1 * ((year * 7) % 9)


def returns_text(first, last):
    lines = [HEADER, "# Return flows in acre-feet per month, April to October of each year"]
    for year in range(first, last + 1):
        months = EVEN_YEAR if year % 2 == 0 else ODD_YEAR
        factor = year_factor(year)
        for month, flows in enumerate(months, start=4):
            values = "\t".join(f"{flow * factor:.1f}" for flow in flows)
            lines.append(f"{year}{month:02d}\t{values}")
    return "\n".join(lines) + "\n"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("tree")
    parser.add_argument("--years", required=True, help="FIRST-LAST")
    parser.add_argument("--examples", default=os.path.dirname(here))
    args = parser.parse_args()
    first, last = (int(word) for word in args.years.split("-"))
    corvane = os.path.join(args.tree, "corvane")
    shutil.copytree(os.path.join(args.examples, "corvane"), corvane)
    os.makedirs(os.path.join(corvane, "grids", "text"), exist_ok=True)
    with open(os.path.join(corvane, "returns", "monthly.txt"), "w") as table:
        table.write(returns_text(first, last))
    for year in range(first, last + 1):
        subprocess.run([sys.executable, "-B", os.path.join(args.examples, "modflow2005", "make_model.py"),
                        os.path.join(args.tree, "model", str(year)),
                        "--ibound", os.path.join(corvane, "ibound.txt"), "--year", str(year)],
                       check=True)


if __name__ == "__main__":
    main()
