// CHttpClient: fetches one document with an HTTP/1.0 GET, over plain TCP or TLS, directly or
// through a proxy (plain, or a CONNECT tunnel), following a few redirects, and leaves the body in
// a growable byte buffer. Made for one fetch on one thread; another thread may only raise the
// cancel flag.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/base/zrf_array.h"
#include "maintenance/http_reply.h"
#include "maintenance/http_request.h"
#include "maintenance/http_result.h"
#include "maintenance/http_url.h"
#include "maintenance/socket_conn.h"

namespace maintenance {

class CHttpClient {
 public:
  /// Largest reply head and body taken; anything larger is NotReceived.
  static constexpr int32_t kMaxHeadBytes = 16 * 1024;
  static constexpr int32_t kMaxBodyBytes = 64 * 1024;
  /// Redirects followed in a row before the fetch gives up with Redirect.
  static constexpr int kMaxRedirects = 5;
  /// Interim replies (statuses 100 to 199) passed over before the reply; more are NotReceived.
  static constexpr int kMaxInterimReplies = 5;
  static constexpr int kConnectSeconds = 30;
  /// Longest time one Get may take, redirects included, unless changed.
  static constexpr uint32_t kDefaultFetchTimeMs = 60000;

  /// An empty client with a response buffer of 4096 bytes.
  CHttpClient();
  CHttpClient(const CHttpClient&) = delete;
  CHttpClient& operator=(const CHttpClient&) = delete;

  /// The connection's cancel flag (see CSocketConn::SetCancelFlag).
  void SetCancelFlag(std::atomic<uint8_t>* flag) { connection_.SetCancelFlag(flag); }
  /// The connection's idle time-out (20 s unless changed).
  void SetIdleTimeout(uint32_t milliseconds) { connection_.SetIdleTimeout(milliseconds); }
  /// Longest time one Get may take, however slowly the server sends (60 s unless changed).
  void SetFetchTimeLimit(uint32_t milliseconds) { fetchTimeMs_ = milliseconds; }

  /// Sends every request through the proxy at host:port (an empty host: connect directly), with
  /// Basic proxy credentials when a user is given. https URLs always go through a CONNECT tunnel;
  /// http URLs too when `tunnel` is set. Nothing in the program sets a proxy yet; tests do.
  void SetProxy(const char* host, uint16_t port, const char* user, const char* password, bool tunnel);

  /// Fetches `url` (absolute http or https), with Basic authorisation when `user` is given and not
  /// empty, and If-Modified-Since when `since` holds a date; on success a Last-Modified date of the
  /// reply is copied into `since` (at most sinceSize - 1 characters). Redirects (statuses 300 to
  /// 499 with an absolute Location) are followed up to kMaxRedirects times, and interim replies
  /// (100 to 199, but for 101) passed over. On Ok the response buffer holds the body. A fetch
  /// that runs past its time limit ends with NotReceived (NoConnection or NotSent when its request
  /// had not gone out yet). Every return closes the connection.
  HttpResult Get(const char* url, const char* user, const char* password, char* since, size_t sinceSize);

  /// Opens the connection for `url`: to its host, or to the proxy and through a tunnel when asked
  /// for; TLS for https. Ok, NoConnection (direct connection failed), ProxyFailed, NotReceived (no
  /// answer to CONNECT) or ProxyAuthorization.
  HttpResult Connect(const HttpUrl& url);

  /// The body after a successful Get (the reply head while one is being read).
  const CZrfArray<uint8_t>& response() const { return response_; }

 private:
  HttpResult FollowRedirects(const char* url, Credentials server, char* since, size_t sinceSize);
  HttpResult Fetch(const std::string& urlText, Credentials server, char* since, size_t sinceSize,
                   std::string* location);
  HttpResult ReceiveHead();
  HttpResult ReceiveFinalHead();
  HttpResult ReceiveBody(BodyLength length);
  HttpResult OpenTunnel(const HttpUrl& url);

  CZrfArray<uint8_t> response_;
  std::string proxyHost_;
  uint16_t proxyPort_ = 0;
  std::string proxyUser_;
  std::string proxyPassword_;
  bool tunnel_ = false;
  uint32_t fetchTimeMs_ = kDefaultFetchTimeMs;
  CSocketConn connection_;
};

}  // namespace maintenance
