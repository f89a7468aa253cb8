// The entries of a menu: where its list of command ids comes from, how far that list is read, and
// how the keyboard steps from entry to entry. Platform-free.
#pragma once

#include <cstdint>
#include <span>

/// A popup reads at most this many ids, so a list whose end mark is missing cannot lead the walk
/// through memory that is not the list's.
constexpr int32_t kMaxMenuIds = 256;

/// True when a menu command's data word does not point at its ids and the owner is asked for
/// them: no list (0), or the mark of a list the owner gives (all bits set, which the built-in bars
/// menu carries) that must never be read as an address.
bool AsksOwnerForIds(uintptr_t data);

/// The number of ids before the end mark 0xFFFF, at most kMaxMenuIds; 0 for a null list.
int32_t MenuIdCount(const uint16_t* ids);

/// What the keyboard needs of one entry of a popup or a menu bar.
struct MenuEntryState {
  bool separator;  ///< the group separator (command 0xF000)
  bool enabled;
  bool visible;  ///< its window is shown (menu-bar entries)
};

/// From `start` (-1: before the first), steps by `direction` (+1 or -1) with wrap-around, at most
/// one round, over the entries that are neither separators nor (when `needVisible`) hidden, and
/// stops at the first enabled one. Returns its index; when none is enabled, the index reached
/// with `reachedWhenNone` (a popup's rule), else -1 (a menu bar's). -1 for no entries.
int32_t NextMenuEntry(std::span<const MenuEntryState> entries, int32_t start, int32_t direction, bool needVisible,
                      bool reachedWhenNone);
