// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1fixture.h"

#include "forms/formtimer.h"
#include "platform/windowservices.h"
#include "platform/keymask.h"
#include "settings/form2.h"
#include "settings/settingsfile.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <sys/stat.h>

class TestForm1Startup : public QObject
{
    Q_OBJECT

private slots:
    void firstRunWritesTheDefaultFileAndShowsItsMinutes();
    void designOfTheWindow();
    void windowServicesComeFirstInTheirOrder();
    void storedTextIsShownVerbatim_data();
    void storedTextIsShownVerbatim();
    void unusableSettingsShowOneMessageAndUseTheDefault_data();
    void unusableSettingsShowOneMessageAndUseTheDefault();
    void nothingCountsBeforeStart();
    void keyFollowsTheDigits();
    void realColourKeyKeepsOnlyTheDigits_data();
    void realColourKeyKeepsOnlyTheDigits();
};

void TestForm1Startup::firstRunWritesTheDefaultFileAndShowsItsMinutes()
{
    Form1Fixture fixture;
    Form1 &form = fixture.load();
    QCOMPARE(fixture.settingsBytes(), SettingsFile::defaultContents());
    QCOMPARE(form.session().bt(), QStringLiteral("倒计时标题"));
    QCOMPARE(form.session().sj(), QStringLiteral(" 3 "));
    QCOMPARE(fixture.caption("Labfen"), QStringLiteral(" 3 "));
    QCOMPARE(fixture.caption("Labmiao"), QStringLiteral("00"));
    QCOMPARE(fixture.caption("Labhm"), QStringLiteral("00"));
    QCOMPARE(form.session().m(), 59);
    QCOMPARE(form.session().hm(), 99);
    QCOMPARE(form.session().clockState(), CountdownClock::State::Ready);
    QVERIFY(fixture.messages.shown.isEmpty());
}

void TestForm1Startup::designOfTheWindow()
{
    Form1Fixture fixture;
    Form1 &form = fixture.load();
    QCOMPARE(form.objectName(), QStringLiteral("Form1"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Moriv"));
    QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(form.palette().color(QPalette::Window), QColor(Qt::black));

    for (const char *name : {"Labfen", "Labmiao", "Labhm", "Label1", "Label2"}) {
        QLabel *label = fixture.label(name);
        QVERIFY2(label, name);
        QCOMPARE(label->font().pointSizeF(), 30.0);
        QVERIFY(label->font().bold());
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    }
    // The self-sizing labels have grown to hold their 30-point text.
    for (const char *name : {"Labfen", "Labmiao", "Labhm"})
        QCOMPARE(fixture.label(name)->size(), fixture.label(name)->sizeHint());
    QCOMPARE(fixture.caption("Label2"), QStringLiteral(":"));
    for (const char *shown : {"Labfen", "Labmiao", "Label2"})
        QVERIFY2(!fixture.label(shown)->isHidden(), shown);
    for (const char *hidden : {"Labhm", "Label1"})
        QVERIFY2(fixture.label(hidden)->isHidden(), hidden);
    const QList<std::pair<const char *, QString>> buttons = {
        {"Comstart", "开始"}, {"Compause", "暂停"}, {"Comhuifu", "重置"}, {"Comgjsz", "自定义设置"}};
    for (const auto &[name, caption] : buttons) {
        auto *button = form.findChild<QPushButton *>(QLatin1String(name));
        QVERIFY2(button && button->isHidden(), name);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    }

    QCOMPARE(formTimer(form.session(), "Timer1").objectName(), QStringLiteral("Timer1"));
    QCOMPARE(formTimer(form.session(), "Timer1").Interval(), 1000);
    QCOMPARE(formTimer(form.session(), "Timer2").Interval(), 10);
    QCOMPARE(formTimer(form.session(), "Timer3").Interval(), 500);
    for (const char *name : {"Timer1", "Timer2", "Timer3"})
        QVERIFY(!formTimer(form.session(), name).Enabled());
}

void TestForm1Startup::windowServicesComeFirstInTheirOrder()
{
    Form1Fixture fixture;
    fixture.load();
    QCOMPARE(fixture.windows.calls, QStringList{"makeOverlay"});
    QVERIFY(fixture.windows.keyRefreshes > 0);
}

void TestForm1Startup::storedTextIsShownVerbatim_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("minutes");
    QTest::newRow("twenty") << QByteArray("T\r\n20\r\n") << "T" << "20";
    QTest::newRow("letters") << QByteArray("T\r\nabc\r\n") << "T" << "abc";
    QTest::newRow("blanks") << QByteArray("T\r\n  7 \r\n") << "T" << "  7 ";
    QTest::newRow("empty file") << QByteArray() << "" << "";
}

void TestForm1Startup::storedTextIsShownVerbatim()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, title);
    QFETCH(QString, minutes);
    Form1Fixture fixture;
    fixture.writeSettings(contents);
    Form1 &form = fixture.load();
    QCOMPARE(form.session().bt(), title);
    QCOMPARE(form.session().sj(), minutes);
    QCOMPARE(fixture.caption("Labfen"), minutes);
    QCOMPARE(fixture.settingsBytes(), contents); // start-up writes nothing
    QVERIFY(fixture.messages.shown.isEmpty());
}

