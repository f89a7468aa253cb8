// UTF-16 text of Windows (process parameters, installer properties, CreateProcessW) and the UTF-8
// the installer's platform-free code keeps.
#pragma once

#include <string>
#include <string_view>

namespace installer {

/// `wide` as UTF-8; unpaired surrogates become U+FFFD.
std::string Utf8FromWide(std::wstring_view wide);

/// `text` (UTF-8) as UTF-16; invalid bytes become U+FFFD.
std::wstring WideFromUtf8(std::string_view text);

}  // namespace installer
