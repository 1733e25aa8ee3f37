#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zv {
class TPdfDoc;
}

namespace zv::test {

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path File(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// The bytes SaveToStream writes.
std::string SaveToString(TPdfDoc& doc);

void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
std::string ReadBytes(const std::filesystem::path& path);

// Checks a written PDF from outside: `qpdf --check` must pass without
// errors or warnings, and the text `pdftotext` extracts must contain every
// expected text. Returns a description of what failed, empty when all held.
std::string CheckPdfFromOutside(const std::filesystem::path& path,
                                const std::vector<std::string>& expectedTexts);

// Runs a command and returns its standard output; `status` gets the exit
// status.
std::string RunCommand(const std::string& command, int& status);

// A JPEG of the given size with a colour gradient.
std::string MakeJpeg(int width, int height);

// The body of object `number` ("N 0 obj" … "endobj"), empty when absent.
std::string ObjectBody(const std::string& pdf, int number);

// The decoded content stream of page `pageIndex` (from 0) as qpdf shows it.
std::string PageContent(const std::filesystem::path& path, int pageIndex);

} // namespace zv::test
