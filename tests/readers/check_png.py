"""Maps of the example basin checked with decoders that are not ours: pngcheck and PIL.

Usage: check_png.py GRIDKIT CORVANE SOURCE_DIR WORK_DIR
"""
import os
import shutil
import subprocess
import sys

import readers

MARGIN, SCALE = 8, 3
ZERO, INACTIVE = (228, 228, 228), (150, 150, 150)


def check_pixels(picture, grid, ibound):
    """Every cell's pixels show its mask, and equal values share one colour."""
    from PIL import Image

    with Image.open(picture) as image:
        image.verify()
    with Image.open(picture) as image:
        assert image.size == (readers.NCOL * SCALE + 2 * MARGIN, image.size[1]), image.size
        rgb = image.convert("RGB")
        colour_of = {}
        for row in range(readers.NROW):
            for col in range(readers.NCOL):
                i = row * readers.NCOL + col
                x, y = MARGIN + col * SCALE, MARGIN + row * SCALE
                colour = rgb.getpixel((x + SCALE - 1, y + SCALE - 1))
                assert colour == rgb.getpixel((x, y)), (col + 1, row + 1)
                if ibound[i] == 0:
                    assert colour == INACTIVE, (col + 1, row + 1, colour)
                elif grid[i] == 0.0:
                    assert colour == ZERO, (col + 1, row + 1, colour)
                else:
                    assert colour not in (ZERO, INACTIVE), (col + 1, row + 1, colour)
                    assert colour_of.setdefault(grid[i], colour) == colour, grid[i]
        return image.mode


def main():
    gridkit, corvane, source, work = sys.argv[1:5]
    have_pngcheck = shutil.which("pngcheck") is not None
    try:
        import PIL  # noqa: F401
    except ImportError:
        readers.missing("Python PIL (python3-pil)")
    if not have_pngcheck:
        readers.missing("pngcheck")

    basin = readers.example_run(corvane, source, work)
    month = os.path.join(basin, "grids", "binary", "1998.04.rch")
    picture = os.path.join(work, "map.png")
    readers.run([gridkit, "png", month, "--ibound", "ibound.txt", "-o", picture], basin)
    size = os.path.getsize(picture)
    assert size < 100_000, f"map of the example is {size} bytes"
    subprocess.run(["pngcheck", "-q", picture], check=True)
    mode = check_pixels(picture, readers.read_binary_grid(month),
                        readers.read_ibound(os.path.join(basin, "ibound.txt")))

    # A grid of zeros, without active-cell flags: every cell in the zero colour.
    zeros = os.path.join(work, "zeros.rch")
    with open(zeros, "w") as f:
        f.write((" 0." * readers.NCOL + "\n") * readers.NROW)
    flat = os.path.join(work, "zeros.png")
    readers.run([gridkit, "png", zeros, "-o", flat], work)
    subprocess.run(["pngcheck", "-q", flat], check=True)
    check_pixels(flat, [0.0] * (readers.NCOL * readers.NROW), [1] * (readers.NCOL * readers.NROW))
    print(f"map of the example: {size} bytes, mode {mode}")


if __name__ == "__main__":
    main()
