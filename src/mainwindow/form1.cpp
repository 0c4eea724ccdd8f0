// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/form1.h"

#include "forms/formtimer.h"
#include "forms/messageboxservice.h"
#include "platform/platform.h"
#include "settings/form2.h"
#include "settings/settingsmessages.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <utility>

namespace {

const QString cleared = QStringLiteral("00");
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
    buildForm();
    m_form2 = std::make_unique<Form2>(m_services.settings, m_services.messages, *this);
    // A question or dialog that a command opened may be hidden behind a full-screen slide
    // show, where nobody can answer it: after 20 s it gives up, answered No or Cancel.
    m_giveUp = new FormTimer(m_services.clock, this);
    m_giveUp->setObjectName(QStringLiteral("GiveUp"));
    m_giveUp->setInterval(20000);
    connect(m_giveUp, &FormTimer::tick, this, &Form1::closeOpenWindows);
}

Form1::~Form1() = default;

void Form1::Form_Load()
{
    WindowServices &windows = m_services.windows;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);
    // Before anything creates the native window: a translucent one needs its visual chosen
    // at creation.
    windows.makeLayered(this);
    windows.makeTopmost(this);
    windows.keyOutBlack(this);

    const SettingsFile &settings = m_services.settings;
    SettingsResult result;
    if (m_options.minutes) {
        // The title is carried along should the dialog save; the minutes are this run's.
        settings.ReadSettingsFile(m_bt, m_sj);
        if (m_bt.isEmpty())
            m_bt = SettingsFile::defaultTitle();
        m_sj = *m_options.minutes;
        m_form2->loadWith(m_bt, m_sj);
    } else {
        result = settings.EnsureSettingsFile();
        if (result)
            result = settings.ReadSettingsFile(m_bt, m_sj);
    }
    if (!result) {
        // A timer that cannot read its settings still has to count: say why, and count the
        // default length.
        m_startupProblem = SettingsMessages::startupFailure(result);
        m_bt = SettingsFile::defaultTitle();
        m_sj = SettingsFile::defaultMinutes();
        m_form2->loadWith(m_bt, m_sj);
    }

    if (m_options.scale != 1)
        scaleDesign(m_options.scale);
    for (QLabel *label : {m_labfen, m_labmiao, m_labhm, m_label1, m_label2})
        setFontSize(label, digitPoints * m_options.scale);
    setCaption(m_labfen, m_sj);
    setCaption(m_labmiao, cleared);

    // The design arms the timers when the window is built, long before the program runs: a
    // slow start (a cold font cache) lets their first ticks fall due while loading, and
    // disarming delivers what fell due. Those ticks never happened: each starts afresh first.
    for (FormTimer *timer : {m_timer1, m_timer2, m_timer3}) {
        timer->restartPhase();
        timer->setEnabled(false);
    }
    m_timer1->setInterval(1000);
    m_timer2->setInterval(10);
    m_timer3->setInterval(500);
    RewindCounters();

    fitToVisibleLabels();
    m_layout.CaptureLayout(size(), controls());
    m_layoutCaptured = true;
    refreshKey();

    // A message box runs an event loop, and no tick may run before start-up has finished: the
    // message waits for the event loop, by when the window is shown and the timers are off.
    if (!m_startupProblem.isEmpty())
        QMetaObject::invokeMethod(this, &Form1::reportStartupProblem, Qt::QueuedConnection);
}

void Form1::reportStartupProblem()
{
    const QString text = std::exchange(m_startupProblem, QString());
    if (!text.isEmpty())
        m_services.messages.information(text);
}

void Form1::fitToVisibleLabels()
{
    // The design lets the digits reach above the window, into the blank top of Quartz's
    // glyphs; a face whose digits fill their whole height would lose their tops there. So
    // the controls move down together until the visible labels start inside the window, and
    // the window grows until they end inside it.
    QRect visible;
    for (QWidget *control : controls()) {
        if (!control->isHidden())
            visible |= control->geometry();
    }
    const int down = std::max(0, -visible.top());
    for (QWidget *control : controls())
        control->move(control->pos() + QPoint(0, down));
    visible.translate(0, down);
    resize(std::max(width(), visible.right() + 1), std::max(height(), visible.bottom() + 1));
}

