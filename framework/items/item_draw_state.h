// Which look an item takes from its command's flags: the frame style, the text colour, centring,
// bold text and the press offset. Platform-free.
#pragma once

#include <cstdint>

struct ItemDrawState {
  int32_t frameStyle;     ///< 0 plain, 6 checked, 7 checked and disabled, 1 hot, 2 pressed
  uint32_t textSelector;  ///< colour selector: 0 disabled, 1 enabled, 2 hot or pressed
  bool centre;            ///< kItemCentred, outside popups only
  bool bold;
  int32_t pressOffset;  ///< 1 when pressed: the content moves one pixel right and down
};

/// The look of an item with command flags `flags`; later rules win, so pressed beats hot beats
/// checked.
ItemDrawState DrawStateOf(uint32_t flags, bool inPopup);
