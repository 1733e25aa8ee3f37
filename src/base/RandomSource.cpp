#include "base/RandomSource.h"

#include <random>

namespace zv {

SystemRandom::SystemRandom() : state_(std::random_device{}()) {}

int SystemRandom::Random(int range) {
    if (range <= 0) {
        return 0;
    }
    // splitmix64: small, fast and good enough for file-name suffixes.
    state_ += 0x9E3779B97F4A7C15ULL;
    unsigned long long z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<int>(z % static_cast<unsigned long long>(range));
}

} // namespace zv
