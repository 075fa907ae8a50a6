#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes tests/data/report-16ch.dat: sixteen programmed channels and odd option codes."""
import os

img = bytearray([0xFF] * 1024)
img[0x000:0x010] = bytes([0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 3, 1, 0, 2, 0, 0x24, 0x11])
img[0x1B8:0x1C0] = b"P32073" + bytes([0xF0, 0x01])


def bcd(units):
    out = []
    for _ in range(4):
        pair = units % 100
        out.append((pair // 10) * 16 + pair % 10)
        units //= 100
    return bytes(out)


ANALOG_DECODE = bytes([0x9E, 0x02])   # 67.0
ANALOG_ENCODE = bytes([0x75, 0x03])   # 88.5
DIGITAL_DECODE = bytes([0x13, 0x28])  # D023N
DIGITAL_ENCODE = bytes([0xEC, 0xA9])  # D754I
NONE = bytes([0xFF, 0xFF])

for n in range(1, 17):
    rx = 14500000 + n * 1250
    rec = bytearray(16)
    rec[0:4] = bcd(rx)
    rec[4:8] = bcd(rx + 60000)
    if n == 16:
        rec[8:12] = NONE + NONE
    elif n % 2:
        rec[8:12] = ANALOG_DECODE + ANALOG_ENCODE
    else:
        rec[8:12] = DIGITAL_DECODE + DIGITAL_ENCODE
    rec[12] = ((n % 3) << 3) | (0x20 if n % 2 == 0 else 0)  # busy lock, compand
    rec[13] = (0x20 if n % 2 else 0) | (0x10 if n < 9 else 0)  # power, wide
    rec[14:16] = bytes([0x5A, 0xA5])
    img[16 * n:16 * n + 16] = rec

img[0x17E] = 0xA5
img[0x17F] = 0x0F
img[0x12F] = 0x03  # voice annunciation 3: printed as English
img[0x130] = 0x48  # time-out timer: bit 6 is not read by the report -> 120s
img[0x131] = 0xF1  # TOT pre-alert 1: Off
img[0x134] = 0x07  # squelch 7
img[0x135] = 0x01  # battery saver on
img[0x136] = 0xFE  # beep off
img[0x13A] = 0xE0  # vox gain 0: Off
img[0x13B] = 0xFE  # vox delay 6: 3.0
img[0x160:0x169] = bytes([0, 0x11, 9, 21, 0xFF, 0x30, 0, 0x30, 0])
img[0x3C7] = 0xFE  # VOX function off, scan function on
img[0x3D2] = 0
img[0x3D3] = 0
img[0x3F0] = 0x05  # call tone 5

here = os.path.dirname(os.path.abspath(__file__))
with open(os.path.join(here, "..", "data", "report-16ch.dat"), "wb") as f:
    f.write(img)
