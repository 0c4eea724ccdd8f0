// SPDX-License-Identifier: GPL-3.0-or-later
// Window services for Windows: the user32 calls on the timer window's handle.
#include "win32window.h"
#include "windowservices.h"

#include <QString>
#include <QWidget>

namespace {

void *handleOf(QWidget *window)
{
    return reinterpret_cast<void *>(window->winId());
}

class WindowsWindowServices final : public WindowServices
{
public:
    void makeTopmost(QWidget *window) override
    {
        // Qt is told too, so that it keeps the band when it shows the window.
        window->setWindowFlags(window->windowFlags() | Qt::WindowStaysOnTopHint);
        Win32Window::makeTopmost(handleOf(window));
    }

    void makeLayered(QWidget *window) override { Win32Window::makeLayered(handleOf(window)); }

    void keyOutBlack(QWidget *window) override { Win32Window::keyOutBlack(handleOf(window)); }

    void refreshKeyOut(QWidget *) override
    {
        // The colour key applies to every frame the window draws: nothing to follow.
    }

    void reassertTopmost(QWidget *window) override
    {
        if (window->isVisible())
            Win32Window::reassertTopmost(handleOf(window));
    }
};

} // namespace

namespace Platform {

void prepareEnvironment()
{
}

std::unique_ptr<WindowServices> createWindowServices()
{
    return std::make_unique<WindowsWindowServices>();
}

QString settingsDirectory()
{
    return QString::fromStdWString(
        Win32Window::settingsDirectory(L"D:\\", Win32Window::localAppDataDirectory()));
}

} // namespace Platform
