#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace zv {

class TMlb2RowArena;

// One row of a table: the cell bytes (UTF-8) back to back with a NUL byte
// between neighbouring cells, followed by the end offset of every cell
// (16-bit while the row's bytes fit, else 32-bit). A cell may hold NUL too;
// the ends, not the fillers, say where a cell ends.
// A catch table has millions of cells; a string object per cell would cost
// more than the text itself. Cells past the stored count read as empty, so
// adding a field never has to touch the rows.
// The memory is the row's own, or part of a block the table holds for the
// rows of a loaded file (see TMlb2RowArena), so a load costs a few large
// allocations instead of one per row.
class TMlb2Row {
public:
    // Collects the cells of one row before it is frozen into a TMlb2Row.
    class Builder {
    public:
        void Clear() {
            size_ = 0;
            count_ = 0;
        }
        void Append(std::string_view bytes);
        void Append(char c) { Append(std::string_view(&c, 1)); }
        // Completes the current cell; false once the row's bytes exceed 4 GiB.
        bool EndCell();
        std::size_t CellCount() const { return count_; }
        std::string_view Cell(std::size_t index) const;
        TMlb2Row Build() const;

    private:
        friend class TMlb2ParseCSV; // writes straight into the buffers
        // Room for `bytes` more data bytes and `cells` more cell ends.
        void Reserve(std::size_t bytes, std::size_t cells);

        std::unique_ptr<char[]> data_;
        std::size_t size_ = 0;
        std::size_t capacity_ = 0;
        std::unique_ptr<std::uint32_t[]> ends_;
        std::size_t count_ = 0;
        std::size_t endsCapacity_ = 0;
    };

    TMlb2Row() = default;
    TMlb2Row(TMlb2Row&&) noexcept = default;
    TMlb2Row& operator=(TMlb2Row&&) noexcept = default;
    TMlb2Row(const TMlb2Row&) = delete;
    TMlb2Row& operator=(const TMlb2Row&) = delete;

    // A row whose `size` data bytes were written at `data` inside `arena`
    // (with room for the cell ends after them); `ends` holds the end offset
    // of each of the `count` cells. Trailing empty cells are dropped.
    static TMlb2Row PlaceInArena(TMlb2RowArena& arena, char* data, const std::uint32_t* ends,
                                 std::size_t count);
    static TMlb2Row PlaceInArena(TMlb2RowArena& arena, char* data, const std::uint16_t* ends,
                                 std::size_t count);
    // The room PlaceInArena needs after `bytes` data bytes for `cells` ends.
    static constexpr std::size_t EndsRoom(std::size_t cells) {
        return 3 + sizeof(std::uint32_t) * cells;
    }

    // Bytes that may be read past the end of Bytes(): scans read whole
    // blocks and stop at the end themselves.
    static constexpr std::size_t kReadSlack = 16;

    std::size_t CellCount() const { return count_; }
    std::string_view Cell(std::size_t index) const {
        if (index >= count_) {
            return {};
        }
        const std::size_t begin = index == 0 ? 0 : End(index - 1) + 1;
        return std::string_view(data_ + begin, End(index) - begin);
    }
    // All cell bytes of the row, with the NUL fillers between the cells.
    std::string_view Bytes() const {
        return count_ == 0 ? std::string_view() : std::string_view(data_, End(count_ - 1));
    }
    // Offset of the end of cell `index` (< CellCount()) within Bytes().
    std::size_t End(std::size_t index) const {
        if (wideEnds_) {
            std::uint32_t end = 0;
            std::memcpy(&end, ends_ + sizeof end * index, sizeof end);
            return end;
        }
        std::uint16_t end = 0;
        std::memcpy(&end, ends_ + sizeof end * index, sizeof end);
        return end;
    }
    // Replaces one cell; false (row unchanged) if the row would exceed 4 GiB.
    bool SetCell(std::size_t index, std::string_view text);

private:
    template <typename Offset>
    static TMlb2Row Place(TMlb2RowArena& arena, char* data, const Offset* ends, std::size_t count);
    // Writes the ends after `used` data bytes at `data`; returns the bytes
    // used in all and sets the row's pointers.
    template <typename Offset>
    std::size_t PlaceEnds(char* data, std::size_t used, const Offset* ends, std::size_t count);

    const char* data_ = nullptr;
    const char* ends_ = nullptr;
    std::uint32_t count_ = 0;
    bool wideEnds_ = false;
    std::unique_ptr<char[]> own_;
};

// Large blocks of row memory for the rows of a loaded file. Rows placed in
// them stay valid as long as the arena; a row that is changed later gets
// memory of its own, and what it held in the block lies unused until the
// table is cleared (at most the size of the file that was loaded).
class TMlb2RowArena {
public:
    TMlb2RowArena() = default;
    TMlb2RowArena(TMlb2RowArena&& other) noexcept { *this = std::move(other); }
    TMlb2RowArena& operator=(TMlb2RowArena&& other) noexcept {
        blocks_ = std::move(other.blocks_);
        next_ = std::exchange(other.next_, nullptr);
        left_ = std::exchange(other.left_, 0);
        return *this;
    }

    // At least `bytes` of writable room; valid until the next call.
    char* Room(std::size_t bytes);
    // Marks the first `bytes` of the room as used.
    void Use(std::size_t bytes) {
        next_ += bytes;
        left_ -= bytes;
    }
    void Clear();

private:
    std::vector<std::unique_ptr<char[]>> blocks_;
    char* next_ = nullptr;
    std::size_t left_ = 0;
};

} // namespace zv
