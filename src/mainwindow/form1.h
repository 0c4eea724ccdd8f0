// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/fittedsizes.h"
#include "mainwindow/proportionallayout.h"
#include "platform/command.h"
#include "session/countdownsession.h"
#include "settings/settingsfile.h"

#include <QWidget>

#include <memory>

class Form2;
class FormTimer;
class SettingsDialog;
class MessageBoxService;
class MonotonicClock;
class QLabel;
class QPushButton;
class TimerActions;
class WindowServices;

// The timer window: a small borderless strip that floats over a slide show and shows the
// minutes, a colon and the seconds in red. The speaker drives it with the keys a (start),
// s (pause), d (reset) and f (settings). The countdown itself is its session's and the
// commands are its actions': the window shows what the session says and passes its keys on.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    struct Services
    {
        MessageBoxService &messages;
        WindowServices &windows;
        const MonotonicClock &clock;
        SettingsFile settings;
    };

    using RunOptions = ::RunOptions;

    explicit Form1(Services services, QWidget *parent = nullptr);
    ~Form1() override;

    CountdownSession &session() { return *m_session; }
    TimerActions &actions() { return *m_actions; }

    // The hundredths caption brought up to date: its ticks are delivered in batches while
    // nobody can see it.
    QString hundredthsCaption();

    // The settings dialog, made hidden on first use.
    Form2 &settingsDialog();
    const ProportionalLayout &layout() const { return m_layout; }
    // The controls in the order the window created them; the layout walks them.
    QList<QWidget *> controls() const;

    // Before Form_Load.
    void setRunOptions(const RunOptions &options) { m_session->setRunOptions(options); }
    // Runs once, before the window is first shown. A settings file it could not use is
    // reported once the event loop runs.
    void Form_Load();

    void Form_Resize();
    // In a right-hand corner the window grows to the left when the minutes need more room,
    // so that it stays in the corner.
    void setGrowsLeftward(bool leftward) { m_growsLeftward = leftward; }
    void Form_KeyPress(int characterCode);

    void Comstart_Click();
    void Compause_Click();
    void Comhuifu_Click();
    void Comgjsz_Click();

    // The design's size times this, at once: fonts, places and the window.
    void setScale(qreal scale);
    // Colour phases: the digits' colour follows the count's phase, and at zero they flash.
    // Off, they are red throughout, as designed.
    void setPhases(bool on);

signals:
    // Time is up and the speaker dismissed the message: the program ends.
    void finished();
    // A right-click, the Menu key or Shift+F10: the timer's menu, there.
    void menuRequested(const QPoint &at);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildForm();
    void fitToVisibleLabels();
    void fitMinutes();
    int minutesExtra() const;
    void shiftPastMinutes(int pixels);
    void showTime(const ShownTime &shown);
    // Whether the key has to follow: the caption changed and shows.
    bool setCaption(QLabel *label, const QString &text);
    void refreshKey();
    void showColon(bool secondFace);
    void showPhase(Phase phase);
    void flash();
    void setDigitsHidden(bool hidden);
    void scaleDesign(qreal factor);
    void reportStartupProblem();

    Services m_services;
    CountdownSession *m_session = nullptr;
    Outcome m_settingsRead; // whether start-up could use the settings file, or why not
    ProportionalLayout m_layout;
    bool m_layoutCaptured = false;
    QSize m_placedFor; // the window size the controls were last placed for
    // The design gives the minutes room for two characters; longer ones (three and more
    // minutes, or far past zero) widen the window by this much, right of the minutes.
    int m_minutesSlot = 0;
    int m_minutesExtra = 0;
    qreal m_scale = 1;
    bool m_growsLeftward = false;
    bool m_refreshingKey = false;
    FittedSizes m_fittedSizes;
    QStringList m_timeNames; // the accessible name's two forms, in the interface's language
    bool m_phases = false;
    QRgb m_digitColour = 0xffff0000;
    FormTimer *m_flash = nullptr;
    int m_flashes = 0; // halves of the flash still to come
    bool m_digitsHidden = false;
    TimerActions *m_actions = nullptr;
    SettingsDialog *m_form2 = nullptr;

    QPushButton *m_comhuifu = nullptr;
    QPushButton *m_compause = nullptr;
    QPushButton *m_comgjsz = nullptr;
    QPushButton *m_comstart = nullptr;
    QLabel *m_label2 = nullptr;
    QLabel *m_label1 = nullptr;
    QLabel *m_labhm = nullptr;
    QLabel *m_labmiao = nullptr;
    QLabel *m_labfen = nullptr;
};
