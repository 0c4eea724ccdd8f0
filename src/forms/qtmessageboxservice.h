// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/messageboxservice.h"

#include <QList>
#include <QMessageBox>
#include <QPointer>

// Message boxes drawn by Qt Widgets.
class QtMessageBoxService final : public MessageBoxService
{
public:
    explicit QtMessageBoxService(QString applicationTitle);

    void information(const QString &text) override;
    void warning(const QString &text) override;
    bool question(const QString &text, const QString &title) override;
    void abortOpenBoxes() override;

private:
    // Runs the box modally; returns the button chosen, or NoButton when it was aborted.
    QMessageBox::StandardButton run(QMessageBox &box);

    QString m_applicationTitle;
    QList<QPointer<QMessageBox>> m_open;
    int m_aborts = 0;
};
