// SPDX-License-Identifier: MIT
#include "random_source.h"

#include <QTime>
#include <chrono>

namespace hueprint {

std::int64_t microsecondsSinceMidnight() {
    const std::int64_t msecs = QTime::currentTime().msecsSinceStartOfDay();
    // QTime has milliseconds only; the microseconds come from the system clock.
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
    return msecs * 1000 + (micros % 1000);
}

TimeSeededRandom::TimeSeededRandom() {
    reseedFromTimeOfDay();
}

void TimeSeededRandom::reseedFromTimeOfDay() {
    const std::uint64_t carried = generator_();
    const auto now = static_cast<std::uint64_t>(microsecondsSinceMidnight());
    std::seed_seq seed{static_cast<std::uint32_t>(carried),
                       static_cast<std::uint32_t>(carried >> 32), static_cast<std::uint32_t>(now),
                       static_cast<std::uint32_t>(now >> 32)};
    generator_.seed(seed);
}

double TimeSeededRandom::nextUnit() {
    // 53 random bits scaled into [0, 1): never 1.0, unlike some generate_canonical builds.
    constexpr double kScale = 1.0 / 9007199254740992.0; // 2^-53
    return static_cast<double>(generator_() >> 11) * kScale;
}

} // namespace hueprint
