#!/usr/bin/env python3
"""Writes the photo fuzzer's own seeds beside the test photos: the kinds of
file the photo tests build (a CR3's boxes, a HEIC's Exif item, a raw file's
header alone, a bare Exif JPEG, a video). Run from the project folder:
fuzz/make-photo-seeds.py"""
import os
import struct


def tiff(entries):
    """A little-endian TIFF of one directory: (tag, type, count, bytes)."""
    data_start = 8 + 2 + 12 * len(entries) + 4
    directory = struct.pack("<H", len(entries))
    data = b""
    for tag, kind, count, value in entries:
        directory += struct.pack("<HHI", tag, kind, count)
        if len(value) <= 4:
            directory += value.ljust(4, b"\0")
        else:
            directory += struct.pack("<I", data_start + len(data))
            data += value + (b"\0" if len(value) % 2 else b"")
    return b"II*\0" + struct.pack("<I", 8) + directory + b"\0\0\0\0" + data


def ascii(tag, text):
    value = text.encode() + b"\0"
    return (tag, 2, len(value), value)


def rational(tag, num, den):
    return (tag, 5, 1, struct.pack("<II", num, den))


def long_(tag, value):
    return (tag, 4, 1, struct.pack("<I", value))


def box(kind, payload):
    return struct.pack(">I", 8 + len(payload)) + kind + payload


def full_box(kind, version, payload):
    return box(kind, bytes([version, 0, 0, 0]) + payload)


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "photo-seeds")
    os.makedirs(out, exist_ok=True)
    settings = [rational(0x829D, 56, 10), rational(0x920A, 50, 1), rational(0x9206, 2500, 1000)]
    cmt1 = tiff([ascii(0x010F, "Canon"), ascii(0x0110, "Canon EOS Test"),
                 long_(0x0100, 8192), long_(0x0101, 5464)])
    shot_info = [0] * 34
    shot_info[0], shot_info[19], shot_info[20] = 68, 300, 200
    cmt3 = tiff([(0x0004, 3, 34, struct.pack("<34H", *shot_info)),
                 ascii(0x0095, "RF50mm F1.2 L USM")])
    uuid = bytes.fromhex("85c0b687820f11e08111f4ce462b6a48")
    canon = box(b"uuid", uuid + box(b"CMT1", cmt1) + box(b"CMT2", tiff(settings)) +
                box(b"CMT3", cmt3))
    seeds = {
        "canon.cr3": box(b"ftyp", b"crx \0\0\0\1crx isom") + box(b"moov", canon) +
        box(b"mdat", b"\1" * 8),
        "header.tif": tiff([long_(0x0100, 6000), long_(0x0101, 4000), ascii(0x010F, "Vorel"),
                            long_(0x0111, 4096), long_(0x0117, 48000000)] + settings),
        "bare.jpg": b"\xff\xd8\xff\xe1" + struct.pack(">H", len(tiff(settings)) + 8) +
        b"Exif\0\0" + tiff(settings) + b"\xff\xd9",
        "clip.mp4": box(b"ftyp", b"isom\0\0\0\0isommp41") + box(b"moov", b"\0" * 16),
    }
    item = struct.pack(">I", 6) + b"Exif\0\0" + tiff([ascii(0x010F, "Vorel")] + settings)

    def meta(offset):
        infe = full_box(b"infe", 2, struct.pack(">HH", 1, 0) + b"Exif\0")
        iloc = full_box(b"iloc", 0, struct.pack(">BBHHHHII", 0x44, 0, 1, 1, 0, 1, offset,
                                                 len(item)))
        ispe = full_box(b"ispe", 0, struct.pack(">II", 4032, 3024))
        return full_box(b"meta", 0, full_box(b"iinf", 0, struct.pack(">H", 1) + infe) + iloc +
                        box(b"iprp", box(b"ipco", ispe)))
    head = box(b"ftyp", b"heic\0\0\0\0mif1heic")
    offset = len(head) + len(meta(0)) + 8
    seeds["phone.heic"] = head + meta(offset) + box(b"mdat", item)
    for name, content in seeds.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(content)


if __name__ == "__main__":
    main()
