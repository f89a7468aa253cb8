// Building and checking snapshot file bytes; see snapshot_format.h.
#include "plant/snapshot_format.h"

#include <cstring>

namespace plant {
namespace {

bool IsListedDepth(uint16_t bitCount) {
  switch (bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32:
      return true;
    default:
      return false;
  }
}

uint32_t ReadU32(const uint8_t* at) {
  uint32_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

}  // namespace

const char* SnapshotResultText(SnapshotResult result) {
  switch (result) {
    case SnapshotResult::Ok: return "snapshot read";
    case SnapshotResult::Truncated: return "snapshot file is truncated";
    case SnapshotResult::BadHeaderSize: return "snapshot header size is not 40";
    case SnapshotResult::BadDimensions: return "snapshot width or height out of range";
    case SnapshotResult::BadFormat: return "snapshot pixel format is not supported";
    case SnapshotResult::BadColourTable: return "snapshot colour table does not match its depth";
    case SnapshotResult::TooLarge: return "snapshot file is too large";
  }
  return "unknown snapshot result";
}

SnapshotResult ParseSnapshot(const uint8_t* data, size_t size, SnapshotView* view) {
  if (size > kMaxSnapshotFileSize) {
    return SnapshotResult::TooLarge;
  }
  if (size < kSnapshotPlainBitsOffset) {
    return SnapshotResult::Truncated;
  }
  const uint32_t bitsOffset = ReadU32(data);
  SnapshotHeader header;
  std::memcpy(&header, data + kSnapshotHeaderOffset, sizeof header);
  if (header.size != kSnapshotHeaderSize) {
    return SnapshotResult::BadHeaderSize;
  }
  if (header.width < 1 || header.width > kMaxSnapshotSide || header.height < 1 ||
      header.height > kMaxSnapshotSide) {
    return SnapshotResult::BadDimensions;
  }
  if (header.planes != 1 || !IsListedDepth(header.bitCount) || header.compression != 0) {
    return SnapshotResult::BadFormat;
  }
  // A depth below 16 bits needs a table with an entry for every colour it names; a table of 0
  // entries would make GDI read 2^depth entries that the offset does not account for.
  const uint32_t tableLimit = header.bitCount < 16 ? 1u << header.bitCount : 0;
  if ((header.bitCount < 16 && (header.colourCount == 0 || header.colourCount > tableLimit)) ||
      (header.bitCount >= 16 && header.colourCount != 0) ||
      bitsOffset != kSnapshotPlainBitsOffset + 4 * header.colourCount) {
    return SnapshotResult::BadColourTable;
  }
  // Both factors are capped above (16384 x 16384 x 4 < 2^31), so the product cannot wrap.
  const uint64_t bitsSize = SnapshotRowBytes(header.width, header.bitCount) * static_cast<uint64_t>(header.height);
  if (bitsOffset > size || bitsSize > size - bitsOffset) {
    return SnapshotResult::Truncated;
  }
  view->header = header;
  view->bitmapInfo = data + kSnapshotHeaderOffset;
  view->colourCount = header.colourCount;
  view->bits = data + bitsOffset;
  view->bitsSize = bitsSize;
  return SnapshotResult::Ok;
}

std::vector<uint8_t> BuildSnapshotHead(int32_t width, int32_t height) {
  SnapshotHeader header{};
  header.size = kSnapshotHeaderSize;
  header.width = width;
  header.height = height;
  header.planes = 1;
  header.bitCount = 32;
  header.sizeImage = static_cast<uint32_t>(SnapshotRowBytes(width, 32) * static_cast<uint64_t>(height));
  std::vector<uint8_t> head(kSnapshotPlainBitsOffset);
  const uint32_t bitsOffset = kSnapshotPlainBitsOffset;
  std::memcpy(head.data(), &bitsOffset, sizeof bitsOffset);
  std::memcpy(head.data() + kSnapshotHeaderOffset, &header, sizeof header);
  return head;
}

}  // namespace plant
