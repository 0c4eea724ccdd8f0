// SPDX-License-Identifier: GPL-3.0-or-later
// Window services for Windows: the user32 calls on the timer window's handle.
#include "platform/keymask.h"
#include "platform/process.h"
#include "platform/windowservices.h"
#include "platform/windows/win32window.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QPainter>
#include <QPaintEvent>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <QWindow>

namespace {

void *handleOf(QWidget *window)
{
    return reinterpret_cast<void *>(window->winId());
}

// A right-click on the digits opens the timer's menu and leaves the keyboard with the slide
// show: Windows would make the clicked window the active one.
class RightClickKeepsActivation final : public QAbstractNativeEventFilter
{
public:
    explicit RightClickKeepsActivation(QWidget *window) : m_window(window) {}

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *result) override
    {
        long long answer = 0;
        if (type != "windows_generic_MSG" || !m_window
            || !m_window->testAttribute(Qt::WA_WState_Created)
            || !Win32Window::keepsActivation(message, handleOf(m_window), &answer))
            return false;
        *result = qintptr(answer);
        return true;
    }

private:
    QPointer<QWidget> m_window;
};

// Windows gives a layered window the clicks on its pixels that are not fully transparent:
// the digits' cells, hollows included, are filled with black at the least alpha there is
// before the digits are drawn, which no eye tells from the slide below.
class ReachableCells final : public QObject
{
public:
    explicit ReachableCells(QWidget *window)
        : QObject(window)
    {
        window->installEventFilter(this);
    }

    void setCells(const QRegion &cells) { m_cells = cells; }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            QPainter painter(static_cast<QWidget *>(watched));
            painter.setClipRegion(static_cast<QPaintEvent *>(event)->region() & m_cells);
            for (const QRect &cell : m_cells)
                painter.fillRect(cell, QColor(0, 0, 0, 1));
        }
        return false;
    }

private:
    QRegion m_cells;
};

class WindowsWindowServices final : public WindowServices
{
public:
    ~WindowsWindowServices() override
    {
        if (m_rightClick)
            qApp->removeNativeEventFilter(m_rightClick.get());
    }

    void makeOverlay(QWidget *window) override
    {
        // A colour key set by hand (WS_EX_LAYERED with LWA_COLORKEY) does not last: Qt
        // decides the layered style again on every flush of a frameless window and takes it
        // away. A translucent window is one Qt keeps layered itself, drawn with per-pixel
        // alpha; it draws no background, so the black around the digits is fully transparent.
        // Windows neither draws nor hit-tests the fully transparent pixels of a layered window:
        // clicks there reach the window below.
        drawTranslucent(window);
        // Qt is told too, so that it keeps the band when it shows the window.
        window->setWindowFlags(window->windowFlags() | Qt::WindowStaysOnTopHint);
        Win32Window::makeTopmost(handleOf(window));
        m_rightClick = std::make_unique<RightClickKeepsActivation>(window);
        qApp->installNativeEventFilter(m_rightClick.get());
        // Where the alpha is not blended, the cells' faint black would be drawn black: there
        // only the lit pixels take the clicks.
        if (!Win32Window::drawsWithoutDesktopCompositor())
            m_cells = new ReachableCells(window);
    }

    void digitsChanged(QWidget *window) override
    {
        // The transparency goes with every frame the window draws; the cells that take the
        // clicks follow the digits.
        const std::optional<KeyMask::LabelRegions::Shown> shown =
            KeyMask::shownChildren(window, m_labels);
        if (!m_cells || !shown)
            return;
        const QRegion cells = KeyMask::cellsOf(*shown) & window->rect();
        if (cells == m_shownCells)
            return;
        window->update(m_shownCells.xored(cells));
        m_shownCells = cells;
        m_cells->setCells(cells);
    }

    void keepOnTop(QWidget *window) override
    {
        if (!window->isVisible())
            return;
        Win32Window::reassertTopmost(handleOf(window));
        // The settings dialog, the question and the messages stay above a slide show that
        // raised itself, and an open menu above the strip; none of them takes the keyboard.
        for (QWidget *own : QApplication::topLevelWidgets())
            if (own != window && own->isVisible() && own->windowType() == Qt::Dialog)
                Win32Window::reassertTopmost(handleOf(own));
        for (QWidget *own : QApplication::topLevelWidgets())
            if (own->isVisible() && own->windowType() == Qt::Popup)
                Win32Window::reassertTopmost(handleOf(own));
    }

    quintptr focusedWindow() override
    {
        return reinterpret_cast<quintptr>(Win32Window::foregroundWindow());
    }

    void giveKeyboardTo(quintptr window) override
    {
        if (window)
            Win32Window::restoreForeground(reinterpret_cast<void *>(window));
    }

    bool isShowFullScreen(QWidget *window) override
    {
        void *foreground = Win32Window::foregroundWindow();
        if (isOwnWindow(reinterpret_cast<quintptr>(foreground)))
            return false;
        return Win32Window::coversMonitorOf(foreground, handleOf(window));
    }

private:
    std::unique_ptr<RightClickKeepsActivation> m_rightClick;
    QPointer<ReachableCells> m_cells;
    KeyMask::LabelRegions m_labels;
    QRegion m_shownCells;
};

} // namespace

namespace Platform {

void prepareEnvironment()
{
}

void endOnTerminationSignals()
{
    // Windows ends a session with window messages, which Qt turns into closing the windows.
}

std::unique_ptr<WindowServices> createWindowServices()
{
    return std::make_unique<WindowsWindowServices>();
}

} // namespace Platform
