#pragma once
// The per-sample lists of a flight log. A day's logs hold millions of
// samples, so a list can reach many megabytes; they live in the same large,
// huge-page-backed blocks as a GIS layer's vertices and behave as std::vector
// in every other way.
#include "korvel/workspace/large_block_allocator.h"

template <typename T> using SampleList = LargeVector<T>;
