// Test support: the product's install record in the registry of the running Wine prefix, written
// the way the installation writes it, but with a data folder of the test's own when one is given
// and without the update-check address, so the plant program's update check fails at once.
#pragma once

#include <string>

/// Writes the install record for `installFolder`, with `dataFolder` as the custom data folder unless
/// it is empty (then each user gets the default one). False, with `*why` set, when the folder does
/// not fit the record or the registry refuses.
bool PutInstallRecord(const std::string& installFolder, const std::string& dataFolder, std::string* why);
