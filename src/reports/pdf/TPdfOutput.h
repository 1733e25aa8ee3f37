#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace zv {

// The byte sink the serializer writes into. It counts the bytes so the
// cross-reference table can record every object's offset, and buffers so a
// large document costs few calls into the stream.
class TPdfOutput {
public:
    explicit TPdfOutput(std::ostream& stream);
    ~TPdfOutput();
    TPdfOutput(const TPdfOutput&) = delete;
    TPdfOutput& operator=(const TPdfOutput&) = delete;

    void Write(std::string_view bytes);
    void Write(char byte);
    void WriteInt(long long value);
    std::uint64_t Position() const { return written_ + buffer_.size(); }
    // Hands the buffer to the stream; throws std::runtime_error when the
    // stream reports a failure.
    void Flush();

private:
    std::ostream& stream_;
    std::string buffer_;
    std::uint64_t written_ = 0;
};

} // namespace zv
