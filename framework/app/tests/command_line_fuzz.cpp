// Fuzz target: any bytes as a command line. Checks the invariants callers rely on: every text is
// terminated inside its field, only the first item may lack a "-", and the result agrees with the
// switches found.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/app/command_line.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool Terminated(const char* field) { return std::memchr(field, '\0', kSwitchTextSize) != nullptr; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4 * kCommandLineSize) return 0;
  const std::string line(reinterpret_cast<const char*>(data), size);  // stops at an inner NUL
  CSwitchList list;
  SwitchFlags flags;
  bool complete = false;
  const int32_t result = ParseCommandLine(line.c_str(), list, flags, &complete);
  Check(complete);
  for (int32_t i = 0; i < list.Count(); ++i) {
    const CommandLineItem& item = list.Item(i);
    Check(Terminated(item.name));
    Check(item.name[0] == '-' || (i == 0 && item.name[0] == '\0'));
    for (int32_t a = 0; a < list.ArgumentCount(i); ++a) Check(Terminated(list.Argument(i, a)));
  }
  const bool quit = FindSwitch(list, "-QUIT") >= 0;
  const bool wait = FindSwitch(list, "-WAITFORDATAPATH") >= 0;
  Check(result == (quit ? kParseQuit : wait ? kParseWaitForDataPath : kParsePlain));
  Check(flags.autostart == (FindSwitch(list, "-AUTOSTART") >= 0 ? 1 : 0));
  // Parsing the same line again gives the same items.
  CSwitchList again;
  SwitchFlags flagsAgain;
  Check(ParseCommandLine(line.c_str(), again, flagsAgain) == result);
  Check(again.Count() == list.Count());
  return 0;
}
