// Fuzz target: the snapshot parser accepts only files whose pixel rows lie inside the bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "plant/snapshot_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  plant::SnapshotView view{};
  if (plant::ParseSnapshot(data, size, &view) == plant::SnapshotResult::Ok) {
    // Touch the first and last byte of the rows: ASan reports any that lie outside the input.
    volatile uint8_t first = view.bits[0];
    volatile uint8_t last = view.bits[view.bitsSize - 1];
    (void)first;
    (void)last;
    if (view.bits + view.bitsSize > data + size) std::abort();
  }
  return 0;
}
