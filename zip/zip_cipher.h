// The traditional zip stream cipher (PKWARE application note, "Traditional PKWARE Encryption"),
// used by the writer to encipher entries and by the reader to decipher them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zip {

/// Three 32-bit keys driven by the plain text. Copyable: it holds no resources.
class ZipCipher {
 public:
  static constexpr size_t kHeaderSize = 12;

  /// Starts the keys and runs them over password (NUL-terminated; null counts as empty).
  void Start(const char* password);

  /// Enciphers bytes in place, continuing the key stream.
  void Encipher(uint8_t* bytes, size_t size);
  /// Deciphers bytes in place, continuing the key stream.
  void Decipher(uint8_t* bytes, size_t size);

  /// Enciphers one byte and moves the keys on with the plain byte.
  uint8_t Encipher(uint8_t plain) {
    uint8_t out = static_cast<uint8_t>(plain ^ StreamByte());
    Update(plain);
    return out;
  }
  /// Deciphers one byte and moves the keys on with the plain byte it gives.
  uint8_t Decipher(uint8_t enciphered) {
    uint8_t plain = static_cast<uint8_t>(enciphered ^ StreamByte());
    Update(plain);
    return plain;
  }

 private:
  uint8_t StreamByte() const {
    uint32_t t = (key2_ & 0xFFFF) | 2;
    return static_cast<uint8_t>((t * (t ^ 1)) >> 8);
  }
  void Update(uint8_t plain);

  uint32_t key0_ = 0x12345678;
  uint32_t key1_ = 0x23456789;
  uint32_t key2_ = 0x34567890;
};

/// Fills the 12-byte cipher header of an entry, not yet enciphered: 11 random bytes and the check
/// byte last. Returns false when no random bytes could be had.
[[nodiscard]] bool MakeCipherHeader(uint8_t (&header)[ZipCipher::kHeaderSize], uint8_t checkByte);

}  // namespace zip
