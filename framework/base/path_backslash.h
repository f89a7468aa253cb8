// Trailing-backslash handling of the framework's fixed path buffers.
#pragma once

#include <cstddef>

constexpr size_t kPathCapacity = 260;  ///< characters of a path buffer, terminator included

/// Appends "\" unless the path is empty or already ends in "\", or the buffer of `capacity`
/// characters has no room for it (then the path is left as it was). Returns `path`.
char* AddTrailingBackslash(char* path, size_t capacity = kPathCapacity);

/// Removes one trailing "\" if present. Returns `path`.
char* RemoveTrailingBackslash(char* path);
