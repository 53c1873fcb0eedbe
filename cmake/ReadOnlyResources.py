"""Clears the write flag of the .rsrc section of a PE file, in place, and mends its checksum.

GNU ld marks the resource section writable (IMAGE_SCN_MEM_WRITE), and neither ld nor
objcopy can change the flags of a linked image. The program only reads its resources.
"""
import struct
import sys

IMAGE_SCN_MEM_WRITE = 0x80000000



def pe_checksum(image, checksum_at):
    """The image checksum as the system computes it: the 16-bit words summed with their
    carries folded back in, the checksum field itself left out, plus the file's length."""
    data = bytes(image[:checksum_at]) + b"\0\0\0\0" + bytes(image[checksum_at + 4:])
    if len(data) % 2:
        data += b"\0"
    total = 0
    for (word,) in struct.iter_unpack("<H", data):
        total += word
        total = (total & 0xFFFF) + (total >> 16)
    return (total + len(image)) & 0xFFFFFFFF


path = sys.argv[1]
with open(path, "rb") as f:
    image = bytearray(f.read())
header = struct.unpack_from("<I", image, 0x3C)[0]
if image[header:header + 4] != b"PE\0\0":
    sys.exit(f"{path}: not a PE file")
sections = struct.unpack_from("<H", image, header + 6)[0]
table = header + 24 + struct.unpack_from("<H", image, header + 20)[0]
for entry in range(table, table + 40 * sections, 40):
    if image[entry:entry + 8].rstrip(b"\0") == b".rsrc":
        flags = struct.unpack_from("<I", image, entry + 36)[0]
        struct.pack_into("<I", image, entry + 36, flags & ~IMAGE_SCN_MEM_WRITE)
        # The linker's checksum covers the header just changed: it is computed again.
        checksum_at = header + 24 + 64
        if struct.unpack_from("<I", image, checksum_at)[0]:
            struct.pack_into("<I", image, checksum_at, pe_checksum(image, checksum_at))
        with open(path, "wb") as f:
            f.write(image)
        break
else:
    sys.exit(f"{path}: no .rsrc section")
