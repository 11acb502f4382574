#!/usr/bin/env python3
"""Writes the map folders of the content memory benchmark, 8 archives each, alike but for the name
of the map they hold:
  header/maps   a 7z whose packed header unpacks to 64 MB, its LZMA2 dictionary claimed 3 GB
  zeros/maps    a 7z with 1000 MB of zeros before mapinfo.lua in one LZMA2 block (3 GB claimed)
  texture/maps  a valid map packed by 7-Zip (-m0=LZMA2:d=192m -ms=on, sorted by type, -mqs), a
                128 MB texture before its mapinfo.lua
Usage: make_archives.py <folder>. Quick when they are there already."""

import lzma
import os
import random
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

COPIES = 8
MB = 1 << 20
# LZMA2's dictionary property 39: 3 << 30 bytes.
CLAIMED_3GB = 39


def number(n):
    """7z's variable-length number: the first byte's leading ones count the bytes after it."""
    for extra in range(8):
        if n < 1 << (7 * (extra + 1)):
            first = ((0xFF << (8 - extra)) & 0xFF) | (n >> (8 * extra))
            return bytes([first]) + (n & ((1 << (8 * extra)) - 1)).to_bytes(extra, "little")
    return b"\xff" + n.to_bytes(8, "little")


def lzma2(chunks):
    """Raw LZMA2 of the chunks, packed with a small dictionary whatever the archive claims."""
    packer = lzma.LZMACompressor(lzma.FORMAT_RAW, filters=[{"id": lzma.FILTER_LZMA2, "preset": 0,
                                                               "dict_size": MB}])
    out = [packer.compress(chunk) for chunk in chunks]
    out.append(packer.flush())
    return b"".join(out)


def streams_info(packed_size, file_sizes, file_crcs):
    """One pack stream, one LZMA2 folder claiming a 3 GB dictionary, the files in it."""
    info = b"\x06" + number(0) + number(1) + b"\x09" + number(packed_size) + b"\x00"
    info += b"\x07\x0b" + number(1) + b"\x00"
    info += number(1) + bytes([0x20 | 1, 0x21]) + number(1) + bytes([CLAIMED_3GB])
    info += b"\x0c" + number(sum(file_sizes)) + b"\x00"
    # As 7-Zip writes it: the files' sizes and checksums.
    info += b"\x08\x0d" + number(len(file_sizes)) + b"\x09"
    for size in file_sizes[:-1]:
        info += number(size)
    info += b"\x0a\x01" + b"".join(struct.pack("<I", crc) for crc in file_crcs) + b"\x00"
    return info + b"\x00"


def files_info(names):
    data = b"\x00" + b"".join(name.encode("utf-16-le") + b"\x00\x00" for name in names)
    return b"\x05" + number(len(names)) + b"\x11" + number(len(data)) + data + b"\x00"


def write_7z(path, packed, header):
    start = b"7z\xbc\xaf\x27\x1c\x00\x04"
    tail = struct.pack("<QQI", len(packed), len(header), zlib.crc32(header))
    with open(path, "wb") as out:
        out.write(start + struct.pack("<I", zlib.crc32(tail)) + tail)
        out.write(packed)
        out.write(header)


def mapinfo(name):
    return ('local mapinfo = {\n\tname = "%s",\n\tversion = "1",\n}\nreturn mapinfo\n' % name).encode()


def zeros_map(path, copy):
    info = mapinfo("Zeros Map %d" % copy)
    zeros = 1000 * MB
    chunks = [bytes(16 * MB)] * (zeros // (16 * MB)) + [bytes(zeros % (16 * MB))]
    zeros_crc = 0
    for chunk in chunks:
        zeros_crc = zlib.crc32(chunk, zeros_crc)
    packed = lzma2(chunks + [info])
    header = b"\x01\x04" + streams_info(len(packed), [zeros, len(info)], [zeros_crc, zlib.crc32(info)])
    header += files_info(["maps/zeros.smt", "mapinfo.lua"]) + b"\x00"
    write_7z(path, packed, header)


def header_map(path, copy):
    """A small map whose header, packed, holds 64 MB of archive properties before its lists."""
    info = mapinfo("Header Map %d" % copy)
    packed_files = lzma2([info])
    header = b"\x01\x02" + bytes([0x7f]) + number(64 * MB) + bytes(64 * MB) + b"\x00"
    header += b"\x04" + streams_info(len(packed_files), [len(info)], [zlib.crc32(info)])
    header += files_info(["mapinfo.lua"]) + b"\x00"
    packed_header = lzma2([header[i:i + 16 * MB] for i in range(0, len(header), 16 * MB)])
    encoded = b"\x17" + b"\x06" + number(len(packed_files)) + number(1) + b"\x09" + \
        number(len(packed_header)) + b"\x00"
    encoded += b"\x07\x0b" + number(1) + b"\x00" + number(1) + bytes([0x21, 0x21]) + number(1) + \
        bytes([CLAIMED_3GB]) + b"\x0c" + number(len(header)) + b"\x0a\x01" + \
        struct.pack("<I", zlib.crc32(header)) + b"\x00\x00"
    write_7z(path, packed_files + packed_header, encoded)


def texture_map(path, copy):
    """What a modern map looks like to 7-Zip: a texture that packs to about half, then the rest."""
    rng = random.Random(7)
    with tempfile.TemporaryDirectory() as staging:
        os.makedirs(os.path.join(staging, "maps"))
        with open(os.path.join(staging, "maps", "texture.dds"), "wb") as out:
            for _ in range(128):
                noise = rng.randbytes(MB // 2)
                out.write(b"".join(noise[i:i + 256] + bytes(256) for i in range(0, len(noise), 256)))
        with open(os.path.join(staging, "mapinfo.lua"), "wb") as out:
            out.write(mapinfo("Texture Map %d" % copy))
        with open(os.path.join(staging, "maps", "texture.smf"), "wb") as out:
            out.write(b"spring map file\0" + bytes(1024))
        subprocess.run(["7z", "a", "-bd", "-m0=LZMA2:d=192m", "-ms=on", "-mqs=on", path, "maps", "mapinfo.lua"],
                       cwd=staging, check=True, stdout=subprocess.DEVNULL)
    listing = subprocess.run(["7z", "l", "-slt", path], check=True, capture_output=True, text=True).stdout
    names = [line[7:] for line in listing.splitlines() if line.startswith("Path = ")][1:]
    if names.index("maps/texture.dds") > names.index("mapinfo.lua"):
        sys.exit("7-Zip put mapinfo.lua before the texture: %s" % names)


def main():
    root = os.path.abspath(sys.argv[1])
    for folder, make in (("header", header_map), ("zeros", zeros_map), ("texture", texture_map)):
        maps = os.path.join(root, folder, "maps")
        done = os.path.join(root, folder, ".made")
        if os.path.exists(done):
            continue
        shutil.rmtree(os.path.join(root, folder), ignore_errors=True)
        os.makedirs(maps)
        for copy in range(COPIES):
            make(os.path.join(maps, "%s_%d.sd7" % (folder, copy)), copy)
        open(done, "w").close()


if __name__ == "__main__":
    main()
