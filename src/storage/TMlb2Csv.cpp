// The semicolon-separated format that every database file of the program
// uses: a header line of field names, then one line per row, CR LF.

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "base/AtomicFile.h"
#include "base/GermanText.h"
#include "base/Win1252.h"
#include "storage/TMlb2.h"
#include "storage/TMlb2Failure.h"
#include "storage/TMlb2FileSource.h"
#include "storage/TMlb2ParseCSV.h"

namespace zv {
namespace {

constexpr std::size_t kChunkSize = 256 * 1024;
constexpr std::size_t kFlushSize = 256 * 1024;

// Feeds complete lines (without their line end) to a handler, with how many
// bytes from the line's start may be read. Lines end at CR LF, LF or a lone
// CR; a last line without a line end still counts.
class LineSplitter {
public:
    // `slack` bytes after the data may be read too.
    template <typename Handler>
    bool Feed(const char* data, std::size_t size, std::size_t slack, Handler& handle) {
        std::size_t pos = 0;
        if (skipLf_ && size > 0) {
            skipLf_ = false;
            if (data[0] == '\n') {
                pos = 1;
            }
        }
        const char* const end = data + size;
        const char* nextLf = nullptr; // cached position of the next LF (or end)
        while (pos < size) {
            const char* const start = data + pos;
            if (nextLf == nullptr || nextLf < start) {
                nextLf = static_cast<const char*>(std::memchr(start, '\n', size - pos));
                if (nextLf == nullptr) {
                    nextLf = end;
                }
            }
            const char* cr = static_cast<const char*>(
                std::memchr(start, '\r', static_cast<std::size_t>(nextLf - start)));
            const char* lineEnd = nullptr;
            const char* next = nullptr;
            if (cr != nullptr) {
                lineEnd = cr;
                if (cr + 1 < end) {
                    next = cr[1] == '\n' ? cr + 2 : cr + 1;
                } else {
                    next = end;
                    skipLf_ = true; // the LF of this CR may open the next chunk
                }
            } else if (nextLf != end) {
                lineEnd = nextLf;
                next = nextLf + 1;
            } else {
                carry_.append(start, static_cast<std::size_t>(end - start));
                return true;
            }
            bool ok = false;
            if (carry_.empty()) {
                ok = handle(std::string_view(start, static_cast<std::size_t>(lineEnd - start)),
                            static_cast<std::size_t>(end - start) + slack);
            } else {
                carry_.append(start, static_cast<std::size_t>(lineEnd - start));
                ok = handle(std::string_view(carry_), carry_.size());
                carry_.clear();
            }
            if (!ok) {
                return false;
            }
            pos = static_cast<std::size_t>(next - data);
        }
        return true;
    }

