// The keyed status texts of a framework window, free of the window system. The window guards a
// list with its mutex; this class only keeps the texts and decides which one is shown.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/base/zrf_array.h"

namespace zrf {

constexpr int32_t kStatusTextSize = 1024;

/// One keyed text. Keys: -2 the status text of the item under the mouse, -3 a second text, -1 a
/// text dropped as soon as no key of 0 or more remains, 0 and above the program's own.
struct StatusTextEntry {
  int32_t key;
  char text[kStatusTextSize];
};
static_assert(sizeof(StatusTextEntry) == 1028);

class StatusTextList {
 public:
  StatusTextList() { shown_[0] = '\0'; }

  /// Sets the text of `key` (cut to 1023 characters; a new key goes to the end of the list), or
  /// removes it for a null or empty text, keeping the order of the others. When no key of 0 or
  /// more remains, the first key -1 entry goes too. Returns false, with the list unchanged,
  /// when it cannot grow.
  bool Set(int32_t key, const char* text);

  /// The text to show: the first key -1 entry's, else the last entry's, else "". The pointer
  /// stays valid and keeps its contents until the next Set, whatever happens to the list's
  /// buffer, so a string table may point at it.
  const char* Shown() const { return shown_; }

  int32_t Count() const { return entries_.count; }
  const StatusTextEntry& At(int32_t index) const { return *entries_.GetAt(index); }

 private:
  int32_t Find(int32_t key) const;
  void Remove(int32_t index);
  void UpdateShown();

  CZrfArray<StatusTextEntry> entries_;
  char shown_[kStatusTextSize];
};

}  // namespace zrf
