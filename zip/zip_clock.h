// The present time as entry time stamps, for entries that have no file behind them.
#pragma once

#include "zip/zip_time.h"

namespace zip {

/// All three Unix times are the current UTC time; the DOS date and time the current local time.
EntryTimes CurrentEntryTimes();

}  // namespace zip
