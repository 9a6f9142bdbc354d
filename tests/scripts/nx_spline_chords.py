#!/usr/bin/env python3
"""The straight moves nx_spline_mill writes for the NX splines of a CLSF
file must lie on the splines: every point of a chord within the
tolerance (plus the NC file's rounding) of the curve, and every chord end
on it.  The curves are evaluated here afresh from the CL file's NURBS/,
KNOT/ and CNTRL/ records (de Boor on the weighted points), and the
motions read from the NC program.

usage: nx_spline_chords.py CLFILE NCFILE [TOLERANCE]
"""
import math
import re
import sys


def splines(cl_path):
    """[(order, knots, [(x, y, z, w)])] in the order of the file."""
    out, cur = [], None
    for line in open(cl_path):
        line = line.strip()
        word, _, rest = line.partition('/')
        word = word.strip().upper()
        args = [a.strip() for a in rest.split(',')] if rest.strip() else []
        if word == 'NURBS':
            cur = {'order': 0, 'knots': [], 'points': []}
            out.append(cur)
            if len(args) >= 2:
                cur['order'] = int(args[1]) + (1 if args[0].upper() == 'DEGREE' else 0)
        elif word == 'KNOT' and cur is not None:
            cur['knots'] += [float(a) for a in args]
        elif word == 'CNTRL' and cur is not None:
            v = [float(a) for a in args]
            cur['points'].append(tuple(v[:3]) + (v[3] if len(v) > 3 else 1.0,))
        else:
            cur = None
    res = []
    for s in out:
        order = s['order'] or len(s['knots']) - len(s['points'])
        res.append((order, s['knots'], s['points']))
    return res


def evaluate(order, knots, points, u):
    p = order - 1
    k = p
    while k < len(points) - 1 and knots[k + 1] <= u:
        k += 1
    d = [[c * pt[3] for c in pt[:3]] + [pt[3]] for pt in points[k - p:k + 1]]
    for r in range(1, p + 1):
        for j in range(p, r - 1, -1):
            lo, hi = knots[j + k - p], knots[j + 1 + k - r]
            a = (u - lo) / (hi - lo) if hi > lo else 0.0
            d[j] = [(1 - a) * d[j - 1][i] + a * d[j][i] for i in range(4)]
    return tuple(c / d[p][3] for c in d[p][:3])


def motions(nc_path):
    pos, out = {'X': None, 'Y': None, 'Z': None}, []
    for line in open(nc_path):
        words = dict(re.findall(r'([XYZ])(-?[\d.]+)', line))
        if not words:
            continue
        for a, v in words.items():
            pos[a] = float(v)
        if None not in pos.values():
            out.append((pos['X'], pos['Y'], pos['Z']))
    return out


def seg_dist(q, a, b):
    ab = [b[i] - a[i] for i in range(3)]
    ll = sum(c * c for c in ab)
    s = 0.0 if ll == 0 else max(0.0, min(1.0, sum((q[i] - a[i]) * ab[i] for i in range(3)) / ll))
    return math.dist(q, [a[i] + s * ab[i] for i in range(3)])


def main():
    cl, nc = sys.argv[1], sys.argv[2]
    tol = float(sys.argv[3]) if len(sys.argv) > 3 else 0.001
    rounding = 0.0005 * math.sqrt(3)      # three decimals an axis
    moves = motions(nc)
    failures = 0
    for n, (order, knots, points) in enumerate(splines(cl), 1):
        lo, hi = knots[order - 1], knots[len(points)]
        start = evaluate(order, knots, points, lo)
        end = evaluate(order, knots, points, hi)
        # The chords run from the motion at the spline's start to the first
        # one at its end.
        i = next(i for i, m in enumerate(moves) if math.dist(m, start) <= rounding)
        j = next(j for j in range(i + 1, len(moves)) if math.dist(moves[j], end) <= rounding)
        chords = moves[i:j + 1]
        count = 4000
        params = [lo + (hi - lo) * t / count for t in range(count + 1)]
        samples = [evaluate(order, knots, points, u) for u in params]

        def to_curve(m):
            # The nearest sample, then the nearest parameter around it.
            t = min(range(count + 1), key=lambda t: math.dist(m, samples[t]))
            a_, b_ = params[max(t - 1, 0)], params[min(t + 1, count)]
            for _ in range(40):
                u1, u2 = a_ + (b_ - a_) / 3, b_ - (b_ - a_) / 3
                if math.dist(m, evaluate(order, knots, points, u1)) < math.dist(m, evaluate(order, knots, points, u2)):
                    b_ = u2
                else:
                    a_ = u1
            return math.dist(m, evaluate(order, knots, points, (a_ + b_) / 2))

        # Every point of the curve near a chord, every chord near the curve.
        worst_curve = max(min(seg_dist(q, a, b) for a, b in zip(chords, chords[1:])) for q in samples)
        worst_chord = max(to_curve([a[c] + (b[c] - a[c]) * t / 4 for c in range(3)])
                          for a, b in zip(chords, chords[1:]) for t in range(5))
        ok = worst_curve <= tol + rounding and worst_chord <= tol + rounding
        print('spline %d: %d chords, curve to chords %.5f, chords to curve %.5f: %s'
              % (n, len(chords) - 1, worst_curve, worst_chord, 'ok' if ok else 'TOO FAR'))
        failures += not ok
    sys.exit(1 if failures else 0)


main()
