// Whether the common-controls library is new enough for the framework's controls.
#pragma once

#include <windows.h>

/// True when comctl32's DllGetVersion reports a version above 4.70; false when the library or
/// the export is missing. The library is loaded for the question and freed again.
bool IsModernCommonControls();
