#!/usr/bin/env python3
"""Writes the sample GIS layers and the sample geo-referenced image from the
file formats alone.

    python3 samples/make_gis_samples.py

Output, in samples/ (UTM zone 17 north, WGS-84, metres; the area runs from
easting 498000 to 505000 and northing 4798000 to 4805000, around the AG-NAV
sample block FIELD17):
  fields.shp/.shx/.dbf  polygon shapefile: twelve fields, one with a pond cut
                        out of it (a ring inside the outer ring), one in two
                        separate pieces; attributes ID, NAME, CROP, AREA_HA
  roads.shp/.shx/.dbf   polyline shapefile: a highway, county roads, farm
                        tracks; one road in two parts (it stops at the river)
  streams.e00           ARC/INFO export file (uncompressed, double precision)
                        of the river and two creeks, with its UTM projection
  farm_photo.bmp        an 8-bit picture of the area, 350 x 350 pixels at
                        20 m a pixel, drawn like a scanned land-use map
  farm_photo.ref        its geo-reference file (KORVEL Graphic
                        Georeferencing File): corner, ground size, zone and
                        the four corners as control points

Formats: ESRI Shapefile Technical Description (ESRI, July 1998); dBASE III
file structure; the ARC/INFO export (E00) column layout; Microsoft's BMP
(BITMAPINFOHEADER) layout. Everything is reproducible: no randomness.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

WEST, SOUTH, EAST, NORTH = 498000.0, 4798000.0, 505000.0, 4805000.0


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


# ---------------------------------------------------------------- geometry

def rectangle(x0, y0, x1, y1):
    """A clockwise ring (north up) closed on its first vertex, as outer rings
    of shapefile polygons run."""
    return [(x0, y0), (x0, y1), (x1, y1), (x1, y0), (x0, y0)]


def circle(cx, cy, r, n=16, clockwise=False):
    ring = []
    for k in range(n):
        a = 2 * math.pi * k / n
        if clockwise:
            a = -a
        ring.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    ring.append(ring[0])
    return ring


def ring_area(ring):
    return 0.5 * abs(sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(ring, ring[1:])))


# Fields: name, crop, outer rings (each clockwise), holes (counter-clockwise).
FIELDS = [
    ("North Forty", "corn", [rectangle(498400, 4803600, 499700, 4804600)], []),
    ("Miller East", "soybeans", [rectangle(499900, 4803600, 501300, 4804600)], []),
    ("Ridge", "wheat", [[(501500, 4803600), (501500, 4804700), (502600, 4804500), (502900, 4803600),
                         (501500, 4803600)]], []),
    ("Pond Field", "corn", [rectangle(503100, 4803500, 504600, 4804700)],
     [circle(503850, 4804100, 220)]),
    ("Creek Bottom", "hay", [rectangle(498400, 4801900, 499700, 4803300)], []),
    ("Home Place", "soybeans", [rectangle(499900, 4801900, 500400, 4803300)], []),
    ("Twin Lots", "wheat", [rectangle(503100, 4801900, 503800, 4803200),
                            rectangle(504000, 4801900, 504700, 4803200)], []),
    ("South Bend", "corn", [[(498400, 4798400), (498400, 4799900), (499300, 4800300), (499800, 4799500),
                             (499600, 4798400), (498400, 4798400)]], []),
    ("Long Strip", "soybeans", [rectangle(500000, 4798400, 500300, 4800600)], []),
    ("Orchard", "fruit", [rectangle(503000, 4798400, 504000, 4799500)], []),
    ("Lower Meadow", "hay", [rectangle(504100, 4798400, 504700, 4800500)], []),
    ("Quarter", "wheat", [rectangle(502700, 4799800, 503900, 4800700)], []),
]

# Roads: name, kind, parts.
ROADS = [
    ("Highway 17", "highway", [[(498000, 4801650), (499500, 4801620), (500500, 4801700), (502500, 4801750),
                                (503600, 4801500), (505000, 4801450)]]),
    ("County Road 4", "county", [[(499800, 4798000), (499820, 4799800), (499850, 4801650), (499800, 4803450),
                                  (499780, 4805000)]]),
    ("River Road", "county", [[(502950, 4805000), (502980, 4803300), (502900, 4801760)],
                              [(502850, 4801200), (502800, 4800000), (502900, 4798000)]]),
    ("Mill Lane", "track", [[(500400, 4801700), (500700, 4802300), (501000, 4802400)]]),
    ("Orchard Track", "track", [[(502800, 4799600), (503500, 4799650), (504050, 4799700)]]),
    ("North Track", "track", [[(499800, 4803500), (501400, 4803520), (503050, 4803450)]]),
]

# Streams: vertices of the river and two creeks.
STREAMS = [
    [(498000, 4800900), (498900, 4801000), (499700, 4800750), (500600, 4800950), (501400, 4801150),
     (502200, 4801350), (502880, 4801480), (503700, 4801100), (504400, 4800900), (505000, 4801000)],
    [(498300, 4804800), (498700, 4804100), (499100, 4803300), (499000, 4802400), (499300, 4801500),
     (499400, 4800800)],
    [(504800, 4798000), (504400, 4798900), (504200, 4799800), (504300, 4800500), (504450, 4800950)],
]


# --------------------------------------------------------------- shapefile

def bbox(points):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return min(xs), min(ys), max(xs), max(ys)


def poly_record(shape_type, parts):
    points = [p for part in parts for p in part]
    xmin, ymin, xmax, ymax = bbox(points)
    content = struct.pack("<i4d2i", shape_type, xmin, ymin, xmax, ymax, len(parts), len(points))
    start = 0
    for part in parts:
        content += struct.pack("<i", start)
        start += len(part)
    for x, y in points:
        content += struct.pack("<2d", x, y)
    return content, (xmin, ymin, xmax, ymax)


def shapefile(shape_type, records):
    """Main file and index of these record contents."""
    boxes = [box for _, box in records]
    box = (min(b[0] for b in boxes), min(b[1] for b in boxes), max(b[2] for b in boxes), max(b[3] for b in boxes))
    body = b""
    index = b""
    offset = 50  # 16-bit words: the 100-byte header
    for number, (content, _) in enumerate(records, start=1):
        words = len(content) // 2
        body += struct.pack(">2i", number, words) + content
        index += struct.pack(">2i", offset, words)
        offset += 4 + words

    def header(length_words):
        return (struct.pack(">7i", 9994, 0, 0, 0, 0, 0, length_words)
                + struct.pack("<2i", 1000, shape_type)
                + struct.pack("<8d", box[0], box[1], box[2], box[3], 0, 0, 0, 0))

    main = header(50 + len(body) // 2) + body
    shx = header(50 + len(index) // 2) + index
    return main, shx


def dbase(fields, rows):
    """A dBASE III table; fields are (name, type, length, decimals)."""
    record_length = 1 + sum(f[2] for f in fields)
    header_length = 32 + 32 * len(fields) + 1
    out = struct.pack("<4BIHH20x", 3, 124, 1, 1, len(rows), header_length, record_length)
    for name, kind, length, decimals in fields:
        out += struct.pack("<11sc4xBB14x", name.encode("ascii"), kind.encode("ascii"), length, decimals)
    out += b"\r"
    for row in rows:
        out += b" "
        for (name, kind, length, decimals), value in zip(fields, row):
            if kind == "N":
                text = ("%.*f" % (decimals, value)).rjust(length)
            else:
                text = str(value).ljust(length)
            out += text.encode("ascii")[:length]
    out += b"\x1a"
    return out


def write_fields():
    records = []
    rows = []
    for number, (name, crop, outers, holes) in enumerate(FIELDS, start=1):
        records.append(poly_record(5, outers + holes))
        hectares = (sum(ring_area(r) for r in outers) - sum(ring_area(r) for r in holes)) / 10000.0
        rows.append((number, name, crop, hectares))
    main, shx = shapefile(5, records)
    write("fields.shp", main)
    write("fields.shx", shx)
    write("fields.dbf", dbase([("ID", "N", 6, 0), ("NAME", "C", 20, 0), ("CROP", "C", 12, 0),
                               ("AREA_HA", "N", 10, 2)], rows))


def write_roads():
    records = []
    rows = []
    for number, (name, kind, parts) in enumerate(ROADS, start=1):
        records.append(poly_record(3, parts))
        rows.append((number, name, kind))
    main, shx = shapefile(3, records)
    write("roads.shp", main)
    write("roads.shx", shx)
    write("roads.dbf", dbase([("ID", "N", 6, 0), ("NAME", "C", 20, 0), ("KIND", "C", 10, 0)], rows))


# ----------------------------------------------------------- export (e00)

def e21(value):
    mantissa, exponent = ("%.14E" % value).split("E")
    return ("%sE%+03d" % (mantissa, int(exponent))).rjust(21)


def write_streams():
    lines = ["EXP  0 /SAMPLES/STREAMS.E00", "ARC  3"]
    for number, vertices in enumerate(STREAMS, start=1):
        lines.append("".join(str(v).rjust(10) for v in (number, number, 1, 2, 0, 0, len(vertices))))
        for x, y in vertices:
            lines.append(e21(x) + e21(y))
    lines.append("".join(str(v).rjust(10) for v in (-1, 0, 0, 0, 0, 0, 0)))
    lines += ["PRJ  2", "Projection    UTM", "Zone          17", "Datum         WGS84", "Units         METERS",
              "Spheroid      WGS84", "Parameters", "EOP", "EOS"]
    write("streams.e00", "".join(line + "\n" for line in lines).encode("ascii"))


# ---------------------------------------------------------- picture (bmp)

PIXELS = 350
METRES_PER_PIXEL = (EAST - WEST) / PIXELS

PALETTE = [
    (236, 226, 196),  # 0 open land
    (170, 205, 120),  # 1 crop, light green
    (120, 175, 90),  # 2 crop, green
    (205, 190, 120),  # 3 stubble
    (60, 110, 60),  # 4 woods
    (90, 150, 210),  # 5 water
    (150, 150, 150),  # 6 road
    (120, 90, 60),  # 7 farmyard
    (40, 40, 40),  # 8 grid line
]


def point_in_ring(x, y, ring):
    inside = False
    for (x0, y0), (x1, y1) in zip(ring, ring[1:]):
        if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
            inside = not inside
    return inside


def distance_to_polyline(x, y, points):
    best = float("inf")
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        best = min(best, math.hypot(x - (x0 + t * dx), y - (y0 + t * dy)))
    return best


def land_use(x, y):
    if distance_to_polyline(x, y, STREAMS[0]) < 45:
        return 5
    for vertices in STREAMS[1:]:
        if distance_to_polyline(x, y, vertices) < 22:
            return 5
    for _, _, parts in ROADS:
        for part in parts:
            if distance_to_polyline(x, y, part) < 18:
                return 6
    if math.hypot(x - 503850, y - 4804100) < 200:
        return 5
    # The fields as the photo shows them: a little off their surveyed
    # boundaries, as a scanned map is.
    for number, (_, crop, outers, _) in enumerate(FIELDS):
        for ring in outers:
            if point_in_ring(x - 25, y + 15, ring):
                colour = {"corn": 2, "soybeans": 1, "wheat": 3, "hay": 1, "fruit": 4}[crop]
                # Rows of the crop show as stripes of two greens.
                if colour in (1, 2) and int((x + y + 70 * number) / 140) % 2:
                    colour = 3 - colour
                return colour
    if 500600 < x < 502400 and 4800600 < y < 4802400:
        return 0  # the AG-NAV sample block's field lies here
    if (x - 498000) % 1000 < METRES_PER_PIXEL or (y - 4798000) % 1000 < METRES_PER_PIXEL:
        return 8
    if math.hypot(x - 501700, y - 4799200) < 700 or math.hypot(x - 504300, y - 4802600) < 300:
        return 4
    if 500450 < x < 500750 and 4802450 < y < 4802700:
        return 7
    return 0


def write_photo():
    width = height = PIXELS
    row_bytes = (width + 3) // 4 * 4
    pixels = b""
    for row in range(height):  # bottom-up rows
        y = SOUTH + (row + 0.5) * METRES_PER_PIXEL
        line = bytes(land_use(WEST + (col + 0.5) * METRES_PER_PIXEL, y) for col in range(width))
        pixels += line + b"\0" * (row_bytes - width)
    palette = b"".join(struct.pack("<4B", b, g, r, 0) for r, g, b in PALETTE)
    palette += b"\0" * (4 * (256 - len(PALETTE)))
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    head = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    write("farm_photo.bmp", head + info + palette + pixels)

    corners = [(NORTH, WEST, 0, 0), (NORTH, EAST, 0, width), (SOUTH, EAST, height, width), (SOUTH, WEST, height, 0)]
    ref = ["KORVEL Graphic Georeferencing File", "farm_photo.bmp",
           "%d,%d" % (WEST, NORTH), "%d,%d" % (EAST - WEST, SOUTH - NORTH), "17", "---", "%d" % len(corners)]
    ref += ["%d,%d,%d,%d" % c for c in corners]
    ref.append(",0,,0")
    write("farm_photo.ref", "".join(line + "\r\n" for line in ref).encode("ascii"))


if __name__ == "__main__":
    write_fields()
    write_roads()
    write_streams()
    write_photo()
