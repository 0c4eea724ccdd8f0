// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1fixture.h"

#include "forms/formtimer.h"

#include <QDir>
#include <QFile>
#include <QLabel>

using namespace std::chrono;

Form1Fixture::Form1Fixture() = default;

QString Form1Fixture::settingsPath() const
{
    return QDir(folder()).filePath(QStringLiteral("sys.txt"));
}

void Form1Fixture::writeSettings(const QByteArray &bytes)
{
    QDir().mkpath(folder());
    QFile file(settingsPath());
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QByteArray Form1Fixture::settingsBytes() const
{
    QFile file(settingsPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

Form1 &Form1Fixture::load(const Form1::RunOptions &options, std::chrono::milliseconds loading)
{
    m_form = std::make_unique<Form1>(
        Form1::Services{messages, windows, clock, SettingsFile(folder())});
    QObject::connect(m_form.get(), &Form1::finished, [this] { ++finished; });
    m_form->setRunOptions(options);
    clock.advance(loading);
    m_form->Form_Load();
    return *m_form;
}

QLabel *Form1Fixture::label(const char *name) const
{
    return m_form->findChild<QLabel *>(QLatin1String(name));
}

QString Form1Fixture::caption(const char *name) const
{
    return label(name)->text();
}

QString Form1Fixture::display() const
{
    return caption("Labfen") + u':' + caption("Labmiao");
}

void Form1Fixture::elapse(milliseconds duration)
{
    clock.elapse(duration, formTimer(m_form->session(), "Timer1"));
}

void Form1Fixture::untilNextTick()
{
    clock.advance(formTimer(m_form->session(), "Timer1").nextDue() - clock.now());
    formTimer(m_form->session(), "Timer1").catchUp();
}
