// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/qtmessageboxservice.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

// Finds the open message box once the service has shown it, and acts on it.
static void whenBoxOpens(std::function<void(QMessageBox *)> act)
{
    QTimer::singleShot(0, [act] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        act(box);
    });
}

class TestQtMessageBoxService : public QObject
{
    Q_OBJECT

private slots:
    void questionReportsTheAnswer_data();
    void questionReportsTheAnswer();
    void informationShowsTheApplicationTitle();
    void abortedQuestionIsNeverYes();
    void abortedQuestionWhoseLoopIsQuitIsNeverYes();
};

void TestQtMessageBoxService::questionReportsTheAnswer_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << int(QMessageBox::Yes) << true;
    QTest::newRow("No") << int(QMessageBox::No) << false;
}

void TestQtMessageBoxService::questionReportsTheAnswer()
{
    QFETCH(int, button);
    QFETCH(bool, yes);
    QtMessageBoxService service(QStringLiteral("Moriv"));
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenBoxOpens([&](QMessageBox *box) {
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        box->button(static_cast<QMessageBox::StandardButton>(button))->click();
    });
    QCOMPARE(service.question(QStringLiteral("您是否真的要重置时间？"), QStringLiteral("提示")), yes);
    QCOMPARE(title, QStringLiteral("提示"));
    QCOMPARE(text, QStringLiteral("您是否真的要重置时间？"));
    QCOMPARE(icon, QMessageBox::Question);
}

void TestQtMessageBoxService::informationShowsTheApplicationTitle()
{
    QtMessageBoxService service(QStringLiteral("Moriv"));
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    whenBoxOpens([&](QMessageBox *box) {
        title = box->windowTitle();
        icon = box->icon();
        buttons = box->buttons().size();
        box->button(QMessageBox::Ok)->click();
    });
    service.information(QStringLiteral("倒计时时间到！！！"));
    QCOMPARE(title, QStringLiteral("Moriv"));
    QCOMPARE(icon, QMessageBox::Information);
    QCOMPARE(buttons, 1);
}

void TestQtMessageBoxService::abortedQuestionIsNeverYes()
{
    QtMessageBoxService service(QStringLiteral("Moriv"));
    whenBoxOpens([&](QMessageBox *) { service.abortOpenBoxes(); });
    QVERIFY(!service.question(QStringLiteral("?"), QStringLiteral("提示")));
}

void TestQtMessageBoxService::abortedQuestionWhoseLoopIsQuitIsNeverYes()
{
    // A box whose loop ends from outside reports its default button, here Yes.
    QtMessageBoxService service(QStringLiteral("Moriv"));
    whenBoxOpens([&](QMessageBox *box) {
        service.abortOpenBoxes();
        box->done(QMessageBox::Yes);
    });
    QVERIFY(!service.question(QStringLiteral("?"), QStringLiteral("提示")));
    // The next box is answered normally again.
    whenBoxOpens([](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
    QVERIFY(service.question(QStringLiteral("?"), QStringLiteral("提示")));
}

QTEST_MAIN(TestQtMessageBoxService)
#include "tst_qtmessageboxservice.moc"
