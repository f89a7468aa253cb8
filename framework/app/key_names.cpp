// The English names and Windows constants of the virtual keys. Letters, digits, the number pad
// and the function keys follow a pattern and are filled in a loop.
#include "framework/app/key_names.h"

#include <cstdio>
#include <cstring>

namespace {

struct NamedKey {
  uint8_t code;
  const char* displayName;
  const char* constantName;
};

// Keys whose names follow no pattern. OEM keys have no English name: the start-up gives them the
// character the keyboard layout puts on them.
constexpr NamedKey kNamedKeys[] = {
    {0x00, "", "NONE"},
    {0x01, "Left Button", "VK_LBUTTON"},
    {0x02, "Right Button", "VK_RBUTTON"},
    {0x03, "Cancel", "VK_CANCEL"},
    {0x04, "Middle Button", "VK_MBUTTON"},
    {0x05, "X Button 1", "VK_XBUTTON1"},
    {0x06, "X Button 2", "VK_XBUTTON2"},
    {0x08, "Backspace", "VK_BACK"},
    {0x09, "Tab", "VK_TAB"},
    {0x0C, "Clear", "VK_CLEAR"},
    {0x0D, "Enter", "VK_RETURN"},
    {0x10, "Shift", "VK_SHIFT"},
    {0x11, "Ctrl", "VK_CONTROL"},
    {0x12, "Alt", "VK_MENU"},
    {0x13, "Pause", "VK_PAUSE"},
    {0x14, "Caps Lock", "VK_CAPITAL"},
    {0x15, "Kana", "VK_KANA"},
    {0x17, "Junja", "VK_JUNJA"},
    {0x18, "Final", "VK_FINAL"},
    {0x19, "Kanji", "VK_KANJI"},
    {0x1B, "Esc", "VK_ESCAPE"},
    {0x1C, "Convert", "VK_CONVERT"},
    {0x1D, "Nonconvert", "VK_NONCONVERT"},
    {0x1E, "Accept", "VK_ACCEPT"},
    {0x1F, "Mode Change", "VK_MODECHANGE"},
    {0x20, "Space", "VK_SPACE"},
    {0x21, "Page Up", "VK_PRIOR"},
    {0x22, "Page Down", "VK_NEXT"},
    {0x23, "End", "VK_END"},
    {0x24, "Home", "VK_HOME"},
    {0x25, "Left", "VK_LEFT"},
    {0x26, "Up", "VK_UP"},
    {0x27, "Right", "VK_RIGHT"},
    {0x28, "Down", "VK_DOWN"},
    {0x29, "Select", "VK_SELECT"},
    {0x2A, "Print", "VK_PRINT"},
    {0x2B, "Execute", "VK_EXECUTE"},
    {0x2C, "Print Screen", "VK_SNAPSHOT"},
    {0x2D, "Insert", "VK_INSERT"},
    {0x2E, "Delete", "VK_DELETE"},
    {0x2F, "Help", "VK_HELP"},
    {0x5B, "Left Windows", "VK_LWIN"},
    {0x5C, "Right Windows", "VK_RWIN"},
    {0x5D, "Applications", "VK_APPS"},
    {0x5F, "Sleep", "VK_SLEEP"},
    {0x6A, "Num *", "VK_MULTIPLY"},
    {0x6B, "Num +", "VK_ADD"},
    {0x6C, "Separator", "VK_SEPARATOR"},
    {0x6D, "Num -", "VK_SUBTRACT"},
    {0x6E, "Num .", "VK_DECIMAL"},
    {0x6F, "Num /", "VK_DIVIDE"},
    {0x90, "Num Lock", "VK_NUMLOCK"},
    {0x91, "Scroll Lock", "VK_SCROLL"},
    {0xA0, "Left Shift", "VK_LSHIFT"},
    {0xA1, "Right Shift", "VK_RSHIFT"},
    {0xA2, "Left Ctrl", "VK_LCONTROL"},
    {0xA3, "Right Ctrl", "VK_RCONTROL"},
    {0xA4, "Left Alt", "VK_LMENU"},
    {0xA5, "Right Alt", "VK_RMENU"},
    {0xA6, "Browser Back", "VK_BROWSER_BACK"},
    {0xA7, "Browser Forward", "VK_BROWSER_FORWARD"},
    {0xA8, "Browser Refresh", "VK_BROWSER_REFRESH"},
    {0xA9, "Browser Stop", "VK_BROWSER_STOP"},
    {0xAA, "Browser Search", "VK_BROWSER_SEARCH"},
    {0xAB, "Browser Favorites", "VK_BROWSER_FAVORITES"},
    {0xAC, "Browser Home", "VK_BROWSER_HOME"},
    {0xAD, "Volume Mute", "VK_VOLUME_MUTE"},
    {0xAE, "Volume Down", "VK_VOLUME_DOWN"},
    {0xAF, "Volume Up", "VK_VOLUME_UP"},
    {0xB0, "Next Track", "VK_MEDIA_NEXT_TRACK"},
    {0xB1, "Previous Track", "VK_MEDIA_PREV_TRACK"},
    {0xB2, "Stop Media", "VK_MEDIA_STOP"},
    {0xB3, "Play/Pause", "VK_MEDIA_PLAY_PAUSE"},
    {0xB4, "Mail", "VK_LAUNCH_MAIL"},
    {0xB5, "Select Media", "VK_LAUNCH_MEDIA_SELECT"},
    {0xB6, "Application 1", "VK_LAUNCH_APP1"},
    {0xB7, "Application 2", "VK_LAUNCH_APP2"},
    {0xBA, "", "VK_OEM_1"},
    {0xBB, "", "VK_OEM_PLUS"},
    {0xBC, "", "VK_OEM_COMMA"},
    {0xBD, "", "VK_OEM_MINUS"},
    {0xBE, "", "VK_OEM_PERIOD"},
    {0xBF, "", "VK_OEM_2"},
    {0xC0, "", "VK_OEM_3"},
    {0xDB, "", "VK_OEM_4"},
    {0xDC, "", "VK_OEM_5"},
    {0xDD, "", "VK_OEM_6"},
    {0xDE, "", "VK_OEM_7"},
    {0xDF, "", "VK_OEM_8"},
    {0xE2, "", "VK_OEM_102"},
    {0xE5, "Process", "VK_PROCESSKEY"},
    {0xE7, "Packet", "VK_PACKET"},
    {0xF6, "Attn", "VK_ATTN"},
    {0xF7, "CrSel", "VK_CRSEL"},
    {0xF8, "ExSel", "VK_EXSEL"},
    {0xF9, "Erase EOF", "VK_EREOF"},
    {0xFA, "Play", "VK_PLAY"},
    {0xFB, "Zoom", "VK_ZOOM"},
    {0xFC, "NoName", "VK_NONAME"},
    {0xFD, "PA1", "VK_PA1"},
    {0xFE, "Clear", "VK_OEM_CLEAR"},
};

void Put(uint8_t code, const char* display, const char* constant) {
  KeyNameEntry& entry = gKeyNames[code];
  std::snprintf(entry.displayName, sizeof entry.displayName, "%s", display);
  std::snprintf(entry.constantName, sizeof entry.constantName, "%s", constant);
}

}  // namespace

