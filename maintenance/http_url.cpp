// Parsing of absolute http and https URLs.
#include "maintenance/http_url.h"

#include "maintenance/ascii_case.h"

namespace maintenance {
namespace {

bool IsHostCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

bool HasSpaceOrControl(std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte == 0x7F) return true;
  }
  return false;
}

// "digits" of 1..65535; an empty text leaves *port as it is (the scheme's default).
bool ParsePort(std::string_view digits, uint16_t* port) {
  if (digits.empty()) return true;
  if (digits.size() > 5) return false;
  unsigned value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value == 0 || value > 65535) return false;
  *port = static_cast<uint16_t>(value);
  return true;
}

}  // namespace

std::string HttpUrl::AbsoluteForm() const { return (https ? "https://" : "http://") + authority + path; }

bool ParseHttpUrl(std::string_view url, HttpUrl* parsed) {
  if (url.size() > kMaxUrlLength || HasSpaceOrControl(url)) return false;
  const size_t slashes = url.find("://");
  if (slashes == std::string_view::npos) return false;
  HttpUrl result;
  const std::string_view scheme = url.substr(0, slashes);
  if (EqualsNoCase(scheme, "https")) {
    result.https = true;
    result.port = 443;
  } else if (EqualsNoCase(scheme, "http")) {
    result.port = 80;
  } else {
    return false;
  }

  const std::string_view rest = url.substr(slashes + 3);
  const size_t authorityEnd = rest.find_first_of("/?#");
  const std::string_view authority = rest.substr(0, authorityEnd);
  const size_t colon = authority.find(':');
  const std::string_view host = authority.substr(0, colon);
  if (host.empty() || host.size() > kMaxHostLength) return false;
  for (const char c : host) {
    if (!IsHostCharacter(c)) return false;
  }
  if (colon != std::string_view::npos && !ParsePort(authority.substr(colon + 1), &result.port)) return false;
  result.host = host;
  result.authority = result.host;
  if (colon != std::string_view::npos && colon + 1 < authority.size()) {
    result.authority += ':' + std::to_string(result.port);
  }

  std::string_view target =
      authorityEnd == std::string_view::npos ? std::string_view() : rest.substr(authorityEnd);
  target = target.substr(0, target.find('#'));
  if (target.empty() || target[0] != '/') result.path = "/";
  result.path += target;
  *parsed = std::move(result);
  return true;
}

}  // namespace maintenance
