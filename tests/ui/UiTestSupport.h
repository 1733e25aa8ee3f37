#pragma once

#include "app/TfrmMain.h"
#include "widgets/ModalShow.h"
#include "widgets/ScriptedPrompts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QDialog;
class QWidget;

namespace zv::test {

// A fresh program folder for one test, removed afterwards.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Writes UTF-8 lines as a Windows-1252 file with CR LF line ends.
void WriteTextFile(const std::filesystem::path& path, const std::vector<std::string>& lines);
std::string ReadWholeFile(const std::filesystem::path& path);
// The file's lines (CR LF split), converted to UTF-8.
std::vector<std::string> ReadLines(const std::filesystem::path& path);

// One catch: field name → value; every other field stays empty.
using CatchRow = std::map<std::string, std::string>;
// Writes a catch database with the full schema and these rows.
void WriteCatchDatabase(const std::filesystem::path& path, const std::vector<CatchRow>& rows);
void WriteCostDatabase(const std::filesystem::path& path,
                       const std::vector<std::map<std::string, std::string>>& rows);
void WriteCalendarDatabase(const std::filesystem::path& path, const std::vector<CatchRow>& rows);

// A small JPEG of the given size in one colour.
void WriteJpeg(const std::filesystem::path& path, int width, int height, int r, int g, int b);

// Renders a window to <build>/tests/ui/screens/<name>.png and returns the path.
std::filesystem::path RenderToPng(QWidget& window, const std::string& name);

// Lets a dialog of work in progress (WorkerDialog) take its events until
// the work closes it; the bound only keeps broken work from hanging the
// test program.
void WaitUntilClosed(QDialog& dialog);

// The program on a temporary folder with scripted prompts and modal showing.
class ProgramTest : public ::testing::Test {
protected:
    void TearDown() override;

    // Creates the twenty windows and shows the main window (its start-up runs).
    TfrmMain& Start();
    std::string Settings() const; // the settings file's path as UTF-8
    std::filesystem::path Folder() const { return folder_.Path(); }

    TempFolder folder_;
    ScriptedPrompts prompts_;
    ScriptedModal modal_;
    std::unique_ptr<TfrmMain> main_;
};

} // namespace zv::test
