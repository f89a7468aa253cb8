// The text of the plants an upgrade ended; see plant_command_list.h.
#include "installer/plant_command_list.h"

namespace installer {
namespace {

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

std::string FormatPlantCommands(const std::vector<PlantCommand>& plants, int32_t* leftOut) {
  std::string text;
  int32_t skipped = 0;
  for (const PlantCommand& plant : plants) {
    if (plant.program.empty() || plant.program.find('\t') != std::string::npos ||
        HasLineBreak(plant.program) || HasLineBreak(plant.commandLine)) {
      ++skipped;
      continue;
    }
    text += plant.program + '\t' + plant.commandLine + '\n';
  }
  if (leftOut != nullptr) *leftOut = skipped;
  return text;
}

std::vector<PlantCommand> ParsePlantCommands(std::string_view text) {
  std::vector<PlantCommand> plants;
  while (!text.empty() && plants.size() < kMaxPlantCommands) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const size_t tab = line.find('\t');
    if (tab == std::string_view::npos || tab == 0) continue;
    plants.push_back({std::string(line.substr(0, tab)), std::string(line.substr(tab + 1))});
  }
  return plants;
}

}  // namespace installer
