#!/usr/bin/env python3
"""Compares two screenshots of one window (binary PPMs of the same size,
named on the command line) and prints the rectangle that holds every pixel
that differs, as "X Y WIDTH HEIGHT", or "none" when they are the same.
Exit status 2 when the pictures cannot be compared."""
import sys


def read_ppm(path):
    with open(path, 'rb') as f:
        data = f.read()
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
    if fields[0] != b'P6':
        raise ValueError(path + ': not a binary PPM')
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1:pos + 1 + width * height * 3]


def main():
    try:
        (w1, h1, a), (w2, h2, b) = read_ppm(sys.argv[1]), read_ppm(sys.argv[2])
    except (IndexError, OSError, ValueError) as error:
        print(error)
        return 2
    if (w1, h1) != (w2, h2):
        print('the pictures differ in size: %dx%d and %dx%d' % (w1, h1, w2, h2))
        return 2
    left, top, right, bottom = w1, h1, -1, -1
    row = w1 * 3
    for y in range(h1):
        line_a, line_b = a[y * row:(y + 1) * row], b[y * row:(y + 1) * row]
        if line_a == line_b:
            continue
        for x in range(w1):
            if line_a[x * 3:x * 3 + 3] != line_b[x * 3:x * 3 + 3]:
                left, right = min(left, x), max(right, x)
        top, bottom = min(top, y), y
    if right < 0:
        print('none')
    else:
        print(left, top, right - left + 1, bottom - top + 1)
    return 0


if __name__ == '__main__':
    sys.exit(main())
