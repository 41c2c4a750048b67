#!/usr/bin/env python3
"""Writes the fuzzer's seed corpus: valid project files, truncated ones and
single-field mutations. Run from the project folder: fuzz/make-seeds.py"""
import math
import os
import struct


def record(lb=1.0, dist_cam=True, dist_fp=False, xscale=35, yscale=2, cams=None, version=1.0):
    cams = cams or [
        dict(on=True, fdist=4.0, ap=1.2, fl=85.0, coc=0.0128, diff=False, crop=3, q=6,
             res=0, distd=0.0, formd=0, widthd=0.0),
        dict(on=True, fdist=4.0, ap=2.0, fl=135.0, coc=0.0128, diff=False, crop=3, q=6,
             res=0, distd=0.0, formd=0, widthd=0.0),
    ]
    b = struct.pack(">dd??ii", version, lb, dist_cam, dist_fp, xscale, yscale)
    for c in cams:
        b += struct.pack(">?dddd?iiidid", c["on"], c["fdist"], c["ap"], c["fl"], c["coc"],
                         c["diff"], c["crop"], c["q"], c["res"], c["distd"], c["formd"],
                         c["widthd"])
    assert len(b) == 158
    return b


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
    os.makedirs(out, exist_ok=True)
    default = record()
    other = record(lb=2.5, dist_cam=False, dist_fp=True, xscale=12, yscale=40, cams=[
        dict(on=False, fdist=7.25, ap=5.6, fl=200.0, coc=0.0301, diff=True, crop=9, q=2,
             res=0, distd=30.5, formd=1, widthd=45.75),
        dict(on=True, fdist=12.5, ap=11.0, fl=35.0, coc=0.02, diff=True, crop=13, q=7,
             res=0, distd=60.0, formd=1, widthd=20.5)])

    def patch(base, offset, fmt, value):
        b = bytearray(base)
        struct.pack_into(fmt, b, offset, value)
        return bytes(b)

    seeds = {
        "valid-default.vlp": default,
        "valid-other.vlp": other,
        "valid-long.vlp": other + bytes([0xFF] * 42),
        "valid-version-7.vlp": patch(default, 0, ">d", 7.5),
        "truncated-0.vlp": b"",
        "truncated-100.vlp": default[:100],
        "truncated-157.vlp": default[:157],
        "mutated-nan.vlp": patch(default, 43, ">d", math.nan),
        "mutated-inf.vlp": patch(other, 8, ">d", math.inf),
        "mutated-crop.vlp": patch(default, 60, ">i", 14),
        "mutated-quality.vlp": patch(other, 130, ">i", -1),
        "mutated-formd.vlp": patch(other, 146, ">i", 2),
        "valid-bool-byte.vlp": patch(default, 26, ">B", 0x80),
    }
    for name, data in seeds.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
