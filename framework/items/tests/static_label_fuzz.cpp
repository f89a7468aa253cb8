// Fuzzes the static label's prefixes: any text is read without overflow or reading past its end.
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/items/static_label.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string label(reinterpret_cast<const char*>(data), size);
  const StaticLabel parsed = ParseStaticLabel(label.c_str());
  if (parsed.progress < 0 || parsed.progress > 100) __builtin_trap();
  if (parsed.text < label.c_str() || parsed.text > label.c_str() + label.size()) __builtin_trap();
  return 0;
}
