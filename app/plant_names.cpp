// Naming the plant from its -LOADPLANT value; see plant_names.h.
#include "app/plant_names.h"

#include <cstring>

#include "app/hook_client.h"
#include "framework/app/command_line.h"
#include "framework/files/data_file.h"

namespace plantapp {
namespace {

// The hook library identifies the plant by its whole private path.
static_assert(kMaxPrivatePathLength <= kMaxHookPath);

constexpr char kOptionsSuffix[] = "-Options";
constexpr char kDataFileExtension[] = "zrd";
// Every file the process replaces is written first under its name plus this.
constexpr size_t kTemporarySuffixLength = 4;  // "_tmp"

// Whether path, followed by its temporary suffix, fits a 260-byte path buffer.
bool FitsWithTemporary(const std::string& path) { return path.size() + kTemporarySuffixLength < kDataPathCapacity; }

// "<folder>\<name>[.<extension>]" into *out; false when it does not fit 260 bytes.
bool JoinPath(const char* folder, const std::string& name, const char* extension, std::string* out) {
  char path[kDataPathCapacity];
  if (!BuildFolderFilePath(path, folder, name.c_str(), extension)) {
    return false;
  }
  *out = path;
  return true;
}

}  // namespace

int32_t NamePlant(const CSwitchList& switches, const char* dataFolder, const char* programFolder,
                  PlantNames* names, std::string* shownName) {
  shownName->clear();
  const int32_t position = FindSwitch(switches, kLoadPlantSwitch);
  if (position < 0) {
    return kNoPlantSwitch;
  }
  if (switches.ArgumentCount(position) == 0 || switches.Argument(position, 0)[0] == '\0') {
    return kNoPlantValue;
  }
  const std::string value = switches.Argument(position, 0);
  *shownName = value;
  const size_t dot = value.find_last_of('.');
  if (dot == std::string::npos || value.find_first_of("\\/:") != std::string::npos) {
    return kBadPlantValue;
  }
  PlantNames made;
  made.fileName = value;
  made.plantName = value.substr(0, dot);
  made.eventName = WorkerEventName(value);
  made.optionsName = made.plantName + kOptionsSuffix;
  std::string optionsPath;
  // The snapshot's name beside the private copy is the options file's folder and plant name with
  // a shorter ending, so it fits whenever the options file does.
  if (!JoinPath(dataFolder, value, nullptr, &made.privatePath) || made.privatePath.size() > kMaxPrivatePathLength ||
      !JoinPath(programFolder, value, nullptr, &made.installedPath) ||
      !JoinPath(dataFolder, made.optionsName, kDataFileExtension, &optionsPath) || !FitsWithTemporary(optionsPath)) {
    return kBadPlantValue;
  }
  *names = std::move(made);
  shownName->clear();
  return 0;
}

std::string WorkerEventName(const std::string& plantFileName) { return "VerdeloEvent_" + plantFileName; }

std::string LoadPlantArguments(const std::string& fileName) {
  return std::string(kLoadPlantSwitch) + " \"" + fileName + "\"";
}

}  // namespace plantapp
