#include "backup/Backup.h"

#include "backup/ArchiveWriter.h"
#include "backup/ZipErrorText.h"
#include "base/AtomicFile.h"
#include "base/GermanText.h"
#include "storage/Workspace.h"

#include <algorithm>
#include <map>
#include <system_error>

namespace zv {
namespace {

constexpr const char* kStoredSuffixes[] = {"gif", "png", "z",   "zip",  "zoo", "arc",
                                           "lzh", "arj", "taz", "tgz",  "lha", "rar",
                                           "ace", "cab", "gz",  "gzip", "jar"};

// The suffix after the last dot, in lower case; empty without a dot.
std::string LowerSuffix(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : LowerAZ(name.substr(dot + 1));
}

std::string Quoted(const std::filesystem::path& path) {
    return "\"" + PathToUtf8(path) + "\"";
}

// The regular files directly in `folder` whose suffix is `suffix` (any
// case; empty: every file), in name order. A missing folder has none.
bool ListFolder(const std::filesystem::path& folder, const std::string& suffix,
                std::vector<std::filesystem::path>& files, std::string& problem) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        return true;
    }
    std::vector<std::filesystem::path> found;
    std::filesystem::directory_iterator it(folder, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) {
            continue;
        }
        const std::string name = PathToUtf8(it->path().filename());
        if (suffix.empty() || LowerSuffix(name) == suffix) {
            found.push_back(it->path());
        }
    }
    if (ec) {
        problem = "Der Ordner " + Quoted(folder) +
                  " kann nicht gelesen werden: " + SystemErrorText(ec.value()) + ".";
        return false;
    }
    std::sort(found.begin(), found.end());
    files.insert(files.end(), found.begin(), found.end());
    return true;
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

} // namespace

bool IsStoredUncompressed(const std::string& fileName) {
    const std::string suffix = LowerSuffix(fileName);
    return std::any_of(std::begin(kStoredSuffixes), std::end(kStoredSuffixes),
                       [&](const char* stored) { return suffix == stored; });
}

BackupSelection SelectBackupFiles(const Workspace& workspace,
                                  const std::filesystem::path& archive) {
    BackupSelection selection;
    const std::filesystem::path& folder = workspace.ProgramFolder();
    std::vector<std::filesystem::path> candidates;
    if (!ListFolder(folder, "jpg", candidates, selection.problem) ||
        !ListFolder(folder / "img", "", candidates, selection.problem) ||
        !ListFolder(folder / "DATs", "dat", candidates, selection.problem)) {
        selection.ok = false;
        return selection;
    }
    auto addDatabase = [&](const std::string& path) {
        if (path.empty()) {
            return;
        }
        std::error_code ec;
        const std::filesystem::path file = PathFromUtf8(path);
        if (std::filesystem::is_regular_file(file, ec)) {
            candidates.push_back(file);
        } else {
            selection.leftOut.push_back({file, "Die Datei existiert nicht."});
        }
    };
    addDatabase(workspace.CatchPath());
    std::error_code ec;
    if (std::filesystem::is_regular_file(folder / "Zelvorin.ini", ec)) {
        candidates.push_back(folder / "Zelvorin.ini");
    }
    addDatabase(workspace.CostPath());
    addDatabase(workspace.CalendarPath());

    // Later sources take the name from earlier ones (see the header).
    std::map<std::string, std::size_t> lastWithName;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        lastWithName[PathToUtf8(candidates[i].filename())] = i;
    }
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const std::filesystem::path& source = candidates[i];
        const std::string name = PathToUtf8(source.filename());
        if (SameFile(source, archive)) {
            selection.leftOut.push_back({source, "Das ist das Backup selbst."});
            continue;
        }
        const std::size_t winner = lastWithName[name];
        if (winner != i) {
            if (!SameFile(source, candidates[winner])) {
                selection.leftOut.push_back({source, "Gesichert ist die gleichnamige Datei " +
                                                         Quoted(candidates[winner]) + "."});
            }
            continue;
        }
        selection.files.push_back({name, source, IsStoredUncompressed(name)});
    }
    return selection;
}

BackupResult CreateBackup(const Workspace& workspace, const std::filesystem::path& archive,
                          const std::function<void(double done)>& progress) {
    BackupResult result;
    result.selection = SelectBackupFiles(workspace, archive);
    if (!result.selection.ok) {
        result.problem = result.selection.problem;
        return result;
    }
    ArchiveWriter writer;
    bool ok = writer.Open(archive);
    for (const BackupFile& file : result.selection.files) {
        if (!ok) {
            break;
        }
        ok = writer.Add(file.entryName, file.source, file.store);
    }
    if (ok) {
        ok = writer.Commit(progress);
    }
    result.ok = ok;
    if (!ok) {
        result.problem = writer.Error();
    }
    return result;
}

std::string BackupMessage(const BackupResult& result, const std::filesystem::path& archive) {
    if (!result.ok) {
        // The reason usually names the archive already; once is enough.
        const bool named = result.problem.find(Quoted(archive)) != std::string::npos;
        return (named ? std::string("Das Backup") : "Das Backup " + Quoted(archive)) +
               " konnte nicht erstellt werden.\n" + result.problem;
    }
    const std::size_t count = result.selection.files.size();
    std::string text = "Backup erstellt: " + std::to_string(count) +
                       (count == 1 ? " Datei wurde" : " Dateien wurden") + " in " +
                       Quoted(archive) + " gesichert.";
    if (!result.selection.leftOut.empty()) {
        text += "\n\nNicht gesichert:";
        for (const LeftOutFile& file : result.selection.leftOut) {
            text += "\n" + PathToUtf8(file.source) + ": " + file.reason;
        }
    }
    return text;
}

} // namespace zv
