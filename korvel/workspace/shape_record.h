#pragma once
// One feature held on its own: a block boundary, an exclusion zone, a
// digitized ring, or a copy of a GIS layer's feature. Loaded GIS layers keep
// their features packed in a ShapeList instead (see shape_list.h).
#include <vector>

struct ShapeRecord
{
    // Vertices 1..n; element 0 exists and carries no data, as in every record list.
    std::vector<double> X; // easting in metres or longitude in degrees
    std::vector<double> Y; // northing in metres or latitude in degrees
    // The box is stored maximum first, the opposite of a layer's extent.
    double XMax = 0.0;
    double YMax = 0.0;
    double XMin = 0.0;
    double YMin = 0.0;

    // The upper bound of X: the number of vertices, 0 while the lists are empty.
    int upperBound() const { return X.empty() ? 0 : static_cast<int>(X.size()) - 1; }
    // Gives both lists the vertices 1..n (element 0 included), keeping what fits.
    void resize(int n)
    {
        X.resize(static_cast<std::size_t>(n < 0 ? 0 : n) + 1, 0.0);
        Y.resize(X.size(), 0.0);
    }
};
