// The built-in command table: ids, kinds, flags, icons and menu lists of the window menu.
#include "framework/app/built_in_commands.h"

#include "framework/base/zrf_results.h"

namespace {

constexpr uint16_t kCaptionMenu[] = {0xF121, 0xF122, 0xF123, 0xF124, kMenuListEnd};
constexpr uint16_t kColorMenu[] = {0xF131, 0xF132, 0xF133, kMenuListEnd};
constexpr uint16_t kCustomColorMenu[] = {0xF134, 0xF135, 0xF136, 0xF137, kMenuListEnd};
constexpr uint16_t kFontMenu[] = {0xF141, 0xF142, kMenuListEnd};
constexpr uint16_t kLockMenu[] = {0xF151, 0xF152,      0xF153, 0xF154, 0xF155, kSeparatorCommand,
                                  0xF156, kMenuListEnd};
constexpr uint16_t kTransparencyMenu[] = {
    0xF161, kSeparatorCommand, 0xF162, 0xF163,      0xF164, 0xF165, 0xF166, 0xF167, 0xF168, 0xF169,
    0xF16A, kSeparatorCommand, 0xF16B, kMenuListEnd};

uintptr_t ListOf(const uint16_t* list) { return reinterpret_cast<uintptr_t>(list); }

constexpr uint16_t kOwn = kUseCommandId;
constexpr uint16_t kButton = kCommandButton;
constexpr uint16_t kMenu = kCommandMenu;
constexpr uint16_t kSeparator = kCommandSeparator;
constexpr uint16_t kDrawn = kDrawnCommandIcon;

}  // namespace

const int32_t kDrawnIconSize[2] = {kBuiltInIconSize, kBuiltInIconSize};

const BuiltInCommand kBuiltInCommands[] = {
    {0xF000, kSeparator, 0x4, 0, 0xF000, 0, false},
    {0xF001, kSeparator, 0x1000000, 0, 0xF001, 0, false},
    {0xF100, kMenu, 0x80, 0, 0xF002, kMenuListFromOwner, false},
    {0xF105, kMenu, 0x80, 0, 0xF105, 0, false},
    {0xF110, kButton, 0x180, 50004, kOwn, 0, false},
    {0xF111, kButton, 0x180, 50005, kOwn, 0, false},
    {0xF120, kMenu, 0x180, 50000, 0xF120, ListOf(kCaptionMenu), false},
    {0xF121, kButton, 0x80, 0, kOwn, 0, false},
    {0xF122, kButton, 0x80, 0, kOwn, 0, false},
    {0xF123, kButton, 0x80, 0, kOwn, 0, false},
    {0xF124, kButton, 0x80, 0, kOwn, 0, false},
    {0xF130, kMenu, 0x180, 50001, 0xF130, ListOf(kColorMenu), false},
    {0xF131, kButton, 0x80, 0, kOwn, 0, false},
    {0xF132, kButton, 0x80, 0, kOwn, 0, false},
    {0xF133, kMenu, 0x1000000, 0, 0xF133, ListOf(kCustomColorMenu), false},
    {0xF134, kButton, 0x180, kDrawn, kOwn, 0, false},
    {0xF135, kButton, 0x180, kDrawn, kOwn, 0, false},
    {0xF136, kButton, 0x180, kDrawn, kOwn, 0, false},
    {0xF137, kButton, 0x180, kDrawn, kOwn, 0, false},
    {0xF140, kMenu, 0x180, 50002, 0xF140, ListOf(kFontMenu), false},
    {0xF141, kButton, 0x80, 0, kOwn, 0, false},
    {0xF142, kButton, 0x80, 0, kOwn, 0, false},
    {0xF150, kMenu, 0x180, 50003, 0xF150, ListOf(kLockMenu), false},
    {0xF151, kButton, 0x80, 0, kOwn, 0, false},
    {0xF152, kButton, 0x80, 0, kOwn, 0, false},
    {0xF153, kButton, 0x80, 0, kOwn, 0, false},
    {0xF154, kButton, 0x80, 0, kOwn, 0, false},
    {0xF155, kButton, 0x80, 0, kOwn, 0, false},
    {0xF156, kButton, 0x80, 0, kOwn, 0, false},
    {0xF160, kMenu, 0x180, 50006, 0xF160, ListOf(kTransparencyMenu), false},
    {0xF161, kButton, 0x80, 0, kOwn, 0, false},
    {0xF162, kButton, 0x80, 0, kOwn, 0, false},
    {0xF163, kButton, 0x80, 0, kOwn, 0, false},
    {0xF164, kButton, 0x80, 0, kOwn, 0, false},
    {0xF165, kButton, 0x80, 0, kOwn, 0, false},
    {0xF166, kButton, 0x80, 0, kOwn, 0, false},
    {0xF167, kButton, 0x80, 0, kOwn, 0, false},
    {0xF168, kButton, 0x80, 0, kOwn, 0, false},
    {0xF169, kButton, 0x80, 0, kOwn, 0, false},
    {0xF16A, kButton, 0x80, 0, kOwn, 0, false},
    {0xF16B, kButton, 0x80, 0, kOwn, 0, false},
    {0xF16C, 0, 0, 50007, 0, 0, true},
    {0xF16D, 0, 0, 50008, 0, 0, true},
};
const int32_t kBuiltInCommandCount = sizeof kBuiltInCommands / sizeof kBuiltInCommands[0];

int32_t RegisterBuiltInCommands(CCommandTable& table, RegisterIconFunction registerIcon, void* context) {
  for (const BuiltInCommand& command : kBuiltInCommands) {
    if (command.icon != kNoCommandIcon && !registerIcon(context, command.id, command.icon)) {
      return ZRF_ERR_ADD_ICON;
    }
    if (command.iconOnly) continue;
    const uint16_t iconId = command.icon != kNoCommandIcon ? kUseCommandId : 0;
    if (table.Register(command.id, command.kind, command.flags, iconId, command.stringId, command.menuList, 0,
                       0) < 0) {
      return ZRF_ERR_ADD_COMMAND;
    }
  }
  return ZRF_OK;
}
