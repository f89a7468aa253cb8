// The names a plant process derives from its -LOADPLANT value: the plant's name, its private copy
// in the data folder, the installed copy beside the program, the worker event and the options
// file. Platform-free; the entry function shows program message 30 for a refused value.
#pragma once

#include <cstdint>
#include <string>

class CSwitchList;

namespace plantapp {

/// The switch that names the plant file.
inline constexpr char kLoadPlantSwitch[] = "-LOADPLANT";

/// Error codes of naming the plant, shown with program message 30.
inline constexpr int32_t kNoPlantSwitch = 6;  ///< no -LOADPLANT
inline constexpr int32_t kNoPlantValue = 7;   ///< -LOADPLANT without a value (or an empty one)
inline constexpr int32_t kBadPlantValue = 8;  ///< no '.', a path separator or ':', or too long

/// Longest private plant path: its "_tmp" twin, which saving writes first, must fit a 260-byte path.
inline constexpr size_t kMaxPrivatePathLength = 255;

struct PlantNames {
  std::string fileName;       ///< the -LOADPLANT value, "Fern.plt"
  std::string plantName;      ///< the value cut at its last '.', "Fern"
  std::string privatePath;    ///< "<data folder>\Fern.plt": the only copy the process works on
  std::string installedPath;  ///< "<program folder>\Fern.plt": the first run's source
  std::string eventName;      ///< "VerdeloEvent_Fern.plt", the worker's named event
  std::string optionsName;    ///< "Fern-Options", the options' data-file name
};

/// Derives the names from the first -LOADPLANT switch of switches. Folders are full paths without
/// a trailing backslash. Returns 0, or kNoPlantSwitch, kNoPlantValue or kBadPlantValue; the value
/// is refused when it has no '.', holds '\', '/' or ':' (the private copy must stay in the data
/// folder, and the event and options names must stay plain names), or makes a private path longer
/// than kMaxPrivatePathLength, an installed path or an options file (with its "_tmp" twin) that
/// does not fit 260 bytes. *shownName is the name message 30 shows with the code: the value for a
/// refused one, else empty. *names is filled only on success.
[[nodiscard]] int32_t NamePlant(const CSwitchList& switches, const char* dataFolder, const char* programFolder,
                                PlantNames* names, std::string* shownName);

/// Name of the plant's worker event: "VerdeloEvent_" and the plant file name.
[[nodiscard]] std::string WorkerEventName(const std::string& plantFileName);

/// The arguments that start the program on the plant file fileName: -LOADPLANT, a blank and the
/// name in double quotes. Restart and autostart both use them.
[[nodiscard]] std::string LoadPlantArguments(const std::string& fileName);

}  // namespace plantapp
