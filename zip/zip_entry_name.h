// Internal to the zip library: callers must not include this header (use zip/zip_reader.h).
// Entry names made safe to join to a base folder. The writer takes only names that come through here,
// so that whatever it writes reads back.
#pragma once

#include <cstddef>

namespace zip {

/// Longest name the reader hands out, terminator included.
constexpr size_t kEntryNameCapacity = 260;

/// Makes the stored name (length bytes, not terminated) safe to place below a base folder and
/// writes it, NUL-terminated, to out (kEntryNameCapacity bytes). Drive prefixes and leading
/// separators are dropped; the name is cut into components at "/" and "\", empty and "." components
/// are dropped and ".." removes the component before it, never more than there are, so the result
/// never climbs out; trailing dots and spaces are trimmed from each component, as Windows would.
/// Separators are kept as stored. Returns false, leaving out empty, when the name cannot be made
/// safe: control characters or NUL, characters Windows forbids in names (":" after the drive,
/// <>"|?*), a device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, CONIN$, CONOUT$, with any extension),
/// nothing left, or a result of 260 characters or more.
[[nodiscard]] bool SanitiseEntryName(const char* stored, size_t length, char* out);

/// True when path (NUL-terminated) is relative and already in the form SanitiseEntryName gives, so
/// that base folder + path names a place below the base folder.
bool IsSafeRelativePath(const char* path);

/// True for "/" and "\", the separators of entry names on every platform.
constexpr bool IsSeparator(char c) { return c == '/' || c == '\\'; }

/// True when path starts with "/" or "\" or has ":" as its second character.
bool IsAbsolutePath(const char* path);

}  // namespace zip
