// Test archive builder.
#include "zip/tests/test_archive.h"

#include <zlib.h>

#include <cstring>

#include "zip/zip_cipher.h"

namespace zip::test {
namespace {

void Append16(std::string& s, uint16_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>(v >> 8);
}
void Append32(std::string& s, uint32_t v) {
  Append16(s, static_cast<uint16_t>(v));
  Append16(s, static_cast<uint16_t>(v >> 16));
}

}  // namespace

void Put16(std::string& bytes, size_t offset, uint16_t value) {
  bytes[offset] = static_cast<char>(value & 0xFF);
  bytes[offset + 1] = static_cast<char>(value >> 8);
}

void Put32(std::string& bytes, size_t offset, uint32_t value) {
  Put16(bytes, offset, static_cast<uint16_t>(value));
  Put16(bytes, offset + 2, static_cast<uint16_t>(value >> 16));
}

std::string Deflate(const std::string& data, int level) {
  z_stream s{};
  deflateInit2(&s, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&s, static_cast<uLong>(data.size())) + 16, '\0');
  s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  s.avail_in = static_cast<uInt>(data.size());
  s.next_out = reinterpret_cast<Bytef*>(out.data());
  s.avail_out = static_cast<uInt>(out.size());
  deflate(&s, Z_FINISH);
  out.resize(s.total_out);
  deflateEnd(&s);
  return out;
}

std::string UtExtra(int32_t modify, int32_t access, int32_t create) {
  std::string s;
  Append16(s, 0x5455);
  Append16(s, 13);
  s += '\x07';
  Append32(s, static_cast<uint32_t>(modify));
  Append32(s, static_cast<uint32_t>(access));
  Append32(s, static_cast<uint32_t>(create));
  return s;
}

std::string RandomBytes(size_t size, uint32_t seed) {
  std::string s(size, '\0');
  uint32_t x = seed * 2654435761u + 1;
  for (auto& c : s) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    c = static_cast<char>(x);
  }
  return s;
}

TestArchive BuildArchive(const std::vector<TestEntry>& entries, const std::string& comment, const std::string& prefix,
                         bool absoluteOffsets) {
  TestArchive a;
  a.bytes = prefix;
  size_t base = absoluteOffsets ? 0 : prefix.size();
  std::string central;
  for (const TestEntry& e : entries) {
    uint32_t crc = static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(e.data.data()),
                                               static_cast<uInt>(e.data.size())));
    std::string payload = e.rawPayload ? e.payload : e.deflate ? Deflate(e.data) : e.data;
    uint16_t flags = static_cast<uint16_t>((e.dataDescriptor ? 8 : 0) | (e.password.empty() ? 0 : 1));
    if (!e.password.empty()) {
      ZipCipher cipher;
      cipher.Start(e.password.c_str());
      std::string header = "0123456789a";
      header += static_cast<char>(e.dataDescriptor ? (e.dosDateTime >> 8) & 0xFF : crc >> 24);
      std::string all = header + payload;
      cipher.Encipher(reinterpret_cast<uint8_t*>(all.data()), all.size());
      payload = all;
    }
    uint16_t method = e.rawPayload && e.method != 0xFFFF ? e.method : e.deflate ? 8 : 0;
    size_t localOffset = a.bytes.size();
    a.localOffsets.push_back(localOffset);
    std::string local;
    Append32(local, 0x04034b50);
    Append16(local, 20);
    Append16(local, flags);
    Append16(local, method);
    Append32(local, e.dosDateTime);
    Append32(local, e.dataDescriptor ? 0 : crc);
    Append32(local, e.dataDescriptor ? 0 : static_cast<uint32_t>(payload.size()));
    Append32(local, e.dataDescriptor ? 0 : static_cast<uint32_t>(e.data.size()));
    Append16(local, static_cast<uint16_t>(e.name.size()));
    Append16(local, static_cast<uint16_t>(e.localExtra.size()));
    a.bytes += local + e.name + e.localExtra + payload;
    if (e.dataDescriptor) {
      std::string d;
      Append32(d, 0x08074b50);
      Append32(d, crc);
      Append32(d, static_cast<uint32_t>(payload.size()));
      Append32(d, static_cast<uint32_t>(e.data.size()));
      a.bytes += d;
    }
    std::string c;
    Append32(c, 0x02014b50);
    Append16(c, e.versionMadeBy);
    Append16(c, 20);
    Append16(c, flags);
    Append16(c, method);
    Append32(c, e.dosDateTime);
    Append32(c, crc);
    Append32(c, static_cast<uint32_t>(payload.size()));
    Append32(c, static_cast<uint32_t>(e.data.size()));
    Append16(c, static_cast<uint16_t>(e.name.size()));
    Append16(c, static_cast<uint16_t>(e.centralExtra.size()));
    Append16(c, 0);
    Append16(c, 0);
    Append16(c, 0);
    Append32(c, e.externalAttributes);
    Append32(c, static_cast<uint32_t>(localOffset - base));
    central += c + e.name + e.centralExtra;
  }
  size_t centralStart = a.bytes.size();
  size_t at = centralStart;
  for (const TestEntry& e : entries) {
    a.centralOffsets.push_back(at);
    at += 46 + e.name.size() + e.centralExtra.size();
  }
  a.bytes += central;
  a.endOffset = a.bytes.size();
  std::string end;
  Append32(end, 0x06054b50);
  Append16(end, 0);
  Append16(end, 0);
  Append16(end, static_cast<uint16_t>(entries.size()));
  Append16(end, static_cast<uint16_t>(entries.size()));
  Append32(end, static_cast<uint32_t>(central.size()));
  Append32(end, static_cast<uint32_t>(centralStart - base));
  Append16(end, static_cast<uint16_t>(comment.size()));
  a.bytes += end + comment;
  return a;
}

}  // namespace zip::test
