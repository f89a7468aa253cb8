// What another process was started with: its program file and its command line, so that an
// upgrade can start the plants it ended again as they were.
#pragma once

#include <windows.h>

#include "installer/plant_command_list.h"

namespace installer {

/// Reads the program path and the command line of `process`, which must be open with
/// PROCESS_QUERY_INFORMATION and PROCESS_VM_READ and run with this process's bitness (the command
/// line is read from its process parameters, whose layout depends on it). False, with `command`
/// unchanged, when either cannot be read.
bool ReadProcessCommand(HANDLE process, PlantCommand* command);

}  // namespace installer
