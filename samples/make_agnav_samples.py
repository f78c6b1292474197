#!/usr/bin/env python3
"""Writes the sample AG-NAV block FIELD17 from the file formats alone.

    python3 samples/make_agnav_samples.py

Output, in samples/agnav/ (UTM zone 17 north, WGS-84):
  FIELD17.no1   block boundary file: six corners, job records
  FIELD17.xyz   guidance-line file: 60 north-south lines, 30 m swath, half-swath offset
  FIELD17.xcl   exclusion-zone file: a pond and a farmyard inside the field
  FIELD17/      the job's spray-data folder with three flight logs:
    N0612A01.T01  lines 1-20, flow data against a target of 100
    N0612A02.T01  lines 21-40, flow data, one stretch over-applied
    N0613A01.T01  lines 41-60, no flow data (the program asks for the
                  calibrated speed)

The aircraft flies the guidance lines in turn at about 50 m/s, two samples a
second, with a teardrop turn at each end; its booms are on inside the field
and off over the exclusion zones. Everything is reproducible: the noise
comes from a seeded generator.
"""
import math
import os
import random
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "agnav")

ZONE = 17
CENTRAL_MERIDIAN = ZONE * 6 - 183  # degrees east
A = 6378137.0  # WGS-84 semi-major axis, metres
INV_F = 298.257223563
K0 = 0.9996

# Clockwise with north up: west edge north, across the top, down the east side.
BOUNDARY = [
    (500600.0, 4800700.0),
    (500600.0, 4802300.0),
    (501800.0, 4802400.0),
    (502400.0, 4801900.0),
    (502400.0, 4800800.0),
    (501500.0, 4800600.0),
]

EXCLUSION_ZONES = [
    # A pond, clockwise.
    [(501150.0, 4801400.0), (501120.0, 4801520.0), (501230.0, 4801610.0), (501340.0, 4801540.0),
     (501310.0, 4801410.0)],
    # The farmyard, clockwise.
    [(501950.0, 4801050.0), (501950.0, 4801250.0), (502150.0, 4801250.0), (502150.0, 4801050.0)],
]

SWATH = 30  # metres
LINE_COUNT = 60
FIRST_LINE_X = BOUNDARY[0][0] + SWATH / 2  # half-swath offset from the west edge


def crlf(lines):
    return "".join(line + "\r\n" for line in lines).encode("ascii")


