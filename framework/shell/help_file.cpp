// Help-file rules; see help_file.h.
#include "framework/shell/help_file.h"

#include <cstdio>
#include <cstring>

bool IsHelpFileName(const char* file) { return file != nullptr && std::strstr(file, ".chm") != nullptr; }

bool HelpParameters(char (&parameters)[kPathCapacity], const char* path, const char* topic) {
  const bool hasTopic = topic != nullptr && *topic != '\0';
  const int written = hasTopic ? std::snprintf(parameters, sizeof parameters, "\"%s::/%s\"", path, topic)
                               : std::snprintf(parameters, sizeof parameters, "\"%s\"", path);
  if (written < 0 || static_cast<size_t>(written) >= sizeof parameters) {
    parameters[0] = '\0';
    return false;
  }
  return true;
}
