#pragma once

#include <string>
#include <string_view>

namespace zv {

// One line per request for the log: time (UTC), method, path, status and,
// for an upload, the catches newly stored (`storedLines` < 0: none). Never
// the client's address or anything of the upload's contents; bytes that
// could break the line (controls) are written as \xNN.
std::string RequestLogLine(std::string_view method, std::string_view path, int status,
                           long long storedLines);

} // namespace zv
