#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/TMlb2Row.h"

namespace zv {

// Escaping of the semicolon-separated table format. A cell is written with
// CR as backslash-n, LF dropped, backslash doubled and the separator preceded
// by a backslash; no cell is ever quoted. Reading undoes this in one pass.
// Files are Windows-1252 and cells UTF-8, so both directions convert too.
class TMlb2ParseCSV {
public:
    // The separator is one Windows-1252 byte.
    explicit TMlb2ParseCSV(char separator = ';') : separator_(separator) {}

    char Separator() const { return separator_; }

    // Splits one line (Windows-1252 bytes without its line end) into its
    // unescaped pieces, each a UTF-8 cell of `pieces` (cleared first). False
    // only when the pieces would exceed the 4 GiB a row can hold.
    bool SplitLine(std::string_view line, TMlb2Row::Builder& pieces) const;
    std::vector<std::string> SplitLine(std::string_view line) const;

    // The same straight into memory: the UTF-8 pieces go to `out`, which has
    // SplitRoom(line size) bytes of room, back to back with a NUL between
    // them, and the end offset of each piece to `ends`, which has room for
    // SplitEndsRoom(line size) offsets. Returns the number of pieces; `size`
    // receives the number of bytes written (more than 4 GiB cannot be a row).
    // `readable` bytes from the line's start may be read (at least its size;
    // the scan is fastest with 16 more). 16-bit ends are enough for a line
    // of up to kNarrowLine bytes.
    template <typename Offset>
    std::size_t SplitInto(std::string_view line, std::size_t readable, char* out, Offset* ends,
                          std::size_t& size) const;
    static constexpr std::size_t kNarrowLine = 0xFFFF / 3;
    static constexpr std::size_t SplitRoom(std::size_t lineBytes) { return 3 * lineBytes + 16; }
    static constexpr std::size_t SplitEndsRoom(std::size_t lineBytes) { return lineBytes + 9; }

    // Appends the escaped Windows-1252 form of a UTF-8 cell to `out`. False
    // when the cell holds a character Windows-1252 cannot hold (it is put
    // into `badChar`); `out` then holds a partial cell.
    bool AppendEscaped(std::string_view utf8Cell, std::string& out,
                       std::string* badChar = nullptr) const;
    std::optional<std::string> Escape(std::string_view utf8Cell) const;

    // Room the escaped form of `cellBytes` UTF-8 bytes may take, with the
    // slack the block-wise scan stores into.
    static constexpr std::size_t EscapedCapacity(std::size_t cellBytes) {
        return 2 * cellBytes + 16;
    }

    // The escaped line of a row of `fieldCount` cells (separators between
    // them, no line end) into a buffer of EscapedCapacity(row bytes) plus
    // `fieldCount` bytes of room. Returns the end of what was written, or
    // nullptr for a character Windows-1252 cannot hold; `badField` then
    // receives the 0-based position of its cell.
    char* EscapeRow(const TMlb2Row& row, std::size_t fieldCount, char* out, std::string* badChar,
                    std::size_t& badField) const;

private:
    char separator_;
};

// UTF-8 of one Windows-1252 byte (a table filled once from Win1252ToUtf8).
std::string_view Utf8OfWin1252Byte(unsigned char byte);

// Appends the UTF-8 form of Windows-1252 bytes.
void AppendWin1252AsUtf8(std::string_view bytes, std::string& out);

} // namespace zv
