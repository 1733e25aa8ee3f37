#include "onlinestats/StoredFigures.h"

namespace zv {

namespace {

void KeepLarger(std::optional<double>& kept, const std::optional<double>& candidate) {
    if (candidate && (!kept || *candidate > *kept)) {
        kept = candidate;
    }
}

} // namespace

void Measure::Add(const Measure& other) {
    catches += other.catches;
    lengthSum += other.lengthSum;
    lengthCount += other.lengthCount;
    KeepLarger(lengthMax, other.lengthMax);
    weightSum += other.weightSum;
    weightCount += other.weightCount;
    KeepLarger(weightMax, other.weightMax);
}

} // namespace zv
