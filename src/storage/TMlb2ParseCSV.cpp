#include "storage/TMlb2ParseCSV.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "base/Win1252.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

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

#if defined(__SSE2__)
// The set bits of each byte value: how many, and their positions.
struct BitPositions {
    std::array<std::array<std::uint8_t, 8>, 256> positions{};
    std::array<std::uint8_t, 256> count{};
};

const BitPositions& Positions() {
    static constexpr BitPositions kTable = [] {
        BitPositions table;
        for (unsigned b = 0; b < 256; ++b) {
            std::uint8_t n = 0;
            for (unsigned bit = 0; bit < 8; ++bit) {
                if ((b >> bit) & 1) {
                    table.positions[b][n++] = static_cast<std::uint8_t>(bit);
                }
            }
            table.count[b] = n;
        }
        return table;
    }();
    return kTable;
}

// The number of bits set in a 16-bit mask (the baseline instruction set
// has no population count instruction).
inline std::size_t BitCount16(unsigned mask) {
    const BitPositions& table = Positions();
    return std::size_t{table.count[mask & 0xFF]} + table.count[(mask >> 8) & 0xFF];
}

// Bit i set where byte i of the 16 at `v` equals `c`.
inline unsigned Equal16(__m128i v, __m128i c) {
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, c)));
}
#endif

