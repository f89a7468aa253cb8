// Token replacement against a std::string reference, and the other text helpers on arbitrary
// bytes. Input: buffer size, token length, token, replacement length, replacement, then the text.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "framework/base/dialog_number.h"
#include "framework/base/text_search.h"
#include "framework/base/utf8_check.h"

namespace {

std::string Take(const uint8_t*& data, size_t& size, size_t count) {
  count = count < size ? count : size;
  std::string part(reinterpret_cast<const char*>(data), count);
  data += count;
  size -= count;
  return part.substr(0, std::strlen(part.c_str()));  // texts end at their first NUL
}

std::string ReferenceReplace(const std::string& text, const std::string& find, const std::string& with) {
  std::string result;
  for (size_t at = 0; at < text.size();) {
    if (text.compare(at, find.size(), find) == 0) {
      result += with;
      at += find.size();
    } else {
      result += text[at++];
    }
  }
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  size_t bufferSize = size_t(data[0]) + 1;
  bool strict = (data[1] & 0x80) != 0;
  size_t findLength = data[1] % 8;
  data += 2;
  size -= 2;
  std::string find = Take(data, size, findLength);
  size_t withLength = size > 0 ? data[0] % 16 : 0;
  if (size > 0) ++data, --size;
  std::string with = Take(data, size, withLength);
  std::string text = Take(data, size, size);
  if (text.size() >= bufferSize) text.resize(bufferSize - 1);

  for (bool truncate : {false, true}) {
    std::vector<char> buffer(bufferSize, 'X');
    std::memcpy(buffer.data(), text.c_str(), text.size() + 1);
    int result = ReplaceAll(buffer.data(), buffer.size(), find.c_str(), with.c_str(), truncate);
    if (find.empty()) {
      if (result != -1 || text != buffer.data()) std::abort();
      continue;
    }
    std::string expected = ReferenceReplace(text, find, with);
    if (expected.size() < bufferSize) {
      if (result < 0 || expected != buffer.data()) std::abort();
    } else if (!truncate) {
      if (result != -1 || text != buffer.data()) std::abort();
    } else if (expected.substr(0, bufferSize - 1) != std::string(buffer.data())) {
      std::abort();
    }
  }
  (void)FindTextNoCase(text.c_str(), find.c_str());
  (void)IsValidUtf8(text.c_str());
  int32_t number = ParseDlgNumber(text.c_str(), -5, 70000, strict);
  if (number < -5 || number > 70000) std::abort();
  return 0;
}
