// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/form1.h"
#include "support/fakeclock.h"
#include "support/fakemessageboxes.h"
#include "support/fakewindowservices.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <chrono>
#include <memory>

class QLabel;

// A timer window on a temporary settings folder, a clock the test moves and message boxes
// the test answers.
class Form1Fixture
{
public:
    Form1Fixture();

    QString folder() const { return m_temp.filePath(QStringLiteral("MorivTemp")); }
    QString settingsPath() const;
    void writeSettings(const QByteArray &bytes);
    QByteArray settingsBytes() const;

    // Builds the window and runs its load step, LOADING after the window was built.
    Form1 &load(const Form1::RunOptions &options = {},
                std::chrono::milliseconds loading = {});
    Form1 &form() { return *m_form; }
    QLabel *label(const char *name) const;
    QString caption(const char *name) const;
    // "minutes:seconds" as the speaker sees them.
    QString display() const;

    // Moves the clock forward, waking the timers every 100 ms as the event loop would.
    void elapse(std::chrono::milliseconds duration);
    // Moves the clock forward until the next one-second tick has been delivered.
    void untilNextTick();

    FakeClock clock;
    FakeMessageBoxes messages;
    FakeWindowServices windows;
    int finished = 0;

private:
    QTemporaryDir m_temp;
    std::unique_ptr<Form1> m_form;
};
