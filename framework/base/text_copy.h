// Copying a text into a fixed field of the framework's records, cut to fit.
#pragma once

#include <cstddef>
#include <cstring>

/// Copies `text` into `out`, cut to N - 1 characters, always terminated; null counts as empty.
template <size_t N>
void CopyCut(char (&out)[N], const char* text) {
  const size_t length = text == nullptr ? 0 : strnlen(text, N - 1);
  if (length > 0) std::memcpy(out, text, length);
  out[length] = '\0';
}
