// The link label's fit; see link_label_fit.h.
#include "framework/ui/link_label_fit.h"

#include <algorithm>

namespace zrf {

LinkFont ChooseLinkFont(int32_t largest, int32_t smallest, Size room, bool widthByEllipsis,
                        const std::function<Size(int32_t height)>& measure) {
  for (int32_t height = largest; height >= smallest; --height) {
    const Size text = measure(height);
    if (text.height <= room.height && (widthByEllipsis || text.width <= room.width)) return {height, true};
  }
  return {smallest, false};
}

Rect LinkTextRoom(const Rect& client, int32_t gap) {
  // A client too narrow for the sides leaves no room rather than a reversed rectangle.
  const int32_t inset = std::clamp(gap, 0, client.Width() / 2);
  return {client.left + inset, client.top, client.right - inset, client.bottom};
}

Rect LinkTextBox(const Rect& client, int32_t gap, Size text, LinkAlign align) {
  const Rect room = LinkTextRoom(client, gap);
  const int32_t width = std::clamp(text.width, 0, room.Width());
  const int32_t height = std::clamp(text.height, 0, room.Height());
  int32_t left = room.left;
  if (align == LinkAlign::Centre) left += (room.Width() - width) / 2;
  if (align == LinkAlign::Right) left = room.right - width;
  const int32_t top = room.top + (room.Height() - height) / 2;
  return {left, top, left + width, top + height};
}

Rect LinkFocusRect(const Rect& client, int32_t gap, const Rect& box) {
  return {std::max(client.left, box.left - gap), std::max(client.top, box.top - gap),
          std::min(client.right, box.right + gap), std::min(client.bottom, box.bottom + gap)};
}

}  // namespace zrf