void Form1::Form_Resize()
{
    if (!m_layoutCaptured)
        return;
    m_layout.apply(size(), controls());
    refreshKey();
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Form1::mousePressEvent(QMouseEvent *event)
{
    // Clicking a digit only makes the timer the window that receives the keys.
    activateWindow();
    event->accept();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_labhm && (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        m_timer2->setBatched(event->type() == QEvent::Hide);
        if (event->type() == QEvent::Show)
            catchUpHundredths();
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::setCaption(QLabel *label, const QString &text)
{
    if (label == m_labhm)
        m_hundredthsBehind = false;
    if (label->text() == text)
        return;
    label->setText(text);
    if (label->property("selfSizing").toBool())
        label->adjustSize();
    if (label == m_labfen || label == m_labmiao)
        setAccessibleName(tr("剩余 %1 分 %2 秒")
                              .arg(m_labfen->text().trimmed(), m_labmiao->text().trimmed()));
    // Start-up keys the window once, when everything is in place.
    if (m_layoutCaptured && !label->isHidden())
        refreshKey();
}

void Form1::refreshKey()
{
    // Drawing the window for its key delivers a pending resize, which would come back here.
    if (m_refreshingKey)
        return;
    m_refreshingKey = true;
    m_services.windows.refreshKeyOut(this);
    m_refreshingKey = false;
}

QString Form1::hundredthsCaption()
{
    catchUpHundredths();
    return m_labhm->text();
}

void Form1::Timer1_Timer()
{
    // The hundredths that fell due during this second come first, as they would have had
    // their timer woken the program for each of them.
    catchUpHundredths();
    const CountdownClock::SecondStep shown = m_clock.secondStep();
    setCaption(m_labmiao, QString::number(shown.secondsShown));
    setCaption(m_labfen, QString::number(shown.minutesShown));
    if (shown.timeUp) {
        timeUp();
        return;
    }
    m_secondsLeft = shown.minutesShown * 60 + shown.secondsShown;
    updateWarning();
    m_services.windows.reassertTopmost(this);
}

void Form1::Timer2_Timer()
{
    const qint16 hundredths = m_clock.hundredthsStep();
    // While nobody sees the label, its ticks come in batches of a hundred: the caption is
    // written once, with the last of them, when it is read or the batch is over.
    if (m_labhm->isHidden()) {
        m_hundredthsBehind = true;
        m_hundredthsShown = hundredths;
        return;
    }
    setCaption(m_labhm, QString::number(hundredths));
}

void Form1::catchUpHundredths()
{
    m_timer2->catchUp();
    if (std::exchange(m_hundredthsBehind, false))
        setCaption(m_labhm, QString::number(m_hundredthsShown));
}

void Form1::Timer3_Timer()
{
    m_label1->setHidden(!m_label1->isHidden());
    m_label2->setHidden(!m_label2->isHidden());
    refreshKey();
}

void Form1::updateWarning()
{
    // The cue that the end is near is a blinking colon, not a colour, so that it works for
    // speakers who do not tell red from green.
    const bool near = m_options.warnMinutes > 0
                      && m_clock.state() == CountdownClock::State::Running
                      && m_secondsLeft <= m_options.warnMinutes * 60;
    if (near && !m_timer3->Enabled()) {
        m_timer3->restartPhase();
        m_timer3->setEnabled(true);
    }
}

void Form1::stopWarning()
{
    m_timer3->setEnabled(false);
    if (m_label1->isHidden() && !m_label2->isHidden())
        return;
    m_label1->hide();
    m_label2->show();
    refreshKey();
}

void Form1::timeUp()
{
    setCaption(m_labfen, cleared);
    setCaption(m_labmiao, cleared);
    setCaption(m_labhm, cleared);
    for (FormTimer *timer : {m_timer1, m_timer2, m_timer3})
        timer->setEnabled(false);
    stopWarning();
    // A question or the settings dialog still open is closed unanswered and unsaved; the
    // time-up message is not theirs to give up on.
    closeOpenWindows();
    m_services.messages.information(tr("倒计时时间到！！！"));
    close();
    emit finished();
}

void Form1::closeOpenWindows()
{
    m_giveUp->setEnabled(false);
    m_services.messages.abortOpenBoxes();
    m_form2->abortModal();
}

void Form1::showMinutesText(const QString &minutesText)
{
    setCaption(m_labfen, minutesText);
}

void Form1::StopCount()
{
    m_timer1->setEnabled(false);
    m_timer2->setEnabled(false);
    catchUpHundredths();
    m_clock.pause();
    stopWarning();
}

void Form1::ClearSeconds()
{
    setCaption(m_labmiao, cleared);
    setCaption(m_labhm, cleared);
}

void Form1::RewindCounters()
{
    m_clock.RewindCounters();
    m_timer1->restartPhase();
    m_timer2->restartPhase();
}
