// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/keymask.h"

#include <QImage>
#include <QLabel>
#include <QTest>
#include <QWidget>

// A window filled with the black that is keyed out.
static void paintBlack(QWidget &window, QSize size)
{
    window.resize(size);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, Qt::black);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}

class TestKeyMask : public QObject
{
    Q_OBJECT

private slots:
    void onlyExactBlackIsKeyedOut_data();
    void onlyExactBlackIsKeyedOut();
    void maskFollowsTheWidgetsPixels();
    void allBlackWindowKeepsOnePixelNotTheWholeWindow();
};

void TestKeyMask::onlyExactBlackIsKeyedOut_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("kept");
    QTest::newRow("black") << QColor(0, 0, 0) << false;
    QTest::newRow("red") << QColor(255, 0, 0) << true;
    QTest::newRow("darkest red") << QColor(1, 0, 0) << true;
    QTest::newRow("darkest blue") << QColor(0, 0, 1) << true;
    QTest::newRow("transparent black") << QColor(0, 0, 0, 0) << false;
}

void TestKeyMask::onlyExactBlackIsKeyedOut()
{
    QFETCH(QColor, colour);
    QFETCH(bool, kept);
    QImage image(8, 4, QImage::Format_ARGB32);
    image.fill(Qt::black);
    image.setPixelColor(3, 2, colour);
    image.setPixelColor(7, 0, Qt::white);
    const QRegion region = KeyMask::nonBlackRegion(image);
    QCOMPARE(region.contains(QPoint(3, 2)), kept);
    QVERIFY(region.contains(QPoint(7, 0)));
    QVERIFY(!region.contains(QPoint(0, 0)));
    QVERIFY(!region.contains(QPoint(4, 2)));
}

void TestKeyMask::maskFollowsTheWidgetsPixels()
{
    QWidget window;
    paintBlack(window, {120, 40});
    auto *digits = new QLabel(QStringLiteral("8"), &window);
    QPalette red = digits->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    digits->setPalette(red);
    QFont font = digits->font();
    font.setPixelSize(30);
    digits->setFont(font);
    digits->setGeometry(0, 0, 40, 40);

    KeyMask::LabelRegions labels;
    QVERIFY(KeyMask::applyColourKey(&window, labels));
    const QRegion first = window.mask();
    QVERIFY(!first.isEmpty());
    QVERIFY(first.boundingRect().right() < 40);
    const QImage drawn = KeyMask::renderWidget(&window);
    // Every pixel in the mask is drawn non-black, every pixel outside is black.
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const bool black = (drawn.pixel(x, y) & 0xffffff) == 0;
            QCOMPARE(first.contains(QPoint(x, y)), !black);
        }
    }

    QVERIFY(!KeyMask::applyColourKey(&window, labels)); // nothing changed, nothing to tell X11
    digits->move(70, 0);
    QVERIFY(KeyMask::applyColourKey(&window, labels));
    QVERIFY(window.mask().boundingRect().left() >= 70);
}

void TestKeyMask::allBlackWindowKeepsOnePixelNotTheWholeWindow()
{
    QWidget window;
    paintBlack(window, {50, 20});
    KeyMask::LabelRegions labels;
    KeyMask::applyColourKey(&window, labels);
    QCOMPARE(window.mask(), QRegion(0, 0, 1, 1));
}

QTEST_MAIN(TestKeyMask)
#include "tst_keymask.moc"
