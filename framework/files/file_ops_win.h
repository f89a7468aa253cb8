// The real file-system calls of the data-file store and folder creation.
#pragma once

#include "framework/files/file_ops.h"

/// The process's FileOps on the Win32 file API (ANSI paths). Stateless; usable from any thread and
/// to the very end of the process (it is never destroyed).
FileOps& SystemFileOps();
