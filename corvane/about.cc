// corvane's help: the command line, the parameter file's commands, and what a run reads and
// writes, all relative to the working directory.
#include "corvane/about.h"

#include "about/version.h"

namespace corvane {

const about::About kAbout{
    "Usage: corvane PARAMETER_FILE\n"
    "       corvane --help | --version\n"
    "\n"
    "Builds monthly recharge grids from the surface-water return flows of irrigated areas:\n"
    "each area's monthly return flow is spread over its cells in proportion to its acreage.\n"
    "\n"
    "Every path, in the parameter file and in the files it names, is relative to the working\n"
    "directory. The parameter file holds one command per line (# in column 1: a comment):\n"
    "  FILE DIR REXT AEXT [BIN]  output directory (must exist), recharge and area extensions;\n"
    "                            BIN writes binary grids\n"
    "  TRANSIENT Y1 Y2           the years to compute (1940 to 2020 give files)\n"
    "  IBOUND FILE               active-cell grid, 165 lines of 326 two-character integers\n"
    "                            (*, the default: every cell active)\n"
    "  AREA NAME FILE            an irrigated area and its acreage grid (a header line, then\n"
    "                            165 free-format rows)\n"
    "  AREA NAME * X Y ACRES     an area given as one point (feet)\n"
    "  RETURN FILE               the monthly return-flow table: a header naming the areas,\n"
    "                            then lines of YYYYMM and one value per area\n"
    "  BALANCE FILE              optional: the water balance as CSV\n"
    "FILE, TRANSIENT, at least one AREA (at most 256) and RETURN are required; every AREA\n"
    "comes before the first RETURN.\n"
    "\n"
    "Writes DIR/YYYY.MM.REXT (the recharge of each month with return flows), DIR/YYYY.AEXT\n"
    "(the acreage of each year) and, with BALANCE, the balance. Messages go to standard\n"
    "output; a stop exits with status 1.\n"
    "\n"
    "The manual: man corvane, or docs/corvane.md in the sources.\n",
    "corvane " RECHARGE_VERSION " (no optional parts)\n"};

}  // namespace corvane