void TestForm1Startup::unusableSettingsShowOneMessageAndUseTheDefault_data()
{
    QTest::addColumn<QString>("setup");
    QTest::newRow("a plain file where the folder should be") << "folderIsFile";
    QTest::newRow("sys.txt is a folder") << "fileIsFolder";
    QTest::newRow("sys.txt is a FIFO with no writer") << "fifo";
    QTest::newRow("sys.txt links to /dev/zero") << "zero";
}

void TestForm1Startup::unusableSettingsShowOneMessageAndUseTheDefault()
{
    QFETCH(QString, setup);
    Form1Fixture fixture;
    QVERIFY(QDir().mkpath(QFileInfo(fixture.folder()).path()));
    if (setup == "folderIsFile") {
        QFile plain(fixture.folder());
        QVERIFY(plain.open(QIODevice::WriteOnly));
    } else if (setup == "fileIsFolder") {
        QVERIFY(QDir().mkpath(fixture.settingsPath()));
    } else {
        QVERIFY(QDir().mkpath(fixture.folder()));
        const QByteArray path = QFile::encodeName(fixture.settingsPath());
        QVERIFY(setup == "fifo" ? ::mkfifo(path.constData(), 0600) == 0
                                : QFile::link("/dev/zero", fixture.settingsPath()));
    }
    // The message comes once start-up is over: while it is open, no timer runs and time
    // passing behind it changes nothing.
    bool timersOffWhileOpen = false;
    fixture.messages.whileOpen = [&] {
        Form1 &form = fixture.form();
        timersOffWhileOpen = !formTimer(form.session(), "Timer1").Enabled()
                             && !formTimer(form.session(), "Timer2").Enabled()
                             && !formTimer(form.session(), "Timer3").Enabled();
        fixture.elapse(std::chrono::seconds(3));
    };
    Form1 &form = fixture.load();
    QVERIFY(fixture.messages.shown.isEmpty());
    QTRY_COMPARE(fixture.messages.shown.size(), 1);
    QVERIFY(timersOffWhileOpen);
    QCOMPARE(fixture.messages.shown.first().kind, QStringLiteral("information"));
    QVERIFY(fixture.messages.shown.first().text.contains(
        QDir::toNativeSeparators(fixture.settingsPath())));
    QCOMPARE(form.session().bt(), QStringLiteral("倒计时标题"));
    QCOMPARE(form.session().sj(), QStringLiteral(" 3 "));
    QCOMPARE(fixture.display(), QStringLiteral(" 3 :00"));
    form.Form_KeyPress('a');
    fixture.untilNextTick();
    QCOMPARE(fixture.display(), QStringLiteral("2:59"));
    QCOMPARE(fixture.finished, 0);
    QCOMPARE(QFileInfo(fixture.settingsPath()).isSymLink(), setup == "zero");
}

void TestForm1Startup::nothingCountsBeforeStart()
{
    // A cold start may take seconds between building the window and loading it: no tick of
    // the design's armed timers fell due in that time.
    Form1Fixture fixture;
    Form1 &form = fixture.load({}, std::chrono::seconds(3));
    QVERIFY(fixture.messages.shown.isEmpty());
    QVERIFY(fixture.label("Label1")->isHidden() && !fixture.label("Label2")->isHidden());
    fixture.elapse(std::chrono::seconds(5));
    QCOMPARE(fixture.display(), QStringLiteral(" 3 :00"));
    QCOMPARE(form.hundredthsCaption(), QStringLiteral("00"));
    QVERIFY(!formTimer(form.session(), "Timer1").isWakeScheduled());
    QVERIFY(!formTimer(form.session(), "Timer2").isWakeScheduled());
}

