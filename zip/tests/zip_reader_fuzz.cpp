// libFuzzer target: open an archive from memory, describe and find every entry, and extract each to
// memory in pieces whose size the input chooses. Any crash, leak, hang or sanitizer report is a bug;
// results are free to be anything.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "zip/zip_reader.h"

using namespace zip;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0xFFFFFFFF) return 0;
  // The last byte picks the piece size, so small and large buffers both get exercised.
  size_t pieceSize = size == 0 ? 1 : 1 + (data[size - 1] % 4 == 0 ? 16384 : data[size - 1]);
  ZipHandle* reader = ZipReaderOpenEx(data, static_cast<uint32_t>(size), 3, size % 2 == 0 ? "pw" : nullptr);
  if (reader == nullptr) return 0;
  ZipEntryInfo summary{};
  if (ZipReaderGetEntry(reader, -1, &summary) == ZipResult::Ok) {
    std::vector<uint8_t> piece(pieceSize);
    for (int32_t i = 0; i < summary.index && i < 64; ++i) {
      ZipEntryInfo info{};
      if (ZipReaderGetEntry(reader, i, &info) == ZipResult::Ok) {
        int32_t found = -1;
        (void)ZipReaderFindEntry(reader, info.name, i & 1, &found, nullptr);
      }
      // Bounded: a lying size must not keep one input busy for long.
      ZipResult result = ZipResult::MoreData;
      for (int calls = 0; result == ZipResult::MoreData && calls < 4096; ++calls) {
        result = ZipReaderExtractToMemory(reader, i, piece.data(), static_cast<uint32_t>(piece.size()));
      }
    }
  }
  (void)ZipReaderClose(reader);
  return 0;
}
