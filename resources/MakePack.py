#!/usr/bin/env python3
"""Writes a resource pack (see ResourcePack.h): MakePack.py ROOT OUT PATH...

PATH are files below ROOT, stored under those names in the order given.

A page downloads its pictures, while the desktop programs inflate theirs at
every start-up: so the compressed pictures (.bmp.z, see Compressed.h) go
into a pack compressed as hard as zlib can, whatever level the desktop's
copy was stored at. The picture inside is byte for byte the same."""
import os
import struct
import sys
import zlib

MAGIC = b"QVZ1"


def for_the_web(rel, data):
    if not rel.endswith(".bmp.z"):
        return data
    if data[:4] != MAGIC:
        sys.exit(f"MakePack: {rel} is not a compressed picture")
    size = struct.unpack_from("<I", data, 4)[0]
    picture = zlib.decompress(data[8:])
    if len(picture) != size:
        sys.exit(f"MakePack: {rel} holds {len(picture)} bytes, its header says {size}")
    smaller = MAGIC + struct.pack("<I", size) + zlib.compress(picture, 9)
    return smaller if len(smaller) < len(data) else data


root, out, paths = sys.argv[1], sys.argv[2], sys.argv[3:]
blobs = []
for rel in paths:
    with open(os.path.join(root, rel), "rb") as f:
        blobs.append((rel, for_the_web(rel, f.read())))
head = "QVPACK1\n" + "".join(f"{len(data)} {rel}\n" for rel, data in blobs) + "\n"
os.makedirs(os.path.dirname(out), exist_ok=True)
tmp = out + ".tmp"
with open(tmp, "wb") as f:
    f.write(head.encode("utf-8"))
    for _, data in blobs:
        f.write(data)
os.replace(tmp, out)