    template <typename Handler> bool Finish(Handler& handle) {
        if (carry_.empty()) {
            return true;
        }
        const bool ok = handle(std::string_view(carry_), carry_.size());
        carry_.clear();
        return ok;
    }

private:
    std::string carry_;
    bool skipLf_ = false;
};

} // namespace

bool TMlb2::ReadCsv(const std::string& path) {
    if (Trim(path).empty()) {
        return Fail(kErrorOpen, kMsgCsvOpenRead,
                    ReadFailure(path, "Es wurde kein Dateiname angegeben"));
    }
    TMlb2FileSource source;
    if (!source.Open(PathFromUtf8(path))) {
        return Fail(kErrorOpen, kMsgCsvOpenRead, ReadFailure(path, source.Reason()));
    }
    ClearTable();

    const TMlb2ParseCSV parser(separator_);
    TMlb2Row::Builder pieces;
    // Cell ends of a line; 16 bits are enough for most lines.
    std::vector<std::uint16_t> narrowEnds;
    std::vector<std::uint32_t> ends;
    long long lineNumber = 0;
    std::string failure;
    auto handleLine = [&](std::string_view line, std::size_t readable) {
        ++lineNumber;
        if (lineNumber == 1) {
            if (!parser.SplitLine(line, pieces)) {
                failure = "Die Kopfzeile ist zu lang";
                return false;
            }
            for (std::size_t i = 0; i < pieces.CellCount(); ++i) {
                AddField(pieces.Cell(i));
            }
            return true;
        }
        if (Trim(line).empty()) {
            return true;
        }
        // The cells are split straight into the table's row memory.
        const bool narrow = line.size() <= TMlb2ParseCSV::kNarrowLine;
        const std::size_t endsRoom = TMlb2ParseCSV::SplitEndsRoom(line.size());
        if (narrow && narrowEnds.size() < endsRoom) {
            narrowEnds.resize(endsRoom);
        }
        if (!narrow && ends.size() < endsRoom) {
            ends.resize(endsRoom);
        }
        char* const room =
            arena_.Room(TMlb2ParseCSV::SplitRoom(line.size()) + TMlb2Row::EndsRoom(names_.size()));
        std::size_t size = 0;
        const std::size_t count =
            narrow ? parser.SplitInto(line, readable, room, narrowEnds.data(), size)
                   : parser.SplitInto(line, readable, room, ends.data(), size);
        if (size > UINT32_MAX) {
            failure = "Zeile " + std::to_string(lineNumber) + " ist zu lang";
            return false;
        }
        if (count > names_.size()) {
            failure = "Zeile " + std::to_string(lineNumber) + " enthält " + std::to_string(count) +
                      " Werte, die Tabelle hat aber nur " + std::to_string(names_.size()) +
                      " Felder";
            return false;
        }
        if (rows_.size() >= static_cast<std::size_t>(INT_MAX)) {
            failure = "Die Datei hat zu viele Zeilen";
            return false;
        }
        rows_.push_back(narrow ? TMlb2Row::PlaceInArena(arena_, room, narrowEnds.data(), count)
                               : TMlb2Row::PlaceInArena(arena_, room, ends.data(), count));
        return true;
    };

    // The table is built from the file in chunks; no copy of the whole file
    // is ever held beside it.
    LineSplitter splitter;
    // The slack after a chunk lets the last line's scan read whole blocks.
    constexpr std::size_t kSlack = 16;
    const std::unique_ptr<char[]> chunk(new char[kChunkSize + kSlack]());
    for (bool first = true;; first = false) {
        std::size_t got = 0;
        if (!source.Read(chunk.get(), kChunkSize, got)) {
            return Fail(kErrorReadWrite, kMsgReadError, ReadFailure(path, source.Reason()));
        }
        if (got == 0) {
            break;
        }
        if (!splitter.Feed(chunk.get(), got, kSlack, handleLine)) {
            return Fail(kErrorReadWrite, kMsgReadError, ReadFailure(path, failure));
        }
        // The rows of the first chunk tell how many the file holds; room
        // for them all at once spares moving the rows as the list grows.
        // The guess never takes more than a quarter of the file's size.
        if (first && source.Remaining() > 0) {
            std::uint64_t guess = rows_.size() * source.Size() / got;
            guess += guess / 16 + 16;
            rows_.reserve(static_cast<std::size_t>(
                std::min<std::uint64_t>(guess, source.Size() / 4 / sizeof(TMlb2Row))));
        }
    }
    if (!splitter.Finish(handleLine)) {
        return Fail(kErrorReadWrite, kMsgReadError, ReadFailure(path, failure));
    }
    return true;
}

bool TMlb2::WriteCsv(const std::string& path) {
    AtomicFileWriter writer;
    if (!writer.Open(PathFromUtf8(path))) {
        return Fail(kErrorOpen, kMsgOpenWrite, writer.Error());
    }
    const TMlb2ParseCSV parser(separator_);
    std::string out;
    out.reserve(kFlushSize + 64 * 1024);
    std::string bad;

    if (!names_.empty()) {
        // Names are written as they are; only a line break inside a name is
        // escaped, since a raw one would tear the header line apart.
        for (std::size_t i = 0; i < names_.size(); ++i) {
            if (i > 0) {
                out.push_back(separator_);
            }
            const std::size_t start = out.size();
            if (!AppendUtf8AsWin1252(names_[i], out, &bad)) {
                writer.Abort();
                return Fail(kErrorReadWrite, kMsgWriteError,
                            WriteFailure(path, "Feldname \"" + names_[i] +
                                                   "\": " + NonWin1252Message(bad)));
            }
            if (out.find_first_of("\r\n", start) != std::string::npos) {
                std::string name = out.substr(start);
                out.resize(start);
                for (const char c : name) {
                    if (c == '\r') {
                        out += "\\n";
                    } else if (c != '\n') {
                        out += c;
                    }
                }
            }
        }
        out += "\r\n";
    }

    // Rows are escaped straight into a flat buffer that has room for the
    // worst case of the row; it goes to the file whenever it is full enough.
    const std::size_t fieldCount = names_.size();
    std::unique_ptr<char[]> buffer(new char[kFlushSize]);
    std::size_t capacity = kFlushSize;
    std::size_t used = 0;
    bool writeFailed = !writer.Write(out);
    for (std::size_t r = 0; r < rows_.size() && !writeFailed; ++r) {
        const TMlb2Row& row = rows_[r];
        // The escaped row, a backslash before a blank-only line and CR LF.
        const std::size_t need =
            TMlb2ParseCSV::EscapedCapacity(row.Bytes().size()) + fieldCount + 3;
        if (used + need > capacity) {
            writeFailed = !writer.Write(std::string_view(buffer.get(), used));
            used = 0;
            if (need > capacity) {
                capacity = need;
                buffer.reset(new char[capacity]);
            }
        }
        char* const lineStart = buffer.get() + used;
        std::size_t badField = 0;
        char* p = parser.EscapeRow(row, fieldCount, lineStart, &bad, badField);
        if (p == nullptr) {
            writer.Abort();
            return Fail(kErrorReadWrite, kMsgWriteError,
                        WriteFailure(path, "Datensatz " + std::to_string(r + 1) + ", Feld \"" +
                                               names_[badField] + "\": " + NonWin1252Message(bad)));
        }
        // A line of blanks only would be skipped when read back; a backslash
        // before its first character keeps the row (it reads as that character).
        const std::string_view line(lineStart, static_cast<std::size_t>(p - lineStart));
        if (!line.empty() && line[0] != separator_ && Trim(line).empty()) {
            std::memmove(lineStart + 1, lineStart, line.size());
            *lineStart = '\\';
            ++p;
        }
        *p++ = '\r';
        *p++ = '\n';
        used = static_cast<std::size_t>(p - buffer.get());
    }
    writer.Write(std::string_view(buffer.get(), used));
    if (!writer.Commit()) {
        return Fail(kErrorReadWrite, kMsgWriteError, writer.Error());
    }
    return true;
}

} // namespace zv
