#!/usr/bin/env python3
"""Writes a resource pack (see ResourcePack.h): MakePack.py ROOT OUT PATH...

PATH are files below ROOT, stored under those names in the order given."""
import os
import sys

root, out, paths = sys.argv[1], sys.argv[2], sys.argv[3:]
blobs = []
for rel in paths:
    with open(os.path.join(root, rel), "rb") as f:
        blobs.append((rel, f.read()))
head = "QVPACK1\n" + "".join(f"{len(data)} {rel}\n" for rel, data in blobs) + "\n"
os.makedirs(os.path.dirname(out), exist_ok=True)
tmp = out + ".tmp"
with open(tmp, "wb") as f:
    f.write(head.encode("utf-8"))
    for _, data in blobs:
        f.write(data)
os.replace(tmp, out)
