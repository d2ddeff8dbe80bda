"""The X server's own value of a pixel, from an xwd dump, by its masks.

  xwd_pixel.py DUMP X Y HEX SRGB
      "ok" when the picks printed as "#rrggbb" and as color(srgb ...) say that
      pixel (within 1 of 255, and of 0.0005), else what is wrong
"""
import re
import struct
import sys


def main(path, x, y, hex_text, srgb_text):
    data = open(path, "rb").read()
    header = struct.unpack(">25I", data[:100])
    (header_size, _version, _format, _depth, width, height, _xoffset, byte_order,
     _unit, _bit_order, _pad, bits_per_pixel, bytes_per_line, _class,
     red_mask, green_mask, blue_mask, _bits_per_rgb, _entries, ncolors) = header[:20]
    if not (0 <= x < width and 0 <= y < height):
        sys.exit(f"{x},{y} is off the {width}x{height} dump")
    start = header_size + ncolors * 12 + y * bytes_per_line + x * (bits_per_pixel // 8)
    raw = data[start:start + bits_per_pixel // 8]
    pixel = int.from_bytes(raw, "little" if byte_order == 0 else "big")

    def channel(mask):
        shift = (mask & -mask).bit_length() - 1
        return (pixel & mask) >> shift, mask >> shift

    units = [v / top for v, top in (channel(m) for m in (red_mask, green_mask, blue_mask))]
    hex_text, srgb_text = hex_text.strip(), srgb_text.strip()
    m = re.fullmatch(r"#([0-9a-fA-F]{6})", hex_text)
    hex_read = m and [int(m[1][i:i + 2], 16) / 255 for i in (0, 2, 4)]
    m = re.fullmatch(r"color\(srgb ([0-9.]+) ([0-9.]+) ([0-9.]+)\)", srgb_text)
    srgb_read = m and [float(v) for v in m.groups()]
    problems = ["%r against %s" % (text, [round(u, 4) for u in units])
                for text, read, room in ((hex_text, hex_read, 1 / 255), (srgb_text, srgb_read, 0.0005))
                if not read or any(abs(r - u) > room + 1e-9 for r, u in zip(read, units))]
    print("; ".join(problems) or "ok")


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4], sys.argv[5])
