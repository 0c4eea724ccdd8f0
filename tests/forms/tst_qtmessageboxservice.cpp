// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/qtmessageboxservice.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>

// The box the service has just opened, modal to the whole program.
static QMessageBox *openBox()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    return box && box->isVisible() ? box : nullptr;
}

class TestQtMessageBoxService : public QObject
{
    Q_OBJECT

private slots:
    void questionReportsTheAnswer_data();
    void questionReportsTheAnswer();
    void informationShowsTheApplicationTitle();
};

void TestQtMessageBoxService::questionReportsTheAnswer_data()
{
    QTest::addColumn<QString>("close"); // a button clicked, or how the program closed it
    QTest::addColumn<int>("answer");    // 1 Yes, 0 No
    QTest::newRow("Yes") << "Yes" << 1;
    QTest::newRow("No") << "No" << 0;
    QTest::newRow("aborted") << "abort" << 0;
    // A box closed with a result but no click reports that result, here Yes.
    QTest::newRow("closed by the program with Yes") << "done Yes" << 0;
}

void TestQtMessageBoxService::questionReportsTheAnswer()
{
    QFETCH(QString, close);
    QFETCH(int, answer);
    QtMessageBoxService service(QStringLiteral("Moriv"));
    int answered = -1;
    const auto ask = [&] {
        service.question(QStringLiteral("您是否真的要重置时间？"), QStringLiteral("提示"),
                         [&answered](bool yes) { answered = yes; });
    };
    ask();
    QMessageBox *box = openBox();
    QVERIFY(box && service.isOpen());
    QCOMPARE(box->windowTitle(), QStringLiteral("提示"));
    QCOMPARE(box->text(), QStringLiteral("您是否真的要重置时间？"));
    QCOMPARE(box->icon(), QMessageBox::Question);
    QCOMPARE(answered, -1); // nothing waits for it
    if (close == "abort")
        service.abortOpenBoxes();
    else if (close == "done Yes")
        box->done(QMessageBox::Yes);
    else
        box->button(close == "Yes" ? QMessageBox::Yes : QMessageBox::No)->click();
    QCOMPARE(answered, answer);
    QVERIFY(!service.isOpen());
    // The next box is answered normally again.
    QTRY_VERIFY(!openBox());
    ask();
    QTRY_VERIFY(openBox());
    openBox()->button(QMessageBox::Yes)->click();
    QCOMPARE(answered, 1);
}

void TestQtMessageBoxService::informationShowsTheApplicationTitle()
{
    QtMessageBoxService service(QStringLiteral("Moriv"));
    bool closed = false;
    service.information(QStringLiteral("倒计时时间到！！！"), [&closed] { closed = true; });
    QMessageBox *box = openBox();
    QVERIFY(box);
    QCOMPARE(box->windowTitle(), QStringLiteral("Moriv"));
    QCOMPARE(box->icon(), QMessageBox::Information);
    QCOMPARE(box->buttons().size(), 1);
    QVERIFY(!closed);
    box->button(QMessageBox::Ok)->click();
    QVERIFY(closed);
}

QTEST_MAIN(TestQtMessageBoxService)
#include "tst_qtmessageboxservice.moc"
