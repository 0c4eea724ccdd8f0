// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QHash>
#include <QSize>
#include <QString>

class QLabel;

// The size a self-sizing label took for each text it showed. A count shows the same sixty
// seconds texts again every minute, and laying a text out only to find the size it had a
// minute ago is the dearest part of a tick.
class FittedSizes
{
public:
    // The label sizes itself to its text from now on.
    void add(const QLabel *label) { m_labels.insert(label, {}); }
    // Sizes a label that was added to its text, as QWidget::adjustSize would. A hidden one
    // waits until it is shown: only the size it is seen at matters.
    void fit(QLabel *label);

private:
    static constexpr qsizetype maxEntries = 256;
    struct Sizes
    {
        QFont font;
        QHash<QString, QSize> byText;
    };
    QHash<const QLabel *, Sizes> m_labels;
};
