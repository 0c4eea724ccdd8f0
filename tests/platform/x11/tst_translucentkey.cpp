// SPDX-License-Identifier: GPL-3.0-or-later
// The keyed-out window as a compositor sees it: its whole pixmap, shape or no shape. Runs on
// a real X server (Xvfb) with the xcb platform.
#include "platform/windowservices.h"

#include <QGuiApplication>
#include <QLabel>
#include <QTest>
#include <QWidget>

#include <xcb/composite.h>
#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <cstdlib>

class TestTranslucentKey : public QObject
{
    Q_OBJECT

private slots:
    void textChangeLeavesNoPixelOfTheOldText();
};

namespace {

xcb_connection_t *connection()
{
    return qApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

// The window's pixmap as XWayland or any compositor reads it, outside the shape included.
QImage windowPixmap(QWidget &window)
{
    xcb_connection_t *x = connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_pixmap_t pixmap = xcb_generate_id(x);
    xcb_composite_name_window_pixmap(x, id, pixmap);
    const int width = window.width();
    xcb_get_image_reply_t *reply = xcb_get_image_reply(
        x, xcb_get_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, 0, 0, width, window.height(), ~0u),
        nullptr);
    xcb_free_pixmap(x, pixmap);
    if (!reply || reply->depth != 32) {
        std::free(reply);
        return {};
    }
    QImage image = QImage(xcb_get_image_data(reply), width, window.height(), width * 4,
                          QImage::Format_ARGB32_Premultiplied).copy();
    std::free(reply);
    return image;
}

// The window's shape as the X server holds it.
QRegion windowShape(QWidget &window)
{
    xcb_connection_t *x = connection();
    xcb_shape_get_rectangles_reply_t *reply = xcb_shape_get_rectangles_reply(
        x, xcb_shape_get_rectangles(x, static_cast<xcb_window_t>(window.winId()),
                                    XCB_SHAPE_SK_BOUNDING),
        nullptr);
    QRegion shape;
    const xcb_rectangle_t *rectangles = reply ? xcb_shape_get_rectangles_rectangles(reply) : nullptr;
    for (int i = 0; reply && i < xcb_shape_get_rectangles_rectangles_length(reply); ++i)
        shape += QRect(rectangles[i].x, rectangles[i].y, rectangles[i].width,
                       rectangles[i].height);
    std::free(reply);
    return shape;
}

} // namespace

void TestTranslucentKey::textChangeLeavesNoPixelOfTheOldText()
{
    const std::unique_ptr<WindowServices> services = Platform::createWindowServices();
    QWidget window(nullptr, Qt::FramelessWindowHint);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, Qt::black);
    window.setPalette(palette);
    window.setGeometry(20, 20, 120, 50);
    // The old text lights segments that the new one does not.
    auto *digits = new QLabel(QStringLiteral("88"), &window);
    QPalette red = digits->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    digits->setPalette(red);
    QFont font = digits->font();
    font.setPixelSize(40);
    font.setStyleStrategy(QFont::NoAntialias);
    digits->setFont(font);
    digits->setGeometry(0, 0, 120, 50);
    services->makeOverlay(&window);
    // Redirected, as XWayland redirects every window: its pixels go to a pixmap of its own.
    xcb_composite_redirect_window(connection(), static_cast<xcb_window_t>(window.winId()),
                                  XCB_COMPOSITE_REDIRECT_MANUAL);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // Pixels outside the shape that are not transparent, plus lit ones that are not red.
    const auto wrongPixels = [&window] {
        const QImage shown = windowPixmap(window);
        if (shown.isNull())
            return -1; // not a 32-bit window
        const QRegion lit = windowShape(window);
        int wrong = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb pixel = shown.pixel(x, y);
                wrong += lit.contains(QPoint(x, y)) ? pixel != qRgb(255, 0, 0)
                                                    : qAlpha(pixel) != 0;
            }
        }
        return wrong;
    };
    QTRY_COMPARE(wrongPixels(), 0);

    digits->setText(QStringLiteral("11"));
    services->digitsChanged(&window);
    QTRY_COMPARE(wrongPixels(), 0);
}

QTEST_MAIN(TestTranslucentKey)
#include "tst_translucentkey.moc"
