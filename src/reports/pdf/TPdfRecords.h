#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace zv {

class TPdfSpill;

// A growing run of bytes kept in a document's temporary file, of which
// only the few blocks used last stay in memory. A document keeps its
// records of pages, bookmarks, destinations and images in these, so that
// building a report of any length takes about the same memory. When the
// temporary file cannot be written, the blocks simply stay in memory.
class TPdfPagedStore {
public:
    TPdfPagedStore(TPdfSpill& spill, std::size_t blockSize, std::size_t residentBlocks);
    TPdfPagedStore(const TPdfPagedStore&) = delete;
    TPdfPagedStore& operator=(const TPdfPagedStore&) = delete;

    std::size_t BlockCount() const { return placed_.size(); }
    // Adds zeroed blocks up to `count`.
    void Grow(std::size_t count);
    // The bytes of block `block` (below BlockCount()) in memory, valid until
    // the next call; `forWriting` marks them to be written back. A block
    // that cannot be read back from the temporary file throws
    // std::runtime_error.
    char* Block(std::size_t block, bool forWriting);

private:
    struct Resident {
        std::size_t block;
        std::unique_ptr<char[]> bytes;
        std::uint64_t lastUse;
        bool dirty;
    };

    Resident& Evict();

    TPdfSpill& spill_;
    std::size_t blockSize_;
    std::size_t maxResident_;
    // Where each block lies in the temporary file (kNowhere: not written yet).
    std::vector<std::uint64_t> placed_;
    // Which of resident_ holds each block (or none).
    std::vector<std::uint32_t> slotOf_;
    std::vector<Resident> resident_;
    std::uint64_t clock_ = 0;
    // Set once the temporary file failed: from then on nothing leaves memory.
    bool keepAll_ = false;
};

// An array of fixed-size records in a paged store; a block holds a power
// of two of them, so that none lies across two blocks.
template <class T> class TPdfRecords {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    explicit TPdfRecords(TPdfSpill& spill, std::size_t residentBlocks = 4,
                         std::size_t blockBytes = 16384)
        : shift_(Shift(blockBytes)), store_(spill, sizeof(T) << shift_, residentBlocks) {}

    std::size_t Size() const { return count_; }
    // Appends a record; returns its index.
    std::size_t Add(const T& value) {
        if ((count_ >> shift_) >= store_.BlockCount()) {
            store_.Grow((count_ >> shift_) + 1);
        }
        Edit(count_) = value;
        return count_++;
    }
    T Get(std::size_t index) { return Peek(index); }
    void Set(std::size_t index, const T& value) { Edit(index) = value; }
    // The record in place, valid until the next access to these records.
    const T& Peek(std::size_t index) { return *At(index, false); }
    T& Edit(std::size_t index) { return *At(index, true); }

private:
    static std::size_t Shift(std::size_t blockBytes) {
        std::size_t shift = 0;
        while ((sizeof(T) << (shift + 1)) <= blockBytes) {
            ++shift;
        }
        return shift;
    }
    T* At(std::size_t index, bool forWriting) {
        const std::size_t mask = (std::size_t{1} << shift_) - 1;
        char* block = store_.Block(index >> shift_, forWriting);
        return reinterpret_cast<T*>(block) + (index & mask);
    }

    std::size_t shift_;
    TPdfPagedStore store_;
    std::size_t count_ = 0;
};

// Where a text kept in a TPdfTexts lies.
struct TPdfTextRef {
    std::uint64_t offset = 0;
    std::uint32_t size = 0;
};

// Short texts (bookmark titles, image names, picture paths) kept one after
// another in a paged store.
class TPdfTexts {
public:
    explicit TPdfTexts(TPdfSpill& spill) : store_(spill, kBlockSize, 4) {}

    TPdfTextRef Keep(std::string_view text);
    std::string Get(TPdfTextRef ref);
    // The same into `into`, reusing its room.
    void Get(TPdfTextRef ref, std::string& into);
    bool Equals(TPdfTextRef ref, std::string_view text);

private:
    static constexpr std::size_t kBlockSize = 16384;

    TPdfPagedStore store_;
    std::uint64_t size_ = 0;
};

} // namespace zv
