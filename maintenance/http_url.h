// Absolute http and https URLs, taken apart into what a request needs: whether TLS is used, the
// host and port to connect to, the Host header's value and the request target.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace maintenance {

/// Longest URL accepted, in characters.
constexpr size_t kMaxUrlLength = 1039;
/// Longest host name accepted, in characters.
constexpr size_t kMaxHostLength = 259;

struct HttpUrl {
  bool https = false;
  std::string host;       ///< the name or dotted address to connect to, without a port
  uint16_t port = 0;      ///< the URL's port, else 80 for http and 443 for https
  std::string authority;  ///< the host, with ":port" when the URL names one: the Host header's value
  std::string path;       ///< path and query, "/" when the URL has none; never a fragment

  /// The URL as a plain proxy needs it in the request line: scheme, authority and path.
  std::string AbsoluteForm() const;
};

/// Takes apart an absolute URL "http://host[:port][/path]" or "https://..." (the scheme in any
/// letter case). False for anything else: no "//", another scheme, user information, an empty or
/// over-long host, a host of other characters than letters, digits, "-" and ".", a port outside
/// 1..65535, a URL over kMaxUrlLength characters, or a space or control character anywhere (it
/// could split the request).
bool ParseHttpUrl(std::string_view url, HttpUrl* parsed);

}  // namespace maintenance
