// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/messageboxservice.h"

#include <QStringList>

#include <functional>

// Message boxes that a test answers. Every box is recorded; a box can run a hook "while it is
// open", to play what happens behind a modal box.
class FakeMessageBoxes final : public MessageBoxService
{
public:
    struct Box
    {
        QString kind; // "information", "warning" or "question"
        QString text;
        QString title;
    };

    QList<Box> shown;
    bool nextAnswer = true;
    int aborts = 0;
    std::function<void()> whileOpen;

    void information(const QString &text) override { open({"information", text, {}}); }
    void warning(const QString &text) override { open({"warning", text, {}}); }
    bool question(const QString &text, const QString &title) override
    {
        const int abortsBefore = aborts;
        open({"question", text, title});
        return aborts == abortsBefore && nextAnswer;
    }
    void abortOpenBoxes() override
    {
        if (m_depth > 0)
            ++aborts;
    }

    QStringList texts(const QString &kind) const
    {
        QStringList result;
        for (const Box &box : shown) {
            if (box.kind == kind)
                result.append(box.text);
        }
        return result;
    }

private:
    void open(const Box &box)
    {
        shown.append(box);
        if (!whileOpen)
            return;
        ++m_depth;
        const auto hook = std::exchange(whileOpen, nullptr);
        hook();
        --m_depth;
    }

    int m_depth = 0;
};
