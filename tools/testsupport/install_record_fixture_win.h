// Test support: the product's install record in HKEY_LOCAL_MACHINE of the running Wine prefix, as
// the installation writes it, so a program can start through the framework in a test or a run.
#pragma once

#include <string>

/// Writes the install record of `productName`: the install folder, and the data folder unless it is
/// empty (then the framework's default folders are used). False, with `*why` set, when the registry
/// refuses.
bool PutInstallRecord(const char* productName, const std::string& installFolder, const std::string& dataFolder,
                      std::string* why);
