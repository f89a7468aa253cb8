// What an uninstall could not delete because a process still holds it (the 64-bit hook library
// inside the desktop process): removed at the next restart, as Windows installers do.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace installer {

/// Deletes each of `names` (paths relative to `installFolder`, such as "Init\Greenleaf.plt") that
/// is still there, and schedules the ones that stay held for deletion at the next restart; then
/// removes the folders they were in, down to `installFolder`, or schedules them after the files.
/// Returns the number of files scheduled: not 0 means the uninstall needs a restart. Requires
/// the right to schedule (an administrator): a file that cannot be scheduled is logged on
/// standard error and not counted.
int32_t RemoveLeftoverFiles(const std::string& installFolder, const std::vector<std::string>& names);

}  // namespace installer
