// The plants an upgrade ended, as the text the package carries from the action that ends them to
// the actions that start them again once the upgrade has succeeded or has been rolled back. Only
// the text; reading command lines and starting processes is left to running_plants_win.h.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace installer {

/// One plant process as the upgrade found it, in UTF-8.
struct PlantCommand {
  std::string program;      ///< full path of the program file it ran
  std::string commandLine;  ///< its whole command line, the program's own name included
};

/// At most 16 plants share the desktop; a longer list is not ours and is cut there.
constexpr size_t kMaxPlantCommands = 16;

/// The list as text: one plant a line, "<program>\t<command line>\n". A plant whose program path
/// is empty or holds a tab or a line break, or whose command line holds a line break, could not
/// be read back as it was: it is left out, and `*leftOut` (when not null) counts it.
std::string FormatPlantCommands(const std::vector<PlantCommand>& plants, int32_t* leftOut);

/// The plants of a text FormatPlantCommands made. A line without a tab or with an empty program
/// is skipped; a "\r" before a line's "\n" is dropped; lines past kMaxPlantCommands are ignored.
std::vector<PlantCommand> ParsePlantCommands(std::string_view text);

}  // namespace installer
