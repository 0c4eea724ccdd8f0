// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settingsfile.h"

#include <QObject>

#include <memory>

class Form2;
class MessageBoxService;

// The settings dialog, made hidden the first time something needs it: building it looks up
// the faces of its Chinese texts, which the timer's start need not wait for.
class SettingsDialog : public QObject
{
    Q_OBJECT

public:
    SettingsDialog(SettingsFile settings, MessageBoxService &messages, QObject *parent = nullptr);
    ~SettingsDialog() override;

    Form2 &get();
    // The dialog, or nothing while nobody has needed it.
    Form2 *ifMade() const { return m_dialog.get(); }

signals:
    void made(Form2 &dialog);

private:
    SettingsFile m_settings;
    MessageBoxService &m_messages;
    std::unique_ptr<Form2> m_dialog;
};
