// Well-formedness of UTF-8 by lead and continuation bytes, used to decide whether a dialog text is
// UTF-8 or ANSI. Overlong forms and surrogates are deliberately not rejected.
#pragma once

/// True for null and for a NUL-terminated text whose every byte below 0x80 stands alone and
/// whose lead bytes 110xxxxx, 1110xxxx and 11110xxx are followed by one, two or three bytes
/// 10xxxxxx. Any other lead byte, or a missing continuation byte (the terminator included), gives
/// false.
bool IsValidUtf8(const char* text);