KeyNameEntry gKeyNames[kKeyNameCount] = {};

void FillKeyNames() {
  for (int32_t code = 0; code < kKeyNameCount; ++code) {
    gKeyNames[code] = {};
    gKeyNames[code].code = static_cast<uint8_t>(code);
  }
  for (const NamedKey& key : kNamedKeys) Put(key.code, key.displayName, key.constantName);
  char display[32];
  char constant[65];
  for (int digit = 0; digit <= 9; ++digit) {
    std::snprintf(display, sizeof display, "%d", digit);
    Put(static_cast<uint8_t>(0x30 + digit), display, display);
    std::snprintf(display, sizeof display, "Num %d", digit);
    std::snprintf(constant, sizeof constant, "VK_NUMPAD%d", digit);
    Put(static_cast<uint8_t>(0x60 + digit), display, constant);
  }
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const char text[2] = {letter, '\0'};
    Put(static_cast<uint8_t>(letter), text, text);
  }
  for (int number = 1; number <= 24; ++number) {
    std::snprintf(display, sizeof display, "F%d", number);
    std::snprintf(constant, sizeof constant, "VK_F%d", number);
    Put(static_cast<uint8_t>(0x6F + number), display, constant);
  }
  for (KeyNameEntry& entry : gKeyNames) {
    entry.constantLength = static_cast<uint16_t>(std::strlen(entry.constantName));
  }
}
