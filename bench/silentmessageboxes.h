// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/messageboxservice.h"

// Boxes that answer at once: a benchmark has nobody to press OK.
class SilentMessageBoxes final : public MessageBoxService
{
public:
    void information(const QString &) override {}
    void warning(const QString &) override {}
    bool question(const QString &, const QString &) override { return false; }
    void abortOpenBoxes() override {}
};
