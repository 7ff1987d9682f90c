// WKT files taken or refused, and the .prj sidecar written beside the ASCII grid or not at all.
#include "gridkit/exports/prj.h"

#include <gtest/gtest.h>

#include "gridkit/common.h"
#include "gridkit/grid.h"
#include "gridkit/testing_grids.h"
#include "tests/support/run_program.h"

namespace gridkit {
namespace {

using testsupport::slurp;
using testsupport::spit;

constexpr const char* kWkt =
    "PROJCS[\"Basin plane [ft]\",GEOGCS[\"NAD83\",DATUM[\"D_North_American_1983\","
    "SPHEROID[\"GRS_1980\",6378137.0,298.257222101]]],UNIT[\"Foot_US\",0.3048006096012192]]";

TEST(ReadWkt, TakesOneBracketedDefinitionAndRefusesTheRest) {
  testsupport::TempDir dir;
  spit(dir / "esri.prj", std::string("\n  ") + kWkt + "\r\n");
  EXPECT_EQ(read_wkt((dir / "esri.prj").string()), kWkt);
  for (const char* text : {"", "EPSG:26914", "PROJCS[\"a\"", "PROJCS[\"a\"]]", "[\"a\"]"}) {
    spit(dir / "bad.prj", text);
    EXPECT_THROW(read_wkt((dir / "bad.prj").string()), Failure) << text;
  }
}

TEST(AscCommand, WritesThePrjBesideTheGridOrNeither) {
  testsupport::TempDir dir;
  spit(dir / "g.rch", fixtures::free_grid(Grid{}));
  spit(dir / "crs.wkt", kWkt);
  spit(dir / "bad.wkt", "EPSG:26914");
  auto asc = [&](const std::string& option, const std::string& value, const std::string& out) {
    return testsupport::run_program(PROGRAM_EXE, {"asc", "g.rch", option, value, "-o", out},
                                    dir.path());
  };
  EXPECT_EQ(asc("--prj", "crs.wkt", "1998.04.asc").exit_status, 0);
  EXPECT_EQ(slurp(dir / "1998.04.prj"), kWkt);
  EXPECT_EQ(asc("--prj", "bad.wkt", "h.asc").exit_status, 1);
  EXPECT_EQ(asc("--prj", "crs.wkt", "h.prj").exit_status, 1);
  EXPECT_EQ(asc("--epsg", "26914", "h.asc").err, "gridkit: " + std::string(kNoEpsg) + "\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "h.asc") || std::filesystem::exists(dir / "h.prj"));
}

}  // namespace
}  // namespace gridkit
