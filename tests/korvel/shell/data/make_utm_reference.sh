#!/usr/bin/env bash
# Writes utm_reference.csv beside this script: geographic points and their UTM
# eastings and northings computed by PROJ's cs2cs (Debian package proj-bin),
# the reference the conversion tests compare with. The ellipsoids are the rows
# of data/ellipsoid.dat; the points cover zones 1 to 60, both hemispheres,
# the central meridians and the zone edges (3 degrees either side).
# Run it again only when the point set changes; the tests read the CSV alone.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
ellipsoids="$here/../../../../data/ellipsoid.dat"
out="$here/utm_reference.csv"

# name|axis|inverse flattening, one ellipsoid per line
mapfile -t rows < <(tr -d '\r' < "$ellipsoids" | awk -F, '{ gsub(/"/, "", $1); print $1 "|" $2 "|" $3 }')

# ellipsoid row (0-based), zone, latitude, longitude
points() {
  awk -v nrows="${#rows[@]}" 'BEGIN {
    for (z = 1; z <= 60; z++) {
      cm = 6 * z - 183
      for (k = 0; k < 5; k++) {
        lat = -80 + ((z * 37 + k * 71) * 1.7311) % 164
        if (k == 0) off = -3; else if (k == 1) off = 3; else if (k == 2) off = 0
        else off = -3 + ((z * 13 + k * 29) * 0.7919) % 6
        printf "%d %d %.6f %.6f\n", (z * 7 + k) % nrows, z, lat, cm + off
      }
    }
    # the equator, the limits of the grid in latitude, a point just south of
    # the equator, and the worked examples of the conversion
    printf "0 31 0.000000 0.000000\n0 31 0.000000 6.000000\n0 31 0.000000 5.500000\n"
    printf "0 31 -0.000001 3.000000\n1 33 84.000000 12.000000\n1 33 84.000000 18.000000\n"
    printf "2 15 -80.000000 -96.000000\n2 15 -80.000000 -90.000000\n"
    printf "0 1 45.000000 -180.000000\n0 60 -45.000000 180.000000\n"
    printf "0 18 45.500000 -75.700000\n0 56 -33.900000 151.200000\n"
  }'
}

{
  echo "ellipsoid,zone,latitude,longitude,easting,northing"
  while read -r row zone lat lon; do
    IFS='|' read -r name axis rf <<< "${rows[$row]}"
    south=""
    if awk -v l="$lat" 'BEGIN { exit !(l < 0) }'; then south="+south"; fi
    read -r easting northing _ < <(echo "$lon $lat" | cs2cs -f %.6f \
      +proj=longlat +a="$axis" +rf="$rf" +no_defs +to \
      +proj=utm +zone="$zone" $south +a="$axis" +rf="$rf" +no_defs)
    echo "$name,$zone,$lat,$lon,$easting,$northing"
  done < <(points)
} > "$out"
echo "wrote $(($(wc -l < "$out") - 1)) points to $out"
