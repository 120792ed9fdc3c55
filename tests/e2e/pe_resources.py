"""Reads one resource out of a Windows executable (PE32+ or PE32) by its numeric type and id.

The resource tree has three levels: type, id, language. Leaves hold the data's
virtual address, which is turned into a file offset through the section table.
"""

import struct

RESOURCE_DIRECTORY_INDEX = 2
NAMED_OR_SUBDIRECTORY = 0x80000000
OPTIONAL_HEADER_MAGIC = {0x10B: 96, 0x20B: 112}  # PE32 / PE32+: offset of the data directories


class PEError(ValueError):
    """The file is not a PE executable, or its resource tree is damaged."""


def _unpack(fmt, data, offset):
    if offset < 0 or offset + struct.calcsize(fmt) > len(data):
        raise PEError(f"structure at {offset:#x} runs past the end of the file")
    return struct.unpack_from(fmt, data, offset)


def _sections(data):
    if data[:2] != b"MZ":
        raise PEError("no MZ header")
    (pe_offset,) = _unpack("<I", data, 0x3C)
    if data[pe_offset:pe_offset + 4] != b"PE\0\0":
        raise PEError("no PE signature")
    section_count, optional_size = _unpack("<H12xH", data, pe_offset + 6)
    optional = pe_offset + 24
    (magic,) = _unpack("<H", data, optional)
    if magic not in OPTIONAL_HEADER_MAGIC:
        raise PEError(f"unknown optional header magic {magic:#x}")
    directory = optional + OPTIONAL_HEADER_MAGIC[magic] + 8 * RESOURCE_DIRECTORY_INDEX
    resource_rva, _ = _unpack("<II", data, directory)
    table = optional + optional_size
    sections = [_unpack("<8xIIII", data, table + 40 * i) for i in range(section_count)]
    return resource_rva, sections  # each: virtual size, virtual address, raw size, raw offset


def _file_offset(rva, sections):
    for virtual_size, address, raw_size, raw_offset in sections:
        if address <= rva < address + max(virtual_size, raw_size):
            return raw_offset + rva - address
    raise PEError(f"address {rva:#x} lies in no section")


def _child(data, directory, wanted_id):
    """The entry of a resource directory with the numeric id, or the first one when wanted_id is None."""
    named, numbered = _unpack("<12xHH", data, directory)
    for i in range(named + numbered):
        entry_id, target = _unpack("<II", data, directory + 16 + 8 * i)
        if entry_id & NAMED_OR_SUBDIRECTORY:
            continue
        if wanted_id is None or entry_id == wanted_id:
            return target
    return None


def read_resource(path, type_id, resource_id):
    """The bytes of the resource, or None when the executable has none of that type and id."""
    with open(path, "rb") as exe:
        data = exe.read()
    resource_rva, sections = _sections(data)
    if resource_rva == 0:
        return None
    root = _file_offset(resource_rva, sections)
    node = root
    for wanted in (type_id, resource_id, None):
        target = _child(data, node, wanted)
        if target is None:
            return None
        is_directory = bool(target & NAMED_OR_SUBDIRECTORY)
        if is_directory != (wanted is not None):
            raise PEError(f"resource tree has a {'directory' if is_directory else 'leaf'} at the wrong level")
        node = root + (target & ~NAMED_OR_SUBDIRECTORY)
    data_rva, size = _unpack("<II", data, node)
    start = _file_offset(data_rva, sections)
    if start + size > len(data):
        raise PEError("resource data runs past the end of the file")
    return data[start:start + size]
