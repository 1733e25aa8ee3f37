#include "statistics/OnlineUpload.h"

#include "base/AtomicFile.h"
#include "base/SystemErrorText.h"
#include "storage/TMlbc.h"

#include <cerrno>
#include <system_error>

namespace zv {

bool OnlineUpload::Prepare(const TMlbc& catches, const std::filesystem::path& folder,
                           const UploadServer& server, const UploadPersonalFields& personal,
                           TDateTime now, PreparedUpload& prepared, std::string& problem) {
    const std::string bytes = UploadFileBytes(catches, personal);
    const std::filesystem::path file = folder / UploadFileName(now);
    std::string error;
    if (!WriteFileAtomic(file, bytes, error)) {
        problem = error;
        return false;
    }
    prepared.file = file;
    prepared.server = server;
    prepared.lines = catches.RowCount();
    prepared.request = BuildUploadRequest(PathToUtf8(file), bytes, UploadBoundary(now));
    return true;
}

UploadOutcome OnlineUpload::Finish(const PreparedUpload& prepared, bool transmitted,
                                   const std::string& failure) {
    UploadOutcome outcome;
    const std::string file = PathToUtf8(prepared.file);
    if (!transmitted) {
        outcome.message = "Die Einträge konnten nicht übertragen werden.\n" + failure +
                          "\nDie Datei \"" + file + "\" bleibt im Programmordner.";
        return outcome;
    }
    outcome.ok = true;
    outcome.message = prepared.lines == 1
                          ? std::string("Ein Eintrag wurde übertragen.")
                          : std::to_string(prepared.lines) + " Einträge wurden übertragen.";
    std::error_code ec;
    if (!std::filesystem::remove(prepared.file, ec) && ec) {
        outcome.warning = true;
        outcome.message += "\nDie Datei \"" + file +
                           "\" konnte nicht gelöscht werden: " + SystemErrorText(ec.value()) + ".";
    }
    return outcome;
}

} // namespace zv
