// Building request heads.
#include "maintenance/http_request.h"

#include "maintenance/base64.h"

namespace maintenance {
namespace {

// "Name: Basic <base64 of user:password>" and its line break; nothing without a user name.
std::string AuthorizationLine(std::string_view name, Credentials credentials) {
  if (credentials.user.empty()) return std::string();
  std::string pair(credentials.user);
  pair += ':';
  pair += credentials.password;
  return std::string(name) + ": Basic " + Base64Line(pair) + "\r\n";
}

bool Finish(std::string* head) {
  *head += "\r\n";
  return head->size() <= kMaxRequestHeadLength;
}

}  // namespace

bool BuildGetRequest(const GetRequest& request, std::string* head) {
  if (request.since.find_first_of("\r\n") != std::string_view::npos) return false;
  const HttpUrl& url = *request.url;
  *head = "GET " + (request.toPlainProxy ? url.AbsoluteForm() : url.path) + " HTTP/1.0\r\n";
  *head += AuthorizationLine("Authorization", request.server);
  if (request.toPlainProxy) *head += AuthorizationLine("Proxy-Authorization", request.proxy);
  *head += "Host: " + url.authority + "\r\n";
  if (!request.since.empty()) *head += "If-Modified-Since: " + std::string(request.since) + "\r\n";
  return Finish(head);
}

bool BuildConnectRequest(const HttpUrl& url, Credentials proxy, std::string* head) {
  *head = "CONNECT " + url.host + ':' + std::to_string(url.port) + " HTTP/1.0\r\n";
  *head += AuthorizationLine("Proxy-Authorization", proxy);
  return Finish(head);
}

}  // namespace maintenance
