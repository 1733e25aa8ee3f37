#pragma once

#include <memory>
#include <string_view>
#include <vector>

namespace zv {

// Keeps many short texts (bookmark titles, image names) in a few large
// blocks instead of one allocation each. A kept text stays where it is
// until the arena is cleared or destroyed.
class TPdfTextArena {
public:
    TPdfTextArena() = default;
    TPdfTextArena(const TPdfTextArena&) = delete;
    TPdfTextArena& operator=(const TPdfTextArena&) = delete;

    // A copy of `text` that lives as long as the arena.
    std::string_view Keep(std::string_view text);
    void Clear();

private:
    std::vector<std::unique_ptr<char[]>> blocks_;
    char* free_ = nullptr;
    std::size_t room_ = 0;
};

} // namespace zv
