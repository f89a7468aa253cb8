// The clock of scheduled archiving: the due check, the recorded archive day and the date and time
// tokens read it, so a test can move it.
#pragma once

#include <cstdint>

/// Seconds since 1970-01-01 UTC: time() unless a test set another clock.
int64_t ArchiveClockNow();

/// Replaces the clock (null restores time()). Tests only.
void SetArchiveClockForTesting(int64_t (*clock)());
