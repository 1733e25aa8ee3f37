#include "reports/pdf/TPdfOutput.h"

#include <charconv>
#include <stdexcept>

namespace zv {

namespace {
constexpr std::size_t kBufferSize = 1 << 16;
}

TPdfOutput::TPdfOutput(std::ostream& stream) : stream_(stream) {
    buffer_.reserve(kBufferSize);
}

TPdfOutput::~TPdfOutput() {
    // A destructor must not throw; callers that care call Flush() themselves.
    if (!buffer_.empty()) {
        stream_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    }
}

void TPdfOutput::Write(std::string_view bytes) {
    if (buffer_.size() + bytes.size() > kBufferSize) {
        Flush();
        if (bytes.size() > kBufferSize) {
            stream_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            written_ += bytes.size();
            if (!stream_) {
                throw std::runtime_error("Fehler beim Schreiben der PDF-Datei.");
            }
            return;
        }
    }
    buffer_.append(bytes);
}

void TPdfOutput::Write(char byte) {
    if (buffer_.size() + 1 > kBufferSize) {
        Flush();
    }
    buffer_.push_back(byte);
}

void TPdfOutput::WriteInt(long long value) {
    char digits[24];
    auto result = std::to_chars(digits, digits + sizeof digits, value);
    Write(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
}

void TPdfOutput::Flush() {
    if (!buffer_.empty()) {
        stream_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        written_ += buffer_.size();
        buffer_.clear();
    }
    if (!stream_) {
        throw std::runtime_error("Fehler beim Schreiben der PDF-Datei.");
    }
}

} // namespace zv
