// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/qtmessageboxservice.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

// The box the service has just opened, modal to the whole program.
static QMessageBox *openBox()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    return box && box->isVisible() ? box : nullptr;
}

// Asks, and returns what the answer was: -1 while none came, 0 for No, 1 for Yes.
static void ask(QtMessageBoxService &service, int &answer)
{
    answer = -1;
    service.question(QStringLiteral("?"), QStringLiteral("提示"),
                     [&answer](bool yes) { answer = yes ? 1 : 0; });
}

class TestQtMessageBoxService : public QObject
{
    Q_OBJECT

private slots:
    void questionReportsTheAnswer_data();
    void questionReportsTheAnswer();
    void informationShowsTheApplicationTitle();
    void abortedQuestionIsNeverYes();
    void questionClosedByTheProgramIsNeverYes();
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
    int answer = -1;
    service.question(QStringLiteral("您是否真的要重置时间？"), QStringLiteral("提示"),
                     [&answer](bool chose) { answer = chose; });
    QMessageBox *box = openBox();
    QVERIFY(box);
    QVERIFY(service.isOpen());
    title = box->windowTitle();
    text = box->text();
    icon = box->icon();
    QCOMPARE(answer, -1); // nothing waits for it
    box->button(static_cast<QMessageBox::StandardButton>(button))->click();
    QCOMPARE(answer, int(yes));
    QVERIFY(!service.isOpen());
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
    bool closed = false;
    service.information(QStringLiteral("倒计时时间到！！！"), [&closed] { closed = true; });
    QMessageBox *box = openBox();
    QVERIFY(box);
    title = box->windowTitle();
    icon = box->icon();
    buttons = box->buttons().size();
    QVERIFY(!closed);
    box->button(QMessageBox::Ok)->click();
    QVERIFY(closed);
    QCOMPARE(title, QStringLiteral("Moriv"));
    QCOMPARE(icon, QMessageBox::Information);
    QCOMPARE(buttons, 1);
}

void TestQtMessageBoxService::abortedQuestionIsNeverYes()
{
    QtMessageBoxService service(QStringLiteral("Moriv"));
    int answer = -1;
    ask(service, answer);
    QVERIFY(openBox());
    service.abortOpenBoxes();
    QCOMPARE(answer, 0);
    QVERIFY(!service.isOpen());
}

void TestQtMessageBoxService::questionClosedByTheProgramIsNeverYes()
{
    // A box closed with a result but no click reports that result, here Yes.
    QtMessageBoxService service(QStringLiteral("Moriv"));
    int answer = -1;
    ask(service, answer);
    QMessageBox *box = openBox();
    QVERIFY(box);
    box->done(QMessageBox::Yes); // closed by the program, not answered by the speaker
    QCOMPARE(answer, 0);
    QTRY_VERIFY(!openBox());
    // The next box is answered normally again.
    ask(service, answer);
    QTRY_VERIFY(openBox());
    openBox()->button(QMessageBox::Yes)->click();
    QCOMPARE(answer, 1);
}

QTEST_MAIN(TestQtMessageBoxService)
#include "tst_qtmessageboxservice.moc"
