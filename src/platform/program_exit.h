// SPDX-License-Identifier: MIT
#pragma once

namespace hueprint {

// Ends the program.
class ProgramExit {
public:
    virtual ~ProgramExit() = default;
    virtual void endProgram() = 0;
};

class QtProgramExit final : public ProgramExit {
public:
    void endProgram() override;
};

} // namespace hueprint
