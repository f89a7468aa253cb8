// Test support: an independent, strict parser of the archives our writer makes, so tests can check
// the records field by field and extract every entry with zlib (and the cipher) to compare bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "zip/zip_records.h"

namespace zip::testing {

struct InspectedEntry {
  CentralHeader central{};
  std::string name;
  std::vector<uint8_t> centralExtra;
  LocalHeader local{};
  std::string localName;
  std::vector<uint8_t> localExtra;
  uint64_t dataOffset = 0;  // in the buffer
  bool hasDescriptor = false;
  DataDescriptor descriptor{};
};

struct InspectedArchive {
  std::string error;  // empty when the archive parsed
  uint64_t endOffset = 0;
  EndRecord end{};
  std::vector<InspectedEntry> entries;
};

/// Parses the archive whose end record lies last in bytes (a memory block's trailing zeros are
/// skipped). Offsets in the records are taken as positions in bytes.
InspectedArchive InspectArchive(const std::vector<uint8_t>& bytes);

/// Extracts an entry (deciphering with password when flag bit 0 is set), then checks its size and
/// CRC-32 against the central header. Returns an empty string on success, else what went wrong.
std::string ExtractEntry(const std::vector<uint8_t>& bytes, const InspectedEntry& entry, const char* password,
                         std::vector<uint8_t>& out);

/// Unix seconds in a local "UT" field with flags 7: modification, access, creation.
bool ReadLocalTimes(const InspectedEntry& entry, uint32_t& modify, uint32_t& access, uint32_t& create);

/// Reads a whole file; empty on failure.
std::vector<uint8_t> ReadFileBytes(const std::string& path);

}  // namespace zip::testing
