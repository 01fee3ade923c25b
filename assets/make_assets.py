#!/usr/bin/env python3
"""Makes Kelvane's 52 compiled-in images and the program's own icon.

Run by hand after changing the table below; the normal build never runs it and
uses the committed files in images/. Needs Python 3 (standard library only),
rsvg-convert, ImageMagick's `convert` and `montage` (contact sheets), and the
Fluent System Icons (npm package @fluentui/svg-icons, MIT licence) installed
somewhere outside the source tree:

    mkdir -p /tmp/fluent && (cd /tmp/fluent && npm install @fluentui/svg-icons)
    python3 assets/make_assets.py --icons /tmp/fluent/node_modules/@fluentui/svg-icons/icons
    python3 assets/make_assets.py --sheet /tmp/sheet.png   # contact sheet to look at

Each glyph is drawn in two tones, the filled shape in a light tint with the
outline of the regular shape over it in a middle shade of the same hue: the
light tint carries the glyph on the dark surfaces of the program, the outline
carries it on light menus and on the tool buttons' grey gradient, and glyphs
made of lines only (power, arrows) are in the middle shade, which reads on both.
"""

import argparse
import os
import re
import struct
import subprocess
import sys
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_ICONS = "/tmp/fluent/node_modules/@fluentui/svg-icons/icons"

# Tones: (light tint of the shape, middle shade of its outline).
TONES = {
    "slate":  ("#E1E8F2", "#7489AA"),
    "blue":   ("#B5DAFF", "#3D8BE0"),
    "gold":   ("#FFDD85", "#D4922A"),
    "red":    ("#FFB3AE", "#E0524C"),
    "green":  ("#A9EBC0", "#2FA563"),
    "violet": ("#D7CAFF", "#8466E6"),
    "teal":   ("#9DEAE4", "#22A39B"),
}

# Formats of the image set; the program checks them when it loads an image.
ICO16, PNG16, PNG32, PNG140X316, ICO24 = "Ico16", "Png16", "Png32", "Png140x316", "Ico24"


def image_format(number):
    if number in (22, 28):
        return PNG16
    if number in (30, 31):
        return PNG32
    if number == 46:
        return PNG140X316
    if 48 <= number <= 51:
        return ICO24
    return ICO16


