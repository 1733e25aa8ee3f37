#include "reports/pdf/TPdfDocRecords.h"

#include <functional>
#include <stdexcept>

namespace zv {

namespace {
// Name lookups jump about the slots: small blocks, more of them in memory.
constexpr std::size_t kSlotBlock = 4096;
constexpr std::size_t kSlotBlocksResident = 16;
constexpr std::size_t kFirstSlotCount = 1024;

std::uint64_t SlotOf(std::uint64_t hash, std::uint32_t index) {
    return (hash >> 32) << 32 | (static_cast<std::uint64_t>(index) + 1);
}
} // namespace

TPdfDocRecords::TPdfDocRecords()
    : xref(spill), texts(spill), destinations(spill), outlines(spill), images(spill),
      imageUses(spill), finished_(spill) {}

TPdfPageRecord TPdfDocRecords::Page(std::size_t index) {
    return index < finished_.Size() ? finished_.Get(index) : current_->Record();
}

TPdfPage& TPdfDocRecords::AddPage(int number, double width, double height) {
    const auto firstUse = static_cast<std::uint32_t>(imageUses.Size());
    if (!current_) {
        return current_.emplace(number, width, height, firstUse);
    }
    // A finished page is never drawn on again: its content can leave memory.
    TPdfPageRecord record = current_->Record();
    std::string& data = current_->Contents().Data();
    record.contentsSize = data.size();
    record.contentsSpilled = spill.Keep(data, record.contentsAt);
    if (!record.contentsSpilled) {
        unspilled_.emplace(finished_.Size(), data);
    }
    finished_.Add(record);

    // Pages made from one template come out alike: the next page reuses the
    // buffer, with its room, instead of allocating and touching fresh memory.
    std::string buffer = std::move(data);
    buffer.clear();
    TPdfPage& page = current_.emplace(number, width, height, firstUse);
    page.Contents().Data() = std::move(buffer);
    return page;
}

std::string_view TPdfDocRecords::Contents(std::size_t index, std::string& scratch) {
    if (index >= finished_.Size()) {
        return current_->Contents().Data();
    }
    const TPdfPageRecord record = finished_.Get(index);
    if (!record.contentsSpilled) {
        return unspilled_.at(index);
    }
    scratch.resize(static_cast<std::size_t>(record.contentsSize));
    if (!spill.Fetch(record.contentsAt, scratch.data(), scratch.size())) {
        throw std::runtime_error("Fehler beim Lesen aus der Zwischendatei des PDF-Dokuments.");
    }
    return scratch;
}

void TPdfDocRecords::IndexImage(std::uint64_t hash, std::uint32_t index) {
    const std::size_t mask = slotCount_ - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        if (nameSlots_->Get(at) == 0) {
            nameSlots_->Set(at, SlotOf(hash, index));
            return;
        }
    }
}

std::uint32_t TPdfDocRecords::FindImage(std::string_view name) {
    if (slotCount_ == 0) {
        return kPdfNoRecord;
    }
    const std::uint64_t hash = std::hash<std::string_view>{}(name);
    const std::size_t mask = slotCount_ - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const std::uint64_t slot = nameSlots_->Get(at);
        if (slot == 0) {
            return kPdfNoRecord;
        }
        if (slot >> 32 == hash >> 32) {
            const auto index = static_cast<std::uint32_t>((slot & 0xFFFFFFFFu) - 1);
            const TPdfImageRecord record = images.Get(index);
            if (record.nameHash == hash && texts.Equals(record.name, name)) {
                return index;
            }
        }
    }
}

std::uint32_t TPdfDocRecords::AddImage(std::string_view name, TPdfImageRecord record) {
    record.nameHash = std::hash<std::string_view>{}(name);
    const auto index = static_cast<std::uint32_t>(images.Add(record));
    if (2 * images.Size() > slotCount_) {
        // Too full: a table twice the size, filled anew from the records.
        slotCount_ = slotCount_ == 0 ? kFirstSlotCount : 2 * slotCount_;
        nameSlots_.reset();
        nameSlots_ =
            std::make_unique<TPdfRecords<std::uint64_t>>(spill, kSlotBlocksResident, kSlotBlock);
        const std::uint64_t empty = 0;
        for (std::size_t i = 0; i < slotCount_; ++i) {
            nameSlots_->Add(empty);
        }
        for (std::uint32_t i = 0; i < index; ++i) {
            IndexImage(images.Get(i).nameHash, i);
        }
    }
    IndexImage(record.nameHash, index);
    return index;
}

} // namespace zv
