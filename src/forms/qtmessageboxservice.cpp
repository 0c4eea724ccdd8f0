// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/qtmessageboxservice.h"

QtMessageBoxService::QtMessageBoxService(QString applicationTitle)
    : m_applicationTitle(std::move(applicationTitle))
{
}

QMessageBox::StandardButton QtMessageBoxService::run(QMessageBox &box)
{
    const int abortsBefore = m_aborts;
    m_open.append(&box);
    const auto chosen = static_cast<QMessageBox::StandardButton>(box.exec());
    m_open.removeAll(&box);
    // A box whose event loop was quit from outside returns as if its default button had
    // been pressed; an aborted box must never count as an answer.
    if (m_aborts != abortsBefore)
        return QMessageBox::NoButton;
    return chosen;
}

void QtMessageBoxService::information(const QString &text)
{
    QMessageBox box(QMessageBox::Information, m_applicationTitle, text, QMessageBox::Ok);
    run(box);
}

void QtMessageBoxService::warning(const QString &text)
{
    QMessageBox box(QMessageBox::Warning, m_applicationTitle, text, QMessageBox::Ok);
    run(box);
}

bool QtMessageBoxService::question(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return run(box) == QMessageBox::Yes;
}

void QtMessageBoxService::abortOpenBoxes()
{
    if (m_open.isEmpty())
        return;
    ++m_aborts;
    const auto open = m_open;
    for (const auto &box : open) {
        if (box)
            box->done(QMessageBox::No);
    }
}
