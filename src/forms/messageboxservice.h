// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The program's modal message boxes. The forms talk to this interface only, so tests can
// answer the boxes without ever seeing one.
class MessageBoxService
{
public:
    virtual ~MessageBoxService() = default;

    // Information icon, one OK button, no title of its own (the application title shows).
    virtual void information(const QString &text) = 0;
    // Warning icon, one OK button, application title.
    virtual void warning(const QString &text) = 0;
    // Question icon, Yes and No; true only when the user chose Yes.
    virtual bool question(const QString &text, const QString &title) = 0;
    // Closes every box that is open, as if it was answered No; used when the countdown ends
    // while a box is waiting for the speaker.
    virtual void abortOpenBoxes() = 0;
};
