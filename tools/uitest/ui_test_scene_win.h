// The UI test program's scene: a framework window whose procedure records every framework message
// it gets (and answers the owner's questions), a panel in it that stands in for a bar, and items of
// every kind in five states: normal, hot, pressed, checked and disabled.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/base/string_table.h"
#include "framework/items/ui_item_win.h"
#include "framework/items/ui_values.h"

namespace uitest {

constexpr char kProductName[] = "ZrfUITest";
constexpr uint16_t kProductStringId = 1;

/// The columns of the scene.
enum ItemState : int32_t { kNormal, kHot, kPressed, kChecked, kDisabled, kStateCount };

/// The rows: one kind each.
enum SceneRow : int32_t {
  kRowButton,
  kRowStatic,
  kRowSeparator,
  kRowSlider,
  kRowBrushSize,
  kRowColor,
  kRowPalette,
  kRowCount,
};

/// Command of row `row` in state `state`.
constexpr uint16_t SceneCommand(int32_t row, int32_t state) {
  return static_cast<uint16_t>(0x200 + row * 8 + state);
}

/// Commands of the tests, beside the scene's.
constexpr uint16_t kDragOutCommand = 0x300;    ///< a button with kItemDragOut
constexpr uint16_t kOwnerTextCommand = 0x301;  ///< a button whose texts its owner gives
constexpr uint16_t kTreeCommand = 0x302;       ///< a tree filled by the scene's procedure
constexpr uint16_t kBareTreeCommand = 0x303;   ///< a tree without a procedure
constexpr uint16_t kBareValueCommand = 0x304;  ///< +0..3: slider, brush size, colour, palette without records
constexpr uint16_t kTooltipCommand = 0x310;    ///< a button with its own tooltip text (piece 3)
constexpr uint16_t kWideStaticCommand = 0x311;  ///< a stretching static: its label reaches its end

/// Texts the owner gives for kOwnerTextCommand, by piece.
extern const char* const kOwnerTexts[5];

/// One framework message the recorder got.
struct RecordedMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

/// The scene; one per program.
class Scene {
 public:
  /// Registers the commands, makes the framework window (index 0) with the recording procedure,
  /// the panel and every item, and shows them. 0, or the first error.
  int32_t Create();
  /// Deletes the items and the window.
  void Destroy();

  /// The item of `row` in `state`.
  CUIItem* Item(int32_t row, int32_t state) const { return items_[row][state]; }
  /// Messages of one number the recorder got since the last Clear.
  std::vector<RecordedMessage> Messages(UINT message) const;
  void ClearLog() { log.clear(); }

  HWND frame = nullptr;  ///< the framework window: the items' owner
  HWND panel = nullptr;  ///< the items' parent
  CUIItem* tree = nullptr;
  CUIItem* givenObject = nullptr;  ///< a button that came back through the factory's kind 99
  CUIItem* wideStatic = nullptr;   ///< a static long enough for its whole progress bar
  std::vector<RecordedMessage> log;
  LRESULT dropdownAnswer = 0;  ///< what the recorder answers WM_ZRF_DROPDOWN
  int32_t treeCreates = 0;     ///< WM_CREATE messages the tree procedure got

  UIValueRange ranges[2][kStateCount]{};  ///< slider, brush size
  UIColorValue colors[kStateCount]{};
  UIPaletteValue palettes[kStateCount]{};

 private:
  int32_t RegisterCommands();
  int32_t MakeItems();

  CUIItem* items_[kRowCount][kStateCount]{};
};

/// The scene of the program (its window procedures reach it here).
extern Scene gScene;

/// The program's string table.
extern StringRecord gStrings[];

}  // namespace uitest
