#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The colour phases' colours as people with the common colour-vision deficiencies see them:
each colour through the simulations of Machado, Oliveira and Fernandes (2009, severity 1) for
protanopia and deuteranopia, and the CIEDE2000 difference of each pair, beside normal vision.
Also each colour's contrast against the black the window is keyed out on (WCAG ratio).
Usage: phasecolours.py [R,G,B ...]   (default: the timer's three)"""
import math
import sys

COLOURS = {"normal": (0x56, 0xB4, 0xE9), "warning": (0xF0, 0xE4, 0x42), "over": (255, 0, 0)}
MATRICES = {
    "normal vision": ((1, 0, 0), (0, 1, 0), (0, 0, 1)),
    "protanopia": ((0.152286, 1.052583, -0.204868), (0.114503, 0.786281, 0.099216),
                   (-0.003882, -0.048116, 1.051998)),
    "deuteranopia": ((0.367322, 0.860646, -0.227968), (0.280085, 0.672501, 0.047413),
                     (-0.011820, 0.042940, 0.968881)),
}


def linear(c):
    c /= 255
    return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4


def lab(rgb):
    r, g, b = rgb
    x = 0.4124 * r + 0.3576 * g + 0.1805 * b
    y = 0.2126 * r + 0.7152 * g + 0.0722 * b
    z = 0.0193 * r + 0.1192 * g + 0.9505 * b
    f = [v ** (1 / 3) if v > 216 / 24389 else (24389 / 27 * v + 16) / 116
         for v in (x / 0.95047, y, z / 1.08883)]
    return 116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])


def ciede2000(a, b):
    (l1, a1, b1), (l2, a2, b2) = a, b
    c = (math.hypot(a1, b1) + math.hypot(a2, b2)) / 2
    g = 0.5 * (1 - math.sqrt(c ** 7 / (c ** 7 + 25 ** 7)))
    a1, a2 = a1 * (1 + g), a2 * (1 + g)
    c1, c2 = math.hypot(a1, b1), math.hypot(a2, b2)
    h1, h2 = (math.degrees(math.atan2(bb, aa)) % 360 for aa, bb in ((a1, b1), (a2, b2)))
    dl, dc = l2 - l1, c2 - c1
    dh = 0 if c1 * c2 == 0 else (h2 - h1 + 180) % 360 - 180
    dhh = 2 * math.sqrt(c1 * c2) * math.sin(math.radians(dh / 2))
    lm, cm = (l1 + l2) / 2, (c1 + c2) / 2
    hm = h1 + h2 if c1 * c2 == 0 else ((h1 + h2) / 2 if abs(h1 - h2) <= 180
                                       else (h1 + h2 + 360) / 2 % 360)
    t = (1 - 0.17 * math.cos(math.radians(hm - 30)) + 0.24 * math.cos(math.radians(2 * hm))
         + 0.32 * math.cos(math.radians(3 * hm + 6)) - 0.20 * math.cos(math.radians(4 * hm - 63)))
    sl = 1 + 0.015 * (lm - 50) ** 2 / math.sqrt(20 + (lm - 50) ** 2)
    sc, sh = 1 + 0.045 * cm, 1 + 0.015 * cm * t
    rt = (-2 * math.sqrt(cm ** 7 / (cm ** 7 + 25 ** 7))
          * math.sin(math.radians(60 * math.exp(-(((hm - 275) / 25) ** 2)))))
    return math.sqrt((dl / sl) ** 2 + (dc / sc) ** 2 + (dhh / sh) ** 2
                     + rt * (dc / sc) * (dhh / sh))


def seen(matrix, rgb):
    lin = [linear(c) for c in rgb]
    return [min(1.0, max(0.0, sum(m * c for m, c in zip(row, lin)))) for row in matrix]


colours = COLOURS
if len(sys.argv) > 1:
    colours = {f"colour {i + 1}": tuple(int(v) for v in arg.split(","))
               for i, arg in enumerate(sys.argv[1:])}
names = list(colours)
for vision, matrix in MATRICES.items():
    pairs = [f"{a}/{b} {ciede2000(lab(seen(matrix, colours[a])), lab(seen(matrix, colours[b]))):.1f}"
             for i, a in enumerate(names) for b in names[i + 1:]]
    print(f"{vision:14} CIEDE2000: " + ", ".join(pairs))
for name, rgb in colours.items():
    luminance = sum(w * linear(c) for w, c in zip((0.2126, 0.7152, 0.0722), rgb))
    print(f"{name:8} #{''.join(f'{c:02X}' for c in rgb)} on black: {(luminance + 0.05) / 0.05:.1f}:1")
