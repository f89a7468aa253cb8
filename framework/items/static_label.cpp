// A static item's label prefixes; see static_label.h.
#include "framework/items/static_label.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the digits at `*text`, saturating at `limit`; moves past them.
int64_t ReadNumber(const char** text, int64_t limit) {
  int64_t value = 0;
  for (; IsDigit(**text); ++*text) {
    value = value * 10 + (**text - '0');
    if (value > limit) value = limit;
  }
  return value;
}

constexpr int64_t kAboveCommandIds = 0x10000;

}  // namespace

StaticLabel ParseStaticLabel(const char* label) {
  StaticLabel result{0, false, false, 0, label};
  const char* text = label;
  if (text[0] == '#' && IsDigit(text[1])) {
    ++text;
    const int64_t command = ReadNumber(&text, kAboveCommandIds);
    result.hasPrefixIcon = true;
    result.iconCommand = command < kAboveCommandIds ? static_cast<uint16_t>(command) : 0;
  }
  if (text[0] == '@' && IsDigit(text[1])) {
    ++text;
    result.hasProgress = true;
    result.progress = static_cast<int32_t>(ReadNumber(&text, 100));
  }
  result.text = text;
  return result;
}

ZrfRect ProgressBarRect(const ZrfRect& label, int32_t shift, int32_t textWidth, int32_t textHeight,
                        int32_t u) {
  const int32_t left = label.left + shift + textWidth + 2 * u;
  const int32_t top = label.top + (label.Height() - textHeight) / 2 + 1;
  return {left, top, left + 10 * textHeight, top + textHeight - 2};
}

int32_t ProgressFillWidth(int32_t innerWidth, int32_t progress) {
  if (innerWidth <= 0) return 0;
  return static_cast<int32_t>(static_cast<int64_t>(innerWidth) * progress / 100);
}
