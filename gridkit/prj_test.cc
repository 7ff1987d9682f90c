// WKT files taken or refused, and the .prj sidecar written beside the ASCII grid or not at all.
#include "gridkit/prj.h"

#include <gtest/gtest.h>

#include "gridkit/grid.h"
#include "gridkit/testing_grids.h"
#include "tests/support/run_program.h"

namespace gridkit {
namespace {

using testsupport::slurp;
using testsupport::spit;

constexpr const char* kEsriWkt =
    "PROJCS[\"Basin plane [ft]\",GEOGCS[\"GCS_North_American_1983\",DATUM[\"D_North_American_"
    "1983\",SPHEROID[\"GRS_1980\",6378137.0,298.257222101]],PRIMEM[\"Greenwich\",0.0],"
    "UNIT[\"Degree\",0.0174532925199433]],PROJECTION[\"Lambert_Conformal_Conic\"],"
    "UNIT[\"Foot_US\",0.3048006096012192]]";

TEST(ReadWkt, TakesOneBracketedDefinitionAndRefusesTheRest) {
  testsupport::TempDir dir;
  spit(dir / "esri.prj", std::string("\n  ") + kEsriWkt + "\r\n");
  EXPECT_EQ(read_wkt((dir / "esri.prj").string()), kEsriWkt);
  spit(dir / "round.prj", "GEOGCS(\"x\",DATUM(\"y\"))");
  EXPECT_EQ(read_wkt((dir / "round.prj").string()), "GEOGCS(\"x\",DATUM(\"y\"))");
  for (const char* text : {"", "EPSG:26914", "PROJCS[\"a\"", "PROJCS[\"a\"]]", "[\"a\"]",
                           "PROJCS[\"a\"] PROJCS[\"b\"]"}) {
    spit(dir / "bad.prj", text);
    EXPECT_THROW(read_wkt((dir / "bad.prj").string()), Failure) << text;
  }
  EXPECT_THROW(read_wkt((dir / "missing.prj").string()), Failure);
}

TEST(PrjPath, ReplacesTheExtension) {
  EXPECT_EQ(prj_path("out/1998.04.asc"), "out/1998.04.prj");
  EXPECT_EQ(prj_path("grid"), "grid.prj");
}

TEST(WriteAscFiles, WritesBothOrNeither) {
  testsupport::TempDir dir;
  spit(dir / "crs.wkt", kEsriWkt);
  write_asc_files((dir / "g.asc").string(), "grid\n", (dir / "crs.wkt").string());
  EXPECT_EQ(slurp(dir / "g.asc"), "grid\n");
  EXPECT_EQ(slurp(dir / "g.prj"), kEsriWkt);

  spit(dir / "bad.wkt", "EPSG:26914");
  EXPECT_THROW(write_asc_files((dir / "h.asc").string(), "grid\n", (dir / "bad.wkt").string()),
               Failure);
  EXPECT_FALSE(std::filesystem::exists(dir / "h.asc"));
  EXPECT_THROW(write_asc_files((dir / "h.prj").string(), "grid\n", (dir / "crs.wkt").string()),
               Failure);
  EXPECT_FALSE(std::filesystem::exists(dir / "h.prj"));
}

TEST(AscCommand, PrjOptionAndEpsgRefusal) {
  testsupport::TempDir dir;
  spit(dir / "g.rch", testing::free_grid(Grid{}));
  spit(dir / "crs.wkt", kEsriWkt);
  const auto ok = testsupport::run_program(
      PROGRAM_EXE, {"asc", "g.rch", "--format", "text", "--prj", "crs.wkt", "-o", "g.asc"},
      dir.path());
  EXPECT_EQ(ok.exit_status, 0) << ok.err;
  EXPECT_EQ(slurp(dir / "g.prj"), kEsriWkt);
  const auto epsg = testsupport::run_program(
      PROGRAM_EXE, {"asc", "g.rch", "--epsg", "26914", "-o", "e.asc"}, dir.path());
  EXPECT_EQ(epsg.exit_status, 1);
  EXPECT_EQ(epsg.err, "gridkit: " + std::string(kNoEpsg) + "\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "e.asc"));
  const auto png = testsupport::run_program(
      PROGRAM_EXE, {"png", "g.rch", "--prj", "crs.wkt", "-o", "g.png"}, dir.path());
  EXPECT_EQ(png.err, "gridkit: png takes no --prj\n");
}

}  // namespace
}  // namespace gridkit
