#include "backup/Backup.h"

#include "backup/ArchiveWriter.h"
#include "backup/EntryName.h"
#include "backup/MessageList.h"
#include "backup/ZipErrorText.h"
#include "base/AtomicFile.h"
#include "base/GermanText.h"
#include "storage/Workspace.h"

#include <algorithm>
#include <map>
#include <system_error>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

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

LeftOutFile Unreadable(const std::filesystem::path& file, int err) {
    return {file, "Die Datei kann nicht gelesen werden: " + SystemErrorText(err) + ".", true};
}

// The regular files directly in `folder` whose suffix is `suffix` (any
// case; empty: every file), in name order. A missing folder has none. An
// entry whose kind cannot be told (a link to nowhere) cannot be read.
bool ListFolder(const std::filesystem::path& folder, const std::string& suffix,
                std::vector<std::filesystem::path>& files, BackupSelection& selection) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        return true;
    }
    std::vector<std::filesystem::path> found;
    std::filesystem::directory_iterator it(folder, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::string name = PathToUtf8(it->path().filename());
        if (!suffix.empty() && LowerSuffix(name) != suffix) {
            continue;
        }
        std::error_code typeError;
        if (it->is_regular_file(typeError)) {
            found.push_back(it->path());
        } else if (typeError) {
            selection.leftOut.push_back(Unreadable(it->path(), typeError.value()));
        }
    }
    if (ec) {
        selection.problem = "Der Ordner " + Quoted(folder) +
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

// The database of that kind a backup saves: the current one, or the one
// the settings name that could not be opened.
std::string DatabaseToSave(const Workspace& workspace, DatabaseKind kind) {
    const std::string& current = workspace.CurrentPath(kind);
    return current.empty() ? workspace.UnopenedPath(kind) : current;
}

} // namespace

bool IsStoredUncompressed(const std::string& fileName) {
    const std::string suffix = LowerSuffix(fileName);
    return std::any_of(std::begin(kStoredSuffixes), std::end(kStoredSuffixes),
                       [&](const char* stored) { return suffix == stored; });
}

bool BackupSelection::Complete() const {
    return std::none_of(leftOut.begin(), leftOut.end(),
                        [](const LeftOutFile& file) { return file.unreadable; });
}

BackupSelection SelectBackupFiles(const Workspace& workspace,
                                  const std::filesystem::path& archive) {
    BackupSelection selection;
    const std::filesystem::path& folder = workspace.ProgramFolder();
    std::vector<std::filesystem::path> candidates;
    if (!ListFolder(folder, "jpg", candidates, selection) ||
        !ListFolder(folder / "img", "", candidates, selection) ||
        !ListFolder(folder / "DATs", "dat", candidates, selection)) {
        selection.ok = false;
        return selection;
    }
    std::vector<std::filesystem::path> databases;
    auto addDatabase = [&](DatabaseKind kind) {
        const std::string path = DatabaseToSave(workspace, kind);
        if (path.empty()) {
            return;
        }
        const std::filesystem::path file = PathFromUtf8(path);
        databases.push_back(file);
        std::error_code ec;
        if (std::filesystem::is_regular_file(file, ec)) {
            candidates.push_back(file);
        } else {
            selection.leftOut.push_back({file, "Die Datei existiert nicht.", true});
        }
    };
    addDatabase(DatabaseKind::Catch);
    std::error_code ec;
    if (std::filesystem::is_regular_file(folder / "Zelvorin.ini", ec)) {
        candidates.push_back(folder / "Zelvorin.ini");
    }
    addDatabase(DatabaseKind::Cost);
    addDatabase(DatabaseKind::Calendar);

    // Writing the archive over one of its sources would destroy that file.
    const std::filesystem::path target = FullPath(archive);
    const bool isSource =
        std::any_of(
            candidates.begin(), candidates.end(),
            [&](const std::filesystem::path& source) { return SameFile(source, target); }) ||
        std::any_of(databases.begin(), databases.end(), [&](const std::filesystem::path& database) {
            return FullPath(database) == target;
        });
    if (isSource) {
        selection.ok = false;
        selection.problem = "Das Backup kann nicht in " + Quoted(archive) +
                            " gespeichert werden: Diese Datei gehört selbst zu den Dateien, "
                            "die gesichert werden.";
        return selection;
    }

    std::vector<std::filesystem::path> kept;
    for (const std::filesystem::path& source : candidates) {
        const std::string name = PathToUtf8(source.filename());
        if (const std::string reason = NameChangeReason(name); !reason.empty()) {
            selection.leftOut.push_back({source, reason});
            continue;
        }
        const int fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            selection.leftOut.push_back(Unreadable(source, errno));
            continue;
        }
        ::close(fd);
        kept.push_back(source);
    }

    // Later sources take the name from earlier ones (see the header), but a
    // map picture in the program folder keeps its name.
    std::map<std::string, std::size_t> winnerOf;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const std::string name = PathToUtf8(kept[i].filename());
        const auto winner = winnerOf.find(name);
        const bool mapInPlace = winner != winnerOf.end() && IsMapPictureName(name) &&
                                kept[winner->second].parent_path() == folder;
        if (!mapInPlace) {
            winnerOf[name] = i;
        }
    }
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const std::filesystem::path& source = kept[i];
        const std::string name = PathToUtf8(source.filename());
        const std::size_t winner = winnerOf[name];
        if (winner != i) {
            if (!SameFile(source, kept[winner])) {
                selection.leftOut.push_back(
                    {source, "Gesichert ist die gleichnamige Datei " + Quoted(kept[winner]) + "."});
            }
            continue;
        }
        selection.files.push_back({name, source, IsStoredUncompressed(name)});
    }
    return selection;
}

BackupResult CreateBackup(const Workspace& workspace, const std::filesystem::path& archive,
                          const ArchiveProgress& progress) {
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
        result.cancelled = writer.Cancelled();
        result.problem = writer.Error();
    }
    return result;
}

std::string BackupMessage(const BackupResult& result, const std::filesystem::path& archive) {
    if (result.cancelled) {
        return result.problem;
    }
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
    std::vector<std::string> lines;
    for (const LeftOutFile& file : result.selection.leftOut) {
        lines.push_back(PathToUtf8(file.source) + ": " + file.reason);
    }
    AppendList(text, "Nicht gesichert:", lines);
    return text;
}

} // namespace zv
