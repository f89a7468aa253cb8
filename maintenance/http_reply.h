// Reading the head of an HTTP reply (status line and header fields, up to the blank line): its
// status, the fields the client uses, and how long its body is.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace maintenance {

/// The status of a reply head whose status line reads "HTTP/x.y NNN" followed by a space or the
/// line's end; -1 for any other first line (not HTTP, cut short, or a status that is not three
/// digits).
int ParseReplyStatus(std::string_view head);

/// The value of the first header field named `name` (letter case ignored), without the spaces
/// around it; nothing when the head has no such field. Only a whole name at the start of a line
/// counts, so "Content-Location" is never taken for "Location".
std::optional<std::string_view> FindHeaderField(std::string_view head, std::string_view name);

/// How a reply's body ends, from its Content-Length field.
struct BodyLength {
  enum Kind {
    UntilClose,  ///< no length given (or -1): the body runs until the server closes
    Exact,       ///< `bytes` bytes
    Invalid,     ///< a length that is negative, not a number, over the caller's limit, or
                 ///< contradicted by another Content-Length field
  };
  Kind kind = UntilClose;
  int32_t bytes = 0;
};

/// Reads Content-Length; lengths above `limit` bytes, and fields that give different values, are
/// Invalid (the same value repeated is taken).
BodyLength ReadBodyLength(std::string_view head, int32_t limit);

}  // namespace maintenance
