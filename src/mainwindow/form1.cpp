// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/form1.h"

#include "mainwindow/timecaptions.h"
#include "mainwindow/timeractions.h"
#include "forms/formtimer.h"
#include "forms/messageboxservice.h"
#include "platform/windowservices.h"
#include "settings/form2.h"
#include "settings/settingsdialog.h"
#include "settings/settingsmessages.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <utility>

namespace {

constexpr qreal digitPoints = 30;

void setFontSize(QLabel *label, qreal points)
{
    QFont font = label->font();
    font.setPointSizeF(points);
    label->setFont(font);
    if (label->property("selfSizing").toBool())
        label->adjustSize();
}

} // namespace

Form1::Form1(Services services, QWidget *parent)
    : QWidget(parent)
    , m_services(std::move(services))
{
    m_session = new CountdownSession({m_services.messages, m_services.clock, m_services.settings},
                                     this);
    buildForm();
    m_form2 = new SettingsDialog(m_services.settings, m_services.messages, this);
    // Start counts the minutes in the dialog's box, loading it hidden when it is not loaded;
    // a save stops the count and asks for a reset.
    m_session->setStartMinutes([this] { return settingsDialog().Textsj()->text(); });
    connect(m_session, &CountdownSession::timeShown, this, &Form1::showTime);
    connect(m_session, &CountdownSession::hundredthsShown, this, [this](qint16 hundredths) {
        if (setCaption(m_labhm, TimeCaptions::hundredths(hundredths)))
            refreshKey();
    });
    connect(m_session, &CountdownSession::colonChanged, this, &Form1::showColon);
    connect(m_session, &CountdownSession::phaseChanged, this, &Form1::showPhase);
    m_flash = new FormTimer(m_services.clock, this);
    m_flash->setObjectName(QStringLiteral("Flash"));
    m_flash->setInterval(250);
    connect(m_flash, &FormTimer::tick, this, &Form1::flash);
    connect(m_session, &CountdownSession::secondShown, this,
            [this] { m_services.windows.keepOnTop(this); });
    m_actions = new TimerActions({*m_session, *m_form2, m_services.messages, m_services.windows,
                                  m_services.clock},
                                 this);
    connect(m_actions, &TimerActions::finished, this, [this] {
        close();
        emit finished();
    });
}

Form1::~Form1() = default;

Form2 &Form1::settingsDialog()
{
    return m_form2->get();
}

void Form1::Form_Load()
{
    WindowServices &windows = m_services.windows;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);
    // Before anything creates the native window: a translucent one needs its visual chosen
    // at creation.
    windows.makeOverlay(this);

    m_settingsRead = m_session->load();
    // A file it could not use: the dialog starts from the default minutes the session counts.
    if (!m_settingsRead)
        settingsDialog().loadWith(m_session->bt(), m_session->sj());

    const qreal scale = m_session->runOptions().scale;
    m_scale = scale;
    if (scale != 1)
        scaleDesign(scale);
    for (QLabel *label : {m_labfen, m_labmiao, m_labhm, m_label1, m_label2})
        setFontSize(label, digitPoints * scale);
    // The design's caption, two digits wide, is the room the minutes have.
    m_minutesSlot = m_labfen->width();
    showTime({ShownTime::Kind::Setting, 0, m_session->sj()});
    m_session->showTimeLeft();

    fitToVisibleLabels();
    m_layout.CaptureLayout(size(), controls());
    m_layoutCaptured = true;
    m_placedFor = size();
    fitMinutes();
    refreshKey();

    // The message shows over the timer, once the window is on screen.
    if (!m_settingsRead)
        QMetaObject::invokeMethod(this, &Form1::reportStartupProblem, Qt::QueuedConnection);
}

void Form1::reportStartupProblem()
{
    const Outcome read = std::exchange(m_settingsRead, Outcome());
    if (!read)
        m_services.messages.information(SettingsMessages::startupFailure(read));
}

