// SPDX-License-Identifier: MIT
#pragma once

#include <QRandomGenerator>
#include <QTime>
#include <array>

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
    // The time of day, to the millisecond, joins the running generator's next number in the new
    // seed, so two re-seeds within the same second, or millisecond, still differ.
    void reseedFromTimeOfDay() override {
        const std::array<quint32, 2> seed = {
            generator_.generate(),
            static_cast<quint32>(QTime::currentTime().msecsSinceStartOfDay())};
        generator_ = QRandomGenerator(seed.data(), seed.size());
    }
    double nextUnit() override { return generator_.generateDouble(); }

private:
    QRandomGenerator generator_{static_cast<quint32>(QTime::currentTime().msecsSinceStartOfDay())};
};

} // namespace hueprint
