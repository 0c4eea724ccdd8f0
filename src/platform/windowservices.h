// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>

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
    virtual quintptr focusedWindow() { return 0; }
    virtual void restoreFocus(quintptr) {}
};

namespace Platform {

// Adjusts the environment before the application object exists (the platform plugin).
void prepareEnvironment();
// The window services of this platform.
std::unique_ptr<WindowServices> createWindowServices();
// The folder that holds the settings file on this platform.
QString settingsDirectory();

} // namespace Platform