# number: (role, Fluent icon name or a drawing of our own starting with "@", tone)
IMAGES = {
    0:  ("tool bar: add a favourite (opens the add menu)", "star_add", "gold"),
    1:  ("tool bar and tray menu: quit", "power", "red"),
    2:  ("tool bar: help", "question_circle", "blue"),
    3:  ("Internet tab, add-link entry, tray entry, option button, about site link", "globe", "blue"),
    4:  ("tool bar: about; about read-me link", "info", "blue"),
    5:  ("Applications tab, add-application entry, tray entry, option button", "apps", "violet"),
    6:  ("remove / delete entries (menus, history and explorer buttons)", "delete", "red"),
    7:  ("Files tab, tray entry, option button", "folder_document", "gold"),
    8:  ("History tab, tray entry, option button", "history", "teal"),
    9:  ("tray menu: show the window", "window_new", "blue"),
    10: ("tray icon (the program's mark)", "@mark", None),
    11: ("tool bar: search the shown list", "search", "slate"),
    12: ("tool bar: save the lists", "save", "blue"),
    13: ("tool bar: pin the window on top", "pin", "red"),
    14: ("tool bar: preferences", "settings", "slate"),
    15: ("menus: open", "open", "blue"),
    16: ("row image of every web link", "link", "blue"),
    17: ("status bars: the program's small mark", "star", "gold"),
    18: ("explorer: choose a folder to show", "folder_open", "gold"),
    19: ("spare (not shown by the program)", "document", "slate"),
    20: ("menus: rename", "rename", "slate"),
    21: ("menus and buttons: properties", "document_bullet_list", "slate"),
    22: ("history: delete all recent links", "history_dismiss", "red"),
    23: ("tool bar: delete all lists", "delete_dismiss", "red"),
    24: ("tool bar backup menu, create a backup", "archive", "green"),
    25: ("backup menu: restore the backup", "archive_arrow_back", "blue"),
    26: ("Explorer tab, tray entry, option button", "folder_search", "gold"),
    27: ("explorer: send to the recycle bin", "recycle", "green"),
    28: ("history and explorer: reload", "arrow_clockwise", "blue"),
    29: ("history and explorer: view options menu", "content_view_gallery", "blue"),
    30: ("banner of the about and preferences windows: the program's mark", "@mark", None),
    31: ("banner: the maker's mark beside its name", "premium", "slate"),
    32: ("explorer: move to a folder", "folder_arrow_right", "gold"),
    33: ("explorer: new folder", "folder_add", "gold"),
    34: ("add menu: add a file", "document_add", "slate"),
    35: ("add menu: add a folder", "folder_add", "gold"),
    36: ("history: details of the recent folder", "document_bullet_list_clock", "teal"),
    37: ("explorer: copy to a folder", "copy_arrow_right", "slate"),
    38: ("explorer: copy to the file clipboard", "copy", "slate"),
    39: ("explorer: paste the file clipboard", "clipboard_paste", "slate"),
    40: ("explorer: empty the file clipboard", "clipboard_off", "red"),
    41: ("backup menu: remove the backup", "archive", "red"),
    42: ("history: purge links older than the date", "calendar_cancel", "red"),
    43: ("history: new link to a file", "link_add", "blue"),
    44: ("explorer: view the file clipboard", "clipboard_bullet_list_ltr", "slate"),
    45: ("tool bar: search the PC", "document_search", "slate"),
    46: ("about window: illustration picture", "@illustration", None),
    47: ("Desktop tab, tray entry, option button", "desktop", "blue"),
    48: ("view menu: large icons", "grid", "slate"),
    49: ("view menu: small icons", "grid_dots", "slate"),
    50: ("view menu: list", "text_bullet_list_ltr", "slate"),
    51: ("view menu: details", "apps_list_detail", "slate"),
}


# ---------------------------------------------------------------- rendering

def run(args, data=None):
    return subprocess.run(args, input=data, stdout=subprocess.PIPE, check=True).stdout


def render_svg(svg, width, height):
    """Rasterises an SVG text; returns straight RGBA bytes, top-down."""
    png = run(["rsvg-convert", "-w", str(width), "-h", str(height), "-f", "png"], svg.encode())
    rgba = run(["convert", "png:-", "-depth", "8", "rgba:-"], png)
    if len(rgba) != width * height * 4:
        sys.exit("unexpected raster size from convert")
    return rgba


class Icons:
    def __init__(self, folder):
        self.folder = folder

    def path(self, name, size, style):
        return os.path.join(self.folder, "%s_%d_%s.svg" % (name, size, style))

    def design_size(self, name, pixels):
        """The drawn size to use for a target size: the same size when it exists
        in both styles (crisp), else the nearest larger, else the largest."""
        sizes = [s for s in (10, 12, 16, 20, 24, 28, 32, 48)
                 if os.path.exists(self.path(name, s, "filled"))
                 and os.path.exists(self.path(name, s, "regular"))]
        if not sizes:
            sys.exit("no Fluent icon named %r in %s" % (name, self.folder))
        larger = [s for s in sizes if s >= pixels]
        return min(larger) if larger else max(sizes)

    def body(self, name, size, style):
        with open(self.path(name, size, style), encoding="utf-8") as f:
            text = f.read()
        m = re.match(r"\s*<svg[^>]*>(.*)</svg>\s*$", text, re.S)
        if not m:
            sys.exit("unexpected SVG layout in %s" % self.path(name, size, style))
        return m.group(1)

    def two_tone(self, name, tone, box=None):
        """SVG group of the glyph in two tones, in the icon's design units.
        Returns (design size, group text)."""
        fill, line = TONES[tone]
        size = self.design_size(name, box or 16)
        group = '<g fill="%s">%s</g><g fill="%s">%s</g>' % (
            fill, self.body(name, size, "filled"), line, self.body(name, size, "regular"))
        return size, group

    def glyph(self, name, tone, pixels):
        size, group = self.two_tone(name, tone, pixels)
        svg = ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" '
               'viewBox="0 0 %d %d">%s</svg>' % (pixels, pixels, size, size, group))
        return render_svg(svg, pixels, pixels)

    def star_path(self):
        return self.body("star", 48, "filled")


