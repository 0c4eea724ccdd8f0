// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/form2.h"
#include "support/fakemessageboxes.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QAbstractButton>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Records what the dialog said it saved.
struct RecordingDisplay
{
    QStringList calls;
    QString minutesShown;
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void formHasItsDesign();
    void firstReadOfTheMinutesBoxLoadsHidden();
    void defaultMinutesKeepTheirBlanks();
    void saveWritesStopsShowsAndAsksForReset();
    void saveEmptyMinutes();
    void titleSurvivesManySaves();
    void closingAfterAnEditWritesNothing();
    void minutesHolderAcrossAnEmptyFile();
    void failedSaveKeepsTheDialogOpenAndTellsWhy();
    void opensWithFocusOnSaveAndTabMovesToTheMinutes();
    void returnInTheMinutesBoxSaves();
    void escapeClosesWithoutSaving();

private:
    void writeFile(const QByteArray &bytes);
    // Runs the dialog modally; act runs once it is up.
    void showAndAct(const std::function<void()> &act);

    std::unique_ptr<QTemporaryDir> m_temp;
    std::unique_ptr<FakeMessageBoxes> m_messages;
    std::unique_ptr<RecordingDisplay> m_display;
    std::unique_ptr<Form2> m_form;
    QString m_folder;
};

void TestForm2::init()
{
    m_temp = std::make_unique<QTemporaryDir>();
    m_folder = m_temp->filePath(QStringLiteral("MorivTemp"));
    QVERIFY(QDir().mkpath(m_folder));
    writeFile(SettingsFile::encode(QStringLiteral("我的标题")) + "\r\n10\r\n");
    m_messages = std::make_unique<FakeMessageBoxes>();
    m_display = std::make_unique<RecordingDisplay>();
    m_form = std::make_unique<Form2>(SettingsFile(m_folder), *m_messages);
    QObject::connect(m_form.get(), &Form2::saved, [display = m_display.get()](const QString &m) {
        display->minutesShown = m;
        display->calls << QStringLiteral("saved ") + m;
    });
}

void TestForm2::cleanup()
{
    m_form.reset();
}

