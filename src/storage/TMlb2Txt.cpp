// The quoted text format: text cells in quote characters, number cells bare.
// No database of the program uses it; it exists for exchange.

#include <climits>
#include <memory>

#include "base/AtomicFile.h"
#include "base/Win1252.h"
#include "storage/TMlb2.h"
#include "storage/TMlb2Failure.h"
#include "storage/TMlb2FileSource.h"
#include "storage/TMlb2ParseCSV.h"

namespace zv {
namespace {

constexpr std::size_t kChunkSize = 64 * 1024;
constexpr std::size_t kFlushSize = 256 * 1024;

struct TxtCell {
    std::string bytes; // Windows-1252
    bool quoted = false;
};

} // namespace

bool TMlb2::ReadTxt(const std::string& path) {
    TMlb2FileSource source;
    if (!source.Open(PathFromUtf8(path))) {
        // This format records no last error when the file cannot be opened.
        lastFailure_ = ReadFailure(path, source.Reason());
        return false;
    }
    ClearTable();

    std::vector<TxtCell> cells(1);
    bool lineHasCell = false;
    bool inQuote = false;
    bool firstLine = true;
    long long lineNumber = 1;
    std::string failure;
    // Per field: a non-empty cell seen bare / seen quoted. A field whose
    // non-empty cells are all bare is a number field.
    std::vector<bool> seenBare;
    std::vector<bool> seenQuoted;
    TMlb2Row::Builder row;
    std::string utf8;

    const auto endLine = [&]() {
        if (firstLine) {
            firstLine = false;
            for (const TxtCell& cell : cells) {
                if (!cell.bytes.empty()) {
                    utf8.clear();
                    AppendWin1252AsUtf8(cell.bytes, utf8);
                    AddField(utf8);
                }
            }
            seenBare.assign(names_.size(), false);
            seenQuoted.assign(names_.size(), false);
        } else if (lineHasCell) {
            row.Clear();
            for (std::size_t i = 0; i < cells.size(); ++i) {
                const TxtCell& cell = cells[i];
                if (i >= names_.size()) {
                    if (!cell.bytes.empty()) {
                        failure = "Zeile " + std::to_string(lineNumber) + " enthält mehr Werte, " +
                                  "als die Tabelle Felder hat (" + std::to_string(names_.size()) +
                                  ")";
                        return false;
                    }
                    continue;
                }
                AppendWin1252AsUtf8(cell.bytes, utf8.erase());
                row.Append(utf8);
                if (!row.EndCell()) {
                    failure = "Zeile " + std::to_string(lineNumber) + " ist zu lang";
                    return false;
                }
                if (!cell.bytes.empty()) {
                    (cell.quoted ? seenQuoted : seenBare)[i] = true;
                }
            }
            if (rows_.size() >= static_cast<std::size_t>(INT_MAX)) {
                failure = "Die Datei hat zu viele Zeilen";
                return false;
            }
            rows_.push_back(row.Build());
        }
        cells.assign(1, TxtCell{});
        lineHasCell = false;
        ++lineNumber;
        return true;
    };

    const std::unique_ptr<char[]> chunk(new char[kChunkSize]);
    std::size_t size = 0;
    std::size_t pos = 0;
    bool atEnd = false;
    // One character with one character of look-ahead.
    const auto fill = [&]() {
        if (pos < size || atEnd) {
            return true;
        }
        if (!source.Read(chunk.get(), kChunkSize, size)) {
            return false;
        }
        pos = 0;
        atEnd = size == 0;
        return true;
    };
    for (;;) {
        if (!fill()) {
            return Fail(kErrorReadWrite, kMsgReadError, ReadFailure(path, source.Reason()));
        }
        if (atEnd) {
            break;
        }
        const char c = chunk[pos++];
        TxtCell& cell = cells.back();
        if (inQuote) {
            if (c == quote_) {
                if (!fill()) {
                    return Fail(kErrorReadWrite, kMsgReadError, ReadFailure(path, source.Reason()));
                }
                if (!atEnd && chunk[pos] == quote_) {
                    cell.bytes.push_back(c);
                    ++pos;
                } else {
                    inQuote = false;
                }
            } else {
                cell.bytes.push_back(c);
            }
        } else if (c == separator_) {
            cells.emplace_back();
            lineHasCell = true;
        } else if (c == '\r') {
            if (!endLine()) {
                return Fail(kErrorReadWrite, kMsgReadError, ReadFailure(path, failure));
            }
        } else if (c == ' ' || c == '\n') {
            // skipped outside quotes
        } else if (c == quote_) {
            inQuote = true;
            cell.quoted = true;
            lineHasCell = true;
        } else {
            cell.bytes.push_back(c);
            lineHasCell = true;
        }
    }
    // A last line without a line end is kept.
    if ((lineHasCell || firstLine) && !endLine()) {
        return Fail(kErrorReadWrite, kMsgReadError, ReadFailure(path, failure));
    }
    for (std::size_t i = 0; i < names_.size() && i < seenBare.size(); ++i) {
        types_[i] = seenBare[i] && !seenQuoted[i] ? "FLOAT" : "STRING";
    }
    return true;
}

bool TMlb2::WriteTxt(const std::string& path) {
    AtomicFileWriter writer;
    if (!writer.Open(PathFromUtf8(path))) {
        return Fail(kErrorOpen, kMsgOpenWrite, writer.Error());
    }
    std::string out;
    out.reserve(kFlushSize + 64 * 1024);
    std::string converted;
    std::string bad;
    // Quotes inside a quoted text are doubled, so the reader gets them back.
    const auto putQuoted = [&](std::string_view utf8) {
        converted.clear();
        if (!AppendUtf8AsWin1252(utf8, converted, &bad)) {
            return false;
        }
        out.push_back(quote_);
        for (const char c : converted) {
            if (c == quote_) {
                out.push_back(c);
            }
            out.push_back(c);
        }
        out.push_back(quote_);
        return true;
    };
    const auto notStorable = [&](const std::string& where) {
        writer.Abort();
        return Fail(kErrorReadWrite, kMsgWriteError,
                    WriteFailure(path, where + ": " + NonWin1252Message(bad)));
    };
    // A number cell goes bare, but one holding what the reader would split at
    // or skip (separator, quote, line break, blank) is quoted so that it reads
    // back whole rather than torn into other cells.
    const auto needsQuotes = [&](std::string_view cell) {
        for (const char c : cell) {
            if (c == separator_ || c == quote_ || c == '\r' || c == '\n' || c == ' ') {
                return true;
            }
        }
        return false;
    };

    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (i > 0) {
            out.push_back(separator_);
        }
        if (!putQuoted(names_[i])) {
            return notStorable("Feldname \"" + names_[i] + "\"");
        }
    }
    out += "\r\n";
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        for (std::size_t i = 0; i < names_.size(); ++i) {
            if (i > 0) {
                out.push_back(separator_);
            }
            const std::string_view cell = rows_[r].Cell(i);
            const bool ok = types_[i] == "FLOAT" && !needsQuotes(cell)
                                ? AppendUtf8AsWin1252(cell, out, &bad)
                                : putQuoted(cell);
            if (!ok) {
                return notStorable("Datensatz " + std::to_string(r + 1) + ", Feld \"" + names_[i] +
                                   "\"");
            }
        }
        out += "\r\n";
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
