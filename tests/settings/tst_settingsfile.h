// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings file's tests, its bytes in tst_settingsfile.cpp and its faults in
// tst_settingsfaults.cpp, with the helpers both use.

#include "settings/settingsfile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll();
}

inline void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

class TestSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void defaultFileIsSeventeenExactBytes();
    void firstRunCreatesFolderAndFile();
    void missingFileInExistingFolderIsCreated();
    void existingFileIsNotWritten();

    void reading_data();
    void reading();
    void emptyFileKeepsEarlierValues();
    void writtenTextsReadBackUnchanged_data();
    void writtenTextsReadBackUnchanged();
    void emptyTitleWritesLeadingLineEnd();
    void saveReplacesTheWholeFile();
    void invalidBytesBecomeReplacementCharacters();
    void hugeLineIsCutNotHeld();
    void fileOverOneMebibyteIsRefusedUnread();

    void unusableLocationReportsFailure_data();
    void unusableLocationReportsFailure();
    void readOnlyFolderReportsFailureAndKeepsTheFile();
    void failedWriteKeepsTheOldBytes_data();
    void failedWriteKeepsTheOldBytes();
    void onlyRegularFilesAreUsed_data();
    void onlyRegularFilesAreUsed();
    void killedSavesLeaveNothingBehind_data();
    void killedSavesLeaveNothingBehind();

private:
    std::unique_ptr<QTemporaryDir> m_temp;
    QString folder() const { return m_temp->filePath(QStringLiteral("MorivTemp")); }
    QString file() const { return QDir(folder()).filePath(QStringLiteral("sys.txt")); }
};
