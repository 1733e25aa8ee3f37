#include "storage/TMlb2Row.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace zv {
namespace {

constexpr std::size_t kMaxRowBytes = std::numeric_limits<std::uint32_t>::max();
constexpr char kFiller = '\0';
// Rows of a loaded file go into blocks of this size (a larger row gets a
// block of its own size).
constexpr std::size_t kArenaBlock = 1 << 20;

// Trailing empty cells need no room: missing cells read as empty.
template <typename Offset> std::size_t StoredCount(const Offset* ends, std::size_t count) {
    while (count > 0 && (count == 1 ? 0u : ends[count - 2] + 1u) == ends[count - 1]) {
        --count;
    }
    return count;
}

} // namespace

void TMlb2Row::Builder::Reserve(std::size_t bytes, std::size_t cells) {
    if (size_ + bytes > capacity_) {
        const std::size_t capacity = std::max(size_ + bytes, 2 * capacity_ + 256);
        std::unique_ptr<char[]> data(new char[capacity]);
        if (size_ > 0) {
            std::memcpy(data.get(), data_.get(), size_);
        }
        data_ = std::move(data);
        capacity_ = capacity;
    }
    if (count_ + cells > endsCapacity_) {
        const std::size_t capacity = std::max(count_ + cells, 2 * endsCapacity_ + 64);
        std::unique_ptr<std::uint32_t[]> ends(new std::uint32_t[capacity]);
        if (count_ > 0) {
            std::memcpy(ends.get(), ends_.get(), count_ * sizeof(std::uint32_t));
        }
        ends_ = std::move(ends);
        endsCapacity_ = capacity;
    }
}

void TMlb2Row::Builder::Append(std::string_view bytes) {
    Reserve(bytes.size(), 0);
    if (!bytes.empty()) {
        std::memcpy(data_.get() + size_, bytes.data(), bytes.size());
        size_ += bytes.size();
    }
}

bool TMlb2Row::Builder::EndCell() {
    if (size_ >= kMaxRowBytes) {
        return false;
    }
    Reserve(1, 1);
    ends_[count_++] = static_cast<std::uint32_t>(size_);
    data_[size_++] = kFiller;
    return true;
}

std::string_view TMlb2Row::Builder::Cell(std::size_t index) const {
    if (index >= count_) {
        return {};
    }
    const std::size_t begin = index == 0 ? 0 : ends_[index - 1] + 1;
    return std::string_view(data_.get() + begin, ends_[index] - begin);
}

TMlb2Row TMlb2Row::Builder::Build() const {
    const std::size_t count = StoredCount(ends_.get(), count_);
    TMlb2Row row;
    if (count == 0) {
        return row;
    }
    const std::size_t used = ends_[count - 1];
    row.own_.reset(new char[used + EndsRoom(count) + kReadSlack]());
    std::memcpy(row.own_.get(), data_.get(), used);
    row.PlaceEnds(row.own_.get(), used, ends_.get(), count);
    return row;
}

template <typename Offset>
std::size_t TMlb2Row::PlaceEnds(char* data, std::size_t used, const Offset* ends,
                                std::size_t count) {
    // The ends follow the data, aligned to their width.
    wideEnds_ = used > std::numeric_limits<std::uint16_t>::max();
    const std::size_t width = wideEnds_ ? sizeof(std::uint32_t) : sizeof(std::uint16_t);
    const std::size_t at = (used + width - 1) / width * width;
    char* const out = data + at;
    if (width == sizeof(Offset)) {
        std::memcpy(out, ends, count * width);
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            const auto end = static_cast<std::uint16_t>(ends[i]);
            std::memcpy(out + i * width, &end, width);
        }
    }
    data_ = data;
    ends_ = out;
    count_ = static_cast<std::uint32_t>(count);
    return at + count * width;
}

template <typename Offset>
TMlb2Row TMlb2Row::Place(TMlb2RowArena& arena, char* data, const Offset* ends, std::size_t count) {
    TMlb2Row row;
    count = StoredCount(ends, count);
    if (count > 0) {
        arena.Use(row.PlaceEnds(data, ends[count - 1], ends, count));
    }
    return row;
}

TMlb2Row TMlb2Row::PlaceInArena(TMlb2RowArena& arena, char* data, const std::uint32_t* ends,
                                std::size_t count) {
    return Place(arena, data, ends, count);
}

TMlb2Row TMlb2Row::PlaceInArena(TMlb2RowArena& arena, char* data, const std::uint16_t* ends,
                                std::size_t count) {
    return Place(arena, data, ends, count);
}

bool TMlb2Row::SetCell(std::size_t index, std::string_view text) {
    const std::size_t count = CellCount();
    if (index >= count && text.empty()) {
        return true; // already empty
    }
    const std::size_t newCount = index >= count ? index + 1 : count;
    const std::size_t oldTotal = Bytes().size();
    if (oldTotal - Cell(index).size() + text.size() + newCount > kMaxRowBytes) {
        return false;
    }
    Builder builder;
    for (std::size_t i = 0; i < newCount; ++i) {
        builder.Append(i == index ? text : Cell(i));
        builder.EndCell();
    }
    *this = builder.Build();
    return true;
}

char* TMlb2RowArena::Room(std::size_t bytes) {
    if (bytes > left_) {
        const std::size_t size = std::max(bytes, kArenaBlock);
        // The slack after the last row of the block is never handed out.
        blocks_.emplace_back(new char[size + TMlb2Row::kReadSlack]);
        std::memset(blocks_.back().get() + size, 0, TMlb2Row::kReadSlack);
        next_ = blocks_.back().get();
        left_ = size;
    }
    return next_;
}

void TMlb2RowArena::Clear() {
    blocks_.clear();
    blocks_.shrink_to_fit();
    next_ = nullptr;
    left_ = 0;
}

} // namespace zv
