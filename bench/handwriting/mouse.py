#!/usr/bin/env python3
"""Distorts the characters of drawings.txt as a mouse would draw them.

Each drawing is scaled and moved in the square, slightly skewed and turned;
every corner wobbles; the strokes are sampled as a mouse reports them (a
point every few pixels, with jitter). Sets:
  mouse    the drawings so distorted, cycling through the characters
  joined   as mouse, with two neighbouring strokes drawn as one (the button
           held: the line between them is drawn too)
  swapped  as mouse, with two neighbouring strokes drawn in the wrong order
Prints "<character>#<n><TAB><strokes>" lines, the format of dexaru2
handwriting with its ignored name prefix.

  mouse.py SET COUNT [SEED] < drawings.txt
"""
import math
import random
import sys


def read_drawings(lines):
    drawings = []
    for line in lines:
        line = line.rstrip("\n")
        if not line or line.startswith("#"):
            continue
        character, strokes = line.split("\t")
        drawing = [[tuple(float(v) for v in point.split(",")) for point in stroke.split()]
                   for stroke in strokes.split(";")]
        drawings.append((character, drawing))
    return drawings


def place(drawing, rng):
    """Scales, skews, turns and moves the whole character, wobbles corners."""
    scale = rng.uniform(0.55, 1.0)
    stretch = rng.uniform(0.88, 1.12)
    angle = math.radians(rng.uniform(-6, 6))
    shear = rng.uniform(-0.08, 0.08)
    size = 1000 * scale
    left = rng.uniform(0, 1000 - size)
    top = rng.uniform(0, 1000 - size)
    placed = []
    for stroke in drawing:
        new = []
        for x, y in stroke:
            x, y = x + rng.gauss(0, 18), y + rng.gauss(0, 18)
            cx, cy = x - 500, y - 500
            cx, cy = cx * math.cos(angle) - cy * math.sin(angle), cx * math.sin(angle) + cy * math.cos(angle)
            cx += shear * cy
            x = 500 + cx * stretch
            y = 500 + cy / stretch
            new.append((left + x * scale, top + y * scale))
        placed.append(new)
    return placed


def sampled(stroke, rng):
    """The points a mouse reports along a polyline: every few units, jittered."""
    if len(stroke) == 1:
        stroke = [stroke[0], (stroke[0][0] + 8, stroke[0][1] + 8)]
    points = []
    for (x0, y0), (x1, y1) in zip(stroke, stroke[1:]):
        length = math.hypot(x1 - x0, y1 - y0)
        step = rng.uniform(8, 25)
        count = max(1, int(length / step))
        for i in range(count):
            t = i / count
            points.append((x0 + (x1 - x0) * t, y0 + (y1 - y0) * t))
    points.append(stroke[-1])
    return [(min(1000, max(0, x + rng.gauss(0, 3))), min(1000, max(0, y + rng.gauss(0, 3)))) for x, y in points]


def fmt(strokes):
    return ";".join(" ".join("%d,%d" % (round(x), round(y)) for x, y in stroke) for stroke in strokes)


def main():
    which, count = sys.argv[1], int(sys.argv[2])
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 28)
    drawings = read_drawings(sys.stdin)
    if which != "mouse":
        drawings = [d for d in drawings if len(d[1]) >= 2]
    made = 0
    while made < count:
        character, drawing = drawings[made % len(drawings)]
        strokes = place(drawing, rng)
        if which == "swapped":
            i = rng.randrange(len(strokes) - 1)
            strokes[i], strokes[i + 1] = strokes[i + 1], strokes[i]
        if which == "joined":
            i = rng.randrange(len(strokes) - 1)
            strokes[i:i + 2] = [strokes[i] + strokes[i + 1]]
        made += 1
        print("%s#%d\t%s" % (character, made, fmt(sampled(s, rng) for s in strokes)))


main()
