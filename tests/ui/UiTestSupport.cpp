#include "UiTestSupport.h"

#include "app/Startup.h"
#include "base/AtomicFile.h"
#include "base/Jpeg.h"
#include "base/Win1252.h"
#include "storage/Schemas.h"
#include "storage/TMlbc.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QThread>
#include <QWidget>

#include <atomic>
#include <chrono>
#include <fstream>

namespace zv::test {

namespace {

// One application object for the whole test program, on the offscreen
// platform unless the environment names another.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        static int argc = 1;
        static char name[] = "zv_ui_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("zv_ui_" + std::to_string(stamp) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void WriteTextFile(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        const std::optional<std::string> encoded = Utf8ToWin1252(line);
        if (!encoded) {
            throw std::runtime_error("not Windows-1252: " + line);
        }
        bytes += *encoded + "\r\n";
    }
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string ReadWholeFile(const std::filesystem::path& path) {
    std::string bytes;
    std::string error;
    if (!ReadFileBytes(path, bytes, error)) {
        return {};
    }
    return bytes;
}

std::vector<std::string> ReadLines(const std::filesystem::path& path) {
    const std::string text = Win1252ToUtf8(ReadWholeFile(path));
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t end = text.find("\r\n", from);
        if (end == std::string::npos) {
            lines.push_back(text.substr(from));
            break;
        }
        lines.push_back(text.substr(from, end - from));
        from = end + 2;
    }
    return lines;
}

static void WriteTable(const std::filesystem::path& path, const std::vector<std::string>& fields,
                       const std::vector<std::map<std::string, std::string>>& rows) {
    std::unique_ptr<TMlbc> table = MakeEmptyTable(fields);
    for (const auto& row : rows) {
        table->AppendRow();
        for (const auto& [field, value] : row) {
            if (!table->SetData(field, value)) {
                throw std::runtime_error("no field " + field);
            }
        }
    }
    if (!table->SaveToFile(PathToUtf8(path))) {
        throw std::runtime_error("cannot write " + PathToUtf8(path));
    }
}

void WriteCatchDatabase(const std::filesystem::path& path, const std::vector<CatchRow>& rows) {
    WriteTable(path, CatchFields(), rows);
}

void WriteCostDatabase(const std::filesystem::path& path,
                       const std::vector<std::map<std::string, std::string>>& rows) {
    WriteTable(path, CostFields(), rows);
}

void WriteCalendarDatabase(const std::filesystem::path& path, const std::vector<CatchRow>& rows) {
    WriteTable(path, CalendarFields(), rows);
}

void WriteJpeg(const std::filesystem::path& path, int width, int height, int r, int g, int b) {
    RgbImage image;
    image.width = width;
    image.height = height;
    image.pixels.resize(std::size_t(width) * std::size_t(height) * 3);
    for (std::size_t i = 0; i < image.pixels.size(); i += 3) {
        image.pixels[i] = std::uint8_t(r);
        image.pixels[i + 1] = std::uint8_t(g);
        image.pixels[i + 2] = std::uint8_t(b);
    }
    std::string bytes;
    std::string error;
    if (!EncodeJpeg(image, 90, bytes, error)) {
        throw std::runtime_error(error);
    }
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::filesystem::path RenderToPng(QWidget& window, const std::string& name) {
    const std::filesystem::path folder = std::filesystem::path(ZV_TEST_OUTPUT_DIR) / "screens";
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / (name + ".png");
    window.grab().save(QString::fromStdString(file.string()), "PNG");
    return file;
}

void WaitUntilClosed(QDialog& dialog) {
    QElapsedTimer timer;
    timer.start();
    while (dialog.isVisible() && timer.elapsed() < 60000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

void ProgramTest::TearDown() {
    if (main_) {
        main_->hide();
        main_.reset();
    }
}

TfrmMain& ProgramTest::Start() {
    main_ = CreateForms(folder_.Path());
    main_->show();
    return *main_;
}

std::string ProgramTest::Settings() const {
    return PathToUtf8(folder_.Path() / "Zelvorin.ini");
}

} // namespace zv::test
