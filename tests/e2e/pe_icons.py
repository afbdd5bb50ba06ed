#!/usr/bin/env python3
"""Lists the icon groups of a PE image: one line a picture of each group,
'GROUP WIDTHxHEIGHT BITS', read from the group's directory and checked
against the picture's own bitmap header. Exit status 1 when the file is no
PE image or a group names a picture that is not there."""
import struct
import sys

RT_ICON = 3
RT_GROUP_ICON = 14


def main(path):
    data = open(path, "rb").read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        sys.exit("not a PE image")
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    resource_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    table = optional + optional_size
    spans = [struct.unpack_from("<8xIIII", data, table + 40 * i) for i in range(sections)]

    def offset(rva):
        for size, address, raw_size, raw in spans:
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        sys.exit("address %#x is in no section" % rva)

    base = offset(resource_rva)

    def entries(directory):
        named, numbered = struct.unpack_from("<12xHH", data, base + directory)
        for i in range(named + numbered):
            key, target = struct.unpack_from("<II", data, base + directory + 16 + 8 * i)
            yield key, target

    def first_data(target):
        # Down the subdirectories to the first language's data.
        while target & 0x80000000:
            target = next(entries(target & 0x7FFFFFFF))[1]
        rva, size = struct.unpack_from("<II", data, base + target)
        return data[offset(rva):offset(rva) + size]

    by_type = {key: target for key, target in entries(0) if not key & 0x80000000}
    pictures = {}
    if RT_ICON in by_type:
        for key, target in entries(by_type[RT_ICON] & 0x7FFFFFFF):
            pictures[key] = first_data(target)
    if RT_GROUP_ICON not in by_type:
        return
    for group, target in entries(by_type[RT_GROUP_ICON] & 0x7FFFFFFF):
        directory = first_data(target)
        count = struct.unpack_from("<4xH", directory)[0]
        for i in range(count):
            width, height, _, _, _, bits, _, picture = struct.unpack_from(
                "<BBBBHHIH", directory, 6 + 14 * i)
            if picture not in pictures:
                sys.exit("group %d names picture %d, which is missing" % (group, picture))
            # The picture's own header: its height counts the mask too.
            own_width, own_height, _, own_bits = struct.unpack_from("<4xiiHH", pictures[picture])
            if (own_width, own_height // 2, own_bits) != (width or 256, height or 256, bits):
                sys.exit("group %d picture %d: its header says %dx%d %d-bit" %
                         (group, picture, own_width, own_height // 2, own_bits))
            print("%d %dx%d %d" % (group, width, height, bits))


if __name__ == "__main__":
    main(sys.argv[1])
