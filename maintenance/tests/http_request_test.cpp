// URLs taken apart per request (scheme, host, port, Host header, path), and the limits of the
// request heads built from them.
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
      "example.com/version",
      "/relative/path",
      "//example.com/x",
      "ftp://example.com/x",
      "http://",
      "http:///path",
      "http://user@host/",
      "http://host:0/",
      "http://host:65536/",
      "http://host:8o/",
      "http://[::1]/",
      "http://ho st/",
      "http://host/a b",
      "http://host/a\r\nX: y",
      std::string("http://host/\0", 13),
      "http://" + std::string(260, 'h') + "/",
      "http://host/" + std::string(1030, 'p'),
  };
  for (const std::string& text : kRows) {
    SCOPED_TRACE(text);
    HttpUrl url;
    EXPECT_FALSE(ParseHttpUrl(text, &url));
  }
  HttpUrl url;
  EXPECT_TRUE(ParseHttpUrl("http://h/" + std::string(1030, 'p'), &url));  // 1039 characters
}

// The request text of each route is checked through the client (http_client_test.cpp); here only
// what the client cannot be made to send.
TEST(HttpRequestTest, RefusesInjectedLinesAndHeadsOverTheLimit) {
  HttpUrl url;
  ASSERT_TRUE(ParseHttpUrl("http://h/" + std::string(1000, 'p'), &url));
  GetRequest request;
  request.url = &url;
  std::string head;
  ASSERT_TRUE(BuildGetRequest(request, &head));
  EXPECT_EQ(head.size(), 1027u);
  request.server = Credentials{"user", "pass"};
  EXPECT_FALSE(BuildGetRequest(request, &head));

  ASSERT_TRUE(ParseHttpUrl("http://h/", &url));
  request.since = "today\r\nX-Injected: 1";
  EXPECT_FALSE(BuildGetRequest(request, &head));
}

}  // namespace
}  // namespace maintenance