def mark_svg(icons, pixels):
    """The program's mark: a gold star on a blue rounded tile."""
    star = icons.star_path()
    return (
        '<svg xmlns="http://www.w3.org/2000/svg" width="{p}" height="{p}" viewBox="0 0 48 48">'
        '<defs>'
        '<linearGradient id="tile" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="#3D7BE0"/><stop offset="1" stop-color="#1C3C8C"/></linearGradient>'
        '<linearGradient id="star" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="#FFE27A"/><stop offset="1" stop-color="#F5A623"/></linearGradient>'
        '</defs>'
        '<rect x="2" y="2" width="44" height="44" rx="10" fill="url(#tile)"/>'
        '<rect x="2.75" y="2.75" width="42.5" height="42.5" rx="9.3" fill="none" stroke="#0E1F4D" stroke-opacity="0.55" stroke-width="1.5"/>'
        '<g transform="translate(24 24.6) scale(0.86) translate(-24 -24)">'
        '<g fill="#8A5A00">{star}</g></g>'
        '<g transform="translate(24 24) scale(0.82) translate(-24 -24)">'
        '<g fill="url(#star)">{star}</g></g>'
        '</svg>').format(p=pixels, star=star)


def illustration_svg(icons):
    """The about window's picture: a bookmark ribbon hanging in a night-blue
    panel, carrying the large star of the program's mark, with a few small
    stars around it."""
    star = icons.star_path()
    small = []
    for x, y, s, o in ((16, 30, 0.2, 0.5), (124, 52, 0.16, 0.45), (18, 262, 0.15, 0.4),
                       (120, 292, 0.2, 0.5), (126, 188, 0.12, 0.35), (42, 300, 0.1, 0.3),
                       (14, 160, 0.11, 0.3), (96, 270, 0.09, 0.3)):
        small.append('<g transform="translate(%g %g) scale(%g) translate(-24 -24)" '
                     'fill="#CFE3FF" fill-opacity="%g">%s</g>' % (x, y, s, o, star))
    return (
        '<svg xmlns="http://www.w3.org/2000/svg" width="140" height="316" viewBox="0 0 140 316">'
        '<defs>'
        '<linearGradient id="bg" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="#0A0F1E"/><stop offset="0.6" stop-color="#121D38"/>'
        '<stop offset="1" stop-color="#1B2F5A"/></linearGradient>'
        '<linearGradient id="ribbon" x1="0" y1="0" x2="1" y2="0">'
        '<stop offset="0" stop-color="#2A5BBE"/><stop offset="0.45" stop-color="#3D7BE0"/>'
        '<stop offset="1" stop-color="#1F468F"/></linearGradient>'
        '<linearGradient id="fade" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="#0A0F1E" stop-opacity="0.55"/>'
        '<stop offset="0.12" stop-color="#0A0F1E" stop-opacity="0"/></linearGradient>'
        '<radialGradient id="glow" cx="0.5" cy="0.5" r="0.5">'
        '<stop offset="0" stop-color="#FFD45C" stop-opacity="0.5"/>'
        '<stop offset="1" stop-color="#FFD45C" stop-opacity="0"/></radialGradient>'
        '<linearGradient id="star" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="#FFE889"/><stop offset="1" stop-color="#F5A623"/></linearGradient>'
        '</defs>'
        '<rect width="140" height="316" fill="url(#bg)"/>'
        '<path d="M30 0H110V236Q110 244 103 239L70 214L37 239Q30 244 30 236Z" fill="#050810" '
        'fill-opacity="0.5" transform="translate(3 4)"/>'
        '<path d="M30 0H110V236Q110 244 103 239L70 214L37 239Q30 244 30 236Z" fill="url(#ribbon)"/>'
        '<path d="M36 0V232" stroke="#8CB8FF" stroke-opacity="0.35" stroke-width="1.5"/>'
        '<path d="M104 0V232" stroke="#0E2250" stroke-opacity="0.45" stroke-width="1.5"/>'
        '<rect x="30" y="0" width="80" height="60" fill="url(#fade)"/>'
        '<circle cx="70" cy="118" r="64" fill="url(#glow)"/>'
        '<g transform="translate(71 122) scale(2.2) translate(-24 -24)" fill="#4A2E00" fill-opacity="0.55">{star}</g>'
        '<g transform="translate(70 119) scale(2.15) translate(-24 -24)" fill="url(#star)">{star}</g>'
        '{small}'
        '</svg>').format(star=star, small="".join(small))


