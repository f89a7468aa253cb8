// Base64 with the standard alphabet (A-Z, a-z, 0-9, "+", "/") and "=" padding: in lines of 76
// characters, or on one line for header values such as Basic authorisation.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace maintenance {

/// Encodes `*length` bytes of data, breaking the text with CR LF after every 76 characters (also
/// after a last line of exactly 76). Returns the NUL-terminated text and sets `*length` to the
/// characters written, line breaks included; null (length untouched) for null data, a null length
/// or a length of 0, and when memory runs out.
std::unique_ptr<char[]> Base64Encode(const void* data, size_t* length);

/// Base64Encode of a text; a negative length takes the text's own length.
std::unique_ptr<char[]> Base64EncodeText(const char* text, ptrdiff_t length);

/// The encoding of `bytes` on one line, as header values carry it.
std::string Base64Line(std::string_view bytes);

}  // namespace maintenance
