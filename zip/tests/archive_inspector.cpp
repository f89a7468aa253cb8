// Test support: strict archive parser and extractor.
#include "zip/tests/archive_inspector.h"

#include <zlib.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "zip/zip_cipher.h"

namespace zip::testing {
namespace {

template <typename T>
bool ReadRecord(const std::vector<uint8_t>& bytes, uint64_t offset, T& record) {
  if (offset > bytes.size() || sizeof(T) > bytes.size() - offset) return false;
  memcpy(&record, bytes.data() + offset, sizeof(T));
  return true;
}

bool Slice(const std::vector<uint8_t>& bytes, uint64_t offset, uint64_t size, std::vector<uint8_t>& out) {
  if (offset > bytes.size() || size > bytes.size() - offset) return false;
  out.assign(bytes.begin() + static_cast<ptrdiff_t>(offset), bytes.begin() + static_cast<ptrdiff_t>(offset + size));
  return true;
}

std::string ParseEntry(const std::vector<uint8_t>& bytes, uint64_t& at, InspectedEntry& e) {
  if (!ReadRecord(bytes, at, e.central) || e.central.signature != kCentralHeaderSignature) return "central header";
  std::vector<uint8_t> name;
  if (!Slice(bytes, at + 46, e.central.nameLength, name)) return "central name";
  e.name.assign(name.begin(), name.end());
  if (!Slice(bytes, at + 46 + e.central.nameLength, e.central.extraLength, e.centralExtra)) return "central extra";
  at += 46 + e.central.nameLength + e.central.extraLength + e.central.commentLength;

  uint64_t local = e.central.localHeaderOffset;
  if (!ReadRecord(bytes, local, e.local) || e.local.signature != kLocalHeaderSignature) return "local header";
  if (!Slice(bytes, local + 30, e.local.nameLength, name)) return "local name";
  e.localName.assign(name.begin(), name.end());
  if (!Slice(bytes, local + 30 + e.local.nameLength, e.local.extraLength, e.localExtra)) return "local extra";
  e.dataOffset = local + 30 + e.local.nameLength + e.local.extraLength;
  if ((e.local.flags & kFlagDataDescriptor) != 0) {
    if (!ReadRecord(bytes, e.dataOffset + e.central.compressedSize, e.descriptor) ||
        e.descriptor.signature != kDataDescriptorSignature) {
      return "data descriptor";
    }
    e.hasDescriptor = true;
  }
  return {};
}

}  // namespace

InspectedArchive InspectArchive(const std::vector<uint8_t>& bytes) {
  InspectedArchive archive;
  // A memory block holds zeros after the archive: take the last end record whose directory ends
  // right where it starts.
  bool found = false;
  for (uint64_t at = bytes.size() >= 22 ? bytes.size() - 22 + 1 : 0; at-- > 0;) {
    EndRecord candidate{};
    if (!ReadRecord(bytes, at, candidate) || candidate.signature != kEndRecordSignature) continue;
    if (static_cast<uint64_t>(candidate.directoryOffset) + candidate.directorySize != at) continue;
    archive.end = candidate;
    archive.endOffset = at;
    found = true;
    break;
  }
  if (!found) {
    archive.error = "end record";
    return archive;
  }
  uint64_t at = archive.end.directoryOffset;
  for (uint32_t i = 0; i < archive.end.totalEntries; ++i) {
    InspectedEntry entry;
    std::string error = ParseEntry(bytes, at, entry);
    if (!error.empty()) {
      archive.error = error + " of entry " + std::to_string(i);
      return archive;
    }
    archive.entries.push_back(std::move(entry));
  }
  if (at != archive.endOffset || at - archive.end.directoryOffset != archive.end.directorySize) {
    archive.error = "directory size";
  }
  return archive;
}

std::string ExtractEntry(const std::vector<uint8_t>& bytes, const InspectedEntry& entry, const char* password,
                         std::vector<uint8_t>& out) {
  std::vector<uint8_t> data;
  if (!Slice(bytes, entry.dataOffset, entry.central.compressedSize, data)) return "data range";
  if ((entry.central.flags & kFlagEnciphered) != 0) {
    if (data.size() < ZipCipher::kHeaderSize) return "cipher header";
    ZipCipher cipher;
    cipher.Start(password);
    cipher.Decipher(data.data(), data.size());
    uint8_t check = (entry.central.flags & kFlagDataDescriptor) != 0 ? static_cast<uint8_t>(entry.central.dosTime >> 8)
                                                                      : static_cast<uint8_t>(entry.central.crc32 >> 24);
    if (data[ZipCipher::kHeaderSize - 1] != check) return "check byte";
    data.erase(data.begin(), data.begin() + ZipCipher::kHeaderSize);
  }
  if (entry.central.method == kMethodStored) {
    out = data;
  } else if (entry.central.method == kMethodDeflated) {
    out.assign(entry.central.uncompressedSize, 0);
    z_stream z{};
    if (inflateInit2(&z, -15) != Z_OK) return "inflateInit2";
    uint8_t spare = 0;
    z.next_in = data.data();
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = out.empty() ? &spare : out.data();
    z.avail_out = static_cast<uInt>(out.size());
    int rc = inflate(&z, Z_FINISH);
    bool complete = rc == Z_STREAM_END && z.avail_in == 0 && z.total_out == out.size();
    inflateEnd(&z);
    if (!complete) return "inflate";
  } else {
    return "method";
  }
  if (out.size() != entry.central.uncompressedSize) return "size";
  if (crc32_z(0, out.data(), out.size()) != entry.central.crc32) return "crc";
  return {};
}

bool ReadLocalTimes(const InspectedEntry& entry, uint32_t& modify, uint32_t& access, uint32_t& create) {
  LocalExtendedTime ut{};
  if (entry.localExtra.size() != sizeof(ut)) return false;
  memcpy(&ut, entry.localExtra.data(), sizeof(ut));
  if (ut.headerId != kExtendedTimeId || ut.dataSize != 13 || ut.flags != 7) return false;
  modify = ut.modifyTime;
  access = ut.accessTime;
  create = ut.createTime;
  return true;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace zip::testing
