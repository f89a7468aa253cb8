// The HTTP client's fetch: one GET per connection, redirects followed in a loop with a bound, and
// the reply read within fixed limits, so no server can make it allocate without end or loop.
#include "maintenance/http_client.h"

#include <chrono>
#include <cstring>
#include <string_view>

#include "maintenance/http_reply.h"

namespace maintenance {
namespace {

constexpr char kHeadEnd[] = "\r\n\r\n";

std::string_view View(const CZrfArray<uint8_t>& bytes) {
  return bytes.count > 0 ? std::string_view(reinterpret_cast<const char*>(bytes.GetAt(0)), bytes.count)
                         : std::string_view();
}

bool EndsWithHeadEnd(std::string_view head) {
  return head.size() >= 4 && head.substr(head.size() - 4) == kHeadEnd;
}

void CopyText(std::string_view text, char* out, size_t outSize) {
  if (out == nullptr || outSize == 0) return;
  const size_t count = text.size() < outSize - 1 ? text.size() : outSize - 1;
  std::memcpy(out, text.data(), count);
  out[count] = '\0';
}

bool IsPassedThrough(int status) {
  return status == 304 || status == 400 || status == 401 || status == 403 || status == 404;
}

}  // namespace

CHttpClient::CHttpClient() { (void)response_.Resize(4096, -1); }

void CHttpClient::SetProxy(const char* host, uint16_t port, const char* user, const char* password,
                           bool tunnel) {
  proxyHost_ = host != nullptr ? host : "";
  proxyPort_ = port;
  proxyUser_ = user != nullptr ? user : "";
  proxyPassword_ = password != nullptr ? password : "";
  tunnel_ = tunnel;
}

HttpResult CHttpClient::Get(const char* url, const char* user, const char* password, char* since,
                            size_t sinceSize) {
  const Credentials server{user != nullptr ? user : "", password != nullptr ? password : ""};
  // Every wait is bounded on its own, but a server sending a byte now and then would restart them
  // without end; the deadline bounds the fetch as a whole.
  connection_.SetDeadline(CSocketConn::Clock::now() + std::chrono::milliseconds(fetchTimeMs_));
  const HttpResult result = FollowRedirects(url, server, since, sinceSize);
  connection_.SetDeadline(CSocketConn::kNoDeadline);
  return result;
}

HttpResult CHttpClient::FollowRedirects(const char* url, Credentials server, char* since, size_t sinceSize) {
  std::string current = url != nullptr ? url : "";
  for (int redirects = 0;; ++redirects) {
    std::string location;
    const HttpResult result = Fetch(current, server, since, sinceSize, &location);
    (void)connection_.Disconnect();
    if (location.empty()) return result;
    // A redirect to the same URL, or one chain too many (A to B to A...), is not followed.
    if (location == current || redirects == kMaxRedirects) return HttpResult::Redirect;
    current = std::move(location);
  }
}

HttpResult CHttpClient::Fetch(const std::string& urlText, Credentials server, char* since, size_t sinceSize,
                              std::string* location) {
  HttpUrl url;
  if (!ParseHttpUrl(urlText, &url)) return HttpResult::BadUrl;
  GetRequest request;
  request.url = &url;
  request.toPlainProxy = !proxyHost_.empty() && !tunnel_ && !url.https;
  request.server = server;
  request.proxy = Credentials{proxyUser_, proxyPassword_};
  if (since != nullptr && sinceSize > 0) {
    const void* end = std::memchr(since, '\0', sinceSize);
    request.since =
        std::string_view(since, end != nullptr ? static_cast<const char*>(end) - since : sinceSize);
  }
  std::string head;
  if (!BuildGetRequest(request, &head)) return HttpResult::NotSent;

  (void)connection_.Disconnect();  // a connection left open by Connect alone
  if (Connect(url) != HttpResult::Ok) return HttpResult::NoConnection;
  if (connection_.Send(head.data(), head.size()) != SocketResult::Ok) return HttpResult::NotSent;
  const HttpResult received = ReceiveFinalHead();
  if (received != HttpResult::Ok) return received;

  const std::string_view reply = View(response_);
  const int status = ParseReplyStatus(reply);
  if (status < 0) return HttpResult::NotReceived;
  if (IsPassedThrough(status)) return static_cast<HttpResult>(status);
  if (status >= 500) return HttpResult::ServerError;
  if (status >= 300) {
    const std::optional<std::string_view> target = FindHeaderField(reply, "Location");
    if (target && !target->empty()) *location = *target;
    return HttpResult::Redirect;
  }
  if (since != nullptr) {
    const std::optional<std::string_view> modified = FindHeaderField(reply, "Last-Modified");
    if (modified) CopyText(*modified, since, sinceSize);
  }
  return ReceiveBody(ReadBodyLength(reply, kMaxBodyBytes));
}

HttpResult CHttpClient::ReceiveHead() {
  const SocketResult result = connection_.ReceiveUntil(&response_, kHeadEnd, kMaxHeadBytes);
  if (result == SocketResult::Cancelled) return HttpResult::Cancelled;
  // A head that stopped at the size limit, or at a close, before its blank line is incomplete.
  if (result != SocketResult::Ok || !EndsWithHeadEnd(View(response_))) return HttpResult::NotReceived;
  return HttpResult::Ok;
}

// Interim replies (100 Continue, 103 Early Hints) may come before the reply itself; they have no
// body and are passed over. A 101 switches protocols, which this client never asks for, so what
// follows it is no reply to the GET.
HttpResult CHttpClient::ReceiveFinalHead() {
  for (int interim = 0; interim <= kMaxInterimReplies; ++interim) {
    const HttpResult received = ReceiveHead();
    if (received != HttpResult::Ok) return received;
    const int status = ParseReplyStatus(View(response_));
    if (status == 101) return HttpResult::NotReceived;
    if (status < 100 || status > 199) return HttpResult::Ok;
  }
  return HttpResult::NotReceived;
}

HttpResult CHttpClient::ReceiveBody(BodyLength length) {
  if (length.kind == BodyLength::Invalid) return HttpResult::NotReceived;
  if (length.kind == BodyLength::Exact && length.bytes == 0) {
    response_.count = 0;
    return HttpResult::Ok;
  }
  // Without a length, one byte over the limit is asked for, so a longer body shows as too long.
  const int32_t maximum = length.kind == BodyLength::Exact ? length.bytes : kMaxBodyBytes + 1;
  const SocketResult result = connection_.ReceiveUntil(&response_, nullptr, maximum);
  if (result == SocketResult::Cancelled) return HttpResult::Cancelled;
  // A body that runs until the close may be empty: a close before any byte ends it.
  const bool emptyUntilClose = result == SocketResult::Closed && length.kind == BodyLength::UntilClose;
  if (result != SocketResult::Ok && !emptyUntilClose) return HttpResult::NotReceived;
  // A body shorter than announced is cut short, not complete: "1.2.30" must not pass as "1.2.3".
  if (length.kind == BodyLength::Exact && response_.count < length.bytes) return HttpResult::NotReceived;
  if (response_.count > kMaxBodyBytes) return HttpResult::NotReceived;
  return HttpResult::Ok;
}

HttpResult CHttpClient::Connect(const HttpUrl& url) {
  const int tlsMode = url.https ? kTls12 : kTlsNone;
  if (proxyHost_.empty()) {
    const SocketResult result = connection_.Connect(url.host.c_str(), url.port, tlsMode, kConnectSeconds);
    return result == SocketResult::Ok ? HttpResult::Ok : HttpResult::NoConnection;
  }
  if (connection_.Connect(proxyHost_.c_str(), proxyPort_, kTlsNone, kConnectSeconds) != SocketResult::Ok) {
    return HttpResult::ProxyFailed;
  }
  if (!tunnel_ && !url.https) return HttpResult::Ok;
  return OpenTunnel(url);
}

HttpResult CHttpClient::OpenTunnel(const HttpUrl& url) {
  std::string head;
  if (!BuildConnectRequest(url, Credentials{proxyUser_, proxyPassword_}, &head) ||
      connection_.Send(head.data(), head.size()) != SocketResult::Ok) {
    return HttpResult::ProxyFailed;
  }
  if (ReceiveHead() != HttpResult::Ok) return HttpResult::NotReceived;
  const int status = ParseReplyStatus(View(response_));
  if (status == 401 || status == 407) return HttpResult::ProxyAuthorization;
  if (status != 200) return HttpResult::ProxyFailed;
  // Through the tunnel the client speaks to the server itself, so TLS names the server, not the proxy.
  if (url.https && connection_.StartTls(kTls12, url.host.c_str()) != SocketResult::Ok) {
    return HttpResult::ProxyFailed;
  }
  return HttpResult::Ok;
}

}  // namespace maintenance
