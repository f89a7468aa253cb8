// Converting between UTF-16 and UTF-8; see wide_text_win.h.
#include "installer/wide_text_win.h"

#include <windows.h>

#include <climits>

namespace installer {

std::string Utf8FromWide(std::wstring_view wide) {
  if (wide.empty() || wide.size() > size_t(INT_MAX) / 3) return {};
  // One UTF-16 unit never takes more than 3 UTF-8 bytes (a surrogate pair takes 4 for 2 units).
  std::string text(wide.size() * 3, '\0');
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), text.data(),
                                         int(text.size()), nullptr, nullptr);
  text.resize(length > 0 ? size_t(length) : 0);
  return text;
}

std::wstring WideFromUtf8(std::string_view text) {
  if (text.empty() || text.size() > size_t(INT_MAX)) return {};
  // Each byte yields at most one UTF-16 unit.
  std::wstring wide(text.size(), L'\0');
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), int(wide.size()));
  wide.resize(length > 0 ? size_t(length) : 0);
  return wide;
}

}  // namespace installer
