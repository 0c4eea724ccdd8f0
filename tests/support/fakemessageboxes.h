// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/messageboxservice.h"

#include <QStringList>

#include <functional>

// Message boxes that a test answers. Every box is recorded; a box can run a hook "while it is
// open", to play what happens behind a modal box, and is answered when the hook is done.
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

    void information(const QString &text, std::function<void()> closed = {}) override
    {
        open({"information", text, {}});
        if (closed)
            closed();
    }
    void warning(const QString &text) override { open({"warning", text, {}}); }
    void question(const QString &text, const QString &title,
                  std::function<void(bool)> answered) override
    {
        const int abortsBefore = aborts;
        open({"question", text, title});
        answered(aborts == abortsBefore && nextAnswer);
    }
    void abortOpenBoxes() override
    {
        if (m_depth > 0)
            ++aborts;
    }
    bool isOpen() const override { return m_depth > 0; }

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
