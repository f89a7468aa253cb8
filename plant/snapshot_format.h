// The ".pim" snapshot file: the last plant picture, kept beside the plant file. This half builds
// and checks the bytes; snapshot_win.cpp moves pictures in and out of files with GDI.
//
// File layout (little-endian):
// off             size            field
//   0                4            bitsOffset, file offset of the pixel bits = 44 + 4 x colourCount
//   4               40            SnapshotHeader (the system's BITMAPINFOHEADER)
//  44   4 x colourCount           colour table (RGBQUADs), only for depths below 16 bits
//  bitsOffset   rowBytes x height pixel rows, bottom-up, each padded to 4 bytes
//
// The snapshot can arrive from another machine inside a configuration archive, and an interrupted
// save can leave it short, so a reader trusts nothing: ParseSnapshot proves every size before a
// single pixel is touched.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plant {

/// BITMAPINFOHEADER as stored in the file.
/// off  size  field
///   0     4  size, 40
///   4     4  width (i32)
///   8     4  height (i32), positive: rows bottom-up
///  12     2  planes, 1
///  14     2  bitCount: 1, 4, 8, 16, 24 or 32
///  16     4  compression, 0 (uncompressed)
///  20     4  sizeImage, bytes of the pixel bits
///  24     4  xPelsPerMeter (i32)
///  28     4  yPelsPerMeter (i32)
///  32     4  colourCount (biClrUsed)
///  36     4  colourImportant, 0
struct SnapshotHeader {
  uint32_t size;
  int32_t width;
  int32_t height;
  uint16_t planes;
  uint16_t bitCount;
  uint32_t compression;
  uint32_t sizeImage;
  int32_t xPelsPerMeter;
  int32_t yPelsPerMeter;
  uint32_t colourCount;
  uint32_t colourImportant;
};

static_assert(sizeof(SnapshotHeader) == 40);
static_assert(offsetof(SnapshotHeader, width) == 4);
static_assert(offsetof(SnapshotHeader, height) == 8);
static_assert(offsetof(SnapshotHeader, planes) == 12);
static_assert(offsetof(SnapshotHeader, bitCount) == 14);
static_assert(offsetof(SnapshotHeader, compression) == 16);
static_assert(offsetof(SnapshotHeader, sizeImage) == 20);
static_assert(offsetof(SnapshotHeader, colourCount) == 32);
static_assert(offsetof(SnapshotHeader, colourImportant) == 36);

constexpr uint32_t kSnapshotHeaderOffset = 4;
constexpr uint32_t kSnapshotHeaderSize = 40;
/// bitsOffset of a picture without colour table.
constexpr uint32_t kSnapshotPlainBitsOffset = kSnapshotHeaderOffset + kSnapshotHeaderSize;
/// Largest width or height accepted; far beyond any desktop, small enough that sizes fit 32 bits.
constexpr int32_t kMaxSnapshotSide = 16384;
/// Largest snapshot file read into memory (a 32-bit picture of 8192 x 4096 pixels and its head).
constexpr uint32_t kMaxSnapshotFileSize = 128u << 20;

enum class SnapshotResult {
  Ok = 0,
  Truncated,          ///< shorter than its head, or than the pixel rows the head announces
  BadHeaderSize,      ///< header size field other than 40
  BadDimensions,      ///< width or height not within 1..kMaxSnapshotSide
  BadFormat,          ///< planes, bit count or compression not a plain uncompressed layout
  BadColourTable,     ///< colour count wrong for the depth, or bitsOffset not 44 + 4 x it
  TooLarge,           ///< file bigger than kMaxSnapshotFileSize
};

/// Fixed text of a result, for logs.
[[nodiscard]] const char* SnapshotResultText(SnapshotResult result);

/// Bytes of one pixel row: width x bitCount bits, padded to a multiple of 4 bytes.
[[nodiscard]] constexpr uint64_t SnapshotRowBytes(int32_t width, uint32_t bitCount) {
  return (static_cast<uint64_t>(width) * bitCount + 31) / 32 * 4;
}

/// A checked view into snapshot bytes; the pointers borrow the caller's buffer.
struct SnapshotView {
  SnapshotHeader header;
  /// The header followed by its colour table, ready to serve as bitmap information.
  const uint8_t* bitmapInfo;
  /// colourCount x 4 bytes of colour table follow the header.
  uint32_t colourCount;
  /// rowBytes x height bytes of pixel rows, bottom-up.
  const uint8_t* bits;
  uint64_t bitsSize;
};

/// Checks size bytes of a snapshot file and fills *view. Anything but Ok leaves *view unset.
[[nodiscard]] SnapshotResult ParseSnapshot(const uint8_t* data, size_t size, SnapshotView* view);

/// The head of a 32-bit snapshot of width x height pixels (bitsOffset and header, 44 bytes),
/// with sizeImage the padded size of the rows. Requires: 1 <= width, height <= kMaxSnapshotSide.
[[nodiscard]] std::vector<uint8_t> BuildSnapshotHead(int32_t width, int32_t height);

}  // namespace plant
