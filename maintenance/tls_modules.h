// Loading the TLS library's modules (libssl and libcrypto) for this process: the platform half of
// GetTlsLibrary. Internal to the maintenance library; callers use tls_library.h.
#pragma once

namespace maintenance {

/// Loads libssl and libcrypto; false when either is missing. Called once, under GetTlsLibrary's
/// once-only guard.
bool LoadTlsModules();

/// Address of an exported function of the loaded modules, or null.
void* FindTlsFunction(const char* name);

}  // namespace maintenance