// The UTF-8 form of each Windows-1252 byte, packed so that one four-byte
// store writes it (the length says how many of the bytes count).
struct Utf8Table {
    std::array<std::uint32_t, 256> bytes{};
    std::array<std::uint8_t, 256> length{};
    std::array<std::string, 256> text;
    Utf8Table() {
        for (int b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            std::string& utf8 = text[static_cast<std::size_t>(b)];
            utf8 = Win1252ToUtf8(std::string_view(&c, 1));
            std::memcpy(&bytes[static_cast<std::size_t>(b)], utf8.data(), utf8.size());
            length[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(utf8.size());
        }
    }
    // Writes the UTF-8 form of `byte`; `out` needs four bytes of room.
    char* Put(unsigned char byte, char* out) const {
        std::memcpy(out, &bytes[byte], sizeof(std::uint32_t));
        return out + length[byte];
    }
};

const Utf8Table& Table() {
    static const Utf8Table table;
    return table;
}

// Reads the one backslash sequence or byte above 0x7F at `p` (before `end`),
// writes its UTF-8 form to `out` (four bytes of room) and moves `p` on.
inline char* UnescapeOne(const unsigned char*& p, const unsigned char* end, char* out,
                         const Utf8Table& table) {
    const unsigned char c = *p;
    if (c != '\\') {
        ++p;
        return table.Put(c, out);
    }
    if (end - p < 2) {
        ++p;
        *out = '\\';
        return out + 1;
    }
    const unsigned char next = p[1];
    p += 2;
    if (next == 'n' || next == 'N') {
        out[0] = '\r';
        out[1] = '\n';
        return out + 2;
    }
    return table.Put(next, out);
}

#if defined(__x86_64__) && defined(__GNUC__)
#define ZV_SPLIT_WIDE 1
// GCC's own header trips its uninitialised-use warning in the cast from
// 512 to 256 bits (it starts from an undefined register on purpose).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
// Lines with 16-bit cell ends, 32 bytes a step, on processors with the byte
// compress instructions: letters 0xA0-0xFF become their two UTF-8 bytes in
// the register (C2 or C3, then 0x80 | the low six bits), so a line's
// umlauts no longer stop the scan; only backslashes and 0x80-0x9F do.
[[gnu::target("avx512f,avx512bw,avx512vl,avx512vbmi2,bmi,bmi2,popcnt")]] std::size_t
SplitNarrowWide(const unsigned char* p, const unsigned char* const end, char* const base,
                std::uint16_t* const ends, unsigned char sep, const Utf8Table& table,
                std::size_t& size) {
    constexpr std::uint64_t kEven = 0x5555555555555555ULL;
    constexpr std::uint64_t kOdd = 0xAAAAAAAAAAAAAAAAULL;
    const __m256i sepBlock = _mm256_set1_epi8(static_cast<char>(sep));
    const __m256i backslashBlock = _mm256_set1_epi8('\\');
    const __m256i latinStart = _mm256_set1_epi8(static_cast<char>(0xA0));
    const __m512i positions = _mm512_set_epi8(
        63, 62, 61, 60, 59, 58, 57, 56, 55, 54, 53, 52, 51, 50, 49, 48, 47, 46, 45, 44, 43, 42, 41,
        40, 39, 38, 37, 36, 35, 34, 33, 32, 31, 30, 29, 28, 27, 26, 25, 24, 23, 22, 21, 20, 19, 18,
        17, 16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0);
    char* out = base;
    std::uint16_t* e = ends;
    for (;;) {
        while (p < end) {
            const auto left = static_cast<std::size_t>(end - p);
            const __mmask32 valid =
                left >= 32 ? ~__mmask32{0} : _bzhi_u32(~0u, static_cast<unsigned>(left));
            const __m256i block = _mm256_maskz_loadu_epi8(valid, p);
            const __mmask32 seps = _mm256_cmpeq_epi8_mask(block, sepBlock) & valid;
            const __mmask32 latin = _mm256_cmpge_epu8_mask(block, latinStart) & ~seps;
            const __mmask32 high = _mm256_movepi8_mask(block) & ~seps;
            // The line's end stops the scan like a byte that needs a look of its own.
            const std::uint32_t stop =
                (_mm256_cmpeq_epi8_mask(block, backslashBlock) | (high & ~latin) | ~valid) & ~seps;
            const unsigned taken = stop == 0 ? 32u : static_cast<unsigned>(std::countr_zero(stop));
            const std::uint32_t takenBits = _bzhi_u32(~0u, taken);
            const std::uint32_t latinTaken = latin & takenBits;
            // Every byte becomes a 16-bit pair: the byte (a separator its NUL
            // filler) and nothing, or a letter's two UTF-8 bytes.
            const __m512i wide = _mm512_cvtepu8_epi16(_mm256_maskz_mov_epi8(~seps, block));
            const __m512i letters = _mm512_or_si512(
                _mm512_add_epi16(_mm512_srli_epi16(wide, 6), _mm512_set1_epi16(0xC0)),
                _mm512_slli_epi16(_mm512_or_si512(_mm512_and_si512(wide, _mm512_set1_epi16(0x3F)),
                                                  _mm512_set1_epi16(0x80)),
                                  8));
            const __m512i pairs = _mm512_mask_mov_epi16(wide, latinTaken, letters);
            const std::uint64_t keep = _pdep_u64(takenBits, kEven) | _pdep_u64(latinTaken, kOdd);
            const auto written = static_cast<unsigned>(std::popcount(keep));
            _mm512_mask_storeu_epi8(out, _bzhi_u64(~0ULL, written),
                                    _mm512_maskz_compress_epi8(keep, pairs));
            // The separators' places in what was written are their cells' ends.
            const std::uint64_t sepsOut = _pext_u64(_pdep_u64(seps & takenBits, kEven), keep);
            const auto ended = static_cast<unsigned>(std::popcount(sepsOut));
            const __m512i at =
                _mm512_add_epi16(_mm512_cvtepu8_epi16(_mm512_castsi512_si256(
                                     _mm512_maskz_compress_epi8(sepsOut, positions))),
                                 _mm512_set1_epi16(static_cast<short>(out - base)));
            _mm512_mask_storeu_epi16(e, _bzhi_u32(~0u, ended), at);
            e += ended;
            out += written;
            p += taken;
            if (taken < 32) {
                break;
            }
        }
        if (p == end) {
            break;
        }
        out = UnescapeOne(p, end, out, table);
    }
    *e++ = static_cast<std::uint16_t>(out - base);
    size = static_cast<std::size_t>(out - base);
    return static_cast<std::size_t>(e - ends);
}

bool HasSplitWide() {
    static const bool has =
        __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
        __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512vbmi2") &&
        __builtin_cpu_supports("bmi2") && __builtin_cpu_supports("popcnt");
    return has;
}
#pragma GCC diagnostic pop
#endif

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

template <typename Offset>
std::size_t TMlb2ParseCSV::SplitInto(std::string_view line, std::size_t readable, char* const base,
                                     Offset* const ends, std::size_t& size) const {
    const Utf8Table& table = Table();
    const auto sep = static_cast<unsigned char>(separator_);
    char* out = base;
    std::size_t count = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(line.data());
    const unsigned char* const end = p + line.size();
#if defined(ZV_SPLIT_WIDE)
    if constexpr (std::is_same_v<Offset, std::uint16_t>) {
        if (HasSplitWide()) {
            return SplitNarrowWide(p, end, base, ends, sep, table, size);
        }
    }
#endif
    const unsigned char* const readEnd = p + std::max(readable, line.size());
    // Each block is copied with its separators turned into the NUL fillers
    // between cells, and every separator in it ends a piece, up to the first
    // byte that needs a look of its own: a backslash or a byte above 0x7F.
#if defined(__SSE2__)
    const __m128i sepBlock = _mm_set1_epi8(static_cast<char>(sep));
    const __m128i backslashBlock = _mm_set1_epi8('\\');
    const auto endPieces = [&](unsigned separators, unsigned offset) {
        Offset* e = ends + count;
        if constexpr (std::is_same_v<Offset, std::uint16_t>) {
            // Eight ends at a time from a table of bit positions, stored
            // whether or not there are as many (the room has the slack), so
            // a block costs no branch per separator.
            const BitPositions& table = Positions();
            const __m128i zero = _mm_setzero_si128();
            for (unsigned half = 0; half < 2; ++half) {
                const unsigned byte = (separators >> (8 * half)) & 0xFF;
                const __m128i at = _mm_unpacklo_epi8(
                    _mm_loadl_epi64(reinterpret_cast<const __m128i*>(table.positions[byte].data())),
                    zero);
                _mm_storeu_si128(
                    reinterpret_cast<__m128i*>(e),
                    _mm_add_epi16(at, _mm_set1_epi16(static_cast<short>(offset + 8 * half))));
                e += table.count[byte];
            }
            count = static_cast<std::size_t>(e - ends);
        } else {
            for (; separators != 0; separators &= separators - 1) {
                *e++ = static_cast<Offset>(offset +
                                           static_cast<unsigned>(std::countr_zero(separators)));
            }
            count = static_cast<std::size_t>(e - ends);
        }
    };
#endif
    const std::uint64_t sepWord = kOnes * sep;
    const std::uint64_t backslashWord = kOnes * '\\';
    for (;;) {
        bool special = false;
#if defined(__SSE2__)
        while (p < end && readEnd - p >= 16) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i isSep = _mm_cmpeq_epi8(block, sepBlock);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_andnot_si128(isSep, block));
            const auto seps = static_cast<unsigned>(_mm_movemask_epi8(isSep));
            unsigned other =
                (static_cast<unsigned>(_mm_movemask_epi8(block)) | Equal16(block, backslashBlock)) &
                ~seps;
            // Bytes past the line's end are not the line's: its end stops the
            // scan like a special byte.
            const auto left = static_cast<std::size_t>(end - p);
            if (left < 16) {
                other |= 1u << left;
            }
            const auto offset = static_cast<unsigned>(out - base);
            if (other == 0) {
                endPieces(seps, offset);
                p += 16;
                out += 16;
                continue;
            }
            endPieces(seps & ((other & (~other + 1)) - 1), offset);
            const int skip = std::countr_zero(other);
            p += skip;
            out += skip;
            special = true;
            break;
        }
#endif
        while (!special && end - p >= 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, p, 8);
            const std::uint64_t seps = ExactZeroBytes(word ^ sepWord);
            const std::uint64_t filled = word & ~((seps >> 7) * 0xFF);
            std::memcpy(out, &filled, 8);
            const std::uint64_t other =
                ((word & kHighBits) | ExactZeroBytes(word ^ backslashWord)) & ~seps;
            const std::size_t offset = static_cast<std::size_t>(out - base);
            for (std::uint64_t before = other == 0 ? seps : seps & ((other & (~other + 1)) - 1);
                 before != 0; before &= before - 1) {
                ends[count++] = static_cast<Offset>(
                    offset + static_cast<unsigned>(std::countr_zero(before)) / 8);
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
        if (*p == sep) {
            ends[count++] = static_cast<Offset>(out - base);
            *out++ = '\0';
            ++p;
        } else {
            out = UnescapeOne(p, end, out, table);
        }
    }
    ends[count++] = static_cast<Offset>(out - base);
    size = static_cast<std::size_t>(out - base);
    return count;
}

