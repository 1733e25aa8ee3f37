#include "storage/TMlb2Row.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace zv {
namespace {

constexpr std::size_t kMaxRowBytes = std::numeric_limits<std::uint32_t>::max();
constexpr char kFiller = ';';

std::uint32_t LoadU32(const char* p) {
    std::uint32_t v = 0;
    std::memcpy(&v, p, sizeof v);
    return v;
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
    // Trailing empty cells need no room: missing cells read as empty.
    std::size_t count = count_;
    while (count > 0 && (count == 1 ? 0 : ends_[count - 2] + 1) == ends_[count - 1]) {
        --count;
    }
    const std::size_t used = count == 0 ? 0 : ends_[count - 1];
    return Make(ends_.get(), count, std::string_view(data_.get(), used));
}

TMlb2Row TMlb2Row::Make(const std::uint32_t* ends, std::size_t count, std::string_view data) {
    TMlb2Row row;
    if (count == 0) {
        return row;
    }
    const std::size_t header = sizeof(std::uint32_t) * (1 + count);
    row.mem_.reset(new char[header + data.size()]);
    const auto count32 = static_cast<std::uint32_t>(count);
    std::memcpy(row.mem_.get(), &count32, sizeof count32);
    std::memcpy(row.mem_.get() + sizeof count32, ends, sizeof(std::uint32_t) * count);
    if (!data.empty()) {
        std::memcpy(row.mem_.get() + header, data.data(), data.size());
    }
    return row;
}

std::size_t TMlb2Row::CellCount() const {
    return mem_ ? LoadU32(mem_.get()) : 0;
}

std::uint32_t TMlb2Row::End(std::size_t index) const {
    return LoadU32(mem_.get() + sizeof(std::uint32_t) * (1 + index));
}

std::string_view TMlb2Row::Cell(std::size_t index) const {
    const std::size_t count = CellCount();
    if (index >= count) {
        return {};
    }
    const std::uint32_t begin = index == 0 ? 0 : End(index - 1) + 1;
    const std::uint32_t end = End(index);
    const char* data = mem_.get() + sizeof(std::uint32_t) * (1 + count);
    return std::string_view(data + begin, end - begin);
}

std::string_view TMlb2Row::Bytes() const {
    const std::size_t count = CellCount();
    if (count == 0) {
        return {};
    }
    return std::string_view(mem_.get() + sizeof(std::uint32_t) * (1 + count), End(count - 1));
}

bool TMlb2Row::SetCell(std::size_t index, std::string_view text) {
    const std::size_t count = CellCount();
    if (index >= count && text.empty()) {
        return true; // already empty
    }
    const std::size_t newCount = index >= count ? index + 1 : count;
    const std::size_t oldTotal = count == 0 ? 0 : End(count - 1);
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

} // namespace zv
