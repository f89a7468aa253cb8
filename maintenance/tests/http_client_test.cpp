// The HTTP client over a scripted peer: the request text each route sends (direct, plain proxy,
// tunnel), a table of real and hostile replies each delivered whole, byte by byte and split at
// every boundary, and redirects with their bound.
#include "maintenance/http_client.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "maintenance/tests/result_printers.h"
#include "maintenance/tests/scripted_peer.h"

namespace maintenance {
namespace {

using testing::ScriptedConnection;
using testing::ScriptedPeer;

std::string Body(const CHttpClient& client) {
  const CZrfArray<uint8_t>& bytes = client.response();
  return bytes.count > 0 ? std::string(reinterpret_cast<const char*>(bytes.GetAt(0)), bytes.count)
                         : std::string();
}

struct ReplyRow {
  const char* name;
  std::string reply;
  HttpResult result;
  std::string body;  // checked on Ok
};

std::vector<ReplyRow> ReplyTable() {
  const std::string kLongHead = "HTTP/1.0 200 OK\r\nX-Filler: " + std::string(20000, 'a') + "\r\n\r\n1.2.3";
  const std::string kLongBody = "HTTP/1.0 200 OK\r\n\r\n" + std::string(70000, '9');
  std::string manyInterim;
  for (int i = 0; i <= CHttpClient::kMaxInterimReplies; ++i) manyInterim += "HTTP/1.1 100 Continue\r\n\r\n";
  manyInterim += "HTTP/1.1 200 OK\r\n\r\n1.2.3";
  return {
      {"length", "HTTP/1.0 200 OK\r\nContent-Length: 6\r\n\r\n1.2.3\n", HttpResult::Ok, "1.2.3\n"},
      {"web server",
       "HTTP/1.1 200 OK\r\nServer: nginx/1.22.1\r\nDate: Tue, 09 Dec 2025 08:00:00 GMT\r\n"
       "Content-Type: text/plain\r\ncontent-length: 5\r\nLast-Modified: Mon, 01 Dec 2025 10:00:00 GMT\r\n"
       "Connection: close\r\nETag: \"692d6a40-5\"\r\nAccept-Ranges: bytes\r\n\r\n2.0.0",
       HttpResult::Ok, "2.0.0"},
      {"until close", "HTTP/1.0 200 ok\r\nContent-type: text/plain\r\n\r\n1.2.3", HttpResult::Ok, "1.2.3"},
      {"length -1 means until close", "HTTP/1.0 200 OK\r\nContent-Length: -1\r\n\r\n1.2.3", HttpResult::Ok,
       "1.2.3"},
      {"other length header", "HTTP/1.0 200 OK\r\nX-Content-Length: 2\r\n\r\n1.2.3", HttpResult::Ok, "1.2.3"},
      {"empty body", "HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n", HttpResult::Ok, ""},
      {"more than announced", "HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\n1.2.30", HttpResult::Ok, "1.2"},
      {"status without reason", "HTTP/1.1 204\r\n\r\n", HttpResult::Ok, ""},
      {"same length twice", "HTTP/1.0 200 OK\r\nContent-Length: 6\r\nContent-Length: 6\r\n\r\n1.2.30",
       HttpResult::Ok, "1.2.30"},
      {"interim replies first",
       "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 103 Early Hints\r\nLink: </v>; rel=preload\r\n\r\n"
       "HTTP/1.1 200 OK\r\nContent-Length: 6\r\n\r\n1.2.30",
       HttpResult::Ok, "1.2.30"},
      {"two lengths", "HTTP/1.0 200 OK\r\nContent-Length: 5\r\ncontent-length: 6\r\n\r\n1.2.30",
       HttpResult::NotReceived, ""},
      {"switching protocols", "HTTP/1.1 101 Switching Protocols\r\nUpgrade: h2c\r\n\r\n1.2.3",
       HttpResult::NotReceived, ""},
      {"interim replies without end", manyInterim, HttpResult::NotReceived, ""},
      {"short body", "HTTP/1.0 200 OK\r\nContent-Length: 6\r\n\r\n1.2.3", HttpResult::NotReceived, ""},
      {"negative length", "HTTP/1.0 200 OK\r\nContent-Length: -5\r\n\r\n1.2.3", HttpResult::NotReceived, ""},
      {"huge length", "HTTP/1.0 200 OK\r\nContent-Length: 2000000000\r\n\r\n1.2.3", HttpResult::NotReceived,
       ""},
      {"overflowing length", "HTTP/1.0 200 OK\r\nContent-Length: 99999999999999999999\r\n\r\n1",
       HttpResult::NotReceived, ""},
      {"length not a number", "HTTP/1.0 200 OK\r\nContent-Length: 0x10\r\n\r\n1.2.3", HttpResult::NotReceived,
       ""},
      {"head over the limit", kLongHead, HttpResult::NotReceived, ""},
      {"body over the limit", kLongBody, HttpResult::NotReceived, ""},
      {"nothing", "", HttpResult::NotReceived, ""},
      {"status line cut", "HTTP/1.0 2", HttpResult::NotReceived, ""},
      {"head cut", "HTTP/1.0 200 OK\r\nContent-Length: 5\r\n", HttpResult::NotReceived, ""},
      {"not http", "SSH-2.0-OpenSSH_9.2\r\n\r\n", HttpResult::NotReceived, ""},
      {"status not a number", "HTTP/1.0 OK 200\r\n\r\n1.2.3", HttpResult::NotReceived, ""},
      {"short status line", "HTTP/1.0 20\r\n\r\n", HttpResult::NotReceived, ""},
      {"not modified", "HTTP/1.0 304 Not Modified\r\n\r\n", HttpResult::NotModified, ""},
      {"unauthorized", "HTTP/1.0 401 Unauthorized\r\nWWW-Authenticate: Basic\r\n\r\n",
       HttpResult::Unauthorized, ""},
      {"not found", "HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found", HttpResult::NotFound, ""},
      {"teapot", "HTTP/1.0 418 I'm a teapot\r\n\r\n", HttpResult::Redirect, ""},
      {"unavailable", "HTTP/1.0 503 Service Unavailable\r\n\r\n", HttpResult::ServerError, ""},
      {"redirect without location", "HTTP/1.0 302 Found\r\n\r\n", HttpResult::Redirect, ""},
      {"content-location is no location", "HTTP/1.0 301 Moved\r\nContent-Location: http://elsewhere/\r\n\r\n",
       HttpResult::Redirect, ""},
  };
}

HttpResult FetchOnce(const std::string& reply, std::vector<size_t> cuts, std::string* body) {
  ScriptedPeer peer;
  peer.Add(reply, std::move(cuts));
  CHttpClient client;
  const HttpResult result = client.Get("http://updates.example.com/version", nullptr, nullptr, nullptr, 0);
  *body = Body(client);
  EXPECT_EQ(peer.opened, 1u);
  EXPECT_TRUE(peer.connections[0].closed);
  return result;
}

TEST(HttpClientTest, RepliesGiveTheirResultWhole) {
  for (const ReplyRow& row : ReplyTable()) {
    SCOPED_TRACE(row.name);
    std::string body;
    EXPECT_EQ(FetchOnce(row.reply, {}, &body), row.result);
    if (row.result == HttpResult::Ok) {
      EXPECT_EQ(body, row.body);
    }
  }
}

TEST(HttpClientTest, RepliesGiveTheSameResultSplitAnywhere) {
  for (const ReplyRow& row : ReplyTable()) {
    if (row.reply.size() > 400) continue;  // the long ones cross many piece boundaries already
    SCOPED_TRACE(row.name);
    std::vector<size_t> everyByte;
    for (size_t cut = 1; cut < row.reply.size(); ++cut) everyByte.push_back(cut);
    std::string body;
    EXPECT_EQ(FetchOnce(row.reply, everyByte, &body), row.result);
    if (row.result == HttpResult::Ok) {
      EXPECT_EQ(body, row.body);
    }
    for (size_t cut = 1; cut < row.reply.size(); ++cut) {
      ASSERT_EQ(FetchOnce(row.reply, {cut}, &body), row.result) << "split at " << cut;
      if (row.result == HttpResult::Ok) {
        ASSERT_EQ(body, row.body) << "split at " << cut;
      }
    }
  }
}

TEST(HttpClientTest, DirectRequestCarriesPathHostAuthorizationAndDate) {
  ScriptedPeer peer;
  peer.Add(
      "HTTP/1.0 200 OK\r\nLast-Modified: Mon, 01 Dec 2025 10:00:00 GMT\r\nContent-Length: 5\r\n\r\n1.2.3");
  CHttpClient client;
  char since[64] = "Sat, 29 Oct 1994 19:43:31 GMT";
  EXPECT_EQ(client.Get("http://updates.example.com:8080/v?x=1", "user", "pass", since, sizeof since),
            HttpResult::Ok);
  EXPECT_EQ(peer.connections[0].host, "updates.example.com");
  EXPECT_EQ(peer.connections[0].port, 8080);
  EXPECT_EQ(peer.connections[0].received,
            "GET /v?x=1 HTTP/1.0\r\nAuthorization: Basic dXNlcjpwYXNz\r\nHost: updates.example.com:8080\r\n"
            "If-Modified-Since: Sat, 29 Oct 1994 19:43:31 GMT\r\n\r\n");
  EXPECT_STREQ(since, "Mon, 01 Dec 2025 10:00:00 GMT");

  // A date longer than the caller's buffer is cut, never written past it.
  ScriptedPeer again;
  again.Add("HTTP/1.0 200 OK\r\nLast-Modified: Mon, 01 Dec 2025 10:00:00 GMT\r\n\r\n1");
  char small[8] = "";
  EXPECT_EQ(client.Get("http://h/", nullptr, nullptr, small, sizeof small), HttpResult::Ok);
  EXPECT_STREQ(small, "Mon, 01");
}

TEST(HttpClientTest, PlainProxyGetsTheAbsoluteUrl) {
  ScriptedPeer peer;
  peer.Add("HTTP/1.0 200 OK\r\n\r\n1.2.3");
  CHttpClient client;
  client.SetProxy("proxy.example.com", 3128, "proxy", "secret", false);
  EXPECT_EQ(client.Get("http://updates.example.com/version", nullptr, nullptr, nullptr, 0), HttpResult::Ok);
  EXPECT_EQ(peer.connections[0].host, "proxy.example.com");
  EXPECT_EQ(peer.connections[0].port, 3128);
  EXPECT_EQ(
      peer.connections[0].received,
      "GET http://updates.example.com/version HTTP/1.0\r\nProxy-Authorization: Basic cHJveHk6c2VjcmV0\r\n"
      "Host: updates.example.com\r\n\r\n");
  EXPECT_EQ(Body(client), "1.2.3");
}

TEST(HttpClientTest, TunnelConnectsThenSendsThePathInside) {
  ScriptedPeer peer;
  peer.Add(
      "HTTP/1.0 200 Connection established\r\nProxy-agent: tinyproxy\r\n\r\n"
      "HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\n1.2.3");
  CHttpClient client;
  client.SetProxy("proxy.example.com", 3128, "proxy", "secret", true);
  EXPECT_EQ(client.Get("https://updates.example.com/version", nullptr, nullptr, nullptr, 0), HttpResult::Ok);
  EXPECT_EQ(peer.connections[0].received,
            "CONNECT updates.example.com:443 HTTP/1.0\r\nProxy-Authorization: Basic cHJveHk6c2VjcmV0\r\n\r\n"
            "GET /version HTTP/1.0\r\nHost: updates.example.com\r\n\r\n");
  // TLS inside the tunnel names the server, not the proxy.
  EXPECT_EQ(testing::gTls.serverName, "updates.example.com");
  EXPECT_EQ(Body(client), "1.2.3");
}

TEST(HttpClientTest, TunnelRefusedByTheProxy) {
  ScriptedPeer peer;
  peer.Add("HTTP/1.0 407 Proxy Authentication Required\r\n\r\n");
  peer.Add("HTTP/1.0 403 Forbidden\r\n\r\n");
  CHttpClient client;
  client.SetProxy("proxy.example.com", 3128, nullptr, nullptr, true);
  HttpUrl url;
  ASSERT_TRUE(ParseHttpUrl("http://updates.example.com/version", &url));
  EXPECT_EQ(client.Connect(url), HttpResult::ProxyAuthorization);
  EXPECT_EQ(client.Get("http://updates.example.com/version", nullptr, nullptr, nullptr, 0),
            HttpResult::NoConnection);
  EXPECT_EQ(peer.opened, 2u);
}

TEST(HttpClientTest, RedirectIsFollowedWithEachUrlsOwnSchemeAndPort) {
  ScriptedPeer peer;
  peer.Add("HTTP/1.0 302 Found\r\nLocation:   http://mirror.example.com/v2  \r\n\r\n");
  peer.Add("HTTP/1.0 200 OK\r\n\r\n1.2.3");
  CHttpClient client;
  EXPECT_EQ(client.Get("https://updates.example.com:8443/v", nullptr, nullptr, nullptr, 0), HttpResult::Ok);
  EXPECT_EQ(peer.connections[0].port, 8443);
  EXPECT_EQ(testing::gTls.serverName, "updates.example.com");
  // The http URL gets port 80 and no TLS, whatever the first one had.
  EXPECT_EQ(peer.connections[1].host, "mirror.example.com");
  EXPECT_EQ(peer.connections[1].port, 80);
  EXPECT_EQ(peer.connections[1].received, "GET /v2 HTTP/1.0\r\nHost: mirror.example.com\r\n\r\n");
  EXPECT_EQ(testing::gTls.connectCalls, 1);
  EXPECT_EQ(Body(client), "1.2.3");
}

TEST(HttpClientTest, RedirectsEndAtTheSameUrlARelativeOneOrTheBound) {
  {
    ScriptedPeer peer;
    peer.Add("HTTP/1.0 301 Moved\r\nLocation: http://h/a\r\n\r\n");
    EXPECT_EQ(CHttpClient().Get("http://h/a", nullptr, nullptr, nullptr, 0), HttpResult::Redirect);
    EXPECT_EQ(peer.opened, 1u);
  }
  {
    ScriptedPeer peer;
    peer.Add("HTTP/1.0 302 Found\r\nLocation: /b\r\n\r\n");
    EXPECT_EQ(CHttpClient().Get("http://h/a", nullptr, nullptr, nullptr, 0), HttpResult::BadUrl);
  }
  {
    // A to B to A...: the first request and five redirects, then it stops.
    ScriptedPeer peer;
    for (int i = 0; i < 10; ++i) {
      peer.Add(i % 2 == 0 ? "HTTP/1.0 302 Found\r\nLocation: http://h/b\r\n\r\n"
                          : "HTTP/1.0 302 Found\r\nLocation: http://h/a\r\n\r\n");
    }
    EXPECT_EQ(CHttpClient().Get("http://h/a", nullptr, nullptr, nullptr, 0), HttpResult::Redirect);
    EXPECT_EQ(peer.opened, 1u + CHttpClient::kMaxRedirects);
  }
}

}  // namespace
}  // namespace maintenance