template std::size_t TMlb2ParseCSV::SplitInto(std::string_view, std::size_t, char*, std::uint16_t*,
                                              std::size_t&) const;
template std::size_t TMlb2ParseCSV::SplitInto(std::string_view, std::size_t, char*, std::uint32_t*,
                                              std::size_t&) const;

bool TMlb2ParseCSV::SplitLine(std::string_view line, TMlb2Row::Builder& pieces) const {
    pieces.Clear();
    pieces.Reserve(SplitRoom(line.size()), SplitEndsRoom(line.size()));
    std::size_t size = 0;
    pieces.count_ = SplitInto(line, line.size(), pieces.data_.get(), pieces.ends_.get(), size);
    pieces.size_ = size;
    return size <= UINT32_MAX;
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

namespace {

// Escapes the one character at `p` (before `end`) into `out` and moves both
// on; false (with `badChar`) for a character Windows-1252 cannot hold.
inline bool EscapeChar(const unsigned char*& p, const unsigned char* end, char*& out,
                       unsigned char sep, std::string* badChar) {
    const unsigned char c = *p;
    if (c < 0x80) {
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
        return true;
    }
    // Latin-1 letters (two bytes, C2 or C3 first) are the common case;
    // anything else goes through the full conversion.
    if ((c == 0xC2 || c == 0xC3) && end - p >= 2 && (p[1] & 0xC0) == 0x80) {
        const auto b = static_cast<unsigned char>(c == 0xC2 ? p[1] : p[1] + 0x40);
        if (b >= 0xA0) { // 0x80-0x9F are other characters in Windows-1252
            if (b == sep) {
                *out++ = '\\';
            }
            *out++ = static_cast<char>(b);
            p += 2;
            return true;
        }
    }
    const unsigned char* charEnd = p + 1;
    while (charEnd < end && (*charEnd & 0xC0) == 0x80) {
        ++charEnd;
    }
    std::string converted;
    if (!AppendUtf8AsWin1252(std::string_view(reinterpret_cast<const char*>(p),
                                              static_cast<std::size_t>(charEnd - p)),
                             converted, badChar)) {
        return false;
    }
    for (const char b : converted) {
        if (static_cast<unsigned char>(b) == sep) {
            *out++ = '\\';
        }
        *out++ = b;
    }
    p = charEnd;
    return true;
}

// Escapes the UTF-8 bytes from `p` to `end` into `out`; bytes up to
// `readEnd` (at least `end`) may be read, since the scan reads whole blocks.
// Returns the end of what was written, or nullptr (with `badChar`) for a
// character Windows-1252 cannot hold.
inline char* EscapeRange(const unsigned char* p, const unsigned char* const end,
                         const unsigned char* const readEnd, char* out, unsigned char sep,
                         std::string* badChar) {
#if defined(__SSE2__)
    const __m128i sepBlock = _mm_set1_epi8(static_cast<char>(sep));
    const __m128i backslashBlock = _mm_set1_epi8('\\');
    const __m128i spaceBlock = _mm_set1_epi8(0x20);
#endif
    const std::uint64_t sepWord = kOnes * sep;
    const std::uint64_t backslashWord = kOnes * '\\';
    for (;;) {
        // Printable ASCII other than the separator and backslash is copied
        // as it is, a block at a time; the range's end stops the scan like a
        // special byte.
        bool stopped = false;
#if defined(__SSE2__)
        while (readEnd - p >= 16) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out), block);
            // Signed compare: bytes above 0x7F count as below 0x20.
            unsigned special =
                static_cast<unsigned>(_mm_movemask_epi8(_mm_cmplt_epi8(block, spaceBlock))) |
                Equal16(block, sepBlock) | Equal16(block, backslashBlock);
            const auto left = static_cast<std::size_t>(end - p);
            if (left < 16) {
                special |= 1u << left;
            }
            if (special == 0) {
                p += 16;
                out += 16;
                continue;
            }
            const int skip = std::countr_zero(special);
            p += skip;
            out += skip;
            stopped = true;
            break;
        }
#endif
        while (!stopped && readEnd - p >= 8) {
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
        if (!EscapeChar(p, end, out, sep, badChar)) {
            return nullptr;
        }
    }
}

} // namespace

