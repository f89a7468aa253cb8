// Test support: builds zip archives byte by byte, valid ones and, by patching their recorded
// offsets, every kind of damaged one. Deflated data comes from zlib's raw deflate.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zip::test {

struct TestEntry {
  std::string name;
  std::string data;
  bool deflate = true;
  uint16_t versionMadeBy = 0x0B17;  ///< host 11 (NTFS)
  uint32_t externalAttributes = 0x20;
  uint32_t dosDateTime = 0x5B8A6C21;  ///< 2025-12-10 13:33:02
  std::string localExtra;             ///< raw local extra field
  std::string centralExtra;
  bool dataDescriptor = false;        ///< flag bit 3, zero CRC and sizes in the local header
  std::string password;               ///< non-empty: encipher with the traditional cipher
  bool rawPayload = false;            ///< payload holds the stored bytes as they are (no deflate)
  std::string payload;                ///< with rawPayload: the entry's data as it lies in the archive
  uint16_t method = 0xFFFF;           ///< with rawPayload: the method to record
};

/// A deflated entry of the given name and data, with the defaults above.
inline TestEntry Entry(const std::string& name, const std::string& data) {
  TestEntry e;
  e.name = name;
  e.data = data;
  return e;
}

struct TestArchive {
  std::string bytes;
  std::vector<size_t> localOffsets;    ///< of each local header, in bytes
  std::vector<size_t> centralOffsets;  ///< of each central header
  size_t endOffset = 0;                ///< of the end record
};

/// Builds an archive of entries with comment as its archive comment, after prefix. Offsets count
/// from the archive's first byte (an archive appended to other data), or from the prefix's first
/// byte when absoluteOffsets is set (a writer handed a file positioned after the prefix).
TestArchive BuildArchive(const std::vector<TestEntry>& entries, const std::string& comment = std::string(),
                         const std::string& prefix = std::string(), bool absoluteOffsets = false);

/// Raw deflate of data at level.
std::string Deflate(const std::string& data, int level = 6);

/// An extended-time-stamp ("UT") local extra field with the given times (flags 7).
std::string UtExtra(int32_t modify, int32_t access, int32_t create);

/// Little-endian stores into a byte string.
void Put16(std::string& bytes, size_t offset, uint16_t value);
void Put32(std::string& bytes, size_t offset, uint32_t value);

/// Deterministic pseudo-random bytes.
std::string RandomBytes(size_t size, uint32_t seed);

}  // namespace zip::test
