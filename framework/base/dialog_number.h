// The number rule of dialog edit fields, kept apart from the dialog so it can be checked directly.
#pragma once

#include <cstdint>

/// The value of a dialog field's text: an empty or null text gives `minimum`; otherwise the
/// decimal number at its start (leading blanks and a sign allowed); with `strict`, text left over
/// after the number gives `minimum`. The value is then raised to `minimum` and lowered to
/// `maximum`; numbers beyond 32 bits saturate before that.
int32_t ParseDlgNumber(const char* text, int32_t minimum, int32_t maximum, bool strict);
