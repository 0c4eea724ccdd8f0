// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/messageboxservice.h"

#include <QList>
#include <QMessageBox>
#include <QPointer>

// Message boxes drawn by Qt Widgets, modal to the whole program.
class QtMessageBoxService final : public MessageBoxService
{
public:
    explicit QtMessageBoxService(QString applicationTitle);
    ~QtMessageBoxService() override;

    void information(const QString &text, std::function<void()> closed = {}) override;
    void warning(const QString &text) override;
    void question(const QString &text, const QString &title,
                  std::function<void(bool yes)> answered) override;
    void abortOpenBoxes() override;
    bool isOpen() const override;

private:
    // Shows the box; CHOSEN gets the button clicked, or NoButton when it was aborted.
    void open(QMessageBox *box, std::function<void(QMessageBox::StandardButton)> chosen);

    QString m_applicationTitle;
    QList<QPointer<QMessageBox>> m_open;
};
