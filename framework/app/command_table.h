// The command table: every action a framework UI item can show or trigger, as one record per
// 16-bit command id, kept sorted by id and searched by halving. Platform-free; the application
// object redraws the items of a command whose state changed (zrf_app_win.h).
#pragma once

#include <cstdint>

#include "framework/base/zrf_array.h"

/// Kinds of UI item made for a command (others belong to the UI items).
constexpr uint16_t kCommandButton = 1;
constexpr uint16_t kCommandMenu = 3;
constexpr uint16_t kCommandSeparator = 4;

/// State and style bits of CommandRecord::flags (the UI items define the others).
constexpr uint32_t kCommandEnabled = 0x1;
constexpr uint32_t kCommandHot = 0x200;
constexpr uint32_t kCommandPressed = 0x400;
constexpr uint32_t kCommandChecked = 0x800;
constexpr uint32_t kCommandRegistered = 0x1000;      ///< always set by registration
constexpr uint32_t kCommandSubmenu = 0x1000000;      ///< the command opens a cascading popup
constexpr uint32_t kCommandAlwaysSends = 0x8000000;  ///< accelerators send it even when disabled

/// RegisterCommand's "use the command id" for the icon id and the string id.
constexpr uint16_t kUseCommandId = 0xFFFF;
/// String id of a command whose texts the owner window gives.
constexpr int16_t kStringFromOwner = -2;
/// Ends a menu's list of command ids.
constexpr uint16_t kMenuListEnd = 0xFFFF;
/// Data of a menu whose list the owner gives (the bars menu).
constexpr uintptr_t kMenuListFromOwner = ~uintptr_t{0};
/// The separator that menus put between groups of entries.
constexpr uint16_t kSeparatorCommand = 0xF000;

/// One command. In memory only, never stored: `data` is pointer-sized because a menu's data
/// points at its list of command ids (u16, ended by kMenuListEnd).
struct CommandRecord {
  uint16_t id;
  uint16_t kind;
  uint32_t valueA;  ///< kind-specific
  uint32_t valueB;  ///< kind-specific
  uint32_t flags;
  uint16_t iconId;   ///< command id of its icon in the UI style's table; 0 none
  int16_t stringId;  ///< piece 0 caption, piece 2 status text; kStringFromOwner: ask the owner
  uintptr_t data;    ///< kind-specific; for a menu its list of ids
  char text[260];    ///< not filled by registration
};
static_assert(sizeof(CommandRecord::data) == sizeof(void*), "a menu's list pointer fits the data word");

/// The sorted table.
class CCommandTable {
 public:
  CCommandTable() = default;
  CCommandTable(const CCommandTable&) = delete;
  CCommandTable& operator=(const CCommandTable&) = delete;

  /// Inserts a record with `flags` | 0x1001 at its sorted place (a second record of an id goes
  /// next to the first; ids are unique in practice). kUseCommandId for `iconId` or `stringId` takes the
  /// command id. Returns its position, or -1 when the table cannot grow (nothing changes).
  int32_t Register(uint16_t id, uint16_t kind, uint32_t flags, uint16_t iconId, uint16_t stringId,
                   uintptr_t data, uint32_t valueA, uint32_t valueB);
  /// Position of `id`, -1 when absent (also in an empty table).
  int32_t Index(uint16_t id) const;
  /// The record of `id`, null when absent. Valid until the table changes.
  const CommandRecord* Find(uint16_t id) const;
  /// Copies the record of `id` into `out`. 0, or ZRF_ERR_UNKNOWN_COMMAND (out untouched).
  int32_t Get(uint16_t id, CommandRecord* out) const;
  /// Replaces the record of `id` by `record`, keeping the slot's id so the table stays sorted.
  /// 0, or ZRF_ERR_UNKNOWN_COMMAND.
  int32_t Set(uint16_t id, const CommandRecord& record);
  /// Sets or clears kCommandChecked; `*changed` tells whether the flags changed. 0 or
  /// ZRF_ERR_UNKNOWN_COMMAND.
  int32_t SetChecked(uint16_t id, bool checked, bool* changed);
  /// Enabling sets kCommandEnabled; disabling clears it with kCommandHot and kCommandPressed.
  /// `*changed` tells whether the flags changed. 0 or ZRF_ERR_UNKNOWN_COMMAND.
  int32_t Enable(uint16_t id, bool enabled, bool* changed);
  /// Flags of `id` := `set` | (flags without `clear`); `*changed` tells whether they changed. 0
  /// or ZRF_ERR_UNKNOWN_COMMAND.
  int32_t UpdateFlags(uint16_t id, uint32_t set, uint32_t clear, bool* changed);
  /// Removes the record of `id`; the others keep their order. 0, or ZRF_ERR_UNKNOWN_COMMAND.
  int32_t Remove(uint16_t id);

  int32_t Count() const { return records_.count; }
  /// Record `position`; requires 0 <= position < Count().
  const CommandRecord& At(int32_t position) const { return *records_.GetAt(position); }

  /// The storage, so tests can make a growth fail.
  CZrfArray<CommandRecord>& Records() { return records_; }

 private:
  CZrfArray<CommandRecord> records_;
};
