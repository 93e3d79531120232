// SPDX-License-Identifier: MIT
#pragma once

namespace hueprint {

// The system beep: the program's only signal for refused input.
class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

class QtBeeper final : public Beeper {
public:
    void beep() override;
};

} // namespace hueprint
