#!/usr/bin/env python3
"""Writes a large APT-CL file for a 3-axis mill to standard output.

    gen_cl.py N [seed]

The file holds exactly N GOTO records: pockets cut by a handful of tools,
each tool with its own PPRINT header, LOADTL, SPINDL, COOLNT and feeds;
every cutting pass starts with a RAPID approach, plunges, runs a contour of
straight moves and arcs (a CIRCLE record before the GOTO that ends the arc,
the start and end point both on the circle), changes the feed now and then
and retracts with a RAPID move.  The same N and seed always give the same
bytes.
"""

import math
import random
import sys

# Working box of the part, in millimetres.
X_MIN, X_MAX = 0.0, 200.0
Y_MIN, Y_MAX = 0.0, 150.0
SAFE_Z = 5.0

GOTOS_PER_TOOL = 5000      # a tool change every so many GOTO records
MOVES_PER_PASS = (40, 400)  # contour moves between a plunge and a retract
TOOLS = (1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12)


def num(v):
    """A coordinate as a CAM system writes it: four decimals, no -0."""
    text = "%.4f" % v
    return "0.0000" if text == "-0.0000" else text


class Writer:
    def __init__(self, out, limit):
        self.out = out
        self.limit = limit
        self.gotos = 0
        self.x = self.y = 0.0
        self.z = SAFE_Z

    def left(self):
        return self.limit - self.gotos

    def line(self, text):
        self.out.write(text)
        self.out.write("\n")

    def goto(self, x, y, z):
        # The position is kept as written, so that an arc's start point is
        # exactly the point the file gave.
        self.x, self.y, self.z = float(num(x)), float(num(y)), float(num(z))
        self.gotos += 1
        self.line("GOTO/%s,%s,%s" % (num(self.x), num(self.y), num(self.z)))


def inside(x, y):
    return X_MIN <= x <= X_MAX and Y_MIN <= y <= Y_MAX


def line_move(w, rnd, z):
    """A straight move of 1 to 12 mm, turned back into the box."""
    for _ in range(8):
        ang = rnd.uniform(0.0, 2.0 * math.pi)
        step = rnd.uniform(1.0, 12.0)
        x, y = w.x + step * math.cos(ang), w.y + step * math.sin(ang)
        if inside(x, y):
            w.goto(x, y, z)
            return
    w.goto((X_MIN + X_MAX) / 2, (Y_MIN + Y_MAX) / 2, z)


def arc_move(w, rnd, z):
    """A CIRCLE record and the GOTO that ends the arc; False if no arc fits."""
    for _ in range(8):
        rad_guess = rnd.uniform(2.0, 25.0)
        phi = rnd.uniform(0.0, 2.0 * math.pi)
        xc = float(num(w.x + rad_guess * math.cos(phi)))
        yc = float(num(w.y + rad_guess * math.sin(phi)))
        rad = math.hypot(w.x - xc, w.y - yc)
        if rad < 0.5:
            continue
        ccw = rnd.random() < 0.5
        sweep = math.radians(rnd.uniform(10.0, 300.0)) * (1 if ccw else -1)
        start = math.atan2(w.y - yc, w.x - xc)
        x, y = xc + rad * math.cos(start + sweep), yc + rad * math.sin(start + sweep)
        if not inside(x, y) or not inside(xc, yc):
            continue
        # The arc runs counter-clockwise about the circle axis: (0,0,1) is
        # counter-clockwise seen from above, (0,0,-1) clockwise.
        w.line("CIRCLE/%s,%s,%s,0.0000,0.0000,%s,%s" % (
            num(xc), num(yc), num(w.z), "1.0000" if ccw else "-1.0000", num(rad)))
        w.goto(x, y, z)
        return True
    return False


def cutting_pass(w, rnd, feed):
    """Approach, plunge, contour, retract: at least 3 GOTO records."""
    w.line("RAPID")
    w.goto(rnd.uniform(X_MIN + 20, X_MAX - 20), rnd.uniform(Y_MIN + 20, Y_MAX - 20), SAFE_Z)
    depth = -rnd.choice((1.0, 2.0, 2.5, 3.0, 4.0, 5.0))
    w.line("FEDRAT/MMPM,%s" % num(feed / 3))
    w.goto(w.x, w.y, depth)
    w.line("FEDRAT/MMPM,%s" % num(feed))
    moves = min(rnd.randint(*MOVES_PER_PASS), w.left() - 1)
    for _ in range(moves):
        r = rnd.random()
        if r < 0.02:
            feed = rnd.choice((200.0, 300.0, 450.0, 600.0, 800.0, 1200.0))
            w.line("FEDRAT/MMPM,%s" % num(feed))
        elif r < 0.025:
            w.line("PPRINT/'CONTOUR %d'" % w.gotos)
        if r < 0.3 and arc_move(w, rnd, depth):
            continue
        line_move(w, rnd, depth)
    w.line("RAPID")
    w.goto(w.x, w.y, SAFE_Z)
    return feed


def tool_block(w, rnd, index):
    tool = TOOLS[index % len(TOOLS)]
    diam = (3.0, 4.0, 6.0, 8.0, 10.0, 12.0, 16.0, 20.0)[tool % 8]
    rpm = rnd.choice((2400, 3000, 4500, 6000, 8000, 10000))
    feed = rnd.choice((200.0, 300.0, 450.0, 600.0, 800.0))
    w.line("PPRINT/'TOOL %d FLAT END MILL D%s'" % (tool, num(diam)))
    w.line("LOADTL/%d,LENGTH,%s" % (tool, num(40.0 + 5 * tool)))
    w.line("SPINDL/RPM,%d,CLW" % rpm)
    w.line("COOLNT/ON")
    budget_end = w.gotos + GOTOS_PER_TOOL
    while w.left() >= 3 and w.gotos < budget_end:
        feed = cutting_pass(w, rnd, feed)
    w.line("COOLNT/OFF")
    w.line("SPINDL/OFF")


def main(argv):
    if len(argv) < 2 or not argv[1].isdigit():
        sys.stderr.write("usage: gen_cl.py N [seed]   (N GOTO records)\n")
        return 2
    limit = int(argv[1])
    rnd = random.Random(int(argv[2]) if len(argv) > 2 else 1964)
    out = sys.stdout
    w = Writer(out, limit)
    w.line("PARTNO/BENCH%d" % limit)
    w.line("MACHIN/MILL,1")
    w.line("UNITS/MM")
    index = 0
    while w.left() >= 3:
        tool_block(w, rnd, index)
        index += 1
    while w.left() > 0:  # the last one or two records: a lift at the end
        w.goto(w.x, w.y, SAFE_Z + w.left())
    w.line("END")
    w.line("FINI")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
