"""NetCDF files of the example run read back by readers that are not ours: ncdump, netCDF4 and
xarray, every value compared bit for bit with the grid files.

Usage: check_netcdf.py GRIDKIT CORVANE SOURCE_DIR WORK_DIR
"""
import datetime
import os
import shutil
import subprocess
import sys

import readers

WKT = 'LOCAL_CS["example basin plane",LOCAL_DATUM["none",0],UNIT["foot",0.3048]]'
ORIGIN = datetime.date(1940, 1, 1)


def same_bits(a, b):
    import numpy

    return numpy.array_equal(numpy.asarray(a, dtype="<f8").view("<u8"),
                             numpy.asarray(b, dtype="<f8").view("<u8"))


def expected_grid(path, read, ibound, fill):
    values = read(path) if path else [0.0] * (readers.NCOL * readers.NROW)
    if fill is not None:
        values = [fill if flag == 0 else v for v, flag in zip(values, ibound)]
    return values


def month_days(year, month):
    start = (datetime.date(year, month, 1) - ORIGIN).days
    end = (datetime.date(year + month // 12, month % 12 + 1, 1) - ORIGIN).days
    return start, end


def check_header(nc, with_fill):
    header = readers.run(["ncdump", "-hs", nc], os.path.dirname(nc))
    for text in ("time = 36 ;", "year = 3 ;", "y = 165 ;", "x = 326 ;",
                 "double recharge(time, y, x) ;", "double area(year, y, x) ;",
                 'recharge:cell_methods = "time: sum" ;', 'time:units = "days since 1940-01-01" ;',
                 'time:bounds = "time_bnds" ;', ':Conventions = "CF-1.8" ;',
                 'recharge:grid_mapping = "crs" ;', "recharge:_DeflateLevel = 1 ;",
                 ':_Format = "netCDF-4" ;'):
        assert text in header, text
    assert ("recharge:_FillValue" in header) == with_fill, "fill value exactly with IBOUND"


def check_values(nc, grids, read, ibound, fill):
    """netCDF4: raw values, bit for bit, and the coordinates."""
    import netCDF4

    with netCDF4.Dataset(nc) as ds:
        ds.set_auto_mask(False)
        recharge, area = ds["recharge"], ds["area"]
        for i, year in enumerate(range(1997, 2000)):
            for month in range(1, 13):
                path = os.path.join(grids, f"{year}.{month:02d}.rch")
                want = expected_grid(path if os.path.exists(path) else None, read, ibound, fill)
                got = recharge[i * 12 + month - 1, :, :].ravel()
                assert same_bits(got, want), (nc, year, month)
                start, end = month_days(year, month)
                assert list(ds["time_bnds"][i * 12 + month - 1]) == [start, end]
                assert ds["time"][i * 12 + month - 1] == (start + end) / 2
            path = os.path.join(grids, f"{year}.are")
            want = expected_grid(path if os.path.exists(path) else None, read, ibound, fill)
            assert same_bits(area[i, :, :].ravel(), want), (nc, year)
        assert ds["x"][0] == 266023 + 2640 and ds["x"][-1] == 1987303 - 2640
        assert ds["y"][0] == 14964006 - 2640 and ds["y"][-1] == 14092806 + 2640
        assert ds["crs"].crs_wkt == WKT


def check_xarray(nc, grids, read, ibound):
    """xarray: decoded time, masked inactive cells, selection by date and year."""
    import numpy
    import xarray

    with xarray.open_dataset(nc) as ds:
        april = ds["recharge"].sel(time="1998-04").values[0].ravel()
        want = read(os.path.join(grids, "1998.04.rch"))
        active = numpy.array(ibound) != 0
        assert numpy.isnan(april[~active]).all()
        assert same_bits(april[active], numpy.array(want)[active])
        assert str(ds["time"].values[0])[:19] == "1997-01-16T12:00:00"
        assert str(ds["time_bnds"].values[-1][1])[:10] == "2000-01-01"
        assert float(ds["recharge"].sel(time="1997-06").sum()) == 0.0  # a year without files
        area = ds["area"].sel(year=1999).values.ravel()
        assert same_bits(area[active], numpy.array(read(os.path.join(grids, "1999.are")))[active])


def main():
    gridkit, corvane, source, work = sys.argv[1:5]
    if shutil.which("ncdump") is None:
        readers.missing("ncdump (netcdf-bin)")
    for module in ("netCDF4", "xarray", "numpy"):
        try:
            __import__(module)
        except ImportError:
            readers.missing(f"Python {module} (python3-netcdf4, python3-xarray)")
    probe = subprocess.run([gridkit, "netcdf", ".", "rch", "-o", os.path.join(work, "probe.nc")],
                           capture_output=True, text=True)
    if "built without the NetCDF C library" in probe.stderr:
        readers.missing("gridkit's netcdf command (NetCDF C library at build time)")

    basin = readers.example_run(corvane, source, work)
    with open(os.path.join(work, "crs.wkt"), "w") as f:
        f.write(WKT + "\n")
    ibound = readers.read_ibound(os.path.join(basin, "ibound.txt"))
    for form, read in (("binary", readers.read_binary_grid), ("text", readers.read_text_grid)):
        grids = os.path.join(basin, "grids", form)
        for with_fill in (True, False):
            nc = os.path.join(work, f"{form}{'-ibound' if with_fill else ''}.nc")
            args = [gridkit, "netcdf", grids, "rch", "are", "--years", "1997-1999", "--prj",
                    os.path.join(work, "crs.wkt"), "-o", nc]
            if with_fill:
                args += ["--ibound", "ibound.txt"]
            readers.run(args, basin)
            check_header(nc, with_fill)
            check_values(nc, grids, read, ibound, 9.969209968386869e36 if with_fill else None)
        check_xarray(os.path.join(work, f"{form}-ibound.nc"), grids, read, ibound)
    print("NetCDF files of the example run read back bit for bit by netCDF4 and xarray")


if __name__ == "__main__":
    main()
