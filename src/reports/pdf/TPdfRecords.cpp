#include "reports/pdf/TPdfRecords.h"

#include "reports/pdf/TPdfSpill.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace zv {

namespace {
constexpr std::uint64_t kNowhere = std::numeric_limits<std::uint64_t>::max();
constexpr std::uint32_t kNoSlot = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t kNoBlock = std::numeric_limits<std::size_t>::max();
} // namespace

TPdfPagedStore::TPdfPagedStore(TPdfSpill& spill, std::size_t blockSize, std::size_t residentBlocks)
    : spill_(spill), blockSize_(blockSize), maxResident_(std::max<std::size_t>(residentBlocks, 1)) {
}

TPdfPagedStore::Resident& TPdfPagedStore::Evict() {
    auto oldest = std::min_element(
        resident_.begin(), resident_.end(),
        [](const Resident& a, const Resident& b) { return a.lastUse < b.lastUse; });
    if (oldest->dirty) {
        const std::string_view bytes(oldest->bytes.get(), blockSize_);
        std::uint64_t& place = placed_[oldest->block];
        const bool written =
            place == kNowhere ? spill_.Keep(bytes, place) : spill_.Rewrite(place, bytes);
        if (!written) {
            // The block keeps its place in memory, and so do all to come.
            keepAll_ = true;
            return resident_.emplace_back(
                Resident{kNoBlock, std::make_unique_for_overwrite<char[]>(blockSize_), 0, false});
        }
        oldest->dirty = false;
    }
    return *oldest;
}

char* TPdfPagedStore::Block(std::size_t block, bool forWriting) {
    ++clock_;
    std::uint32_t& slotOf = slotOf_[block];
    if (slotOf != kNoSlot) {
        Resident& hit = resident_[slotOf];
        hit.lastUse = clock_;
        hit.dirty = hit.dirty || forWriting;
        return hit.bytes.get();
    }
    Resident* slot = nullptr;
    if (resident_.size() < maxResident_ || keepAll_) {
        slot = &resident_.emplace_back(
            Resident{kNoBlock, std::make_unique_for_overwrite<char[]>(blockSize_), 0, false});
    } else {
        slot = &Evict();
    }
    if (slot->block != kNoBlock) {
        slotOf_[slot->block] = kNoSlot;
    }
    slot->block = kNoBlock;
    if (placed_[block] == kNowhere) {
        std::memset(slot->bytes.get(), 0, blockSize_);
    } else if (!spill_.Fetch(placed_[block], slot->bytes.get(), blockSize_)) {
        throw std::runtime_error("Fehler beim Lesen aus der Zwischendatei des PDF-Dokuments.");
    }
    slot->block = block;
    slot->lastUse = clock_;
    slot->dirty = forWriting;
    slotOf = static_cast<std::uint32_t>(slot - resident_.data());
    return slot->bytes.get();
}

void TPdfPagedStore::Grow(std::size_t count) {
    if (count > placed_.size()) {
        placed_.resize(count, kNowhere);
        slotOf_.resize(count, kNoSlot);
    }
}

TPdfTextRef TPdfTexts::Keep(std::string_view text) {
    TPdfTextRef ref;
    ref.offset = size_;
    ref.size = static_cast<std::uint32_t>(text.size());
    size_ += text.size();
    store_.Grow(static_cast<std::size_t>((size_ + kBlockSize - 1) / kBlockSize));
    std::uint64_t offset = ref.offset;
    while (!text.empty()) {
        const auto at = static_cast<std::size_t>(offset % kBlockSize);
        const std::size_t n = std::min(text.size(), kBlockSize - at);
        std::memcpy(store_.Block(static_cast<std::size_t>(offset / kBlockSize), true) + at,
                    text.data(), n);
        text.remove_prefix(n);
        offset += n;
    }
    return ref;
}

void TPdfTexts::Get(TPdfTextRef ref, std::string& into) {
    into.resize(ref.size);
    std::uint64_t offset = ref.offset;
    for (std::size_t done = 0; done < into.size();) {
        const auto at = static_cast<std::size_t>(offset % kBlockSize);
        const std::size_t n = std::min(into.size() - done, kBlockSize - at);
        std::memcpy(into.data() + done,
                    store_.Block(static_cast<std::size_t>(offset / kBlockSize), false) + at, n);
        done += n;
        offset += n;
    }
}

std::string TPdfTexts::Get(TPdfTextRef ref) {
    std::string text;
    Get(ref, text);
    return text;
}

bool TPdfTexts::Equals(TPdfTextRef ref, std::string_view text) {
    return ref.size == text.size() && Get(ref) == text;
}

} // namespace zv
