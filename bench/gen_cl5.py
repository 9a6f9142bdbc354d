#!/usr/bin/env python3
"""Writes a large 5-axis APT-CL file to standard output.

    gen_cl5.py N long|short [seed]

The file holds exactly N GOTO records, each with a tool axis, for a mill
with a rotary table: the tool sweeps a surface while its axis leans 10 to
60 degrees from Z and turns about Z by up to a degree a move, so the rotary
axis turns on and on.  "long": one rapid approach, then a single feed
stretch of N - 2 moves to the end; "short": stretches of 20 to 60 feed
moves, each between two rapid moves.  The same arguments always give the
same bytes.
"""

import math
import random
import sys


def num(v):
    text = "%.4f" % v
    return "0.0000" if text == "-0.0000" else text


def axis(rot, tilt):
    r, t = math.radians(rot), math.radians(tilt)
    return "%.7f,%.7f,%.7f" % (math.sin(t) * math.cos(r), math.sin(t) * math.sin(r), math.cos(t))


def main(argv):
    if len(argv) < 3 or not argv[1].isdigit() or argv[2] not in ("long", "short"):
        sys.stderr.write("usage: gen_cl5.py N long|short [seed]   (N GOTO records)\n")
        return 2
    limit = int(argv[1])
    long_stretch = argv[2] == "long"
    rnd = random.Random(int(argv[3]) if len(argv) > 3 else 1964)
    out = sys.stdout
    out.write("PARTNO/BENCH5AX%d\nUNITS/MM\nLOADTL/1,LENGTH,80.0000\nSPINDL/RPM,8000,CLW\n"
              "COOLNT/ON\n" % limit)
    gotos = 0
    rot, tilt = 0.0, 30.0
    x, y, z = 0.0, 0.0, 0.0

    def goto():
        nonlocal gotos
        gotos += 1
        out.write("GOTO/%s,%s,%s,%s\n" % (num(x), num(y), num(z), axis(rot, tilt)))

    while gotos < limit:
        out.write("RAPID\n")
        z = 20.0
        goto()
        if gotos >= limit:
            break
        out.write("FEDRAT/MMPM,%s\n" % num(rnd.choice((300.0, 500.0, 800.0))))
        moves = limit - gotos if long_stretch else min(rnd.randint(20, 60), limit - gotos)
        for _ in range(moves):
            rot += rnd.uniform(0.0, 1.0)
            tilt = min(60.0, max(10.0, tilt + rnd.uniform(-0.5, 0.5)))
            x = 80.0 * math.cos(math.radians(rot)) + rnd.uniform(-0.05, 0.05)
            y = 80.0 * math.sin(math.radians(rot)) + rnd.uniform(-0.05, 0.05)
            z = -5.0 + 2.0 * math.sin(math.radians(rot * 3))
            goto()
    out.write("END\nFINI\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
