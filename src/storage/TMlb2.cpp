#include "storage/TMlb2.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <optional>

#include "base/GermanText.h"
#include "base/NumberText.h"
#include "base/Win1252.h"
#include "storage/TMlb2ParseCSV.h"

namespace zv {
namespace {

// One Windows-1252 byte from a one-character UTF-8 text.
bool SingleWin1252Char(std::string_view text, char& byte) {
    const std::optional<std::string> bytes = Utf8ToWin1252(text);
    if (!bytes || bytes->size() != 1) {
        return false;
    }
    const char c = (*bytes)[0];
    if (c == '\r' || c == '\n' || c == '\\') {
        return false;
    }
    byte = c;
    return true;
}

// Table name: the file name without folder, cut before its last dot; empty
// when the name has no dot.
std::string TableNameOfPath(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos) {
        return {};
    }
    return std::string(name.substr(0, dot));
}

// The ids of distinct texts: an open-addressing table that keeps each
// text's hash, size and first bytes, so most lookups compare without
// reading the text where a row holds it.
class TextIds {
public:
    explicit TextIds(std::vector<std::string_view>& texts) : texts_(texts) { Grow(64); }

    std::uint32_t IdOf(std::string_view text) {
        const std::uint64_t hash = Hash(text);
        for (std::size_t at = hash & mask_;; at = (at + 1) & mask_) {
            Slot& slot = slots_[at];
            if (slot.id == kEmpty) {
                const auto id = static_cast<std::uint32_t>(texts_.size());
                texts_.push_back(text);
                Fill(slot, hash, text, id);
                if (2 * texts_.size() > slots_.size()) {
                    Grow(2 * slots_.size());
                }
                return id;
            }
            if (slot.hash == hash && slot.size == text.size() &&
                std::memcmp(slot.head, text.data(), std::min(text.size(), sizeof slot.head)) == 0 &&
                (text.size() <= sizeof slot.head || texts_[slot.id] == text)) {
                return slot.id;
            }
        }
    }

private:
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFF;
    struct Slot {
        std::uint64_t hash = 0;
        std::uint32_t id = kEmpty;
        std::uint32_t size = 0;
        char head[16] = {};
    };

    static std::uint64_t Hash(std::string_view text) {
        std::uint64_t hash = 0x9E3779B97F4A7C15ULL * (text.size() + 1);
        for (std::size_t at = 0; at < text.size(); at += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, text.data() + at, std::min<std::size_t>(8, text.size() - at));
            hash = (hash ^ word) * 0xBF58476D1CE4E5B9ULL;
            hash ^= hash >> 31;
        }
        return hash ^ (hash >> 29);
    }

    static void Fill(Slot& slot, std::uint64_t hash, std::string_view text, std::uint32_t id) {
        slot.hash = hash;
        slot.id = id;
        slot.size = static_cast<std::uint32_t>(text.size());
        std::memcpy(slot.head, text.data(), std::min(text.size(), sizeof slot.head));
    }

    void Grow(std::size_t size) {
        std::vector<Slot> old(size);
        old.swap(slots_);
        mask_ = size - 1;
        for (const Slot& slot : old) {
            if (slot.id != kEmpty) {
                std::size_t at = slot.hash & mask_;
                while (slots_[at].id != kEmpty) {
                    at = (at + 1) & mask_;
                }
                slots_[at] = slot;
            }
        }
    }

    std::vector<std::string_view>& texts_;
    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
};

} // namespace

TMlb2::TMlb2() = default;
TMlb2::~TMlb2() = default;

TMlb2Format TMlb2::FormatOfPath(std::string_view path) {
    if (path.size() < 3) {
        return TMlb2Format::Csv;
    }
    const std::string tail = UpperAZ(path.substr(path.size() - 3));
    if (tail == "TXT") {
        return TMlb2Format::Txt;
    }
    if (tail == "MLB") {
        return TMlb2Format::Mlb;
    }
    return TMlb2Format::Csv;
}

std::string TMlb2::Separator() const {
    return std::string(Utf8OfWin1252Byte(static_cast<unsigned char>(separator_)));
}

bool TMlb2::SetSeparator(std::string_view separator) {
    return SingleWin1252Char(separator, separator_);
}

std::string TMlb2::Quote() const {
    return std::string(Utf8OfWin1252Byte(static_cast<unsigned char>(quote_)));
}

bool TMlb2::SetQuote(std::string_view quote) {
    return SingleWin1252Char(quote, quote_);
}

