// The application object's shutdown at process exit: what the start-up installs as gApp's exit
// hook, and the restart it makes.
#pragma once

/// Destroys the windows and saves the state (DestroyAllWindows), tells the other instances to
/// restart when notify siblings is set, and starts the program again when a restart was asked:
/// through the shell, with the verb "runas" for an elevated restart on Windows Vista or later.
void ShutDownApplication();
