#include "backup/ArchiveProgress.h"
#include "backup/Backup.h"
#include "backup/Restore.h"
#include "base/DateTime.h"
#include "storage/IniFile.h"
#include "storage/Workspace.h"

#include "BackupTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <random>

namespace zv {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::TreeBelow;
using test::WriteBytes;

// Bytes deflate cannot shrink, so a file of them is read in many pieces.
std::string Noise(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = char(random());
    }
    return bytes;
}

// Hears every state and sets the cancel flag the first time `stopAt` holds.
class Watcher {
public:
    explicit Watcher(std::function<bool(const ArchiveState&)> stopAt = {})
        : stopAt_(std::move(stopAt)) {}

    ArchiveProgress Progress() {
        return {[this](const ArchiveState& state) {
                    heard_.push_back(state);
                    if (!cancel_ && stopAt_ && stopAt_(state)) {
                        cancel_ = true;
                        cancelledAt_ = heard_.size() - 1;
                    }
                },
                &cancel_};
    }
    const std::vector<ArchiveState>& Heard() const { return heard_; }
    bool Cancelled() const { return cancelledAt_.has_value(); }
    // Nothing more was done after the cancel: no later state shows more
    // bytes or another phase.
    bool StoppedWhereCancelled() const {
        const ArchiveState& at = heard_.at(*cancelledAt_);
        for (std::size_t i = *cancelledAt_; i < heard_.size(); ++i) {
            if (heard_[i].phase != at.phase || heard_[i].bytesDone > at.bytesDone) {
                return false;
            }
        }
        return true;
    }

private:
    std::function<bool(const ArchiveState&)> stopAt_;
    std::atomic<bool> cancel_{false};
    std::vector<ArchiveState> heard_;
    std::optional<std::size_t> cancelledAt_;
};

// A program folder whose picture big.jpg is read in many pieces; it comes
// after the databases and before the value list in a restore.
class ProgressTest : public ::testing::Test {
protected:
    ProgressTest() {
        test::WriteProgramFolder(folder_.Path(), folder_ / "Fang.f");
        WriteBytes(folder_ / "img" / "big.jpg", Noise(1 << 20, 1));
    }
    static std::uint64_t SizeBelow(const std::filesystem::path& root) {
        std::uint64_t size = 0;
        for (const auto& file : std::filesystem::recursive_directory_iterator(root)) {
            size += file.is_regular_file() ? file.file_size() : 0;
        }
        return size;
    }

    TempFolder folder_;
    TempFolder out_;
};

TEST(ArchiveStateTest, TextsNameThePhaseAndTheFileInWork) {
    const struct {
        ArchiveState state;
        const char* text;
        int permille;
    } cases[] = {
        {{ArchivePhase::Writing, 0, 12, 0, 400}, "Das Backup wird erstellt: Datei 1 von 12", 0},
        {{ArchivePhase::Writing, 12, 12, 400, 400},
         "Das Backup wird erstellt: Datei 12 von 12",
         1000},
        {{ArchivePhase::Checking, 3, 12, 100, 400}, "Das Backup wird geprüft …", 250},
        {{ArchivePhase::SavingFormer, 1, 4, 0, 0}, "Die bisherigen Daten werden gesichert …", 250},
        {{ArchivePhase::Restoring, 4, 9, 50, 100}, "Das Backup wird geladen: Datei 5 von 9", 500},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ArchiveStateText(c.state), c.text);
        EXPECT_EQ(c.state.Permille(), c.permille) << c.text;
    }
}

// Writing, then checking: each file in turn and the bytes up to the total.
TEST_F(ProgressTest, ABackupTellsEveryFileAndByteOfBothPhases) {
    Workspace ws(folder_.Path());
    ws.Open();
    Watcher watcher;

    const BackupResult result = CreateBackup(ws, out_ / "b.zip", watcher.Progress());

    ASSERT_TRUE(result.ok) << result.problem;
    const std::size_t files = result.selection.files.size();
    const std::uint64_t bytes = SizeBelow(folder_.Path());
    std::vector<ArchivePhase> phases;
    std::set<std::size_t> written;
    for (std::size_t i = 0; i < watcher.Heard().size(); ++i) {
        const ArchiveState& state = watcher.Heard()[i];
        if (phases.empty() || phases.back() != state.phase) {
            phases.push_back(state.phase);
        } else {
            EXPECT_GE(state.bytesDone, watcher.Heard()[i - 1].bytesDone) << i;
        }
        EXPECT_EQ(state.fileCount, files);
        EXPECT_EQ(state.byteTotal, bytes);
        if (state.phase == ArchivePhase::Writing) {
            written.insert(state.CurrentFile());
        }
    }
    EXPECT_EQ(phases, (std::vector{ArchivePhase::Writing, ArchivePhase::Checking}));
    EXPECT_EQ(written.size(), files);
    EXPECT_EQ(watcher.Heard().back().Permille(), 1000);
}