void Form1::fitToVisibleLabels()
{
    // The design lets the digits reach above the window, into the blank top of Quartz's
    // glyphs; a face whose digits fill their whole height would lose their tops there. So
    // the controls move down together until the visible labels start inside the window, and
    // the window grows until they end inside it.
    QRect visible;
    for (QWidget *control : controls()) {
        if (control->isHidden())
            continue;
        QRect place = control->geometry();
        if (control == m_labfen && minutesExtra() > 0) // longer minutes get room of their own
            place.setWidth(m_minutesSlot);
        visible |= place;
    }
    const int down = std::max(0, -visible.top());
    for (QWidget *control : controls())
        control->move(control->pos() + QPoint(0, down));
    visible.translate(0, down);
    resize(std::max(width(), visible.right() + 1), std::max(height(), visible.bottom() + 1));
}

void Form1::Form_Resize()
{
    // The window's own widening for the minutes has placed the controls already.
    if (!m_layoutCaptured || size() == m_placedFor)
        return;
    m_layout.apply(QSize(width() - m_minutesExtra, height()), controls());
    shiftPastMinutes(m_minutesExtra);
    m_placedFor = size();
    refreshKey();
}

void Form1::fitMinutes()
{
    // Three characters or more would run into the colon and the seconds: everything right of
    // the minutes moves over, and the window grows by as much, so that the proportions and
    // the keyed-out area hold at every length and scale.
    const int extra = minutesExtra();
    const int grown = extra - m_minutesExtra;
    if (grown == 0)
        return;
    m_minutesExtra = extra;
    shiftPastMinutes(grown);
    QRect window = geometry();
    window.setWidth(window.width() + grown);
    if (m_growsLeftward)
        window.moveLeft(window.left() - grown);
    m_placedFor = window.size();
    setGeometry(window);
}

int Form1::minutesExtra() const
{
    // Up to two characters the design holds as it is, whatever the face.
    if (m_labfen->text().trimmed().size() <= 2)
        return 0;
    return std::max(0, m_labfen->width() - m_minutesSlot);
}

