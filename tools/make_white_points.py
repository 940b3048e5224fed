#!/usr/bin/env python3
"""Prints the white point table of src/night/white_point.cpp: one row per 100 K from 1000 K to 6500 K.

    python3 tools/make_white_points.py > table      (then paste the rows over kRows)
    python3 tools/make_white_points.py --check      (the published rows the tests hold, and each one's error)

How a row is made:
  1. Planck's law (second radiation constant 1.438776877e-2 m K) summed at every nm from 360 to 830 against
     the CIE 1931 2-degree colour-matching functions in tools/data/cie1931_2deg_1nm.csv gives X, Y, Z.
  2. X, Y, Z to linear sRGB with the IEC 61966-2-1 matrix; negative channels clipped to 0.
  3. Each channel divided by the largest, then put through the sRGB transfer function: a gamma ramp's
     entries are encoded values, so this is what multiplies them.
  4. 6500 K is pinned to white (1, 1, 1): it stands for the display's own white. sRGB's white, D65, lies off
     the blackbody curve, which comes out at (1, 0.9745, 0.9965) there. The table stops at 6500 K.

Against the published rows the tests hold (4500, 3400, 2700 and 1900 K) this is within 0.0004. Tried and
dropped, by their worst error there: each channel divided by its 6500 K value before step 3 (0.023; 0.014
with the CIE 1964 10-degree observer), the 10-degree observer as above (0.012), no step 3 (0.29). Summing at
5 nm from 380 to 780 nm moves the rows by at most 0.0003.
"""
import csv
import math
import os
import sys

FIRST_KELVIN, LAST_KELVIN, STEP_KELVIN = 1000, 6500, 100
WHITE_KELVIN = 6500
SECOND_RADIATION_CONSTANT = 1.438776877e-2  # h c / k, m K
XYZ_TO_LINEAR_SRGB = ((3.2406, -1.5372, -0.4986), (-0.9689, 1.8758, 0.0415), (0.0557, -0.2040, 1.0570))
# The published rows the tests hold: kelvin, red, green, blue.
REFERENCE_ROWS = ((6500, 1.0, 1.0, 1.0), (4500, 1.0, 0.8686, 0.7369), (3400, 1.0, 0.7689, 0.5243),
               (2700, 1.0, 0.6765, 0.3479), (1900, 1.0, 0.5194, 0.0))


def read_observer():
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "data", "cie1931_2deg_1nm.csv")
    with open(path, newline="") as f:
        rows = [row for row in csv.reader(f) if row and not row[0].startswith("#")]
    return [(int(r[0]), float(r[1]), float(r[2]), float(r[3])) for r in rows[1:]]


def blackbody_xyz(observer, kelvin):
    x = y = z = 0.0
    for nm, xbar, ybar, zbar in observer:
        metres = nm * 1e-9
        radiance = 1.0 / (metres ** 5 * math.expm1(SECOND_RADIATION_CONSTANT / (metres * kelvin)))
        x, y, z = x + radiance * xbar, y + radiance * ybar, z + radiance * zbar
    return x, y, z


def srgb_encode(linear):
    return 12.92 * linear if linear <= 0.0031308 else 1.055 * linear ** (1 / 2.4) - 0.055


def white_point(observer, kelvin):
    if kelvin == WHITE_KELVIN:
        return 1.0, 1.0, 1.0
    xyz = blackbody_xyz(observer, kelvin)
    linear = [max(0.0, sum(m * v for m, v in zip(row, xyz))) for row in XYZ_TO_LINEAR_SRGB]
    largest = max(linear)
    return tuple(srgb_encode(c / largest) for c in linear)


def main():
    observer = read_observer()
    if "--check" in sys.argv[1:]:
        worst = 0.0
        for kelvin, *expected in REFERENCE_ROWS:
            made = white_point(observer, kelvin)
            error = max(abs(a - b) for a, b in zip(made, expected))
            worst = max(worst, error)
            print("%d K: %.4f %.4f %.4f (published %.4f %.4f %.4f) error %.5f" % (kelvin, *made, *expected, error))
        print("worst error %.5f" % worst)
        return 0 if worst <= 0.002 else 1
    for kelvin in range(FIRST_KELVIN, LAST_KELVIN + 1, STEP_KELVIN):
        print("    {%d, %.4f, %.4f, %.4f}," % ((kelvin,) + white_point(observer, kelvin)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
