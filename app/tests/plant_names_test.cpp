// The -LOADPLANT value turned into the plant's names, and the values refused with codes 6, 7, 8.
#include "app/plant_names.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/app/command_line.h"

namespace plantapp {
namespace {

constexpr char kData[] = "C:\\d";
constexpr char kProgram[] = "C:\\Program Files\\Verdelo";

int32_t Name(const std::string& commandLine, PlantNames* names, std::string* shown,
             const char* programFolder = kProgram) {
  CSwitchList switches;
  SwitchFlags flags;
  ParseCommandLine(commandLine.c_str(), switches, flags);
  return NamePlant(switches, kData, programFolder, names, shown);
}

TEST(PlantNames, ValueGivesEveryName) {
  PlantNames names;
  std::string shown = "x";
  ASSERT_EQ(Name("-AUTOSTART -loadplant \"My Fern.v2.plt\"", &names, &shown), 0);
  EXPECT_EQ(shown, "");
  EXPECT_EQ(names.fileName, "My Fern.v2.plt");
  EXPECT_EQ(names.plantName, "My Fern.v2");
  EXPECT_EQ(names.privatePath, "C:\\d\\My Fern.v2.plt");
  EXPECT_EQ(names.installedPath, "C:\\Program Files\\Verdelo\\My Fern.v2.plt");
  EXPECT_EQ(names.eventName, "VerdeloEvent_My Fern.v2.plt");
  EXPECT_EQ(names.optionsName, "My Fern.v2-Options");
  EXPECT_EQ(LoadPlantArguments(names.fileName), "-LOADPLANT \"My Fern.v2.plt\"");
}

TEST(PlantNames, MissingEmptyAndBadValuesAreRefusedWithTheirCodes) {
  struct Row {
    std::string commandLine;
    int32_t code;
    std::string shown;
  };
  const Row rows[] = {
      {"-AUTOSTART", kNoPlantSwitch, ""},
      {"-LOADPLANT", kNoPlantValue, ""},
      {"-LOADPLANT \"\"", kNoPlantValue, ""},
      {"-LOADPLANT Fern", kBadPlantValue, "Fern"},
      {"-LOADPLANT ..\\..\\Fern.plt", kBadPlantValue, "..\\..\\Fern.plt"},
      {"-LOADPLANT sub/Fern.plt", kBadPlantValue, "sub/Fern.plt"},
      {"-LOADPLANT D:Fern.plt", kBadPlantValue, "D:Fern.plt"},
  };
  for (const Row& row : rows) {
    PlantNames names;
    std::string shown;
    EXPECT_EQ(Name(row.commandLine, &names, &shown), row.code) << row.commandLine;
    EXPECT_EQ(shown, row.shown) << row.commandLine;
    EXPECT_TRUE(names.privatePath.empty()) << row.commandLine;
  }
}

TEST(PlantNames, LengthLimitsOfThePrivatePathTheInstalledPathAndTheOptionsFile) {
  PlantNames names;
  std::string shown;
  // "C:\d\" + 250 characters is a private path of 255; one more is refused.
  const std::string longExtension = "a." + std::string(248, 'x');
  EXPECT_EQ(Name("-LOADPLANT " + longExtension, &names, &shown, "C:\\p"), 0);
  EXPECT_EQ(names.privatePath.size(), 255u);
  EXPECT_EQ(Name("-LOADPLANT " + longExtension + "x", &names, &shown, "C:\\p"), kBadPlantValue);
  // The installed copy beside a deeper program folder does not fit 260 bytes.
  EXPECT_EQ(Name("-LOADPLANT " + longExtension, &names, &shown), kBadPlantValue);
  // "C:\d\" + name + "-Options.zrd" + "_tmp" must stay below 260: a 238-character name fits.
  EXPECT_EQ(Name("-LOADPLANT " + std::string(238, 'n') + ".plt", &names, &shown, "C:\\p"), 0);
  EXPECT_EQ(Name("-LOADPLANT " + std::string(239, 'n') + ".plt", &names, &shown, "C:\\p"), kBadPlantValue);
}

}  // namespace
}  // namespace plantapp
