#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the memory image fixtures of the image and CLI tests into tests/data.

image-channels.dat: a new image with hand-picked channels and settings that
exercise the empty-channel rules, unusual stored values and preserved bits.
image-short.dat: 1000 bytes, too short to be an image.
"""
import os

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")

DEFAULTS = {
    0x000: 0x00, 0x001: 0x00, 0x002: 0x00, 0x008: 0x00, 0x009: 0x03, 0x00A: 0x01,
    0x00B: 0x00, 0x00C: 0x02, 0x00D: 0x00, 0x00E: 0x24, 0x00F: 0x11,
    0x12F: 0x01, 0x130: 0x04, 0x131: 0x09, 0x134: 0x04, 0x135: 0x01, 0x136: 0x01,
    0x13A: 0x05, 0x13B: 0x02, 0x160: 0x00, 0x161: 0x11, 0x162: 0x09, 0x163: 0x15,
    0x165: 0x30, 0x166: 0x00, 0x167: 0x30, 0x168: 0x00, 0x17E: 0x00, 0x17F: 0x00,
    0x1B8: 0x50, 0x1B9: 0x33, 0x1BA: 0x32, 0x1BB: 0x30, 0x1BC: 0x37, 0x1BD: 0x33,
    0x1BE: 0xF0, 0x1BF: 0x01, 0x3F0: 0x00,
}

# channel: 16 record bytes (rx, tx, decode, encode, flags A, flags B, +14, +15)
CHANNELS = {
    # used: 145.125 both ways, 67.0 / D023N, compand + carrier, high + wide,
    # unlisted flag bits set, +14/+15 carried
    1: "00255114 00255114 9E02 1328 EF B5 1234",
    # empty (Tx none): Rx still shown, analogue encode tone still shown
    2: "25068043 FFFFFFFF FFFF 9E02 FF FF ABCD",
    # empty (Rx below 10 MHz): Rx blank, Tx shown, tones 00 00 blank
    3: "00500000 00255114 0000 0000 FF FF FFFF",
    # used: D754I / 254.1, busy lock 11, low + narrow, unlisted bits
    8: "50622546 50622546 ECA9 ED09 5B 0F 0000",
    # used: tone not in the list, code not in the list, everything off
    9: "00000040 00250140 3412 0028 00 20 5566",
    # used: highest frequency; Tx with nibbles above 9; no tones two ways
    16: "99999999 AA000001 FFFF FF00 10 10 7788",
}

SETTINGS = {
    0x12F: 0x02,  # Voice Annunciation English
    0x130: 0xA8,  # Time-Out Timer 40 (600s), bit 7 preserved
    0x131: 0xF1,  # TOT Pre-Alert 1 (Off), high nibble preserved
    0x134: 0xA3,  # Squelch Level 3
    0x135: 0xFE,  # Battery Saver off
    0x13A: 0xF0,  # Vox Gain Level 16
    0x13B: 0xFD,  # Vox Delay Time 5 (3.0)
    0x13F: 0x01,  # Call Key Define Emergency Alert
    0x160: 0x01,  # Priority Fixed
    0x161: 0x05,  # Priority Channel 5
    0x162: 0x01,  # Look Back Time A 0.5
    0x163: 0x5B,  # Look Back Time B 5
    0x164: 0x03,  # Revert Channel Priority+Talk back
    0x165: 0x2C, 0x166: 0x01,  # Dropout Delay Time 300
    0x167: 0x00, 0x168: 0x00,  # Tx Dwell Time 0
    0x17E: 0x86,  # scan add: channels 2, 3 (empty) and 8
    0x17F: 0x80,  # scan add: channel 16
    0x3C7: 0xFD,  # VOX Function on, Scan Function off
    0x3D2: 0x00, 0x3D3: 0x07,
    0x3F0: 0x10,  # Call Tone 16
}


def main():
    image = bytearray([0xFF] * 1024)
    for off, val in DEFAULTS.items():
        image[off] = val
    for n, text in CHANNELS.items():
        record = bytes.fromhex(text.replace(" ", ""))
        assert len(record) == 16
        image[16 * n:16 * n + 16] = record
    for off, val in SETTINGS.items():
        image[off] = val
    with open(os.path.join(DATA, "image-channels.dat"), "wb") as f:
        f.write(image)
    with open(os.path.join(DATA, "image-short.dat"), "wb") as f:
        f.write(image[:1000])


if __name__ == "__main__":
    main()
