// Entry-name sanitising. The archive comes from a file the user picks, so every name is hostile: the
// only names that leave here are relative, climb nowhere, and mean the same on Windows and POSIX.
#include "zip/zip_entry_name.h"

#include <cstring>
#include <string_view>

namespace zip {
namespace {

bool IsForbiddenByte(unsigned char c) {
  return c < 0x20 || c == 0x7F || (c != 0 && strchr(":<>\"|?*", c) != nullptr);
}

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  }
  return true;
}

// Windows opens a device for these names whatever extension follows and whatever spaces precede
// the extension; superscript digits 1 to 3 (code page 1252) count as digits there too.
bool IsDeviceName(std::string_view component) {
  std::string_view stem = component.substr(0, component.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (EqualsIgnoringCase(stem, device)) return true;
  }
  if (stem.size() != 4) return false;
  if (!EqualsIgnoringCase(stem.substr(0, 3), "COM") && !EqualsIgnoringCase(stem.substr(0, 3), "LPT")) return false;
  unsigned char digit = static_cast<unsigned char>(stem[3]);
  return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
}

struct Component {
  size_t start;   // offset in the stored name
  size_t length;  // after trimming
  char separator; // the separator that followed it, or 0
};

}  // namespace

bool SanitiseEntryName(const char* stored, size_t length, char* out) {
  out[0] = '\0';
  for (size_t i = 0; i < length; ++i) {
    unsigned char c = static_cast<unsigned char>(stored[i]);
    if (c < 0x20 || c == 0x7F) return false;
  }
  size_t at = 0;
  for (;;) {
    if (length - at >= 2 && stored[at + 1] == ':') {
      at += 2;
    } else if (at < length && IsSeparator(stored[at])) {
      at += 1;
    } else {
      break;
    }
  }

  // Each kept component adds a character and a separator to the result, so more than this many
  // cannot fit it; a name that keeps more on the way (to remove them with ".." later) is refused.
  constexpr size_t kMaxComponents = kEntryNameCapacity / 2 + 1;
  Component kept[kMaxComponents];
  size_t keptCount = 0;
  while (at < length) {
    size_t end = at;
    while (end < length && !IsSeparator(stored[end])) ++end;
    std::string_view raw(stored + at, end - at);
    char separator = end < length ? stored[end] : '\0';
    at = end < length ? end + 1 : end;

    size_t trimmed = raw.size();
    while (trimmed > 0 && (raw[trimmed - 1] == '.' || raw[trimmed - 1] == ' ')) --trimmed;
    if (trimmed == 0) {
      if (raw == ".." && keptCount > 0) --keptCount;
      continue;
    }
    std::string_view name = raw.substr(0, trimmed);
    for (char c : name) {
      if (IsForbiddenByte(static_cast<unsigned char>(c))) return false;
    }
    if (IsDeviceName(name)) return false;
    if (keptCount == kMaxComponents) return false;
    kept[keptCount++] = Component{static_cast<size_t>(raw.data() - stored), trimmed, separator};
  }
  if (keptCount == 0) return false;

  size_t written = 0;
  for (size_t i = 0; i < keptCount; ++i) {
    bool last = i + 1 == keptCount;
    // A separator ends the name only when the stored name ended in one (a folder entry).
    char separator = kept[i].separator;
    size_t need = kept[i].length + (separator != '\0' ? 1 : 0);
    if (need >= kEntryNameCapacity - written) {
      out[0] = '\0';
      return false;
    }
    memcpy(out + written, stored + kept[i].start, kept[i].length);
    written += kept[i].length;
    if (separator != '\0' && (!last || IsSeparator(stored[length - 1]))) out[written++] = separator;
  }
  out[written] = '\0';
  return true;
}

bool IsAbsolutePath(const char* path) {
  return IsSeparator(path[0]) || (path[0] != '\0' && path[1] == ':');
}

bool IsSafeRelativePath(const char* path) {
  size_t length = strlen(path);
  if (length == 0 || length >= kEntryNameCapacity || IsAbsolutePath(path)) return false;
  char sanitised[kEntryNameCapacity];
  return SanitiseEntryName(path, length, sanitised) && strcmp(sanitised, path) == 0;
}

}  // namespace zip
