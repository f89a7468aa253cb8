// The number rule of dialog edit fields.
#include "framework/base/dialog_number.h"

#include <cstdlib>

int32_t ParseDlgNumber(const char* text, int32_t minimum, int32_t maximum, bool strict) {
  if (text == nullptr || *text == '\0') return minimum;
  char* end = nullptr;
  // strtoll saturates at its own limits; clamping afterwards keeps every input in range.
  long long parsed = std::strtoll(text, &end, 10);
  if (strict && *end != '\0') return minimum;
  long long value = parsed;
  if (value < minimum) value = minimum;
  if (value > maximum) value = maximum;
  return int32_t(value);
}
