// Traditional zip cipher. The key update shares zlib's CRC-32 table (reflected 0xEDB88320), the same
// table that checks the entries.
#include "zip/zip_cipher.h"

#include <zlib.h>

#include "zip/zip_random.h"

namespace zip {
namespace {

inline uint32_t CrcStep(uint32_t crc, uint8_t byte) {
  static const auto* table = get_crc_table();
  return (crc >> 8) ^ static_cast<uint32_t>(table[(crc ^ byte) & 0xFF]);
}

}  // namespace

void ZipCipher::Start(const char* password) {
  key0_ = 0x12345678;
  key1_ = 0x23456789;
  key2_ = 0x34567890;
  if (password == nullptr) return;
  for (const char* p = password; *p != '\0'; ++p) Update(static_cast<uint8_t>(*p));
}

void ZipCipher::Update(uint8_t plain) {
  key0_ = CrcStep(key0_, plain);
  key1_ = (key1_ + (key0_ & 0xFF)) * 134775813u + 1;
  key2_ = CrcStep(key2_, static_cast<uint8_t>(key1_ >> 24));
}

void ZipCipher::Encipher(uint8_t* bytes, size_t size) {
  for (size_t i = 0; i < size; ++i) bytes[i] = Encipher(bytes[i]);
}

void ZipCipher::Decipher(uint8_t* bytes, size_t size) {
  for (size_t i = 0; i < size; ++i) bytes[i] = Decipher(bytes[i]);
}

bool MakeCipherHeader(uint8_t (&header)[ZipCipher::kHeaderSize], uint8_t checkByte) {
  // The header bytes come from the system's random source: a generator reseeded from the tick
  // count would give entries written within one tick the same key stream.
  if (!FillRandom(header, ZipCipher::kHeaderSize - 1)) return false;
  header[ZipCipher::kHeaderSize - 1] = checkByte;
  return true;
}

}  // namespace zip
