"""A map of the example basin checked with decoders that are not ours: pngcheck and PIL.
Usage: check_png.py GRIDKIT CORVANE SOURCE_DIR"""
import os
import shutil
import subprocess
import sys

import readers

MARGIN, SCALE = 8, 3
ZERO, INACTIVE = (228, 228, 228), (150, 150, 150)


def main():
    gridkit, corvane, source = sys.argv[1:4]
    work = readers.scratch()
    try:
        from PIL import Image
    except ImportError:
        readers.missing("Python PIL (python3-pil)")
    if shutil.which("pngcheck") is None:
        readers.missing("pngcheck")

    basin = readers.example_run(corvane, source, work)
    month = os.path.join(basin, "grids", "binary", "1998.04.rch")
    picture = os.path.join(work, "map.png")
    readers.run([gridkit, "png", month, "--ibound", "ibound.txt", "-o", picture], basin)
    assert os.path.getsize(picture) < 100_000, os.path.getsize(picture)
    subprocess.run(["pngcheck", "-q", picture], check=True)
    with Image.open(picture) as image:
        image.verify()
    # Every cell's square shows its mask, and equal values share one colour.
    grid = readers.read_binary_grid(month)
    ibound = readers.read_ibound(os.path.join(basin, "ibound.txt"))
    with Image.open(picture) as image:
        assert image.width == readers.NCOL * SCALE + 2 * MARGIN, image.size
        rgb = image.convert("RGB")
    colour_of = {}
    for i, (value, flag) in enumerate(zip(grid, ibound)):
        x = MARGIN + i % readers.NCOL * SCALE
        y = MARGIN + i // readers.NCOL * SCALE
        colour = rgb.getpixel((x, y))
        assert colour == rgb.getpixel((x + SCALE - 1, y + SCALE - 1)), i
        if flag == 0:
            assert colour == INACTIVE, (i, colour)
        elif value == 0.0:
            assert colour == ZERO, (i, colour)
        else:
            assert colour_of.setdefault(value, colour) == colour not in (ZERO, INACTIVE), i
    print(f"map of the example: {os.path.getsize(picture)} bytes, read by pngcheck and PIL")


if __name__ == "__main__":
    main()
