// The list of ended plants survives its trip through the package's properties, and damaged text
// gives only the plants it really names.
#include "installer/plant_command_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace installer {
// Beside the type, where the comparisons of the standard containers look for it.
bool operator==(const PlantCommand& a, const PlantCommand& b) {
  return a.program == b.program && a.commandLine == b.commandLine;
}
}  // namespace installer

namespace {

using installer::FormatPlantCommands;
using installer::ParsePlantCommands;
using installer::PlantCommand;

TEST(PlantCommandList, RoundTripKeepsQuotesSpacesAndTabsOfTheCommandLine) {
  const std::vector<PlantCommand> plants{
      {"C:\\Program Files\\Verdelo\\Verdelo.exe",
       "\"C:\\Program Files\\Verdelo\\Verdelo.exe\" -LOADPLANT Greenleaf.plt"},
      {"D:\\V\\Verdelo.exe", "Verdelo.exe -WAITFORDATAPATH -AUTOSTART -LOADPLANT \"My\tFern.plt\""}};
  int32_t leftOut = -1;
  const std::string text = FormatPlantCommands(plants, &leftOut);
  EXPECT_EQ(leftOut, 0);
  EXPECT_EQ(ParsePlantCommands(text), plants);
}

TEST(PlantCommandList, PlantsThatCouldNotBeReadBackAreLeftOutAndCounted) {
  const std::vector<PlantCommand> plants{{"C:\\a\tb\\Verdelo.exe", "x"},
                                         {"C:\\V\\Verdelo.exe", "Verdelo.exe -LOADPLANT A.plt\n-QUIT"},
                                         {"", "Verdelo.exe"},
                                         {"C:\\V\\Verdelo.exe", "Verdelo.exe -LOADPLANT B.plt"}};
  int32_t leftOut = 0;
  EXPECT_EQ(FormatPlantCommands(plants, &leftOut), "C:\\V\\Verdelo.exe\tVerdelo.exe -LOADPLANT B.plt\n");
  EXPECT_EQ(leftOut, 3);
}

TEST(PlantCommandList, DamagedLinesAreSkippedAndTheListEndsAtSixteen) {
  EXPECT_EQ(
      ParsePlantCommands("no tab here\n\tno program\nC:\\V.exe\tV.exe -LOADPLANT A.plt\r\n\nC:\\V.exe\t"),
      (std::vector<PlantCommand>{{"C:\\V.exe", "V.exe -LOADPLANT A.plt"}, {"C:\\V.exe", ""}}));
  std::string many;
  for (int i = 0; i < 20; ++i) many += "C:\\V.exe\tV.exe -LOADPLANT P" + std::to_string(i) + ".plt\n";
  const std::vector<PlantCommand> parsed = ParsePlantCommands(many);
  ASSERT_EQ(parsed.size(), 16u);
  EXPECT_EQ(parsed.back().commandLine, "V.exe -LOADPLANT P15.plt");
}

}  // namespace
