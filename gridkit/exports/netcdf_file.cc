// The NetCDF C library calls: dimensions, variables with their CF attributes, coordinates, and
// one grid per time step. Without the library the writer only reports that it is missing.
#include "gridkit/exports/netcdf_file.h"

#include "gridkit/common.h"
#include "gridkit/exports/calendar.h"
#include "gridkit/grid.h"

#if RECHARGE_HAVE_NETCDF
#include <netcdf.h>

#include <string>

namespace gridkit {
namespace {

// Deflate level: 1 already takes the runs of zeros that make up most of every grid; higher
// levels cost several times the time for a few per cent of size.
constexpr int kDeflateLevel = 1;

bool close_failed = false;

// Closes `ncid`, noting a failure for netcdf_close_failed().
int close_file(int ncid) {
  const int status = nc_close(ncid);
  if (status != NC_NOERR) close_failed = true;
  return status;
}

// Stops with the library's reason when a call on the file for `path` failed.
void check(int status, const std::string& path) {
  if (status != NC_NOERR) throw Failure("cannot write " + path + ": " + nc_strerror(status));
}

// The definitions of one file, each call checked.
class StackDefiner {
 public:
  StackDefiner(int ncid, const std::string& path) : ncid_(ncid), path_(path) {}

  void check(int status) const { gridkit::check(status, path_); }
  int dim(const char* name, std::size_t size) const {
    int id = -1;
    check(nc_def_dim(ncid_, name, size, &id));
    return id;
  }
  int var(const char* name, nc_type type, std::initializer_list<int> dims) const {
    int id = -1;
    check(nc_def_var(ncid_, name, type, static_cast<int>(dims.size()), std::data(dims), &id));
    return id;
  }
  void text(int var, const char* name, std::string_view value) const {
    check(nc_put_att_text(ncid_, var, name, value.size(), value.data()));
  }
  // A grid variable of `steps` by y by x, deflated, one grid to a chunk.
  int grid(const char* name, int steps, int y, int x, bool with_fill) const {
    const int id = var(name, NC_DOUBLE, {steps, y, x});
    const std::size_t chunk[] = {1, std::size_t{kNrow}, std::size_t{kNcol}};
    check(nc_def_var_chunking(ncid_, id, NC_CHUNKED, chunk));
    check(nc_def_var_deflate(ncid_, id, 1, 1, kDeflateLevel));
    if (with_fill) {
      check(nc_def_var_fill(ncid_, id, 0, &kFillValue));
    }
    return id;
  }

