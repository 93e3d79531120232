// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace hueprint {

// The system clipboard, as far as the program uses it.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
    virtual void setText(const QString& text) = 0;
};

class QtClipboard final : public Clipboard {
public:
    void clear() override;
    void setText(const QString& text) override;
};

} // namespace hueprint
