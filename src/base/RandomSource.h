#pragma once

namespace zv {

// Random numbers for names (pictures, uploads); tests install a fixed one.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A whole number in 0 .. range-1 (0 when range ≤ 0).
    virtual int Random(int range) = 0;
};

class SystemRandom : public RandomSource {
public:
    SystemRandom();
    int Random(int range) override;

private:
    unsigned long long state_;
};

} // namespace zv
