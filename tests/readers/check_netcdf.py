"""NetCDF files of the example run read back by readers that are not ours: ncdump, netCDF4 and
xarray, every value compared bit for bit with the grid files.
Usage: check_netcdf.py GRIDKIT CORVANE SOURCE_DIR"""
import datetime
import os
import shutil
import subprocess
import sys

import readers

WKT = 'LOCAL_CS["example basin plane",LOCAL_DATUM["none",0],UNIT["foot",0.3048]]'
FILL = 9.969209968386869e36
YEARS = range(1997, 2000)  # 1997 has no grid files: all zeros


def same_bits(a, b):
    import numpy

    return numpy.array_equal(numpy.asarray(a, "<f8").view("<u8"), numpy.asarray(b, "<f8").view("<u8"))


def expected(path, read, ibound, masked):
    values = read(path) if os.path.exists(path) else [0.0] * len(ibound)
    return [FILL if masked and flag == 0 else v for v, flag in zip(values, ibound)]


def check_file(nc, grids, read, ibound, masked):
    import netCDF4

    header = readers.run(["ncdump", "-hs", nc], os.path.dirname(nc))
    for text in ("time = 36 ;", "double recharge(time, y, x) ;", "double area(year, y, x) ;",
                 'recharge:cell_methods = "time: sum" ;', 'time:bounds = "time_bnds" ;',
                 'time:units = "days since 1940-01-01" ;',
                 'time:calendar = "proleptic_gregorian" ;', ':Conventions = "CF-1.8" ;',
                 'recharge:grid_mapping = "crs" ;', '_DeflateLevel = 1', '"netCDF-4"'):
        assert text in header, text
    assert ("recharge:_FillValue" in header) == masked
    with netCDF4.Dataset(nc) as ds:
        ds.set_auto_mask(False)
        for i, year in enumerate(YEARS):
            for month in range(1, 13):
                t = i * 12 + month - 1
                path = os.path.join(grids, f"{year}.{month:02d}.rch")
                assert same_bits(ds["recharge"][t].ravel(), expected(path, read, ibound, masked))
                start = datetime.date(year, month, 1) - datetime.date(1940, 1, 1)
                end = datetime.date(year + month // 12, month % 12 + 1, 1) - datetime.date(1940, 1, 1)
                assert list(ds["time_bnds"][t]) == [start.days, end.days]
                assert ds["time"][t] == (start.days + end.days) / 2
            path = os.path.join(grids, f"{year}.are")
            assert same_bits(ds["area"][i].ravel(), expected(path, read, ibound, masked))
        assert list(ds["x"][[0, -1]]) == [266023 + 2640, 1987303 - 2640]
        assert list(ds["y"][[0, -1]]) == [14964006 - 2640, 14092806 + 2640]
        assert ds["crs"].crs_wkt == WKT


def check_xarray(nc, grids, read, ibound):
    """xarray: time decoded to dates, inactive cells masked."""
    import numpy
    import xarray

    active = numpy.array(ibound) != 0
    with xarray.open_dataset(nc) as ds:
        april = ds["recharge"].sel(time="1998-04").values[0].ravel()
        assert numpy.isnan(april[~active]).all()
        assert same_bits(april[active], numpy.array(read(os.path.join(grids, "1998.04.rch")))[active])
        assert str(ds["time"].values[0])[:19] == "1997-01-16T12:00:00"


def main():
    gridkit, corvane, source = sys.argv[1:4]
    work = readers.scratch()
    if shutil.which("ncdump") is None:
        readers.missing("ncdump (netcdf-bin)")
    for module in ("netCDF4", "xarray", "numpy"):
        try:
            __import__(module)
        except ImportError:
            readers.missing(f"Python {module} (python3-netcdf4, python3-xarray)")
    probe = subprocess.run([gridkit, "netcdf", ".", "rch", "-o", "x.nc"], capture_output=True,
                           text=True, cwd=work)
    if "built without the NetCDF C library" in probe.stderr:
        readers.missing("gridkit's netcdf command (NetCDF C library at build time)")

    basin = readers.example_run(corvane, source, work)
    wkt = os.path.join(work, "crs.wkt")
    with open(wkt, "w") as f:
        f.write(WKT + "\n")
    ibound = readers.read_ibound(os.path.join(basin, "ibound.txt"))
    open(os.path.join(basin, "grids", "text", "1998.04.rch.png"), "w").close()  # no grid
    for form, read in (("binary", readers.read_binary_grid), ("text", readers.read_text_grid)):
        grids = os.path.join(basin, "grids", form)
        for masked in (True, False):
            nc = os.path.join(work, f"{form}{masked}.nc")
            readers.run([gridkit, "netcdf", grids, "rch", "are", "--years", "1997-1999", "--prj",
                         wkt, "-o", nc] + (["--ibound", "ibound.txt"] if masked else []), basin)
            check_file(nc, grids, read, ibound, masked)
        check_xarray(os.path.join(work, f"{form}True.nc"), grids, read, ibound)
    # A damaged grid stops the run and leaves the earlier file whole, and no temporary file.
    with open(os.path.join(basin, "grids", "text", "1999.05.rch"), "w") as f:
        f.write(" 1.5 2.5\n")
    with open(nc, "rb") as f:
        before = f.read()
    failed = subprocess.run([gridkit, "netcdf", "grids/text", "rch", "-o", nc], cwd=basin,
                            capture_output=True, text=True)
    assert failed.returncode == 1 and "Error reading file grids/text/1999.05.rch" in failed.stderr
    with open(nc, "rb") as f:
        assert f.read() == before
    assert not [name for name in os.listdir(work) if ".tmp" in name]
    print("NetCDF files of the example run read back bit for bit by netCDF4 and xarray")


if __name__ == "__main__":
    main()
