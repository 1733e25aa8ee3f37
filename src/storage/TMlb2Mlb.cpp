// The structured MLB format: a fixed header, the table name, the field
// descriptors and the rows, every text a 4-byte length and its bytes.

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>

#include "base/AtomicFile.h"
#include "base/Win1252.h"
#include "storage/TMlb2.h"
#include "storage/TMlb2Failure.h"
#include "storage/TMlb2FileSource.h"
#include "storage/TMlb2ParseCSV.h"

namespace zv {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr std::size_t kFlushSize = 256 * 1024;

// Reads integers and strings through a buffer, checking every length
// against the bytes the file still holds before it reads or allocates.
class MlbReader {
public:
    explicit MlbReader(TMlb2FileSource& source) : source_(source), buffer_(new char[kBufferSize]) {}

    void SetBigEndian(bool bigEndian) { bigEndian_ = bigEndian; }

    // Bytes not yet consumed, buffered ones included.
    std::uint64_t Remaining() const { return source_.Remaining() + (end_ - pos_); }

    bool Bytes(char* dest, std::size_t count) {
        while (count > 0) {
            if (pos_ == end_ && !Fill()) {
                return false;
            }
            const std::size_t n = std::min(count, end_ - pos_);
            std::memcpy(dest, buffer_.get() + pos_, n);
            pos_ += n;
            dest += n;
            count -= n;
        }
        return true;
    }

    bool U8(std::uint8_t& value) {
        char c = 0;
        if (!Bytes(&c, 1)) {
            return false;
        }
        value = static_cast<std::uint8_t>(c);
        return true;
    }

    bool U16(std::uint16_t& value) {
        unsigned char b[2];
        if (!Bytes(reinterpret_cast<char*>(b), 2)) {
            return false;
        }
        value = bigEndian_ ? static_cast<std::uint16_t>(b[0] << 8 | b[1])
                           : static_cast<std::uint16_t>(b[1] << 8 | b[0]);
        return true;
    }

    bool U32(std::uint32_t& value) {
        unsigned char b[4];
        if (!Bytes(reinterpret_cast<char*>(b), 4)) {
            return false;
        }
        if (bigEndian_) {
            value = std::uint32_t{b[0]} << 24 | std::uint32_t{b[1]} << 16 |
                    std::uint32_t{b[2]} << 8 | std::uint32_t{b[3]};
        } else {
            value = std::uint32_t{b[3]} << 24 | std::uint32_t{b[2]} << 16 |
                    std::uint32_t{b[1]} << 8 | std::uint32_t{b[0]};
        }
        return true;
    }

    // A string: its declared bytes are consumed, the text ends at the first
    // zero byte. The result is appended as UTF-8.
    bool String(std::string& scratch, std::string& utf8) {
        std::uint32_t length = 0;
        if (!U32(length) || length > Remaining()) {
            return false;
        }
        scratch.resize(length);
        if (!Bytes(scratch.data(), length)) {
            return false;
        }
        const std::size_t zero = scratch.find('\0');
        if (zero != std::string::npos) {
            scratch.resize(zero);
        }
        AppendWin1252AsUtf8(scratch, utf8);
        return true;
    }

    bool ReadFailed() const { return readFailed_; }

private:
    bool Fill() {
        std::size_t got = 0;
        if (!source_.Read(buffer_.get(), kBufferSize, got)) {
            readFailed_ = true;
            return false;
        }
        pos_ = 0;
        end_ = got;
        return got > 0;
    }

