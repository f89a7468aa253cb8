// Base64 encoding, in lines or on one line.
#include "maintenance/base64.h"

#include <cstdint>
#include <cstring>
#include <new>

namespace maintenance {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr size_t kGroupsPerLine = 19;  // 76 characters

// Characters for `size` bytes: four per started group of three, plus CR LF after every full line
// when lines are broken. Requires: size <= SIZE_MAX / 2, so nothing here wraps.
size_t EncodedLength(size_t size, bool breakLines) {
  const size_t groups = size / 3 + (size % 3 != 0 ? 1 : 0);
  return groups * 4 + (breakLines ? groups / kGroupsPerLine * 2 : 0);
}

// Writes the encoding of `size` bytes to out, which holds EncodedLength characters.
void Encode(const unsigned char* bytes, size_t size, bool breakLines, char* out) {
  size_t groups = 0;
  for (size_t at = 0; at < size; at += 3) {
    const size_t left = size - at;
    const unsigned value =
        (bytes[at] << 16) | (left > 1 ? bytes[at + 1] << 8 : 0) | (left > 2 ? bytes[at + 2] : 0);
    *out++ = kAlphabet[(value >> 18) & 63];
    *out++ = kAlphabet[(value >> 12) & 63];
    *out++ = left > 1 ? kAlphabet[(value >> 6) & 63] : '=';
    *out++ = left > 2 ? kAlphabet[value & 63] : '=';
    if (breakLines && ++groups % kGroupsPerLine == 0) {
      *out++ = '\r';
      *out++ = '\n';
    }
  }
}

}  // namespace

std::unique_ptr<char[]> Base64Encode(const void* data, size_t* length) {
  if (data == nullptr || length == nullptr || *length == 0 || *length > SIZE_MAX / 2) return nullptr;
  const size_t characters = EncodedLength(*length, true);
  std::unique_ptr<char[]> text(new (std::nothrow) char[characters + 1]);
  if (text == nullptr) return nullptr;
  Encode(static_cast<const unsigned char*>(data), *length, true, text.get());
  text[characters] = '\0';
  *length = characters;
  return text;
}

std::unique_ptr<char[]> Base64EncodeText(const char* text, ptrdiff_t length) {
  if (text == nullptr) return nullptr;
  size_t size = length < 0 ? std::strlen(text) : static_cast<size_t>(length);
  return Base64Encode(text, &size);
}

std::string Base64Line(std::string_view bytes) {
  std::string text(EncodedLength(bytes.size(), false), '\0');
  Encode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), false, text.data());
  return text;
}

}  // namespace maintenance
