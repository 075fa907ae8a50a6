#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the seed corpora under fuzz/corpus/<target>/ in the byte layout each
target reads (FuzzedDataProvider: strings from the front, numbers and flags
from the back). Run from anywhere; the seeds are checked in, so this is only
needed when a target's input layout changes."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)


def s(text):
    """A ConsumeRandomLengthString field: the bytes, then the end mark."""
    return text.replace(b"\\", b"\\\\") + b"\\x"


def write(target, name, data):
    d = os.path.join(HERE, "corpus", target)
    os.makedirs(d, exist_ok=True)
    with open(os.path.join(d, name), "wb") as f:
        f.write(data)


def read(path):
    with open(os.path.join(ROOT, path), "rb") as f:
        return f.read()


def ini():
    program = read("res/install/Program.ini")
    edge = read("tests/data/ini-edge.ini")
    gb = read("tests/data/ini-gb18030.ini")
    # section, key, value, then the file; the last byte's low bit is "case-blind".
    write("ini", "language", s(b"Setup") + s(b"Language") + s(b"Chinese") + program + b"\x01")
    write("ini", "new-section", s(b"Ports") + s(b"COM1") + s(b"/dev/ttyACM0") + program + b"\x01")
    write("ini", "edge", s(b"Setup") + s(b"Dup") + s(b"three") + edge + b"\x01")
    write("ini", "edge-case-sensitive", s(b"setup") + s(b"late") + s(b"x") + edge + b"\x00")
    write("ini", "gb18030", s("Chinese".encode()) + s("Company".encode())
          + s("写频".encode()) + gb + b"\x01")
    write("ini", "empty-section", s(b"Setup") + s(b"Language") + s(b"English")
          + b"[Setup]\r\n[]\r\nLanguage=Chinese\r\n" + b"\x01")


def image():
    for name in ("image-channels.dat", "report-16ch.dat"):
        data = read("tests/data/" + name)
        # Owner text, then (from the back) band count, type count, page metrics, language.
        tail = s(b"Owner Co.") + struct.pack("<4I", 2480, 3508, 300, 300) + b"\x00\x00\x00"
        write("image", name.replace(".dat", ""), data + tail)
        write("image", name.replace(".dat", "-zh"), data + tail[:-1] + b"\x01")
    write("image", "all-ff", b"\xff" * 1024)
    write("image", "all-00", b"\x00" * 1024)


def text():
    # text, band list; from the back: language, stored frequency, stored tone word, band index.
    cases = [
        (b"145.125", b"136 - 174MHz|400 - 480MHz", b"\x00\x25\x51\x14", b"\x9e\x02"),
        (b"D754I", b"400 - 480MHz", b"\x25\x06\x80\x43", b"\xec\xa9"),
        (b"67.0", b"", b"\x0a\x00\x00\xfa", b"\x13\x28"),
        (b" 0.5e1", b"130 - 160MHz", b"\xff\xff\xff\xff", b"\x34\x12"),
        (b"1e308", b"21474 - 99999MHz", b"\x99\x99\x99\x99", b"\x00\x00"),
    ]
    for i, (t, band, freq, word) in enumerate(cases):
        # Commits: records, then Rx texts with row/col numbers from the back.
        commits = s(b"") + s(b"146.52") + s(b"") + s(b"145.00625")
        back = b"\x01\x01\x02\x03" + b"\x00" + word + freq + b"\x00"
        write("text", "case%d" % i, s(t) + s(band) + commits + back)


def clone():
    # Empty: a clean read. Last byte's low bit chooses a write.
    write("clone", "read-clean", b"")
    write("clone", "write-clean", b"\x01")
    # A communication error answered with Retry, then a clean line.
    write("clone", "read-retry", b"\x00" * 8 + b"\xf0\x01" + b"\x00\x00\x00")
    write("clone", "write-short-ack", b"\x00" * 40 + b"\xe0\x00" + b"\x01")


if __name__ == "__main__":
    ini()
    image()
    text()
    clone()
