#pragma once

#include "base/DateTime.h"
#include "statistics/UploadFile.h"
#include "statistics/UploadRequest.h"
#include "statistics/UploadServer.h"

#include <filesystem>
#include <string>

namespace zv {

class TMlbc;

// An upload ready to be sent: its file is written in the program folder.
struct PreparedUpload {
    std::filesystem::path file;
    UploadServer server;
    UploadRequest request;
    int lines = 0; // catches in the file
};

// What became of an upload once the transfer has ended.
struct UploadOutcome {
    bool ok = false;
    std::string message;  // German: what was done, or why it failed
    bool warning = false; // ok, but something is worth a warning (file not deleted)
};

// The steps of an upload around its one transfer, so the window and the
// command line do the same and the transfer itself can run elsewhere.
class OnlineUpload {
public:
    // Builds the lines from every catch, forms the file name and the
    // boundary from `now`, writes the file atomically into `folder` and
    // builds the request. A Fangdatum that is not a date throws
    // EConvertError before anything is written. False, with a German reason
    // naming the file in `problem`, when the file cannot be written; nothing
    // is left behind then.
    static bool Prepare(const TMlbc& catches, const std::filesystem::path& folder,
                        const UploadServer& server, const UploadPersonalFields& personal,
                        TDateTime now, PreparedUpload& prepared, std::string& problem);

    // After the transfer: a successful one deletes the upload file; a failed
    // one (`failure` says why) keeps it and says where it is.
    static UploadOutcome Finish(const PreparedUpload& prepared, bool transmitted,
                                const std::string& failure);
};

} // namespace zv
