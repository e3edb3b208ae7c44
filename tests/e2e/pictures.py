#!/usr/bin/env python3
"""Compares the pictures of a screenshot with the cells of the game folder's BMP files.

    pictures.py board DUMP SHOT LEFT TOP
        every square, edge block, face, the narrator and the two dice of the game window whose
        top-left corner stands at LEFT, TOP in SHOT, against the cell that DUMP (the JSON of
        kroda-headless `dump`) names for it, at the geometry DUMP gives
    pictures.py cell SHOT LEFT TOP WIDTH HEIGHT FILE ROWS COLS CELL
        one rectangle of SHOT against cell CELL of FILE cut into ROWS x COLS

Prints what it checked; exit status 1 when any pixel differs.
"""

import json
import subprocess
import sys


class Picture:
    def __init__(self, path):
        size = subprocess.run(["identify", "-format", "%w %h", path + "[0]"], check=True,
                              capture_output=True, text=True).stdout.split()
        self.width, self.height = int(size[0]), int(size[1])
        self.rgb = subprocess.run(["convert", path + "[0]", "-depth", "8", "rgb:-"], check=True,
                                  capture_output=True).stdout

    def row(self, x, y, width):
        at = 3 * (y * self.width + x)
        return self.rgb[at:at + 3 * width]


pictures = {}


def picture(path):
    if path not in pictures:
        pictures[path] = Picture(path)
    return pictures[path]


def differing(shot, x, y, strip, cx, cy, width, height):
    """How many pixels of the rectangle differ; a rectangle off either picture differs whole."""
    if (x < 0 or y < 0 or x + width > shot.width or y + height > shot.height or cx < 0 or
            cy < 0 or cx + width > strip.width or cy + height > strip.height):
        return width * height
    count = 0
    for line in range(height):
        a = shot.row(x, y + line, width)
        b = strip.row(cx, cy + line, width)
        if a != b:
            count += sum(1 for i in range(width) if a[3 * i:3 * i + 3] != b[3 * i:3 * i + 3])
    return count


def cell_origin(strip, rows, cols, cell):
    w, h = strip.width // cols, strip.height // rows
    return (cell % cols) * w, (cell // cols) * h, w, h


def board(dump_path, shot_path, left, top):
    with open(dump_path, encoding="utf-8") as f:
        text = f.read()
    state = json.loads(text[text.index("{"):])
    shot = picture(shot_path)

    def value(key):
        return state[key]

    def visible(name):
        return str(value(name + ".Visible")).lower() == "true"

    def rect(name):
        return (int(value(name + ".Left")), int(value(name + ".Top")),
                int(value(name + ".Width")), int(value(name + ".Height")))

    # The window paints its controls in this order; a picture is compared where nothing
    # painted after it covers it (the board's frame covers only its one-pixel outline).
    order = (["ImgTable(%d)" % i for i in range(40)] + ["ImgHead(%d)" % k for k in range(36)] +
             ["ImgBottom(%d)" % k for k in range(36)] +
             ["ImgCenter", "ShpCard(0)", "ShpCard(1)", "ShpTable", "ShpTaoPad", "ImgTao(0)",
              "ImgTao(1)", "ImgTao(2)", "LblKeyT(0)", "LblKeyT(1)", "LblKeyT(2)", "LblBDescript",
              "ImgIconT(1)", "ImgIconT(4)", "ImgIconT(5)"] + ["ShpMark(%d)" % i for i in range(4)] +
             ["ImgDescripter", "TxtDialog", "ShpLocation", "ImgLocation", "ImgBuilding",
              "TxtLocation", "LblOwner", "LblAct", "LblPrice"] +
             [c % p for p in range(4) for c in
              ("ShpPlayer(%d)", "ImgPlayer(%d)", "LblPName(%d)", "LblPMoney(%d)")])

    def covers(name):
        if name + ".Left" not in state or (name + ".Visible" in state and not visible(name)):
            return lambda px, py: False
        x, y, w, h = rect(name)
        if name == "ShpTable":
            return lambda px, py: ((px in (x, x + w - 1) and y <= py < y + h) or
                                   (py in (y, y + h - 1) and x <= px < x + w))
        return lambda px, py: x <= px < x + w and y <= py < y + h

    cover = [covers(name) for name in order]

    names = (["ImgTable(%d)" % i for i in range(40)] + ["ImgHead(%d)" % k for k in range(36)] +
             ["ImgBottom(%d)" % k for k in range(36)] + ["ImgPlayer(%d)" % p for p in range(4)] +
             ["ImgDescripter", "ImgTao(0)", "ImgTao(1)"])
    checked, faults = 0, []
    for name in names:
        strip_index = int(value(name + ".Strip"))
        if not visible(name) or strip_index < 0:
            continue
        x, y, w, h = rect(name)
        holder = "PicCSource(%d)" % strip_index
        strip = picture(value(holder + ".File"))
        rows, cols = int(value(holder + ".Rows")), int(value(holder + ".Cols"))
        cells = [int(value(name + ".Cell"))]
        if name.startswith("ImgTao") and str(value("AnimateTimer.Enabled")).lower() == "true":
            cells = list(range(6))  # the dice roll while they wait: any face will do
        later = cover[order.index(name) + 1:]
        best = None
        for c in cells:
            cx, cy, cw, ch = cell_origin(strip, rows, cols, c)
            if (cw, ch) != (w, h):
                break
            bad = 0
            for py in range(y, y + h):
                for px in range(x, x + w):
                    if any(cv(px, py) for cv in later):
                        continue
                    if (shot.row(left + px, top + py, 1) !=
                            strip.row(cx + px - x, cy + py - y, 1)):
                        bad += 1
            best = bad if best is None else min(best, bad)
        if best is None:
            faults.append("%s is %dx%d but its cell is %dx%d" % (name, w, h, cw, ch))
            continue
        bad = best
        checked += 1
        if bad:
            faults.append("%s: %d pixels differ from cell %s of %s" %
                          (name, bad, value(name + ".Cell"), value(holder + ".File")))
    for fault in faults:
        print("pictures:", fault)
    print("pictures: %d controls checked, %d differ" % (checked, len(faults)))
    return 1 if faults or checked == 0 else 0


def cell(shot_path, left, top, width, height, file, rows, cols, index):
    shot, strip = picture(shot_path), picture(file)
    cx, cy, cw, ch = cell_origin(strip, rows, cols, index)
    if (cw, ch) != (width, height):
        print("pictures: the rectangle is %dx%d but the cell is %dx%d" % (width, height, cw, ch))
        return 1
    bad = differing(shot, left, top, strip, cx, cy, width, height)
    print("pictures: cell %d of %s: %d pixels differ" % (index, file, bad))
    return 1 if bad else 0


def main(argv):
    if len(argv) == 6 and argv[1] == "board":
        return board(argv[2], argv[3], int(argv[4]), int(argv[5]))
    if len(argv) == 11 and argv[1] == "cell":
        n = [int(a) for a in argv[4:7]]
        return cell(argv[2], int(argv[3]), n[0], n[1], n[2], argv[7], int(argv[8]),
                    int(argv[9]), int(argv[10]))
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
