#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the chime that moriv.exe carries among its resources (assets/chime.wav): a soft bell
of 0.8 s, two partials that die away, 22 050 samples a second, 16-bit mono. The same bytes each
run. Usage: make-chime.py [output, default assets/chime.wav]"""
import math
import struct
import sys
import wave

RATE = 22050
LENGTH = 0.8
PARTIALS = ((880.0, 0.55, 3.5), (1760.0, 0.25, 6.0), (2640.0, 0.10, 9.0))  # Hz, level, decay

samples = bytearray()
for i in range(int(RATE * LENGTH)):
    t = i / RATE
    attack = min(1.0, t / 0.005)  # no click at the start
    value = sum(level * math.exp(-decay * t) * math.sin(2 * math.pi * hz * t)
                for hz, level, decay in PARTIALS)
    samples += struct.pack("<h", round(32767 * 0.8 * attack * value))

with wave.open(sys.argv[1] if len(sys.argv) > 1 else "assets/chime.wav", "wb") as out:
    out.setnchannels(1)
    out.setsampwidth(2)
    out.setframerate(RATE)
    out.writeframes(bytes(samples))
