// Depth records and their sort: the renderer's painter's order for nodes and for the faces of a
// node. The order equal keys end up in is part of the picture, so the partition scheme is fixed.
#pragma once

#include <cstdint>

namespace plant {

/// A depth key and what it belongs to (a node index or a face's record offset).
struct DepthRecord {
  double key;
  uint32_t reference;
};

/// Sorts records[lo..hi] (inclusive) ascending by key, in place. Quicksort with the last record
/// as pivot; lo >= hi changes nothing. It recurses only into the smaller part, so its depth stays
/// below log2 of the count whatever the input order.
void SortByKey(DepthRecord* records, int32_t lo, int32_t hi);

}  // namespace plant
