// The bar item operations over CUIItem: sizes, measuring against the command table, placing and
// freeing.
#include "framework/items/bar_items_win.h"

#include "framework/app/zrf_app_win.h"
#include "framework/items/ui_item_win.h"

namespace {

constexpr uint16_t kSeparatorKind = 4;

std::vector<zrf::BarItem> ItemSizes(const CBar& bar) {
  std::vector<zrf::BarItem> sizes;
  for (int32_t i = 0; i < bar.items.count; ++i) {
    const CUIItem* item = *bar.items.GetAt(i);
    sizes.push_back({item->width, item->height, 0, false, 0, false, {}});
  }
  return sizes;
}

std::vector<zrf::BarItem> MeasureItems(CBar& bar, zrf::BarOrientation orientation) {
  std::vector<zrf::BarItem> measured;
  for (int32_t i = 0; i < bar.items.count; ++i) {
    CUIItem* item = *bar.items.GetAt(i);
    const CommandRecord* command = gApp.commands.Find(static_cast<uint16_t>(item->commandId));
    zrf::BarItem entry{0, 0, 0, false, static_cast<uint16_t>(item->commandId), false, {}};
    if (command != nullptr) {
      item->Measure(*command, orientation);
      entry.flags = command->flags;
      entry.separator = command->kind == kSeparatorKind;
    }
    entry.width = item->width;
    entry.height = item->height;
    measured.push_back(entry);
  }
  return measured;
}

void PlaceItems(CBar& bar, std::span<const zrf::BarItem> laid) {
  for (int32_t i = 0; i < bar.items.count; ++i) {
    CUIItem* item = *bar.items.GetAt(i);
    const zrf::BarItem& place = laid[static_cast<size_t>(i)];
    item->shownInBar = place.shown ? 1 : 0;
    if (item->hwnd == nullptr) continue;
    if (!place.shown) {
      ShowWindow(item->hwnd, SW_HIDE);
      continue;
    }
    SetWindowPos(item->hwnd, nullptr, place.rect.left, place.rect.top, place.rect.Width(), place.rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
}

void DeleteItems(CBar& bar) {
  for (int32_t i = 0; i < bar.items.count; ++i) delete *bar.items.GetAt(i);
}

}  // namespace

const BarItemOperations kBarItemOperations{ItemSizes, MeasureItems, PlaceItems, DeleteItems};
