// The hook library's exports as the programs that link it see them. The exports take no arguments:
// a caller fills the argument fields of the shared block first, under the `busy` claim
// (hooklib/busy_word.h) for Register and Unregister, and releases the claim itself afterwards;
// the exports never touch it. The companion's requests (hooklib/companion_protocol.h) and the
// protocol's time budget (hooklib/time_budget.h) come with them.
#pragma once

#include "hooklib/companion_protocol.h"
#include "hooklib/shared_block.h"
#include "hooklib/time_budget.h"

extern "C" {

/// Registers block->inputHwnd (plant path block->inputName). 0 registered; 1 another process
/// already shows this plant and has been activated; -1 no free slot or the desktop did not answer.
__declspec(dllimport) int Ostrel_Register(void);

/// Removes block->inputHwnd and repaints block->updateRect. Nothing happens for a window that is
/// not registered.
__declspec(dllimport) int Ostrel_Unregister(void);

/// Repaints block->updateRect of the desktop list view; 0 when there is no list view.
__declspec(dllimport) int Ostrel_Update(void);

/// Finds the desktop list view again after a shell restart, enters it and repaints
/// block->updateRect. Waits as long as no desktop list view exists.
__declspec(dllimport) int Ostrel_Rehook(void);

/// The shared block, mapped when the library loads.
__declspec(dllimport) extern ostrel::OstrelSharedMem* Ostrel_SharedMem;
}
