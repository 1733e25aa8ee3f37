#pragma once

#include "base/DateTime.h"

#include <string>
#include <string_view>
#include <vector>

namespace zv {

struct HttpHeader {
    std::string name;
    std::string value;
};

// The upload's HTTP POST as bytes: the path on the server, the request
// headers of our own (the transport adds Host and Content-Length) and the
// multipart/form-data body with the one part "userfile".
struct UploadRequest {
    static constexpr const char* kPath = "/onlinestatistik/upload.php";

    std::string boundary;
    std::vector<HttpHeader> headers;
    std::string body;
};

// "--------" and the local time as month, day, two-digit year, hour, minute,
// second (two digits each) and millisecond (three digits).
std::string UploadBoundary(TDateTime now);

// The request for the upload file at `filePath` (UTF-8) holding `fileBytes`.
// The part's file name is the bare name: the folder may carry the user's
// login name, and the server has no use for it. Every line of the body ends
// in CR LF; the file's bytes go in unchanged.
UploadRequest BuildUploadRequest(std::string_view filePath, std::string_view fileBytes,
                                 std::string_view boundary);

} // namespace zv
