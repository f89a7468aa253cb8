// The heads of the requests the HTTP client sends: an HTTP/1.0 GET, to the server itself (the path
// alone) or to a plain proxy (the whole URL), and the CONNECT that opens a tunnel through a proxy.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "maintenance/http_url.h"

namespace maintenance {

/// Longest request head sent, in characters, blank line included.
constexpr size_t kMaxRequestHeadLength = 1039;

/// A user name and password for Basic authorisation; no user name means none is sent.
struct Credentials {
  std::string_view user;
  std::string_view password;
};

struct GetRequest {
  const HttpUrl* url = nullptr;
  bool toPlainProxy = false;  ///< the request line carries the absolute URL, for the proxy to forward
  Credentials server;         ///< sent as Authorization
  Credentials proxy;          ///< sent as Proxy-Authorization, to a plain proxy only
  std::string_view since;     ///< If-Modified-Since date; empty: not sent
};

/// The GET head: request line, Authorization, Proxy-Authorization, Host and If-Modified-Since lines
/// (each only when there is something to send) and the blank line. False when the head would be
/// longer than kMaxRequestHeadLength or the date holds a line break.
bool BuildGetRequest(const GetRequest& request, std::string* head);

/// The CONNECT head for a tunnel to the URL's host and port, with Proxy-Authorization when the
/// proxy credentials name a user. False when it would be longer than kMaxRequestHeadLength.
bool BuildConnectRequest(const HttpUrl& url, Credentials proxy, std::string* head);

}  // namespace maintenance
