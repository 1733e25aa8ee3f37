#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

namespace zv {

// The byte sink the serializer writes into. Objects format their written
// form straight into its buffer, which goes to the stream in large pieces;
// it counts the bytes so the cross-reference table can record every
// object's offset.
class TPdfOutput {
public:
    explicit TPdfOutput(std::ostream& stream);
    ~TPdfOutput();
    TPdfOutput(const TPdfOutput&) = delete;
    TPdfOutput& operator=(const TPdfOutput&) = delete;

    void Write(std::string_view bytes) {
        if (bytes.size() <= kBufferSize - used_) {
            std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
            used_ += bytes.size();
        } else {
            WriteLarge(bytes);
        }
    }
    void Write(char byte) {
        *Room(1) = byte;
        ++used_;
    }
    void WriteInt(long long value);
    // "number generation R"
    void WriteRef(long long number, int generation);
    // `value` as `width` digits with leading zeros.
    void WriteZeroPadded(unsigned long long value, int width);
    // The written forms of PdfFormat.h.
    void WriteName(std::string_view name);
    void WriteLiteral(std::string_view bytes);
    void WriteTextString(std::string_view utf8);
    void WriteReal(double value);

    // Free room at the end of the buffer, at least `minimum` bytes (no more
    // than the buffer holds), for bytes read straight into it; Commit tells
    // how many were put there.
    char* FreeRoom(std::size_t minimum, std::size_t& room) {
        char* at = Room(minimum);
        room = kBufferSize - used_;
        return at;
    }
    void Commit(std::size_t count) { used_ += count; }

    std::uint64_t Position() const { return written_ + used_; }
    // Hands the buffer to the stream; throws std::runtime_error when the
    // stream reports a failure.
    void Flush();

private:
    static constexpr std::size_t kBufferSize = 1 << 17;

    // At least `size` (≤ kBufferSize) free bytes at the end of the buffer.
    char* Room(std::size_t size) {
        if (kBufferSize - used_ < size) {
            Flush();
        }
        return buffer_.get() + used_;
    }
    void Advance(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.get()); }
    void WriteLarge(std::string_view bytes);

    std::ostream& stream_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    std::uint64_t written_ = 0;
};

} // namespace zv
