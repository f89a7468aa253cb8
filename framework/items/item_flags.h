// What UI items read from a command: the kinds of item, the bits of the command's flags word as
// items understand them, and the numbers of its text pieces. Platform-free.
#pragma once

#include <cstdint>

#include "framework/app/command_table.h"

/// Item kinds: the `kind` field of a command record and the factory's argument.
constexpr int32_t kItemButton = kCommandButton;
constexpr int32_t kItemStatic = 2;
constexpr int32_t kItemMenu = kCommandMenu;
constexpr int32_t kItemSeparator = kCommandSeparator;
constexpr int32_t kItemTree = 5;
constexpr int32_t kItemList = 6;
constexpr int32_t kItemSlider = 9;
constexpr int32_t kItemBrushSize = 10;
constexpr int32_t kItemColor = 11;
constexpr int32_t kItemPalette = 12;
constexpr int32_t kItemGivenObject = 99;  ///< the factory hands back the object it was given

/// Bits of a command's flags word as items read them.
constexpr uint32_t kItemEnabled = kCommandEnabled;  ///< only enabled items track hover, press and click
constexpr uint32_t kItemStretch = 0x2;              ///< takes spare length; label reaches the shortcut column
constexpr uint32_t kItemFullBreadth = 0x4;          ///< full width in a column, full height in a row
constexpr uint32_t kItemOwnRow = 0x8;               ///< a row of its own in a floating bar
constexpr uint32_t kItemCentred = 0x10;             ///< content centred (outside popups)
constexpr uint32_t kItemBold = 0x40;                ///< bold label
constexpr uint32_t kItemShowLabel = 0x80;           ///< label shown outside popups
constexpr uint32_t kItemHasIcon = 0x100;            ///< 16 x 16 icon at 96 DPI
constexpr uint32_t kItemHot = kCommandHot;          ///< cursor over the item (run time)
constexpr uint32_t kItemPressed = kCommandPressed;  ///< pressed (run time)
constexpr uint32_t kItemChecked = kCommandChecked;  ///< checked
constexpr uint32_t kItemDroppable = 0x1000;         ///< may go to a full bar's overflow list
constexpr uint32_t kItemOwnDrag = 0x8000;           ///< handles its own dragging; hover keeps "pressed"
constexpr uint32_t kItemAlternativeLabel = 0x10000;  ///< label from text piece 4
constexpr uint32_t kItemDragOut = 0x20000;           ///< leaving while pressed sends WM_ZRF_DRAGOUT
constexpr uint32_t kItemTooltipInPopup = 0x40000;    ///< tooltip also inside a popup
constexpr uint32_t kItemHiddenInBars = 0x800000;
/// Split menu item (menu), thin spacer (separator), frame style 4 (static), bordered (list).
constexpr uint32_t kItemVariantA = 0x1000000;
/// Arrow part pressed (menu, run time), frame style 3 (static), tab stop (tree, list).
constexpr uint32_t kItemVariantB = 0x2000000;
constexpr uint32_t kItemMenuBarEntry = 0x4000000;

/// Text pieces of a command.
constexpr int32_t kPieceLabel = 0;
constexpr int32_t kPieceShortcut = 1;
constexpr int32_t kPieceStatus = 2;
constexpr int32_t kPieceTooltip = 3;
constexpr int32_t kPieceAlternativeLabel = 4;

/// Orientations an item is measured for.
constexpr int32_t kOrientationRow = 0;  ///< in a popup or a horizontal bar
constexpr int32_t kOrientationColumn = 1;
constexpr int32_t kOrientationFloating = 2;
