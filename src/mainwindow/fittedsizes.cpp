// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/fittedsizes.h"

#include <QLabel>

void FittedSizes::fit(QLabel *label)
{
    const auto added = m_labels.find(label);
    if (added == m_labels.end() || label->isHidden())
        return;
    Sizes &sizes = *added;
    // A new font gives every text a new size; a long count's minutes texts are not needed
    // again, so the list starts afresh rather than grow without end.
    if (!(sizes.font == label->font()) || sizes.byText.size() >= maxEntries) {
        sizes.font = label->font();
        sizes.byText.clear();
    }
    const auto found = sizes.byText.constFind(label->text());
    if (found != sizes.byText.constEnd()) {
        label->resize(*found);
        return;
    }
    label->adjustSize();
    sizes.byText.insert(label->text(), label->size());
}
