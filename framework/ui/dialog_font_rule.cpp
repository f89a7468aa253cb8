// The qualifying rule for check boxes beside labels.
#include "framework/ui/dialog_font_rule.h"

#include <cstdlib>

namespace zrf {

bool CheckBoxQualifiesForDialogFont(const Rect& checkBox, const Rect& neighbour, uint32_t neighbourStyle) {
  if ((neighbourStyle & 0x7) == 0) return false;
  const int64_t height = checkBox.Height();
  const int64_t topDifference = std::llabs(static_cast<int64_t>(checkBox.top) - neighbour.top);
  if (2 * topDifference > height) return false;
  const int64_t offset = static_cast<int64_t>(checkBox.left) - neighbour.left;
  return offset >= 0 && offset <= 3 * height;
}

}  // namespace zrf
