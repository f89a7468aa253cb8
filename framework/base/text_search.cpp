// Case-insensitive text search and token replacement.
#include "framework/base/text_search.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool EqualNoCase(const char* a, const char* b, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

}  // namespace

const char* FindTextNoCase(const char* text, const char* pattern) {
  if (text == nullptr || pattern == nullptr || *text == '\0') return nullptr;
  size_t textLength = std::strlen(text);
  size_t patternLength = std::strlen(pattern);
  if (patternLength > textLength) return nullptr;
  for (size_t at = 0; at <= textLength - patternLength; ++at) {
    if (EqualNoCase(text + at, pattern, patternLength)) return text + at;
  }
  return nullptr;
}

const char* EndsWithNoCase(const char* text, const char* suffix) {
  if (text == nullptr || suffix == nullptr || *text == '\0' || *suffix == '\0') return nullptr;
  size_t textLength = std::strlen(text);
  size_t suffixLength = std::strlen(suffix);
  if (suffixLength > textLength) return nullptr;
  const char* tail = text + (textLength - suffixLength);
  return EqualNoCase(tail, suffix, suffixLength) ? tail : nullptr;
}

int ReplaceAll(char* buffer, size_t bufferSize, const char* find, const char* replacement, bool truncate) {
  if (buffer == nullptr || find == nullptr || replacement == nullptr || bufferSize == 0) return -1;
  // An empty token would match everywhere and never advance.
  if (*find == '\0') return -1;
  const void* terminator = std::memchr(buffer, '\0', bufferSize);
  if (terminator == nullptr) return -1;
  size_t textLength = size_t(static_cast<const char*>(terminator) - buffer);
  size_t findLength = std::strlen(find);

  // Built aside, so a result that does not fit leaves the caller's text as it was.
  std::string result;
  std::vector<size_t> replacementStarts;
  size_t at = 0;
  while (at < textLength) {
    if (textLength - at >= findLength && std::memcmp(buffer + at, find, findLength) == 0) {
      replacementStarts.push_back(result.size());
      result += replacement;
      at += findLength;
    } else {
      result += buffer[at++];
    }
  }
  size_t keptLength = result.size();
  if (keptLength > bufferSize - 1) {
    if (!truncate) return -1;
    keptLength = bufferSize - 1;
  }
  std::memcpy(buffer, result.data(), keptLength);
  buffer[keptLength] = '\0';
  int count = 0;
  for (size_t start : replacementStarts) {
    if (start < keptLength) ++count;
  }
  return count;
}