void TestForm1Startup::keyFollowsTheDigits()
{
    Form1Fixture fixture;
    Form1 &form = fixture.load();
    const int before = fixture.windows.keyRefreshes;
    form.Comstart_Click();
    fixture.untilNextTick();
    QVERIFY(fixture.windows.keyRefreshes > before);
    QCOMPARE(fixture.windows.topmostReasserts, 1);
}

void TestForm1Startup::realColourKeyKeepsOnlyTheDigits_data()
{
    QTest::addColumn<QByteArray>("minutes");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<qreal>("scale");
    QTest::newRow("a second passes") << QByteArray("3") << "tick" << "2:59" << 1.0;
    QTest::newRow("minutes 10 -> 9") << QByteArray("10") << "tick" << "9:59" << 1.0;
    QTest::newRow("minutes 100 -> 99") << QByteArray("100") << "tick" << "99:59" << 1.0;
    QTest::newRow("reset puts the text back") << QByteArray("10") << "reset" << "10:00" << 1.0;
    QTest::newRow("a save shows the new text") << QByteArray("10") << "save" << "100:00" << 1.0;
    QTest::newRow("1 character at 200 %") << QByteArray("3") << "tick" << "2:59" << 2.0;
    QTest::newRow("4 characters") << QByteArray("1440") << "tick" << "1439:59" << 1.0;
    QTest::newRow("5 characters at 200 %") << QByteArray("32768") << "tick" << "32767:59" << 2.0;
}

void TestForm1Startup::realColourKeyKeepsOnlyTheDigits()
{
    QFETCH(QByteArray, minutes);
    QFETCH(QString, action);
    QFETCH(QString, shown);
    QFETCH(qreal, scale);
    // The window system's own services, on the window as it draws itself.
    const std::unique_ptr<WindowServices> windows = Platform::createWindowServices();
    FakeClock clock;
    FakeMessageBoxes messages;
    QTemporaryDir folder;
    QFile file(QDir(folder.path()).filePath(QStringLiteral("sys.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("T\r\n" + minutes + "\r\n");
    file.close();
    Form1 form({messages, *windows, clock, SettingsFile(folder.path())});
    Form1::RunOptions options;
    options.scale = scale;
    form.setRunOptions(options);
    form.Form_Load();
    const auto display = [&form] {
        return form.findChild<QLabel *>(QStringLiteral("Labfen"))->text().trimmed() + ':'
               + form.findChild<QLabel *>(QStringLiteral("Labmiao"))->text();
    };

    // Every pixel in the mask is pure red, every pixel outside it is black; the mouse reaches
    // the digits in one cell a character, which holds all its lit pixels.
    const auto checkKey = [&form, &display] {
        const QImage drawn = KeyMask::renderWidget(&form);
        const QRegion mask = form.mask();
        int red = 0;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                const QRgb pixel = drawn.pixel(x, y) & 0xffffff;
                QCOMPARE(mask.contains(QPoint(x, y)), pixel != 0);
                if (pixel != 0)
                    QCOMPARE(pixel, QRgb(0xff0000));
                red += pixel != 0;
            }
        }
        QVERIFY(red > 100);
        KeyMask::LabelRegions labels;
        const QRegion cells = KeyMask::cellsOf(*KeyMask::shownChildren(&form, labels));
        QVERIFY((mask - cells).isEmpty());
        int characters = 0;
        for (int x = 0, in = 0; x <= form.width(); ++x) {
            const bool column = !(cells & QRect(x, 0, 1, form.height())).isEmpty();
            characters += column && !in;
            in = column;
        }
        QCOMPARE(characters, display().size());
    };
    checkKey();
    const QRegion before = form.mask();
    form.Comstart_Click();
    clock.advance(std::chrono::seconds(1));
    formTimer(form.session(), "Timer1").catchUp();
    if (action == "reset") {
        form.Comhuifu_Click();
    } else if (action == "save") {
        form.settingsDialog().Textsj()->setText(QStringLiteral("100"));
        form.settingsDialog().Comok_Click();
    }
    QCOMPARE(display(), shown);
    QCOMPARE(form.mask() != before, action != "reset");
    checkKey();
}

QTEST_MAIN(TestForm1Startup)
#include "tst_form1startup.moc"
