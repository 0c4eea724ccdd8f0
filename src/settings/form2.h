// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settingsfile.h"

#include <QDialog>

class MessageBoxService;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// The settings dialog: edits and saves the countdown's length in minutes, and says what it
// saved.
//
// It lives as a forms-runtime form does: one object for the program's life, "loaded" on its
// first use (its load step fills the fields from the settings file), and "unloaded" by a
// save or by closing its window; the next use loads it again. Reading the minutes box of an
// unloaded dialog loads it without showing it.
class Form2 : public QDialog
{
    Q_OBJECT

public:
    Form2(SettingsFile settings, MessageBoxService &messages, QWidget *parent = nullptr);
    ~Form2() override;

    bool isLoaded() const { return m_loaded; }
    // The minutes box, loading the dialog hidden when it is not loaded.
    QLineEdit *Textsj();
    // The title box (hidden): carries the file's title line from the load to the save.
    QLineEdit *Textbt();
    // Shows the dialog modal to the whole program, loading it first when needed. It returns
    // at once; closed() follows.
    void openModal();
    // Closes the dialog as if its window was closed; nothing that was typed is saved. Used
    // when the countdown ends while the dialog is open.
    void abortModal();

    // The minutes holder: the minutes line of the last load, or the text of the last save.
    QString minutesHolder() const { return m_minutesHolder; }

    void Form_Load();
    // Loads the dialog hidden with these texts instead of the file's: start-up found the file
    // unusable and counts its default minutes.
    void loadWith(const QString &title, const QString &minutes);
    void Comok_Click();

signals:
    // The file now holds these minutes, and the dialog was loaded again from it.
    void saved(const QString &minutes);
    // The dialog closed, and the message that says what a save did with it.
    void closed();

protected:
    void setVisible(bool visible) override;
    void done(int result) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void ensureLoaded();
    void unload();
    bool m_saving = false;
    void buildForm();

    SettingsFile m_settings;
    MessageBoxService &m_messages;
    bool m_loaded = false;
    bool m_hasFaces = false;
    QString m_minutesHolder;
    QString m_titleHolder;

    QGroupBox *m_frame1 = nullptr;
    QLabel *m_label2 = nullptr;
    QLineEdit *m_textsj = nullptr;
    QLineEdit *m_textbt = nullptr;
    QLabel *m_label1 = nullptr;
    QPushButton *m_comfont = nullptr;
    QPushButton *m_comimg = nullptr;
    QToolButton *m_comok = nullptr;
};