void TMlb2::ClearLastError() {
    lastErrorCode_ = 0;
    lastErrorMessage_.clear();
}

bool TMlb2::Fail(int code, std::string_view message, std::string failure) {
    lastErrorCode_ = code;
    lastErrorMessage_ = message;
    lastFailure_ = std::move(failure);
    return false;
}

void TMlb2::ClearCursor() {
    cursor_ = -1;
    bof_ = true;
    eof_ = true;
}

void TMlb2::PlaceCursor(int index) {
    cursor_ = index;
    bof_ = false;
    eof_ = false;
}

void TMlb2::ClearRows() {
    Changed();
    rows_.clear();
    rows_.shrink_to_fit();
    arena_.Clear();
    ClearCursor();
    distinct_ = false;
    ClearLastError();
}

void TMlb2::ClearTable() {
    ClearRows();
    names_.clear();
    types_.clear();
}

bool TMlb2::AddField(std::string_view name) {
    if (TrimLeft(name).empty() || FieldIndex(name) != 0) {
        return false;
    }
    Changed();
    names_.emplace_back(name);
    types_.emplace_back("STRING");
    buffer_.emplace_back();
    return true;
}

std::string TMlb2::FieldName(int position) const {
    if (position < 1 || position > FieldCount()) {
        return {};
    }
    return names_[static_cast<std::size_t>(position - 1)];
}

std::string TMlb2::FieldType(int position) const {
    if (position < 1 || position > FieldCount()) {
        return {};
    }
    return types_[static_cast<std::size_t>(position - 1)];
}

bool TMlb2::SetFieldType(int position, std::string_view type) {
    if (position < 1 || position > FieldCount()) {
        return false;
    }
    types_[static_cast<std::size_t>(position - 1)] = type;
    return true;
}

int TMlb2::FieldIndex(std::string_view fieldName) const {
    // Names are unique under the locale comparison, so an exact match is the
    // only match; most lookups use the exact name and skip the collator.
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (names_[i] == fieldName) {
            return static_cast<int>(i + 1);
        }
    }
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (SameTextDe(names_[i], fieldName)) {
            return static_cast<int>(i + 1);
        }
    }
    return 0;
}

bool TMlb2::AppendRow() {
    if (rows_.size() >= static_cast<std::size_t>(INT_MAX)) {
        return false;
    }
    Changed();
    rows_.emplace_back();
    PlaceCursor(RowCount() - 1);
    return true;
}

bool TMlb2::DeleteRow() {
    if (rows_.empty() || !CursorValid()) {
        return false;
    }
    Changed();
    rows_.erase(rows_.begin() + cursor_);
    if (rows_.empty()) {
        ClearCursor();
    } else if (cursor_ >= RowCount()) {
        cursor_ = RowCount() - 1;
    }
    return true;
}

bool TMlb2::CopyRow() {
    if (rows_.empty() || !CursorValid()) {
        return false;
    }
    const TMlb2Row& row = rows_[static_cast<std::size_t>(cursor_)];
    buffer_.assign(names_.size(), std::string());
    for (std::size_t i = 0; i < names_.size(); ++i) {
        buffer_[i] = row.Cell(i);
    }
    return true;
}

bool TMlb2::PasteRow() {
    if (rows_.empty() || !CursorValid()) {
        return false;
    }
    // The buffer may hold more cells than there are fields (AddField grows it
    // for every field ever added); the row takes one cell per field.
    TMlb2Row::Builder builder;
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (i < buffer_.size()) {
            builder.Append(buffer_[i]);
        }
        if (!builder.EndCell()) {
            return false;
        }
    }
    Changed();
    rows_[static_cast<std::size_t>(cursor_)] = builder.Build();
    return true;
}

bool TMlb2::GoToRow(int row) {
    if (row < 1 || row > RowCount()) {
        bof_ = true;
        eof_ = true;
        return false;
    }
    PlaceCursor(row - 1);
    return true;
}

bool TMlb2::First() {
    if (rows_.empty()) {
        ClearCursor();
        return false;
    }
    PlaceCursor(0);
    return true;
}

bool TMlb2::Last() {
    if (rows_.empty()) {
        ClearCursor();
        return false;
    }
    PlaceCursor(RowCount() - 1);
    return true;
}

bool TMlb2::Next() {
    if (rows_.empty() || cursor_ >= RowCount() - 1) {
        bof_ = rows_.empty();
        eof_ = true;
        return false;
    }
    PlaceCursor(cursor_ + 1);
    return true;
}