    TMlb2FileSource& source_;
    std::unique_ptr<char[]> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool bigEndian_ = false;
    bool readFailed_ = false;
};

void PutU16(std::string& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

void PutU32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
}

// Bytes a UTF-8 text takes in Windows-1252: one per character. (A text that
// does not convert fails the save anyway.)
std::uint64_t Win1252Length(std::string_view utf8) {
    std::uint64_t n = 0;
    for (const char c : utf8) {
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return n;
}

} // namespace

bool TMlb2::ReadMlb(const std::string& path) {
    TMlb2FileSource source;
    if (!source.Open(PathFromUtf8(path))) {
        return Fail(kErrorOpen, kMsgMlbOpenRead, ReadFailure(path, source.Reason()));
    }
    MlbReader in(source);
    const auto damaged = [&](std::string_view what) {
        if (in.ReadFailed()) {
            return Fail(kErrorReadWrite, kMsgReadError, ReadFailure(path, source.Reason()));
        }
        return Fail(kErrorFormat, kMsgMlbDamaged,
                    ReadFailure(path, std::string("Die MLB-Datei ist unvollständig oder "
                                                  "beschädigt (") +
                                          std::string(what) + ")"));
    };

    char head[6] = {};
    if (!in.Bytes(head, 3) || head[0] != 'M' || head[1] != 'L' || head[2] != 'B') {
        if (in.ReadFailed()) {
            return damaged("Kennung");
        }
        return Fail(kErrorFormat, kMsgMlbSignature,
                    ReadFailure(path, "Die Datei ist keine MLB-Datei (falsche Kennung)"));
    }
    if (!in.Bytes(head + 3, 3)) {
        return damaged("Kopf");
    }
    in.SetBigEndian(head[5] != 1);
    std::uint16_t tables = 0;
    if (!in.U16(tables)) {
        return damaged("Kopf");
    }
    if (tables == 0) {
        return Fail(kErrorFormat, kMsgMlbTables,
                    ReadFailure(path, "Die MLB-Datei enthält keine Tabelle"));
    }
    std::uint16_t reserved = 0;
    std::uint16_t blockType = 0;
    if (!in.U16(reserved) || !in.U16(blockType)) {
        return damaged("Kopf");
    }
    if (blockType != 0) {
        return Fail(kErrorFormat, kMsgMlbBlock,
                    ReadFailure(path, "Der erste Block der MLB-Datei ist keine Tabelle"));
    }
    ClearTable();
    std::uint32_t blockLength = 0;
    std::string scratch;
    std::string tableName;
    std::uint32_t fieldCount = 0;
    std::uint32_t rowCount = 0;
    if (!in.U32(blockLength) || !in.U16(reserved) || !in.String(scratch, tableName) ||
        !in.U32(fieldCount) || !in.U32(rowCount)) {
        return damaged("Tabellenkopf");
    }
    // Each descriptor takes at least 5 bytes and each row at least 4 plus 4
    // per field: counts that the rest of the file cannot hold are refused
    // before anything is allocated for them.
    if (fieldCount > in.Remaining() / 5 || fieldCount > static_cast<std::uint32_t>(INT_MAX)) {
        return damaged("Feldanzahl");
    }
    const std::uint64_t minRowBytes = 4 + 4 * std::uint64_t{fieldCount};
    if (rowCount > in.Remaining() / minRowBytes || rowCount > static_cast<std::uint32_t>(INT_MAX)) {
        return damaged("Zeilenanzahl");
    }

    // Which field each descriptor created; a descriptor whose name is empty
    // or repeats an earlier one creates none, and its cells are dropped
    // rather than landing in the next field's column.
    std::vector<int> fieldOfDescriptor(fieldCount, 0);
    std::string name;
    for (std::uint32_t i = 0; i < fieldCount; ++i) {
        std::uint8_t type = 0;
        name.clear();
        if (!in.U8(type) || !in.String(scratch, name)) {
            return damaged("Feldbeschreibung");
        }
        if (AddField(name)) {
            fieldOfDescriptor[i] = FieldCount();
            SetFieldType(FieldCount(), type == 1 ? "FLOAT" : "STRING");
        }
    }

    rows_.reserve(rowCount);
    TMlb2Row::Builder cells;
    std::string cell;
    for (std::uint32_t r = 0; r < rowCount; ++r) {
        std::uint32_t rowLength = 0;
        if (!in.U32(rowLength)) {
            return damaged("Zeile " + std::to_string(r + 1));
        }
        cells.Clear();
        for (std::uint32_t i = 0; i < fieldCount; ++i) {
            cell.clear();
            if (!in.String(scratch, cell)) {
                return damaged("Zeile " + std::to_string(r + 1));
            }
            if (fieldOfDescriptor[i] == 0) {
                continue;
            }
            cells.Append(cell);
            if (!cells.EndCell()) {
                return damaged("Zeile " + std::to_string(r + 1) + " zu lang");
            }
        }
        rows_.push_back(cells.Build());
    }
    return true;
}

bool TMlb2::WriteMlb(const std::string& path) {
    // Lengths come first in this format, so the sizes are counted before
    // anything is written; the bytes then stream out.
    std::uint64_t total = 18 + 4 + Win1252Length(tableName_) + 8;
    for (const std::string& name : names_) {
        total += 5 + Win1252Length(name);
    }
    const std::size_t fieldCount = names_.size();
    for (const TMlb2Row& row : rows_) {
        std::uint64_t rowLength = 0;
        for (std::size_t i = 0; i < fieldCount; ++i) {
            rowLength += 4 + Win1252Length(row.Cell(i));
        }
        if (rowLength > UINT32_MAX) {
            return Fail(kErrorReadWrite, kMsgWriteError,
                        WriteFailure(path, "Ein Datensatz ist für das MLB-Format zu groß"));
        }
        total += 4 + rowLength;
    }
    if (total - 16 > UINT32_MAX) {
        return Fail(kErrorReadWrite, kMsgWriteError,
                    WriteFailure(path, "Die Tabelle ist für das MLB-Format zu groß"));
    }

    AtomicFileWriter writer;
    if (!writer.Open(PathFromUtf8(path))) {
        return Fail(kErrorOpen, kMsgOpenWrite, writer.Error());
    }
    std::string out;
    out.reserve(kFlushSize + 64 * 1024);
    std::string bad;
    const auto putString = [&](std::string_view utf8) {
        PutU32(out, static_cast<std::uint32_t>(Win1252Length(utf8)));
        return AppendUtf8AsWin1252(utf8, out, &bad);
    };
    const auto notStorable = [&](const std::string& where) {
        writer.Abort();
        return Fail(kErrorReadWrite, kMsgWriteError,
                    WriteFailure(path, where + ": " + NonWin1252Message(bad)));
    };

    out.append("MLB");
    out.push_back(2);
    out.push_back(2);
    out.push_back(1); // little-endian
    PutU16(out, 1);   // one table
    PutU16(out, 0);
    PutU16(out, 0); // block type TABLE
    PutU32(out, static_cast<std::uint32_t>(total - 16));
    PutU16(out, 0);
    if (!putString(tableName_)) {
        return notStorable("Tabellenname");
    }
    PutU32(out, static_cast<std::uint32_t>(fieldCount));
    PutU32(out, static_cast<std::uint32_t>(rows_.size()));
    for (std::size_t i = 0; i < fieldCount; ++i) {
        out.push_back(types_[i] == "FLOAT" ? 1 : 0);
        if (!putString(names_[i])) {
            return notStorable("Feldname \"" + names_[i] + "\"");
        }
    }
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        const TMlb2Row& row = rows_[r];
        std::uint64_t rowLength = 0;
        for (std::size_t i = 0; i < fieldCount; ++i) {
            rowLength += 4 + Win1252Length(row.Cell(i));
        }
        PutU32(out, static_cast<std::uint32_t>(rowLength));
        for (std::size_t i = 0; i < fieldCount; ++i) {
            if (!putString(row.Cell(i))) {
                return notStorable("Datensatz " + std::to_string(r + 1) + ", Feld \"" + names_[i] +
                                   "\"");
            }
        }
        if (out.size() >= kFlushSize) {
            if (!writer.Write(out)) {
                break;
            }
            out.clear();
        }
    }
    writer.Write(out);
    if (!writer.Commit()) {
        return Fail(kErrorReadWrite, kMsgWriteError, writer.Error());
    }
    return true;
}

} // namespace zv
