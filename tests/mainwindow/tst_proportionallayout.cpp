// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1fixture.h"
#include "mainwindow/proportionallayout.h"

#include <QLabel>
#include <QTest>
#include <QWidget>

class TestProportionalLayout : public QObject
{
    Q_OBJECT

private slots:
    void placements_data();
    void placements();
    void fractionsOutsideTheWindowAreKept();
    void emptyAreaAndBackRestoresExactly();
    void repeatedResizingDoesNotDrift();
    void controlsWithoutARecordAreLeftAlone();
    void timerWindowKeepsItsFontAndHiddenControls();
    void minutesNeverReachTheSeconds_data();
    void minutesNeverReachTheSeconds();
};

void TestProportionalLayout::placements_data()
{
    QTest::addColumn<QSize>("inner");
    QTest::addColumn<QRect>("expected");
    // Captured at 200 × 100 with the control at (20, 10) sized 60 × 30.
    QTest::newRow("capture size") << QSize(200, 100) << QRect(20, 10, 60, 30);
    QTest::newRow("double width") << QSize(400, 100) << QRect(40, 10, 120, 30);
    QTest::newRow("double height") << QSize(200, 200) << QRect(20, 20, 60, 60);
    QTest::newRow("half") << QSize(100, 50) << QRect(10, 5, 30, 15);
}

void TestProportionalLayout::placements()
{
    QFETCH(QSize, inner);
    QFETCH(QRect, expected);
    QWidget window;
    auto *control = new QWidget(&window);
    control->setGeometry(20, 10, 60, 30);
    ProportionalLayout layout;
    layout.CaptureLayout(QSize(200, 100), {control});
    const ControlRatio ratio = layout.ratios().front();
    QCOMPARE(ratio.WidthRatio, 0.3f);
    QCOMPARE(ratio.HeightRatio, 0.3f);
    QCOMPARE(ratio.LeftRatio, 0.1f);
    QCOMPARE(ratio.TopRatio, 0.1f);
    layout.apply(inner, {control});
    QCOMPARE(control->geometry(), expected);
}

void TestProportionalLayout::fractionsOutsideTheWindowAreKept()
{
    QWidget window;
    auto *above = new QWidget(&window);
    above->setGeometry(10, -8, 20, 40);
    auto *beyond = new QWidget(&window);
    beyond->setGeometry(150, 120, 10, 10);
    ProportionalLayout layout;
    layout.CaptureLayout(QSize(100, 40), {above, beyond});
    QCOMPARE(layout.ratios()[0].TopRatio, -0.2f);
    QVERIFY(layout.ratios()[1].LeftRatio > 1.0f);
    QVERIFY(layout.ratios()[1].TopRatio > 1.0f);
    layout.apply(QSize(200, 80), {above, beyond});
    QCOMPARE(above->geometry(), QRect(20, -16, 40, 80));
    QCOMPARE(beyond->geometry(), QRect(300, 240, 20, 20));
}

void TestProportionalLayout::emptyAreaAndBackRestoresExactly()
{
    QWidget window;
    auto *control = new QWidget(&window);
    control->setGeometry(16, 8, 40, 40);
    ProportionalLayout layout;
    layout.CaptureLayout(QSize(120, 48), {control});
    layout.apply(QSize(0, 0), {control});
    QCOMPARE(control->geometry(), QRect(0, 0, 0, 0));
    layout.apply(QSize(120, 48), {control});
    QCOMPARE(control->geometry(), QRect(16, 8, 40, 40));

    // Captured on an empty area, every fraction stays 0.
    ProportionalLayout empty;
    empty.CaptureLayout(QSize(0, 0), {control});
    QCOMPARE(empty.ratios().front().WidthRatio, 0.0f);
    QCOMPARE(empty.ratios().front().LeftRatio, 0.0f);
}

void TestProportionalLayout::repeatedResizingDoesNotDrift()
{
    QWidget window;
    auto *control = new QWidget(&window);
    control->setGeometry(17, 5, 33, 29);
    ProportionalLayout layout;
    layout.CaptureLayout(QSize(119, 40), {control});
    for (int width = 37; width < 1000; width += 53)
        layout.apply(QSize(width, width / 3), {control});
    layout.apply(QSize(119, 40), {control});
    QCOMPARE(control->geometry(), QRect(17, 5, 33, 29));
}

