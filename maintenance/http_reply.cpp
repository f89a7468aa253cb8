// Parsing reply heads.
#include "maintenance/http_reply.h"

#include "maintenance/ascii_case.h"

namespace maintenance {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return std::string_view();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The value of the first field named `name` on a line after the one where `*from` lies (0: the
// status line); *from then moves to the end of the line found, so the next call finds the next.
std::optional<std::string_view> FindFieldFrom(std::string_view head, std::string_view name, size_t* from) {
  size_t lineStart = head.find("\r\n", *from);  // fields start after the status line
  while (lineStart != std::string_view::npos) {
    lineStart += 2;
    const size_t lineEnd = head.find("\r\n", lineStart);
    const std::string_view line = head.substr(lineStart, lineEnd - lineStart);
    if (line.size() > name.size() && line[name.size()] == ':' && StartsWithNoCase(line, name)) {
      *from = lineStart + line.size();
      return Trim(line.substr(name.size() + 1));
    }
    lineStart = lineEnd;
  }
  return std::nullopt;
}

}  // namespace

int ParseReplyStatus(std::string_view head) {
  // "HTTP/" version, one space, three digits, then a space, CR or the end of the head.
  const std::string_view line = head.substr(0, head.find("\r\n"));
  if (line.size() < 12 || line.substr(0, 5) != "HTTP/" || line[8] != ' ') return -1;
  if (!IsDigit(line[9]) || !IsDigit(line[10]) || !IsDigit(line[11])) return -1;
  if (line.size() > 12 && line[12] != ' ') return -1;
  return (line[9] - '0') * 100 + (line[10] - '0') * 10 + (line[11] - '0');
}

std::optional<std::string_view> FindHeaderField(std::string_view head, std::string_view name) {
  size_t from = 0;
  return FindFieldFrom(head, name, &from);
}

BodyLength ReadBodyLength(std::string_view head, int32_t limit) {
  size_t from = 0;
  const std::optional<std::string_view> field = FindFieldFrom(head, "Content-Length", &from);
  BodyLength length;
  // Two different lengths leave no way to tell where the body ends, and taking either may cut
  // "1.2.30" to "1.2.3"; a length merely repeated says nothing new.
  for (auto other = field; other; other = FindFieldFrom(head, "Content-Length", &from)) {
    if (*other != *field) {
      length.kind = BodyLength::Invalid;
      return length;
    }
  }
  // -1 is an old way to say "unknown", which is what a missing field says.
  if (!field || *field == "-1") return length;
  length.kind = BodyLength::Invalid;
  if (field->empty()) return length;
  int64_t bytes = 0;
  for (const char c : *field) {
    // The limit is at most INT32_MAX, so stopping above it keeps the sum far from overflowing.
    if (!IsDigit(c) || bytes > limit) return length;
    bytes = bytes * 10 + (c - '0');
  }
  if (bytes > limit) return length;
  length.kind = BodyLength::Exact;
  length.bytes = static_cast<int32_t>(bytes);
  return length;
}

}  // namespace maintenance
