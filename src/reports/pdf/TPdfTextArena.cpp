#include "reports/pdf/TPdfTextArena.h"

#include <cstring>

namespace zv {

namespace {
constexpr std::size_t kBlockSize = 64 * 1024;
}

std::string_view TPdfTextArena::Keep(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    if (text.size() > room_) {
        // A long text gets a block of its own, so the current block keeps
        // its room for the short ones after it.
        if (text.size() > kBlockSize / 4) {
            blocks_.push_back(std::make_unique<char[]>(text.size()));
            std::memcpy(blocks_.back().get(), text.data(), text.size());
            return {blocks_.back().get(), text.size()};
        }
        blocks_.push_back(std::make_unique<char[]>(kBlockSize));
        free_ = blocks_.back().get();
        room_ = kBlockSize;
    }
    char* at = free_;
    std::memcpy(at, text.data(), text.size());
    free_ += text.size();
    room_ -= text.size();
    return {at, text.size()};
}

void TPdfTextArena::Clear() {
    blocks_.clear();
    free_ = nullptr;
    room_ = 0;
}

} // namespace zv
