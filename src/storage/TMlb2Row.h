#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// One row of a table kept in a single allocation: the cell count, the end
// offset of every cell (32-bit) and then the cell bytes (UTF-8), one filler
// byte between neighbouring cells (so a line read from a file can be copied
// with its separators in place).
// A catch table has millions of cells; a string object per cell would cost
// more than the text itself. Cells past the stored count read as empty, so
// adding a field never has to touch the rows.
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

    std::size_t CellCount() const;
    std::string_view Cell(std::size_t index) const;
    // All cell bytes of the row, with the filler bytes between the cells.
    std::string_view Bytes() const;
    // Replaces one cell; false (row unchanged) if the row would exceed 4 GiB.
    bool SetCell(std::size_t index, std::string_view text);

private:
    static TMlb2Row Make(const std::uint32_t* ends, std::size_t count, std::string_view data);
    std::uint32_t End(std::size_t index) const;

    std::unique_ptr<char[]> mem_;
};

} // namespace zv
