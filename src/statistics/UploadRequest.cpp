#include "statistics/UploadRequest.h"

#include "base/Win1252.h"

#include <cstdio>
#include <optional>

namespace zv {

namespace {

std::string TwoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value % 100);
    return text;
}

// The file name parameter: the bare name in the program's own bytes
// (Windows-1252, or UTF-8 where the name has characters it cannot hold). A
// double quote or a line break would end the parameter or the header line
// and let the name inject header text, so these three are sent
// percent-encoded, as browsers do.
std::string FileNameParameter(std::string_view filePath) {
    const std::string_view name = filePath.substr(filePath.find_last_of('/') + 1);
    const std::optional<std::string> encoded = Utf8ToWin1252(name);
    const std::string bytes = encoded ? *encoded : std::string(name);
    std::string parameter;
    for (const char c : bytes) {
        switch (c) {
        case '"':
            parameter += "%22";
            break;
        case '\r':
            parameter += "%0D";
            break;
        case '\n':
            parameter += "%0A";
            break;
        default:
            parameter += c;
        }
    }
    return parameter;
}

} // namespace

std::string UploadBoundary(TDateTime now) {
    const DateParts date = DecodeDate(now);
    const TimeParts time = DecodeTime(now);
    char millisecond[8];
    std::snprintf(millisecond, sizeof millisecond, "%03d", time.millisecond);
    return "--------" + TwoDigits(date.month) + TwoDigits(date.day) + TwoDigits(date.year) +
           TwoDigits(time.hour) + TwoDigits(time.minute) + TwoDigits(time.second) + millisecond;
}

UploadRequest BuildUploadRequest(std::string_view filePath, std::string_view fileBytes,
                                 std::string_view boundary) {
    UploadRequest request;
    request.boundary = boundary;
    request.headers = {
        {"Content-Type", "multipart/form-data; boundary=" + request.boundary},
        {"Accept", "text/html, */*"},
        {"User-Agent", "Mozilla/3.0 (compatible; Indy Library)"},
    };
    std::string& body = request.body;
    body.reserve(fileBytes.size() + filePath.size() + 2 * boundary.size() + 128);
    body += "--";
    body += boundary;
    body += "\r\nContent-Disposition: form-data; name=\"userfile\"; filename=\"";
    body += FileNameParameter(filePath);
    body += "\"\r\nContent-Type: */*\r\n\r\n";
    body += fileBytes;
    body += "\r\n--";
    body += boundary;
    body += "--\r\n";
    return request;
}

} // namespace zv