bool TMlb2::Prior() {
    if (rows_.empty() || cursor_ <= 0) {
        bof_ = true;
        eof_ = rows_.empty();
        return false;
    }
    PlaceCursor(cursor_ - 1);
    return true;
}

std::string TMlb2::GetData(std::string_view fieldName) const {
    const int index = FieldIndex(fieldName);
    if (index == 0 || !CursorValid()) {
        return {};
    }
    return std::string(
        rows_[static_cast<std::size_t>(cursor_)].Cell(static_cast<std::size_t>(index - 1)));
}

bool TMlb2::SetData(std::string_view fieldName, std::string_view text) {
    return SetCell(FieldIndex(fieldName), text);
}

bool TMlb2::SetFloat(std::string_view fieldName, double value) {
    return SetCell(FieldIndex(fieldName), FloatToStrDe(value));
}

const TMlb2DistinctColumn& TMlb2::DistinctColumn(int fieldPosition) const {
    static const TMlb2DistinctColumn kNone;
    if (fieldPosition < 1 || fieldPosition > FieldCount()) {
        return kNone;
    }
    IndexColumns({fieldPosition});
    return *distinctColumns_[static_cast<std::size_t>(fieldPosition - 1)];
}

void TMlb2::IndexColumns(const std::vector<int>& fieldPositions) const {
    distinctColumns_.resize(names_.size());
    std::vector<std::size_t> fields;
    std::vector<TextIds> ids;
    std::vector<std::unique_ptr<TMlb2DistinctColumn>> built;
    for (const int position : fieldPositions) {
        const auto field = static_cast<std::size_t>(position - 1);
        if (position < 1 || position > FieldCount() || distinctColumns_[field] ||
            std::find(fields.begin(), fields.end(), field) != fields.end()) {
            continue;
        }
        fields.push_back(field);
        built.push_back(std::make_unique<TMlb2DistinctColumn>());
        built.back()->idOfRow.reserve(rows_.size());
    }
    ids.reserve(built.size());
    for (auto& column : built) {
        ids.emplace_back(column->texts);
    }
    // Row by row, so each row's memory is read once for all the fields.
    for (const TMlb2Row& row : rows_) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            built[i]->idOfRow.push_back(ids[i].IdOf(row.Cell(fields[i])));
        }
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        distinctColumns_[fields[i]] = std::move(built[i]);
    }
}

bool TMlb2::SetCell(int fieldPosition, std::string_view text) {
    if (fieldPosition < 1 || fieldPosition > FieldCount() || !CursorValid()) {
        return false;
    }
    Changed();
    return rows_[static_cast<std::size_t>(cursor_)].SetCell(
        static_cast<std::size_t>(fieldPosition - 1), text);
}

void TMlb2::AdoptLoaded(TMlb2& loaded, const std::string& path) {
    Changed();
    names_ = std::move(loaded.names_);
    types_ = std::move(loaded.types_);
    rows_ = std::move(loaded.rows_);
    arena_ = std::move(loaded.arena_);
    // Every field the load added also added an empty cell to the buffer.
    buffer_.resize(buffer_.size() + names_.size());
    tableName_ = TableNameOfPath(path);
    distinct_ = false;
    if (rows_.empty()) {
        ClearCursor();
    } else {
        PlaceCursor(RowCount() - 1);
    }
}

bool TMlb2::LoadFromFile(const std::string& path) {
    ClearLastError();
    lastFailure_.clear();
    TMlb2 fresh;
    fresh.separator_ = separator_;
    fresh.quote_ = quote_;
    bool ok = false;
    switch (FormatOfPath(path)) {
    case TMlb2Format::Csv:
        ok = fresh.ReadCsv(path);
        break;
    case TMlb2Format::Mlb:
        ok = fresh.ReadMlb(path);
        break;
    case TMlb2Format::Txt:
        ok = fresh.ReadTxt(path);
        break;
    }
    if (!ok) {
        lastErrorCode_ = fresh.lastErrorCode_;
        lastErrorMessage_ = fresh.lastErrorMessage_;
        lastFailure_ = fresh.lastFailure_;
        return false;
    }
    AdoptLoaded(fresh, path);
    return true;
}

bool TMlb2::SaveToFile(const std::string& path) {
    ClearLastError();
    lastFailure_.clear();
    switch (FormatOfPath(path)) {
    case TMlb2Format::Csv:
        return WriteCsv(path);
    case TMlb2Format::Mlb:
        return WriteMlb(path);
    case TMlb2Format::Txt:
        return WriteTxt(path);
    }
    return false;
}

} // namespace zv