void TestForm2::writeFile(const QByteArray &bytes)
{
    QFile file(QDir(m_folder).filePath(QStringLiteral("sys.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void TestForm2::showAndAct(const std::function<void()> &act)
{
    m_form->openModal();
    QVERIFY(m_form->isVisible());
    act();
}

void TestForm2::formHasItsDesign()
{
    QCOMPARE(m_form->objectName(), QStringLiteral("Form2"));
    QCOMPARE(m_form->windowTitle(), QStringLiteral("自定义设置"));
    QCOMPARE(m_form->size(), QSize(734, 483));
    auto *frame = m_form->findChild<QGroupBox *>(QStringLiteral("Frame1"));
    QVERIFY(frame);
    QCOMPARE(frame->title(), QStringLiteral("自定义设置"));
    auto *textsj = m_form->findChild<QLineEdit *>(QStringLiteral("Textsj"));
    QVERIFY(textsj);
    QCOMPARE(textsj->parentWidget(), frame);
    QCOMPARE(textsj->geometry(), QRect(224, 40, 241, 33));
    QCOMPARE(textsj->alignment(), Qt::AlignCenter);
    QCOMPARE(textsj->palette().color(QPalette::Text), QColor(255, 0, 0));
    m_form->show(); // the faces are set when the dialog first shows
    m_form->hide();
    QCOMPARE(textsj->font().pointSizeF(), 15.0);
    QVERIFY(textsj->font().bold());
    auto *comok = m_form->findChild<QAbstractButton *>(QStringLiteral("Comok"));
    QVERIFY(comok);
    QCOMPARE(comok->text(), QStringLiteral("保存设置"));
    QVERIFY(!comok->icon().isNull());
    auto *prompt = m_form->findChild<QLabel *>(QStringLiteral("Label2"));
    QCOMPARE(prompt->text(), QStringLiteral("设置倒计时时间(分钟)——>"));
    QCOMPARE(prompt->palette().color(QPalette::WindowText),
             QGuiApplication::palette().color(QPalette::WindowText));
    QCOMPARE(frame->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    for (const char *hidden : {"Textbt", "Label1", "Comfont", "Comimg"}) {
        auto *widget = m_form->findChild<QWidget *>(QLatin1String(hidden));
        QVERIFY2(widget && widget->isHidden(), hidden);
    }
}

void TestForm2::firstReadOfTheMinutesBoxLoadsHidden()
{
    QVERIFY(!m_form->isLoaded());
    QCOMPARE(m_form->Textsj()->text(), QStringLiteral("10"));
    QVERIFY(m_form->isLoaded());
    QVERIFY(!m_form->isVisible());
    QCOMPARE(m_form->Textbt()->text(), QStringLiteral("我的标题"));
    // A loaded dialog is not loaded again: the file is read once.
    writeFile("x\r\n99\r\n");
    QCOMPARE(m_form->Textsj()->text(), QStringLiteral("10"));
}

void TestForm2::defaultMinutesKeepTheirBlanks()
{
    writeFile(SettingsFile::defaultContents());
    QCOMPARE(m_form->Textsj()->text(), QStringLiteral(" 3 "));
}

void TestForm2::saveWritesStopsShowsAndAsksForReset()
{
    showAndAct([this] {
        m_form->Textsj()->setText(QStringLiteral("15"));
        QTest::mouseClick(m_form->findChild<QAbstractButton *>(QStringLiteral("Comok")),
                          Qt::LeftButton);
    });
    QCOMPARE(readAll(QDir(m_folder).filePath(QStringLiteral("sys.txt"))),
             SettingsFile::encode(QStringLiteral("我的标题")) + "\r\n15\r\n");
    QCOMPARE(m_display->calls, QStringList{"saved 15"});
    QCOMPARE(m_messages->texts("information"),
             QStringList{QStringLiteral("倒计时时间已修改，请点击重置按钮！")});
    QVERIFY(!m_form->isVisible());
    QVERIFY(m_form->isLoaded()); // loaded again, hidden, from the new file
    QCOMPARE(m_form->minutesHolder(), QStringLiteral("15"));
    QCOMPARE(m_form->Textsj()->text(), QStringLiteral("15"));
}

void TestForm2::saveEmptyMinutes()
{
    m_form->Textsj()->clear();
    m_form->Comok_Click();
    QCOMPARE(readAll(QDir(m_folder).filePath(QStringLiteral("sys.txt"))),
             SettingsFile::encode(QStringLiteral("我的标题")) + "\r\n\r\n");
    QCOMPARE(m_display->minutesShown, QString());
    QVERIFY(m_display->calls.contains(QStringLiteral("saved ")));
}

void TestForm2::titleSurvivesManySaves()
{
    for (int i = 1; i <= 5; ++i) {
        m_form->Textsj()->setText(QString::number(i));
        m_form->Comok_Click();
    }
    QCOMPARE(readAll(QDir(m_folder).filePath(QStringLiteral("sys.txt"))),
             SettingsFile::encode(QStringLiteral("我的标题")) + "\r\n5\r\n");
}

void TestForm2::closingAfterAnEditWritesNothing()
{
    const QByteArray before = readAll(QDir(m_folder).filePath(QStringLiteral("sys.txt")));
    showAndAct([this] {
        m_form->Textsj()->setText(QStringLiteral("77"));
        m_form->close();
    });
    QCOMPARE(readAll(QDir(m_folder).filePath(QStringLiteral("sys.txt"))), before);
    QVERIFY(m_display->calls.isEmpty());
    QVERIFY(m_messages->shown.isEmpty());
    QVERIFY(!m_form->isLoaded());
    // The next use loads the file again: the edit is gone.
    writeFile("t\r\n12\r\n");
    QCOMPARE(m_form->Textsj()->text(), QStringLiteral("12"));
}

void TestForm2::minutesHolderAcrossAnEmptyFile()
{
    writeFile(QByteArray());
    QCOMPARE(m_form->Textsj()->text(), QString()); // first load: the holder is empty
    QCOMPARE(m_form->Textbt()->text(), QString());
    writeFile("t\r\n8\r\n");
    showAndAct([this] { m_form->close(); });
    QCOMPARE(m_form->Textsj()->text(), QStringLiteral("8"));
    writeFile(QByteArray());
    showAndAct([this] { m_form->close(); });
    // An empty file leaves the minutes of the last load, and an empty title.
    QCOMPARE(m_form->Textsj()->text(), QStringLiteral("8"));
    QCOMPARE(m_form->Textbt()->text(), QString());
}

void TestForm2::failedSaveKeepsTheDialogOpenAndTellsWhy()
{
    const QString file = QDir(m_folder).filePath(QStringLiteral("sys.txt"));
    bool stillOpen = false;
    QString typed;
    showAndAct([&] {
        m_form->Textsj()->setText(QStringLiteral("25"));
        // The file turns into a folder: nothing can be written there.
        QVERIFY(QFile::remove(file));
        QVERIFY(QDir().mkpath(file));
        m_form->Comok_Click();
        stillOpen = m_form->isVisible();
        typed = m_form->Textsj()->text();
        m_form->close();
    });
    QVERIFY(stillOpen);
    QCOMPARE(typed, QStringLiteral("25"));
    QVERIFY(m_display->calls.isEmpty());
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown.first().kind, QStringLiteral("warning"));
    QVERIFY(m_messages->shown.first().text.contains(QDir::toNativeSeparators(file)));
}

void TestForm2::opensWithFocusOnSaveAndTabMovesToTheMinutes()
{
    QWidget *first = nullptr;
    QWidget *afterTab = nullptr;
    QWidget *afterSecondTab = nullptr;
    showAndAct([&] {
        QTRY_VERIFY(QApplication::focusWidget());
        first = QApplication::focusWidget();
        QTest::keyClick(first, Qt::Key_Tab);
        afterTab = QApplication::focusWidget();
        QTest::keyClick(afterTab, Qt::Key_Tab);
        afterSecondTab = QApplication::focusWidget();
        m_form->close();
    });
    QCOMPARE(first->objectName(), QStringLiteral("Comok"));
    QCOMPARE(afterTab->objectName(), QStringLiteral("Textsj"));
    QCOMPARE(afterSecondTab->objectName(), QStringLiteral("Comok"));
}

void TestForm2::returnInTheMinutesBoxSaves()
{
    showAndAct([this] {
        m_form->Textsj()->setFocus();
        m_form->Textsj()->setText(QStringLiteral("12"));
        QTest::keyClick(m_form->Textsj(), Qt::Key_Return);
    });
    QCOMPARE(m_form->minutesHolder(), QStringLiteral("12"));
    QCOMPARE(m_display->minutesShown, QStringLiteral("12"));
    QVERIFY(!m_form->isVisible());
}

void TestForm2::escapeClosesWithoutSaving()
{
    const QByteArray before = readAll(QDir(m_folder).filePath(QStringLiteral("sys.txt")));
    showAndAct([this] {
        m_form->Textsj()->setText(QStringLiteral("31"));
        QTest::keyClick(m_form->Textsj(), Qt::Key_Escape);
    });
    QVERIFY(!m_form->isVisible());
    QVERIFY(!m_form->isLoaded());
    QCOMPARE(readAll(QDir(m_folder).filePath(QStringLiteral("sys.txt"))), before);
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
