#pragma once
// Parallel guidance lines over a block boundary, in UTM metres: straight
// lines at a grid bearing, one swath apart, each clipped to the inside of
// the boundary.
//
// The boundary (vertices V1..Vn, easting E and northing N) is turned into
// the frame of the bearing theta (clockwise from grid north, radians), with
// vertex 1 as origin:
//
//   c(i) = (E(i) - E1) cos theta - (N(i) - N1) sin theta    across, right +
//   a(i) = (E(i) - E1) sin theta + (N(i) - N1) cos theta    along, forward +
//
// A sweep line c = x runs from cmin + o (o the first line's offset) in steps
// of the swath s while x <= cmax. The edges that cross it strictly (their
// ends on both sides; a vertex on the line counts for neither edge) give
// intercepts a(j) + (a(j2) - a(j)) (x - c(j)) / (c(j2) - c(j)); sorted and
// paired first with second, third with fourth (the even-odd rule), each pair
// is one line from its rear to its forward end. An odd count means the
// boundary cannot be cut cleanly there and nothing is laid. The lines are
// turned back with
//
//   E = E1 + c cos(-theta) - a sin(-theta),  N = N1 + c sin(-theta) + a cos(-theta)
//
// and numbered from left to right across the bearing, the rearmost first
// where one sweep line gives several. The edges are kept sorted by their
// smallest c, so each sweep line looks only at the edges spanning it: the
// cost grows with the edges a line crosses, not with all of them.
#include <QString>
#include <vector>

// More lines than a guidance job holds, and than the map can show while the
// preview follows every key press.
inline constexpr int MaxGuidanceLines = 5000;

// One line, point 1 its rear end and point 2 its forward end when flown
// along the bearing; UTM metres or map coordinates, as the caller says.
struct GuidanceSegment
{
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
};

enum class GuidanceRefusal {
    None,
    OddIntercepts, // a sweep line met the boundary an odd number of times
    TooManyLines, // more than MaxGuidanceLines would be laid
    NoSwath, // a swath of 0 or less (or no number): nothing could be spaced
    NoDirection, // a bearing that is no number, or an edge outside 1..n
    OutOfReach, // the map's zone does not hold at the boundary (guidance_preview.h)
};

struct GuidanceLayout
{
    std::vector<GuidanceSegment> lines; // lines 1..L at positions 0..L-1
    GuidanceRefusal refusal = GuidanceRefusal::None;
    int intercepts = 0; // the odd count met, for the message
};

// Lays the lines over vertices 1..count of (east, north), element 0 unused.
// swath and offset are metres; the first sweep line lies offset to the
// right of the leftmost vertex (the callers pass 0.1 m for "no offset", so
// that it never runs through the vertex).
GuidanceLayout layGuidanceLines(const std::vector<double>& east, const std::vector<double>& north,
    int count, double bearing, float swath, float offset);

// The grid bearing in radians of edge `edge` (1..count; edge count closes the
// ring back to vertex 1), from its first vertex to its second: 0 north, pi/2
// east; pi for an edge pointing due south and for one of no length. Returns
// no number (NaN) for an edge outside 1..count.
double edgeBearing(const std::vector<double>& east, const std::vector<double>& north, int count, int edge);

// The text shown for a refusal that the user must hear of (odd intercepts,
// too many lines); empty for the others, which lay nothing quietly.
QString guidanceRefusalMessage(const GuidanceLayout& layout);
