// The platform's error codes (errno elsewhere, GetLastError() on Windows) and their texts, so that
// platform-free code can keep the cause of a failed call and a message can tell it.
#pragma once

#include <cstddef>
#include <cstdint>

/// The platform's code for the last failure of the calling thread.
uint32_t SystemErrorCode();

/// The platform's code for "access denied", for a failure found without a failing call.
uint32_t AccessDeniedCode();

/// The platform's text for `code`, on one line without a final line break, into `text` (`size`
/// bytes); empty when the platform has none.
void SystemErrorText(uint32_t code, char* text, size_t size);
