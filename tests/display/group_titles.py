#!/usr/bin/env python3
"""Checks a screenshot of the main window (a binary PPM on standard input):
every group box draws its title on the top line of its frame, and nothing
covers the title. Prints what it found; exit status 1 when a check fails.

A group box's top line is a long run of one colour with a light line below
it, broken near its left end by the gap that holds the title. In the gap
there must be text (dark pixels) and no control (no white background)."""
import sys


def read_ppm(data):
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b'#':
            pos = data.index(b'\n', pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    width, height = int(fields[1]), int(fields[2])
    pixels = data[pos + 1:pos + 1 + width * height * 3]
    return width, height, pixels


def main():
    width, height, pixels = read_ppm(sys.stdin.buffer.read())

    def px(x, y):
        i = (y * width + x) * 3
        return pixels[i], pixels[i + 1], pixels[i + 2]

    def luminance(c):
        return (c[0] * 299 + c[1] * 587 + c[2] * 114) // 1000

    found = []
    for y in range(8, height - 8):
        # Runs of one colour on this row.
        runs = []
        start = 0
        for x in range(1, width + 1):
            if x == width or px(x, y) != px(start, y):
                runs.append((start, x - start, px(start, y)))
                start = x
        for i, (x, length, colour) in enumerate(runs):
            if length < 300 or luminance(colour) > 200 or luminance(px(x + 10, y + 1)) <= luminance(colour):
                continue
            # The part left of the gap: a short run of the same colour.
            left = [r for r in runs[:i] if r[2] == colour and 2 <= r[1] <= 12 and x - (r[0] + r[1]) >= 15]
            if not left:
                continue
            gap_start = left[-1][0] + left[-1][1]
            gap_end = x
            title = [px(gx, gy) for gx in range(gap_start, gap_end) for gy in range(y - 6, y + 6)]
            dark = sum(1 for c in title if luminance(c) < 110)
            white = sum(1 for c in title if luminance(c) > 250)
            found.append((y, gap_start, gap_end, dark, white))
    ok = len(found) == 2
    for y, gap_start, gap_end, dark, white in found:
        print('group box top line at y=%d, title from x=%d to %d: %d dark, %d white pixels'
              % (y, gap_start, gap_end, dark, white))
        ok = ok and dark >= 20 and white == 0
    if len(found) != 2:
        print('expected the two group boxes of the main window, found %d' % len(found))
    return 0 if ok else 1


sys.exit(main())
