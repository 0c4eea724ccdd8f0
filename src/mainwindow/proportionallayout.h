// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QSize>

#include <vector>

class QWidget;

// One control's place and size as fractions of the window's inner width and height.
struct ControlRatio
{
    float WidthRatio = 0;
    float HeightRatio = 0;
    float TopRatio = 0;
    float LeftRatio = 0;
};

// Keeps every control at the same relative place and size whatever the window's size. The
// fractions are captured once and every placement is computed from them, never from the
// previous placement, so repeated resizing does not drift.
class ProportionalLayout
{
public:
    // Records the controls' geometry against the inner size. A control is left with zero
    // fractions where the inner size is empty.
    void CaptureLayout(QSize inner, const QList<QWidget *> &controls);
    // Places control i from record i and the current inner size; controls without a record
    // are left where they are.
    void apply(QSize inner, const QList<QWidget *> &controls) const;

    const std::vector<ControlRatio> &ratios() const { return m_ratios; }

private:
    std::vector<ControlRatio> m_ratios;
};
