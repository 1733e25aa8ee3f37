#include "PdfTestSupport.h"

#include "base/Jpeg.h"
#include "reports/pdf/TPdfDoc.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>

namespace zv::test {

TempFolder::TempFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("zv_pdf_test_" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string SaveToString(TPdfDoc& doc) {
    std::ostringstream stream;
    doc.SaveToStream(stream);
    return stream.str();
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::string RunCommand(const std::string& command, int& status) {
    std::string output;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        status = -1;
        return output;
    }
    std::array<char, 4096> buffer{};
    std::size_t got = 0;
    while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        output.append(buffer.data(), got);
    }
    int raw = pclose(pipe);
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return output;
}

static std::string Quote(const std::filesystem::path& path) {
    std::string quoted = "'";
    for (char c : path.string()) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted.push_back(c);
        }
    }
    return quoted + "'";
}

std::string CheckPdfFromOutside(const std::filesystem::path& path,
                                const std::vector<std::string>& expectedTexts) {
    std::string problems;
    int status = 0;
    std::string check = RunCommand("qpdf --check " + Quote(path), status);
    if (status != 0 || check.find("No syntax or stream encoding errors") == std::string::npos) {
        problems += "qpdf --check failed (status " + std::to_string(status) + "):\n" + check;
    }
    std::string text = RunCommand("pdftotext -enc UTF-8 " + Quote(path) + " -", status);
    if (status != 0) {
        problems += "pdftotext failed:\n" + text;
    }
    for (const auto& expected : expectedTexts) {
        if (text.find(expected) == std::string::npos) {
            problems += "pdftotext did not find \"" + expected + "\" in:\n" + text + "\n";
        }
    }
    return problems;
}

std::string MakeJpeg(int width, int height) {
    RgbImage image;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
            image.pixels[at] = static_cast<std::uint8_t>(x * 255 / std::max(1, width - 1));
            image.pixels[at + 1] = static_cast<std::uint8_t>(y * 255 / std::max(1, height - 1));
            image.pixels[at + 2] = 120;
        }
    }
    std::string jpeg;
    std::string error;
    if (!EncodeJpeg(image, 85, jpeg, error)) {
        throw std::runtime_error(error);
    }
    return jpeg;
}

std::string ObjectBody(const std::string& pdf, int number) {
    std::string head = "\r\n" + std::to_string(number) + " 0 obj\r\n";
    std::size_t start = pdf.find(head);
    if (start == std::string::npos) {
        return {};
    }
    start += head.size();
    std::size_t end = pdf.find("\r\nendobj\r\n", start);
    return end == std::string::npos ? std::string() : pdf.substr(start, end - start);
}

std::string PageContent(const std::filesystem::path& path, int pageIndex) {
    int status = 0;
    std::string json = RunCommand("qpdf --show-pages " + Quote(path), status);
    // "page N: X 0 R" then "  content:" lines with "Y 0 R"
    std::istringstream lines(json);
    std::string line;
    int page = -1;
    bool inContent = false;
    while (std::getline(lines, line)) {
        if (line.rfind("page ", 0) == 0) {
            ++page;
            inContent = false;
            continue;
        }
        if (page == pageIndex && line.find("content:") != std::string::npos) {
            inContent = true;
            continue;
        }
        if (page == pageIndex && inContent) {
            std::istringstream parts(line);
            int object = 0;
            parts >> object;
            return RunCommand("qpdf --show-object=" + std::to_string(object) +
                                  " --filtered-stream-data " + Quote(path),
                              status);
        }
    }
    return {};
}

} // namespace zv::test