# ---------------------------------------------------------------- file writers

def png_bytes(width, height, rgba):
    """A PNG (RGBA, 8 bits) of straight top-down RGBA pixels; no time stamps,
    so a regeneration gives the same bytes."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    stride = width * 4
    raw = b"".join(b"\x00" + rgba[y * stride:(y + 1) * stride] for y in range(height))
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def dib_bytes(size, rgba):
    """A 32-bit icon image: BITMAPINFOHEADER (height doubled for the mask), BGRA
    rows bottom-up, then the AND mask (rows padded to 32 bits)."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         0, 0, 0, 0, 0)
    stride = size * 4
    xor = bytearray()
    for y in reversed(range(size)):
        row = rgba[y * stride:(y + 1) * stride]
        for x in range(size):
            r, g, b, a = row[x * 4:x * 4 + 4]
            xor += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        bits = bytearray(mask_stride)
        for x in range(size):
            if rgba[(y * size + x) * 4 + 3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(xor) + bytes(mask)


def ico_bytes(images):
    """An .ico of (size, rgba) entries, in the given order; sizes of 256 are
    stored PNG-compressed as Windows does for its large icons."""
    blobs = [png_bytes(s, s, px) if s >= 256 else dib_bytes(s, px) for s, px in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, _), blob in zip(images, blobs):
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


# ---------------------------------------------------------------- the image set

def file_name(number):
    ext = "png" if image_format(number).startswith("Png") else "ico"
    return "img%02d.%s" % (number, ext)


def make_image(icons, number):
    role, name, tone = IMAGES[number]
    fmt = image_format(number)
    if name == "@mark":
        px = 32 if fmt == PNG32 else 16
        pixels = {px: render_svg(mark_svg(icons, px), px, px)}
    elif name == "@illustration":
        return png_bytes(140, 316, render_svg(illustration_svg(icons), 140, 316))
    else:
        sizes = {ICO16: [16], PNG16: [16], PNG32: [32], ICO24: [24, 16]}[fmt]
        pixels = {s: icons.glyph(name, tone, s) for s in sizes}
    if fmt == ICO16:
        return ico_bytes([(16, pixels[16])])
    if fmt == ICO24:
        return ico_bytes([(24, pixels[24]), (16, pixels[16])])
    size = 16 if fmt == PNG16 else 32
    return png_bytes(size, size, pixels[size])


def expected_size(number):
    return 1150 if image_format(number) == ICO16 else None


def write_all(icons, out_dir):
    os.makedirs(out_dir, exist_ok=True)
    for number in sorted(IMAGES):
        data = make_image(icons, number)
        want = expected_size(number)
        if want is not None and len(data) != want:
            sys.exit("image %d: %d bytes, expected %d" % (number, len(data), want))
        with open(os.path.join(out_dir, file_name(number)), "wb") as f:
            f.write(data)
    app = [(s, render_svg(mark_svg(icons, s), s, s)) for s in (16, 24, 32, 48, 256)]
    with open(os.path.join(out_dir, "kelvane.ico"), "wb") as f:
        f.write(ico_bytes(app))


def write_resource_script(path):
    lines = ["// The program's 52 compiled-in images, resource id 1000 + image number.",
             "// Generated by make_assets.py; paths are relative to assets/."]
    for number in sorted(IMAGES):
        lines.append('%d RCDATA "images/%s"' % (1000 + number, file_name(number)))
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def contact_sheet(out_dir, sheet):
    """Every image enlarged four times, on the program's dark surfaces and on a
    light menu background, one numbered tile each."""
    with tempfile.TemporaryDirectory() as tmp:
        rows = []
        for bg in ("#06080F", "#282C34", "#F2F2F2"):
            args = ["montage", "-pointsize", "14", "-fill", "#8090A0", "-background", bg,
                    "-geometry", "+6+6", "-tile", "13x"]
            for number in sorted(IMAGES):
                if number == 46:
                    continue
                src = os.path.join(out_dir, file_name(number))
                if src.endswith(".ico"):
                    src += "[0]"
                tile = os.path.join(tmp, "%s-%02d.png" % (bg[1:], number))
                run(["convert", src, "-filter", "point", "-resize", "400%",
                     "-background", bg, "-gravity", "center", "-extent", "128x128", tile])
                args += ["-label", "%d" % number, tile]
            row = os.path.join(tmp, "row-%s.png" % bg[1:])
            run(args + [row])
            picture = os.path.join(tmp, "pic-%s.png" % bg[1:])
            run(["convert", os.path.join(out_dir, file_name(46)), "-background", bg,
                 "-gravity", "center", "-extent", "160x%d" % 316, picture])
            run(["convert", row, picture, "-gravity", "center", "-background", bg,
                 "+append", row])
            rows.append(row)
        run(["convert"] + rows + ["-append", "+repage", "-depth", "8", sheet])


def candidate_sheet(icons, names, sheet):
    """Candidate glyphs in every tone at 16 pixels (enlarged four times), on dark
    and light, to choose from when changing the table."""
    with tempfile.TemporaryDirectory() as tmp:
        rows = []
        for bg in ("#06080F", "#F2F2F2"):
            args = ["montage", "-pointsize", "12", "-fill", "#8090A0", "-background", bg,
                    "-geometry", "+4+4", "-tile", "%dx" % len(TONES)]
            for name in names:
                for tone in TONES:
                    raw = os.path.join(tmp, "raw.rgba")
                    with open(raw, "wb") as f:
                        f.write(icons.glyph(name, tone, 16))
                    tile = os.path.join(tmp, "%s-%s-%s.png" % (bg[1:], name, tone))
                    run(["convert", "-size", "16x16", "-depth", "8", "rgba:" + raw,
                         "-filter", "point", "-resize", "400%", "-background", bg,
                         "-flatten", tile])
                    args += ["-label", name[:16], tile]
            row = os.path.join(tmp, "row-%s.png" % bg[1:])
            run(args + [row])
            rows.append(row)
        run(["convert"] + rows + ["+append", "+repage", "-depth", "8", sheet])


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--icons", default=os.environ.get("FLUENT_ICONS", DEFAULT_ICONS),
                        help="folder of the Fluent SVG icons (…/@fluentui/svg-icons/icons)")
    parser.add_argument("--out", default=os.path.join(HERE, "images"))
    parser.add_argument("--sheet", help="only write a contact sheet of the images to this PNG")
    parser.add_argument("--try", dest="candidates", metavar="NAME,NAME",
                        help="only write a sheet of these Fluent icons in every tone to --sheet")
    args = parser.parse_args()
    if args.candidates:
        candidate_sheet(Icons(args.icons), args.candidates.split(","), args.sheet or "candidates.png")
        return
    if args.sheet:
        contact_sheet(args.out, args.sheet)
        return
    if not os.path.isdir(args.icons):
        sys.exit("Fluent icons not found in %s (see the header of this script)" % args.icons)
    write_all(Icons(args.icons), args.out)
    write_resource_script(os.path.join(HERE, "images.rc"))


if __name__ == "__main__":
    main()
