// Case-insensitive text search and in-place token replacement on fixed narrow-text buffers.
// Letters are folded as ASCII, which is what the ANSI code page does for the tokens and header
// names these serve; no locale is consulted.
#pragma once

#include <cstddef>

/// First position in `text` where `pattern` matches regardless of letter case; null when there is
/// none, when either is null or when `text` is empty. An empty pattern matches at the start of a
/// non-empty text. The result points into `text`.
const char* FindTextNoCase(const char* text, const char* pattern);

/// Position of `suffix` at the end of `text` when `text` ends with it regardless of letter case;
/// null when either is null or empty, or when the suffix is longer than the text.
const char* EndsWithNoCase(const char* text, const char* suffix);

/// Replaces every occurrence of `find` in the NUL-terminated text in `buffer` (capacity
/// `bufferSize` bytes, terminator included) by `replacement`, left to right; an inserted
/// replacement is never searched again. Returns the number of replacements.
/// When the result does not fit: with `truncate` the result is cut so that it fills the buffer
/// exactly, terminator included, and the count is of the replacements that begin in the kept part;
/// without it the buffer is left unchanged and the result is -1. Also -1 (buffer unchanged) for a
/// null argument, an empty `find`, a zero `bufferSize` or a buffer holding no terminator.
int ReplaceAll(char* buffer, size_t bufferSize, const char* find, const char* replacement, bool truncate);
