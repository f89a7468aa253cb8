// CBar: a panel of UI items docked in a bay of a framework window or floating as a tool window. The
// framework sizes it, lays its items out (with the overflow entry, its last item, taking what does
// not fit), docks and floats it, shows a busy overlay over it and saves its placement in
// "(ZRF)Bar<id>". Making a bar (its window class and procedure, its items) is the program's: it
// fills the fields, appends the bar to gApp.bars, which then owns it, and docks it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

#include "framework/base/zrf_array.h"
#include "framework/ui/bar_flags.h"
#include "framework/ui/bar_item_layout.h"

class CBar;
class CUIItem;
class CZrfWindow;

/// What a bar leaves to its UI items, which sit above the bars: gApp.barItemsHook, which the
/// start-up sets to the items' own (kBarItemOperations). Without it a bar measures, places and
/// frees no items.
struct BarItemOperations {
  /// The items of `bar` at their last measured sizes, in list order.
  std::vector<zrf::BarItem> (*sizes)(const CBar& bar);
  /// Measures the items of `bar` for `orientation`; returns them as the layout takes them, in list
  /// order.
  std::vector<zrf::BarItem> (*measure)(CBar& bar, zrf::BarOrientation orientation);
  /// Shows each item of `bar` at its place in `laid` and hides those the layout left out. Requires:
  /// `laid` holds one entry per item, in list order (as `measure` returned them).
  void (*place)(CBar& bar, std::span<const zrf::BarItem> laid);
  /// Deletes every item of `bar`, in list order.
  void (*destroy)(CBar& bar);
};

/// wParam of the WM_PAINT the bar's window gets before its items are laid out: it sets `inner`
/// to the area for the items, paints nothing and returns.
constexpr WPARAM kBarMeasurePaint = 1234;

class CBar {
 public:
  CBar() = default;
  /// Destroys and frees its items in list order, then its busy overlay and its window.
  ~CBar();
  CBar(const CBar&) = delete;
  CBar& operator=(const CBar&) = delete;

  /// The thickness from the items (their largest height, or width in a vertical bay, + 5; 24
  /// and a length of 20 without items), which is also minThickness; a resizable bar keeps a
  /// larger thickness of its own. Returns it.
  int32_t GetThickness();
  /// Lays the items out in `inner` (which the bar's window sets when it gets kBarMeasurePaint):
  /// unless `force`, only when `inner` changed since the last layout. A docked bar's length,
  /// preferred and minimum length follow its items; a bar without items takes `newLength` and
  /// `newThickness`.
  void LayoutItems(int32_t newLength, int32_t newThickness, bool force);
  /// Docks the bar in bay `newBayId` at newX along the bay (newY across it), or floats it at the
  /// screen point (newX, newY) when no such bay exists, newLength along the bay (a floating bar's
  /// width) and newThickness across it. With `apply` the window first takes the style, parent,
  /// layout and transparency of its new state, and its framework window is laid out again.
  void Dock(uint16_t newBayId, int32_t newX, int32_t newY, int32_t newLength, int32_t newThickness, bool apply);
  /// Writes its placement to "(ZRF)Bar<barId>" in the data folder. True when written.
  bool SaveState() const;
  /// Covers the bar with a transparent "ZRFBusy" child that shows the wait cursor, or removes it.
  void SetBusy(bool on);
  /// True while the bar floats.
  bool IsFloating() const { return side == kBarFloating; }

  HWND hwnd = nullptr;
  HWND busyWindow = nullptr;
  uint16_t barId = 0;        ///< its placement file's number (and, by custom, its command)
  uint16_t windowIndex = 0;  ///< the framework window it belongs to
  uint16_t bayId = 0;        ///< the bay it docks in
  uint16_t band = 0;
  int16_t x = 0;  ///< along the bay when docked; screen position when floating
  int16_t y = 0;
  uint16_t length = 0;  ///< along the bay
  uint16_t thickness = 0;
  uint16_t minLength = 0;  ///< room of the items that cannot be dropped
  uint16_t minThickness = 0;
  uint16_t preferredLength = 0;
  uint16_t barFlags = 0;
  int32_t side = kBarFloating;  ///< the bay's side, kBarFloating (-1) while floating
  RECT inner{};                 ///< the area for the items now
  RECT lastInner{};             ///< and at the last layout
  int32_t itemSpacing = 0;
  CZrfArray<CUIItem*> items;  ///< owned; the last is the overflow entry
  CZrfWindow* frameWindow = nullptr;  ///< the framework window that lays the bar out
  std::vector<uint16_t> overflowIds;  ///< commands of the dropped items, ending with 0xFFFF
};