TEST_F(ProgressTest, ACancelledBackupLeavesTheOlderArchiveAndNothingBesideIt) {
    const struct {
        const char* label;
        std::function<bool(const ArchiveState&)> stopAt;
        bool older;
    } cases[] = {
        {"first file", [](const ArchiveState& s) { return s.filesDone == 0; }, true},
        {"within the big picture",
         [](const ArchiveState& s) { return s.bytesDone > s.byteTotal / 2; }, true},
        {"while checking",
         [](const ArchiveState& s) { return s.phase == ArchivePhase::Checking && s.filesDone > 0; },
         true},
        {"while checking, no older archive",
         [](const ArchiveState& s) { return s.phase == ArchivePhase::Checking; }, false},
    };
    Workspace ws(folder_.Path());
    ws.Open();
    const std::filesystem::path archive = out_ / "b.zip";
    for (const auto& c : cases) {
        std::filesystem::remove(archive);
        if (c.older) {
            WriteBytes(archive, "das ältere Backup");
        }
        Watcher watcher(c.stopAt);

        const BackupResult result = CreateBackup(ws, archive, watcher.Progress());

        ASSERT_TRUE(watcher.Cancelled()) << c.label;
        EXPECT_TRUE(watcher.StoppedWhereCancelled()) << c.label;
        EXPECT_FALSE(result.ok) << c.label;
        EXPECT_TRUE(result.cancelled) << c.label;
        EXPECT_EQ(BackupMessage(result, archive),
                  "Das Backup \"" + archive.string() +
                      "\" wurde abgebrochen und nicht gespeichert.");
        EXPECT_EQ(TreeBelow(out_.Path()),
                  c.older ? std::set<std::string>{"b.zip"} : std::set<std::string>{})
            << c.label;
        if (c.older) {
            EXPECT_EQ(ReadBytes(archive), "das ältere Backup") << c.label;
        }
    }
}

// The target holds older versions of the backup's files; a cancel leaves
// each one old or new in full, and opens only the databases restored.
TEST_F(ProgressTest, ACancelledRestoreStopsBeforeTheNextFileAndKeepsTheSafetyBackup) {
    const std::filesystem::path archive = out_ / "b.zip";
    {
        Workspace source(folder_.Path());
        source.Open();
        ASSERT_TRUE(CreateBackup(source, archive).ok);
    }
    const struct {
        const char* label;
        std::function<bool(const ArchiveState&)> stopAt;
        std::set<std::string> restored; // what is new afterwards
    } cases[] = {
        {"while saving the former data",
         [](const ArchiveState& s) { return s.phase == ArchivePhase::SavingFormer; },
         {}},
        {"first file",
         [](const ArchiveState& s) { return s.phase == ArchivePhase::Restoring; },
         {}},
        {"within the big picture",
         [](const ArchiveState& s) {
             return s.phase == ArchivePhase::Restoring && s.bytesDone > s.byteTotal / 2;
         },
         {"Fang.f", "Kosten.a", "Kalender.cal", "img/karte.jpg"}},
    };
    const std::map<std::string, std::string> saved = test::EntryContents(archive);
    const TDateTime at = EncodeDate(2024, 5, 1) + EncodeTime(7, 8, 9);
    const std::string safety = "Sicherung vor dem Laden 2024-05-01 07-08-09.zip";
    for (const auto& c : cases) {
        TempFolder program;
        const std::set<std::string> names = {"Fang.f",          "Kosten.a",    "Kalender.cal",
                                             "img/karte.jpg",   "img/big.jpg", "img/hecht1.jpg",
                                             "DATs/Faenger.dat"};
        test::WriteProgramFolder(program.Path(), program / "Fang.f");
        WriteBytes(program / "img" / "big.jpg", Noise(1 << 20, 2));
        std::map<std::string, std::string> before;
        for (const std::string& name : names) {
            WriteBytes(program / name, "alt " + name);
            before[name] = ReadBytes(program / name);
        }
        const std::string settings = ReadBytes(program / "Zelvorin.ini");
        const std::set<std::string> treeBefore = TreeBelow(program.Path());
        Workspace ws(program.Path());
        ws.Open();
        Watcher watcher(c.stopAt);

        RestoreOptions options{at, std::nullopt, watcher.Progress()};
        RestoreReport report = RestoreFiles(ws, archive, options);
        OpenRestoredDatabases(ws, report);

        ASSERT_TRUE(watcher.Cancelled()) << c.label;
        EXPECT_TRUE(watcher.StoppedWhereCancelled()) << c.label;
        EXPECT_TRUE(report.cancelled) << c.label;
        std::set<std::string> restored;
        for (const std::string& name : names) {
            const std::string bytes = ReadBytes(program / name);
            if (bytes != before[name]) {
                const std::string entry = std::filesystem::path(name).filename().string();
                EXPECT_EQ(bytes, saved.at(entry)) << c.label << name;
                restored.insert(name);
            }
        }
        EXPECT_EQ(restored, c.restored) << c.label;
        const std::string message = RestoreMessage(report, ws, archive);
        std::set<std::string> treeAfter = treeBefore;
        if (report.opened) {
            treeAfter.insert(safety);
            EXPECT_NE(message.find("wurde abgebrochen: " + std::to_string(restored.size()) +
                                   " von 7 Dateien"),
                      std::string::npos)
                << message;
            for (const std::string& name : restored) {
                const std::string entry = std::filesystem::path(name).filename().string();
                EXPECT_NE(message.find("\n\"" + entry + "\""), std::string::npos) << message;
            }
        } else {
            EXPECT_NE(message.find("abgebrochen; es wurde nichts geändert"), std::string::npos)
                << message;
        }
        EXPECT_EQ(TreeBelow(program.Path()), treeAfter) << c.label;
        if (restored.empty()) {
            EXPECT_EQ(ReadBytes(program / "Zelvorin.ini"), settings) << c.label;
        } else {
            EXPECT_EQ(ws.DB().RowCount(), 2) << c.label;
            EXPECT_EQ(IniFile(program / "Zelvorin.ini").ReadString("Datenbank", "Angelkosten"),
                      (program / "Kosten.a").string());
        }
    }
}

} // namespace
} // namespace zv