void TestProportionalLayout::controlsWithoutARecordAreLeftAlone()
{
    QWidget window;
    auto *first = new QWidget(&window);
    first->setGeometry(10, 10, 10, 10);
    auto *late = new QWidget(&window);
    late->setGeometry(30, 5, 7, 7);
    ProportionalLayout layout;
    layout.CaptureLayout(QSize(100, 100), {first});
    layout.apply(QSize(200, 200), {first, late});
    QCOMPARE(first->geometry(), QRect(20, 20, 20, 20));
    QCOMPARE(late->geometry(), QRect(30, 5, 7, 7));
}

void TestProportionalLayout::timerWindowKeepsItsFontAndHiddenControls()
{
    Form1Fixture fixture;
    Form1 &form = fixture.load();
    form.show();
    const QSize captured = form.size();
    const QRect minutes = fixture.label("Labfen")->geometry();
    QCOMPARE(form.layout().ratios().size(), size_t(form.controls().size()));
    form.resize(captured.width() * 2, captured.height());
    QCOMPARE(fixture.label("Labfen")->x(), minutes.x() * 2);
    QCOMPARE(fixture.label("Labfen")->width(), minutes.width() * 2);
    QCOMPARE(fixture.label("Labfen")->y(), minutes.y());
    for (const char *name : {"Labfen", "Labmiao", "Label2"})
        QCOMPARE(fixture.label(name)->font().pointSizeF(), 30.0);
    for (const char *name : {"Labhm", "Label1"})
        QVERIFY(fixture.label(name)->isHidden());
    form.resize(captured);
    QCOMPARE(fixture.label("Labfen")->geometry(), minutes);
}

// Minutes of one to five characters, and past zero, at several scales: the window grows right
// of the minutes (to the left, as in a right-hand corner) and nothing overlaps.
void TestProportionalLayout::minutesNeverReachTheSeconds_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("minutes"); // shown while counting; negative: past zero
    for (const double scale : {0.5, 1.0, 2.5, 8.0})
        for (const int minutes : {1, 59, 120, 1439, 32768, -9, -10, -999})
            QTest::addRow("%d at %g", minutes, scale) << scale << minutes;
}

void TestProportionalLayout::minutesNeverReachTheSeconds()
{
    QFETCH(double, scale);
    QFETCH(int, minutes);
    Form1Fixture fixture;
    Form1 &form = fixture.load({QStringLiteral("1"), 1, scale, true, std::nullopt});
    form.setGrowsLeftward(true);
    form.move(2000, 0);
    form.show();
    const QRect design = form.geometry();
    const QRect fen0 = fixture.label("Labfen")->geometry();
    const QRect colon0 = fixture.label("Label2")->geometry();
    const QRect seconds0 = fixture.label("Labmiao")->geometry();
    QLabel twoCharacters(QStringLiteral("10")); // the room the design gives the minutes
    twoCharacters.setFont(fixture.label("Labfen")->font());
    twoCharacters.adjustSize();
    const int gap = colon0.left() - (fen0.x() + twoCharacters.width() - 1);
    form.Comstart_Click();
    for (int more = 1; more < minutes; ++more)
        form.session().more();
    if (minutes < 0)
        fixture.elapse(std::chrono::seconds(61));
    for (int over = 0; over > minutes; --over)
        form.session().less();
    const QString shown = QString::number(minutes);
    QCOMPARE(fixture.caption("Labfen"), shown);
    const QRect fen = fixture.label("Labfen")->geometry();
    const QRect colon = fixture.label("Label2")->geometry();
    const QRect seconds = fixture.label("Labmiao")->geometry();
    QCOMPARE(form.geometry().right(), design.right());
    if (shown.size() <= 2) {
        QCOMPARE(form.geometry(), design);
        QCOMPARE(colon, colon0);
    } else if (gap > 0) { // where the digits' face fits the design (where it is installed):
        // the gap to the colon that two characters have, the rest as designed, no overlap
        QCOMPARE(colon.left() - fen.right(), gap);
        QCOMPARE(seconds.left() - colon.left(), seconds0.left() - colon0.left());
        QVERIFY(fen.right() < colon.left() && colon.right() < seconds.left());
    }
}

QTEST_MAIN(TestProportionalLayout)
#include "tst_proportionallayout.moc"