def write(name, data):
    path = os.path.join(OUT, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


# ---------------------------------------------------------------- geometry

def utm_to_geographic(easting, northing):
    """Inverse transverse Mercator, northern hemisphere (Snyder, Map
    Projections - A Working Manual, USGS 1987, eqs. 8-18 to 8-25); well within
    a millimetre inside the zone."""
    f = 1.0 / INV_F
    e2 = f * (2 - f)
    ep2 = e2 / (1 - e2)
    x = easting - 500000.0
    m = northing / K0
    mu = m / (A * (1 - e2 / 4 - 3 * e2 ** 2 / 64 - 5 * e2 ** 3 / 256))
    e1 = (1 - math.sqrt(1 - e2)) / (1 + math.sqrt(1 - e2))
    phi1 = (mu + (3 * e1 / 2 - 27 * e1 ** 3 / 32) * math.sin(2 * mu)
            + (21 * e1 ** 2 / 16 - 55 * e1 ** 4 / 32) * math.sin(4 * mu)
            + (151 * e1 ** 3 / 96) * math.sin(6 * mu) + (1097 * e1 ** 4 / 512) * math.sin(8 * mu))
    c1 = ep2 * math.cos(phi1) ** 2
    t1 = math.tan(phi1) ** 2
    n1 = A / math.sqrt(1 - e2 * math.sin(phi1) ** 2)
    r1 = A * (1 - e2) / (1 - e2 * math.sin(phi1) ** 2) ** 1.5
    d = x / (n1 * K0)
    lat = phi1 - (n1 * math.tan(phi1) / r1) * (
        d ** 2 / 2 - (5 + 3 * t1 + 10 * c1 - 4 * c1 ** 2 - 9 * ep2) * d ** 4 / 24
        + (61 + 90 * t1 + 298 * c1 + 45 * t1 ** 2 - 252 * ep2 - 3 * c1 ** 2) * d ** 6 / 720)
    lon = (d - (1 + 2 * t1 + c1) * d ** 3 / 6
           + (5 - 2 * c1 + 28 * t1 - 3 * c1 ** 2 + 8 * ep2 + 24 * t1 ** 2) * d ** 5 / 120) / math.cos(phi1)
    return math.degrees(lat), CENTRAL_MERIDIAN + math.degrees(lon)


def vertical_crossings(polygon, x):
    """Northings where the line x = const crosses the polygon's edges."""
    ys = []
    for (x1, y1), (x2, y2) in zip(polygon, polygon[1:] + polygon[:1]):
        if (x1 <= x < x2) or (x2 <= x < x1):
            ys.append(y1 + (x - x1) * (y2 - y1) / (x2 - x1))
    return sorted(ys)


def inside(polygon, x, y):
    crossings = vertical_crossings(polygon, x)
    return any(a <= y <= b for a, b in zip(crossings[0::2], crossings[1::2]))


def guidance_lines():
    lines = []
    for k in range(LINE_COUNT):
        x = FIRST_LINE_X + k * SWATH
        ys = vertical_crossings(BOUNDARY, x)
        lines.append(((x, ys[0]), (x, ys[-1])))
    return lines


# ---------------------------------------------------------------- boundary file

def place(line, column, text):
    """Puts text at a 1-based column, blanks before it, never touching."""
    assert len(line) < column - 1 or not line, (line, column, text)
    return line + " " * (column - 1 - len(line)) + text


def ending_before(line, column, text):
    return place(line, column - len(text), text)


def boundary_file():
    lines = [place("0", 4, "FIELD 17 NORTH"),
             place(place("1", 4, "U"), 7, str(ZONE * 6 + 177 - (360 if ZONE * 6 + 177 > 360 else 0)))]
    for i, (x, y) in enumerate(BOUNDARY, 1):
        lines.append(place(place("2", 5, "%.1f   %.1f" % (x, y)), 33, "AREA CORNER") + " %d " % i)
    lines.append(place(ending_before("4", 15, str(LINE_COUNT)), 33, "NUMBER OF LINES"))
    lines.append(place(ending_before("8", 15, "100"), 33, "MAX CROSS TRACK"))
    lines.append(place(place(place(place("9", 8, "0"), 14, "0"), 20, "0"), 33, "DELTA X/Y/Z"))
    lines.append("11 0.9996000000       0.0       0.0 K0, X/Y SHIFT")
    master = "%.1f" % BOUNDARY[0][0], "%.1f" % BOUNDARY[0][1]
    line = ending_before(ending_before(ending_before("17", 14, master[0]), 25, master[1]), 32, "0.00")
    lines.append(place(line, 33, "MASTER POINT, HEADING"))
    lines.append(place(place(place(place(place("20", 4, "WGS-84"), 16, "6378137.0"), 28, "298.257223563"),
                             42, "22"), 50, "ELLIPSOID"))
    lines.append("21          0                   NO EQUATORIAL CROSSING")
    lines.append(place(ending_before(ending_before("30", 14, "6"), 31, "9600  N  1  8"), 33,
                       "RS-232 PORT 2 INCOMING FORMAT"))
    lines.append(place(place(place(ending_before("35", 24, "FIELD17"), 26, "F"), 29, "C"), 33,
                       "CROP DIR, RAM DISK, SPRAY SIDE"))
    lines.append(place(place(ending_before(ending_before("36", 14, str(SWATH)), 24, "1"), 26, "1"), 33,
                       "SWATH WIDTH, NO OF A/C, SPRAY ON CLOSURE OF CONTACT"))
    lines.append(place(place("37", 13, "1"), 33, "HALF-SWATH OFFSET OF THE FIRST LINE"))
    lines.append(place(place("38", 13, "2"), 33, "METRIC SYSTEM DISPLAY"))
    lines.append(place(ending_before(ending_before("39", 9, "1"), 17, "1"), 33, "RACE TRACK, SKIP TRACK"))
    lines.append(place(ending_before("40", 14, "10"), 33, "MAGNETIC VARIATION, Deg."))
    lines.append(place(ending_before("41", 14, "0.50"), 33, "SYSTEM LAG, Sec."))
    lines.append(place(ending_before(ending_before("42", 9, "0.20"), 17, "0.10"), 33, "RELAY ON / OFF, Sec."))
    lines.append("102  UTM                        UTM X/Y SCALE")
    return crlf(lines)


def guidance_file():
    out = []
    for i, ((x1, y1), (x2, y2)) in enumerate(guidance_lines(), 1):
        out.append("LINE %d " % (i * 10))
        for number, (x, y) in ((1, (x1, y1)), (2, (x2, y2))):
            out.append("%d      %d  %d" % (math.floor(x + 0.5), math.floor(y + 0.5), number))
    return crlf(out)


def exclusion_file():
    out = []
    for number, zone in enumerate(EXCLUSION_ZONES, 1):
        for x, y in zone:
            first = "%-4d%.1f" % (number, x)
            next_zone = (len(first) // 14 + 1) * 14  # print zones start at columns 15, 29, ...
            out.append(first.ljust(next_zone) + "%.1f" % y)
    return crlf(out)


# ---------------------------------------------------------------- flight logs

def flight_path(first_line, last_line):
    """Positions every half second along lines first..last and the turns
    between them: (x, y, speed in m/s, on a line)."""
    step_time = 0.5
    points = []
    lines = guidance_lines()
    for k in range(first_line - 1, last_line):
        (x, south), (_, north) = lines[k]
        northbound = k % 2 == 0
        start, end = (south - 150, north + 150) if northbound else (north + 150, south - 150)
        speed = 50.0
        distance = abs(end - start)
        steps = int(distance / (speed * step_time))
        for s in range(steps + 1):
            y = start + (end - start) * s / steps
            points.append((x, y, speed, True))
        if k + 1 < last_line:
            # Teardrop turn: out 250 m beyond the end and back onto the next line.
            turn_steps = 60
            for s in range(1, turn_steps):
                angle = math.pi * s / turn_steps
                tx = x + SWATH / 2 - (SWATH / 2) * math.cos(angle)
                ty = end + (1 if northbound else -1) * 250 * math.sin(angle)
                points.append((tx, ty, 43.0, False))
    return points


def agf_record(time_cs, lat, lon, xte, speed_cms, altitude, easting, northing, spray, flow, target):
    record = bytearray(51)
    record[0:3] = b"\x02\x00\x03"  # the third byte marks the 51-byte format
    struct.pack_into("<i", record, 3, time_cs)
    struct.pack_into("<i", record, 7, round(lat * 1000000))
    struct.pack_into("<i", record, 11, round(lon * 1000000))
    struct.pack_into("<i", record, 18, xte)
    struct.pack_into("<h", record, 22, speed_cms)
    struct.pack_into("<h", record, 24, altitude)
    struct.pack_into("<i", record, 28, round(easting))
    struct.pack_into("<i", record, 32, round(northing))
    struct.pack_into("<h", record, 36, SWATH * 10)
    record[39] = spray
    struct.pack_into("<h", record, 43, flow)
    struct.pack_into("<h", record, 45, target)
    return bytes(record)


def flight_log(first_line, last_line, start_seconds, seed, flow_data=True, heavy_stretch=None):
    rng = random.Random(seed)
    records = []
    for i, (x, y, speed, on_line) in enumerate(flight_path(first_line, last_line)):
        spraying = on_line and inside(BOUNDARY, x, y) and not any(inside(z, x, y) for z in EXCLUSION_ZONES)
        xte = rng.randint(-2, 2) if on_line else rng.randint(-40, 40)
        ground = int(speed * 100) + rng.randint(-150, 150)
        altitude = (253 if on_line else 275) + rng.randint(0, 3)
        east = x + xte
        lat, lon = utm_to_geographic(east, y)
        if flow_data:
            target = 100
            flow = 100 + rng.randint(-12, 12) if spraying else 0
            if spraying and heavy_stretch and heavy_stretch[0] <= i < heavy_stretch[1]:
                flow += 20  # a sticking valve: about 20 % over the target
        else:
            target = 0
            flow = 0
        records.append(agf_record(int((start_seconds + i * 0.5) * 100), lat, lon, xte, ground, altitude,
                                  east, y, 1 if spraying else 0, flow, target))
    return b"".join(records)


def main():
    write("FIELD17.no1", boundary_file())
    write("FIELD17.xyz", guidance_file())
    write("FIELD17.xcl", exclusion_file())
    write(os.path.join("FIELD17", "N0612A01.T01"), flight_log(1, 20, 8 * 3600 + 5 * 60, seed=1))
    write(os.path.join("FIELD17", "N0612A02.T01"),
          flight_log(21, 40, 9 * 3600 + 40 * 60, seed=2, heavy_stretch=(900, 1300)))
    write(os.path.join("FIELD17", "N0613A01.T01"), flight_log(41, 60, 7 * 3600 + 30 * 60, seed=3, flow_data=False))


if __name__ == "__main__":
    main()
