// Texts of the HTTP client's results.
#include "maintenance/http_result.h"

namespace maintenance {

const char* HttpResultText(HttpResult result) {
  switch (result) {
    case HttpResult::Ok:
      return "ok";
    case HttpResult::NotSent:
      return "request not sent";
    case HttpResult::NotReceived:
      return "reply not received";
    case HttpResult::Cancelled:
      return "cancelled";
    case HttpResult::ProxyFailed:
      return "proxy failed";
    case HttpResult::NoConnection:
      return "no connection";
    case HttpResult::BadUrl:
      return "bad URL";
    case HttpResult::Redirect:
      return "redirect not followed";
    case HttpResult::NotModified:
      return "not modified";
    case HttpResult::BadRequest:
      return "bad request";
    case HttpResult::Unauthorized:
      return "unauthorized";
    case HttpResult::Forbidden:
      return "forbidden";
    case HttpResult::NotFound:
      return "not found";
    case HttpResult::ProxyAuthorization:
      return "proxy authorization required";
    case HttpResult::ServerError:
      return "server error";
  }
  return "unknown HTTP result";
}

}  // namespace maintenance
