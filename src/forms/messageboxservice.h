// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

// The program's modal message boxes. The forms talk to this interface only, so tests can
// answer the boxes without ever seeing one. A box opens and the call returns at once: what
// follows the answer runs when the box closes, so nothing waits in an event loop of its own.
class MessageBoxService
{
public:
    virtual ~MessageBoxService() = default;

    // Information icon, one OK button, no title of its own (the application title shows);
    // CLOSED runs once it is dismissed.
    virtual void information(const QString &text, std::function<void()> closed = {}) = 0;
    // Warning icon, one OK button, application title.
    virtual void warning(const QString &text) = 0;
    // Question icon, Yes and No; ANSWERED gets true only when the user chose Yes.
    virtual void question(const QString &text, const QString &title,
                          std::function<void(bool yes)> answered) = 0;
    // Closes every box that is open, as if it was answered No; used when the countdown ends
    // while a box is waiting for the speaker.
    virtual void abortOpenBoxes() = 0;
    // Whether a box waits for the speaker.
    virtual bool isOpen() const = 0;
};
