// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/proportionallayout.h"

#include <QWidget>

#include <cmath>

namespace {

float fraction(int part, int whole)
{
    return whole == 0 ? 0.0f : static_cast<float>(part) / static_cast<float>(whole);
}

int scaled(int whole, float ratio)
{
    return static_cast<int>(std::lround(static_cast<float>(whole) * ratio));
}

} // namespace

void ProportionalLayout::CaptureLayout(QSize inner, const QList<QWidget *> &controls)
{
    m_ratios.assign(controls.size(), ControlRatio{});
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QWidget *control = controls.at(i);
        ControlRatio &ratio = m_ratios[i];
        ratio.WidthRatio = fraction(control->width(), inner.width());
        ratio.HeightRatio = fraction(control->height(), inner.height());
        ratio.LeftRatio = fraction(control->x(), inner.width());
        ratio.TopRatio = fraction(control->y(), inner.height());
    }
}

void ProportionalLayout::apply(QSize inner, const QList<QWidget *> &controls) const
{
    for (qsizetype i = 0; i < controls.size(); ++i) {
        if (i >= static_cast<qsizetype>(m_ratios.size()))
            break;
        const ControlRatio &ratio = m_ratios[i];
        controls.at(i)->setGeometry(scaled(inner.width(), ratio.LeftRatio),
                                    scaled(inner.height(), ratio.TopRatio),
                                    scaled(inner.width(), ratio.WidthRatio),
                                    scaled(inner.height(), ratio.HeightRatio));
    }
}
