#include "reports/pdf/TPdfOutput.h"

#include "reports/pdf/PdfFormat.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace zv {

TPdfOutput::TPdfOutput(std::ostream& stream)
    : stream_(stream), buffer_(std::make_unique<char[]>(kBufferSize)) {}

TPdfOutput::~TPdfOutput() {
    // A destructor must not throw; callers that care call Flush() themselves.
    if (used_ != 0) {
        stream_.write(buffer_.get(), static_cast<std::streamsize>(used_));
    }
}

void TPdfOutput::WriteLarge(std::string_view bytes) {
    Flush();
    if (bytes.size() < kBufferSize) {
        std::memcpy(buffer_.get(), bytes.data(), bytes.size());
        used_ = bytes.size();
        return;
    }
    stream_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    written_ += bytes.size();
    if (!stream_) {
        throw std::runtime_error("Fehler beim Schreiben der PDF-Datei.");
    }
}

void TPdfOutput::WriteInt(long long value) {
    char* at = Room(24);
    Advance(std::to_chars(at, at + 24, value).ptr);
}

void TPdfOutput::WriteRef(long long number, int generation) {
    char* at = Room(64);
    at = std::to_chars(at, at + 24, number).ptr;
    *at++ = ' ';
    at = std::to_chars(at, at + 24, generation).ptr;
    *at++ = ' ';
    *at++ = 'R';
    Advance(at);
}

void TPdfOutput::WriteZeroPadded(unsigned long long value, int width) {
    char digits[24];
    char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const auto length = static_cast<int>(end - digits);
    char* at = Room(static_cast<std::size_t>(std::max(width, length)));
    for (int i = length; i < width; ++i) {
        *at++ = '0';
    }
    Advance(std::copy(digits, end, at));
}

void TPdfOutput::WriteName(std::string_view name) {
    if (PdfNameRoom(name.size()) <= kBufferSize) {
        Advance(FormatPdfName(Room(PdfNameRoom(name.size())), name));
        return;
    }
    std::string text;
    AppendPdfName(text, name);
    Write(text);
}

void TPdfOutput::WriteLiteral(std::string_view bytes) {
    if (PdfLiteralRoom(bytes.size()) <= kBufferSize) {
        Advance(FormatPdfLiteral(Room(PdfLiteralRoom(bytes.size())), bytes));
        return;
    }
    std::string text;
    AppendPdfLiteral(text, bytes);
    Write(text);
}

void TPdfOutput::WriteTextString(std::string_view utf8) {
    // Plain ASCII, by far the most common title, needs no conversion.
    if (std::all_of(utf8.begin(), utf8.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        WriteLiteral(utf8);
        return;
    }
    std::string text;
    AppendPdfTextString(text, utf8);
    Write(text);
}

void TPdfOutput::WriteReal(double value) {
    Advance(FormatPdfReal(Room(kMaxPdfRealSize), value));
}

void TPdfOutput::Flush() {
    if (used_ != 0) {
        stream_.write(buffer_.get(), static_cast<std::streamsize>(used_));
        written_ += used_;
        used_ = 0;
    }
    if (!stream_) {
        throw std::runtime_error("Fehler beim Schreiben der PDF-Datei.");
    }
}

} // namespace zv
