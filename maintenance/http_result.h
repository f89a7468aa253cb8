// Results of the HTTP client: 0, the client's own failure codes, or the reply's HTTP status. The
// numbers are kept as they are, so callers and logs that compare them stay meaningful.
#pragma once

namespace maintenance {

enum class [[nodiscard]] HttpResult : int{
    Ok = 0,              ///< a status below 300; the body is in the response buffer
    NotSent = 100,       ///< the request could not be built or sent
    NotReceived = 101,   ///< the reply was cut short, malformed, too large or did not come in time
    Cancelled = 102,     ///< the cancel flag was raised while receiving
    ProxyFailed = 104,   ///< the proxy could not be reached or refused the tunnel
    NoConnection = 105,  ///< the connection (or tunnel) could not be opened
    BadUrl = 106,        ///< the URL is not an absolute http or https URL
    Redirect = 300,      ///< a redirect or other status from 300 to 499 that was not followed
    NotModified = 304,
    BadRequest = 400,
    Unauthorized = 401,
    Forbidden = 403,
    NotFound = 404,
    ProxyAuthorization = 407,  ///< the proxy wants (other) credentials for the tunnel
    ServerError = 500,         ///< any status of 500 or more
};

/// A fixed English text naming the result, for logs and test output; never null.
const char* HttpResultText(HttpResult result);

}  // namespace maintenance
