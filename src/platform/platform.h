// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The operating system's services: everything that differs between platforms is declared
// here and defined once per platform, in x11/ and posix/ or in windows/, as CMake chooses.

#include "platform/command.h"
#include "platform/outcome.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QFile;
class QWidget;

// What the main window needs from the window system to float over a slide show.
class WindowServices
{
public:
    virtual ~WindowServices() = default;

    // Places the window above every window that is not itself topmost; keeps place and size.
    virtual void makeTopmost(QWidget *window) = 0;
    // Prepares the window for a colour key.
    virtual void makeLayered(QWidget *window) = 0;
    // From now on exactly-black pixels of the window are neither drawn nor hit by the mouse.
    virtual void keyOutBlack(QWidget *window) = 0;
    // The window's pixels changed (a caption, a size): let the key follow them.
    virtual void refreshKeyOut(QWidget *window) = 0;
    // Puts the window back on top; a slide show may raise itself over other topmost windows.
    virtual void reassertTopmost(QWidget *window) = 0;

    // The window that has the keyboard now (0 when unknown), and giving the keyboard to a
    // window: a question or dialog opened by a global shortcut takes it, and on closing
    // returns it to the slide show.
    virtual quintptr focusedWindow() = 0;
    virtual void restoreFocus(quintptr window) = 0;
    // Whether the window that has the keyboard, none of the timer's own, shows full screen on
    // the screen the window is on: a slide show has started.
    virtual bool isShowFullScreen(QWidget *window) = 0;

    // Whether the native window is one of the timer's own (the timer, its question, its
    // dialog): those never count as a slide show, nor get the keyboard handed back.
    static bool isOwnWindow(quintptr native);

protected:
    // A window drawn with per-pixel alpha and no background of its own: what is not a digit
    // stays fully transparent.
    static void drawTranslucent(QWidget *window);
};

// Ctrl+Alt and a letter, for the whole desktop: they reach the timer whichever program has
// the keyboard, so the slide show keeps it.
class GlobalShortcuts : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Takes Ctrl+Alt with each command's key (Commands::keyName). Returns the shortcuts ("Ctrl+Alt+A") that could
    // not be had, because another program holds them or the window system has no such thing;
    // the others work.
    virtual QStringList grab(const QList<Command> &commands) = 0;

    static QString name(Command command)
    {
        const QString key = Commands::keyName(command);
        return QStringLiteral("Ctrl+Alt+") + (key.size() == 1 ? key.toUpper() : key);
    }

signals:
    // A grabbed shortcut was pressed.
    void activated(Command command);

protected:
    // For the native event filters: the command runs once the window system's event has been
    // handled, so that a question it opens does not run its event loop inside that handling.
    void deliver(Command command)
    {
        QMetaObject::invokeMethod(
            this, [this, command] { emit activated(command); }, Qt::QueuedConnection);
    }
};

namespace Platform {

// Adjusts the environment before the application object exists (the platform plugin).
void prepareEnvironment();
// From now on the signals that ask a program to end (where the system has them) end the
// event loop, as closing the window does.
void endOnTerminationSignals();
std::unique_ptr<WindowServices> createWindowServices();
std::unique_ptr<GlobalShortcuts> createGlobalShortcuts();

// The folder that holds the settings file on this platform.
QString settingsDirectory();
// Where this user's timers listen for `moriv --command`: empty when no safe place exists.
// A timer may add up to commandSocketSuffix bytes of its own to the name.
QString commandSocketName();
constexpr int commandSocketSuffix = 32;
// Whether the process is stopped by a signal (SIGSTOP): it answers nothing until continued.
// False where the system does not tell.
bool isProcessStopped(qint64 pid);
// Adds (or removes) the desktop's own shortcuts that run `program --command ...`, where the
// desktop lets a program set them, or says how to bind them; says what was done.
Outcome changeDesktopShortcuts(const QString &program, bool install);

} // namespace Platform

// The settings file is only ever a regular file. A FIFO would block a read for ever, a device
// would feed it without end, and a save would replace either with a plain file.
namespace RegularFile {

// Opens path for reading without waiting on what it names, then looks at what was opened
// (links followed). Succeeds with file open, or says why it was refused.
Outcome openForReading(QFile &file, const QString &path);

// Whether a save may replace what path names (links followed): a regular file or nothing
// yet; a folder, a FIFO or a device are refused, with what they are.
Outcome mayReplace(const QString &path);

} // namespace RegularFile

// The Chinese national code page (GBK, and GB18030 for the characters GBK lacks), in which
// the settings file is written, with the same bytes on every platform and whatever the
// system's own code page is.
namespace Gb18030 {

// Whether the system has the code page at all; without it the file is neither read nor
// written, rather than in another code page.
bool isAvailable();
// Whether the system has all of GB18030; otherwise only its two-byte part, GBK.
bool isComplete();
QByteArray encode(const QString &text);
// Bytes that are not GB18030 become replacement characters.
QString decode(const QByteArray &bytes);

} // namespace Gb18030