 private:
  int ncid_;
  const std::string& path_;
};

// Defines the dimensions, variables and attributes and writes the coordinates; sets the
// identifiers of the two grid variables.
void define_stack(int ncid, const std::string& target, const StackLayout& layout, int& recharge,
                  int& area) {
  const StackDefiner def(ncid, target);
  const int years = layout.last_year - layout.first_year + 1;
  const int time_dim = def.dim("time", static_cast<std::size_t>(years) * 12);
  const int year_dim = layout.with_area ? def.dim("year", static_cast<std::size_t>(years)) : -1;
  const int y_dim = def.dim("y", kNrow);
  const int x_dim = def.dim("x", kNcol);
  const int nv_dim = def.dim("nv", 2);

  def.text(NC_GLOBAL, "Conventions", "CF-1.8");
  def.text(NC_GLOBAL, "title", "Return-flow recharge and irrigated area of a corvane run");
  def.text(NC_GLOBAL, "source", layout.source);

  const int time = def.var("time", NC_DOUBLE, {time_dim});
  def.text(time, "standard_name", "time");
  def.text(time, "long_name", "middle of the month");
  def.text(time, "units", kTimeUnits);
  // The days are counted by the Gregorian rules back past 1582 as well, which "standard" (mixed
  // Julian and Gregorian) would not match before the reform.
  def.text(time, "calendar", "proleptic_gregorian");
  def.text(time, "axis", "T");
  def.text(time, "bounds", "time_bnds");
  const int time_bnds = def.var("time_bnds", NC_DOUBLE, {time_dim, nv_dim});
  int year = -1;
  if (layout.with_area) {
    year = def.var("year", NC_INT, {year_dim});
    def.text(year, "long_name", "calendar year");
  }
  const int y = def.var("y", NC_DOUBLE, {y_dim});
  def.text(y, "standard_name", "projection_y_coordinate");
  def.text(y, "long_name", "northing of the cell centre, north row first");
  def.text(y, "units", "ft");
  def.text(y, "axis", "Y");
  const int x = def.var("x", NC_DOUBLE, {x_dim});
  def.text(x, "standard_name", "projection_x_coordinate");
  def.text(x, "long_name", "easting of the cell centre");
  def.text(x, "units", "ft");
  def.text(x, "axis", "X");

  int crs = -1;
  if (layout.wkt) {
    crs = def.var("crs", NC_INT, {});
    def.text(crs, "crs_wkt", *layout.wkt);
    def.text(crs, "spatial_ref", *layout.wkt);
  }
  recharge = def.grid("recharge", time_dim, y_dim, x_dim, layout.with_fill);
  def.text(recharge, "long_name", "return-flow recharge of the month");
  def.text(recharge, "cell_methods", "time: sum");
  def.text(recharge, "comment",
           "sum over the month, in the unit of the run's return-flow table; months without "
           "a grid file had no returns and hold zeros");
  if (layout.wkt) def.text(recharge, "grid_mapping", "crs");
  if (layout.with_area) {
    area = def.grid("area", year_dim, y_dim, x_dim, layout.with_fill);
    def.text(area, "long_name", "irrigated area of the year");
    def.text(area, "comment",
             "in the unit of the run's acreage grids; years without a grid file hold zeros");
    if (layout.wkt) def.text(area, "grid_mapping", "crs");
  }
  def.check(nc_enddef(ncid));

  std::vector<double> times, bounds;
  for (int yr = layout.first_year; yr <= layout.last_year; ++yr) {
    for (int month = 1; month <= 12; ++month) {
      const MonthBounds b = month_bounds(yr, month);
      times.push_back(b.middle());
      bounds.push_back(b.start);
      bounds.push_back(b.end);
    }
  }
  def.check(nc_put_var_double(ncid, time, times.data()));
  def.check(nc_put_var_double(ncid, time_bnds, bounds.data()));
  if (layout.with_area) {
    std::vector<int> numbers;
    for (int yr = layout.first_year; yr <= layout.last_year; ++yr) numbers.push_back(yr);
    def.check(nc_put_var_int(ncid, year, numbers.data()));
  }
  std::vector<double> northings, eastings;
  for (int row = 1; row <= kNrow; ++row) {
    northings.push_back(utl::kYnorth - (row - 0.5) * kCellSize);
  }
  for (int col = 1; col <= kNcol; ++col) {
    eastings.push_back(utl::kXwest + (col - 0.5) * kCellSize);
  }
  def.check(nc_put_var_double(ncid, y, northings.data()));
  def.check(nc_put_var_double(ncid, x, eastings.data()));
  if (layout.wkt) {
    const int zero = 0;
    def.check(nc_put_var_int(ncid, crs, &zero));
  }
}

}  // namespace

bool netcdf_built_in() { return true; }

bool netcdf_close_failed() { return close_failed; }

NetcdfStack::NetcdfStack(const std::string& path, const StackLayout& layout) : target_(path) {
  out_.emplace(path);
  // The library writes a file by name and moves about in it: a device or a pipe cannot take it.
  if (!out_->ok() || out_->in_place()) throw Failure("cannot create " + target_);
  try {
    check(nc_create(out_->temp_path().c_str(), NC_CLOBBER | NC_NETCDF4, &ncid_), target_);
    define_stack(ncid_, target_, layout, recharge_, area_);
  } catch (...) {
    if (ncid_ >= 0) close_file(ncid_);  // the temporary file goes with out_
    throw;
  }
}

NetcdfStack::~NetcdfStack() {
  if (ncid_ >= 0) close_file(ncid_);
}

void NetcdfStack::put_step(int variable, int index, const std::vector<double>& values) {
  const std::size_t start[] = {static_cast<std::size_t>(index), 0, 0};
  const std::size_t count[] = {1, std::size_t{kNrow}, std::size_t{kNcol}};
  check(nc_put_vara_double(ncid_, variable, start, count, values.data()), target_);
}

void NetcdfStack::put_month(int index, const std::vector<double>& values) {
  put_step(recharge_, index, values);
}

void NetcdfStack::put_year(int index, const std::vector<double>& values) {
  put_step(area_, index, values);
}

void NetcdfStack::commit() {
  const int status = close_file(ncid_);
  ncid_ = -1;
  check(status, target_);
  if (!out_->commit()) throw Failure("cannot write " + target_);
}

}  // namespace gridkit

#else

namespace gridkit {

bool netcdf_built_in() { return false; }

bool netcdf_close_failed() { return false; }

NetcdfStack::NetcdfStack(const std::string& path, const StackLayout&) : target_(path) {
  throw Failure(std::string(kNoNetcdf));
}

NetcdfStack::~NetcdfStack() = default;

void NetcdfStack::put_step(int, int, const std::vector<double>&) {}
void NetcdfStack::put_month(int, const std::vector<double>&) {}
void NetcdfStack::put_year(int, const std::vector<double>&) {}
void NetcdfStack::commit() {}

}  // namespace gridkit

#endif
