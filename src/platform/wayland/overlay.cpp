// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wayland/overlay.h"

#include "platform/keymask.h"

#include <LayerShellQt/Window>

#include <QApplication>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <wayland-client.h>

#include <cstring>

namespace {

// The layer surface is placed by its margins from the screen's top left corner: the window's
// place, wherever it is moved to.
class Placement final : public QObject
{
public:
    Placement(QWidget *window, LayerShellQt::Window *layer)
        : QObject(window)
        , m_window(window)
        , m_layer(layer)
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        // The compositor's own geometry changes say nothing of the place: only the
        // program's moves count.
        if ((event->type() == QEvent::Move && !event->spontaneous())
            || event->type() == QEvent::Show) {
            const QScreen *screen = m_window->screen();
            const QPoint offset =
                m_window->pos() - (screen ? screen->geometry().topLeft() : QPoint());
            m_layer->setMargins(QMargins(offset.x(), offset.y(), 0, 0));
        }
        return false;
    }

private:
    QWidget *m_window;
    LayerShellQt::Window *m_layer;
};

// Qt's Wayland buffers keep old pixels where a translucent window paints: the buffer that
// comes back from the compositor is not cleared before the window draws into it, so a 3 that
// became a 2 kept a segment, and 59 over 00 read 88. The window's paint starts by making
// what it repaints fully transparent.
class ClearedPaint final : public QObject
{
public:
    explicit ClearedPaint(QWidget *window)
        : QObject(window)
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            QPainter painter(static_cast<QWidget *>(watched));
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.setClipRegion(static_cast<QPaintEvent *>(event)->region());
            painter.fillRect(static_cast<QWidget *>(watched)->rect(), Qt::transparent);
        }
        return false;
    }
};

// A Wayland client cannot raise its windows: the compositor stacks a full-screen show above
// the settings dialog, the question and the messages, where nobody can answer them (sway keeps
// them under the show, KWin too once the show starts after them). So they float on the overlay
// layer as the digits do, centred, and take the keyboard only when the speaker clicks them.
class DialogsOnOverlay final : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The show event comes before the window is mapped, while its role can still be set.
        auto *widget = qobject_cast<QWidget *>(watched);
        if ((event->type() != QEvent::Show && event->type() != QEvent::Hide) || !widget
            || !widget->isWindow() || widget->windowType() != Qt::Dialog)
            return false;
        if (event->type() == QEvent::Hide) {
            // A hidden window comes back as an ordinary one (KWin showed the settings dialog
            // the second time under the show): it is made afresh at its next show.
            if (QWindow *handle = widget->windowHandle()) {
                delete handle->findChild<LayerShellQt::Window *>();
                handle->destroy();
            }
            return false;
        }
        widget->winId();
        LayerShellQt::Window *layer = LayerShellQt::Window::get(widget->windowHandle());
        layer->setLayer(LayerShellQt::Window::LayerOverlay);
        layer->setKeyboardInteractivity(LayerShellQt::Window::KeyboardInteractivityOnDemand);
        layer->setScope(QStringLiteral("moriv-dialog"));
        layer->setAnchors({});
        return false;
    }
};

class OverlayWindowServices final : public WindowServices
{
public:
    // Not a normal window at all: the overlay layer is above full-screen windows, and the
    // compositor never gives it the keyboard; it takes clicks only in the digits' cells.
    void makeOverlay(QWidget *window) override
    {
        // The compositor blends the window's pixels: around the digits they are fully
        // transparent, with no background drawn, so there is nothing to key out.
        drawTranslucent(window);
        new ClearedPaint(window);
        window->setWindowFlags(window->windowFlags() | Qt::FramelessWindowHint
                               | Qt::WindowDoesNotAcceptFocus);
        window->winId();
        LayerShellQt::Window *layer = LayerShellQt::Window::get(window->windowHandle());
        layer->setLayer(LayerShellQt::Window::LayerOverlay);
        layer->setKeyboardInteractivity(LayerShellQt::Window::KeyboardInteractivityNone);
        layer->setScope(QStringLiteral("moriv"));
        layer->setExclusiveZone(-1); // over panels too, where it was put
        layer->setAnchors(LayerShellQt::Window::Anchors(LayerShellQt::Window::AnchorTop)
                          | LayerShellQt::Window::AnchorLeft);
        new Placement(window, layer);
        qApp->installEventFilter(new DialogsOnOverlay(window));
    }

    // The buffers take turns with the compositor, and the one drawn into may hold pixels of
    // a frame before the last: the whole strip (a few thousand pixels, once a second) is
    // repainted, so that none of them stays.
    void digitsChanged(QWidget *window) override
    {
        window->update();
        // The input region: a right-click in the digits' cells opens the menu, and one
        // anywhere else reaches the slide show below.
        const std::optional<KeyMask::LabelRegions::Shown> shown =
            KeyMask::shownChildren(window, m_labels);
        QWindow *handle = window->windowHandle();
        if (!shown || !handle)
            return;
        QRegion cells = KeyMask::cellsOf(*shown) & window->rect();
        if (cells.isEmpty())
            cells = QRegion(0, 0, 1, 1); // an empty mask would take clicks everywhere
        if (cells != handle->mask())
            handle->setMask(cells);
    }
    void keepOnTop(QWidget *) override {}

    // The overlay never has the keyboard, and a Wayland client cannot give it to another.
    quintptr focusedWindow() override { return 0; }
    void giveKeyboardTo(quintptr) override {}
    // A Wayland compositor tells no client about the others' windows.
    bool isShowFullScreen(QWidget *) override { return false; }

private:
    KeyMask::LabelRegions m_labels;
};

void announced(void *data, wl_registry *, uint32_t, const char *interface, uint32_t)
{
    if (std::strcmp(interface, "zwlr_layer_shell_v1") == 0)
        *static_cast<bool *>(data) = true;
}

void withdrawn(void *, wl_registry *, uint32_t) {}

} // namespace

namespace WaylandOverlay {

bool isOffered()
{
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return false;
    bool offered = false;
    static const wl_registry_listener listener = {announced, withdrawn};
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &offered);
    wl_display_roundtrip(display);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return offered;
}

std::unique_ptr<WindowServices> createWindowServices()
{
    return std::make_unique<OverlayWindowServices>();
}

} // namespace WaylandOverlay
