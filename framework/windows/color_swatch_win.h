// The swatches a framework window draws for the custom-colour commands of its window menu
// (WM_ZRF_DRAWICON): each shows the colour that its command edits.
#pragma once

#include <windows.h>

#include <cstdint>

/// Answers WM_ZRF_DRAWICON (wParam the DC, lParam a DrawIconRequest): for the custom-colour
/// commands an empty rectangle gets the swatch's size, 16 by 16, and any other is drawn as the
/// colour inside the rectangle moved in by 4 with a one-pixel frame. 0; 1 for another command
/// or no request.
LRESULT DrawColorSwatch(WPARAM wParam, LPARAM lParam);

/// The settings' custom colour that window-menu command `commandId` edits (0xF134 background,
/// 0xF135 focus, 0xF136 text, 0xF137 highlighted text), or -1 for another command.
int32_t CustomColorOfCommand(uint16_t commandId);
