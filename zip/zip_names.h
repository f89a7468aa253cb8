// Entry names as the writer stores them, and the choice of method by name.
#pragma once

#include <string>
#include <string_view>

namespace zip {

/// The longest entry name the writer accepts, in bytes.
constexpr size_t kMaxEntryName = 259;

/// The name as stored: every backslash becomes "/", and a folder's name ends in "/". Empty when
/// the name is empty or would be longer than kMaxEntryName.
std::string NormaliseEntryName(std::string_view name, bool isFolder);

/// True when a and b hold the same text once ASCII letters are folded to lower case.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

/// True when a file entry of this name is stored rather than deflated: its part from the last "."
/// is, ignoring case, one of the already-compressed kinds .Z .zip .zoo .arc .lzh .arj .gz .tgz.
bool IsStoredByName(std::string_view name);

}  // namespace zip
