// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <random>

namespace hueprint {

// Pseudo-random numbers in [0, 1), re-seeded from the time of day.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseedFromTimeOfDay() = 0;
    virtual double nextUnit() = 0;
};

class TimeSeededRandom final : public RandomSource {
public:
    TimeSeededRandom();
    // Mixes the time of day, to the microsecond, into the running generator, so two
    // re-seeds within the same second still lead to different numbers.
    void reseedFromTimeOfDay() override;
    double nextUnit() override;

private:
    std::mt19937_64 generator_;
};

// Microseconds since local midnight.
std::int64_t microsecondsSinceMidnight();

} // namespace hueprint
