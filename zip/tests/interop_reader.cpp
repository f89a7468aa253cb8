// Interop helper: extracts every entry of an archive made by another tool into a folder, and prints
// one line per entry (index, result of the information, of extraction to memory and to a file,
// name, attributes, Unix modification time, size) for interop_read_check.py to compare.
//   zip_interop_reader ARCHIVE OUTPUT_FOLDER [PASSWORD]
#include <cstdint>
#include <cstdio>
#include <vector>

#include "zip/zip_reader.h"

using namespace zip;

namespace {

int64_t UnixOf(ZipFileTime t) {
  int64_t ticks = static_cast<int64_t>(static_cast<uint64_t>(t.dwHighDateTime) << 32 | t.dwLowDateTime);
  return (ticks - 116444736000000000) / 10000000;
}

ZipResult ReadToMemory(ZipHandle* reader, int32_t index) {
  std::vector<char> piece(1000);
  ZipResult result;
  do {
    result = ZipReaderExtractToMemory(reader, index, piece.data(), static_cast<uint32_t>(piece.size()));
  } while (result == ZipResult::MoreData);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: %s ARCHIVE OUTPUT_FOLDER [PASSWORD]\n", argv[0]);
    return 2;
  }
  ZipHandle* reader = ZipReaderOpen(argv[1], argc > 3 ? argv[3] : nullptr);
  if (reader == nullptr) {
    printf("open\t%s\n", ZipResultText(ZipReaderLastResult()));
    return 0;
  }
  printf("open\t%s\n", ZipResultText(ZipResult::Ok));
  if (ZipReaderSetBaseDir(reader, argv[2]) != ZipResult::Ok) return 1;
  ZipEntryInfo summary{};
  if (ZipReaderGetEntry(reader, -1, &summary) != ZipResult::Ok) return 1;
  for (int32_t i = 0; i < summary.index; ++i) {
    ZipEntryInfo info{};
    ZipResult got = ZipReaderGetEntry(reader, i, &info);
    ZipResult memory = got == ZipResult::Ok ? ReadToMemory(reader, i) : got;
    ZipResult file = got == ZipResult::Ok ? ZipReaderExtractToFile(reader, i, info.name) : got;
    printf("%d\t%s\t%s\t%s\t%s\t0x%02x\t%lld\t%d\n", i, ZipResultText(got), ZipResultText(memory), ZipResultText(file),
           info.name, info.attributes, static_cast<long long>(UnixOf(info.modifyTime)), info.uncompressedSize);
  }
  (void)ZipReaderClose(reader);
  return 0;
}
