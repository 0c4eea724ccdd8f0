// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/qtmessageboxservice.h"

#include <QAbstractButton>

#include <algorithm>

namespace {

constexpr char abortedProperty[] = "abortedByProgram";

} // namespace

QtMessageBoxService::QtMessageBoxService(QString applicationTitle)
    : m_applicationTitle(std::move(applicationTitle))
{
}

QtMessageBoxService::~QtMessageBoxService()
{
    for (const auto &box : std::as_const(m_open))
        delete box.data();
}

void QtMessageBoxService::open(QMessageBox *box,
                               std::function<void(QMessageBox::StandardButton)> chosen)
{
    m_open.append(box);
    QObject::connect(box, &QDialog::finished, box, [this, box, chosen = std::move(chosen)] {
        m_open.removeAll(box);
        box->deleteLater();
        // Only a button the speaker clicked (Escape and the close box click No) is an answer;
        // a box the program closed never is, whatever result it was closed with.
        QMessageBox::StandardButton button = QMessageBox::NoButton;
        if (!box->property(abortedProperty).toBool() && box->clickedButton())
            button = box->standardButton(box->clickedButton());
        if (chosen)
            chosen(button);
    });
    // As exec() would, without an event loop of its own: the program goes on behind the box.
    box->setWindowModality(Qt::ApplicationModal);
    // Above a slide show, as the timer is: a box under the show could not be answered.
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    box->show();
}

void QtMessageBoxService::information(const QString &text, std::function<void()> closed)
{
    auto *box = new QMessageBox(QMessageBox::Information, m_applicationTitle, text,
                                QMessageBox::Ok);
    open(box, [closed = std::move(closed)](QMessageBox::StandardButton) {
        if (closed)
            closed();
    });
}

void QtMessageBoxService::warning(const QString &text)
{
    open(new QMessageBox(QMessageBox::Warning, m_applicationTitle, text, QMessageBox::Ok), {});
}

void QtMessageBoxService::question(const QString &text, const QString &title,
                                   std::function<void(bool yes)> answered)
{
    auto *box = new QMessageBox(QMessageBox::Question, title, text,
                                QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::Yes);
    box->setEscapeButton(QMessageBox::No);
    open(box, [answered = std::move(answered)](QMessageBox::StandardButton button) {
        if (answered)
            answered(button == QMessageBox::Yes);
    });
}

void QtMessageBoxService::abortOpenBoxes()
{
    const auto open = m_open;
    for (const auto &box : open) {
        if (box) {
            box->setProperty(abortedProperty, true);
            box->done(QMessageBox::No);
        }
    }
}

bool QtMessageBoxService::isOpen() const
{
    return std::any_of(m_open.cbegin(), m_open.cend(), [](const auto &box) { return box; });
}
