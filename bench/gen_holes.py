#!/usr/bin/env python3
"""Writes a large drilling APT-CL file to standard output.

    gen_holes.py N

The file holds exactly N holes (GOTO records inside CYCLE records): rows of
50 holes, each row one cycle, taking turns at spot drilling, deep-hole
drilling in pecks of 3 mm and tapping, every tenth hole on a step 5 mm
lower (the cycle is given again there), a tool change every 5,000 holes.
The same argument always gives the same bytes.
"""

import sys

CYCLES = [
    "CYCLE/DRILL,FEDTO,3.0,RAPTO,2.0,RTRCTO,10.0,MMPM,120.0",
    "CYCLE/DEEP,DEPTH,20.0,STEP,3.0,RAPTO,2.0,RTRCTO,10.0,MMPM,150.0",
    "CYCLE/TAP,DEPTH,15.0,RAPTO,5.0,RTRCTO,10.0,MMPR,1.5,PULBAC,99",
]


def main(argv):
    n = int(argv[1])
    out = sys.stdout
    out.write("PARTNO/HOLES\nUNITS/MM\n")
    made = 0
    row = 0
    tool = 0
    while made < n:
        if made // 5000 >= tool:
            tool += 1
            out.write("LOADTL/%d,LENGTH,%d.0\nSPINDL/RPM,%d,CLW\n" % (tool, 60 + tool % 50, 800 + tool % 7 * 100))
            out.write("RAPID\nGOTO/0.0,%d.0,30.0\n" % (row * 4))
        out.write(CYCLES[row % 3] + "\n")
        for h in range(min(50, n - made)):
            z = -5.0 if h % 10 == 9 else 0.0
            out.write("GOTO/%d.0,%d.0,%.1f\n" % (h * 4, row * 4, z))
            made += 1
        out.write("CYCLE/OFF\n")
        row += 1
    out.write("RAPID\nGOTO/0.0,0.0,50.0\nEND\nFINI\n")


if __name__ == "__main__":
    main(sys.argv)
