// The framework's own commands (separators, the bars menu and the window-menu commands) and the
// icons registered with them, in the order the start-up registers them.
#pragma once

#include <cstdint>

#include "framework/app/command_table.h"

/// BuiltInCommand::icon for a command without an icon.
constexpr uint16_t kNoCommandIcon = 0;
/// BuiltInCommand::icon for a colour swatch the framework window draws itself (16 x 16).
constexpr uint16_t kDrawnCommandIcon = 1;
/// Size in pixels of the built-in command icons.
constexpr int32_t kBuiltInIconSize = 16;
/// Width and height of a drawn swatch, which the UI style keeps a reference to.
extern const int32_t kDrawnIconSize[2];

/// One registration of the start-up: an icon (when `icon` is a resource number or
/// kDrawnCommandIcon) registered under `id` just before the command itself, unless `iconOnly`.
struct BuiltInCommand {
  uint16_t id;
  uint16_t kind;
  uint32_t flags;      ///< passed to registration, which adds 0x1001
  uint16_t icon;       ///< icon resource, kNoCommandIcon or kDrawnCommandIcon
  uint16_t stringId;   ///< kUseCommandId: the command's own id
  uintptr_t menuList;  ///< a menu's list of ids (pointer to u16 ended by 0xFFFF), else 0
  bool iconOnly;       ///< only the icon is registered
};

/// The registrations, in order: 41 commands and 13 icons (four of them drawn).
extern const BuiltInCommand kBuiltInCommands[];
extern const int32_t kBuiltInCommandCount;

/// Registers one icon; returns true when it was registered.
using RegisterIconFunction = bool (*)(void* context, uint16_t commandId, uint16_t resource);

/// Registers the built-in commands into `table` in order, each icon through `registerIcon` just
/// before its command. 0; ZRF_ERR_ADD_ICON when an icon failed, ZRF_ERR_ADD_COMMAND when a
/// command could not be registered (the registration stops at the first failure).
int32_t RegisterBuiltInCommands(CCommandTable& table, RegisterIconFunction registerIcon, void* context);