char* TMlb2ParseCSV::EscapeRow(const TMlb2Row& row, std::size_t fieldCount, char* out,
                               std::string* badChar, std::size_t& badField) const {
    const std::string_view bytes = row.Bytes();
    const auto* const data = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto sep = static_cast<unsigned char>(separator_);
    const std::size_t stored = std::min(row.CellCount(), fieldCount);
    char* const lineStart = out;
    // The position of the cell holding `at`, for the message about it.
    const auto fieldAt = [&](std::size_t at) {
        std::size_t i = 0;
        while (i + 1 < stored && row.End(i) < at) {
            ++i;
        }
        return i;
    };
#if defined(__SSE2__)
    // The whole row in one sweep: its NUL fillers become separators on the
    // way, and only bytes that need escaping or converting stop the sweep.
    // A NUL inside a cell would be taken for a filler; the count of fillers
    // met tells, and such a row is done again cell by cell.
    std::size_t fillers = 0;
    const unsigned char* p = data;
    const unsigned char* const end = data + (stored == 0 ? 0 : row.End(stored - 1));
    const __m128i zero = _mm_setzero_si128();
    const __m128i sepBlock = _mm_set1_epi8(static_cast<char>(sep));
    const __m128i backslashBlock = _mm_set1_epi8('\\');
    const __m128i spaceBlock = _mm_set1_epi8(0x20);
    for (;;) {
        while (p < end) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i isNul = _mm_cmpeq_epi8(block, zero);
            _mm_storeu_si128(
                reinterpret_cast<__m128i*>(out),
                _mm_or_si128(_mm_andnot_si128(isNul, block), _mm_and_si128(isNul, sepBlock)));
            const auto nuls = static_cast<unsigned>(_mm_movemask_epi8(isNul));
            // Signed compare: bytes above 0x7F count as below 0x20.
            unsigned special =
                (static_cast<unsigned>(_mm_movemask_epi8(_mm_cmplt_epi8(block, spaceBlock))) &
                 ~nuls) |
                Equal16(block, sepBlock) | Equal16(block, backslashBlock);
            // Rows keep readable slack after their bytes; the end stops.
            const auto left = static_cast<std::size_t>(end - p);
            if (left < 16) {
                special |= 1u << left;
            }
            if (special == 0) {
                fillers += BitCount16(nuls);
                p += 16;
                out += 16;
                continue;
            }
            const int skip = std::countr_zero(special);
            fillers += BitCount16(nuls & ((1u << skip) - 1));
            p += skip;
            out += skip;
            break;
        }
        if (p == end) {
            break;
        }
        if (*p == '\0') {
            *out++ = separator_;
            ++fillers;
            ++p;
        } else if (!EscapeChar(p, end, out, sep, badChar)) {
            badField = fieldAt(static_cast<std::size_t>(p - data));
            return nullptr;
        }
    }
    if (fillers + 1 == stored || (stored == 0 && fillers == 0)) {
        for (std::size_t i = std::max<std::size_t>(stored, 1); i < fieldCount; ++i) {
            *out++ = separator_;
        }
        return out;
    }
    out = lineStart;
#endif
    const unsigned char* const readEnd = data + bytes.size() + TMlb2Row::kReadSlack;
    std::size_t begin = 0;
    for (std::size_t i = 0; i < fieldCount; ++i) {
        if (i > 0) {
            *out++ = separator_;
        }
        if (i >= stored) {
            continue;
        }
        // The scan may read on into the following cells of the row.
        const std::size_t cellEnd = row.End(i);
        out = EscapeRange(data + begin, data + cellEnd, readEnd, out, sep, badChar);
        if (out == nullptr) {
            badField = i;
            return nullptr;
        }
        begin = cellEnd + 1;
    }
    return out;
}

bool TMlb2ParseCSV::AppendEscaped(std::string_view utf8Cell, std::string& out,
                                  std::string* badChar) const {
    const std::size_t start = out.size();
    out.resize(start + EscapedCapacity(utf8Cell.size()));
    const auto* const cell = reinterpret_cast<const unsigned char*>(utf8Cell.data());
    const unsigned char* const cellEnd = cell + utf8Cell.size();
    char* const end = EscapeRange(cell, cellEnd, cellEnd, out.data() + start,
                                  static_cast<unsigned char>(separator_), badChar);
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
