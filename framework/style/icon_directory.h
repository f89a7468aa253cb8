// Choosing an image from a group-icon resource by colour depth and size. Platform-free: the
// resource bytes are read with bounds checks; loading the chosen image is the Win32 side's.
#pragma once

#include <cstddef>
#include <cstdint>

/// Group-icon directory (RT_GROUP_ICON), little-endian, packed:
/// off  size  field
///   0     2  reserved, 0
///   2     2  type, 1 for icons
///   4     2  entry count
///   6  14*n  entries:
///              off  size  field
///                0     1  width in pixels, 0 for 256
///                1     1  height in pixels, 0 for 256
///                2     1  colour count
///                3     1  reserved
///                4     2  planes
///                6     2  bits per pixel
///                8     4  bytes of the image
///               12     2  id of the RT_ICON resource
constexpr size_t kGroupIconHeaderSize = 6;
constexpr size_t kGroupIconEntrySize = 14;

/// The RT_ICON id to load for colour-depth index `depthIndex` (0-3 for 1, 4, 8 and 32 bits per
/// pixel; a depth without images falls back to the next smaller index) and `sizePixels` (0: the
/// first image of the depth; else an exact width, or the nearest). 0 when `depthIndex` is below
/// 0, no image of any allowed depth exists, or the directory is malformed; the caller then lets
/// the system choose.
uint16_t ChooseGroupIconImage(const uint8_t* directory, size_t size, int32_t depthIndex, int32_t sizePixels);
