#pragma once
// Removing one image or GIS layer from the loaded data by its list position:
// the record shown there goes, later records move down one place, every order
// entry that named a later record is lowered, the rows below move up one
// place, and the count falls by one. The order of the rest of the list and
// which record each row shows are kept. Block records are removed by
// removeBlock (korvel/workspace/agnav_block.h).
#include <vector>

// Positions outside 1..ImageCount (GISCount) are ignored. ImageLoaded
// (GISLoaded) becomes False with the last one.
void removeImageAtPosition(int position);
void removeGISLayerAtPosition(int position);

// Moves the list entry at position `from` to position `to` (both 1-based),
// the entries between them shifting by one place; the records stay where they
// are. Returns the record index whose layer must be repainted: the one that
// stood at `to` when moving up the list (from > to), the one that stood at
// from + 1 when moving down; 0 when nothing moved.
int moveOrderEntry(std::vector<int>& order, int from, int to);
