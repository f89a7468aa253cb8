// URLs taken apart per request (scheme, host, port, Host header, path) and the request heads
// built from them, worked out by hand.
#include "maintenance/http_request.h"

#include <gtest/gtest.h>

#include <string>

#include "maintenance/http_url.h"

namespace maintenance {
namespace {

TEST(HttpUrlTest, TakesApartHostPortAndPath) {
  struct Row {
    const char* url;
    bool https;
    const char* host;
    uint16_t port;
    const char* authority;
    const char* path;
  };
  const Row kRows[] = {
      {"http://example.com/version.txt", false, "example.com", 80, "example.com", "/version.txt"},
      {"HTTPS://Example.com", true, "Example.com", 443, "Example.com", "/"},
      {"https://127.0.0.1:8443/v?x=1#top", true, "127.0.0.1", 8443, "127.0.0.1:8443", "/v?x=1"},
      {"http://host:8080?q", false, "host", 8080, "host:8080", "/?q"},
      {"http://host:/a", false, "host", 80, "host", "/a"},
      // "https://" inside the path does not make a plain URL secure.
      {"http://host/redirect?to=https://other/", false, "host", 80, "host", "/redirect?to=https://other/"},
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.url);
    HttpUrl url;
    ASSERT_TRUE(ParseHttpUrl(row.url, &url));
    EXPECT_EQ(url.https, row.https);
    EXPECT_EQ(url.host, row.host);
    EXPECT_EQ(url.port, row.port);
    EXPECT_EQ(url.authority, row.authority);
    EXPECT_EQ(url.path, row.path);
  }
}

TEST(HttpUrlTest, RefusesWhatIsNotAnAbsoluteHttpUrl) {
  const std::string kRows[] = {
      "example.com/version",       "/relative/path",        "//example.com/x",   "ftp://example.com/x",
      "http://",                   "http:///path",          "http://user@host/", "http://host:0/",
      "http://host:65536/",        "http://host:8o/",       "http://[::1]/",     "http://ho st/",
      "http://host/a b",           "http://host/a\r\nX: y", std::string("http://host/\0", 13),
      "http://" + std::string(260, 'h') + "/", "http://host/" + std::string(1030, 'p'),
  };
  for (const std::string& text : kRows) {
    SCOPED_TRACE(text);
    HttpUrl url;
    EXPECT_FALSE(ParseHttpUrl(text, &url));
  }
  HttpUrl url;
  EXPECT_TRUE(ParseHttpUrl("http://h/" + std::string(1030, 'p'), &url));  // 1039 characters
}

TEST(HttpRequestTest, DirectRequestSendsThePathWithHostAndOptionalLines) {
  HttpUrl url;
  ASSERT_TRUE(ParseHttpUrl("http://example.com:8080/v/x?y#frag", &url));
  GetRequest request;
  request.url = &url;
  std::string head;
  ASSERT_TRUE(BuildGetRequest(request, &head));
  EXPECT_EQ(head, "GET /v/x?y HTTP/1.0\r\nHost: example.com:8080\r\n\r\n");

  request.server = Credentials{"user", "pass"};
  request.proxy = Credentials{"proxy", "secret"};  // not for a direct request
  request.since = "Sat, 29 Oct 1994 19:43:31 GMT";
  ASSERT_TRUE(BuildGetRequest(request, &head));
  EXPECT_EQ(head,
            "GET /v/x?y HTTP/1.0\r\nAuthorization: Basic dXNlcjpwYXNz\r\nHost: example.com:8080\r\n"
            "If-Modified-Since: Sat, 29 Oct 1994 19:43:31 GMT\r\n\r\n");

  request.since = "today\r\nX-Injected: 1";
  EXPECT_FALSE(BuildGetRequest(request, &head));
}

TEST(HttpRequestTest, PlainProxyGetsTheWholeUrlAndItsCredentials) {
  HttpUrl url;
  ASSERT_TRUE(ParseHttpUrl("http://example.com/v", &url));
  GetRequest request;
  request.url = &url;
  request.toPlainProxy = true;
  request.proxy = Credentials{"proxy", "secret"};
  std::string head;
  ASSERT_TRUE(BuildGetRequest(request, &head));
  EXPECT_EQ(head,
            "GET http://example.com/v HTTP/1.0\r\nProxy-Authorization: Basic cHJveHk6c2VjcmV0\r\n"
            "Host: example.com\r\n\r\n");
}

TEST(HttpRequestTest, TunnelIsOpenedWithHostAndPortAlways) {
  HttpUrl url;
  ASSERT_TRUE(ParseHttpUrl("https://example.com/v", &url));
  std::string head;
  ASSERT_TRUE(BuildConnectRequest(url, Credentials{}, &head));
  EXPECT_EQ(head, "CONNECT example.com:443 HTTP/1.0\r\n\r\n");
  ASSERT_TRUE(BuildConnectRequest(url, Credentials{"proxy", "secret"}, &head));
  EXPECT_EQ(head, "CONNECT example.com:443 HTTP/1.0\r\nProxy-Authorization: Basic cHJveHk6c2VjcmV0\r\n\r\n");
}

TEST(HttpRequestTest, HeadOverTheLimitIsRefused) {
  HttpUrl url;
  ASSERT_TRUE(ParseHttpUrl("http://h/" + std::string(1000, 'p'), &url));
  GetRequest request;
  request.url = &url;
  std::string head;
  ASSERT_TRUE(BuildGetRequest(request, &head));
  EXPECT_EQ(head.size(), 1027u);
  request.server = Credentials{"user", "pass"};
  EXPECT_FALSE(BuildGetRequest(request, &head));
}

}  // namespace
}  // namespace maintenance
