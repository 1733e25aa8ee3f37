#include "storage/TMlb2ParseCSV.h"

#include <array>

#include "base/Win1252.h"

namespace zv {
namespace {

struct Utf8Table {
    std::array<std::string, 256> text;
    Utf8Table() {
        for (int b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            text[static_cast<std::size_t>(b)] = Win1252ToUtf8(std::string_view(&c, 1));
        }
    }
};

const Utf8Table& Table() {
    static const Utf8Table table;
    return table;
}

} // namespace

std::string_view Utf8OfWin1252Byte(unsigned char byte) {
    return Table().text[byte];
}

void AppendWin1252AsUtf8(std::string_view bytes, std::string& out) {
    const Utf8Table& table = Table();
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0x80) {
            out.append(bytes.substr(runStart, i - runStart));
            out.append(table.text[b]);
            runStart = i + 1;
        }
    }
    out.append(bytes.substr(runStart));
}

bool TMlb2ParseCSV::SplitLine(std::string_view line, TMlb2Row::Builder& pieces) const {
    const Utf8Table& table = Table();
    const auto sep = static_cast<unsigned char>(separator_);
    pieces.Clear();
    const char* const begin = line.data();
    const std::size_t size = line.size();
    std::size_t pos = 0;
    std::size_t runStart = 0;
    while (pos < size) {
        const auto c = static_cast<unsigned char>(begin[pos]);
        if (c < 0x80 && c != sep && c != '\\') {
            ++pos;
            continue;
        }
        pieces.Append(std::string_view(begin + runStart, pos - runStart));
        if (c == sep) {
            if (!pieces.EndCell()) {
                return false;
            }
            ++pos;
        } else if (c == '\\') {
            if (pos + 1 < size) {
                const auto next = static_cast<unsigned char>(begin[pos + 1]);
                if (next == 'n' || next == 'N') {
                    pieces.Append("\r\n");
                } else {
                    pieces.Append(table.text[next]);
                }
                pos += 2;
            } else {
                pieces.Append('\\');
                ++pos;
            }
        } else {
            pieces.Append(table.text[c]);
            ++pos;
        }
        runStart = pos;
    }
    pieces.Append(std::string_view(begin + runStart, pos - runStart));
    return pieces.EndCell();
}

std::vector<std::string> TMlb2ParseCSV::SplitLine(std::string_view line) const {
    TMlb2Row::Builder pieces;
    std::vector<std::string> result;
    if (SplitLine(line, pieces)) {
        for (std::size_t i = 0; i < pieces.CellCount(); ++i) {
            result.emplace_back(pieces.Cell(i));
        }
    }
    return result;
}

bool TMlb2ParseCSV::AppendEscaped(std::string_view utf8Cell, std::string& out,
                                  std::string* badChar) const {
    const auto sep = static_cast<unsigned char>(separator_);
    const char* const begin = utf8Cell.data();
    const std::size_t size = utf8Cell.size();
    std::size_t pos = 0;
    std::size_t runStart = 0;
    std::string converted;
    while (pos < size) {
        const auto c = static_cast<unsigned char>(begin[pos]);
        if (c >= 0x20 && c < 0x80 && c != sep && c != '\\') {
            ++pos;
            continue;
        }
        out.append(begin + runStart, pos - runStart);
        if (c >= 0x80) {
            // A run of non-ASCII bytes holds whole UTF-8 characters.
            std::size_t end = pos + 1;
            while (end < size && static_cast<unsigned char>(begin[end]) >= 0x80) {
                ++end;
            }
            converted.clear();
            if (!AppendUtf8AsWin1252(utf8Cell.substr(pos, end - pos), converted, badChar)) {
                return false;
            }
            for (const char b : converted) {
                if (static_cast<unsigned char>(b) == sep) {
                    out.push_back('\\');
                }
                out.push_back(b);
            }
            pos = end;
        } else {
            if (c == '\r') {
                out.append("\\n");
            } else if (c == '\n') {
                // dropped: a cell line break is CR LF and the CR carries it
            } else if (c == '\\' || c == sep) {
                out.push_back('\\');
                out.push_back(static_cast<char>(c));
            } else {
                out.push_back(static_cast<char>(c));
            }
            ++pos;
        }
        runStart = pos;
    }
    out.append(begin + runStart, pos - runStart);
    return true;
}

std::optional<std::string> TMlb2ParseCSV::Escape(std::string_view utf8Cell) const {
    std::string out;
    if (!AppendEscaped(utf8Cell, out)) {
        return std::nullopt;
    }
    return out;
}

} // namespace zv
