#include "storage/TMlb2ParseCSV.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstring>

#include "base/Win1252.h"

namespace zv {
namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

// High bit set in the lowest byte of `word` that is zero (bytes above the
// first zero may be flagged too; only the lowest flag is used).
inline std::uint64_t ZeroBytes(std::uint64_t word) {
    return (word - kOnes) & ~word & kHighBits;
}

// High bit set in exactly the bytes of `word` that are zero.
inline std::uint64_t ExactZeroBytes(std::uint64_t word) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    return ~(((word & kLow7) + kLow7) | word | kLow7);
}

// The same for bytes below `limit` (at most 0x80).
inline std::uint64_t LessThanBytes(std::uint64_t word, unsigned limit) {
    return (word - kOnes * limit) & ~word & kHighBits;
}

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
    const std::size_t size = line.size();
    // A byte becomes at most three UTF-8 bytes and every separator ends one
    // piece, so the room is known before the pass; eight bytes of slack let
    // the scan store whole words.
    pieces.Clear();
    pieces.Reserve(3 * size + 16, size + 1);
    char* const base = pieces.data_.get();
    char* out = base;
    std::uint32_t* const ends = pieces.ends_.get();
    std::size_t count = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(line.data());
    const unsigned char* const end = p + size;
    const std::uint64_t sepWord = kOnes * sep;
    const std::uint64_t backslashWord = kOnes * '\\';
    for (;;) {
        // Eight bytes at a time: the word is copied as it is (separators
        // included; they become the fillers between cells) and every
        // separator in it ends a piece, up to the first byte that needs a
        // look of its own: a backslash or a byte above 0x7F.
        while (end - p >= 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, p, 8);
            std::memcpy(out, &word, 8);
            const std::uint64_t seps = ExactZeroBytes(word ^ sepWord);
            const std::uint64_t other =
                ((word & kHighBits) | ExactZeroBytes(word ^ backslashWord)) & ~seps;
            std::uint64_t before = other == 0 ? seps : seps & ((other & (~other + 1)) - 1);
            const auto offset = static_cast<std::uint32_t>(out - base);
            while (before != 0) {
                ends[count++] = offset + static_cast<std::uint32_t>(std::countr_zero(before) / 8);
                before &= before - 1;
            }
            if (other == 0) {
                p += 8;
                out += 8;
                continue;
            }
            const int skip = std::countr_zero(other) / 8;
            p += skip;
            out += skip;
            break;
        }
        if (p == end) {
            break;
        }
        const unsigned char c = *p;
        if (c == sep) {
            ends[count++] = static_cast<std::uint32_t>(out - base);
            *out++ = static_cast<char>(c);
            ++p;
        } else if (c == '\\') {
            if (end - p >= 2) {
                const unsigned char next = p[1];
                if (next == 'n' || next == 'N') {
                    *out++ = '\r';
                    *out++ = '\n';
                } else {
                    const std::string& utf8 = table.text[next];
                    std::memcpy(out, utf8.data(), utf8.size());
                    out += utf8.size();
                }
                p += 2;
            } else {
                *out++ = '\\';
                ++p;
            }
        } else {
            const std::string& utf8 = table.text[c];
            std::memcpy(out, utf8.data(), utf8.size());
            out += utf8.size();
            ++p;
        }
    }
    ends[count++] = static_cast<std::uint32_t>(out - base);
    pieces.size_ = static_cast<std::size_t>(out - base);
    pieces.count_ = count;
    return pieces.size_ <= UINT32_MAX;
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

char* TMlb2ParseCSV::EscapeInto(std::string_view utf8Cell, char* out, std::string* badChar,
                                std::size_t readable) const {
    const auto sep = static_cast<unsigned char>(separator_);
    const auto* p = reinterpret_cast<const unsigned char*>(utf8Cell.data());
    const unsigned char* const end = p + utf8Cell.size();
    // Words may be read past the cell's end as far as the caller allows;
    // the cell's end then stops the scan like a special byte.
    const unsigned char* const readEnd = p + std::max(readable, utf8Cell.size());
    const std::uint64_t sepWord = kOnes * sep;
    const std::uint64_t backslashWord = kOnes * '\\';
    std::string converted;
    for (;;) {
        // Printable ASCII other than the separator and backslash is copied
        // as it is, eight bytes at a time.
        while (readEnd - p >= 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, p, 8);
            std::memcpy(out, &word, 8);
            std::uint64_t special = (word & kHighBits) | LessThanBytes(word, 0x20) |
                                    ZeroBytes(word ^ sepWord) | ZeroBytes(word ^ backslashWord);
            const auto left = static_cast<std::size_t>(end - p);
            if (left < 8) {
                special |= std::uint64_t{0x80} << (8 * left);
            }
            if (special == 0) {
                p += 8;
                out += 8;
                continue;
            }
            const int skip = std::countr_zero(special) / 8;
            p += skip;
            out += skip;
            break;
        }
        if (p == end) {
            return out;
        }
        const unsigned char c = *p;
        if (c >= 0x80) {
            // A run of non-ASCII bytes holds whole UTF-8 characters.
            const unsigned char* runEnd = p + 1;
            while (runEnd < end && *runEnd >= 0x80) {
                ++runEnd;
            }
            converted.clear();
            if (!AppendUtf8AsWin1252(std::string_view(reinterpret_cast<const char*>(p),
                                                      static_cast<std::size_t>(runEnd - p)),
                                     converted, badChar)) {
                return nullptr;
            }
            for (const char b : converted) {
                if (static_cast<unsigned char>(b) == sep) {
                    *out++ = '\\';
                }
                *out++ = b;
            }
            p = runEnd;
            continue;
        }
        if (c == '\r') {
            *out++ = '\\';
            *out++ = 'n';
        } else if (c == '\n') {
            // dropped: a cell line break is CR LF and the CR carries it
        } else if (c == '\\' || c == sep) {
            *out++ = '\\';
            *out++ = static_cast<char>(c);
        } else {
            *out++ = static_cast<char>(c);
        }
        ++p;
    }
}

bool TMlb2ParseCSV::AppendEscaped(std::string_view utf8Cell, std::string& out,
                                  std::string* badChar) const {
    const std::size_t start = out.size();
    out.resize(start + EscapedCapacity(utf8Cell.size()));
    char* const end = EscapeInto(utf8Cell, out.data() + start, badChar);
    if (end == nullptr) {
        out.resize(start);
        return false;
    }
    out.resize(static_cast<std::size_t>(end - out.data()));
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
