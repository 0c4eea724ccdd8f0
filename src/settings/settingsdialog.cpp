// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settingsdialog.h"

#include "settings/form2.h"

SettingsDialog::SettingsDialog(SettingsFile settings, MessageBoxService &messages,
                               QObject *parent)
    : QObject(parent)
    , m_settings(std::move(settings))
    , m_messages(messages)
{
}

SettingsDialog::~SettingsDialog() = default;

Form2 &SettingsDialog::get()
{
    if (!m_dialog) {
        m_dialog = std::make_unique<Form2>(m_settings, m_messages);
        emit made(*m_dialog);
    }
    return *m_dialog;
}
