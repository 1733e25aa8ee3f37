#pragma once

#include "statistics/UploadRequest.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// Limits that keep a transfer from hanging: the connection must stand
// within `connectSeconds`; a transfer in which no byte moves for
// `stallSeconds` (also while waiting for the reply) ends; no transfer lasts
// longer than `totalSeconds`.
struct HttpLimits {
    long connectSeconds = 30;
    long stallSeconds = 60;
    long totalSeconds = 30 * 60;
};

struct HttpReply {
    bool ok = false;        // the request went out and the status was 2xx
    bool cancelled = false; // stopped through the cancel flag
    long status = 0;        // HTTP status, 0 when no reply arrived
    std::string body;       // the reply as received (kept up to 1 MiB)
    std::string error;      // German reason when !ok
};

// Posts a body to (or gets) a plain HTTP address with libcurl. Blocking;
// meant to run off the GUI thread: it touches nothing but its arguments.
// Create the first poster on the main thread (it sets libcurl up once).
class HttpPoster {
public:
    // Bytes of the body sent so far and in all.
    using Progress = std::function<void(std::uint64_t sent, std::uint64_t total)>;

    explicit HttpPoster(HttpLimits limits = {});

    // POST `body` to `url` with `headers` (the transport adds only Host and
    // Content-Length; no "Expect", no redirects, HTTP only). A status outside
    // 200-299 is a failure with its status line in the reason. `cancel` is
    // looked at while the transfer runs; `progress` is called on the calling
    // thread.
    HttpReply Post(const std::string& url, const std::vector<HttpHeader>& headers,
                   std::string_view body, const std::atomic<bool>* cancel = nullptr,
                   const Progress& progress = {}) const;

    // GET `url` under the same limits; a status outside 200-299 is a failure.
    HttpReply Get(const std::string& url) const;

private:
    // A POST of `body`, or a GET when there is none.
    HttpReply Perform(const std::string& url, const std::vector<HttpHeader>& headers,
                      const std::string_view* body, const std::atomic<bool>* cancel,
                      const Progress& progress) const;

    HttpLimits limits_;
};

} // namespace zv
