// Internal to the UI items; callers outside framework/items must not include it.
// What the value items (slider, brush size, colour, palette) share: their value record from the
// command's data word, their notice to the owner, an immediate repaint, the cursor point of a
// mouse message on the screen, and the eyedropper.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/app/command_table.h"
#include "framework/base/zrf_results.h"
#include "framework/items/ui_item_win.h"

/// Marks the item's command as one that handles its own dragging (kItemOwnDrag).
void SetsOwnDrag(CUIItem* item);

/// A value item's set-up: `*value` := the command's value record, the message hook installed,
/// and for a kind that drags by itself kItemOwnDrag set in the command. 0, or
/// ZRF_ERR_UNKNOWN_COMMAND when the program gave no record (nothing else changes).
template <typename Record>
int32_t SetUpValueItem(CUIItem* item, const CommandRecord& command, Record** value, ItemMessageHook hook,
                       bool ownDrag) {
  *value = reinterpret_cast<Record*>(command.data);
  if (*value == nullptr) return ZRF_ERR_UNKNOWN_COMMAND;
  if (ownDrag) SetsOwnDrag(item);
  item->SetMessageHook(hook);
  return ZRF_OK;
}

/// WM_ZRF_COMMAND (command id, `lParam`) to the item's owner.
void NotifyValueChanged(const CUIItem* item, LPARAM lParam);
/// For the picking items: a button that comes up with the cursor at `screenPoint` outside the item
/// tells the owner (WM_ZRF_COMMAND, command id, 0).
void NotifyWhenReleasedOutside(const CUIItem* item, UINT message, POINT screenPoint);
/// Repaints the item's window now.
void RepaintNow(const CUIItem* item);
/// The point of a mouse message's lParam (client coordinates of `window`) on the screen.
POINT ScreenPointOf(HWND window, LPARAM lParam);
/// True when the screen point lies outside the window.
bool IsOutside(HWND window, POINT screenPoint);
/// The colour of the screen at `point` as GetPixel gives it (kInvalidScreenPixel when unreadable).
uint32_t ScreenPixelAt(POINT point);
/// Shows the eyedropper cursor (the framework's cursor 50105, the cross when it is missing).
void ShowEyedropper();
