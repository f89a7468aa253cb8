// CRC-32 over bytes and texts.
#include "framework/base/crc32.h"

#include <cstring>

uint32_t Crc32(const void* data, ptrdiff_t length) {
  if (data == nullptr) return 0;
  const auto* bytes = static_cast<const unsigned char*>(data);
  size_t byteCount = length < 0 ? std::strlen(static_cast<const char*>(data)) : size_t(length);
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < byteCount; ++i) crc = kCrc32Table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}
