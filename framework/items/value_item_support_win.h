// Internal to the UI items; callers outside framework/items must not include it.
// What the value items (slider, brush size, colour, palette) share: their value record from the
// command's data word, their notice to the owner, an immediate repaint, the cursor point of a
// mouse message on the screen, and the eyedropper.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/app/command_table.h"

class CUIItem;

/// The command's value record, or null when the program gave none.
template <typename Record>
Record* ValueRecordOf(const CommandRecord& command) {
  return reinterpret_cast<Record*>(command.data);
}

/// WM_ZRF_COMMAND (command id, `lParam`) to the item's owner.
void NotifyValueChanged(const CUIItem* item, LPARAM lParam);
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
/// Marks the item's command as one that handles its own dragging (kItemOwnDrag).
void SetsOwnDrag(CUIItem* item);
