#include "cli/UploadCommand.h"
#include "cli/ProgramFolderOpening.h"
#include "cli/ProgressLine.h"

#include "base/AtomicFile.h"
#include "base/EConvertError.h"
#include "statistics/OnlineUpload.h"
#include "statistics/http/HttpPoster.h"
#include "storage/Workspace.h"

#include <optional>
#include <ostream>

namespace zv::cli {

namespace {

constexpr const char* kUsage = "Aufruf: zelvorin-cli upload ORDNER [--server RECHNER[:PORT]] "
                               "[--faenger] [--gewaesser] [--stelle]\n";

struct UploadOptions {
    std::filesystem::path folder;
    std::optional<std::string> server;
    UploadPersonalFields personal;
};

std::optional<UploadOptions> ParseArguments(const std::vector<std::string>& args,
                                            std::ostream& err) {
    if (args.empty()) {
        err << kUsage;
        return std::nullopt;
    }
    UploadOptions options;
    options.folder = PathFromUtf8(args[0]);
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& word = args[i];
        bool* flag = word == "--faenger"     ? &options.personal.faenger
                     : word == "--gewaesser" ? &options.personal.gewaesser
                     : word == "--stelle"    ? &options.personal.stelle
                                             : nullptr;
        if (flag != nullptr) {
            *flag = true;
        } else if (word == "--server") {
            if (i + 1 >= args.size()) {
                err << "Der Option \"--server\" fehlt ihr Wert.\n" << kUsage;
                return std::nullopt;
            }
            if (options.server) {
                err << "Die Option \"--server\" ist doppelt angegeben.\n";
                return std::nullopt;
            }
            options.server = args[++i];
        } else {
            err << "Unbekannte Option \"" << word << "\".\n" << kUsage;
            return std::nullopt;
        }
    }
    return options;
}

} // namespace

int RunUploadCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::optional<UploadOptions> options = ParseArguments(args, err);
    if (!options) {
        return 2;
    }
    std::string problem;
    Workspace workspace(options->folder);
    const std::optional<UploadServer> server =
        options->server ? ParseUploadServer(*options->server, problem)
                        : ConfiguredUploadServer(workspace.Settings(), problem);
    if (!server) {
        err << problem << "\n";
        return options->server ? 2 : 1;
    }
    // The catches are uploaded only from the database the program would
    // open; one that is named but missing or unreadable is an error, not an
    // empty upload.
    if (!OpenProgramFolder(workspace, {DatabaseKind::Catch}, err)) {
        return 1;
    }

    PreparedUpload prepared;
    try {
        if (!OnlineUpload::Prepare(workspace.DB(), workspace.ProgramFolder(), *server,
                                   options->personal, CurrentClock().Now(), prepared, problem)) {
            err << problem << "\n";
            return 1;
        }
    } catch (const EConvertError& error) {
        err << error.what() << "\n";
        return 1;
    }
    out << "Datei: " << PathToUtf8(prepared.file) << "\n";
    out << "Server: " << server->Url() << "\n";
    out.flush();

    const HttpPoster poster;
    HttpReply reply;
    {
        ProgressLine progress(err, "Senden");
        reply = poster.Post(
            server->Url(), prepared.request.headers, prepared.request.body, nullptr,
            [&progress](std::uint64_t sent, std::uint64_t total) { progress.Count(sent, total); });
    }
    const UploadOutcome outcome = OnlineUpload::Finish(prepared, reply.ok, reply.error);
    if (!outcome.ok) {
        err << outcome.message << "\n";
        return 1;
    }
    out << outcome.message << "\n";
    out.flush();
    return out ? 0 : 1;
}

} // namespace zv::cli
