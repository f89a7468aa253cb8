// Keeping and choosing a framework window's status texts.
#include "framework/ui/status_texts.h"

#include <cstring>

namespace zrf {

int32_t StatusTextList::Find(int32_t key) const {
  for (int32_t i = 0; i < entries_.count; ++i) {
    if (entries_.GetAt(i)->key == key) return i;
  }
  return -1;
}

void StatusTextList::Remove(int32_t index) {
  StatusTextEntry* base = entries_.GetAt(0);
  std::memmove(base + index, base + index + 1, sizeof(StatusTextEntry) * static_cast<size_t>(entries_.count - index - 1));
  entries_.count -= 1;
}

bool StatusTextList::Set(int32_t key, const char* text) {
  const int32_t found = Find(key);
  if (text == nullptr || text[0] == '\0') {
    if (found >= 0) Remove(found);
  } else if (found >= 0) {
    StatusTextEntry* entry = entries_.GetAt(found);
    std::strncpy(entry->text, text, kStatusTextSize - 1);
    entry->text[kStatusTextSize - 1] = '\0';
  } else {
    StatusTextEntry entry{};
    entry.key = key;
    std::strncpy(entry.text, text, kStatusTextSize - 1);
    if (entries_.Add(entry) < 0) return false;
  }

  bool programText = false;
  for (int32_t i = 0; i < entries_.count && !programText; ++i) programText = entries_.GetAt(i)->key >= 0;
  if (!programText) {
    const int32_t transient = Find(-1);
    if (transient >= 0) Remove(transient);
  }
  UpdateShown();
  return true;
}

void StatusTextList::UpdateShown() {
  const int32_t transient = Find(-1);
  const char* text = "";
  if (transient >= 0) {
    text = entries_.GetAt(transient)->text;
  } else if (entries_.count > 0) {
    text = entries_.GetAt(entries_.count - 1)->text;
  }
  std::strncpy(shown_, text, kStatusTextSize - 1);
  shown_[kStatusTextSize - 1] = '\0';
}

}  // namespace zrf