void Form1::shiftPastMinutes(int pixels)
{
    if (pixels == 0)
        return;
    for (QWidget *control : controls()) {
        if (control != m_labfen && control->x() > m_labfen->x())
            control->move(control->x() + pixels, control->y());
    }
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Form1::mousePressEvent(QMouseEvent *event)
{
    // Clicking a digit only makes the timer the window that receives the keys; a right-click
    // opens the menu and leaves the keyboard where it is.
    if (event->button() != Qt::RightButton)
        activateWindow();
    event->accept();
}

void Form1::contextMenuEvent(QContextMenuEvent *event)
{
    emit menuRequested(event->globalPos());
    event->accept();
}

void Form1::setScale(qreal scale)
{
    if (!m_layoutCaptured || qFuzzyCompare(scale, m_scale))
        return;
    // The window grows by the ratio and the proportional layout places the controls in it;
    // the digits' faces follow.
    const qreal ratio = scale / m_scale;
    m_scale = scale;
    for (QLabel *label : {m_labfen, m_labmiao, m_labhm, m_label1, m_label2})
        setFontSize(label, digitPoints * scale);
    m_minutesSlot = qRound(m_minutesSlot * ratio);
    const int extra = m_minutesExtra;
    m_minutesExtra = 0;
    resize(qRound((width() - extra) * ratio), qRound(height() * ratio));
    for (QLabel *label : {m_labfen, m_labmiao, m_labhm})
        m_fittedSizes.fit(label);
    fitMinutes();
    refreshKey();
    // The resize painted the window inside the old key only: all of it again, inside the new.
    update();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_labhm && (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        if (event->type() == QEvent::Show)
            m_fittedSizes.fit(m_labhm);
        m_session->setHundredthsSeen(event->type() == QEvent::Show);
    }
    return QWidget::eventFilter(watched, event);
}

bool Form1::setCaption(QLabel *label, const QString &text)
{
    if (label->text() == text)
        return false;
    label->setText(text);
    m_fittedSizes.fit(label);
    if (label == m_labfen && m_layoutCaptured)
        fitMinutes();
    // Start-up keys the window once, when everything is in place.
    return m_layoutCaptured && !label->isHidden();
}

void Form1::showTime(const ShownTime &shown)
{
    const auto [minutes, seconds] = TimeCaptions::of(shown);
    // The accessible name says the same in words; past zero, the time over. With colour
    // phases zero is said in words once, however long the digits flash.
    if (m_timeNames.isEmpty())
        m_timeNames = {tr("剩余 %1 分 %2 秒"), tr("超时 %1 分 %2 秒"), tr("时间到")};
    const bool zero = shown.kind == ShownTime::Kind::Zero || shown.kind == ShownTime::Kind::TimeUp;
    const QString name = m_phases && zero ? m_timeNames.at(2)
                         : shown.kind == ShownTime::Kind::Over
                             ? m_timeNames.at(1).arg(QString::number(shown.seconds / 60),
                                                     QString::number(shown.seconds % 60))
                             : m_timeNames.at(0).arg(minutes.trimmed(), seconds);
    if (name != accessibleName())
        setAccessibleName(name);
    // Both captions first, then one new key for the two.
    const bool secondsKeyed = setCaption(m_labmiao, seconds);
    if (setCaption(m_labfen, minutes) || secondsKeyed)
        refreshKey();
}

void Form1::setPhases(bool on)
{
    m_phases = on;
    if (!on) {
        m_flash->setEnabled(false); // turned off while dark: the digits show again
        setDigitsHidden(false);
    }
    showPhase(m_session->phase());
}

void Form1::showPhase(Phase phase)
{
    // Blue and yellow stay apart from each other and from the design's red for people who
    // do not tell red from green (see bench/phasecolours.py); the colon's blink and the
    // flash say the same without colour.
    QRgb colour = qRgb(255, 0, 0);
    if (m_phases && phase == Phase::Normal)
        colour = qRgb(0x56, 0xb4, 0xe9);
    else if (m_phases && phase == Phase::Warning)
        colour = qRgb(0xf0, 0xe4, 0x42);
    if (m_phases && phase == Phase::Over && !m_flash->Enabled() && colour != m_digitColour) {
        // Zero: on and off twice a second for four seconds, then on.
        m_flashes = 16;
        m_flash->restartPhase();
        m_flash->setEnabled(true);
    } else if (phase != Phase::Over && m_flash->Enabled()) {
        m_flash->setEnabled(false); // a minute more: back in the count
        setDigitsHidden(false);
    }
    if (colour == m_digitColour)
        return;
    m_digitColour = colour;
    for (QLabel *label : {m_labfen, m_labmiao, m_labhm, m_label1, m_label2}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor::fromRgb(colour));
        label->setPalette(palette);
    }
    refreshKey();
    update();
}

void Form1::flash()
{
    if (--m_flashes <= 0)
        m_flash->setEnabled(false);
    setDigitsHidden(m_flashes > 0 && m_flashes % 2 == 1);
}

void Form1::setDigitsHidden(bool hidden)
{
    if (hidden == std::exchange(m_digitsHidden, hidden))
        return;
    // The colon shows its first face from zero on.
    for (QLabel *label : {m_labfen, m_labmiao, m_label2})
        label->setHidden(hidden);
    // Captions written while hidden (past zero, the minus sign) were not fitted.
    if (!hidden) {
        m_fittedSizes.fit(m_labfen);
        m_fittedSizes.fit(m_labmiao);
        fitMinutes();
    }
    refreshKey();
}

void Form1::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        m_timeNames.clear();
    QWidget::changeEvent(event);
}

void Form1::refreshKey()
{
    // Drawing the window for its key delivers a pending resize, which would come back here.
    if (m_refreshingKey)
        return;
    m_refreshingKey = true;
    m_services.windows.digitsChanged(this);
    m_refreshingKey = false;
}

QString Form1::hundredthsCaption()
{
    m_session->catchUpHundredths();
    return m_labhm->text();
}

void Form1::showColon(bool secondFace)
{
    if (m_label1->isHidden() != secondFace && m_label2->isHidden() == secondFace)
        return;
    m_label1->setHidden(!secondFace);
    m_label2->setHidden(secondFace);
    refreshKey();
}
