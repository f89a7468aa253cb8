// Entry names.
#include "zip/zip_names.h"

namespace zip {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
    char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] - 'A' + 'a') : b[i];
    if (x != y) return false;
  }
  return true;
}

std::string NormaliseEntryName(std::string_view name, bool isFolder) {
  if (name.empty() || name.size() > kMaxEntryName) return {};
  std::string stored(name);
  for (char& c : stored) {
    if (c == '\\') c = '/';
  }
  if (isFolder && stored.back() != '/') {
    if (stored.size() == kMaxEntryName) return {};
    stored += '/';
  }
  return stored;
}

bool IsStoredByName(std::string_view name) {
  static constexpr std::string_view kCompressed[] = {".z", ".zip", ".zoo", ".arc", ".lzh", ".arj", ".gz", ".tgz"};
  size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return false;
  std::string_view suffix = name.substr(dot);
  for (std::string_view kind : kCompressed) {
    if (EqualsIgnoringCase(suffix, kind)) return true;
  }
  return false;
}

}  // namespace zip
