// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/messageboxservice.h"

// Boxes that answer at once: a benchmark has nobody to press OK.
class SilentMessageBoxes final : public MessageBoxService
{
public:
    void information(const QString &, std::function<void()> closed) override
    {
        if (closed)
            closed();
    }
    void warning(const QString &) override {}
    void question(const QString &, const QString &, std::function<void(bool)> answered) override
    {
        answered(false);
    }
    void abortOpenBoxes() override {}
    bool isOpen() const override { return false; }
};
